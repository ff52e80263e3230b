// Construction, placement and the ground costs of the castaway.
#include "player/player.h"

#include <algorithm>

#include "core/state.h"
#include "media/clock.h"
#include "world/karte.h"
#include "world/objekt.h"

TPlayer player;

TPlayer::TPlayer() : lastspawn(Millis()) {}

void TPlayer::SetPos(int newx, int newy) {
    x = newx;
    y = newy;
    ClampToMap(karte, x, y);
}

namespace {
// Ground kinds outside the table (a layer byte written by hand) cost nothing.
TPlayer::GroundCost CostHere(const TPlayer& p) {
    const int ground = karte.contains(p.x, p.y) ? karte.data(p.x, p.y, 0) : TKarte::SEA;
    if (ground < 0 || ground >= TKarte::GROUND_KINDS) return {0, 0};
    return TPlayer::GROUND_COSTS[static_cast<std::size_t>(ground)];
}
} // namespace

int TPlayer::gethunger() const {
    return CostHere(*this).hunger;
}

int TPlayer::getdurst() const {
    return CostHere(*this).durst;
}

CastawayView TPlayer::seenByCritters() const {
    CastawayView view;
    view.x = x;
    view.y = y;
    view.armed = std::find(inventory.begin(), inventory.end(), TObjekt::AXT) != inventory.end();
    return view;
}
