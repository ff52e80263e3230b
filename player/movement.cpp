// Walking, the needs it costs, and the regrowth of fruit.
#include "core/state.h"
#include "core/timer.h"
#include "media/clock.h"
#include "player/fruit_drop.h"
#include "player/player.h"
#include "world/critter.h"
#include "world/karte.h"
#include "world/objekt.h"

void TPlayer::move() {
    if (DelayPassed(lastspawn, Millis(), TPlayer::REGROWTH_PERIOD_MS)) spawn();

    struct Step {
        int bit, dx, dy;
    };
    static constexpr Step steps[] = {
        {MOVENORTH, 0, -1}, {MOVESOUTH, 0, 1}, {MOVEWEST, -1, 0}, {MOVEEAST, 1, 0}};
    for (const Step& step : steps) {
        if ((order & step.bit) == 0) continue;
        // In checked each key from the start cell; a second step must also be
        // possible from where the first one ended, or it would lead into the sea.
        if (karte.isenterable(x + step.dx, y + step.dy) != 1) continue;
        x += step.dx;
        y += step.dy;
        hunger += gethunger();
        durst += getdurst();
        TCritter::Update(player.seenByCritters());
        PlaySfx(sndwalk);
    }

    int floor = 0;
    for (int id : inventory)
        if (id == TObjekt::LEDERBEUTEL) floor = BAG_WATER;
    if (durst < -floor) durst = -floor;
}

void TPlayer::spawn() {
    lastspawn = Millis();
    for (int cx = 0; cx < REGROWTH_AREA && cx < karte.sizex; ++cx) {
        for (int cy = 0; cy < REGROWTH_AREA && cy < karte.sizey; ++cy) {
            if (karte.data(cx, cy, 1) == TObjekt::PALME) {
                int r = RandomInt(1, 100);
                if (r < REGROWTH_COCONUT_CHANCE)
                    DropFruitAround(cx, cy, TObjekt::KOKOSNUSS, 1, 100);
            }
            if (karte.data(cx, cy, 1) == TObjekt::BEERENSTRAUCH) {
                int r = RandomInt(1, 100);
                if (r < REGROWTH_BERRY_CHANCE) DropFruitAround(cx, cy, TObjekt::BEEREN, 1, 100);
            }
        }
    }
}
