// Combining two picked items: the row of the recipe table they match, splitting
// a stone with the hammer, laying planks into a raft and the check before
// setting sail.
#include <climits>

#include "core/state.h"
#include "core/texts.h"
#include "player/cell.h"
#include "player/combine.h"
#include "player/player.h"
#include "player/recipe_table.h"
#include "player/stone_split.h"
#include "player/supplies.h"
#include "world/karte.h"
#include "world/message.h"
#include "world/objekt.h"

namespace {

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
        Tmessage::add(Tr(texts::CAST_OFF), Tmessage::NEWS_MS);
        return;
    }
    if (!s.sail) Tmessage::add(Tr(texts::NEED_SAIL), Tmessage::BRIEF_MS);
    if (!s.water) Tmessage::add(Tr(texts::NEED_WATER), Tmessage::NEWS_MS);
    if (!s.food) Tmessage::add(Tr(texts::NEED_FOOD), Tmessage::NEWS_MS);
}

void LayPlanks(TPlayer& p, int raft) {
    if (!karte.contains(p.x, p.y) || CellAt(p.x, p.y, 0) != TKarte::SAND) return;
    Produce(p, 0, 0);
    // Layer 2 of a cell that is not yet a raft may hold the time stamp of a
    // palm or stone that stood there: the count starts afresh.
    int pairs = CellAt(p.x, p.y, 1) == raft ? CellAt(p.x, p.y, 2) : 0;
    SetCell(p.x, p.y, 1, raft);
    if (pairs < INT_MAX) ++pairs;
    SetCell(p.x, p.y, 2, pairs);
    if (pairs >= RAFT_PAIRS_NEEDED) CheckDeparture(p);
}

void ApplyRecipe(TPlayer& p) {
    const TRecipe* r = FindRecipe(p.combine1, p.combine2);
    if (r == nullptr) return;
    switch (r->how) {
    case TRecipe::MADE:
        Produce(p, r->product1, r->product2);
        break;
    case TRecipe::BUILT:
        // Without a cell to build on, the materials are kept.
        if (SetCell(p.x, p.y, 1, r->built)) Produce(p, 0, 0);
        break;
    case TRecipe::SPLIT: {
        StoneSplit split = SplitStone();
        Produce(p, r->product1, split.result);
        Tmessage::add(split.message, STONE_SPLIT_MESSAGE_MS);
        break;
    }
    case TRecipe::RAFT:
        LayPlanks(p, r->built);
        break;
    default:
        break;
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
