// Keys, mouse and the editing tools they apply.
#include <algorithm>

#include "editor.h"
#include "editor_layout.h"
#include "editor_texts.h"
#include "media/keyboard.h"
#include "media/mouse.h"
#include "problem_rows.h"

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
            const std::string text = prompt_.text;
            prompt_ = {};
            done(text);
        } else if (c == KEY_BACKSPACE) {
            // Remove one whole UTF-8 character.
            while (!prompt_.text.empty() && (prompt_.text.back() & 0xC0) == 0x80)
                prompt_.text.pop_back();
            if (!prompt_.text.empty()) prompt_.text.pop_back();
        } else if (c >= 32 && c < 127 && prompt_.text.size() < 400) {
            prompt_.text += static_cast<char>(c);
        }
    }
    // Keys counted while typing must not act once the prompt closes.
    for (int k = 1; k < 256; ++k)
        KeyHitCount(k);
    MouseHitCount(MOUSE_LEFT);
    MouseHitCount(MOUSE_RIGHT);
}

void Editor::HandleKeys() {
    // Typed characters are only for prompts.
    while (NextChar() != 0) {
    }
    // Presses of a key since the last frame, with the modifiers held at the press.
    int mods = 0;
    const auto hit = [&mods](int key) {
        const int n = KeyHitCount(key);
        mods = n > 0 ? KeyHitModifiers(key) : 0;
        return n;
    };
    const auto shift = [&mods] { return (mods & MOD_SHIFT) != 0; };
    const auto ctrl = [&mods] { return (mods & MOD_CTRL) != 0; };

    const int moves[4][3] = {
        {KEY_LEFT, -1, 0}, {KEY_RIGHT, 1, 0}, {KEY_UP, 0, -1}, {KEY_DOWN, 0, 1}};
    for (const auto& m : moves)
        for (int n = hit(m[0]); n > 0; --n) {
            const int step = (shift() ? 8 : 1) * (zoom_ == Zoom::Overview ? overviewCells_ : 1);
            MoveCursor(m[1] * step, m[2] * step);
        }

    // Space applies the tool; held while the cursor moves, it paints a stroke.
    if (hit(KEY_SPACE) > 0) {
        if (zoom_ == Zoom::Overview) {
            SetZoom(Zoom::One);
        } else {
            doc_.BeginStroke();
            spaceStroke_ = true;
            ApplyTool(cx_, cy_);
        }
    }
    if (spaceStroke_ && !KeyDown(KEY_SPACE)) {
        spaceStroke_ = false;
        doc_.EndStroke();
    }

    for (int k = 0; k < TKarte::GROUND_KINDS; ++k)
        if (hit(KEY_0 + 1 + k) > 0) {
            ground_ = k;
            if (tool_ != Tool::Fill) tool_ = Tool::Ground;
        }
    if (hit('G') > 0) tool_ = Tool::Ground;
    if (hit(KEY_F) > 0) tool_ = Tool::Fill;
    if (hit('I') > 0) tool_ = Tool::Item;
    if (hit('E') > 0 || hit(KEY_DELETE) > 0) tool_ = Tool::Eraser;
    if (hit('M') > 0) tool_ = Tool::Start;
    if (hit('B') > 0) brush_ = brush_ == 1 ? 3 : brush_ == 3 ? 5 : 1;
    if (hit(KEY_PAGEUP) > 0) {
        item_ = item_ <= 1 ? ITEM_COUNT : item_ - 1;
        tool_ = Tool::Item;
    }
    if (hit(KEY_PAGEDOWN) > 0) {
        item_ = item_ >= ITEM_COUNT ? 1 : item_ + 1;
        tool_ = Tool::Item;
    }
    if (hit(KEY_A) > 0) doc_.SetCritters(doc_.Apes() + (shift() ? -1 : 1), doc_.Lizards());
    if (hit(KEY_W) > 0) doc_.SetCritters(doc_.Apes(), doc_.Lizards() + (shift() ? -1 : 1));
    if (hit('K') > 0) critterZones_ = !critterZones_;
    if (hit(KEY_TAB) > 0 && !problems_.empty()) {
        const int n = static_cast<int>(problems_.size());
        SelectProblem(selected_ < 0 ? (shift() ? n - 1 : 0)
                                    : (selected_ + (shift() ? n - 1 : 1)) % n);
    }
    if (hit('Z') > 0) {
        if (ctrl() && shift())
            doc_.Redo();
        else if (ctrl())
            doc_.Undo();
        else
            SetZoom(zoom_ == Zoom::One   ? Zoom::Two
                    : zoom_ == Zoom::Two ? Zoom::Overview
                                         : Zoom::One);
    }
    if (hit('Y') > 0 && ctrl()) doc_.Redo();
    if (hit(KEY_S) > 0 && ctrl()) {
        if (shift())
            RequestSaveAs();
        else
            Save();
    }
    if (hit('O') > 0 && ctrl()) RequestOpen();
    if (hit('N') > 0 && ctrl()) RequestNew();
    if (hit(KEY_F1 + 4) > 0) PlayTest(); // F5
    if (hit(KEY_F1) > 0) help_ = !help_;
    if (hit(KEY_ESCAPE) > 0) {
        if (help_)
            help_ = false;
        else
            Quit();
    }
}

