// The island being edited: the game's own map object (so drawing is the game's)
// plus a byte mirror for the checks and the files, the critter counts, and the
// undo history of every edit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "island/map_analysis.h"
#include "island/random.h"
#include "world/karte.h"

namespace editor {

// The game's view needs 20 x 15 cells; the checker refuses more than 4096 a side.
constexpr int kMinWidth = TKarte::VIEW_COLUMNS;
constexpr int kMinHeight = TKarte::VIEW_ROWS;
constexpr int kMaxSide = TKarte::MAX_SIDE;
// More critters than this the checker calls far too many.
constexpr int kMaxCritters = mapcheck::kMaxCritters;

struct CellChange {
    uint32_t index;
    uint8_t oldGround, oldItem, newGround, newItem;
};

// Where the maker wants the castaway to start; (-1, -1) when unmarked.
struct Mark {
    int x = -1, y = -1;
    bool operator==(const Mark&) const = default;
};

struct EditStep {
    unsigned id = 0;
    std::string what; // what the step did, as undo and redo report it
    std::vector<CellChange> cells;
    int oldApes = 0, oldLizards = 0, newApes = 0, newLizards = 0;
    Mark oldMark, newMark;
    // The scatter brush's seed for this step (0: none): its cells follow from it.
    uint32_t seed = 0;
};

// A rectangle of cells, empty when a side is not positive.
struct Region {
    int x = 0, y = 0, w = 0, h = 0;
    bool Empty() const { return w <= 0 || h <= 0; }
    bool Has(int cx, int cy) const { return cx >= x && cy >= y && cx < x + w && cy < y + h; }
};

// Cells lifted out of a map, row by row, with the start mark when it lay
// among them (relative to the corner, else -1).
struct Clip {
    int w = 0, h = 0;
    std::vector<uint8_t> ground, items;
    int markX = -1, markY = -1;
};

// What the rectangle and line tools lay.
enum class Layer { Ground, Items };
struct Cell {
    int x, y;
};

class Document {
  public:
    Document() = default;
    // All sea, no items, no critters; the size is clamped to the allowed range.
    static Document Blank(int width, int height);
    // Takes over a map built by the game's loader.
    static Document FromKarte(TKarte karte, int apes, int lizards);

    const TKarte& Karte() const { return karte_; }
    const mapcheck::MapData& Data() const { return data_; }
    int Width() const { return data_.width; }
    int Height() const { return data_.height; }
    bool Contains(int x, int y) const { return karte_.contains(x, y); }
    int Ground(int x, int y) const { return Contains(x, y) ? data_.GroundAt(x, y) : 0; }
    int Item(int x, int y) const { return Contains(x, y) ? data_.ItemAt(x, y) : 0; }
    int Apes() const { return data_.apes; }
    int Lizards() const { return data_.lizards; }
    const Mark& StartMark() const { return mark_; }

    // Edits between BeginStroke and EndStroke make one undo step (a drag of
    // the brush) that undo and redo report as `what`; an edit outside a
    // stroke is a step of its own.
    void BeginStroke(const std::string& what = {});
    void EndStroke();
    // Square brush of `size` cells (1, 3, 5) centred on the cell.
    void PaintGround(int x, int y, int size, int ground);
    void Erase(int x, int y, int size);
    void PlaceItem(int x, int y, int item);
    // The connected area of the cell's ground kind (edge neighbours) becomes
    // `ground`; returns the number of cells changed.
    int Fill(int x, int y, int ground);
    void SetCritters(int apes, int lizards);
    // Marks the cell where the castaway should start; (-1, -1) clears the mark.
    void SetStartMark(Mark mark);

    // Region edits (document_region.cpp). Each is one undo step outside a stroke.
    Region Clamp(Region r) const;
    Clip Copy(Region r) const;
    // Sea without items is left; a mark inside goes.
    void Clear(Region r);
    // The clip's corner on (x, y); cells off the map are dropped. A mark in the
    // clip moves the mark.
    void Paste(const Clip& clip, int x, int y);
    // The cells, mark included, move by (dx, dy); sea is left behind.
    void Move(Region r, int dx, int dy);
    // One ground kind or one item on every listed cell.
    void PaintCells(const std::vector<Cell>& cells, Layer layer, int value);
    // The item on about `percent` of the square brush's land cells that hold
    // none. Whether a cell gets it follows from the step's seed and the cell
    // alone, so a stroke crossing a cell twice decides it once. Returns the
    // number placed.
    int Scatter(int x, int y, int size, int item, int percent);

    bool Undo();
    bool Redo();
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // What the next undo and redo would take back or do again.
    std::string UndoName() const { return undo_.empty() ? "" : undo_.back().what; }
    std::string RedoName() const { return redo_.empty() ? "" : redo_.back().what; }

    // Changes with every edit, undo and redo, and differs between documents
    // (a new or opened map never repeats one the live check has seen).
    unsigned Revision() const { return revision_; }
    bool Modified() const { return StateId() != savedState_; }
    void MarkSaved() { savedState_ = StateId(); }
    // A map that no file holds yet (a grown island): unsaved until saved.
    void MarkUnsaved() { savedState_ = ~0u; }
    // The mark as a file implies it, not an edit: no undo step, not unsaved.
    void PlaceMarkUnedited(Mark mark) { mark_ = mark; }
    // The open stroke turned out to be something else (a selection dragged
    // is a move): undo and redo report it under this name.
    void NameStroke(const std::string& what) { open_.what = what; }

  private:
    void SetCell(int x, int y, int ground, int item);
    void Apply(const EditStep& step, bool forward);
    void Commit();
    void PutMark(Mark mark);
    uint32_t NextSeed();
    unsigned StateId() const { return undo_.empty() ? 0 : undo_.back().id; }
    void Touch();

    TKarte karte_;
    mapcheck::MapData data_;
    Mark mark_;
    std::vector<EditStep> undo_, redo_;
    EditStep open_;
    bool stroking_ = false;
    unsigned revision_ = 0, nextId_ = 1, savedState_ = 0;
    // A fixed start: a session's scatter strokes come out the same every run.
    common::SplitMix64 seeds_{0x2545F491u};
};

} // namespace editor
