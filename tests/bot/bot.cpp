#include "bot/bot.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "core/state.h"
#include "media/clock.h"
#include "media/keyboard.h"
#include "media/program.h"
#include "media/test_seams.h"
#include "player/combine.h"
#include "player/player.h"
#include "player/recipe_table.h"
#include "player/supplies.h"
#include "shell/main_loop.h"
#include "support/screen_answers.h"
#include "world/critter.h"
#include "world/karte.h"
#include "world/message.h"
#include "world/objekt.h"

namespace bot {
namespace {

// The item ids the planner names.
constexpr int PALME = TObjekt::PALME, STEINBROCKEN = TObjekt::STEINBROCKEN,
              TREIBHOLZ = TObjekt::TREIBHOLZ, HAMMER = TObjekt::HAMMER, BEEREN = TObjekt::BEEREN,
              KOKOSNUSS = TObjekt::KOKOSNUSS, BEERENSTRAUCH = TObjekt::BEERENSTRAUCH,
              FEUERSTEIN = TObjekt::FEUERSTEIN, SCHIEFER = TObjekt::SCHIEFER,
              EISENERZ = TObjekt::EISENERZ, EISEN = TObjekt::EISEN,
              FEUERSTELLE = TObjekt::FEUERSTELLE, AXT = TObjekt::AXT, SAEGE = TObjekt::SAEGE,
              PLANKE = TObjekt::PLANKE, FLEISCH = TObjekt::FLEISCH, BRATEN = TObjekt::BRATEN,
              LEDERBEUTEL = TObjekt::LEDERBEUTEL, FARNE = TObjekt::FARNE,
              SEGELSTUECK = TObjekt::SEGELSTUECK, SEGEL = TObjekt::SEGEL,
              FLOSSROHLING = TObjekt::FLOSSROHLING, AFFENFELL = TObjekt::AFFENFELL;

// What the raft's parts take, read from the game's recipe table.
constexpr int kFursPerBag = UnitsOf(TObjekt::LEDERBEUTEL, TObjekt::AFFENFELL);
constexpr int kFernsPerSail = UnitsOf(TObjekt::SEGEL, TObjekt::FARNE);
constexpr int kScrapsPerSail = UnitsOf(TObjekt::SEGEL, TObjekt::SEGELSTUECK);
constexpr int kPlanksPerPair = UnitsOf(TObjekt::FLOSSROHLING, TObjekt::PLANKE);
// The row where the hammer splits a stone.
constexpr TRecipe kSplit = *std::find_if(RECIPES.begin(), RECIPES.end(),
                                         [](const TRecipe& r) { return r.how == TRecipe::SPLIT; });

constexpr int SHALLOW = TKarte::SHALLOW, SAND = TKarte::SAND;
constexpr int kNone = INT_MAX;
// Food points carried as a buffer for the way (a coconut is two).
constexpr int kStock = 4;
// The planner looks this many cells (Chebyshev) around the castaway: the whole
// of a 64 x 64 island from anywhere on it, and on the big generated islands a
// neighbourhood that holds everything a raft needs, at a fraction of the cost.
constexpr int kPlanReach = 64;

// Hunger and thirst of one step onto a ground kind, as the castaway pays them.
int HungerPerStep(int ground) {
    return TPlayer::GROUND_COSTS[static_cast<std::size_t>(ground)].hunger;
}
int ThirstPerStep(int ground) {
    return TPlayer::GROUND_COSTS[static_cast<std::size_t>(ground)].durst;
}

bool Edible(int id) {
    return TObjekt::isEdible(id) != 0;
}

// What eating the item takes off the hunger.
int FoodValue(int id) {
    return Edible(id) ? TObjekt::getData(id) : 0;
}

struct Intent {
    enum Kind { NONE, USE, DROP, COMBINE } kind = NONE;
    int slot1 = -1, slot2 = -1, item1 = 0, item2 = 0;
};

class Planner {
  public:
    // A level was (re)loaded: forget what belonged to the old one.
    void NewLevel() {
        w_ = karte.sizex;
        h_ = karte.sizey;
        raftX_ = raftY_ = -1;
        drinking_ = false;
        stuck_ = 0;
        hopeless_ = false;
        // Thirst of the cheapest walk from every cell to shallow water.
        std::vector<char> water(w_ * h_, 0);
        for (int i = 0; i < w_ * h_; ++i)
            water[i] = karte.data(i % w_, i / w_, 0) == SHALLOW ? 1 : 0;
        toWater_ = CostFrom(
            water, [](int ground) { return std::max(0, ThirstPerStep(ground)); }, false);
    }

    bool Hopeless() const { return hopeless_; }

