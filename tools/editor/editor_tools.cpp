// The selection with its clipboard, and the tools that work from a drag's
// first cell to its last: the selection itself, the rectangle and the line.
#include <string>

#include "editor.h"
#include "editor_layout.h"
#include "editor_texts.h"
#include "media/keyboard.h"
#include "shapes.h"
#include "world/objekt.h"

namespace editor {
namespace {

std::string SizeOf(Region r, std::vector<std::string> more = {}) {
    more.insert(more.begin(), {std::to_string(r.w), std::to_string(r.h)});
    return Tr(editor_texts::kSelected, more);
}

} // namespace

// Called for every cell a drag reaches: the first one anchors it; a drag that
// starts inside the selection carries the selection along.
void Editor::DragTool(int x, int y) {
    if (!dragging_) {
        dragging_ = true;
        dragTool_ = tool_;
        dragX_ = x;
        dragY_ = y;
        sel_ = doc_.Clamp(sel_);
        moving_ = tool_ == Tool::Select && sel_.Has(x, y);
        if (moving_) lifted_ = doc_.Copy(sel_);
    }
    dragEndX_ = x;
    dragEndY_ = y;
}

// Called when the button or Space is let go, inside the stroke, so what the
// drag does is one undo step.
void Editor::FinishDrag() {
    if (!dragging_) return;
    dragging_ = false;
    const Region span = Spanned(dragX_, dragY_, dragEndX_, dragEndY_);
    const int value = shapeLayer_ == Layer::Ground ? ground_ : item_;
    switch (dragTool_) {
    case Tool::Select:
        if (moving_) {
            FinishMove(dragEndX_ - dragX_, dragEndY_ - dragY_);
        } else {
            sel_ = doc_.Clamp(span);
            message_ = SizeOf(sel_, {CellText(sel_.x, sel_.y)});
        }
        break;
    case Tool::Rect:
        doc_.PaintCells(RectCells(span), shapeLayer_, value);
        break;
    case Tool::Line:
        doc_.PaintCells(LineCells(dragX_, dragY_, dragEndX_, dragEndY_), shapeLayer_, value);
        break;
    default:
        break;
    }
    moving_ = false;
    lifted_ = {};
}

void Editor::FinishMove(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    doc_.NameStroke(Tr(editor_texts::kMoveStep));
    doc_.Move(sel_, dx, dy);
    sel_ = doc_.Clamp({sel_.x + dx, sel_.y + dy, sel_.w, sel_.h});
    message_ = Tr(editor_texts::kMoved, {CellText(sel_.x, sel_.y)});
}

void Editor::DropSelection() {
    sel_ = {};
    dragging_ = moving_ = false;
    lifted_ = {};
}

// Ctrl+C copies the selection, Ctrl+X cuts it out (sea stays), Ctrl+V pastes
// with its corner on the cell under the pointer (on the cursor while the
// pointer is off the map) and selects what it pasted, ready to be dragged.
void Editor::ClipKey(int command, int, int mods) {
    if (!(mods & MOD_CTRL)) return;
    if (command == ClipPaste) {
        if (clip_.w <= 0) {
            message_ = Tr(editor_texts::kNothingToPaste);
            return;
        }
        const bool pointer = hoverX_ >= 0;
        const int x = pointer ? hoverX_ : cx_, y = pointer ? hoverY_ : cy_;
        doc_.Paste(clip_, x, y);
        sel_ = doc_.Clamp({x, y, clip_.w, clip_.h});
        tool_ = Tool::Select;
        message_ = Tr(editor_texts::kPasted,
                      {std::to_string(clip_.w), std::to_string(clip_.h), CellText(x, y)});
        return;
    }
    sel_ = doc_.Clamp(sel_);
    if (sel_.Empty()) {
        message_ = Tr(editor_texts::kNoSelection);
        return;
    }
    clip_ = doc_.Copy(sel_);
    if (command == ClipCut) doc_.Clear(sel_);
    message_ = Tr(command == ClipCut ? editor_texts::kCutOut : editor_texts::kCopied,
                  {std::to_string(sel_.w), std::to_string(sel_.h)});
}

// An item chosen from the palette, the keys or the map; the shape tools and
// the scatter brush stay and lay it from now on.
void Editor::ChooseItem(int id) {
    item_ = id;
    shapeLayer_ = Layer::Items;
    if (tool_ != Tool::Rect && tool_ != Tool::Line && tool_ != Tool::Scatter) tool_ = Tool::Item;
}

// The tool line's end for the new tools: what they lay, or the selection's
// size; while a drag is open, the size it spans (it may reach past the view).
std::string Editor::ToolDetail() const {
    if (dragging_ && !moving_) {
        const Region span = doc_.Clamp(Spanned(dragX_, dragY_, dragEndX_, dragEndY_));
        const std::string size = "  " + std::to_string(span.w) + " x " + std::to_string(span.h);
        return (dragTool_ == Tool::Select ? std::string() : LayDetail()) + size;
    }
    return tool_ == Tool::Rect || tool_ == Tool::Line ? LayDetail() : OtherDetail();
}

// What the rectangle and the line lay.
std::string Editor::LayDetail() const {
    return " " + (shapeLayer_ == Layer::Ground
                      ? std::string(Tr(editor_texts::kGroundNames[ground_]))
                      : TObjekt::getName(item_));
}

std::string Editor::OtherDetail() const {
    switch (tool_) {
    case Tool::Scatter:
        return " " + TObjekt::getName(item_) + "  " +
               Tr(editor_texts::kBrushSize, {std::to_string(brush_)});
    case Tool::Select:
        return sel_.Empty() ? std::string()
                            : "  " + std::to_string(sel_.w) + " x " + std::to_string(sel_.h);
    default:
        return {};
    }
}

} // namespace editor
