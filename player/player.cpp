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
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    if (x >= karte.sizex) x = karte.sizex - 1;
    if (y >= karte.sizey) y = karte.sizey - 1;
    // An empty map has no cell at all; keep the position on the origin
    // rather than at -1.
    if (x < 0) x = 0;
    if (y < 0) y = 0;
}

namespace {
int GroundHere(const TPlayer& p) {
    return karte.contains(p.x, p.y) ? karte.data(p.x, p.y, 0) : 0;
}
} // namespace

int TPlayer::gethunger() const {
    switch (GroundHere(*this)) {
    case 1:
        return 3;
    case 2:
        return 2;
    case 3:
        return 6;
    case 4:
        return 1;
    default:
        return 0;
    }
}

int TPlayer::getdurst() const {
    switch (GroundHere(*this)) {
    case 1:
        return -10;
    case 2:
        return 1;
    case 3:
        return 3;
    case 4:
        return 1;
    default:
        return 0;
    }
}

CastawayView TPlayer::seenByCritters() const {
    CastawayView view;
    view.x = x;
    view.y = y;
    view.armed = std::find(inventory.begin(), inventory.end(), TObjekt::AXT) != inventory.end();
    return view;
}
