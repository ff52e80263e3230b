#include "player/stone_split.h"

#include "core/texts.h"
#include "media/clock.h"
#include "world/objekt.h"

StoneSplit StoneSplitFor(int r) {
    if (r <= 9) return {0, Tr(texts::SPLIT_OUCH)};
    if (r <= 19) return {TObjekt::FEUERSTEIN, Tr(texts::SPLIT_FLINT)};
    if (r <= 39) return {TObjekt::SCHIEFER, Tr(texts::SPLIT_SLATE)};
    if (r <= 64) return {TObjekt::EISENERZ, Tr(texts::SPLIT_ORE)};
    return {TObjekt::STEINBROCKEN, Tr(texts::SPLIT_STONE)};
}

StoneSplit SplitStone() {
    int r = RandomInt(100, 1);
    return StoneSplitFor(r);
}
