#include "player/fruit_drop.h"

#include "core/state.h"
#include "media/clock.h"
#include "player/player.h"
#include "world/karte.h"

bool DropFruitAround(int cx, int cy, int item, int lo, int hi) {
    for (int x = cx - 1; x <= cx + 1; ++x) {
        for (int y = cy - 1; y <= cy + 1; ++y) {
            if (!karte.contains(x, y)) continue;
            if (karte.data(x, y, 1) != 0) continue;
            int r = RandomInt(lo, hi);
            if (r < TPlayer::FRUIT_LANDS_CHANCE) {
                karte.data(x, y, 1) = item;
                return true;
            }
        }
    }
    return false;
}
