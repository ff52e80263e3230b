#include "world/critter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>

#include "core/state.h"
#include "core/texts.h"
#include "media/clock.h"
#include "media/files.h"
#include "media/graphics.h"
#include "media/program.h"
#include "world/critter_file.h"
#include "world/karte.h"
#include "world/map_files.h"
#include "world/message.h"
#include "world/objekt.h"

std::vector<TCritter> TCritter::list;

namespace {
// More of one kind than any island holds; a count near the int range would
// keep the level load busy for hours.
constexpr int MAX_PER_KIND = 10000;

bool CanPlaceAt(int x, int y, const CastawayView& castaway) {
    return karte.isenterable(x, y) && x != castaway.x && y != castaway.y;
}

// Cells that Create may choose; counted first so placement provably ends.
int CountPlacementCells(const CastawayView& castaway) {
    int count = 0;
    for (int x = TCritter::PLACE_MIN; x <= TCritter::PLACE_MAX; ++x)
        for (int y = TCritter::PLACE_MIN; y <= TCritter::PLACE_MAX; ++y)
            if (CanPlaceAt(x, y, castaway)) ++count;
    return count;
}

void Step(TCritter& critter) {
    const int directions =
        critter.typ == TCritter::APE ? TCritter::APE_DIRECTIONS : TCritter::WARAN_DIRECTIONS;
    const auto direction = static_cast<std::size_t>(RandomInt(1, directions));
    int tx = critter.x + TCritter::STEP_X[direction];
    int ty = critter.y + TCritter::STEP_Y[direction];
    if (karte.isenterable(tx, ty)) {
        critter.x = tx;
        critter.y = ty;
    }
}

// Returns true when the ape was killed.
bool ApeReacts(const TCritter& ape, const CastawayView& castaway) {
    int& item = karte.data(ape.x, ape.y, 1);
    if (item == TObjekt::BEEREN || item == TObjekt::KOKOSNUSS) item = 0;
    if (item == TObjekt::PALME) karte.data(ape.x, ape.y, 2) = Millis();
    if (ape.x != castaway.x || ape.y != castaway.y) return false;
    if (!castaway.armed) {
        Tmessage::add(Tr(texts::NEED_BLADE), 1000);
        return false;
    }
    PlaySfx(sndhit);
    int roll = RandomInt(1, 100);
    if (roll < TCritter::APE_HIT_FROM) {
        Tmessage::add(Tr(texts::APE_ESCAPES), 1000);
        return false;
    }
    if (roll < TCritter::APE_FUR_FROM) {
        Tmessage::add(Tr(texts::APE_CAUGHT), 1000);
        item = TObjekt::FLEISCH;
    } else {
        Tmessage::add(Tr(texts::NICE_FUR), 1000);
        item = TObjekt::AFFENFELL;
    }
    return true;
}

// Apes by cell, kept current as they step through one sweep, so that a lizard
// finds the apes on its cell without walking the whole list: on a big island
// with thousands of critters that walk dominated every castaway step.
class TApesByCell {
  public:
    explicit TApesByCell(const std::vector<TCritter>& critters) {
        for (std::size_t i = 0; i < critters.size(); ++i)
            if (critters[i].typ == TCritter::APE)
                cells.emplace(Key(critters[i].x, critters[i].y), i);
    }
    void Move(std::size_t ape, int fromX, int fromY, int toX, int toY) {
        if (fromX == toX && fromY == toY) return;
        auto [first, last] = cells.equal_range(Key(fromX, fromY));
        for (auto it = first; it != last; ++it)
            if (it->second == ape) {
                cells.erase(it);
                break;
            }
        cells.emplace(Key(toX, toY), ape);
    }
    template <class Visit> void ForEachAt(int x, int y, Visit visit) const {
        auto [first, last] = cells.equal_range(Key(x, y));
        for (auto it = first; it != last; ++it)
            visit(it->second);
    }

