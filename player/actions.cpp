// Take, drop and use on the castaway's own cell, and the dispatch of the
// orders that In gathered this pass.
#include "core/state.h"
#include "core/texts.h"
#include "core/timer.h"
#include "media/clock.h"
#include "player/cell.h"
#include "player/combine.h"
#include "player/fruit_drop.h"
#include "player/player.h"
#include "player/stone_split.h"
#include "world/karte.h"
#include "world/message.h"
#include "world/objekt.h"

namespace {

bool ValidSlot(int slot) {
    return slot >= 0 && slot < TPlayer::SLOTS;
}

void Take(TPlayer& p) {
    int thing = CellAt(p.x, p.y, 1);
    for (int slot = 0; slot < TPlayer::SLOTS; ++slot) {
        if (p.inventory[slot] != 0) continue;
        if (TObjekt::isCollectable(thing) && SetCell(p.x, p.y, 1, 0)) {
            p.inventory[slot] = thing;
            Tmessage::add(Tr(texts::TAKEN, {TObjekt::getName(thing)}), Tmessage::REMARK_MS);
            PlaySfx(sndchose);
            p.hunger += 1;
            p.durst += 1;
            return;
        }
        break;
    }
    Tmessage::add(Tr(texts::CANNOT_TAKE), Tmessage::REMARK_MS);
}

// Outside the map there is no ground to drop on, so the request is cancelled
// like one on an occupied cell.
void OpenDropSelection(TPlayer& p) {
    if (karte.contains(p.x, p.y) && CellAt(p.x, p.y, 1) == 0) {
        gamestate = GS_DROP;
        Tmessage::add(Tr(texts::DROP_HINT), Tmessage::HINT_MS);
    } else {
        p.order = TPlayer::NOORDER;
    }
}

void Drop(TPlayer& p) {
    if (!ValidSlot(p.combine1slot) || !SetCell(p.x, p.y, 1, p.combine1)) return;
    p.combine1 = 0;
    p.inventory[p.combine1slot] = 0;
    p.combine1slot = -1;
}

bool Rested(int stamp) {
    return DelayPassed(stamp, Millis(), TPlayer::REST_PERIOD_MS);
}

void HammerBlow(TPlayer& p) {
    int thing = CellAt(p.x, p.y, 1);
    if (thing == TObjekt::PALME) {
        int r = RandomInt(100, 1);
        if (r < TPlayer::HAMMER_COCONUT_CHANCE && Rested(CellAt(p.x, p.y, 2))) {
            if (DropFruitAround(p.x, p.y, TObjekt::KOKOSNUSS, 100, 1)) {
                SetCell(p.x, p.y, 2, Millis());
                Tmessage::add(Tr(texts::COCONUT_FALLS), Tmessage::REMARK_MS);
            }
        } else {
            Tmessage::add(Tr(texts::NOTHING_FALLS), Tmessage::REMARK_MS);
        }
    }
    if (thing == TObjekt::STEINBROCKEN && Rested(CellAt(p.x, p.y, 2))) {
        StoneSplit split = SplitStone();
        Tmessage::add(split.message, STONE_SPLIT_MESSAGE_MS);
        if (split.result == TObjekt::STEINBROCKEN)
            SetCell(p.x, p.y, 2, Millis());
        else
            SetCell(p.x, p.y, 1, split.result);
    }
    if (thing == TObjekt::BEERENSTRAUCH) Tmessage::add(Tr(texts::RUSTLE), Tmessage::BRIEF_MS);
}

void ReleasePick(TPlayer& p) {
    p.combine1 = 0;
    p.combine1slot = -1;
}

// Replaces the picked item in its slot and lets go of the pick.
void ReplacePick(TPlayer& p, int newItem) {
    int slot = p.combine1slot;
    ReleasePick(p);
    if (ValidSlot(slot)) p.inventory[slot] = newItem;
}

void Use(TPlayer& p) {
    PlaySfx(sndconfirm);
    if (p.combine1 == TObjekt::HAMMER) HammerBlow(p);

    // Each rule reads the values the previous ones left: a fresh roast is not
    // burnt, and meat at a fire place is roasted rather than eaten.
    auto here = [&p] { return CellAt(p.x, p.y, 1); };
    if (p.combine1 == TObjekt::EISENERZ && here() == TObjekt::FEUERSTELLE) {
        Tmessage::add(Tr(texts::IRON_MELTS), Tmessage::REMARK_MS);
        ReplacePick(p, TObjekt::EISEN);
    }
    if (p.combine1 == TObjekt::SAEGE && here() == TObjekt::PALME) {
        SetCell(p.x, p.y, 1, TObjekt::PLANKE);
        ReleasePick(p);
    }
    if (p.combine1 == TObjekt::FLEISCH && here() == TObjekt::FEUERSTELLE) {
        Tmessage::add(Tr(texts::ROAST_DONE), Tmessage::REMARK_MS);
        ReplacePick(p, TObjekt::BRATEN);
    }
    if (p.combine1 == TObjekt::BRATEN && here() == TObjekt::FEUERSTELLE) {
        Tmessage::add(Tr(texts::ROAST_BURNT), Tmessage::REMARK_MS);
        ReplacePick(p, 0);
    }
    if (TObjekt::isEdible(p.combine1)) {
        p.hunger -= TObjekt::getData(p.combine1);
        if (p.hunger < 0) p.hunger = 0;
        ReplacePick(p, 0);
    }
}

} // namespace

void TPlayer::action() {
    // A lizard's bite or Escape in this pass must not be overwritten by a
    // selection; hunger and thirst are tested again by In and keep waiting.
    const bool ending = gamestate == GS_DEAD_WARAN || gamestate == GS_QUIT;
    if (order & DOACTIONTAKE) Take(*this);
    if ((order & DOACTIONCOMBINE) && !ending) {
        gamestate = GS_COMBINE;
        Tmessage::add(Tr(texts::COMBINE_HINT), Tmessage::HINT_MS);
    }
    if ((order & DOACTIONDROP) && !ending) OpenDropSelection(*this);
    if (order & DOACTIONDROPRUN) Drop(*this);
    if (order & DOACTIONCOMBINERUN) CombinePicks(*this);
    if ((order & DOACTIONUSE) && !ending) {
        gamestate = GS_USE;
        Tmessage::add(Tr(texts::USE_HINT), Tmessage::HINT_MS);
    }
    if (order & DOACTIONUSERUN) Use(*this);
}
