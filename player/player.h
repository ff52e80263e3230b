// The castaway: position, needs, inventory and the orders of one pass.
#pragma once

#include <array>

#include "world/critter.h"
#include "world/karte.h"

class TPlayer {
  public:
    // Order bits gathered by In() and carried out by action() and move().
    static constexpr int NOORDER = 0, MOVENORTH = 1, MOVESOUTH = 2, MOVEEAST = 4, MOVEWEST = 8,
                         DOACTIONTAKE = 16, DOACTIONUSE = 32, DOACTIONCOMBINE = 64,
                         DOACTIONCOMBINERUN = 128, DOACTIONUSERUN = 256, DOACTIONDROP = 512,
                         DOACTIONDROPRUN = 1024;

    // Inventory slots.
    static constexpr int SLOTS = 10;
    // A palm or stone cell can be worked again once this long has passed since its stamp.
    static constexpr int REST_PERIOD_MS = 10000;
    // Fruit regrows this often, on the columns and rows below REGROWTH_AREA.
    static constexpr int REGROWTH_PERIOD_MS = 30000, REGROWTH_AREA = 64;
    // The castaway starts on the first land cell (i, i) with i below START_DIAGONAL.
    static constexpr int START_DIAGONAL = 64;
    // Hunger and thirst a step onto each ground kind costs, by TKarte ground
    // kind; shallow water quenches thirst.
    struct GroundCost {
        int hunger, durst;
    };
    static constexpr std::array<GroundCost, TKarte::GROUND_KINDS> GROUND_COSTS = {
        {{0, 0}, {3, -10}, {2, 1}, {6, 3}, {1, 1}}};
    // Above these the castaway dies.
    static constexpr int HUNGER_LIMIT = 300, DURST_LIMIT = 180;
    // Chances in draws of 1..100 (a draw below the number wins): a hammer blow
    // shakes coconuts from a rested palm; a regrowth gives a palm coconuts and
    // a bush berries; a falling fruit lands on a free neighbour cell.
    static constexpr int HAMMER_COCONUT_CHANCE = 60, REGROWTH_COCONUT_CHANCE = 20,
                         REGROWTH_BERRY_CHANCE = 60, FRUIT_LANDS_CHANCE = 30;
    // Thirst a leather bag carries: with one the castaway may drink this far below zero.
    static constexpr int BAG_WATER = 150;

    int hunger = 0, durst = 0, x = 0, y = 0, rotation = 0;
    std::array<int, SLOTS> inventory{};
    int chosen = 0, combine1 = 0, combine1slot = -1, combine2 = 0, combine2slot = -1, order = 0;
    int lastspawn;

    TPlayer(); // lastspawn = Millis()

    int In();
    void action();
    void SetPos(int x, int y);
    void move();
    void spawn();
    int gethunger() const;
    int getdurst() const;
    void Render();
    void renderInventory();
    // Where the critters find the castaway and whether he can strike.
    CastawayView seenByCritters() const;
};

// The one castaway, alive from start-up to the end.
extern TPlayer player;