    // One line about the castaway's state, for following a game by eye.
    std::string Describe() const {
        std::string line = "(" + std::to_string(player.x) + "," + std::to_string(player.y) + ") h" +
                           std::to_string(player.hunger) + " d" + std::to_string(player.durst) +
                           " gs" + std::to_string(gamestate) + " apes";
        int apes = 0;
        for (const TCritter& c : TCritter::list)
            apes += c.typ == TCritter::APE;
        line += std::to_string(apes) + " inv";
        for (int id : player.inventory)
            line += " " + std::to_string(id);
        line += " here " + std::to_string(ItemAt(player.x, player.y));
        if (static_cast<int>(fromHere_.size()) == w_ * h_ && w_ > 0) {
            const Needs n = Compute();
            line += " need f" + std::to_string(n.furs) + " r" + std::to_string(n.ferns) + " p" +
                    std::to_string(n.planks) + " w" + std::to_string(n.wood) + " s" +
                    std::to_string(n.stones) + " " + std::to_string(n.hammer) +
                    std::to_string(n.axe) + std::to_string(n.saw) + std::to_string(n.iron) +
                    std::to_string(n.ore) + std::to_string(n.fire) + std::to_string(n.flint) +
                    std::to_string(n.slate) + std::to_string(n.split);
        }
        line += " raft " + std::to_string(raftX_) + "," + std::to_string(raftY_);
        if (!Tmessage::list.empty()) line += " [" + Tmessage::list.back().txt + "]";
        return line;
    }

    // The island as text, for following a lost game: ground " ~.^," (sea,
    // shallow, sand, rock, grass), an item as one letter by its id, '@' an
    // ape, 'W' a lizard, '*' the castaway.
    void DumpMap() const {
        for (int y = 0; y < h_; ++y) {
            std::string row;
            for (int x = 0; x < w_; ++x) {
                char c = " ~.^,"[Ground(x, y)];
                const int it = ItemAt(x, y);
                if (it) c = "?PSTHBKbfsEeFAgLMRlrGQpZ"[it];
                for (const TCritter& cr : TCritter::list)
                    if (cr.x == x && cr.y == y) c = cr.typ == TCritter::APE ? '@' : 'W';
                if (x == player.x && y == player.y) c = '*';
                row += c;
            }
            std::fprintf(stderr, "%s\n", row.c_str());
        }
    }

    std::vector<int> Keys() {
        switch (gamestate) {
        case GS_USE:
        case GS_DROP:
        case GS_COMBINE:
            return SelectionKeys();
        case GS_PLAY: {
            intent_ = Intent{};
            // Past a fatal limit the castaway is dead; a selection opened in
            // this pass would only put the death screen off.
            if (player.hunger > TPlayer::HUNGER_LIMIT || player.durst > TPlayer::DURST_LIMIT)
                return {};
            std::vector<int> keys = PlayKeys();
            // Critters only move when the castaway steps: a lizard blocking every
            // way stays there for ever unless he risks a step.
            idle_ = keys.empty() && !waiting_ ? idle_ + 1 : 0;
            if (idle_ > 40) {
                idle_ = 0;
                return Risk();
            }
            return keys;
        }
        default:
            return {};
        }
    }

  private:
    // ---- the map ----
    int Idx(int x, int y) const { return y * w_ + x; }
    int Ground(int x, int y) const { return karte.data(x, y, 0); }
    int ItemAt(int x, int y) const { return karte.data(x, y, 1); }

    int LizardDistance(int x, int y) const {
        int best = kNone;
        for (const TCritter& c : TCritter::list)
            if (c.typ == TCritter::WARAN)
                best = std::min(best, std::abs(c.x - x) + std::abs(c.y - y));
        return best;
    }
    // A lizard takes one step after each of the castaway's: a cell two steps
    // from every lizard cannot be reached by one.
    bool Safe(int x, int y) const { return LizardDistance(x, y) >= 2; }

    // Dijkstra over enterable cells from `sources` (cost of each cell entered),
    // within `reach` cells (Chebyshev) of the castaway.
    template <class Cost>
    std::vector<int> CostFrom(const std::vector<char>& sources, Cost cost, bool avoidLizards,
                              int reach = kNone) const {
        std::vector<int> dist(w_ * h_, kNone);
        // The lizards' cells once, not the whole critter list for every step looked at.
        std::vector<std::pair<int, int>> lizards;
        for (const TCritter& c : TCritter::list)
            if (c.typ == TCritter::WARAN) lizards.push_back({c.x, c.y});
        const auto lizardDistance = [&lizards](int x, int y) {
            int best = kNone;
            for (auto [lx, ly] : lizards)
                best = std::min(best, std::abs(lx - x) + std::abs(ly - y));
            return best;
        };
        // Dial's buckets: a step costs a few points at most, so the cells waiting
        // to be settled fit a ring of buckets, one per cost, and the distances
        // come out as a heap would give them, only faster.
        int maxStep = avoidLizards ? 12 : 0, most = 0;
        for (int g = 1; g < TKarte::GROUND_KINDS; ++g)
            most = std::max(most, cost(g));
        maxStep += most;
        std::vector<std::vector<int>> buckets(static_cast<std::size_t>(maxStep) + 1);
        const auto bucket = [&buckets](int d) -> std::vector<int>& {
            return buckets[static_cast<std::size_t>(d) % buckets.size()];
        };
        std::size_t waiting = 0;
        for (int i = 0; i < w_ * h_; ++i)
            if (sources[i]) {
                dist[i] = 0;
                bucket(0).push_back(i);
                ++waiting;
            }
        const int dx[] = {0, 0, -1, 1}, dy[] = {-1, 1, 0, 0};
        for (int d = 0; waiting > 0; ++d) {
            // Free steps put cells back into the bucket being emptied.
            for (std::vector<int>& todo = bucket(d); !todo.empty();) {
                const int i = todo.back();
                todo.pop_back();
                --waiting;
                if (dist[i] != d) continue;
                const int x = i % w_, y = i / w_;
                for (int k = 0; k < 4; ++k) {
                    const int nx = x + dx[k], ny = y + dy[k];
                    if (!karte.isenterable(nx, ny)) continue;
                    if (std::abs(nx - player.x) > reach || std::abs(ny - player.y) > reach)
                        continue;
                    int step = cost(Ground(nx, ny));
                    if (avoidLizards) {
                        const int ld = lizardDistance(nx, ny);
                        if (ld <= 1) continue;
                        if (ld <= 3) step += 12;
                    }
                    const int j = Idx(nx, ny);
                    if (dist[j] <= d + step) continue;
                    dist[j] = d + step;
                    bucket(dist[j]).push_back(j);
                    ++waiting;
                }
            }
        }
        return dist;
    }