  private:
    static std::int64_t Key(int x, int y) {
        return (static_cast<std::int64_t>(x) << 32) ^ static_cast<std::uint32_t>(y);
    }
    std::unordered_multimap<std::int64_t, std::size_t> cells;
};

void LizardReacts(const TCritter& lizard, const CastawayView& castaway, const TApesByCell& apes,
                  std::vector<char>& dead) {
    apes.ForEachAt(lizard.x, lizard.y, [&](std::size_t ape) { dead[ape] = 1; });
    if (karte.data(lizard.x, lizard.y, 0) == TKarte::ROCK) {
        int roll = RandomInt(1, 100);
        if (roll <= 2) karte.data(lizard.x, lizard.y, 1) = TObjekt::STEINBROCKEN;
    }
    if (lizard.x == castaway.x && lizard.y == castaway.y) {
        Tmessage::add(Tr(texts::BITTEN), 3000);
        gamestate = GS_DEAD_WARAN;
    }
}

// Draws cells until one fits; there must be one.
void Place(int typ, const CastawayView& castaway) {
    int x = 0, y = 0;
    do {
        x = RandomInt(TCritter::PLACE_MIN, TCritter::PLACE_MAX);
        y = RandomInt(TCritter::PLACE_MIN, TCritter::PLACE_MAX);
    } while (!CanPlaceAt(x, y, castaway));
    TCritter critter;
    critter.x = x;
    critter.y = y;
    critter.typ = typ;
    TCritter::list.push_back(critter);
}
} // namespace

int TCritter::Create(int typ, const CastawayView& castaway) {
    if (CountPlacementCells(castaway) == 0) {
        DebugLog("no cell can take a critter; none placed");
        return 0;
    }
    Place(typ, castaway);
    return 0;
}

void TCritter::Update(const CastawayView& castaway) {
    // Killed critters are only marked during the sweep and removed after it,
    // so the walk never skips or revisits anyone.
    std::vector<char> dead(list.size(), 0);
    TApesByCell apes(list);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (dead[i]) continue;
        TCritter& critter = list[i];
        const int fromX = critter.x, fromY = critter.y;
        Step(critter);
        if (critter.typ == APE) {
            apes.Move(i, fromX, fromY, critter.x, critter.y);
            if (ApeReacts(critter, castaway)) dead[i] = 1;
        } else if (critter.typ == WARAN) {
            LizardReacts(critter, castaway, apes, dead);
        }
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (!dead[i]) list[kept++] = list[i];
    list.resize(kept);
}

void TCritter::Render(int vx, int vy) {
    if (!beings) return;
    ClampViewOrigin(karte, vx, vy);
    const int frames = ImageFrames(beings);
    for (const TCritter& critter : list) {
        // Critters beyond the drawn window (a cell of margin for the half
        // tiles at its edges) would land off screen: skip them.
        if (critter.x < vx - 1 || critter.y < vy - 1 || critter.x > vx + TKarte::VIEW_COLUMNS + 1 ||
            critter.y > vy + TKarte::VIEW_ROWS + 1)
            continue;
        if (critter.typ >= 0 && critter.typ < frames)
            DrawImage(beings, static_cast<float>(TKarte::TILE_SIZE * (critter.x - vx)),
                      static_cast<float>(TKarte::TILE_SIZE * (critter.y - vy)), critter.typ);
    }
}

void TCritter::load(const std::string& mapPath, const CastawayView& castaway) {
    std::string name = LayerFileName(mapPath, ".critter");
    FileStreamPtr file = OpenForReading(name);
    if (!file) {
        DebugLog(name + " not found; the level has no critters.");
        return;
    }
    std::string apeLine = Eof(file) ? std::string() : ReadLine(file);
    std::string lizardLine = Eof(file) ? std::string() : ReadLine(file);
    Close(file);
    populate(ParseCritterCount(apeLine), ParseCritterCount(lizardLine), castaway);
}

void TCritter::populate(int apes, int lizards, const CastawayView& castaway) {
    // Critters may share a cell, so a small island takes every one asked for.
    if (CountPlacementCells(castaway) == 0) {
        DebugLog("no cell can take a critter; none placed");
        return;
    }
    if (apes > MAX_PER_KIND || lizards > MAX_PER_KIND)
        DebugLog("critter count capped at " + std::to_string(MAX_PER_KIND));
    apes = std::min(apes, MAX_PER_KIND);
    lizards = std::min(lizards, MAX_PER_KIND);
    list.reserve(list.size() + static_cast<std::size_t>(std::max(apes, 0) + std::max(lizards, 0)));
    for (int i = 0; i < apes; ++i)
        Place(APE, castaway);
    for (int i = 0; i < lizards; ++i)
        Place(WARAN, castaway);
}

void TCritter::Reset() {
    list.clear();
}
