#include "icons.h"

#include <stdexcept>

#include "palette.h"
#include "pictures.h"
#include "sprites.h"

namespace assetgen {
namespace {

using namespace pal;

// Sea on a square with cut corners, so the icon reads as a tile, not a photo.
void SeaTile(Canvas& c, int corner) {
    const int n = c.Width();
    c.FillRect(0, 0, n, n, kSea);
    for (int i = 0; i < corner; ++i)
        for (int j = 0; j < corner - i; ++j) {
            c.Set(j, i, kClear);
            c.Set(n - 1 - j, i, kClear);
            c.Set(j, n - 1 - i, kClear);
            c.Set(n - 1 - j, n - 1 - i, kClear);
        }
}

Canvas Small() {
    Canvas c(16, 16);
    SeaTile(c, 2);
    c.Set(3, 4, kSeaLight);
    c.Set(4, 4, kSeaLight);
    c.Set(12, 8, kSeaLight);
    c.FillEllipse(8, 13.5, 6.5, 2.6, kSandDark);
    c.FillEllipse(8, 13, 5.5, 2, kSand);
    c.Set(6, 12, kSandLight);
    c.Set(7, 12, kSandLight);
    // A leaning trunk...
    const int trunk[][2] = {{8, 12}, {8, 11}, {8, 10}, {9, 9}, {9, 8}, {9, 7}, {10, 6}};
    for (const auto& p : trunk)
        c.Set(p[0], p[1], p[0] % 2 ? kWoodLight : kWood);
    // ...under a crown of fronds.
    c.FillEllipse(7.5, 4.5, 3.2, 1.3, kLeafDark);
    c.FillEllipse(12.5, 4.5, 3.2, 1.3, kLeafDark);
    c.FillEllipse(10, 3.5, 3, 1.2, kLeaf);
    c.Set(5, 6, kLeaf);
    c.Set(14, 6, kLeaf);
    c.Set(9, 2, kLeafLight);
    c.Set(11, 3, kLeafLight);
    c.Set(10, 5, kNut);
    return c;
}

Canvas Large() {
    Canvas c(32, 32);
    SeaTile(c, 3);
    const int waves[][2] = {{4, 8}, {24, 14}, {6, 18}};
    for (const auto& w : waves) {
        c.FillRect(w[0], w[1], 3, 1, kSeaLight);
        c.Set(w[0] + 1, w[1] - 1, kFoam);
    }
    c.FillEllipse(16, 27.5, 13, 4.5, kShallow);
    c.FillEllipse(16, 27, 11, 3.5, kSandDark);
    c.FillEllipse(15.5, 26.5, 10, 2.8, kSand);
    c.FillRect(10, 25, 4, 1, kSandLight);
    // The game's own palm sprite, standing on the islet.
    const Canvas items = ItemSheet();
    Canvas palm(kCell, kCell);
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x)
            palm.Set(x, y, items.Get(x, y));
    c.Blit(palm, 0, -4);
    return c;
}

} // namespace

Canvas ProgramIcon(int size) {
    switch (size) {
    case 16:
        return Small();
    case 32:
        return Large();
    case 48:
        return Enlarge(Small(), 3);
    case 64:
        return Enlarge(Large(), 2);
    case 128:
        return Enlarge(Large(), 4);
    case 256:
        return Enlarge(Large(), 8);
    }
    throw std::invalid_argument("no icon of size " + std::to_string(size));
}

} // namespace assetgen