    static int WalkCost(int ground) {
        return HungerPerStep(ground) + std::max(0, ThirstPerStep(ground)) + 1;
    }

    // Cost from the castaway to every cell, and the first step towards a cell.
    void PlanFromHere() {
        std::vector<char> here(w_ * h_, 0);
        here[Idx(player.x, player.y)] = 1;
        fromHere_ = CostFrom(here, WalkCost, true, kPlanReach);
    }

    // Key of the first step towards (tx, ty), found by walking the cost field back.
    int StepTowards(int tx, int ty) const {
        if (fromHere_[Idx(tx, ty)] == kNone || (tx == player.x && ty == player.y)) return 0;
        int x = tx, y = ty;
        const int dx[] = {0, 0, -1, 1}, dy[] = {-1, 1, 0, 0};
        for (int guard = 0; guard < w_ * h_; ++guard) {
            // A neighbour that is one cell entered cheaper lies on the way back.
            int bx = -1, by = -1;
            for (int k = 0; k < 4; ++k) {
                const int nx = x + dx[k], ny = y + dy[k];
                if (!karte.contains(nx, ny) || fromHere_[Idx(nx, ny)] == kNone) continue;
                if (bx < 0 || fromHere_[Idx(nx, ny)] < fromHere_[Idx(bx, by)]) {
                    bx = nx;
                    by = ny;
                }
            }
            if (bx < 0) return 0;
            if (bx == player.x && by == player.y) return KeyFor(x - bx, y - by);
            x = bx;
            y = by;
        }
        return 0;
    }

    static int KeyFor(int dx, int dy) {
        if (dx == 1) return KEY_D;
        if (dx == -1) return KEY_A;
        if (dy == 1) return KEY_S;
        return KEY_W;
    }

    // Nearest cell (by walking cost) that `want` accepts; false when none is reachable.
    template <class Want> bool Nearest(Want want, int& bx, int& by, int& best) const {
        best = kNone;
        // Only the planned neighbourhood holds costs; the same cells in the same order.
        const int x0 = std::max(0, player.x - kPlanReach),
                  x1 = std::min(w_, player.x + kPlanReach + 1);
        const int y0 = std::max(0, player.y - kPlanReach),
                  y1 = std::min(h_, player.y + kPlanReach + 1);
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const int d = fromHere_[Idx(x, y)];
                if (d < best && want(x, y)) {
                    best = d;
                    bx = x;
                    by = y;
                }
            }
        return best != kNone;
    }

    // ---- the inventory ----
    int Count(int id) const {
        return static_cast<int>(std::count(player.inventory.begin(), player.inventory.end(), id));
    }
    bool Has(int id) const { return Count(id) > 0; }
    // The carried things counted in `raw`: a sail scrap is two ferns.
    int CarriedUnitsOf(int raw) const {
        int units = 0;
        for (int id : player.inventory)
            units += id != 0 ? UnitsOf(id, raw) : 0;
        return units;
    }
    int SlotOf(int id, int except = -1) const {
        for (int i = 0; i < 10; ++i)
            if (player.inventory[i] == id && i != except) return i;
        return -1;
    }
    int FreeSlots() const { return Count(0); }
    // One rule for food on the ground, so that the walk towards it and the
    // take at its end agree: a free slot is enough while hungry, otherwise one
    // stays free for the recipes.
    bool TakesFood() const {
        if (FreeSlots() == 0) return false;
        return player.hunger >= 100 || (CarriedFood() < 10 && FreeSlots() > 1);
    }
    int CarriedFood() const {
        int points = 0;
        for (int id : player.inventory)
            points += VoyageFoodPoints(id);
        return points;
    }

    // ---- what is still needed ----
    struct Needs {
        int furs, ferns, planks, wood, stones;
        bool hammer, axe, saw, iron, ore, fire, flint, slate, split;
    };

    bool FireOnMap(int& fx, int& fy) const {
        int best = kNone;
        return Nearest([&](int x, int y) { return ItemAt(x, y) == FEUERSTELLE; }, fx, fy, best);
    }

