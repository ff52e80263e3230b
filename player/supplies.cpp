#include "player/supplies.h"

#include "world/objekt.h"

namespace {
constexpr int FOOD_NEEDED = 6;
} // namespace

Supplies CheckSupplies(const std::array<int, TPlayer::SLOTS>& inventory) {
    Supplies s{false, false, false};
    int food = 0;
    for (int id : inventory) {
        if (id == TObjekt::SEGEL) s.sail = true;
        if (id == TObjekt::LEDERBEUTEL) s.water = true;
        if (id == TObjekt::BRATEN || id == TObjekt::KOKOSNUSS) food += 2;
        if (id == TObjekt::FLEISCH || id == TObjekt::BEEREN) food += 1;
        if (food >= FOOD_NEEDED) s.food = true;
    }
    return s;
}
