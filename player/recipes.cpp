// Combining two picked items: the recipe table, splitting a stone with the
// hammer, laying planks into a raft and the check before setting sail.
#include <climits>

#include "core/state.h"
#include "core/texts.h"
#include "player/cell.h"
#include "player/combine.h"
#include "player/player.h"
#include "player/stone_split.h"
#include "player/supplies.h"
#include "world/karte.h"
#include "world/message.h"
#include "world/objekt.h"

namespace {

bool Picked(const TPlayer& p, int a, int b) {
    return p.combine1 == a && p.combine2 == b;
}
bool PickedEitherWay(const TPlayer& p, int a, int b) {
    return Picked(p, a, b) || Picked(p, b, a);
}

void SetSlot(TPlayer& p, int slot, int value) {
    if (slot >= 0 && slot < TPlayer::SLOTS) p.inventory[slot] = value;
}

// Both picks become new contents of their own slots.
void Produce(TPlayer& p, int first, int second) {
    SetSlot(p, p.combine1slot, first);
    SetSlot(p, p.combine2slot, second);
}

void CheckDeparture(const TPlayer& p) {
    Supplies s = CheckSupplies(p.inventory);
    if (s.sail && s.water && s.food) {
        gamestate = GS_VICTORY;
        Tmessage::add(Tr(texts::CAST_OFF), 3000);
        return;
    }
    if (!s.sail) Tmessage::add(Tr(texts::NEED_SAIL), 500);
    if (!s.water) Tmessage::add(Tr(texts::NEED_WATER), 3000);
    if (!s.food) Tmessage::add(Tr(texts::NEED_FOOD), 3000);
}

void LayPlanks(TPlayer& p) {
    if (!karte.contains(p.x, p.y) || CellAt(p.x, p.y, 0) != TKarte::SAND) return;
    Produce(p, 0, 0);
    // Layer 2 of a cell that is not yet a raft may hold the time stamp of a
    // palm or stone that stood there: the count starts afresh.
    int pairs = CellAt(p.x, p.y, 1) == TObjekt::FLOSSROHLING ? CellAt(p.x, p.y, 2) : 0;
    SetCell(p.x, p.y, 1, TObjekt::FLOSSROHLING);
    if (pairs < INT_MAX) ++pairs;
    SetCell(p.x, p.y, 2, pairs);
    if (pairs >= RAFT_PAIRS_NEEDED) CheckDeparture(p);
}

void ApplyRecipe(TPlayer& p) {
    if (PickedEitherWay(p, TObjekt::STEINBROCKEN, TObjekt::TREIBHOLZ)) {
        Produce(p, TObjekt::HAMMER, 0);
    } else if (PickedEitherWay(p, TObjekt::FEUERSTEIN, TObjekt::TREIBHOLZ)) {
        // Without a cell to build on, the materials are kept.
        if (SetCell(p.x, p.y, 1, TObjekt::FEUERSTELLE)) Produce(p, 0, 0);
    } else if (PickedEitherWay(p, TObjekt::SCHIEFER, TObjekt::TREIBHOLZ)) {
        Produce(p, TObjekt::AXT, 0);
    } else if (Picked(p, TObjekt::AFFENFELL, TObjekt::AFFENFELL)) {
        Produce(p, TObjekt::LEDERBEUTEL, 0);
    } else if (Picked(p, TObjekt::FARNE, TObjekt::FARNE)) {
        Produce(p, TObjekt::SEGELSTUECK, 0);
    } else if (Picked(p, TObjekt::SEGELSTUECK, TObjekt::SEGELSTUECK)) {
        Produce(p, TObjekt::SEGEL, 0);
    } else if (PickedEitherWay(p, TObjekt::HAMMER, TObjekt::EISEN)) {
        Produce(p, TObjekt::HAMMER, TObjekt::SAEGE);
    } else if (PickedEitherWay(p, TObjekt::HAMMER, TObjekt::STEINBROCKEN)) {
        StoneSplit split = SplitStone();
        Produce(p, TObjekt::HAMMER, split.result);
        Tmessage::add(split.message, STONE_SPLIT_MESSAGE_MS);
    } else if (Picked(p, TObjekt::PLANKE, TObjekt::PLANKE)) {
        LayPlanks(p);
    }
}

} // namespace

void CombinePicks(TPlayer& p) {
    PlaySfx(sndconfirm);
    ApplyRecipe(p);
    p.combine1 = 0;
    p.combine2 = 0;
    p.combine1slot = -1;
    p.combine2slot = -1;
}