    int PairsLaid() const {
        if (raftX_ < 0 || ItemAt(raftX_, raftY_) != FLOSSROHLING) return 0;
        return std::min(RAFT_PAIRS_NEEDED, karte.data(raftX_, raftY_, 2));
    }

    bool Lying(int id) const {
        int x, y, d;
        return Nearest([&](int cx, int cy) { return ItemAt(cx, cy) == id; }, x, y, d);
    }

    Needs Compute() const {
        Needs n{};
        n.furs = Has(LEDERBEUTEL) ? 0 : std::max(0, kFursPerBag - Count(AFFENFELL));
        n.ferns = Has(SEGEL) ? 0 : std::max(0, kFernsPerSail - CarriedUnitsOf(FARNE));
        n.planks = std::max(0, kPlanksPerPair * (RAFT_PAIRS_NEEDED - PairsLaid()) - Count(PLANKE));
        int lyingPlanks = 0;
        for (int i = 0; i < w_ * h_; ++i)
            lyingPlanks += karte.data(i % w_, i / w_, 1) == PLANKE && fromHere_[i] != kNone;
        n.saw = !Has(SAEGE) && n.planks > lyingPlanks;
        n.iron = n.saw && !Has(EISEN);
        n.ore = n.iron && !Has(EISENERZ);
        int fx, fy;
        n.fire = !FireOnMap(fx, fy);
        n.flint = n.fire && !Has(FEUERSTEIN);
        n.axe = !Has(AXT) && n.furs > 0;
        n.slate = n.axe && !Has(SCHIEFER);
        n.hammer = !Has(HAMMER) && (n.saw || n.flint || n.slate || n.ore);
        n.split = (n.flint && !Lying(FEUERSTEIN)) || (n.slate && !Lying(SCHIEFER)) ||
                  (n.ore && !Lying(EISENERZ));
        n.wood = (n.hammer ? 1 : 0) + (n.axe ? 1 : 0) + (n.fire ? 1 : 0);
        n.stones = (n.hammer ? 1 : 0) + (n.split ? 1 : 0);
        return n;
    }

    bool Wanted(int id, const Needs& n) const {
        switch (id) {
        case STEINBROCKEN:
            return Count(STEINBROCKEN) < n.stones;
        case TREIBHOLZ:
            return Count(TREIBHOLZ) < n.wood;
        case FEUERSTEIN:
            return n.flint;
        case SCHIEFER:
            return n.slate;
        case EISENERZ:
            return n.ore;
        case EISEN:
            return n.iron;
        case HAMMER:
            return !Has(HAMMER) && (n.saw || n.split);
        case AXT:
            return n.axe;
        case SAEGE:
            return !Has(SAEGE) && n.planks > 0;
        case AFFENFELL:
            return n.furs > 0;
        case LEDERBEUTEL:
        case SEGEL:
            return !Has(id);
        case FARNE:
            return n.ferns > 0;
        case SEGELSTUECK:
            return !Has(SEGEL) && Count(SEGELSTUECK) < kScrapsPerSail;
        case PLANKE:
            return n.planks > 0 && Count(PLANKE) < 2 + (PairsLaid() >= 2 ? 0 : 2);
        case KOKOSNUSS:
        case BRATEN:
        case BEEREN:
        case FLEISCH:
            return TakesFood();
        default:
            return false;
        }
    }

    // Carried things with no use left, dropped to make room.
    bool Useless(int id, const Needs& n) const {
        switch (id) {
        case STEINBROCKEN:
            return Count(STEINBROCKEN) > n.stones;
        case TREIBHOLZ:
            return Count(TREIBHOLZ) > n.wood;
        case FEUERSTEIN:
            return !n.fire || Count(FEUERSTEIN) > 1;
        case SCHIEFER:
            return !n.axe || Count(SCHIEFER) > 1;
        case EISENERZ:
            return !n.iron || Count(EISENERZ) > 1;
        case EISEN:
            return !n.saw || Count(EISEN) > 1;
        case AXT:
            return n.furs == 0 && FreeSlots() == 0;
        case SAEGE:
            return n.planks == 0 || (!n.saw && FreeSlots() == 0 && Count(PLANKE) >= n.planks);
        default: // the hammer stays: it shakes coconuts from the palms to the end
            return false;
        }
    }

    // ---- keys ----
    std::vector<int> Open(Intent::Kind kind, int slot1, int slot2 = -1) {
        intent_.kind = kind;
        intent_.slot1 = slot1;
        intent_.slot2 = slot2;
        intent_.item1 = player.inventory[slot1];
        intent_.item2 = slot2 >= 0 ? player.inventory[slot2] : 0;
        return {kind == Intent::USE ? KEY_ENTER : kind == Intent::DROP ? KEY_F : KEY_C};
    }

    std::vector<int> SelectionKeys() {
        const bool combining = gamestate == GS_COMBINE;
        const Intent::Kind expected = gamestate == GS_USE    ? Intent::USE
                                      : gamestate == GS_DROP ? Intent::DROP
                                                             : Intent::COMBINE;
        if (intent_.kind != expected || player.inventory[intent_.slot1] != intent_.item1 ||
            (combining && player.inventory[intent_.slot2] != intent_.item2))
            return {KEY_ESCAPE};
        const int slot = (combining && player.combine1 != 0) ? intent_.slot2 : intent_.slot1;
        if (player.chosen == slot) return {KEY_ENTER};
        const int right = (slot - player.chosen + 10) % 10;
        return {right <= 5 ? KEY_D : KEY_A};
    }

