// Walking, the needs it costs, and the regrowth of fruit.
#include "player/player.h"

#include "media/clock.h"
#include "player/fruit_drop.h"
#include "player/item_ids.h"
#include "player/timing.h"
#include "shell/globals.h"
#include "world/critter.h"

namespace {
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
    for (int id : inventory)
        if (id == item::LEDERBEUTEL) floor = 150;
    if (durst < -floor) durst = -floor;
}

void TPlayer::spawn() {
    lastspawn = Millis();
    for (int cx = 0; cx < REGROWTH_AREA && cx < karte.sizex; ++cx) {
        for (int cy = 0; cy < REGROWTH_AREA && cy < karte.sizey; ++cy) {
            if (karte.data(cx, cy, 1) == item::PALME) {
                int r = RandomInt(1, 100);
                if (r < 20) DropFruitAround(cx, cy, item::KOKOSNUSS, 1, 100);
            }
            if (karte.data(cx, cy, 1) == item::BEERENSTRAUCH) {
                int r = RandomInt(1, 100);
                if (r < 60) DropFruitAround(cx, cy, item::BEEREN, 1, 100);
            }
        }
    }
}
