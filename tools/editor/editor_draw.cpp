// Drawing the editor: the map view or overview, the panel, problems and prompts.
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

// Around a palette entry of 32 x 32 pixels: yellow for the tool in use, dim otherwise.
void ChoiceFrame(int x, int y, bool lit) {
    if (lit)
        Outline(x - 2, y - 2, 36, 36, 255, 255, 0);
    else
        Outline(x - 2, y - 2, 36, 36, 90, 90, 110);
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
    DrawPanel();
    DrawProblems();
    if (help_) DrawHelp();
    if (prompt_.active) DrawPrompt();
}

void Editor::DrawCellFrame(int x, int y, int r, int g, int b) {
    int px = 0, py = 0;
    if (!PixelOf(x, y, px, py) && zoom_ != Zoom::Overview) return;
    const int size = zoom_ == Zoom::One   ? kTile
                     : zoom_ == Zoom::Two ? 2 * kTile
                                          : std::max(overviewScale_, 4);
    Outline(px - size / 2, py - size / 2, size, size, r, g, b);
}

void Editor::DrawView() {
    ClampView();
    if (zoom_ == Zoom::One) {
        SetColor(255, 255, 255);
        doc_.Karte().Render(vx_, vy_); // exactly the game's picture
    } else {
        DrawDoubled();
    }
    int sx = -1, sy = -1;
    mapcheck::FindStart(doc_.Data(), sx, sy);
    if (critterZones_) DrawCritterZones(sx, sy);
    DrawCellFrames();
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

// The view at twice the game's size, drawn from its tiles and item pictures.
void Editor::DrawDoubled() {
    SetDrawScale(2, 2);
    for (int y = vy_; y <= vy_ + TKarte::VIEW_ROWS / 2 && y < doc_.Height(); ++y)
        for (int x = vx_; x <= vx_ + TKarte::VIEW_COLUMNS / 2 && x < doc_.Width(); ++x) {
            const float px = static_cast<float>((x - vx_) * 2 * kTile + kTile);
            const float py = static_cast<float>((y - vy_) * 2 * kTile + kTile);
            SetColor(255, 255, 255);
            if (tiles) DrawImage(tiles, px, py, doc_.Ground(x, y));
            const int item = doc_.Item(x, y);
            if (objectimages && item >= 1 && item <= kItemCount)
                DrawImage(objectimages, px, py, item - 1);
        }
    SetDrawScale(1, 1);
}

// Red over the cells where no critter can ever start.
void Editor::DrawCritterZones(int sx, int sy) {
    const int cols = zoom_ == Zoom::One ? TKarte::VIEW_COLUMNS : TKarte::VIEW_COLUMNS / 2;
    const int rows = zoom_ == Zoom::One ? TKarte::VIEW_ROWS : TKarte::VIEW_ROWS / 2;
    const int size = zoom_ == Zoom::One ? kTile : 2 * kTile;
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
    // Whole cells per pixel on big islands, a few pixels per cell on small ones.
    overviewCells_ = std::max((w + kViewW - 1) / kViewW, (h + kViewH - 1) / kViewH);
    overviewScale_ = overviewCells_ > 1 ? 1 : std::max(1, std::min(kViewW / w, kViewH / h));
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
    DrawCellFrames();
}

void Editor::DrawPanel() {
    Box(kViewW, 0, kWindowW - kViewW, kWindowH, 24, 24, 40);
    Box(0, kViewH, kViewW, kWindowH - kViewH, 24, 24, 40);
    SetFont(nullptr);
    const std::string name = path_.empty() ? Tr(editor_texts::kNewMapName) : FileName(path_);
    Text("palmut-editor: " + name + (doc_.Modified() ? " *" : ""), kPanelX, 4, 255, 255, 160);
    Text(Tr(editor_texts::kSizeAndCell,
            {std::to_string(doc_.Width()), std::to_string(doc_.Height()), CellText(cx_, cy_)}),
         kPanelX, 4 + kLine);
    const int item = doc_.Item(cx_, cy_);
    Text(Tr(editor_texts::kGroundAndItem, {Tr(editor_texts::kGroundNames[std::min(
                                               doc_.Ground(cx_, cy_), TKarte::GROUND_KINDS - 1)]),
                                           item ? TObjekt::getName(item) : std::string("-")}),
         kPanelX, 4 + 2 * kLine);
    const TText* const toolNames = editor_texts::kToolNames;
    std::string tool = Tr(editor_texts::kToolLine, {Tr(toolNames[static_cast<int>(tool_)])});
    if (tool_ == Tool::Ground || tool_ == Tool::Fill)
        tool += std::string(" ") + Tr(editor_texts::kGroundNames[ground_]);
    if (tool_ == Tool::Item) tool += " " + TObjekt::getName(item_);
    if (tool_ == Tool::Ground || tool_ == Tool::Eraser)
        tool += "  " + Tr(editor_texts::kBrushSize, {std::to_string(brush_)});
    Text(tool, kPanelX, 4 + 3 * kLine, 160, 255, 160);
    const char* const zoomNames[] = {"1x", "2x", Tr(editor_texts::kOverview)};
    Text(Tr(editor_texts::kZoomLine, {zoomNames[static_cast<int>(zoom_)]}), kPanelX, 4 + 4 * kLine);
    DrawPalette();
    DrawPanelFacts();
}

// The palette: the game's own tiles and item pictures. The chosen tile and
// item keep a dim frame; only the active tool's is lit.
void Editor::DrawPalette() {
    const bool groundLit = tool_ == Tool::Ground || tool_ == Tool::Fill;
    const bool itemLit = tool_ == Tool::Item;
    SetColor(255, 255, 255);
    for (int k = 0; k < TKarte::GROUND_KINDS; ++k) {
        const int x = kPanelX + k * 36, y = kPaletteY;
        SetColor(255, 255, 255);
        if (tiles) DrawImage(tiles, static_cast<float>(x + 16), static_cast<float>(y + 16), k);
        if (k == ground_) ChoiceFrame(x, y, groundLit);
    }
    for (int id = 1; id <= kItemCount; ++id) {
        const int i = id - 1;
        const int x = kPanelX + (i % kItemsPerRow) * 36, y = kItemsY + (i / kItemsPerRow) * 36;
        Box(x, y, 32, 32, 60, 60, 80);
        SetColor(255, 255, 255);
        if (objectimages)
            DrawImage(objectimages, static_cast<float>(x + 16), static_cast<float>(y + 16), i);
        if (id == item_) ChoiceFrame(x, y, itemLit);
    }
}

// Under the palette: the item, critters, start, the check's findings, buttons, message.
void Editor::DrawPanelFacts() {
    int y = kItemsY + 3 * 36 + 2;
    Text(Tr(editor_texts::kItemLine, {std::to_string(item_), TObjekt::getName(item_)}), kPanelX, y);
    y += kLine + 4;
    Text(
        Tr(editor_texts::kCritters, {std::to_string(doc_.Apes()), std::to_string(doc_.Lizards())}) +
            "   " + Tr(critterZones_ ? editor_texts::kZonesShown : editor_texts::kZonesKey),
        kPanelX, y);
    y += kLine;
    int sx = -1, sy = -1;
    const bool hasStart = mapcheck::FindStart(doc_.Data(), sx, sy);
    Text(Tr(editor_texts::kStartAndMark,
            {hasStart ? CellText(sx, sy) : std::string(Tr(editor_texts::kNoStartCell)),
             doc_.StartMark().x >= 0 ? CellText(doc_.StartMark().x, doc_.StartMark().y)
                                     : std::string("-")}),
         kPanelX, y, 255, 255, 0);
    y += kLine + 4;
    const mapcheck::Analysis& a = check_.analysis;
    const bool fresh = check_.revision == doc_.Revision();
    Text(Tr(editor_texts::kCheckLine, {Tr(check_.revision == 0 ? editor_texts::kCheckRunning
                                          : fresh              ? editor_texts::kCheckFresh
                                                               : editor_texts::kCheckRenewing)}) +
             (check_.revision ? "  (" + std::to_string(check_.millis) + " ms)" : ""),
         kPanelX, y);
    y += kLine;
    if (check_.revision) {
        Text(Tr(editor_texts::kReachable,
                {std::to_string(a.reachableCells), std::to_string(a.landCells)}),
             kPanelX, y);
        y += kLine;
        Text(Tr(editor_texts::kWays,
                {std::to_string(a.worstThirstToWater), std::to_string(a.worstHungerToFood)}),
             kPanelX, y);
        y += kLine;
        Text(Tr(a.winnable ? editor_texts::kWinnable : editor_texts::kNotWinnable), kPanelX, y,
             a.winnable ? 128 : 255, a.winnable ? 255 : 96, 96);
    }
    for (const Button& b : buttons_) {
        Box(b.x, b.y, b.w, b.h, 60, 60, 100);
        Text(b.label, b.x + 4, b.y + 1);
    }
    DrawStatus();
}

// The status message between words, a long path shortened, as many lines as it takes.
void Editor::DrawStatus() {
    std::vector<std::string> lines = WrapWords(message_, kStatusColumns, "  ");
    if (lines.size() > static_cast<std::size_t>(kStatusLines)) {
        lines.resize(kStatusLines);
        lines.back() = ShortenMiddle(lines.back() + " ...", kStatusColumns);
    }
    for (std::size_t i = 0; i < lines.size(); ++i)
        Text(lines[i], kPanelX, kStatusY + static_cast<int>(i) * kLine, 255, 200, 120);
}

void Editor::DrawProblems() {
    Text(Tr(editor_texts::kProblems, {std::to_string(problems_.size())}), 4, kViewH + 6, 255, 255,
         160);
    const ProblemView view =
        VisibleProblemRows(problems_, problemTop_, kProblemRows, kProblemColumns);
    problemTop_ = view.first;
    const std::vector<ProblemRow>& rows = view.rows;
    if (view.total > kProblemRows) DrawProblemScroll(view);
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const Problem& p = problems_[rows[row].problem];
        const int y = kProblemsY + row * kLine;
        if (rows[row].problem == selected_) Box(0, y - 2, kViewW, kLine, 80, 40, 40);
        Text(rows[row].text, 4, y, 255, p.error ? 96 : 220, p.error ? 96 : 120);
    }
    if (problems_.empty() && check_.revision)
        Text(Tr(editor_texts::kNoProblems), 4, kProblemsY, 128, 255, 128);
}

