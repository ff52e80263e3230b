// Drawing for the selection and shape tools: the selection's frame, the cells a
// drag would lay or carry, and the hint line that names tools and their keys.
#include <algorithm>
#include <cstring>
#include <iterator>

#include "core/state.h"
#include "editor.h"
#include "editor_layout.h"
#include "editor_texts.h"
#include "media/graphics.h"
#include "media/mouse.h"
#include "shapes.h"
#include "text_fit.h"
#include "world/objekt.h"

namespace editor {
namespace {

constexpr std::size_t kHintColumns = 46;
// One name and one hint for every tool, in the tools' order.
static_assert(std::size(editor_texts::kToolHints) == static_cast<std::size_t>(Tool::Scatter) + 1);
static_assert(std::size(editor_texts::kToolNames) == std::size(editor_texts::kToolHints));

void Fill(int x, int y, int w, int h) {
    DrawRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w),
             static_cast<float>(h));
}

// The hint at word boundaries, two lines at most.
std::vector<std::string> HintLines(const std::string& text) {
    std::vector<std::string> lines = WrapWords(text, kHintColumns);
    if (lines.size() > 2) lines.resize(2);
    return lines;
}

// Each button's hint: the tools' own, or what it does and its key.
const TText* ButtonHint(const char* label) {
    const TText* const hints = editor_texts::kToolHints;
    static const struct {
        const TText& button;
        const TText& hint;
    } kHints[] = {
        {editor_texts::kButtonNew, editor_texts::kHintNew},
        {editor_texts::kButtonOpen, editor_texts::kHintOpen},
        {editor_texts::kButtonSave, editor_texts::kHintSave},
        {editor_texts::kButtonSaveAs, editor_texts::kHintSaveAs},
        {editor_texts::kButtonUndo, editor_texts::kHintUndo},
        {editor_texts::kButtonRedo, editor_texts::kHintRedo},
        {editor_texts::kButtonZoom, editor_texts::kHintZoom},
        {editor_texts::kButtonTest, editor_texts::kHintTest},
        {editor_texts::kButtonBrush, editor_texts::kHintBrush},
        {editor_texts::kButtonFill, hints[static_cast<int>(Tool::Fill)]},
        {editor_texts::kButtonEraser, hints[static_cast<int>(Tool::Eraser)]},
        {editor_texts::kButtonStart, hints[static_cast<int>(Tool::Start)]},
        {editor_texts::kButtonMoreApes, editor_texts::kHintMoreApes},
        {editor_texts::kButtonFewerApes, editor_texts::kHintFewerApes},
        {editor_texts::kButtonMoreLizards, editor_texts::kHintMoreLizards},
        {editor_texts::kButtonFewerLizards, editor_texts::kHintFewerLizards},
        {editor_texts::kButtonSelect, hints[static_cast<int>(Tool::Select)]},
        {editor_texts::kButtonRect, hints[static_cast<int>(Tool::Rect)]},
        {editor_texts::kButtonLine, hints[static_cast<int>(Tool::Line)]},
        {editor_texts::kButtonScatter, hints[static_cast<int>(Tool::Scatter)]},
    };
    for (const auto& h : kHints)
        if (std::strcmp(Tr(h.button), label) == 0) return &h.hint;
    return nullptr;
}

} // namespace

// A frame round a region in the view or the overview.
void Editor::DrawRegionFrame(Region r, int red, int green, int blue) {
    if (r.Empty()) return;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    PixelOf(r.x, r.y, x0, y0);
    PixelOf(r.x + r.w - 1, r.y + r.h - 1, x1, y1);
    const int size = zoom_ == Zoom::One   ? kTile
                     : zoom_ == Zoom::Two ? 2 * kTile
                                          : std::max(static_cast<int>(overviewScale_), 2);
    const int left = x0 - size / 2, top = y0 - size / 2;
    const int w = x1 - x0 + size, h = y1 - y0 + size;
    SetAlpha(1.0f);
    SetColor(0, 0, 0);
    Fill(left - 1, top - 1, w + 2, 1);
    Fill(left - 1, top + h, w + 2, 1);
    Fill(left - 1, top, 1, h);
    Fill(left + w, top, 1, h);
    SetColor(red, green, blue);
    Fill(left, top, w, 2);
    Fill(left, top + h - 2, w, 2);
    Fill(left, top, 2, h);
    Fill(left + w - 2, top, 2, h);
}

