#include "island/map_analysis.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <functional>
#include <queue>
#include <vector>

#include "island/findings_texts.h"
#include "media/language.h"
#include "player/combine.h"
#include "player/recipe_table.h"
#include "world/critter.h"
#include "world/critter_file.h"

namespace mapcheck {

int GroundOfColour(uint32_t argb) {
    for (int k = 0; k < kGroundKinds; ++k)
        if (kGroundColours[k] == argb) return k;
    return -1;
}

int StartDiagonalCells(const MapData& map) {
    return std::max(0, std::min({TPlayer::START_DIAGONAL, map.width, map.height}));
}

bool FindStart(const MapData& map, int& x, int& y) {
    for (int i = 0; i < StartDiagonalCells(map); ++i)
        if (map.GroundAt(i, i) != 0) {
            x = y = i;
            return true;
        }
    return false;
}

namespace {

// What a bag and a sail take, from the recipe table.
constexpr int kFursPerBag = UnitsOf(TObjekt::LEDERBEUTEL, TObjekt::AFFENFELL);
constexpr int kFernsPerSail = UnitsOf(TObjekt::SEGEL, TObjekt::FARNE);

void Error(Analysis& a, const std::string& text, int x = -1, int y = -1) {
    a.issues.push_back({true, text, x, y});
}
void Warning(Analysis& a, const std::string& text, int x = -1, int y = -1) {
    a.issues.push_back({false, text, x, y});
}

// What the raft needs, counted from what lies within reach. Tools and materials
// already on the map shorten the way; anything else has to be made.
void CheckRecipes(const MapData& map, Analysis& a) {
    const auto& n = a.reachableItems;
    auto have = [&](int id) { return n[id] > 0; };

    if (a.reachableGround[TKarte::SAND] == 0) Error(a, Tr(findings::kNoSand));
    // Two planks a pair: from palms (sawn) or planks lying about.
    constexpr int kPlanksNeeded = 2 * RAFT_PAIRS_NEEDED;
    if (n[Palme] + n[Planke] < kPlanksNeeded)
        Error(a, Tr(findings::kFewPlanks,
                    {std::to_string(n[Palme] + n[Planke]), std::to_string(kPlanksNeeded)}));

    // Saw = hammer + iron; iron is smelted from ore at a fire place.
    bool hammer = have(Hammer);
    int stones = n[Steinbrocken];
    int driftwood = n[Treibholz];
    if (!hammer) {
        if (stones == 0 || driftwood == 0)
            Error(a, Tr(findings::kNoHammer));
        else {
            --stones;
            --driftwood;
        }
    }
    // Flint, slate and ore either lie about or are split from stones.
    int toSplit = 0;
    bool needsFire = !have(Feuerstelle) && !(have(Saege) || have(Eisen));
    if (needsFire && !have(Feuerstein)) ++toSplit;
    if (!have(Axt) && !have(Schiefer)) ++toSplit;
    if (!have(Saege) && !have(Eisen) && !have(Eisenerz)) ++toSplit;
    if (toSplit > stones && a.reachableGround[TKarte::ROCK] == 0)
        Error(a, Tr(findings::kTooFewStones));
    else if (toSplit > stones)
        Warning(a, Tr(findings::kFewStones));
    int woodNeeded = (needsFire && !have(Feuerstelle) ? 1 : 0) + (have(Axt) ? 0 : 1);
    if (driftwood < woodNeeded) Error(a, Tr(findings::kFewDriftwood));

    if (!have(Lederbeutel) && n[Affenfell] + kFursPerBag * map.apes < kFursPerBag)
        Error(a, Tr(findings::kNoBag));
    // Ferns, and what is woven from them, counted in ferns.
    int sailParts = 0;
    for (int id = 1; id <= TObjekt::COUNT; ++id)
        sailParts += n[id] * UnitsOf(id, TObjekt::FARNE);
    if (sailParts < kFernsPerSail)
        Error(a, Tr(findings::kFewFerns, {std::to_string(kFernsPerSail)}));
    if (n[Palme] + n[Beerenstrauch] + n[Kokosnuss] + n[Beeren] + n[Braten] == 0)
        Error(a, Tr(findings::kNoFood));
    if (a.reachableGround[TKarte::SHALLOW] == 0) Warning(a, Tr(findings::kNoDrink));
}

// Cheapest cost from every cell to the nearest target cell, charging each cell
// entered on the way (reaching a target ends the walk). Dijkstra from the
// targets with one bucket per cost: steps cost at most a few points, so this
// stays linear on the biggest islands the editor checks as the maker paints.
std::vector<int> CostToNearest(const MapData& map, const std::vector<uint8_t>& target,
                               const int* costPerStep) {
    const int n = map.width * map.height;
    std::vector<int> dist(n, INT_MAX);
    int maxStep = 0;
    for (int k = 0; k < kGroundKinds; ++k)
        maxStep = std::max(maxStep, costPerStep[k]);
    // Cell i sits in bucket dist % (maxStep + 1); all waiting cells lie within
    // maxStep of the cost being settled.
    std::vector<std::vector<int>> buckets(maxStep + 1);
    size_t waiting = 0;
    for (int i = 0; i < n; ++i)
        if (target[i]) {
            dist[i] = 0;
            buckets[0].push_back(i);
            ++waiting;
        }
    std::vector<int> current;
    for (int d = 0; waiting > 0; ++d) {
        // Free steps (onto targets, into water for thirst) refill the same bucket.
        while (!buckets[d % buckets.size()].empty()) {
            current.swap(buckets[d % buckets.size()]);
            waiting -= current.size();
            for (int i : current) {
                if (dist[i] != d) continue; // settled cheaper already
                // A walker on neighbour j steps onto i: pays i's cost unless i is a target.
                const int step = target[i] ? 0 : std::max(0, costPerStep[map.ground[i]]);
                const int x = i % map.width, y = i / map.width;
                const int dx[] = {0, 0, -1, 1}, dy[] = {-1, 1, 0, 0};
                for (int k = 0; k < 4; ++k) {
                    int nx = x + dx[k], ny = y + dy[k];
                    if (nx < 0 || ny < 0 || nx >= map.width || ny >= map.height) continue;
                    int j = ny * map.width + nx;
                    if (map.ground[j] == 0 || dist[j] <= d + step) continue;
                    dist[j] = d + step;
                    buckets[dist[j] % buckets.size()].push_back(j);
                    ++waiting;
                }
            }
            current.clear();
        }
    }
    return dist;
}

// How far the worst-placed reachable cell is from water and from food.
void CheckSupplies(const MapData& map, const std::vector<uint8_t>& reachable, Analysis& a) {
    const int n = map.width * map.height;
    std::vector<uint8_t> water(n), food(n);
    for (int i = 0; i < n; ++i) {
        water[i] = reachable[i] && map.ground[i] == 1;
        uint8_t item = map.items[i];
        food[i] = reachable[i] &&
                  (item == Palme || item == Beerenstrauch || item == Kokosnuss || item == Beeren);
    }
    const std::vector<int> toWater = CostToNearest(map, water, kThirstPerStep.data());
    const std::vector<int> toFood = CostToNearest(map, food, kHungerPerStep.data());
    int worstWater = -1, worstFood = -1;
    for (int i = 0; i < n; ++i) {
        if (!reachable[i]) continue;
        if (toWater[i] != INT_MAX && toWater[i] > a.worstThirstToWater) {
            a.worstThirstToWater = toWater[i];
            worstWater = i;
        }
        if (toFood[i] != INT_MAX && toFood[i] > a.worstHungerToFood) {
            a.worstHungerToFood = toFood[i];
            worstFood = i;
        }
    }
    // Half the limit: whoever walks there must also get back.
    if (a.worstThirstToWater > kThirstLimit / 2)
        Warning(a,
                Tr(findings::kFarWater,
                   {std::to_string(a.worstThirstToWater), std::to_string(kThirstLimit)}),
                worstWater % map.width, worstWater / map.width);
    if (a.worstHungerToFood > kHungerLimit / 2)
        Warning(a,
                Tr(findings::kFarFood,
                   {std::to_string(a.worstHungerToFood), std::to_string(kHungerLimit)}),
                worstFood % map.width, worstFood / map.width);
}

// Too small for the view is an error; smaller than the area the game's
// regrowth and critters use only a warning. False when there are no cells.
bool CheckSize(const MapData& map, Analysis& a) {
    if (map.width < TKarte::VIEW_COLUMNS || map.height < TKarte::VIEW_ROWS)
        Error(a, Tr(findings::kTooSmall,
                    {std::to_string(map.width), std::to_string(map.height),
                     std::to_string(TKarte::VIEW_COLUMNS), std::to_string(TKarte::VIEW_ROWS)}));
    else if (map.width < TPlayer::REGROWTH_AREA || map.height < TPlayer::REGROWTH_AREA)
        Warning(a, Tr(findings::kSmallerThanRegrowth, {std::to_string(TPlayer::REGROWTH_AREA),
                                                       std::to_string(TPlayer::REGROWTH_AREA)}));
    return map.width > 0 && map.height > 0;
}

// The first layer byte that names no item.
// One finding for all of them, at the first, with how many there are.
void CheckLayerBytes(const MapData& map, Analysis& a) {
    size_t first = map.items.size(), count = 0;
    for (size_t i = 0; i < map.items.size(); ++i)
        if (map.items[i] > kMaxItemId && count++ == 0) first = i;
    if (count == 0) return;
    const int x = static_cast<int>(first % map.width), y = static_cast<int>(first / map.width);
    std::vector<std::string> args{std::to_string(map.items[first]), std::to_string(x),
                                  std::to_string(y), std::to_string(kMaxItemId)};
    if (count > 1) args.push_back(std::to_string(count));
    Error(a, Tr(count > 1 ? findings::kBadLayerBytes : findings::kBadLayerByte, args), x, y);
}

// Land cells, and items on sea, which nobody can stand on to reach.
void CountLand(const MapData& map, Analysis& a) {
    int firstOnSea = -1;
    for (size_t i = 0; i < map.ground.size(); ++i) {
        a.landCells += map.ground[i] != 0;
        if (map.ground[i] == 0 && map.items[i] != 0 && a.itemsOnSea++ == 0)
            firstOnSea = static_cast<int>(i);
    }
    if (a.itemsOnSea > 0)
        Warning(a,
                Tr(findings::kItemsOnSea,
                   {std::to_string(a.itemsOnSea), std::to_string(firstOnSea % map.width),
                    std::to_string(firstOnSea / map.width)}),
                firstOnSea % map.width, firstOnSea / map.width);
}

// Every cell the castaway can walk to from the start, counted by ground and item.
std::vector<uint8_t> WalkFromStart(const MapData& map, Analysis& a) {
    std::vector<uint8_t> seen(map.ground.size(), 0);
    std::queue<std::pair<int, int>> todo;
    todo.push({a.startX, a.startY});
    seen[static_cast<size_t>(a.startY) * map.width + a.startX] = 1;
    while (!todo.empty()) {
        auto [x, y] = todo.front();
        todo.pop();
        ++a.reachableCells;
        ++a.reachableGround[map.GroundAt(x, y)];
        uint8_t item = map.ItemAt(x, y);
        if (item <= kMaxItemId) ++a.reachableItems[item];
        const int dx[] = {0, 0, -1, 1}, dy[] = {-1, 1, 0, 0};
        for (int k = 0; k < 4; ++k) {
            int nx = x + dx[k], ny = y + dy[k];
            if (nx < 0 || ny < 0 || nx >= map.width || ny >= map.height) continue;
            size_t idx = static_cast<size_t>(ny) * map.width + nx;
            if (seen[idx] || map.ground[idx] == 0) continue;
            seen[idx] = 1;
            todo.push({nx, ny});
        }
    }
    return seen;
}

void WarnUnreachable(const MapData& map, const std::vector<uint8_t>& seen, Analysis& a) {
    if (a.reachableCells >= a.landCells) return;
    size_t first = 0;
    while (first < seen.size() && (seen[first] || map.ground[first] == 0))
        ++first;
    const int fx = static_cast<int>(first % map.width), fy = static_cast<int>(first / map.width);
    Warning(a,
            Tr(findings::kUnreachable, {std::to_string(a.landCells - a.reachableCells),
                                        std::to_string(fx), std::to_string(fy)}),
            fx, fy);
}

void CheckStartCell(const MapData& map, Analysis& a) {
    uint8_t startItem = map.ItemAt(a.startX, a.startY);
    if (startItem == Palme || startItem == Beerenstrauch)
        Warning(a, Tr(findings::kStartOnPlant, {Translate(TObjekt::catalogueName(startItem))}),
                a.startX, a.startY);
    if (map.GroundAt(a.startX, a.startY) == TKarte::SHALLOW)
        Warning(a, Tr(findings::kStartInWater), a.startX, a.startY);
}

} // namespace

std::string WayCost(int cost) {
    return cost < 0 ? "-" : std::to_string(cost);
}

namespace {

// Counts beyond the cap are weighed as the cap (the loader says so), so no
// sum over them runs out of range.
bool OverCritterCap(const MapData& map) {
    return map.apes > kMaxCritters || map.lizards > kMaxCritters;
}

} // namespace

Analysis Analyse(const MapData& map) {
    if (OverCritterCap(map)) {
        MapData capped = map;
        capped.apes = std::min(map.apes, kMaxCritters);
        capped.lizards = std::min(map.lizards, kMaxCritters);
        return Analyse(capped);
    }
    Analysis a;
    if (!CheckSize(map, a)) return a;
    CheckLayerBytes(map, a);
    CountLand(map, a);
    if (!FindStart(map, a.startX, a.startY)) {
        const std::string last = std::to_string(StartDiagonalCells(map) - 1);
        Error(a, Tr(findings::kNoStart, {last, last}));
        return a;
    }
    a.hasStart = true;
    const std::vector<uint8_t> seen = WalkFromStart(map, a);
    CheckSupplies(map, seen, a);
    WarnUnreachable(map, seen, a);
    CheckStartCell(map, a);
    CheckRecipes(map, a);
    a.winnable = true;
    for (const Issue& i : a.issues)
        if (i.error) a.winnable = false;
    return a;
}

FurOdds EstimateFurOdds(const FurStock& s, int huntSteps) {
    const int land = std::max(1, s.landCells);
    const double survive = std::exp(-static_cast<double>(s.lizards) * huntSteps / land);
    FurOdds odds;
    // Of the draws 1-100 that kill an ape, those from APE_FUR_FROM leave a fur.
    constexpr double kKills = 101 - TCritter::APE_HIT_FROM, kFurs = 101 - TCritter::APE_FUR_FROM;
    odds.perApe = survive * kFurs / kKills;
    odds.expected = s.fursLying + 1.0 * kFursPerBag * s.bagsLying + s.apes * odds.perApe;
    const int needed = s.bagsLying > 0 ? 0 : std::max(0, kFursPerBag - s.fursLying);
    // Binomial: at least `needed` of the apes end as furs.
    const double p = odds.perApe, q = 1.0 - p;
    double shortfall = 0, term = std::pow(q, s.apes); // k = 0
    for (int k = 0; k < needed && k <= s.apes; ++k) {
        shortfall += term;
        term *= (q > 0 ? p / q : 0) * (s.apes - k) / (k + 1.0);
    }
    odds.chance = std::max(0.0, 1.0 - shortfall);
    return odds;
}

FurOdds EstimateFurOdds(const MapData& map, const Analysis& a, int huntSteps) {
    const auto& n = a.reachableItems;
    return EstimateFurOdds({map.apes, map.lizards, a.landCells, n[Affenfell], n[Lederbeutel]},
                           huntSteps);
}

namespace {

// The fewest apes that give the bag often enough beside `lizards`; -1 when
// more than the island sensibly holds would be needed.
int ApesNeeded(FurStock s, int lizards, const FairnessGoals& g) {
    s.lizards = lizards;
    const auto enough = [&](int apes) {
        s.apes = apes;
        return EstimateFurOdds(s, g.huntSteps).chance >= g.furChance;
    };
    // More apes never lower the odds: halve the range (critter counts may be huge).
    int lo = 0, hi = std::max(s.apes, s.landCells / std::max(1, g.landPerApe));
    if (!enough(hi)) return -1;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (enough(mid))
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

// The most lizards below today's count that some sensible number of apes
// outlasts; -1 when not even an island without lizards gets there.
int MostLizards(const FurStock& s, const FairnessGoals& g) {
    if (s.lizards <= 0 || ApesNeeded(s, 0, g) < 0) return -1;
    int lo = 0, hi = s.lizards - 1; // fewer lizards never need more apes
    while (lo < hi) {
        const int mid = hi - (hi - lo) / 2;
        if (ApesNeeded(s, mid, g) >= 0)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

// What helps an island whose apes likely yield too few furs: fewer lizards
// (with more apes where needed), more apes where the lizards leave them time,
// or furs lying about. On a small island a lizard eats the apes long before
// two furs drop, so more apes alone are not advised there.
std::string FurAdvice(const FurStock& s, const FairnessGoals& g) {
    std::vector<std::string> helps;
    const int apesNow = ApesNeeded(s, s.lizards, g);
    if (apesNow >= 0)
        helps.push_back(Tr(findings::kAtLeastApes, Count(apesNow), {std::to_string(apesNow)}));
    if (const int lizards = MostLizards(s, g); lizards >= 0) {
        const int apes = ApesNeeded(s, lizards, g);
        std::string fewer =
            lizards == 0 ? Tr(findings::kNoLizards)
                         : Tr(findings::kAtMostLizards, Count(lizards), {std::to_string(lizards)});
        if (apes > s.apes)
            fewer += Tr(findings::kFurAnd) +
                     Tr(findings::kAtLeastApes, Count(apes), {std::to_string(apes)});
        helps.push_back(fewer);
    }
    FurStock oneMore = s;
    ++oneMore.fursLying;
    const bool oneFur = EstimateFurOdds(oneMore, g.huntSteps).chance >= g.furChance;
    helps.push_back(Tr(oneFur ? findings::kLayOneFur : findings::kLayTwoFurs));
    std::string advice = apesNow < 0 && s.lizards > 0 ? Tr(findings::kLizardsEatApes) : "";
    for (size_t i = 0; i < helps.size(); ++i)
        advice += (i > 0 ? Tr(findings::kFurOr) : "") + helps[i];
    return advice;
}

} // namespace

void CheckFairness(const MapData& map, Analysis& a, const FairnessGoals& g) {
    const auto& n = a.reachableItems;
    struct Goal {
        int have, want;
        const TText& what;
    };
    const Goal goals[] = {
        {n[Palme], g.palms, findings::kOnlyPalms},
        {n[Beerenstrauch], g.bushes, findings::kOnlyBushes},
        {n[Steinbrocken], g.stones, findings::kOnlyStones},
        {n[Treibholz], g.driftwood, findings::kOnlyDriftwood},
        {n[Farne], g.ferns, findings::kOnlyFerns},
        {map.apes, g.apes, findings::kOnlyApes},
        {map.lizards, g.lizards, findings::kOnlyLizards},
    };
    for (const Goal& goal : goals)
        if (goal.have < goal.want)
            Warning(a, Tr(goal.what, {std::to_string(goal.have), std::to_string(goal.want)}));
    const FurStock stock{map.apes, map.lizards, a.landCells, n[Affenfell], n[Lederbeutel]};
    const FurOdds furs = EstimateFurOdds(stock, g.huntSteps);
    if (furs.chance < g.furChance) {
        Warning(a, Tr(findings::kFewFurs,
                      {Decimal(furs.expected, 1), Decimal(100 * furs.chance, 1) + " %",
                       Decimal(100 * g.furChance, 0) + " %", FurAdvice(stock, g)}));
    }
    CheckCritterBounds(map, a, g);
    const TText* missing[] = {nullptr, &findings::kNoShallow, &findings::kNoSandAtAll,
                              &findings::kNoRock, &findings::kNoGrass};
    for (int k = 1; k < kGroundKinds; ++k)
        if (a.reachableGround[k] == 0) Warning(a, Tr(*missing[k]));
}

void CheckCritterBounds(const MapData& map, Analysis& a, const FairnessGoals& g) {
    const long long critters = static_cast<long long>(map.apes) + map.lizards;
    if (critters > a.landCells)
        Warning(a, Tr(findings::kMoreCrittersThanLand,
                      {std::to_string(critters), std::to_string(a.landCells)}));
    const int lizardsAtMost = std::max(g.lizards, a.landCells / std::max(1, g.landPerLizard));
    if (map.lizards > lizardsAtMost)
        Warning(
            a, Tr(findings::kLizardsBite, {std::to_string(map.lizards), std::to_string(a.landCells),
                                           std::to_string(lizardsAtMost)}));
}

int ParseCritterLine(const std::string& line, bool* valid) {
    return ParseCritterCount(line, valid); // read exactly as the game reads it
}

} // namespace mapcheck
