#include "document.h"

#include <algorithm>
#include <atomic>

namespace editor {
namespace {

// One count for every document of the process: the live check skips a revision
// it has already seen, so a fresh document must not start where an old one did.
std::atomic<unsigned> lastRevision{0};

} // namespace

void Document::Touch() {
    revision_ = ++lastRevision;
}

Document Document::Blank(int width, int height) {
    width = std::clamp(width, kMinWidth, kMaxSide);
    height = std::clamp(height, kMinHeight, kMaxSide);
    return FromKarte(TKarte::Create(width, height, 3), 0, 0);
}

Document Document::FromKarte(TKarte karte, int apes, int lizards) {
    Document doc;
    doc.data_.width = karte.sizex;
    doc.data_.height = karte.sizey;
    const size_t cells = static_cast<size_t>(karte.sizex) * karte.sizey;
    doc.data_.ground.assign(cells, 0);
    doc.data_.items.assign(cells, 0);
    for (int y = 0; y < karte.sizey; ++y)
        for (int x = 0; x < karte.sizex; ++x) {
            const size_t i = static_cast<size_t>(y) * karte.sizex + x;
            doc.data_.ground[i] = static_cast<uint8_t>(karte.data(x, y, 0));
            doc.data_.items[i] = static_cast<uint8_t>(karte.data(x, y, 1));
        }
    doc.data_.apes = std::clamp(apes, 0, kMaxCritters);
    doc.data_.lizards = std::clamp(lizards, 0, kMaxCritters);
    doc.karte_ = std::move(karte);
    doc.Touch();
    return doc;
}

void Document::SetCell(int x, int y, int ground, int item) {
    if (!Contains(x, y)) return;
    const size_t i = static_cast<size_t>(y) * data_.width + x;
    const uint8_t g = static_cast<uint8_t>(ground), it = static_cast<uint8_t>(item);
    if (data_.ground[i] == g && data_.items[i] == it) return;
    open_.cells.push_back({static_cast<uint32_t>(i), data_.ground[i], data_.items[i], g, it});
    data_.ground[i] = g;
    data_.items[i] = it;
    karte_.data(x, y, 0) = g;
    karte_.data(x, y, 1) = it;
    Touch();
}

void Document::Commit() {
    if (open_.cells.empty() && open_.oldApes == open_.newApes &&
        open_.oldLizards == open_.newLizards && open_.oldMark == open_.newMark) {
        open_ = {};
        return;
    }
    open_.id = nextId_++;
    undo_.push_back(std::move(open_));
    open_ = {};
    redo_.clear();
}

void Document::BeginStroke(const std::string& what) {
    if (stroking_) return;
    stroking_ = true;
    open_ = {};
    open_.what = what;
    open_.oldApes = open_.newApes = data_.apes;
    open_.oldLizards = open_.newLizards = data_.lizards;
    open_.oldMark = open_.newMark = mark_;
}

void Document::EndStroke() {
    if (!stroking_) return;
    stroking_ = false;
    Commit();
}

void Document::PaintGround(int x, int y, int size, int ground) {
    const int r = std::max(size, 1) / 2;
    const bool own = !stroking_;
    if (own) BeginStroke();
    for (int cy = y - r; cy <= y + r; ++cy)
        for (int cx = x - r; cx <= x + r; ++cx)
            if (Contains(cx, cy)) SetCell(cx, cy, ground, Item(cx, cy));
    if (own) EndStroke();
}

void Document::Erase(int x, int y, int size) {
    const int r = std::max(size, 1) / 2;
    const bool own = !stroking_;
    if (own) BeginStroke();
    for (int cy = y - r; cy <= y + r; ++cy)
        for (int cx = x - r; cx <= x + r; ++cx)
            if (Contains(cx, cy)) SetCell(cx, cy, Ground(cx, cy), 0);
    if (own) EndStroke();
}

void Document::PlaceItem(int x, int y, int item) {
    const bool own = !stroking_;
    if (own) BeginStroke();
    SetCell(x, y, Ground(x, y), item);
    if (own) EndStroke();
}

int Document::Fill(int x, int y, int ground) {
    if (!Contains(x, y) || Ground(x, y) == ground) return 0;
    const int from = Ground(x, y);
    const bool own = !stroking_;
    if (own) BeginStroke();
    const size_t before = open_.cells.size();
    std::vector<int> todo{y * data_.width + x};
    SetCell(x, y, ground, Item(x, y));
    while (!todo.empty()) {
        const int i = todo.back();
        todo.pop_back();
        const int cx = i % data_.width, cy = i / data_.width;
        const int dx[] = {0, 0, -1, 1}, dy[] = {-1, 1, 0, 0};
        for (int k = 0; k < 4; ++k) {
            const int nx = cx + dx[k], ny = cy + dy[k];
            if (!Contains(nx, ny) || Ground(nx, ny) != from) continue;
            SetCell(nx, ny, ground, Item(nx, ny));
            todo.push_back(ny * data_.width + nx);
        }
    }
    const int changed = static_cast<int>(open_.cells.size() - before);
    if (own) EndStroke();
    return changed;
}

void Document::SetCritters(int apes, int lizards) {
    apes = std::clamp(apes, 0, kMaxCritters);
    lizards = std::clamp(lizards, 0, kMaxCritters);
    if (apes == data_.apes && lizards == data_.lizards) return;
    const bool own = !stroking_;
    if (own) BeginStroke();
    data_.apes = open_.newApes = apes;
    data_.lizards = open_.newLizards = lizards;
    Touch();
    if (own) EndStroke();
}

void Document::SetStartMark(Mark mark) {
    if (!Contains(mark.x, mark.y)) mark = {};
    if (mark == mark_) return;
    const bool own = !stroking_;
    if (own) BeginStroke();
    PutMark(mark);
    if (own) EndStroke();
}

// Off the map means no mark. Inside a stroke: the step records it.
void Document::PutMark(Mark mark) {
    if (!Contains(mark.x, mark.y)) mark = {};
    if (mark == mark_) return;
    mark_ = open_.newMark = mark;
    Touch();
}

void Document::Apply(const EditStep& step, bool forward) {
    // Backwards in reverse order: a cell changed twice in one step ends as it began.
    const auto put = [&](const CellChange& c) {
        const int x = static_cast<int>(c.index % data_.width);
        const int y = static_cast<int>(c.index / data_.width);
        const uint8_t g = forward ? c.newGround : c.oldGround;
        const uint8_t it = forward ? c.newItem : c.oldItem;
        data_.ground[c.index] = g;
        data_.items[c.index] = it;
        karte_.data(x, y, 0) = g;
        karte_.data(x, y, 1) = it;
    };
    if (forward)
        std::for_each(step.cells.begin(), step.cells.end(), put);
    else
        std::for_each(step.cells.rbegin(), step.cells.rend(), put);
    data_.apes = forward ? step.newApes : step.oldApes;
    data_.lizards = forward ? step.newLizards : step.oldLizards;
    mark_ = forward ? step.newMark : step.oldMark;
    Touch();
}

bool Document::Undo() {
    EndStroke();
    if (undo_.empty()) return false;
    Apply(undo_.back(), false);
    redo_.push_back(std::move(undo_.back()));
    undo_.pop_back();
    return true;
}

bool Document::Redo() {
    EndStroke();
    if (redo_.empty()) return false;
    Apply(redo_.back(), true);
    undo_.push_back(std::move(redo_.back()));
    redo_.pop_back();
    return true;
}

} // namespace editor