// More rows than room: which rows show, on the header's right, and a scroll bar.
void Editor::DrawProblemScroll(const ProblemView& view) {
    const std::string range = Tr(editor_texts::kProblemLines,
                                 {std::to_string(view.first + 1),
                                  std::to_string(view.first + static_cast<int>(view.rows.size())),
                                  std::to_string(view.total)});
    Text(range, kViewW - 4 - static_cast<int>(TextWidth(nullptr, range)), kViewH + 6, 255, 255,
         160);
    const int trackY = kProblemsY - 2, trackH = kProblemRows * kLine;
    Box(kViewW - 6, trackY, 4, trackH, 60, 60, 80);
    Box(kViewW - 6, trackY + trackH * view.first / view.total, 4,
        std::max(4, trackH * kProblemRows / view.total), 255, 255, 160);
}

// The question, wrapped at words, in a box as tall as it needs.
void Editor::DrawPrompt() {
    const std::vector<std::string> label = WrapWords(prompt_.label, kPromptColumns, "  ");
    const int textY = kPromptY + 12 + static_cast<int>(label.size()) * kLine + 12;
    const int height = textY + 24 + kLine + 12 - kPromptY;
    Box(kPromptX, kPromptY, kPromptW, height, 0, 0, 0, 0.85f);
    Outline(kPromptX, kPromptY, kPromptW, height, 255, 255, 160);
    for (std::size_t i = 0; i < label.size(); ++i)
        Text(label[i], kPromptX + 12, kPromptY + 12 + static_cast<int>(i) * kLine);
    std::string shown = prompt_.text + "_";
    if (shown.size() > kPromptColumns)
        shown = "~" + shown.substr(shown.size() - kPromptColumns + 1);
    Text(shown, kPromptX + 12, textY, 255, 255, 0);
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
