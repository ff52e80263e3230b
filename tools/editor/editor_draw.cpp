// Drawing the editor: the map view or overview, the panel, problems and prompts.
#include <algorithm>
#include <cmath>

#include "core/state.h"
#include "editor.h"
#include "editor_layout.h"
#include "editor_texts.h"
#include "media/graphics.h"
#include "media/text_ops.h"
#include "problem_rows.h"
#include "text_fit.h"
#include "world/karte.h"
#include "world/objekt.h"

namespace editor {
namespace {

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

// A heading within `columns` letters, so it stays out of the panel beside a
// narrow view: its part before ": " (the rest is a hint), else cut there.
std::string FitLine(const std::string& line, std::size_t columns) {
    if (Utf8Letters(line) <= columns) return line;
    const std::size_t colon = line.find(": ");
    return colon != std::string::npos && Utf8Letters(line.substr(0, colon)) <= columns
               ? line.substr(0, colon)
               : Utf8Prefix(line, columns);
}

// Around a palette entry: yellow for the tool in use, dim otherwise.
void ChoiceFrame(int x, int y, bool lit) {
    constexpr int kSide = kPaletteEntry + 4;
    if (lit)
        Outline(x - 2, y - 2, kSide, kSide, 255, 255, 0);
    else
        Outline(x - 2, y - 2, kSide, kSide, 90, 90, 110);
}

// Where a critter could never start: the game draws columns and rows 1-63 only,
// rejects sea and the castaway's row and column.
bool NoCritterEver(const Document& doc, int x, int y, int startX, int startY) {
    return x < 1 || y < 1 || x > 63 || y > 63 || doc.Ground(x, y) == 0 || x == startX ||
           y == startY;
}

} // namespace

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
    DrawToolPreview();
    DrawPanel();
    DrawHint();
    DrawProblems();
    if (help_) DrawHelp();
    if (prompt_.active) DrawPrompt();
}

void Editor::DrawCellFrame(int x, int y, int r, int g, int b) {
    int px = 0, py = 0;
    if (!PixelOf(x, y, px, py) && zoom_ != Zoom::Overview) return;
    const int size = zoom_ == Zoom::One   ? kTile
                     : zoom_ == Zoom::Two ? 2 * kTile
                                          : std::max(static_cast<int>(overviewScale_), 4);
    Outline(px - size / 2, py - size / 2, size, size, r, g, b);
}

void Editor::DrawView() {
    ClampView();
    DrawCells();
    int sx = -1, sy = -1;
    mapcheck::FindStart(doc_.Data(), sx, sy);
    if (critterZones_) DrawCritterZones(sx, sy);
    if (grid_) DrawGrid();
    DrawStartDiagonal();
    DrawCellFrames();
    DrawBrushOutline();
}

// The cursor below the rest: on the start cell the start's frame must show.
void Editor::DrawCellFrames() {
    DrawCellFrame(cx_, cy_, 255, 255, 255);
    if (selected_ >= 0 && problems_[selected_].x >= 0)
        DrawCellFrame(problems_[selected_].x, problems_[selected_].y, 255, 64, 64);
    const Mark& mark = doc_.StartMark();
    if (mark.x >= 0) DrawCellFrame(mark.x, mark.y, 0, 255, 255);
    int sx = -1, sy = -1;
    if (mapcheck::FindStart(doc_.Data(), sx, sy)) DrawCellFrame(sx, sy, 255, 255, 0);
}

// The view from the game's tiles and item pictures, placed as the game places
// them at 1x (cell (vx, vy) centred on the corner) and twice as large at 2x.
// Cells reaching past the view are covered by the panels.
void Editor::DrawCells() {
    const int scale = zoom_ == Zoom::One ? 1 : 2;
    SetDrawScale(static_cast<float>(scale), static_cast<float>(scale));
    SetColor(255, 255, 255);
    for (int y = vy_; y <= vy_ + layout_.rows / scale && y < doc_.Height(); ++y)
        for (int x = vx_; x <= vx_ + layout_.columns / scale && x < doc_.Width(); ++x) {
            int px = 0, py = 0;
            PixelOf(x, y, px, py);
            if (tiles)
                DrawImage(tiles, static_cast<float>(px), static_cast<float>(py), doc_.Ground(x, y));
            const int item = doc_.Item(x, y);
            if (objectimages && item >= 1 && item <= kItemCount)
                DrawImage(objectimages, static_cast<float>(px), static_cast<float>(py), item - 1);
        }
    SetDrawScale(1, 1);
}