// A cell as it would look, half see-through over what is there now.
void Editor::DrawShadowCell(int x, int y, int ground, int item) {
    int px = 0, py = 0;
    if (zoom_ == Zoom::Overview || !PixelOf(x, y, px, py)) return;
    const float scale = zoom_ == Zoom::Two ? 2.0f : 1.0f;
    SetDrawScale(scale, scale);
    SetAlpha(0.75f);
    SetColor(255, 255, 255);
    if (tiles) DrawImage(tiles, static_cast<float>(px), static_cast<float>(py), ground);
    if (objectimages && item >= 1 && item <= kItemCount)
        DrawImage(objectimages, static_cast<float>(px), static_cast<float>(py), item - 1);
    SetAlpha(1.0f);
    SetDrawScale(1, 1);
}

// The island cells the view shows now (none in the overview).
Region Editor::ViewCells() const {
    if (zoom_ == Zoom::Overview) return {};
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    CellAt(0, 0, x0, y0);
    CellAt(layout_.viewW - 1, layout_.viewH - 1, x1, y1);
    return doc_.Clamp(Spanned(x0, y0, x1, y1));
}

void Editor::DrawShapePreview(const std::vector<Cell>& cells, Region view) {
    const bool ground = shapeLayer_ == Layer::Ground;
    for (const Cell& c : cells)
        if (view.Has(c.x, c.y))
            DrawShadowCell(c.x, c.y, ground ? ground_ : doc_.Ground(c.x, c.y),
                           ground ? doc_.Item(c.x, c.y) : item_);
}

// Only the cells in view are drawn: a region may span the whole island.
void Editor::DrawToolPreview() {
    const Region view = ViewCells();
    const Region span = Spanned(dragX_, dragY_, dragEndX_, dragEndY_);
    if (dragging_ && dragTool_ == Tool::Rect) {
        DrawShapePreview(RectCells(Overlap(span, view)), view);
        DrawRegionFrame(doc_.Clamp(span), 255, 255, 255);
    } else if (dragging_ && dragTool_ == Tool::Line) {
        DrawShapePreview(LineCells(dragX_, dragY_, dragEndX_, dragEndY_), view);
    }
    if (dragging_ && moving_) {
        const Region to{sel_.x + dragEndX_ - dragX_, sel_.y + dragEndY_ - dragY_, sel_.w, sel_.h};
        const Region shown = Overlap(to, view);
        for (int y = shown.y; y < shown.y + shown.h; ++y)
            for (int x = shown.x; x < shown.x + shown.w; ++x) {
                const std::size_t i = static_cast<std::size_t>(y - to.y) * lifted_.w + (x - to.x);
                if (i < lifted_.ground.size())
                    DrawShadowCell(x, y, lifted_.ground[i], lifted_.items[i]);
            }
        DrawRegionFrame(to, 255, 160, 0);
    } else if (dragging_ && dragTool_ == Tool::Select) {
        DrawRegionFrame(doc_.Clamp(span), 255, 160, 0);
    } else {
        DrawRegionFrame(doc_.Clamp(sel_), 255, 160, 0);
    }
}

// Under the buttons: what the pointer is over (button or palette) with its
// key, else the chosen tool with its key and how it works.
void Editor::DrawHint() {
    const int mx = MouseX(), my = MouseY();
    std::string hint = Tr(editor_texts::kToolHints[static_cast<int>(tool_)]);
    int top = 0;
    for (const Button& b : buttons_) {
        top = std::max(top, b.y + b.h);
        if (!Inside(mx, my, b.x, b.y, b.w, b.h)) continue;
        if (const TText* h = ButtonHint(b.label)) hint = Tr(*h);
    }
    if (const int k = layout_.palette.GroundAt(mx, my); k >= 0)
        hint = Tr(editor_texts::kHintGround,
                  {Tr(editor_texts::kGroundNames[k]), std::to_string(k + 1)});
    if (const int id = layout_.palette.ItemAt(mx, my); id > 0)
        hint = Tr(editor_texts::kHintItem, {TObjekt::getName(id)});
    SetColor(160, 200, 255);
    int y = top + 6;
    for (const std::string& line : HintLines(hint)) {
        DrawText(line, static_cast<float>(layout_.panelX), static_cast<float>(y));
        y += kLine;
    }
}

} // namespace editor