    std::vector<int> Step(int key) {
        if (key == 0) return {};
        ++steps_;
        return {key};
    }

    std::vector<int> GoTo(int x, int y) { return Step(StepTowards(x, y)); }

    // Chance that one castaway step onto (cx, cy) meets an ape there.
    double MeetChance(int cx, int cy) const {
        double chance = 0;
        for (const TCritter& c : TCritter::list) {
            if (c.typ != TCritter::APE) continue;
            if (std::abs(c.x - cx) > 1 || std::abs(c.y - cy) > 1) continue;
            int hits = 0;
            for (std::size_t d = 1; d <= TCritter::APE_DIRECTIONS; ++d) {
                int tx = c.x + TCritter::STEP_X[d], ty = c.y + TCritter::STEP_Y[d];
                if (!karte.isenterable(tx, ty)) tx = c.x, ty = c.y;
                hits += tx == cx && ty == cy;
            }
            chance += static_cast<double>(hits) / TCritter::APE_DIRECTIONS;
        }
        return chance;
    }

    std::vector<int> Hunt() {
        const int dx[] = {0, 0, -1, 1}, dy[] = {-1, 1, 0, 0};
        double best = 0;
        int key = 0;
        for (int k = 0; k < 4; ++k) {
            const int nx = player.x + dx[k], ny = player.y + dy[k];
            if (!karte.isenterable(nx, ny) || !Safe(nx, ny)) continue;
            // Rock costs six hunger a step: an ape there is worth less.
            const double chance = MeetChance(nx, ny) / (Ground(nx, ny) == TKarte::ROCK ? 3 : 1);
            if (chance > best) {
                best = chance;
                key = KeyFor(dx[k], dy[k]);
            }
        }
        if (key != 0) return Step(key);
        int bx = -1, by = -1, bd = kNone;
        for (const TCritter& c : TCritter::list)
            if (c.typ == TCritter::APE && fromHere_[Idx(c.x, c.y)] < bd) {
                bd = fromHere_[Idx(c.x, c.y)];
                bx = c.x;
                by = c.y;
            }
        if (bx < 0) return {};
        return GoTo(bx, by);
    }

    bool ApesLeft() const {
        return std::any_of(TCritter::list.begin(), TCritter::list.end(),
                           [](const TCritter& c) { return c.typ == TCritter::APE; });
    }

    // Food first (eating takes no step), then water: the castaway dies above
    // TPlayer::HUNGER_LIMIT and DURST_LIMIT.
    bool Survive(std::vector<int>& keys) {
        // Eat before the need grows dangerous, the food that wastes least; the
        // voyage's food stays untouched unless hunger presses.
        const int reserve = Has(SEGEL) && Has(LEDERBEUTEL) ? VOYAGE_FOOD_NEEDED : 0;
        if (player.hunger >= 100) {
            int slot = -1;
            for (int i = 0; i < 10; ++i) {
                const int id = player.inventory[i];
                if (!Edible(id)) continue;
                // Below 150 only what the hunger takes in whole.
                if (player.hunger < 150 && FoodValue(id) > player.hunger + 10) continue;
                if (player.hunger < 200 && CarriedFood() - VoyageFoodPoints(id) < reserve) continue;
                if (id == FLEISCH && player.hunger < 200 && HasFireNear()) continue;
                // Food used on a fire place is cooked, and a roast burns.
                if (ItemAt(player.x, player.y) == FEUERSTELLE && (id == FLEISCH || id == BRATEN))
                    continue;
                if (slot < 0 || Better(id, player.inventory[slot])) slot = i;
            }
            if (slot >= 0) {
                keys = Open(Intent::USE, slot);
                return true;
            }
        }

        // Each step in the water costs hunger too: drink to a modest store.
        const int enough = Has(LEDERBEUTEL) ? -60 : 10;
        const int here = Idx(player.x, player.y);
        if (!drinking_ && toWater_[here] != kNone && player.durst + toWater_[here] * 5 / 4 >= 150)
            drinking_ = true;
        if (!drinking_) return false;
        if (player.durst <= enough) {
            drinking_ = false;
            return false;
        }
        const int dx[] = {0, 0, -1, 1}, dy[] = {-1, 1, 0, 0};
        if (Ground(player.x, player.y) == SHALLOW) {
            int fallback = 0;
            for (int k = 0; k < 4; ++k) {
                const int nx = player.x + dx[k], ny = player.y + dy[k];
                if (!karte.isenterable(nx, ny) || !Safe(nx, ny)) continue;
                if (Ground(nx, ny) == SHALLOW) {
                    keys = Step(KeyFor(dx[k], dy[k]));
                    return true;
                }
                if (!fallback) fallback = KeyFor(dx[k], dy[k]);
            }
            keys = Step(fallback);
            return true;
        }
        int x, y, d;
        if (Nearest([&](int cx, int cy) { return Ground(cx, cy) == SHALLOW; }, x, y, d)) {
            keys = GoTo(x, y);
            return true;
        }
        return false;
    }

