// The editor's keys: one table row per key, queried on every pass so presses
// never linger; each row's action reads the modifiers held at its press.
#include <algorithm>
#include <cmath>
#include <iterator>

#include "editor.h"
#include "editor_layout.h"
#include "media/keyboard.h"

namespace editor {
namespace {

constexpr int kSteps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}}; // left, right, up, down
enum CtrlCommand { CtrlRedo, CtrlSave, CtrlOpen, CtrlNew };

constexpr int Arg(Tool tool) {
    return static_cast<int>(tool);
}

} // namespace

void Editor::HandleKeys() {
    // Typed characters are only for prompts.
    while (NextChar() != 0) {
    }
    // Space applies the tool; held while the cursor moves, it paints a stroke.
    static constexpr KeyAction kCursorKeys[] = {{KEY_LEFT, &Editor::MoveKey, 0},
                                                {KEY_RIGHT, &Editor::MoveKey, 1},
                                                {KEY_UP, &Editor::MoveKey, 2},
                                                {KEY_DOWN, &Editor::MoveKey, 3},
                                                {KEY_SPACE, &Editor::SpaceKey, 0}};
    RunKeys(kCursorKeys, static_cast<int>(std::size(kCursorKeys)), false);
    if (spaceStroke_ && !KeyDown(KEY_SPACE)) {
        spaceStroke_ = false;
        FinishDrag();
        doc_.EndStroke();
    }
    for (int k = 0; k < TKarte::GROUND_KINDS; ++k)
        if (KeyHitCount(KEY_0 + 1 + k) > 0) {
            message_.clear();
            ChooseGround(k);
        }
    static constexpr KeyAction kCommandKeys[] = {{KEY_G, &Editor::ToolKey, Arg(Tool::Ground)},
                                                 {KEY_F, &Editor::ToolKey, Arg(Tool::Fill)},
                                                 {KEY_I, &Editor::ToolKey, Arg(Tool::Item)},
                                                 {KEY_E, &Editor::ToolKey, Arg(Tool::Eraser)},
                                                 {KEY_DELETE, &Editor::ToolKey, Arg(Tool::Eraser)},
                                                 {KEY_M, &Editor::ToolKey, Arg(Tool::Start)},
                                                 {KEY_R, &Editor::ToolKey, Arg(Tool::Select)},
                                                 {KEY_P, &Editor::ToolKey, Arg(Tool::Rect)},
                                                 {KEY_L, &Editor::ToolKey, Arg(Tool::Line)},
                                                 {KEY_T, &Editor::ToolKey, Arg(Tool::Scatter)},
                                                 {KEY_C, &Editor::ClipKey, ClipCopy},
                                                 {KEY_X, &Editor::ClipKey, ClipCut},
                                                 {KEY_V, &Editor::ClipKey, ClipPaste},
                                                 {KEY_B, &Editor::BrushKey, 0},
                                                 {KEY_PAGEUP, &Editor::ItemKey, -1},
                                                 {KEY_PAGEDOWN, &Editor::ItemKey, 1},
                                                 {KEY_A, &Editor::CritterKey, 0},
                                                 {KEY_W, &Editor::CritterKey, 1},
                                                 {KEY_K, &Editor::ZonesKey, 0},
                                                 {'H', &Editor::GridKey, 0},
                                                 {KEY_TAB, &Editor::ProblemKey, 0},
                                                 {KEY_Z, &Editor::ZKey, 0},
                                                 {KEY_Y, &Editor::CtrlKey, CtrlRedo},
                                                 {KEY_S, &Editor::CtrlKey, CtrlSave},
                                                 {KEY_O, &Editor::CtrlKey, CtrlOpen},
                                                 {KEY_N, &Editor::CtrlKey, CtrlNew},
                                                 {KEY_F5, &Editor::PlayKey, 0},
                                                 {KEY_F1, &Editor::HelpKey, 0},
                                                 {KEY_ESCAPE, &Editor::EscapeKey, 0}};
    RunKeys(kCommandKeys, static_cast<int>(std::size(kCommandKeys)), true);
}

