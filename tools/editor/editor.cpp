#include "editor.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "core/state.h"
#include "media/clock.h"
#include "media/desktop.h"
#include "media/keyboard.h"
#include "media/mouse.h"
#include "world/karte.h"
#include "world/objekt.h"

namespace fs = std::filesystem;

namespace editor {
namespace {

const char* const GROUND_NAMES[TKarte::GROUND_KINDS] = {"Meer", "Flachwasser", "Sand", "Fels",
                                                        "Gras"};
constexpr int TILE = TKarte::TILE_SIZE;
constexpr int ITEM_COUNT = TObjekt::COUNT;
constexpr int PANEL_X = VIEW_W + 8;
// The palette in the panel: the five ground tiles, then the items 8 to a row.
constexpr int PALETTE_Y = 84;
constexpr int ITEMS_Y = PALETTE_Y + 40;
constexpr int ITEMS_PER_ROW = 8;
constexpr int LINE = 12;
constexpr int PROBLEMS_Y = VIEW_H + 22;
constexpr int PROBLEM_ROWS = (WINDOW_H - PROBLEMS_Y - 4) / LINE;

std::string CellText(int x, int y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

void Text(const std::string& text, int x, int y, int r = 255, int g = 255, int b = 255) {
    SetColor(r, g, b);
    DrawText(text, static_cast<float>(x), static_cast<float>(y));
}

void Box(int x, int y, int w, int h, int r, int g, int b, float alpha = 1.0f) {
    SetColor(r, g, b);
    SetAlpha(alpha);
    DrawRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w),
             static_cast<float>(h));
    SetAlpha(1.0f);
}

void Outline(int x, int y, int w, int h, int r, int g, int b) {
    Box(x, y, w, 2, r, g, b);
    Box(x, y + h - 2, w, 2, r, g, b);
    Box(x, y, 2, h, r, g, b);
    Box(x + w - 2, y, 2, h, r, g, b);
}

bool Inside(int px, int py, int x, int y, int w, int h) {
    return px >= x && py >= y && px < x + w && py < y + h;
}

// Where a critter could never start: the game draws columns and rows 1-63 only,
// rejects sea and the castaway's row and column.
bool NoCritterEver(const Document& doc, int x, int y, int startX, int startY) {
    return x < 1 || y < 1 || x > 63 || y > 63 || doc.Ground(x, y) == 0 || x == startX ||
           y == startY;
}

} // namespace

Editor::Editor(EditorOptions options) : options_(std::move(options)) {
    if (options_.startDir.empty()) options_.startDir = fs::current_path().string();
    NewMap(64, 64);
    MakeButtons();
}

void Editor::NewMap(int width, int height) {
    doc_ = Document::Blank(width, height);
    path_.clear();
    cx_ = cy_ = vx_ = vy_ = 0;
    markX_ = markY_ = -1;
    selected_ = -1;
    check_ = {};
    overviewRevision_ = 0;
    message_ = "Neue Karte " + std::to_string(doc_.Width()) + " x " +
               std::to_string(doc_.Height()) + ", ganz Meer.";
    UpdateProblems();
}

