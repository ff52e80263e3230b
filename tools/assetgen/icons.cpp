#include "icons.h"

#include <stdexcept>

#include "palette.h"
#include "pictures.h"
#include "sprites.h"

namespace assetgen {
namespace {

using namespace pal;

// Sea on a square with cut corners, so the icon reads as a tile, not a photo.
void seaTile(Canvas& c, int corner) {
    const int n = c.width();
    c.fillRect(0, 0, n, n, kSea);
    for (int i = 0; i < corner; ++i)
        for (int j = 0; j < corner - i; ++j) {
            c.set(j, i, kClear);
            c.set(n - 1 - j, i, kClear);
            c.set(j, n - 1 - i, kClear);
            c.set(n - 1 - j, n - 1 - i, kClear);
        }
}

Canvas small() {
    Canvas c(16, 16);
    seaTile(c, 2);
    c.set(3, 4, kSeaLight);
    c.set(4, 4, kSeaLight);
    c.set(12, 8, kSeaLight);
    c.fillEllipse(8, 13.5, 6.5, 2.6, kSandDark);
    c.fillEllipse(8, 13, 5.5, 2, kSand);
    c.set(6, 12, kSandLight);
    c.set(7, 12, kSandLight);
    // A leaning trunk...
    const int trunk[][2] = {{8, 12}, {8, 11}, {8, 10}, {9, 9}, {9, 8}, {9, 7}, {10, 6}};
    for (const auto& p : trunk)
        c.set(p[0], p[1], p[0] % 2 ? kWoodLight : kWood);
    // ...under a crown of fronds.
    c.fillEllipse(7.5, 4.5, 3.2, 1.3, kLeafDark);
    c.fillEllipse(12.5, 4.5, 3.2, 1.3, kLeafDark);
    c.fillEllipse(10, 3.5, 3, 1.2, kLeaf);
    c.set(5, 6, kLeaf);
    c.set(14, 6, kLeaf);
    c.set(9, 2, kLeafLight);
    c.set(11, 3, kLeafLight);
    c.set(10, 5, kNut);
    return c;
}

Canvas large() {
    Canvas c(32, 32);
    seaTile(c, 3);
    const int waves[][2] = {{4, 8}, {24, 14}, {6, 18}};
    for (const auto& w : waves) {
        c.fillRect(w[0], w[1], 3, 1, kSeaLight);
        c.set(w[0] + 1, w[1] - 1, kFoam);
    }
    c.fillEllipse(16, 27.5, 13, 4.5, kShallow);
    c.fillEllipse(16, 27, 11, 3.5, kSandDark);
    c.fillEllipse(15.5, 26.5, 10, 2.8, kSand);
    c.fillRect(10, 25, 4, 1, kSandLight);
    // The game's own palm sprite, standing on the islet.
    const Canvas items = itemSheet();
    Canvas palm(kCell, kCell);
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x)
            palm.set(x, y, items.get(x, y));
    c.blit(palm, 0, -4);
    return c;
}

} // namespace

Canvas programIcon(int size) {
    switch (size) {
    case 16:
        return small();
    case 32:
        return large();
    case 48:
        return enlarge(small(), 3);
    case 64:
        return enlarge(large(), 2);
    case 128:
        return enlarge(large(), 4);
    case 256:
        return enlarge(large(), 8);
    }
    throw std::invalid_argument("no icon of size " + std::to_string(size));
}

} // namespace assetgen