// What the left button would change under the pointer: the brush's square for
// the ground brush and the eraser, one cell for the other tools.
void Editor::DrawBrushOutline() {
    if (hoverX_ < 0 || zoom_ == Zoom::Overview) return;
    const int side = tool_ == Tool::Ground || tool_ == Tool::Eraser ? brush_ : 1;
    const int cell = zoom_ == Zoom::One ? kTile : 2 * kTile;
    int px = 0, py = 0;
    PixelOf(hoverX_, hoverY_, px, py);
    const int half = side * cell / 2;
    Outline(px - half, py - half, side * cell, side * cell, 255, 160, 0);
}

// Red over the cells where no critter can ever start.
void Editor::DrawCritterZones(int sx, int sy) {
    const int scale = zoom_ == Zoom::One ? 1 : 2;
    const int cols = layout_.columns / scale, rows = layout_.rows / scale;
    const int size = scale * kTile;
    for (int y = vy_; y <= vy_ + rows && y < doc_.Height(); ++y)
        for (int x = vx_; x <= vx_ + cols && x < doc_.Width(); ++x) {
            int px = 0, py = 0;
            PixelOf(x, y, px, py);
            if (NoCritterEver(doc_, x, y, sx, sy))
                Box(px - size / 2, py - size / 2, size, size, 200, 0, 0, 0.35f);
        }
}