    // Of two foods, the one whose value fits the hunger best.
    bool Better(int a, int b) const {
        const int wasteA = std::max(0, FoodValue(a) - player.hunger);
        const int wasteB = std::max(0, FoodValue(b) - player.hunger);
        if (wasteA != wasteB) return wasteA < wasteB;
        return FoodValue(a) > FoodValue(b);
    }

    bool HasFireNear() const {
        int fx, fy;
        return FireOnMap(fx, fy) && fromHere_[Idx(fx, fy)] < 60;
    }

    // Fruit close by, a palm to shake, an ape to hunt for meat, any fruit.
    std::vector<int> Forage() {
        int x, y, d;
        // Standing on it already: the take and the shake do the rest.
        if (Edible(ItemAt(player.x, player.y)) ||
            (Has(HAMMER) && ShakeablePalm(player.x, player.y)))
            return {};
        auto edible = [&](int cx, int cy) { return Edible(ItemAt(cx, cy)); };
        auto palm = [&](int cx, int cy) { return ShakeablePalm(cx, cy); };
        if (Nearest(edible, x, y, d) && d < 40) return GoTo(x, y);
        if (Has(HAMMER) && Nearest(palm, x, y, d) && d < 60) return GoTo(x, y);
        if (Has(AXT) && ApesLeft() && FreeSlots() > 0) return Hunt();
        if (Nearest(edible, x, y, d)) return GoTo(x, y);
        if (Has(HAMMER) && Nearest(palm, x, y, d)) return GoTo(x, y);
        if (Nearest([&](int cx, int cy) { return ItemAt(cx, cy) == BEERENSTRAUCH; }, x, y, d))
            return d > 0 ? GoTo(x, y) : std::vector<int>{};
        return {};
    }

    // Fruit anywhere, or a palm to shake: food without a hunt.
    std::vector<int> Fruit() {
        int x = 0, y = 0, d = 0;
        if (Nearest([&](int cx, int cy) { return Edible(ItemAt(cx, cy)); }, x, y, d) && d > 0)
            return GoTo(x, y);
        if (Has(HAMMER) && ShakeablePalm(player.x, player.y))
            return Open(Intent::USE, SlotOf(HAMMER));
        if (Has(HAMMER) && Nearest([&](int cx, int cy) { return ShakeablePalm(cx, cy); }, x, y, d))
            return GoTo(x, y);
        return {};
    }

    // Everything aboard but the last plank pair, and the raft within reach.
    bool Departing() const {
        if (raftX_ < 0 || Count(PLANKE) < 2 || PairsLaid() < 2 || !Ready()) return false;
        const int cost = fromHere_[Idx(raftX_, raftY_)];
        return cost != kNone && player.hunger + cost < 280;
    }

    bool ShakeablePalm(int x, int y) const {
        if (ItemAt(x, y) != PALME || karte.data(x, y, 2) >= Millis() - 10000) return false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (karte.isenterable(x + dx, y + dy) && ItemAt(x + dx, y + dy) == 0) return true;
        return false;
    }

    // Where the raft goes: an empty beach cell never used for anything else.
    void ChooseRaftSite() {
        if (raftX_ >= 0 && (ItemAt(raftX_, raftY_) == FLOSSROHLING ||
                            (ItemAt(raftX_, raftY_) == 0 && karte.data(raftX_, raftY_, 2) == 0)))
            return;
        int x, y, d;
        if (Nearest(
                [&](int cx, int cy) {
                    return Ground(cx, cy) == SAND && ItemAt(cx, cy) == 0 &&
                           karte.data(cx, cy, 2) == 0;
                },
                x, y, d)) {
            raftX_ = x;
            raftY_ = y;
        }
    }

    bool Ready() const {
        return Has(SEGEL) && Has(LEDERBEUTEL) && CarriedFood() >= VOYAGE_FOOD_NEEDED;
    }

