#include "player/supplies.h"

#include "world/objekt.h"

int VoyageFoodPoints(int id) {
    if (id == TObjekt::BRATEN || id == TObjekt::KOKOSNUSS) return 2;
    if (id == TObjekt::FLEISCH || id == TObjekt::BEEREN) return 1;
    return 0;
}

Supplies CheckSupplies(const std::array<int, TPlayer::SLOTS>& inventory) {
    Supplies s{false, false, false};
    int food = 0;
    for (int id : inventory) {
        if (id == TObjekt::SEGEL) s.sail = true;
        if (id == TObjekt::LEDERBEUTEL) s.water = true;
        food += VoyageFoodPoints(id);
        if (food >= VOYAGE_FOOD_NEEDED) s.food = true;
    }
    return s;
}