void Editor::HandleMouse(bool ctrl, bool shift) {
    const int mx = MouseX(), my = MouseY();
    const int wheel = MouseWheel();
    if (wheel != 0 && mx < VIEW_W && my < VIEW_H) {
        if (ctrl) {
            SetZoom(wheel > 0 ? (zoom_ == Zoom::Overview ? Zoom::One : Zoom::Two)
                              : (zoom_ == Zoom::Two ? Zoom::One : Zoom::Overview));
        } else {
            (shift ? vx_ : vy_) -= wheel * 3;
            ClampView();
        }
    }
    const int leftHits = MouseHitCount(MOUSE_LEFT);
    const int rightHits = MouseHitCount(MOUSE_RIGHT);
    const bool leftDown = MouseDown(MOUSE_LEFT) != 0;
    int x = 0, y = 0;
    const bool onMap = mx < VIEW_W && my < VIEW_H && CellAt(mx, my, x, y);

    if (leftHits > 0 && !onMap) {
        // Palette: ground tiles, then items.
        for (int k = 0; k < TKarte::GROUND_KINDS; ++k)
            if (Inside(mx, my, PANEL_X + k * 36, PALETTE_Y, 32, 32)) {
                ground_ = k;
                if (tool_ != Tool::Fill) tool_ = Tool::Ground;
            }
        for (int id = 1; id <= ITEM_COUNT; ++id) {
            const int i = id - 1;
            if (Inside(mx, my, PANEL_X + (i % ITEMS_PER_ROW) * 36,
                       ITEMS_Y + (i / ITEMS_PER_ROW) * 36, 32, 32)) {
                item_ = id;
                tool_ = Tool::Item;
            }
        }
        for (const Button& b : buttons_)
            if (Inside(mx, my, b.x, b.y, b.w, b.h)) {
                b.action();
                return;
            }
        // The problem list: a click selects the line and jumps to its cell.
        if (my >= PROBLEMS_Y && my < PROBLEMS_Y + PROBLEM_ROWS * LINE) {
            const std::vector<ProblemRow> rows =
                VisibleProblemRows(problems_, selected_, PROBLEM_ROWS, PROBLEM_COLUMNS);
            const std::size_t row = static_cast<std::size_t>((my - PROBLEMS_Y) / LINE);
            if (row < rows.size()) SelectProblem(rows[row].problem);
        }
    }
    if (!onMap) {
        if (mouseStroke_ && !leftDown) {
            mouseStroke_ = false;
            doc_.EndStroke();
        }
        return;
    }
    if (rightHits > 0) Pick(x, y);
    if (zoom_ == Zoom::Overview) {
        if (leftHits > 0) {
            cx_ = x;
            cy_ = y;
            SetZoom(Zoom::One);
        }
        return;
    }
    if (leftHits > 0 && !mouseStroke_) {
        doc_.BeginStroke();
        mouseStroke_ = true;
        lastMouseCellX_ = lastMouseCellY_ = -1;
    }
    if (mouseStroke_ && (leftDown || leftHits > 0) &&
        (x != lastMouseCellX_ || y != lastMouseCellY_)) {
        cx_ = x;
        cy_ = y;
        lastMouseCellX_ = x;
        lastMouseCellY_ = y;
        ApplyTool(x, y);
    }
    if (mouseStroke_ && !leftDown) {
        mouseStroke_ = false;
        doc_.EndStroke();
    }
}

void Editor::MoveCursor(int dx, int dy) {
    cx_ = std::clamp(cx_ + dx, 0, doc_.Width() - 1);
    cy_ = std::clamp(cy_ + dy, 0, doc_.Height() - 1);
    KeepCursorVisible();
    if (spaceStroke_ && KeyDown(KEY_SPACE)) ApplyTool(cx_, cy_);
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
        markX_ = x;
        markY_ = y;
        UpdateProblems();
        break;
    }
}

void Editor::Pick(int x, int y) {
    if (doc_.Item(x, y) >= 1 && doc_.Item(x, y) <= ITEM_COUNT) {
        item_ = doc_.Item(x, y);
        tool_ = Tool::Item;
    } else {
        ground_ = doc_.Ground(x, y);
        tool_ = Tool::Ground;
    }
}

} // namespace editor