    std::vector<int> PlayKeys() {
        PlanFromHere();
        const Needs n = Compute();
        std::vector<int> keys;
        const int here = ItemAt(player.x, player.y);
        // Food underfoot is taken before anything else, the way to water
        // included: a take costs no step, and walking off leaves it to the apes.
        if (Edible(here) && TakesFood() && player.durst < 170) return {KEY_SPACE};
        if (Survive(keys)) return keys;

        // Take what is wanted from the own cell.
        if (here != 0 && FreeSlots() > 0 && Wanted(here, n)) return {KEY_SPACE};
        const bool hungry = player.hunger >= 100 || CarriedFood() < kStock ||
                            (Has(SEGEL) && Has(LEDERBEUTEL) && CarriedFood() < VOYAGE_FOOD_NEEDED);
        if (here == PALME && Has(HAMMER) && hungry && ShakeablePalm(player.x, player.y))
            return Open(Intent::USE, SlotOf(HAMMER));
        if (player.hunger >= 170 && !Has(FLEISCH) && !Departing()) {
            keys = Forage();
            if (!keys.empty()) return keys;
        }
        if (n.furs > 0 && !ApesLeft() && !Lying(AFFENFELL)) {
            hopeless_ = true;
            return {};
        }

        // Combinations.
        auto pair = [&](int a, int b) -> std::vector<int> {
            const int sa = SlotOf(a), sb = SlotOf(b, sa);
            if (sa < 0 || sb < 0) return {};
            return Open(Intent::COMBINE, sa, sb);
        };
        // The picks of the row that makes `item`, from the game's recipe table.
        auto make = [&](int item) {
            const TRecipe* r = RecipeMaking(item);
            return r ? pair(r->first, r->second) : std::vector<int>{};
        };
        std::vector<int> c;
        if (n.hammer && !(c = make(HAMMER)).empty()) return c;
        if (n.axe && !(c = make(AXT)).empty()) return c;
        if (n.fire && here == 0 && !(c = make(FEUERSTELLE)).empty()) return c;
        if (n.saw && !(c = make(SAEGE)).empty()) return c;
        if (!Has(LEDERBEUTEL) && !(c = make(LEDERBEUTEL)).empty()) return c;
        if (!Has(SEGEL) && !(c = make(SEGELSTUECK)).empty()) return c;
        if (!Has(SEGEL) && !(c = make(SEGEL)).empty()) return c;
        if (n.split && !n.hammer && !(c = pair(kSplit.first, kSplit.second)).empty()) return c;

        // Uses on the own cell.
        if (here == FEUERSTELLE) {
            if (Has(EISENERZ) && n.iron) return Open(Intent::USE, SlotOf(EISENERZ));
            if (Has(FLEISCH)) return Open(Intent::USE, SlotOf(FLEISCH));
        }
        if (here == PALME && Has(SAEGE) && n.planks > 0 && Count(PLANKE) < 2 && FreeSlots() > 0)
            return Open(Intent::USE, SlotOf(SAEGE));

        // Room: leave what has no use on an empty cell, looking for one when full.
        for (int i = 0; i < 10; ++i) {
            if (player.inventory[i] == 0 || !Useless(player.inventory[i], n)) continue;
            if (here == 0) return Open(Intent::DROP, i);
            int x, y, d;
            if (FreeSlots() == 0 && Nearest(
                                        [&](int cx, int cy) {
                                            return ItemAt(cx, cy) == 0 &&
                                                   !(cx == raftX_ && cy == raftY_);
                                        },
                                        x, y, d))
                return GoTo(x, y);
            break;
        }

        // The raft: plank pairs on the beach, the last one when all is aboard.
        if (Count(PLANKE) >= 2 || PairsLaid() > 0) ChooseRaftSite();
        const bool onSite = player.x == raftX_ && player.y == raftY_;
        if (Count(PLANKE) >= 2 && raftX_ >= 0) {
            const bool last = PairsLaid() >= 2;
            if (!last || Ready()) {
                if (onSite) return pair(PLANKE, PLANKE);
                return GoTo(raftX_, raftY_);
            }
        }
        waiting_ = onSite && PairsLaid() >= 3 && Ready();
        if (waiting_) return {}; // the victory check runs every 3 s

        int x, y, d;
        // Smelt ore, roast meat.
        int fx, fy;
        if (FireOnMap(fx, fy) &&
            ((Has(EISENERZ) && n.iron) || (Has(FLEISCH) && fromHere_[Idx(fx, fy)] < 80)))
            return GoTo(fx, fy);

        // Food while little is carried: fruit, or a palm to shake, the farther
        // afield the hungrier he is, so that the stock is there before the need.
        if (CarriedFood() < kStock && TakesFood()) {
            const int range = 30 + player.hunger;
            if (Nearest([&](int cx, int cy) { return Edible(ItemAt(cx, cy)); }, x, y, d) &&
                d < range)
                return GoTo(x, y);
            if (Has(HAMMER) &&
                Nearest([&](int cx, int cy) { return ShakeablePalm(cx, cy); }, x, y, d) &&
                d < range * 2 / 3)
                return GoTo(x, y);
        }

        // Furs: hunt while apes are left, before anything else once the axe is
        // in hand (the lizards thin the apes out), with food in the bag first:
        // a hunt can drag on across the rocks, far from any fruit.
        if (n.furs > 0 && Has(AXT)) {
            const bool furLying = Lying(AFFENFELL);
            if (!ApesLeft() && !furLying) {
                hopeless_ = true;
                return {};
            }
            if (CarriedFood() < kStock && TakesFood() && !(keys = Fruit()).empty()) return keys;
            // A fur lying about is a hunt saved.
            if (furLying && FreeSlots() > 0 &&
                Nearest([&](int cx, int cy) { return ItemAt(cx, cy) == AFFENFELL; }, x, y, d))
                return GoTo(x, y);
            return Hunt();
        }
        if (n.furs > 0 && !ApesLeft() && !Lying(AFFENFELL)) {
            hopeless_ = true;
            return {};
        }

        // Things lying about that the next recipe needs.
        if (FreeSlots() > 0 && Nearest(
                                   [&](int cx, int cy) {
                                       const int id = ItemAt(cx, cy);
                                       return id != 0 && id != FLEISCH && id != BEEREN &&
                                              id != KOKOSNUSS && id != BRATEN && Wanted(id, n);
                                   },
                                   x, y, d))
            return GoTo(x, y);

        // Planks: saw the palms on the way to the raft.
        if (Has(SAEGE) && n.planks > 0 && Count(PLANKE) < 2 && FreeSlots() > 0) {
            int best = kNone;
            for (int cy = 0; cy < h_; ++cy)
                for (int cx = 0; cx < w_; ++cx) {
                    const int cost = fromHere_[Idx(cx, cy)];
                    if (ItemAt(cx, cy) != PALME || cost == kNone) continue;
                    const int score =
                        cost +
                        (raftX_ < 0 ? 0 : 3 * (std::abs(cx - raftX_) + std::abs(cy - raftY_)));
                    if (score < best) {
                        best = score;
                        x = cx;
                        y = cy;
                    }
                }
            if (best != kNone) return GoTo(x, y);
        }

        // Food for the voyage and the way.
        if (CarriedFood() < 8) {
            if (Nearest([&](int cx, int cy) { return Edible(ItemAt(cx, cy)); }, x, y, d) &&
                d < 120 && FreeSlots() > 1)
                return GoTo(x, y);
            if (Has(HAMMER) &&
                Nearest([&](int cx, int cy) { return ShakeablePalm(cx, cy); }, x, y, d) && d < 200)
                return GoTo(x, y);
            if (Has(AXT) && ApesLeft() && FreeSlots() > 1) return Hunt();
        }
        return Wander();
    }