bool Editor::Open(const std::string& path) {
    Document doc;
    MapPaths paths;
    std::vector<mapcheck::Issue> notes;
    std::string error;
    if (!OpenMap(Absolute(path), doc, paths, notes, error)) {
        message_ = "Nicht geoeffnet: " + error;
        return false;
    }
    doc_ = std::move(doc);
    path_ = paths.image;
    owned_ = {paths.image, paths.layer, paths.critter};
    cx_ = cy_ = 0;
    markX_ = markY_ = -1;
    selected_ = -1;
    check_ = {};
    overviewRevision_ = 0;
    int sx = 0, sy = 0;
    if (mapcheck::FindStart(doc_.Data(), sx, sy)) {
        cx_ = sx;
        cy_ = sy;
    }
    SetZoom(zoom_);
    message_ = "Geoeffnet: " + path_;
    for (const mapcheck::Issue& note : notes)
        message_ += " / " + note.text;
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

bool Editor::Frame() {
    if (playing_) {
        if (!game_.Running()) {
            playing_ = false;
            message_ = "Spiel beendet (Status " + std::to_string(game_.Status()) + ").";
            std::error_code ec;
            fs::remove_all(playDir_, ec);
            ClearKeys();
        }
        // Keys pressed for the game are not the editor's.
        ClearKeys();
        MouseHitCount(MOUSE_LEFT);
        MouseHitCount(MOUSE_RIGHT);
    } else {
        HandleInput();
    }
    live_.Offer(doc_);
    CheckResult result;
    if (live_.Take(result)) {
        check_ = std::move(result);
        UpdateProblems();
    }
    Draw();
    Flip(-1);
    Cls();
    return !quit_;
}

// ---- input ------------------------------------------------------------------

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
            message_ = "Abgebrochen.";
        } else if (prompt_.yesNo) {
            if (c == 'j' || c == 'J' || c == 'y' || c == 'Y') {
                auto done = std::move(prompt_.done);
                prompt_ = {};
                done("j");
            } else if (c == 'n' || c == 'N') {
                prompt_ = {};
                message_ = "Abgebrochen.";
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
            const int first = std::max(0, selected_ - PROBLEM_ROWS + 1);
            const int index = first + (my - PROBLEMS_Y) / LINE;
            if (index < static_cast<int>(problems_.size())) SelectProblem(index);
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
        message_ = std::to_string(n) + " Zellen gefuellt.";
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

void Editor::KeepCursorVisible() {
    if (zoom_ == Zoom::Overview) return;
    const int cols = zoom_ == Zoom::One ? TKarte::VIEW_COLUMNS : TKarte::VIEW_COLUMNS / 2;
    const int rows = zoom_ == Zoom::One ? TKarte::VIEW_ROWS : TKarte::VIEW_ROWS / 2;
    // At 1x the leftmost column and top row show half a tile, as in the game.
    const int lo = zoom_ == Zoom::One ? 1 : 0;
    if (cx_ < vx_ + lo) vx_ = cx_ - lo;
    if (cx_ > vx_ + cols - 1) vx_ = cx_ - cols + 1;
    if (cy_ < vy_ + lo) vy_ = cy_ - lo;
    if (cy_ > vy_ + rows - 1) vy_ = cy_ - rows + 1;
    ClampView();
}

void Editor::ClampView() {
    if (zoom_ == Zoom::One) {
        ClampViewOrigin(doc_.Karte(), vx_, vy_);
        return;
    }
    vx_ = std::clamp(vx_, 0, std::max(0, doc_.Width() - TKarte::VIEW_COLUMNS / 2));
    vy_ = std::clamp(vy_, 0, std::max(0, doc_.Height() - TKarte::VIEW_ROWS / 2));
}

void Editor::SetZoom(Zoom zoom) {
    zoom_ = zoom;
    if (zoom_ != Zoom::Overview) {
        // Centre the cursor, as the game centres the castaway.
        const int scale = zoom_ == Zoom::One ? 1 : 2;
        vx_ = cx_ - TKarte::VIEW_OFFSET_X / scale;
        vy_ = cy_ - TKarte::VIEW_OFFSET_Y / scale;
        ClampView();
    }
}

void Editor::SelectProblem(int index) {
    if (index < 0 || index >= static_cast<int>(problems_.size())) return;
    selected_ = index;
    const Problem& p = problems_[index];
    if (p.x >= 0 && p.y >= 0) {
        cx_ = p.x;
        cy_ = p.y;
        if (zoom_ == Zoom::Overview) zoom_ = Zoom::One;
        SetZoom(zoom_);
        message_ = "Zelle " + CellText(p.x, p.y) + ": " + p.text;
    } else {
        message_ = p.text;
    }
}

bool Editor::CellAt(int px, int py, int& x, int& y) const {
    if (px < 0 || py < 0 || px >= VIEW_W || py >= VIEW_H) return false;
    switch (zoom_) {
    case Zoom::One:
        // Cell (vx, vy) is centred on the view's corner.
        x = vx_ + (px + TILE / 2) / TILE;
        y = vy_ + (py + TILE / 2) / TILE;
        break;
    case Zoom::Two:
        x = vx_ + px / (2 * TILE);
        y = vy_ + py / (2 * TILE);
        break;
    case Zoom::Overview:
        x = px / overviewScale_ * overviewCells_;
        y = py / overviewScale_ * overviewCells_;
        break;
    }
    return doc_.Contains(x, y);
}

bool Editor::PixelOf(int x, int y, int& px, int& py) const {
    switch (zoom_) {
    case Zoom::One:
        px = (x - vx_) * TILE;
        py = (y - vy_) * TILE;
        break;
    case Zoom::Two:
        px = (x - vx_) * 2 * TILE + TILE;
        py = (y - vy_) * 2 * TILE + TILE;
        break;
    case Zoom::Overview:
        px = x / overviewCells_ * overviewScale_ + overviewScale_ / 2;
        py = y / overviewCells_ * overviewScale_ + overviewScale_ / 2;
        break;
    }
    return px >= 0 && py >= 0 && px < VIEW_W && py < VIEW_H;
}

// ---- prompts and files --------------------------------------------------------

void Editor::Ask(const std::string& label, const std::string& initial,
                 std::function<void(const std::string&)> done) {
    while (NextChar() != 0) {
    }
    prompt_ = {true, label, initial, false, std::move(done)};
}

void Editor::Confirm(const std::string& label, std::function<void()> yes) {
    while (NextChar() != 0) {
    }
    prompt_ = {true, label + " (J/N)", "", true, [yes](const std::string&) { yes(); }};
}

void Editor::UnlessUnsaved(std::function<void()> then) {
    if (doc_.Modified())
        Confirm("Ungespeicherte Aenderungen verwerfen?", std::move(then));
    else
        then();
}

void Editor::RequestNew() {
    UnlessUnsaved([this] {
        Ask("Neue Karte, Breite x Hoehe (20 x 15 bis 4096 x 4096):", "64x64",
            [this](const std::string& text) {
                int w = 0, h = 0;
                char sep = 0;
                if (std::sscanf(text.c_str(), "%d %c %d", &w, &sep, &h) != 3 ||
                    (sep != 'x' && sep != 'X') || w < MIN_WIDTH || h < MIN_HEIGHT || w > MAX_SIDE ||
                    h > MAX_SIDE) {
                    message_ = "Groesse \"" + text + "\" geht nicht: 20 x 15 bis 4096 x 4096.";
                    return;
                }
                NewMap(w, h);
            });
    });
}

void Editor::RequestOpen() {
    UnlessUnsaved([this] {
        const std::string folder =
            path_.empty() ? DefaultMapsFolder() : fs::path(path_).parent_path().string() + "/";
        const std::string chosen = RequestFile("Karte oeffnen", "Karten:png,map", 0, folder);
        if (!chosen.empty()) Open(chosen);
    });
}

void Editor::Save() {
    if (path_.empty())
        RequestSaveAs();
    else
        SaveTo(path_);
}

void Editor::RequestSaveAs() {
    const std::string initial = path_.empty() ? DefaultMapsFolder() + "insel.png" : path_;
    Ask("Speichern unter (Bild .png; .map und .critter daneben):", initial,
        [this](const std::string& text) { SaveTo(Absolute(text)); });
}

void Editor::SaveTo(const std::string& imagePath) {
    std::string error;
    const MapPaths targets = SaveTargets(imagePath, error);
    if (targets.image.empty()) {
        message_ = "Nicht gespeichert: " + error;
        return;
    }
    std::vector<std::string> foreign;
    for (const std::string& file : ExistingFiles(targets))
        if (!owned_.count(file)) foreign.push_back(file);
    auto write = [this, targets] {
        std::string why;
        std::error_code ec;
        fs::create_directories(fs::path(targets.image).parent_path(), ec);
        if (!SaveMap(doc_, targets, why)) {
            message_ = "Nicht gespeichert: " + why;
            return;
        }
        path_ = targets.image;
        owned_ = {targets.image, targets.layer, targets.critter};
        doc_.MarkSaved();
        message_ = "Gespeichert: " + targets.image;
    };
    if (foreign.empty()) {
        write();
        return;
    }
    std::string list;
    for (const std::string& f : foreign)
        list += (list.empty() ? "" : ", ") + fs::path(f).filename().string();
    Confirm("Vorhandene Dateien ueberschreiben: " + list + "?", write);
}

void Editor::PlayTest() {
    const std::string program =
        !options_.gameProgram.empty() ? options_.gameProgram : FindGame(options_.startDir);
    if (program.empty()) {
        message_ = "Spiel nicht gefunden (palmut neben dem Editor oder im PATH).";
        return;
    }
    // The map as it is now, saved or not, in a folder of its own.
    std::string pattern = (fs::temp_directory_path() / "palmut-editor-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        message_ = "Kein Platz fuer die Testkarte.";
        return;
    }
    playDir_ = pattern;
    std::string error;
    MapPaths targets = SaveTargets(playDir_ + "/testinsel.png", error);
    if (targets.image.empty() || !SaveMap(doc_, targets, error) ||
        !game_.Start(program, targets.image, error)) {
        message_ = "Probespiel geht nicht: " + error;
        std::error_code ec;
        fs::remove_all(playDir_, ec);
        return;
    }
    playing_ = true;
    message_ = "Spiel laeuft ... (der Editor wartet, bis es endet)";
}

void Editor::Quit() {
    UnlessUnsaved([this] { quit_ = true; });
}

void Editor::UpdateProblems() {
    problems_.clear();
    int sx = -1, sy = -1;
    const bool hasStart = mapcheck::FindStart(doc_.Data(), sx, sy);
    if (markX_ >= 0 && (!hasStart || sx != markX_ || sy != markY_))
        problems_.push_back(
            {true,
             "Start ist nicht die Markierung " + CellText(markX_, markY_) +
                 (hasStart ? ", sondern " + CellText(sx, sy) + " (erstes Land auf der Diagonale)"
                           : ": kein Land auf der Diagonale"),
             hasStart ? sx : markX_, hasStart ? sy : markY_});
    for (const mapcheck::Issue& issue : check_.analysis.issues)
        problems_.push_back({issue.error, issue.text, issue.x, issue.y});
    if (selected_ >= static_cast<int>(problems_.size()))
        selected_ = static_cast<int>(problems_.size()) - 1;
}

void Editor::MakeButtons() {
    struct Entry {
        const char* label;
        std::function<void()> action;
    };
    const Entry entries[] = {
        {"Neu", [this] { RequestNew(); }},
        {"Oeffnen", [this] { RequestOpen(); }},
        {"Speichern", [this] { Save(); }},
        {"Sp. unter", [this] { RequestSaveAs(); }},
        {"Zurueck", [this] { doc_.Undo(); }},
        {"Vorwaerts", [this] { doc_.Redo(); }},
        {"Zoom",
         [this] {
             SetZoom(zoom_ == Zoom::One   ? Zoom::Two
                     : zoom_ == Zoom::Two ? Zoom::Overview
                                          : Zoom::One);
         }},
        {"Testen", [this] { PlayTest(); }},
        {"Pinsel", [this] { brush_ = brush_ == 1   ? 3
                                     : brush_ == 3 ? 5
                                                   : 1; }},
        {"Fuellen", [this] { tool_ = Tool::Fill; }},
        {"Radierer", [this] { tool_ = Tool::Eraser; }},
        {"Start", [this] { tool_ = Tool::Start; }},
        {"Affen+", [this] { doc_.SetCritters(doc_.Apes() + 1, doc_.Lizards()); }},
        {"Affen-", [this] { doc_.SetCritters(doc_.Apes() - 1, doc_.Lizards()); }},
        {"Warane+", [this] { doc_.SetCritters(doc_.Apes(), doc_.Lizards() + 1); }},
        {"Warane-", [this] { doc_.SetCritters(doc_.Apes(), doc_.Lizards() - 1); }},
    };
    const int w = 90, h = 16, top = 378;
    int i = 0;
    for (const Entry& e : entries) {
        buttons_.push_back(
            {e.label, PANEL_X + (i % 4) * (w + 4), top + (i / 4) * (h + 4), w, h, e.action});
        ++i;
    }
}

// ---- drawing ----------------------------------------------------------------

void Editor::Draw() {
    SetBlend(BLEND_ALPHA);
    SetAlpha(1.0f);
    SetDrawScale(1, 1);
    SetDrawRotation(0);
    SetColor(255, 255, 255);
    if (zoom_ == Zoom::Overview)
        DrawOverview();
    else
        DrawView();
    DrawPanel();
    DrawProblems();
    if (help_) DrawHelp();
    if (prompt_.active) DrawPrompt();
}

void Editor::DrawCellFrame(int x, int y, int r, int g, int b) {
    int px = 0, py = 0;
    if (!PixelOf(x, y, px, py) && zoom_ != Zoom::Overview) return;
    const int size = zoom_ == Zoom::One   ? TILE
                     : zoom_ == Zoom::Two ? 2 * TILE
                                          : std::max(overviewScale_, 4);
    Outline(px - size / 2, py - size / 2, size, size, r, g, b);
}

void Editor::DrawView() {
    ClampView();
    if (zoom_ == Zoom::One) {
        SetColor(255, 255, 255);
        doc_.Karte().Render(vx_, vy_); // exactly the game's picture
    } else {
        SetDrawScale(2, 2);
        for (int y = vy_; y <= vy_ + TKarte::VIEW_ROWS / 2 && y < doc_.Height(); ++y)
            for (int x = vx_; x <= vx_ + TKarte::VIEW_COLUMNS / 2 && x < doc_.Width(); ++x) {
                const float px = static_cast<float>((x - vx_) * 2 * TILE + TILE);
                const float py = static_cast<float>((y - vy_) * 2 * TILE + TILE);
                SetColor(255, 255, 255);
                if (tiles) DrawImage(tiles, px, py, doc_.Ground(x, y));
                const int item = doc_.Item(x, y);
                if (objectimages && item >= 1 && item <= ITEM_COUNT)
                    DrawImage(objectimages, px, py, item - 1);
            }
        SetDrawScale(1, 1);
    }
    int sx = -1, sy = -1;
    mapcheck::FindStart(doc_.Data(), sx, sy);
    if (critterZones_) {
        const int cols = zoom_ == Zoom::One ? TKarte::VIEW_COLUMNS : TKarte::VIEW_COLUMNS / 2;
        const int rows = zoom_ == Zoom::One ? TKarte::VIEW_ROWS : TKarte::VIEW_ROWS / 2;
        const int size = zoom_ == Zoom::One ? TILE : 2 * TILE;
        for (int y = vy_; y <= vy_ + rows && y < doc_.Height(); ++y)
            for (int x = vx_; x <= vx_ + cols && x < doc_.Width(); ++x) {
                int px = 0, py = 0;
                PixelOf(x, y, px, py);
                if (NoCritterEver(doc_, x, y, sx, sy))
                    Box(px - size / 2, py - size / 2, size, size, 200, 0, 0, 0.35f);
            }
    }
    if (sx >= 0) DrawCellFrame(sx, sy, 255, 255, 0);
    if (markX_ >= 0) DrawCellFrame(markX_, markY_, 0, 255, 255);
    if (selected_ >= 0 && problems_[selected_].x >= 0)
        DrawCellFrame(problems_[selected_].x, problems_[selected_].y, 255, 64, 64);
    DrawCellFrame(cx_, cy_, 255, 255, 255);
}

void Editor::DrawOverview() {
    const int w = doc_.Width(), h = doc_.Height();
    // Whole cells per pixel on big islands, a few pixels per cell on small ones.
    overviewCells_ = std::max((w + VIEW_W - 1) / VIEW_W, (h + VIEW_H - 1) / VIEW_H);
    overviewScale_ = overviewCells_ > 1 ? 1 : std::max(1, std::min(VIEW_W / w, VIEW_H / h));
    if (!overview_ || overviewRevision_ != doc_.Revision()) {
        const int iw = (w + overviewCells_ - 1) / overviewCells_;
        const int ih = (h + overviewCells_ - 1) / overviewCells_;
        std::vector<uint32_t> pixels(static_cast<size_t>(iw) * ih);
        for (int py = 0; py < ih; ++py)
            for (int px = 0; px < iw; ++px) {
                const int x = px * overviewCells_, y = py * overviewCells_;
                uint32_t c =
                    mapcheck::kGroundColours[std::min(doc_.Ground(x, y), TKarte::GROUND_KINDS - 1)];
                // Items darken their cell, so palms and supplies show as dots.
                if (doc_.Item(x, y) != 0) c = 0xFF000000 | ((c >> 1) & 0x7F7F7F);
                pixels[static_cast<size_t>(py) * iw + px] = c;
            }
        overview_ = CreateImage(iw, ih, pixels.data());
        overviewRevision_ = doc_.Revision();
    }
    SetColor(255, 255, 255);
    SetDrawScale(static_cast<float>(overviewScale_), static_cast<float>(overviewScale_));
    if (overview_) DrawImage(overview_, 0, 0, 0);
    SetDrawScale(1, 1);
    int sx = -1, sy = -1;
    if (mapcheck::FindStart(doc_.Data(), sx, sy)) DrawCellFrame(sx, sy, 255, 255, 0);
    if (markX_ >= 0) DrawCellFrame(markX_, markY_, 0, 255, 255);
    if (selected_ >= 0 && problems_[selected_].x >= 0)
        DrawCellFrame(problems_[selected_].x, problems_[selected_].y, 255, 64, 64);
    DrawCellFrame(cx_, cy_, 255, 255, 255);
}

void Editor::DrawPanel() {
    Box(VIEW_W, 0, WINDOW_W - VIEW_W, WINDOW_H, 24, 24, 40);
    Box(0, VIEW_H, VIEW_W, WINDOW_H - VIEW_H, 24, 24, 40);
    SetFont(nullptr);
    const std::string name = path_.empty() ? "(neue Karte)" : fs::path(path_).filename().string();
    Text("palmut-editor: " + name + (doc_.Modified() ? " *" : ""), PANEL_X, 4, 255, 255, 160);
    Text("Groesse " + std::to_string(doc_.Width()) + " x " + std::to_string(doc_.Height()) +
             "   Zelle " + CellText(cx_, cy_),
         PANEL_X, 4 + LINE);
    const int item = doc_.Item(cx_, cy_);
    Text(std::string("Boden: ") +
             GROUND_NAMES[std::min(doc_.Ground(cx_, cy_), TKarte::GROUND_KINDS - 1)] +
             "  Objekt: " + (item ? TObjekt::getName(item) : std::string("-")),
         PANEL_X, 4 + 2 * LINE);
    static const char* const toolNames[] = {"Bodenpinsel", "Fuellen", "Objekt", "Radierer",
                                            "Startmarke"};
    std::string tool = std::string("Werkzeug: ") + toolNames[static_cast<int>(tool_)];
    if (tool_ == Tool::Ground || tool_ == Tool::Fill)
        tool += std::string(" ") + GROUND_NAMES[ground_];
    if (tool_ == Tool::Item) tool += " " + TObjekt::getName(item_);
    if (tool_ == Tool::Ground || tool_ == Tool::Eraser)
        tool += "  Pinsel " + std::to_string(brush_);
    Text(tool, PANEL_X, 4 + 3 * LINE, 160, 255, 160);
    static const char* const zoomNames[] = {"1x", "2x", "Uebersicht"};
    Text(std::string("Zoom ") + zoomNames[static_cast<int>(zoom_)] + "   F1 Hilfe", PANEL_X,
         4 + 4 * LINE);

    // Palette: the game's own tiles and item pictures.
    SetColor(255, 255, 255);
    for (int k = 0; k < TKarte::GROUND_KINDS; ++k) {
        const int x = PANEL_X + k * 36, y = PALETTE_Y;
        SetColor(255, 255, 255);
        if (tiles) DrawImage(tiles, static_cast<float>(x + 16), static_cast<float>(y + 16), k);
        if (k == ground_) Outline(x - 2, y - 2, 36, 36, 255, 255, 0);
    }
    for (int id = 1; id <= ITEM_COUNT; ++id) {
        const int i = id - 1;
        const int x = PANEL_X + (i % ITEMS_PER_ROW) * 36, y = ITEMS_Y + (i / ITEMS_PER_ROW) * 36;
        Box(x, y, 32, 32, 60, 60, 80);
        SetColor(255, 255, 255);
        if (objectimages)
            DrawImage(objectimages, static_cast<float>(x + 16), static_cast<float>(y + 16), i);
        if (id == item_) Outline(x - 2, y - 2, 36, 36, 255, 255, 0);
    }
    int y = ITEMS_Y + 3 * 36 + 2;
    Text("Objekt " + std::to_string(item_) + ": " + TObjekt::getName(item_), PANEL_X, y);
    y += LINE + 4;
    Text("Affen: " + std::to_string(doc_.Apes()) + "   Warane: " + std::to_string(doc_.Lizards()) +
             (critterZones_ ? "   (rot: nie ein Tier)" : "   K: Sperrzonen"),
         PANEL_X, y);
    y += LINE;
    int sx = -1, sy = -1;
    const bool hasStart = mapcheck::FindStart(doc_.Data(), sx, sy);
    Text("Start: " + (hasStart ? CellText(sx, sy) : std::string("keiner")) +
             "   Markierung: " + (markX_ >= 0 ? CellText(markX_, markY_) : std::string("-")),
         PANEL_X, y, 255, 255, 0);
    y += LINE + 4;
    const mapcheck::Analysis& a = check_.analysis;
    const bool fresh = check_.revision == doc_.Revision();
    Text(std::string("Pruefung: ") +
             (check_.revision == 0 ? "laeuft ..."
              : fresh              ? "aktuell"
                                   : "wird erneuert") +
             (check_.revision ? "  (" + std::to_string(check_.millis) + " ms)" : ""),
         PANEL_X, y);
    y += LINE;
    if (check_.revision) {
        Text("Erreichbar: " + std::to_string(a.reachableCells) + " von " +
                 std::to_string(a.landCells) + " Landzellen",
             PANEL_X, y);
        y += LINE;
        Text("Weg zum Wasser " + std::to_string(a.worstThirstToWater) + " Durst, zum Obst " +
                 std::to_string(a.worstHungerToFood) + " Hunger",
             PANEL_X, y);
        y += LINE;
        Text(a.winnable ? "Floss: baubar, Insel gewinnbar" : "Floss: NICHT baubar", PANEL_X, y,
             a.winnable ? 128 : 255, a.winnable ? 255 : 96, 96);
    }
    for (const Button& b : buttons_) {
        Box(b.x, b.y, b.w, b.h, 60, 60, 100);
        Text(b.label, b.x + 4, b.y + 1);
    }
    Text(message_.substr(0, 46), PANEL_X, WINDOW_H - 3 * LINE, 255, 200, 120);
    if (message_.size() > 46)
        Text(message_.substr(46, 46), PANEL_X, WINDOW_H - 2 * LINE, 255, 200, 120);
}

void Editor::DrawProblems() {
    Text("Probleme (" + std::to_string(problems_.size()) +
             "): Tab / Umschalt+Tab oder Klick springt zur Zelle",
         4, VIEW_H + 6, 255, 255, 160);
    const int first = std::max(0, selected_ - PROBLEM_ROWS + 1);
    for (int row = 0; row < PROBLEM_ROWS; ++row) {
        const int i = first + row;
        if (i >= static_cast<int>(problems_.size())) break;
        const Problem& p = problems_[i];
        const int y = PROBLEMS_Y + row * LINE;
        if (i == selected_) Box(0, y - 2, VIEW_W, LINE, 80, 40, 40);
        std::string line = (p.error ? "FEHLER: " : "Warnung: ") + p.text;
        if (line.size() > 78) line = line.substr(0, 77) + "~";
        Text(line, 4, y, p.error ? 255 : 255, p.error ? 96 : 220, p.error ? 96 : 120);
    }
    if (problems_.empty() && check_.revision)
        Text("Keine Probleme gefunden.", 4, PROBLEMS_Y, 128, 255, 128);
}

void Editor::DrawPrompt() {
    Box(40, 180, 560, 80, 0, 0, 0, 0.85f);
    Outline(40, 180, 560, 80, 255, 255, 160);
    Text(prompt_.label.substr(0, 66), 52, 192);
    std::string shown = prompt_.text + "_";
    if (shown.size() > 66) shown = "~" + shown.substr(shown.size() - 65);
    Text(shown, 52, 216, 255, 255, 0);
    Text(prompt_.yesNo ? "J = ja, N oder Esc = nein" : "Enter = ok, Esc = abbrechen", 52, 240, 160,
         160, 160);
}

void Editor::DrawHelp() {
    static const char* const lines[] = {
        "Tasten (die Maus geht auch)",
        "Pfeile          Cursor (Umschalt: 8 Zellen)",
        "Leertaste       Werkzeug anwenden, gehalten: malen",
        "1-5             Boden: Meer, Flachwasser, Sand, Fels, Gras",
        "G / F           Bodenpinsel / Fuellen",
        "B               Pinselgroesse 1, 3, 5",
        "I, Bild auf/ab  Objekt setzen, Objekt waehlen",
        "E, Entf         Radierer",
        "M               Startmarke setzen",
        "A / Umsch+A     Affen mehr / weniger",
        "W / Umsch+W     Warane mehr / weniger",
        "K               wo nie ein Tier erscheint",
        "Z               Zoom 1x, 2x, Uebersicht",
        "Strg+Z / Strg+Y Rueckgaengig / Wiederholen",
        "Tab             naechstes Problem",
        "Strg+N, Strg+O  Neu, Oeffnen",
        "Strg+S          Speichern (Umschalt: unter)",
        "F5              Probespiel",
        "Esc             Hilfe zu / Ende",
        "Maus: links malen, rechts Boden/Objekt aufnehmen,",
        "Rad rollen (Umschalt: seitlich, Strg: Zoom)",
    };
    Box(20, 20, 600, 28 + static_cast<int>(std::size(lines)) * 14, 0, 0, 0, 0.85f);
    int y = 30;
    for (const char* line : lines) {
        Text(line, 32, y);
        y += 14;
    }
}

} // namespace editor