// `commands`: each press is a new action, so the last one's report goes stale.
void Editor::RunKeys(const KeyAction* actions, int count, bool commands) {
    for (int i = 0; i < count; ++i) {
        const KeyAction& a = actions[i];
        const int presses = KeyHitCount(a.key);
        if (presses <= 0) continue;
        if (!commands) {
            (this->*a.press)(a.arg, presses, KeyHitModifiers(a.key));
            continue;
        }
        // Every press acts, however many came in one frame (key repeat, fast
        // typing); a press that opened a question leaves the rest unanswered.
        for (int n = 0; n < presses && !prompt_.active; ++n) {
            message_.clear();
            (this->*a.press)(a.arg, 1, KeyHitModifiers(a.key));
        }
    }
}

void Editor::MoveKey(int direction, int presses, int mods) {
    const int cellsPerPixel =
        zoom_ == Zoom::Overview ? std::max(1, static_cast<int>(std::ceil(1 / overviewScale_))) : 1;
    const int step = ((mods & MOD_SHIFT) ? 8 : 1) * cellsPerPixel;
    for (int n = presses; n > 0; --n)
        MoveCursor(kSteps[direction][0] * step, kSteps[direction][1] * step);
}

void Editor::SpaceKey(int, int, int) {
    if (zoom_ == Zoom::Overview) {
        SetZoom(Zoom::One);
        return;
    }
    message_.clear();
    BeginToolStroke();
    spaceStroke_ = true;
    ApplyTool(cx_, cy_);
}

void Editor::ChooseGround(int kind) {
    ground_ = kind;
    shapeLayer_ = Layer::Ground;
    if (tool_ != Tool::Fill && tool_ != Tool::Rect && tool_ != Tool::Line) tool_ = Tool::Ground;
}

void Editor::ToolKey(int tool, int, int) {
    tool_ = static_cast<Tool>(tool);
}

void Editor::BrushKey(int, int, int) {
    brush_ = brush_ == 1 ? 3 : brush_ == 3 ? 5 : 1;
}

// Page up and down walk the items round; with Shift they page the problem list.
void Editor::ItemKey(int step, int, int mods) {
    if (mods & MOD_SHIFT) {
        ScrollProblems(step * (layout_.problemRows - 1));
        return;
    }
    ChooseItem((item_ - 1 + step + kItemCount) % kItemCount + 1);
}

// A adds an ape, W a lizard; with Shift they take one away.
void Editor::CritterKey(int kind, int, int mods) {
    const int change = (mods & MOD_SHIFT) ? -1 : 1;
    if (kind == 0)
        ChangeCritters(doc_.Apes() + change, doc_.Lizards());
    else
        ChangeCritters(doc_.Apes(), doc_.Lizards() + change);
}

void Editor::ZonesKey(int, int, int) {
    critterZones_ = !critterZones_;
}

void Editor::GridKey(int, int, int) {
    grid_ = !grid_;
}

// Tab walks the problem list, Shift+Tab backwards.
void Editor::ProblemKey(int, int, int mods) {
    if (problems_.empty()) return;
    const int n = static_cast<int>(problems_.size());
    const bool back = (mods & MOD_SHIFT) != 0;
    SelectProblem(selected_ < 0 ? (back ? n - 1 : 0) : (selected_ + (back ? n - 1 : 1)) % n);
}

// Ctrl+Z undoes, Ctrl+Shift+Z redoes, Z alone steps through the zoom levels.
void Editor::ZKey(int, int, int mods) {
    if ((mods & MOD_CTRL) && (mods & MOD_SHIFT))
        RedoStep();
    else if (mods & MOD_CTRL)
        UndoStep();
    else
        SetZoom(zoom_ == Zoom::One ? Zoom::Two : zoom_ == Zoom::Two ? Zoom::Overview : Zoom::One);
}

void Editor::CtrlKey(int command, int, int mods) {
    if (!(mods & MOD_CTRL)) return;
    switch (command) {
    case CtrlRedo:
        RedoStep();
        break;
    case CtrlSave:
        if (mods & MOD_SHIFT)
            RequestSaveAs();
        else
            Save();
        break;
    case CtrlOpen:
        RequestOpen();
        break;
    default:
        if (mods & MOD_SHIFT)
            RequestGenerate();
        else
            RequestNew();
        break;
    }
}

void Editor::PlayKey(int, int, int) {
    PlayTest();
}

void Editor::HelpKey(int, int, int) {
    help_ = !help_;
}

// Escape closes the help first, then drops the selection, then the editor.
void Editor::EscapeKey(int, int, int) {
    if (help_)
        help_ = false;
    else if (!sel_.Empty() || dragging_)
        DropSelection();
    else
        Quit();
}

} // namespace editor
