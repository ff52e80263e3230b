// The editor's frame, opening and creating maps, and where the view looks.
#include "editor.h"

#include <algorithm>
#include <filesystem>

#include "editor_layout.h"
#include "editor_texts.h"
#include "media/clock.h"
#include "media/graphics.h"
#include "media/keyboard.h"
#include "media/mouse.h"
#include "media/text_ops.h"
#include "problem_rows.h"
#include "world/karte.h"

namespace fs = std::filesystem;

namespace editor {

Editor::Editor(EditorOptions options) : options_(std::move(options)) {
    if (options_.startDir.empty()) options_.startDir = fs::current_path().string();
    NewMap(64, 64);
    MakeButtons();
}

void Editor::NewMap(int width, int height) {
    doc_ = Document::Blank(width, height);
    path_.clear();
    cx_ = cy_ = vx_ = vy_ = 0;
    sel_ = {};
    selected_ = -1;
    problemTop_ = 0;
    check_ = {};
    fileIssues_.clear();
    offColourPixels_ = 0;
    overviewRevision_ = 0;
    message_ =
        Tr(editor_texts::kNewMap, {std::to_string(doc_.Width()), std::to_string(doc_.Height())});
    UpdateProblems();
}

bool Editor::Open(const std::string& path) {
    return OpenFile(path, false);
}

// A layer file too short for its picture (cut off in a copy) is offered
// padded with empty cells rather than refused.
bool Editor::OpenFile(const std::string& path, bool padShortLayer) {
    Document doc;
    MapPaths paths;
    OpenNotes notes;
    std::string error;
    if (!OpenMap(Absolute(path), doc, paths, notes, error, padShortLayer)) {
        message_ = Tr(editor_texts::kNotOpened, {error});
        if (notes.missingCells > 0)
            Confirm(Tr(editor_texts::kAskOpenPadded,
                       {FileName(paths.layer), std::to_string(notes.missingCells)}),
                    [this, path] { OpenFile(path, true); });
        return false;
    }
    doc_ = std::move(doc);
    path_ = paths.image;
    owned_ = {paths.image, paths.layer, paths.critter};
    fileIssues_ = std::move(notes.issues);
    offColourPixels_ = notes.offColourPixels;
    cx_ = cy_ = 0;
    sel_ = {};
    selected_ = -1;
    problemTop_ = 0;
    check_ = {};
    overviewRevision_ = 0;
    int sx = 0, sy = 0;
    if (mapcheck::FindStart(doc_.Data(), sx, sy)) {
        cx_ = sx;
        cy_ = sy;
        // The files hold no mark: the start the game uses is where it was
        // when the map was saved without a start error.
        doc_.PlaceMarkUnedited({sx, sy});
    }
    SetZoom(zoom_);
    // What the files themselves hold wrong is in the problem list.
    message_ = Tr(editor_texts::kOpened, {path_});
    if (notes.newLayer)
        message_ = Tr(notes.defaultCritters ? editor_texts::kOpenedPictureAlone
                                            : editor_texts::kOpenedWithoutLayer,
                      {path_, std::to_string(doc_.Apes()), std::to_string(doc_.Lizards())});
    if (notes.missingCells > 0) {
        message_ = Tr(editor_texts::kOpenedPadded, {path_, std::to_string(notes.missingCells)});
        doc_.MarkUnsaved(); // the files still lack the cells
    }
    UpdateProblems();
    return true;
}

std::string Editor::Absolute(const std::string& path) const {
    if (path.empty() || path[0] == '/') return path;
    if (path[0] == '~' && (path.size() == 1 || path[1] == '/')) {
        const char* home = std::getenv("HOME");
        if (home) return std::string(home) + path.substr(1);
    }
    return (fs::path(options_.startDir) / path).lexically_normal().string();
}

void Editor::SettleCheck() {
    for (int i = 0; i < 3; ++i) {
        live_.WaitIdle();
        live_.Offer(doc_);
        live_.WaitIdle();
        CheckResult result;
        if (live_.Take(result)) check_ = std::move(result);
        if (check_.revision == doc_.Revision()) break;
    }
    UpdateProblems();
}

// The layout follows the window, before this pass reads the pointer against it.
void Editor::UpdateLayout() {
    int w = 0, h = 0;
    WindowPixelSize(w, h);
    if (w <= 0 || h <= 0) return; // minimised: the last layout stays
    const Layout next = LayoutFor(w, h);
    // Also after an unchanged layout: a reopened mode starts at its own size.
    SetPictureSize(next.width, next.height);
    if (next == layout_) return;
    layout_ = next;
    buttons_.clear();
    MakeButtons();
    overviewRevision_ = 0; // its cells per pixel follow the view's size
    KeepCursorVisible();
    ClampView();
}

bool Editor::Frame() {
    UpdateLayout();
    if (playing_) {
        if (!game_.Running()) {
            playing_ = false;
            message_ = Tr(editor_texts::kGameEnded, {std::to_string(game_.Status())});
            std::error_code ec;
            fs::remove_all(playDir_, ec);
            ClearKeys();
        }
        // Keys pressed for the game are not the editor's.
        ClearKeys();
        DropMouseInput();
    } else {
        HandleInput();
    }
    live_.Offer(doc_);
    CheckResult result;
    if (live_.Take(result)) {
        check_ = std::move(result);
        UpdateProblems();
    }
    if (const std::string title = WindowTitle(); title != shownTitle_) {
        SetWindowTitle(title);
        shownTitle_ = title;
    }
    Draw();
    Flip(-1);
    Cls();
    return !quit_;
}

std::string Editor::WindowTitle() const {
    const std::string name = path_.empty() ? Tr(editor_texts::kNewMapName) : FileName(path_);
    return name + (doc_.Modified() ? "*" : "") + " - " + kWindowTitle;
}

void Editor::KeepCursorVisible() {
    if (zoom_ == Zoom::Overview) return;
    const int scale = zoom_ == Zoom::One ? 1 : 2;
    const int cols = layout_.columns / scale, rows = layout_.rows / scale;
    if (cx_ < vx_) vx_ = cx_;
    if (cx_ > vx_ + cols - 1) vx_ = cx_ - cols + 1;
    if (cy_ < vy_) vy_ = cy_;
    if (cy_ > vy_ + rows - 1) vy_ = cy_ - rows + 1;
    ClampView();
}

// As the game clamps its view (ClampViewOrigin), for the editor's view size.
void Editor::ClampView() {
    const int scale = zoom_ == Zoom::One ? 1 : 2;
    vx_ = std::clamp(vx_, 0, std::max(0, doc_.Width() - layout_.columns / scale));
    vy_ = std::clamp(vy_, 0, std::max(0, doc_.Height() - layout_.rows / scale));
}

void Editor::SetZoom(Zoom zoom) {
    zoom_ = zoom;
    if (zoom_ != Zoom::Overview) {
        // Centre the cursor, as the game centres the castaway.
        const int scale = zoom_ == Zoom::One ? 1 : 2;
        vx_ = cx_ - (layout_.columns + 1) / 2 / scale;
        vy_ = cy_ - (layout_.rows + 1) / 2 / scale;
        ClampView();
    }
}

void Editor::SelectProblem(int index) {
    if (index < 0 || index >= static_cast<int>(problems_.size())) return;
    selected_ = index;
    problemTop_ =
        TopShowing(problems_, selected_, problemTop_, layout_.problemRows, layout_.problemColumns);
    const Problem& p = problems_[index];
    if (p.x >= 0 && p.y >= 0) {
        cx_ = p.x;
        cy_ = p.y;
        if (zoom_ == Zoom::Overview) zoom_ = Zoom::One;
        SetZoom(zoom_);
        message_ = Tr(editor_texts::kCellProblem, {CellText(p.x, p.y), p.text});
    } else {
        message_ = p.text;
    }
}

// The wheel over the list and Shift+Page up/down; the drawing keeps it in range.
void Editor::ScrollProblems(int rows) {
    problemTop_ = VisibleProblemRows(problems_, problemTop_ + rows, layout_.problemRows,
                                     layout_.problemColumns)
                      .first;
}

bool Editor::CellAt(int px, int py, int& x, int& y) const {
    if (px < 0 || py < 0 || px >= layout_.viewW || py >= layout_.viewH) return false;
    switch (zoom_) {
    case Zoom::One:
        // Whole cells from the view's corner (the game centres cell (vx, vy)
        // on it, which would show only half of row and column 0).
        x = vx_ + px / kTile;
        y = vy_ + py / kTile;
        break;
    case Zoom::Two:
        x = vx_ + px / (2 * kTile);
        y = vy_ + py / (2 * kTile);
        break;
    case Zoom::Overview:
        x = static_cast<int>(px / overviewScale_);
        y = static_cast<int>(py / overviewScale_);
        break;
    }
    return doc_.Contains(x, y);
}

bool Editor::PixelOf(int x, int y, int& px, int& py) const {
    switch (zoom_) {
    case Zoom::One:
        px = (x - vx_) * kTile + kTile / 2;
        py = (y - vy_) * kTile + kTile / 2;
        break;
    case Zoom::Two:
        px = (x - vx_) * 2 * kTile + kTile;
        py = (y - vy_) * 2 * kTile + kTile;
        break;
    case Zoom::Overview:
        px = static_cast<int>((x + 0.5) * overviewScale_);
        py = static_cast<int>((y + 0.5) * overviewScale_);
        break;
    }
    return px >= 0 && py >= 0 && px < layout_.viewW && py < layout_.viewH;
}

void Editor::MakeButtons() {
    struct Entry {
        const char* label;
        std::function<void()> action;
    };
    const Entry entries[] = {
        {Tr(editor_texts::kButtonNew), [this] { RequestNew(); }},
        {Tr(editor_texts::kButtonOpen), [this] { RequestOpen(); }},
        {Tr(editor_texts::kButtonSave), [this] { Save(); }},
        {Tr(editor_texts::kButtonSaveAs), [this] { RequestSaveAs(); }},
        {Tr(editor_texts::kButtonUndo), [this] { UndoStep(); }},
        {Tr(editor_texts::kButtonRedo), [this] { RedoStep(); }},
        {Tr(editor_texts::kButtonZoom),
         [this] {
             SetZoom(zoom_ == Zoom::One   ? Zoom::Two
                     : zoom_ == Zoom::Two ? Zoom::Overview
                                          : Zoom::One);
         }},
        {Tr(editor_texts::kButtonTest), [this] { PlayTest(); }},
        {Tr(editor_texts::kButtonBrush),
         [this] { brush_ = brush_ == 1   ? 3
                           : brush_ == 3 ? 5
                                         : 1; }},
        {Tr(editor_texts::kButtonFill), [this] { tool_ = Tool::Fill; }},
        {Tr(editor_texts::kButtonEraser), [this] { tool_ = Tool::Eraser; }},
        {Tr(editor_texts::kButtonStart), [this] { tool_ = Tool::Start; }},
        {Tr(editor_texts::kButtonMoreApes),
         [this] { ChangeCritters(doc_.Apes() + 1, doc_.Lizards()); }},
        {Tr(editor_texts::kButtonFewerApes),
         [this] { ChangeCritters(doc_.Apes() - 1, doc_.Lizards()); }},
        {Tr(editor_texts::kButtonMoreLizards),
         [this] { ChangeCritters(doc_.Apes(), doc_.Lizards() + 1); }},
        {Tr(editor_texts::kButtonFewerLizards),
         [this] { ChangeCritters(doc_.Apes(), doc_.Lizards() - 1); }},
        {Tr(editor_texts::kButtonSelect), [this] { tool_ = Tool::Select; }},
        {Tr(editor_texts::kButtonRect), [this] { tool_ = Tool::Rect; }},
        {Tr(editor_texts::kButtonLine), [this] { tool_ = Tool::Line; }},
        {Tr(editor_texts::kButtonScatter), [this] { tool_ = Tool::Scatter; }},
    };
    const int w = 90, h = 16, top = layout_.buttonsY;
    int i = 0;
    for (const Entry& e : entries) {
        buttons_.push_back(
            {e.label, layout_.panelX + (i % 4) * (w + 4), top + (i / 4) * (h + 4), w, h, e.action});
        ++i;
    }
}

} // namespace editor
