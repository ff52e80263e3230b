#include "player/supplies.h"

namespace {
constexpr int ITEM_BERRIES = 5, ITEM_COCONUT = 6, ITEM_MEAT = 16, ITEM_ROAST = 17,
              ITEM_LEATHER_BAG = 18, ITEM_SAIL = 21;
constexpr int FOOD_NEEDED = 6;
} // namespace

Supplies CheckSupplies(const std::array<int, 10>& inventory) {
    Supplies s{false, false, false};
    int food = 0;
    for (int item : inventory) {
        if (item == ITEM_SAIL) s.sail = true;
        if (item == ITEM_LEATHER_BAG) s.water = true;
        if (item == ITEM_ROAST || item == ITEM_COCONUT) food += 2;
        if (item == ITEM_MEAT || item == ITEM_BERRIES) food += 1;
        if (food >= FOOD_NEEDED) s.food = true;
    }
    return s;
}
