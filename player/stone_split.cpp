#include "player/stone_split.h"

#include "media/clock.h"
#include "world/objekt.h"

StoneSplit StoneSplitFor(int r) {
    if (r <= 9) return {0, "Oweh! Das war zu dolle!"};
    if (r <= 19) return {TObjekt::FEUERSTEIN, "Da fliegen ja voll die Funken!"};
    if (r <= 39) return {TObjekt::SCHIEFER, "Hm... Sehr scharfe Kanten hat dieses Gestein."};
    if (r <= 64) return {TObjekt::EISENERZ, "Dieses Glitzern... ich denke das ist Eisenerz."};
    return {TObjekt::STEINBROCKEN, "Stein bleibt Stein, auch wenn man ihn verdrischt."};
}

StoneSplit SplitStone() {
    int r = RandomInt(100, 1);
    return StoneSplitFor(r);
}
