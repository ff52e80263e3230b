#include "player/stone_split.h"

#include "media/clock.h"

StoneSplit StoneSplitFor(int r) {
    if (r <= 9) return {0, "Oweh! Das war zu dolle!"};
    if (r <= 19) return {8, "Da fliegen ja voll die Funken!"};
    if (r <= 39) return {9, "Hm... Sehr scharfe Kanten hat dieses Gestein."};
    if (r <= 64) return {10, "Dieses Glitzern... ich denke das ist Eisenerz."};
    return {2, "Stein bleibt Stein, auch wenn man ihn verdrischt."};
}

StoneSplit SplitStone() {
    int r = RandomInt(100, 1);
    return StoneSplitFor(r);
}