    // The step farthest from the lizards, safe or not.
    std::vector<int> Risk() {
        const int dx[] = {0, 0, -1, 1}, dy[] = {-1, 1, 0, 0};
        int key = 0, best = -1;
        for (int k = 0; k < 4; ++k) {
            const int nx = player.x + dx[k], ny = player.y + dy[k];
            if (!karte.isenterable(nx, ny)) continue;
            const int d = std::min(LizardDistance(nx, ny), 1000);
            if (d > best) {
                best = d;
                key = KeyFor(dx[k], dy[k]);
            }
        }
        return Step(key);
    }

    // Nothing to do: a step somewhere safe, so that fruit regrows and critters move.
    std::vector<int> Wander() {
        const int dx[] = {0, 0, -1, 1}, dy[] = {-1, 1, 0, 0};
        const int k = (++stuck_) % 4;
        for (int i = 0; i < 4; ++i) {
            const int j = (k + i) % 4;
            const int nx = player.x + dx[j], ny = player.y + dy[j];
            if (karte.isenterable(nx, ny) && Safe(nx, ny) && Ground(nx, ny) != TKarte::ROCK)
                return Step(KeyFor(dx[j], dy[j]));
        }
        return {};
    }

  public:
    int steps_ = 0;

  private:
    int w_ = 0, h_ = 0;
    std::vector<int> toWater_, fromHere_;
    Intent intent_;
    int raftX_ = -1, raftY_ = -1;
    bool drinking_ = false, hopeless_ = false, waiting_ = false;
    int stuck_ = 0, idle_ = 0;
};

const char* DeathCause(int state) {
    switch (state) {
    case GS_DEAD_HUNGER:
        return "hunger";
    case GS_DEAD_THIRST:
        return "thirst";
    default:
        return "lizard";
    }
}

} // namespace

Outcome PlayIsland(const std::string& mapImage, int seed, int maxPasses, bool retry) {
    Outcome out;
    Planner planner;
    // A fresh castaway and screen, as after start-up.
    player = TPlayer();
    Tmessage::list.clear();
    victorytimer = 0;
    SeedRandom(seed);
    mapfile = mapImage;
    gamestate = GS_LOADLEVEL;
    AnswerScreens();
    bool loading = true;
    // PALMUT_BOT_TRACE=N prints the island at pass N, then the castaway's
    // state and the keys pressed every pass from there on.
    const char* traceFrom = std::getenv("PALMUT_BOT_TRACE");
    const bool trace = traceFrom != nullptr;
    const int from = trace ? std::atoi(traceFrom) : 0;
    try {
        while (out.passes < maxPasses) {
            if (IsDeathState(gamestate)) {
                ++out.deaths;
                out.end = DeathCause(gamestate);
                if (!retry) break;
                loading = true;
            }
            if (trace && out.passes == from && !loading) planner.DumpMap();
            if (trace && out.passes >= from)
                std::fprintf(stderr, "%d %s\n", out.passes, planner.Describe().c_str());
            if (!loading) {
                for (int key : planner.Keys()) {
                    if (trace && out.passes >= from) std::fprintf(stderr, "  key %d\n", key);
                    InjectKeyPress(key);
                }
                if (planner.Hopeless()) {
                    out.end = "no apes";
                    break;
                }
            }
            ++out.passes;
            if (!RunOnePass()) break;
            if (loading && gamestate == GS_PLAY) {
                planner.NewLevel();
                loading = false;
            }
        }
        if (out.passes >= maxPasses) out.end = "passes";
    } catch (const ProgramExit& exit) {
        out.won = gamestate == GS_VICTORY && exit.status == 0;
        out.end = out.won ? "victory" : "exit " + exit.message;
    }
    StopAnsweringScreens();
    out.steps = planner.steps_;
    return out;
}

} // namespace bot