void Editor::DrawOverview() {
    const int w = doc_.Width(), h = doc_.Height();
    // Whole pixels per cell on small islands; on big ones the island shrunk
    // to the view's width or height, whichever it meets first.
    const int viewW = layout_.viewW, viewH = layout_.viewH;
    const double fit = std::min(static_cast<double>(viewW) / w, static_cast<double>(viewH) / h);
    overviewScale_ = fit >= 1 ? std::floor(fit) : fit;
    const int shown = fit >= 1 ? 1 : 0; // drawn at the whole scale, or pixel for pixel
    if (!overview_ || overviewRevision_ != doc_.Revision()) {
        const int iw = shown ? w : std::max(1, static_cast<int>(w * fit));
        const int ih = shown ? h : std::max(1, static_cast<int>(h * fit));
        std::vector<uint32_t> pixels(static_cast<size_t>(iw) * ih);
        for (int py = 0; py < ih; ++py)
            for (int px = 0; px < iw; ++px) {
                const int x = shown ? px : std::min(w - 1, static_cast<int>(px / fit));
                const int y = shown ? py : std::min(h - 1, static_cast<int>(py / fit));
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
    const float scale = shown ? static_cast<float>(overviewScale_) : 1.0f;
    SetDrawScale(scale, scale);
    if (overview_) DrawImage(overview_, 0, 0, 0);
    SetDrawScale(1, 1);
    DrawStartDiagonal();
    DrawCellFrames();
}

// Where the game looks for the castaway's start: the cells (i, i) from (0, 0),
// dotted up to the first land cell (framed in yellow) or to the last one the
// game looks at. A mark elsewhere is then plainly not where the game starts.
void Editor::DrawStartDiagonal() {
    int sx = -1, sy = -1;
    const bool found = mapcheck::FindStart(doc_.Data(), sx, sy);
    const int last = found ? sx : mapcheck::StartDiagonalCells(doc_.Data()) - 1;
    const int dot = zoom_ == Zoom::Overview ? 2 : zoom_ == Zoom::One ? 6 : 10;
    for (int i = 0; i <= last; ++i) {
        int px = 0, py = 0;
        if (!PixelOf(i, i, px, py)) continue;
        Box(px - dot / 2, py - dot / 2, dot, dot, 0, 0, 0, 0.6f);
        Box(px - dot / 2 + 1, py - dot / 2 + 1, dot - 2, dot - 2, 255, 255, 0, found ? 0.8f : 0.5f);
    }
}

// Thin lines between the cells of the view (H turns them on and off).
void Editor::DrawGrid() {
    const int cell = zoom_ == Zoom::One ? kTile : 2 * kTile;
    for (int x = cell; x < layout_.viewW; x += cell)
        Box(x, 0, 1, layout_.viewH, 0, 0, 0, 0.35f);
    for (int y = cell; y < layout_.viewH; y += cell)
        Box(0, y, layout_.viewW, 1, 0, 0, 0, 0.35f);
}

void Editor::DrawPanel() {
    const Layout& l = layout_;
    Box(l.viewW, 0, l.width - l.viewW, l.height, 24, 24, 40);
    Box(0, l.viewH, l.viewW, l.height - l.viewH, 24, 24, 40);
    SetFont(nullptr);
    const std::string name = path_.empty() ? Tr(editor_texts::kNewMapName) : FileName(path_);
    Text("palmut-editor: " + name + (doc_.Modified() ? " *" : ""), layout_.panelX, 4, 255, 255,
         160);
    // The cell the pointer moved to last, or else the keyboard cursor's.
    const bool pointer = describePointer_ && hoverX_ >= 0;
    const int x = pointer ? hoverX_ : cx_, y = pointer ? hoverY_ : cy_;
    Text(Tr(editor_texts::kSizeAndCell,
            {std::to_string(doc_.Width()), std::to_string(doc_.Height()), CellText(x, y)}),
         layout_.panelX, 4 + kLine);
    const int item = doc_.Item(x, y);
    Text(Tr(editor_texts::kGroundAndItem, {Tr(editor_texts::kGroundNames[std::clamp(
                                               doc_.Ground(x, y), 0, TKarte::GROUND_KINDS - 1)]),
                                           item ? TObjekt::getName(item) : std::string("-")}),
         layout_.panelX, 4 + 2 * kLine);
    const TText* const toolNames = editor_texts::kToolNames;
    std::string tool = Tr(editor_texts::kToolLine, {Tr(toolNames[static_cast<int>(tool_)])});
    if (tool_ == Tool::Ground || tool_ == Tool::Fill)
        tool += std::string(" ") + Tr(editor_texts::kGroundNames[ground_]);
    if (tool_ == Tool::Item) tool += " " + TObjekt::getName(item_);
    if (tool_ == Tool::Ground || tool_ == Tool::Eraser)
        tool += "  " + Tr(editor_texts::kBrushSize, {std::to_string(brush_)});
    tool += ToolDetail();
    Text(tool, layout_.panelX, 4 + 3 * kLine, 160, 255, 160);
    const char* const zoomNames[] = {"1x", "2x", Tr(editor_texts::kOverview)};
    Text(Tr(editor_texts::kZoomLine, {zoomNames[static_cast<int>(zoom_)]}), layout_.panelX,
         4 + 4 * kLine);
    DrawPalette();
    DrawPanelFacts();
}

// The palette: the game's own tiles and item pictures. The chosen tile and
// item keep a dim frame; only the active tool's is lit.
void Editor::DrawPalette() {
    const bool groundLit = tool_ == Tool::Ground || tool_ == Tool::Fill;
    const bool itemLit = tool_ == Tool::Item;
    SetColor(255, 255, 255);
    const PaletteLayout& palette = layout_.palette;
    constexpr int kHalf = kPaletteEntry / 2;
    for (int k = 0; k < TKarte::GROUND_KINDS; ++k) {
        const int x = palette.GroundX(k), y = kPaletteY;
        SetColor(255, 255, 255);
        if (tiles)
            DrawImage(tiles, static_cast<float>(x + kHalf), static_cast<float>(y + kHalf), k);
        if (k == ground_) ChoiceFrame(x, y, groundLit);
    }
    for (int id = 1; id <= palette.items; ++id) {
        const int x = palette.ItemX(id), y = palette.ItemY(id);
        Box(x, y, kPaletteEntry, kPaletteEntry, 60, 60, 80);
        SetColor(255, 255, 255);
        if (objectimages)
            DrawImage(objectimages, static_cast<float>(x + kHalf), static_cast<float>(y + kHalf),
                      id - 1);
        if (id == item_) ChoiceFrame(x, y, itemLit);
    }
}

// Under the palette: the item, critters, start, the check's findings, buttons, message.
void Editor::DrawPanelFacts() {
    int y = layout_.palette.bottom + 2;
    Text(Tr(editor_texts::kItemLine, {std::to_string(item_), TObjekt::getName(item_)}),
         layout_.panelX, y);
    y += kLine + 4;
    Text(
        Tr(editor_texts::kCritters, {std::to_string(doc_.Apes()), std::to_string(doc_.Lizards())}) +
            "   " + Tr(critterZones_ ? editor_texts::kZonesShown : editor_texts::kZonesKey),
        layout_.panelX, y);
    y += kLine;
    int sx = -1, sy = -1;
    const bool hasStart = mapcheck::FindStart(doc_.Data(), sx, sy);
    Text(Tr(editor_texts::kStartAndMark,
            {hasStart ? CellText(sx, sy) : std::string(Tr(editor_texts::kNoStartCell)),
             doc_.StartMark().x >= 0 ? CellText(doc_.StartMark().x, doc_.StartMark().y)
                                     : std::string("-")}),
         layout_.panelX, y, 255, 255, 0);
    y += kLine + 4;
    const mapcheck::Analysis& a = check_.analysis;
    const bool fresh = check_.revision == doc_.Revision();
    Text(Tr(editor_texts::kCheckLine, {Tr(check_.revision == 0 ? editor_texts::kCheckRunning
                                          : fresh              ? editor_texts::kCheckFresh
                                                               : editor_texts::kCheckRenewing)}) +
             (check_.revision ? "  (" + std::to_string(check_.millis) + " ms)" : ""),
         layout_.panelX, y);
    y += kLine;
    if (check_.revision) {
        Text(Tr(editor_texts::kReachable,
                {std::to_string(a.reachableCells), std::to_string(a.landCells)}),
             layout_.panelX, y);
        y += kLine;
        Text(Tr(editor_texts::kWays,
                {mapcheck::WayCost(a.worstThirstToWater), mapcheck::WayCost(a.worstHungerToFood)}),
             layout_.panelX, y);
        y += kLine;
        Text(Tr(a.winnable ? editor_texts::kWinnable : editor_texts::kNotWinnable), layout_.panelX,
             y, a.winnable ? 128 : 255, a.winnable ? 255 : 96, 96);
    }
    // The checker's verdict on the files as they lie on disk, which a save mends.
    const bool fileErrors = std::any_of(fileIssues_.begin(), fileIssues_.end(),
                                        [](const mapcheck::Issue& i) { return i.error; });
    if (fileErrors)
        Text(Tr(editor_texts::kFilesNotPlayable), layout_.panelX, y + kLine, 255, 96, 96);
    for (const Button& b : buttons_) {
        Box(b.x, b.y, b.w, b.h, 60, 60, 100);
        Text(b.label, b.x + 4, b.y + 1);
    }
    DrawStatus();
}

// Below the buttons and the two rows of their hint.
int Editor::StatusTop() const {
    int bottom = 0;
    for (const Button& b : buttons_)
        bottom = std::max(bottom, b.y + b.h);
    return bottom + 6 + 2 * kLine + 6;
}

// The status message between words, a long path shortened, as many lines as
// there is room for below the buttons and their hint.
void Editor::DrawStatus() {
    const std::size_t columns = static_cast<std::size_t>(kPanelW / kLetterW - 1);
    const int top = StatusTop();
    const int room = std::max(1, (layout_.height - top - 4) / kLine);
    std::vector<std::string> lines = WrapWords(message_, columns, "  ");
    if (lines.size() > static_cast<std::size_t>(room)) {
        lines.resize(static_cast<std::size_t>(room));
        lines.back() = ShortenMiddle(lines.back() + " ...", columns);
    }
    for (std::size_t i = 0; i < lines.size(); ++i)
        Text(lines[i], layout_.panelX, top + static_cast<int>(i) * kLine, 255, 200, 120);
}

void Editor::DrawProblems() {
    const ProblemView view =
        VisibleProblemRows(problems_, problemTop_, layout_.problemRows, layout_.problemColumns);
    problemTop_ = view.first;
    std::size_t room = layout_.problemColumns;
    if (view.total > layout_.problemRows) room -= std::min(room, DrawProblemScroll(view) + 2);
    Text(FitLine(Tr(editor_texts::kProblems, {std::to_string(problems_.size())}), room), 4,
         layout_.viewH + 6, 255, 255, 160);
    const std::vector<ProblemRow>& rows = view.rows;
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const Problem& p = problems_[rows[row].problem];
        const int y = layout_.problemsY + row * kLine;
        if (rows[row].problem == selected_) Box(0, y - 2, layout_.viewW, kLine, 80, 40, 40);
        Text(rows[row].text, 4, y, 255, p.error ? 96 : 220, p.error ? 96 : 120);
    }
    if (problems_.empty() && check_.revision)
        Text(Tr(editor_texts::kNoProblems), 4, layout_.problemsY, 128, 255, 128);
}

// More rows than room: which rows show, on the header's right, and a scroll
// bar. Returns the letters the range takes.
std::size_t Editor::DrawProblemScroll(const ProblemView& view) {
    const std::string range = Tr(editor_texts::kProblemLines,
                                 {std::to_string(view.first + 1),
                                  std::to_string(view.first + static_cast<int>(view.rows.size())),
                                  std::to_string(view.total)});
    Text(range, layout_.viewW - 4 - static_cast<int>(TextWidth(nullptr, range)), layout_.viewH + 6,
         255, 255, 160);
    const int trackY = layout_.problemsY - 2, trackH = layout_.problemRows * kLine;
    Box(layout_.viewW - 6, trackY, 4, trackH, 60, 60, 80);
    Box(layout_.viewW - 6, trackY + trackH * view.first / view.total, 4,
        std::max(4, trackH * layout_.problemRows / view.total), 255, 255, 160);
    return range.size();
}

// The question, wrapped at words, in a box as tall as it needs; below it the
// field with its cursor (Ctrl+A marks the whole text: the next key replaces it).
void Editor::DrawPrompt() {
    const std::vector<std::string> label = WrapWords(prompt_.label, kPromptColumns, "  ");
    const int fieldY = kPromptY + 12 + static_cast<int>(label.size()) * kLine + 12;
    const int textY = prompt_.yesNo ? fieldY - 12 : fieldY;
    const int height = textY + 24 + kLine + 12 - kPromptY;
    Box(kPromptX, kPromptY, kPromptW, height, 0, 0, 0, 0.85f);
    Outline(kPromptX, kPromptY, kPromptW, height, 255, 255, 160);
    for (std::size_t i = 0; i < label.size(); ++i)
        Text(label[i], kPromptX + 12, kPromptY + 12 + static_cast<int>(i) * kLine);
    if (!prompt_.yesNo) {
        std::size_t cursor = 0;
        const std::string shown = prompt_.field.Visible(kPromptColumns, cursor);
        const int left = kPromptX + 12;
        const int cursorX = left + static_cast<int>(TextWidth(nullptr, shown.substr(0, cursor)));
        if (prompt_.field.AllSelected())
            Box(left, fieldY - 2, static_cast<int>(TextWidth(nullptr, shown)), 18, 60, 90, 160);
        Text(shown, left, fieldY, 255, 255, 0);
        Box(cursorX, fieldY - 2, 2, 18, 255, 255, 255);
    }
    Text(Tr(prompt_.yesNo ? editor_texts::kYesNo : editor_texts::kOkCancel), kPromptX + 12,
         textY + 24, 160, 160, 160);
}

void Editor::DrawHelp() {
    const auto& lines = editor_texts::kHelp;
    Box(20, 20, 600, 28 + static_cast<int>(std::size(lines)) * 14, 0, 0, 0, 0.85f);
    int y = 30;
    for (const TText& line : lines) {
        Text(Tr(line), 32, y);
        y += 14;
    }
}

} // namespace editor
