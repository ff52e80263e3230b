// Keyboard handling: walking and action requests in play and the inventory
// cursor in the selections. Hunger and thirst past their limits set the death
// state; the shell shows its screen.
#include "core/state.h"
#include "media/keyboard.h"
#include "player/player.h"
#include "world/karte.h"

namespace {

bool Hit(int key) {
    return KeyHitCount(key) > 0;
}

// Reads a slot, treating a cursor outside the bar as an empty slot.
int SlotItem(const TPlayer& p, int slot) {
    return (slot >= 0 && slot < TPlayer::SLOTS) ? p.inventory[slot] : 0;
}

// Letter key first; its arrow twin is only asked when the letter had no press.
void MoveCursor(TPlayer& p) {
    if (Hit(KEY_A) || Hit(KEY_LEFT)) {
        p.chosen = (p.chosen + TPlayer::SLOTS - 1) % TPlayer::SLOTS;
        PlaySfx(sndchose);
    }
    if (Hit(KEY_D) || Hit(KEY_RIGHT)) {
        p.chosen = (p.chosen + 1) % TPlayer::SLOTS;
        PlaySfx(sndchose);
    }
}

void PlayInput(TPlayer& p) {
    p.combine1 = 0;
    p.combine2 = 0;
    p.combine1slot = 0;
    p.combine2slot = 0;

    if (p.hunger > TPlayer::HUNGER_LIMIT) gamestate = GS_DEAD_HUNGER;
    if (p.durst > TPlayer::DURST_LIMIT) gamestate = GS_DEAD_THIRST;

    struct Direction {
        int key, dx, dy, bit, rotation;
    };
    // Every key is queried on every pass, so presses never linger.
    static constexpr Direction directions[] = {
        {KEY_W, 0, -1, TPlayer::MOVENORTH, 0},     {KEY_S, 0, 1, TPlayer::MOVESOUTH, 180},
        {KEY_A, -1, 0, TPlayer::MOVEWEST, 270},    {KEY_D, 1, 0, TPlayer::MOVEEAST, 90},
        {KEY_UP, 0, -1, TPlayer::MOVENORTH, 0},    {KEY_DOWN, 0, 1, TPlayer::MOVESOUTH, 180},
        {KEY_LEFT, -1, 0, TPlayer::MOVEWEST, 270}, {KEY_RIGHT, 1, 0, TPlayer::MOVEEAST, 90}};
    for (const Direction& d : directions) {
        if (!Hit(d.key)) continue;
        if (karte.isenterable(p.x + d.dx, p.y + d.dy) == 1) p.order |= d.bit;
        p.rotation = d.rotation;
    }

    // A position carried over from a larger map is pulled back inside.
    p.SetPos(p.x, p.y);

    if (Hit(KEY_SPACE)) p.order |= TPlayer::DOACTIONTAKE;
    if (Hit(KEY_ENTER)) p.order |= TPlayer::DOACTIONUSE;
    if (Hit(KEY_C)) p.order |= TPlayer::DOACTIONCOMBINE;
    if (Hit(KEY_F)) p.order |= TPlayer::DOACTIONDROP;

    if (Hit(KEY_ESCAPE)) gamestate = GS_QUIT;
}

// Use and drop selections differ only in the order a pick gives.
void SingleSelectionInput(TPlayer& p, int runOrder) {
    MoveCursor(p);
    if (Hit(KEY_ESCAPE)) {
        ClearKeys();
        gamestate = GS_PLAY;
    }
    if (Hit(KEY_ENTER)) {
        int item = SlotItem(p, p.chosen);
        if (item != 0) {
            p.combine1slot = p.chosen;
            p.combine1 = item;
            p.order = runOrder;
            gamestate = GS_PLAY;
        } else {
            gamestate = GS_PLAY;
            p.order = TPlayer::NOORDER;
            ClearKeys();
        }
    }
}

void CombineSelectionInput(TPlayer& p) {
    MoveCursor(p);
    if (Hit(KEY_ESCAPE) || Hit(KEY_C)) {
        ClearKeys();
        p.combine1 = 0;
        p.combine1slot = -1;
        gamestate = GS_PLAY;
    }
    if (Hit(KEY_ENTER)) {
        int item = SlotItem(p, p.chosen);
        if (p.combine1 == 0 && item != 0) {
            p.combine1 = item;
            p.combine1slot = p.chosen;
        }
        if (p.combine2 == 0 && p.combine1slot != p.chosen && item != 0) {
            p.combine2 = item;
            p.combine2slot = p.chosen;
            p.order = TPlayer::DOACTIONCOMBINERUN;
            gamestate = GS_PLAY;
            ClearKeys();
        }
    }
}

} // namespace

int TPlayer::In() {
    order = NOORDER;
    switch (gamestate) {
    case GS_PLAY:
        PlayInput(*this);
        break;
    case GS_USE:
        SingleSelectionInput(*this, DOACTIONUSERUN);
        break;
    case GS_DROP:
        SingleSelectionInput(*this, DOACTIONDROPRUN);
        break;
    case GS_COMBINE:
        CombineSelectionInput(*this);
        break;
    default:
        break;
    }
    return 0;
}
