// The castaway: position, needs, inventory and the orders of one pass.
#pragma once

#include <array>

class TPlayer {
  public:
    // Order bits gathered by In() and carried out by action() and move().
    static constexpr int NOORDER = 0, MOVENORTH = 1, MOVESOUTH = 2, MOVEEAST = 4, MOVEWEST = 8,
                         DOACTIONTAKE = 16, DOACTIONUSE = 32, DOACTIONCOMBINE = 64,
                         DOACTIONCOMBINERUN = 128, DOACTIONUSERUN = 256, DOACTIONDROP = 512,
                         DOACTIONDROPRUN = 1024;

    int hunger = 0, durst = 0, x = 0, y = 0, rotation = 0;
    std::array<int, 10> inventory{};
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
};
