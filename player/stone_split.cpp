#include "player/stone_split.h"

#include "core/texts.h"
#include "media/clock.h"

StoneSplit StoneSplitFor(int r) {
    if (r <= 9) return {0, Tr(texts::SPLIT_OUCH)};
    if (r <= 19) return {8, Tr(texts::SPLIT_FLINT)};
    if (r <= 39) return {9, Tr(texts::SPLIT_SLATE)};
    if (r <= 64) return {10, Tr(texts::SPLIT_ORE)};
    return {2, Tr(texts::SPLIT_STONE)};
}

StoneSplit SplitStone() {
    int r = RandomInt(100, 1);
    return StoneSplitFor(r);
}
