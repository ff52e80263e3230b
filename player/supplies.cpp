#include "player/supplies.h"

#include "player/item_ids.h"

namespace {
constexpr int FOOD_NEEDED = 6;
} // namespace

Supplies CheckSupplies(const std::array<int, 10>& inventory) {
    Supplies s{false, false, false};
    int food = 0;
    for (int id : inventory) {
        if (id == item::SEGEL) s.sail = true;
        if (id == item::LEDERBEUTEL) s.water = true;
        if (id == item::BRATEN || id == item::KOKOSNUSS) food += 2;
        if (id == item::FLEISCH || id == item::BEEREN) food += 1;
        if (food >= FOOD_NEEDED) s.food = true;
    }
    return s;
}
