// Walking, the needs it costs, and the regrowth of fruit.
#include "player/player.h"

#include "media/clock.h"
#include "player/fruit_drop.h"
#include "player/timing.h"
#include "shell/globals.h"
#include "world/critter.h"

namespace {
constexpr int ITEM_PALM = 1, ITEM_BERRIES = 5, ITEM_COCONUT = 6, ITEM_BUSH = 7,
              ITEM_LEATHER_BAG = 18;
// The regrowth scan covers this many columns and rows from the top-left corner.
constexpr int REGROWTH_AREA = 64;
} // namespace

void TPlayer::move() {
    if (DelayPassed(lastspawn, Millis(), REGROWTH_PERIOD_MS)) spawn();

    struct Step {
        int bit, dx, dy;
    };
    static constexpr Step steps[] = {
        {MOVENORTH, 0, -1}, {MOVESOUTH, 0, 1}, {MOVEWEST, -1, 0}, {MOVEEAST, 1, 0}};
    for (const Step& step : steps) {
        if ((order & step.bit) == 0) continue;
        x += step.dx;
        y += step.dy;
        hunger += gethunger();
        durst += getdurst();
        TCritter::Update();
        PlaySfx(sndwalk);
    }

    int floor = 0;
    for (int item : inventory)
        if (item == ITEM_LEATHER_BAG) floor = 150;
    if (durst < -floor) durst = -floor;
}

void TPlayer::spawn() {
    lastspawn = Millis();
    for (int cx = 0; cx < REGROWTH_AREA && cx < karte.sizex; ++cx) {
        for (int cy = 0; cy < REGROWTH_AREA && cy < karte.sizey; ++cy) {
            if (karte.data(cx, cy, 1) == ITEM_PALM) {
                int r = RandomInt(1, 100);
                if (r < 20) DropFruitAround(cx, cy, ITEM_COCONUT, 1, 100);
            }
            if (karte.data(cx, cy, 1) == ITEM_BUSH) {
                int r = RandomInt(1, 100);
                if (r < 60) DropFruitAround(cx, cy, ITEM_BERRIES, 1, 100);
            }
        }
    }
}
