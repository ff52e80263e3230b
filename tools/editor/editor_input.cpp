// Keys, mouse and the editing tools they apply.
#include <algorithm>
#include <cstdlib>

#include "core/timer.h"
#include "editor.h"
#include "editor_layout.h"
#include "editor_texts.h"
#include "media/clock.h"
#include "media/keyboard.h"
#include "media/mouse.h"
#include "problem_rows.h"
#include "shapes.h"

namespace editor {

void Editor::HandleInput() {
    if (CloseRequested()) Quit();
    if (prompt_.active) {
        HandlePrompt();
        return;
    }
    HandleKeys();
    // The wheel reads the modifiers as they are held now.
    const bool ctrl = KeyDown(KEY_LCONTROL) || KeyDown(KEY_RCONTROL);
    const bool shift = KeyDown(KEY_LSHIFT) || KeyDown(KEY_RSHIFT);
    if (!prompt_.active) HandleMouse(ctrl, shift);
}

void Editor::HandlePrompt() {
    if (!prompt_.yesNo) EditField();
    for (int c = NextChar(); c != 0 && prompt_.active; c = NextChar()) {
        if (c == KEY_ESCAPE) {
            prompt_ = {};
            message_ = Tr(editor_texts::kCancelled);
        } else if (prompt_.yesNo) {
            if (c == 'j' || c == 'J' || c == 'y' || c == 'Y') {
                auto done = std::move(prompt_.done);
                prompt_ = {};
                done("j");
            } else if (c == 'n' || c == 'N') {
                prompt_ = {};
                message_ = Tr(editor_texts::kCancelled);
            }
        } else if (c == KEY_ENTER) {
            auto done = std::move(prompt_.done);
            const std::string text = prompt_.field.Text();
            prompt_ = {};
            done(text);
        } else if (c == KEY_BACKSPACE) {
            prompt_.field.Apply(FieldEdit::Backspace);
        } else {
            prompt_.field.Type(c);
        }
    }
    // Keys counted while typing must not act once the prompt closes.
    for (int k = 1; k < 256; ++k)
        KeyHitCount(k);
    DropMouseInput();
}

// Clicks meant for a question or the game must not paint once the editor reads
// the pointer again.
void Editor::DropMouseInput() {
    MouseHitCount(MOUSE_LEFT);
    MouseHitCount(MOUSE_RIGHT);
    MouseSample samples[256];
    while (TakeMouseSamples(samples, 256) > 0) {
    }
    EndMouseStroke(false);
}

// The cursor keys of the text field, before the characters typed in the same
// frame. A held key repeats as typing does: after 400 ms, then every 40 ms.
void Editor::EditField() {
    static constexpr struct {
        int key;
        FieldEdit edit;
    } kFieldKeys[] = {{KEY_LEFT, FieldEdit::Left},
                      {KEY_RIGHT, FieldEdit::Right},
                      {KEY_HOME, FieldEdit::Home},
                      {KEY_END, FieldEdit::End},
                      {KEY_DELETE, FieldEdit::Delete}};
    constexpr int kRepeatDelay = 400, kRepeatEvery = 40;
    const int now = Millis();
    for (const auto& k : kFieldKeys) {
        int presses = KeyHitCount(k.key);
        if (presses > 0) {
            repeatKey_ = k.key;
            repeatFrom_ = now;
            repeatDelay_ = kRepeatDelay;
        } else if (repeatKey_ == k.key && KeyDown(k.key) &&
                   DelayPassed(repeatFrom_, now, repeatDelay_)) {
            presses = 1;
            repeatFrom_ = now;
            repeatDelay_ = kRepeatEvery;
        }
        for (int i = 0; i < presses; ++i)
            prompt_.field.Apply(k.edit);
    }
    if (KeyHitCount(KEY_A) > 0 && (KeyHitModifiers(KEY_A) & MOD_CTRL))
        prompt_.field.Apply(FieldEdit::SelectAll);
}

// The pointer's samples in the order they came, so a stroke starts where the
// button went down and follows every place it passed, however fast the drag
// and whatever else happened in the same frame.
void Editor::HandleMouse(bool ctrl, bool shift) {
    const int mx = MouseX(), my = MouseY();
    WheelInput(mx, my, MouseWheel(), ctrl, shift);
    MouseHitCount(MOUSE_LEFT); // the samples say where each press was
    const int rightHits = MouseHitCount(MOUSE_RIGHT);
    MouseSample samples[256];
    for (int n = TakeMouseSamples(samples, 256); n > 0; n = TakeMouseSamples(samples, 256))
        for (int i = 0; i < n && !prompt_.active; ++i)
            MouseSampleAt(samples[i]);
    Hover(mx, my);
    int x = 0, y = 0;
    const bool onMap = CellAt(mx, my, x, y);
    if (rightHits > 0 && onMap && !prompt_.active) {
        message_.clear();
        Pick(x, y);
    }
    // A focus change lets go of the button without a sample.
    if (!MouseDown(MOUSE_LEFT)) EndMouseStroke(false);
    if (mouseStroke_) ScrollWhileDragging(mx, my);
}

void Editor::MouseSampleAt(const MouseSample& s) {
    if (s.button != 0 && s.button != MOUSE_LEFT) return;
    int x = 0, y = 0;
    const bool onMap = CellAt(s.x, s.y, x, y);
    if (s.button == MOUSE_LEFT && s.down) {
        EndMouseStroke(false);
        if (!onMap) {
            message_.clear(); // a new action: the last one's report is stale
            PanelClick(s.x, s.y);
            return;
        }
        message_.clear();
        if (zoom_ == Zoom::Overview) {
            // The overview is for finding a place: a click looks there at 1x.
            cx_ = x;
            cy_ = y;
            SetZoom(Zoom::One);
            return;
        }
        BeginToolStroke();
        mouseStroke_ = true;
        lastMouseCellX_ = lastMouseCellY_ = -1;
        StrokeTo(x, y);
        return;
    }
    if (!mouseStroke_) return;
    // Off the view a drag tool keeps following along its edge.
    if (!onMap && !DragTools()) {
        if (s.button == MOUSE_LEFT) EndMouseStroke(false);
        return;
    }
    if (!onMap) EdgeCellAt(s.x, s.y, x, y);
    StrokeTo(x, y);
    if (s.button == MOUSE_LEFT) EndMouseStroke(false);
}

bool Editor::DragTools() const {
    return tool_ == Tool::Select || tool_ == Tool::Rect || tool_ == Tool::Line;
}

// The map cell nearest a pixel outside the view, along the view's edge.
void Editor::EdgeCellAt(int px, int py, int& x, int& y) const {
    CellAt(std::clamp(px, 0, layout_.viewW - 1), std::clamp(py, 0, layout_.viewH - 1), x, y);
    x = std::clamp(x, 0, doc_.Width() - 1);
    y = std::clamp(y, 0, doc_.Height() - 1);
}

// The stroke reaches a cell: the whole line from the last one is painted, not
// only its ends.
void Editor::StrokeTo(int x, int y) {
    if (x == lastMouseCellX_ && y == lastMouseCellY_) return;
    const bool first = lastMouseCellX_ < 0;
    ApplyAlong(first ? x : lastMouseCellX_, first ? y : lastMouseCellY_, x, y);
    cx_ = x;
    cy_ = y;
    lastMouseCellX_ = x;
    lastMouseCellY_ = y;
}

// While the button is held at or beyond the view's edge, the view scrolls a
// cell a frame that way and the stroke follows, so a drag spans the island.
void Editor::ScrollWhileDragging(int mx, int my) {
    if (zoom_ == Zoom::Overview) return;
    const int margin = kTile / 2;
    const int dx = mx < margin ? -1 : mx >= layout_.viewW - margin ? 1 : 0;
    const int dy = my < margin ? -1 : my >= layout_.viewH - margin ? 1 : 0;
    if (dx == 0 && dy == 0) return;
    const int oldX = vx_, oldY = vy_;
    vx_ += dx;
    vy_ += dy;
    ClampView();
    if (vx_ == oldX && vy_ == oldY) return;
    int x = 0, y = 0;
    if (!CellAt(mx, my, x, y)) {
        if (!DragTools()) return;
        EdgeCellAt(mx, my, x, y);
    }
    StrokeTo(x, y);
}

// The cell under the pointer; the panel describes it once the pointer moved
// to another cell, until the keyboard moves the cursor.
void Editor::Hover(int mx, int my) {
    int x = -1, y = -1;
    if (!CellAt(mx, my, x, y)) x = y = -1;
    if (x != hoverX_ || y != hoverY_) describePointer_ = x >= 0;
    hoverX_ = x;
    hoverY_ = y;
}

// Over the view the wheel scrolls (Shift: sideways), with Ctrl it zooms; over
// the problem list it scrolls the list.
void Editor::WheelInput(int mx, int my, int wheel, bool ctrl, bool shift) {
    if (wheel != 0 && mx >= 0 && mx < layout_.viewW && my >= layout_.viewH)
        ScrollProblems(-wheel * 3);
    if (wheel == 0 || mx < 0 || my < 0 || mx >= layout_.viewW || my >= layout_.viewH) return;
    if (ctrl) {
        ZoomAround(wheel > 0 ? (zoom_ == Zoom::Overview ? Zoom::One : Zoom::Two)
                             : (zoom_ == Zoom::Two ? Zoom::One : Zoom::Overview),
                   mx, my);
    } else {
        (shift ? vx_ : vy_) -= wheel * 3;
        ClampView();
    }
}

// Zooms so that the cell under the pointer stays under it.
void Editor::ZoomAround(Zoom zoom, int mx, int my) {
    int x = 0, y = 0;
    if (zoom == zoom_ || !CellAt(mx, my, x, y)) {
        SetZoom(zoom);
        return;
    }
    zoom_ = zoom;
    if (zoom_ == Zoom::One) {
        vx_ = x - mx / kTile;
        vy_ = y - my / kTile;
    } else if (zoom_ == Zoom::Two) {
        vx_ = x - mx / (2 * kTile);
        vy_ = y - my / (2 * kTile);
    }
    ClampView();
}

// A left click beside the map: the palette (ground tiles, then items), the
// buttons, the problem list. True when a button acted, which may have changed
// everything the rest of the pass would look at.
bool Editor::PanelClick(int mx, int my) {
    if (const int kind = layout_.palette.GroundAt(mx, my); kind >= 0) ChooseGround(kind);
    if (const int id = layout_.palette.ItemAt(mx, my); id > 0) ChooseItem(id);
    for (const Button& b : buttons_)
        if (Inside(mx, my, b.x, b.y, b.w, b.h)) {
            b.action();
            return true;
        }
    // The problem list: a click selects the line and jumps to its cell.
    if (my >= layout_.problemsY && my < layout_.problemsY + layout_.problemRows * kLine) {
        const std::vector<ProblemRow> rows =
            VisibleProblemRows(problems_, problemTop_, layout_.problemRows, layout_.problemColumns)
                .rows;
        const std::size_t row = static_cast<std::size_t>((my - layout_.problemsY) / kLine);
        if (row < rows.size()) SelectProblem(rows[row].problem);
    }
    return false;
}

void Editor::BeginToolStroke() {
    doc_.BeginStroke(Tr(editor_texts::kToolNames[static_cast<int>(tool_)]));
}

// The painting tools along the straight line from one cell to the next, so a
// fast stroke leaves no gaps; fill, the start mark and the drag tools act on
// the last cell only.
void Editor::ApplyAlong(int x0, int y0, int x1, int y1) {
    const bool painting = tool_ == Tool::Ground || tool_ == Tool::Item || tool_ == Tool::Eraser ||
                          tool_ == Tool::Scatter;
    if (!painting) {
        ApplyTool(x1, y1);
        return;
    }
    for (const Cell& c : LineCells(x0, y0, x1, y1))
        ApplyTool(c.x, c.y);
}

void Editor::EndMouseStroke(bool leftDown) {
    if (mouseStroke_ && !leftDown) {
        lastMouseCellX_ = lastMouseCellY_ = -1;
        mouseStroke_ = false;
        FinishDrag();
        doc_.EndStroke();
    }
}

void Editor::MoveCursor(int dx, int dy) {
    describePointer_ = false;
    const int fromX = cx_, fromY = cy_;
    cx_ = std::clamp(cx_ + dx, 0, doc_.Width() - 1);
    cy_ = std::clamp(cy_ + dy, 0, doc_.Height() - 1);
    KeepCursorVisible();
    if (spaceStroke_ && KeyDown(KEY_SPACE)) ApplyAlong(fromX, fromY, cx_, cy_);
}

void Editor::ApplyTool(int x, int y) {
    switch (tool_) {
    case Tool::Ground:
        doc_.PaintGround(x, y, brush_, ground_);
        break;
    case Tool::Fill: {
        const int n = doc_.Fill(x, y, ground_);
        message_ = Tr(editor_texts::kFilled, {std::to_string(n)});
        break;
    }
    case Tool::Item:
        doc_.PlaceItem(x, y, item_);
        break;
    case Tool::Eraser:
        doc_.Erase(x, y, brush_);
        break;
    case Tool::Start:
        // On the marked cell the mark comes off again.
        doc_.SetStartMark(doc_.StartMark() == Mark{x, y} ? Mark{} : Mark{x, y});
        UpdateProblems();
        break;
    case Tool::Select:
    case Tool::Rect:
    case Tool::Line:
        DragTool(x, y);
        break;
    case Tool::Scatter:
        doc_.Scatter(x, y, brush_, item_, kScatterPercent);
        break;
    }
}

void Editor::ChangeCritters(int apes, int lizards) {
    doc_.BeginStroke(Tr(editor_texts::kCritterStep));
    doc_.SetCritters(apes, lizards);
    doc_.EndStroke();
}

// Undo and redo say what they took back or did again.
void Editor::UndoStep() {
    const std::string what = doc_.UndoName();
    if (!doc_.Undo()) {
        message_ = Tr(editor_texts::kNothingToUndo);
        return;
    }
    message_ = Tr(editor_texts::kUndone, {what.empty() ? Tr(editor_texts::kAStep) : what});
    UpdateProblems();
}

void Editor::RedoStep() {
    const std::string what = doc_.RedoName();
    if (!doc_.Redo()) {
        message_ = Tr(editor_texts::kNothingToRedo);
        return;
    }
    message_ = Tr(editor_texts::kRedone, {what.empty() ? Tr(editor_texts::kAStep) : what});
    UpdateProblems();
}

void Editor::Pick(int x, int y) {
    if (doc_.Item(x, y) >= 1 && doc_.Item(x, y) <= kItemCount)
        ChooseItem(doc_.Item(x, y));
    else
        ChooseGround(doc_.Ground(x, y));
}

} // namespace editor
