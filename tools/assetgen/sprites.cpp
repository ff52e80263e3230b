#include "sprites.h"

#include <cmath>
#include <functional>
#include <vector>

#include "palette.h"

namespace assetgen {
namespace {

using namespace pal;

// A leaf or blade: a lens from base to tip, widest at 40 %, with a darker midrib.
void leaf(Canvas& c, Point base, Point tip, double width, Rgba fill, Rgba rib) {
    double dx = tip.x - base.x, dy = tip.y - base.y;
    double len = std::sqrt(dx * dx + dy * dy);
    double nx = -dy / len * width, ny = dx / len * width;
    Point mid{base.x + dx * 0.4, base.y + dy * 0.4};
    c.fillPolygon({base, {mid.x + nx, mid.y + ny}, tip, {mid.x - nx, mid.y - ny}}, fill);
    c.line(static_cast<int>(base.x), static_cast<int>(base.y), static_cast<int>(tip.x),
           static_cast<int>(tip.y), rib);
}

// A thick straight stroke made of discs.
void stroke(Canvas& c, Point a, Point b, double radius, Rgba col) {
    double dx = b.x - a.x, dy = b.y - a.y;
    int steps = static_cast<int>(std::sqrt(dx * dx + dy * dy) * 2) + 1;
    for (int i = 0; i <= steps; ++i)
        c.fillEllipse(a.x + dx * i / steps, a.y + dy * i / steps, radius, radius, col);
}

// Round blob with a light upper-left and dark lower-right: reads as a lit volume.
void ball(Canvas& c, double cx, double cy, double rx, double ry, Rgba base, Rgba light, Rgba dark) {
    c.fillEllipse(cx, cy, rx, ry, dark);
    c.fillEllipse(cx - rx * 0.12, cy - ry * 0.12, rx * 0.86, ry * 0.86, base);
    c.fillEllipse(cx - rx * 0.38, cy - ry * 0.38, rx * 0.32, ry * 0.3, light);
}

void palm(Canvas& c) {
    // Three-quarter view: a ringed, gently bent trunk under a crown of drooping fronds.
    for (int y = 31; y >= 12; --y) {
        int x = 13 + (31 - y) * (31 - y) / 90;
        Rgba ring = (y / 2) % 2 ? kWood : kWoodDark;
        c.fillRect(x, y, 4, 1, ring);
        c.set(x + 1, y, kWoodLight);
    }
    const Point top{17, 10};
    struct Frond {
        Point mid, tip;
        Rgba fill;
    };
    const Frond fronds[] = {
        {{10, 2}, {4, 3}, kLeaf},        {{24, 2}, {29, 3}, kLeaf},  {{8, 7}, {1, 15}, kLeafLight},
        {{26, 7}, {31, 16}, kLeafLight}, {{11, 12}, {7, 19}, kLeaf}, {{23, 12}, {27, 19}, kLeaf},
        {{16, 3}, {17, 0}, kLeafLight},
    };
    for (const Frond& f : fronds) {
        leaf(c, top, f.mid, 3.2, f.fill, kLeafDark);
        leaf(c, f.mid, f.tip, 2.4, f.fill, kLeafDark);
    }
    ball(c, 15, 13, 2.2, 2.2, kNut, kNutLight, kNutDark);
    ball(c, 19.5, 13, 2.2, 2.2, kNut, kNutLight, kNutDark);
}

void stoneChunk(Canvas& c) {
    c.fillPolygon({{6, 20}, {9, 11}, {16, 7}, {24, 9}, {27, 17}, {25, 25}, {14, 27}, {7, 25}},
                  kStoneDark);
    c.fillPolygon({{8, 19}, {10, 12}, {16, 9}, {23, 10}, {25, 17}, {23, 23}, {14, 24}}, kStone);
    c.fillPolygon({{11, 13}, {16, 10}, {21, 11}, {16, 14}}, kStoneLight);
    c.line(17, 16, 20, 21, kStoneDark);
    c.line(20, 21, 22, 22, kStoneDark);
}

void driftwood(Canvas& c) {
    stroke(c, {5, 24}, {26, 9}, 3.2, kDriftDark);
    stroke(c, {5, 23}, {26, 8}, 2.4, kDrift);
    c.line(7, 20, 24, 8, kDriftLight);
    stroke(c, {14, 17}, {13, 8}, 1.3, kDrift); // broken-off branch
    c.fillEllipse(26, 8.5, 2, 2, kDriftLight);
    c.set(26, 8, kDriftDark);
    c.line(10, 22, 14, 19, kDriftDark);
}

void hammer(Canvas& c) {
    stroke(c, {8, 27}, {20, 10}, 1.6, kWood);
    c.line(8, 26, 19, 10, kWoodLight);
    // stone head, lashed on
    c.fillPolygon({{12, 6}, {20, 3}, {28, 11}, {21, 15}}, kStoneDark);
    c.fillPolygon({{13, 6}, {20, 4}, {26, 10}, {21, 13}}, kStone);
    c.line(15, 6, 20, 5, kStoneLight);
    c.line(17, 11, 21, 8, kRope);
    c.line(18, 12, 22, 9, kRope);
}

void berries(Canvas& c) {
    leaf(c, {16, 14}, {24, 5}, 3, kLeaf, kLeafDark);
    const Point at[] = {{12, 17}, {18, 17}, {15, 22}, {21, 22}, {9, 22}, {15, 12}, {18, 27}};
    for (Point p : at)
        ball(c, p.x, p.y, 3, 3, kBerry, kBerryLight, kBerryDark);
}

void coconut(Canvas& c) {
    ball(c, 16, 17, 10, 9.5, kNut, kNutLight, kNutDark);
    c.fillEllipse(12.5, 14, 1.5, 1.5, kNutDark);
    c.fillEllipse(17.5, 13, 1.5, 1.5, kNutDark);
    c.fillEllipse(15, 18, 1.5, 1.5, kNutDark);
    c.line(9, 22, 13, 25, kNutLight); // fibres
    c.line(20, 24, 23, 21, kNutDark);
}

void berryBush(Canvas& c) {
    c.fillEllipse(16, 18, 14, 12, kLeafDark);
    c.fillEllipse(10, 15, 8, 7, kLeaf);
    c.fillEllipse(21, 14, 8, 7, kLeaf);
    c.fillEllipse(16, 21, 10, 7, kLeaf);
    c.fillEllipse(9, 12, 3, 2.5, kLeafLight);
    c.fillEllipse(20, 10, 3, 2.5, kLeafLight);
    const Point at[] = {{8, 19}, {14, 13}, {22, 18}, {17, 24}, {25, 12}, {11, 25}, {20, 8}};
    for (Point p : at) {
        c.fillRect(static_cast<int>(p.x), static_cast<int>(p.y), 2, 2, kBerry);
        c.set(static_cast<int>(p.x), static_cast<int>(p.y), kBerryLight);
    }
}

void flint(Canvas& c) {
    c.fillPolygon({{7, 22}, {13, 8}, {21, 5}, {26, 14}, {22, 26}, {12, 27}}, kSlateDark);
    c.fillPolygon({{9, 21}, {14, 10}, {20, 7}, {24, 14}, {20, 24}, {13, 25}}, {96, 96, 118});
    c.fillPolygon({{14, 10}, {20, 7}, {18, 15}}, {150, 150, 170});
    c.line(13, 20, 19, 17, kSlateDark);
    // spark
    c.set(26, 5, kFlameHot);
    c.line(24, 5, 28, 5, kFlame);
    c.line(26, 3, 26, 7, kFlame);
    c.set(26, 5, kWhite);
}

void slate(Canvas& c) {
    // Two flat, sharp-edged plates
    c.fillPolygon({{4, 20}, {22, 12}, {28, 17}, {10, 26}}, kSlateDark);
    c.fillPolygon({{5, 19}, {22, 11}, {27, 15}, {10, 24}}, kSlate);
    c.fillPolygon({{7, 14}, {20, 6}, {26, 10}, {12, 18}}, kSlateDark);
    c.fillPolygon({{8, 13}, {20, 5}, {25, 8}, {12, 16}}, kSlateLight);
    c.line(10, 13, 19, 7, {160, 172, 196});
}

void ironOre(Canvas& c) {
    c.fillPolygon({{5, 21}, {9, 10}, {17, 6}, {26, 10}, {28, 20}, {20, 27}, {10, 27}}, kRockDark);
    c.fillPolygon({{7, 20}, {10, 11}, {17, 8}, {24, 11}, {26, 19}, {19, 25}, {11, 25}}, kRock);
    c.fillEllipse(13, 14, 3, 2.2, kRust);
    c.fillEllipse(20, 19, 3.5, 2.5, kRust);
    c.fillEllipse(12, 21, 2, 1.5, kRust);
    c.set(12, 13, kRustLight);
    c.set(19, 18, kRustLight);
    c.set(21, 12, kIronLight);
    c.set(16, 22, kIronLight);
    c.set(23, 16, kIronLight);
}

void iron(Canvas& c) {
    // An ingot, seen a little from above
    c.fillPolygon({{4, 21}, {9, 12}, {27, 12}, {28, 21}, {24, 25}, {6, 25}}, kIronDark);
    c.fillPolygon({{9, 12}, {27, 12}, {23, 17}, {6, 17}}, kIronLight);
    c.fillRect(6, 18, 18, 6, kIron);
    c.line(24, 18, 27, 13, kIronDark);
    c.line(11, 14, 20, 14, kWhite);
}

void fireplace(Canvas& c) {
    const Point ring[] = {{16, 4}, {24, 7}, {28, 15}, {25, 24}, {16, 28}, {7, 24}, {4, 15}, {8, 7}};
    for (Point p : ring)
        ball(c, p.x, p.y, 3.2, 2.8, kStone, kStoneLight, kStoneDark);
    stroke(c, {10, 20}, {22, 12}, 1.8, kWoodDark);
    stroke(c, {10, 12}, {22, 20}, 1.8, kWood);
    c.fillPolygon({{11, 19}, {13, 11}, {15, 14}, {16, 7}, {18, 13}, {20, 10}, {21, 19}, {16, 22}},
                  kFlameRed);
    c.fillPolygon({{13, 19}, {15, 14}, {16, 11}, {18, 15}, {19, 19}, {16, 21}}, kFlame);
    c.fillEllipse(16, 18, 1.8, 2.2, kFlameHot);
}

void axe(Canvas& c) {
    stroke(c, {8, 29}, {19, 6}, 1.5, kWood);
    c.line(8, 28, 18, 6, kWoodLight);
    // a wedge of slate, its edge ground bright
    c.fillPolygon({{15, 7}, {23, 2}, {30, 6}, {30, 17}, {24, 15}, {18, 12}}, kSlateDark);
    c.fillPolygon({{16, 8}, {23, 3}, {28, 7}, {28, 15}, {24, 13}, {18, 11}}, kSlate);
    c.line(29, 6, 29, 16, kSlateLight);
    c.line(28, 5, 28, 15, kSlateLight);
    c.line(20, 6, 24, 5, kSlateLight);
    c.line(15, 9, 19, 12, kRope);
    c.line(16, 7, 20, 10, kRope);
}

void saw(Canvas& c) {
    // blade with teeth along its lower edge
    c.fillPolygon({{4, 13}, {24, 9}, {25, 17}, {5, 20}}, kIron);
    c.line(4, 13, 24, 9, kIronLight);
    for (int i = 0; i < 10; ++i) {
        int x = 5 + i * 2;
        int y = 20 - i * 3 / 10;
        c.set(x, y, kIronDark);
        c.set(x, y + 1, kIronDark);
    }
    c.line(6, 15, 22, 12, kIronDark);
    // wooden grip
    c.fillRect(23, 8, 6, 11, kWood);
    c.fillRect(25, 11, 2, 5, kWoodDark);
    c.line(23, 8, 28, 8, kWoodLight);
}

void plank(Canvas& c) {
    c.fillPolygon({{3, 22}, {23, 4}, {29, 10}, {9, 28}}, kWoodDark);
    c.fillPolygon({{4, 21}, {23, 5}, {27, 9}, {9, 26}}, kWoodLight);
    c.line(7, 21, 22, 8, kWood);
    c.line(9, 23, 24, 10, kWood);
    c.set(12, 19, kWoodDark);
    c.set(20, 12, kWoodDark);
}

void drumstick(Canvas& c, Rgba base, Rgba light, Rgba dark) {
    stroke(c, {20, 20}, {26, 26}, 1.6, kBone);
    c.fillEllipse(27, 25, 2, 2, kBone);
    c.fillEllipse(25, 27, 2, 2, kBone);
    c.fillEllipse(13, 13, 10, 8.5, dark);
    c.fillEllipse(12, 12, 9, 7.5, base);
    c.fillEllipse(9, 9, 3.5, 2.5, light);
    c.fillPolygon({{15, 18}, {20, 14}, {23, 21}, {21, 23}}, base);
}

void meat(Canvas& c) {
    drumstick(c, kMeat, kMeatLight, kMeatDark);
    c.line(10, 14, 15, 11, kMeatLight); // marbling
    c.line(13, 17, 17, 14, kMeatLight);
}

void roast(Canvas& c) {
    drumstick(c, kRoast, kRoastLight, kRoastDark);
    c.line(8, 14, 12, 17, kRoastDark);
    c.line(13, 9, 17, 12, kRoastDark);
    // steam
    c.line(22, 2, 21, 4, kWhite);
    c.line(21, 4, 22, 6, kWhite);
    c.line(27, 5, 26, 7, kWhite);
    c.line(26, 7, 27, 9, kWhite);
}

void leatherBag(Canvas& c) {
    c.fillEllipse(16, 20, 11, 9.5, kFurDark);
    c.fillEllipse(15, 19, 10, 8.5, kFur);
    c.fillEllipse(12, 16, 3.5, 2.5, kFurLight);
    c.fillPolygon({{11, 11}, {21, 11}, {19, 6}, {13, 6}}, kFur); // neck
    c.fillRect(11, 10, 11, 2, kRope);                            // drawstring
    c.line(21, 11, 26, 6, kRope);
    c.line(26, 6, 28, 8, kRope);
    // stitched water drop
    c.fillPolygon({{16, 16}, {19, 21}, {16, 24}, {13, 21}}, {120, 190, 230});
    c.set(15, 20, kWhite);
}

void ferns(Canvas& c) {
    // Three fronds, each a stem with paired leaflets.
    struct Frond {
        Point a, b;
    };
    const Frond fronds[] = {{{16, 29}, {8, 4}}, {{16, 29}, {18, 2}}, {{16, 29}, {28, 9}}};
    for (const Frond& f : fronds) {
        double dx = f.b.x - f.a.x, dy = f.b.y - f.a.y;
        double len = std::sqrt(dx * dx + dy * dy);
        double nx = -dy / len, ny = dx / len;
        for (int k = 1; k < 8; ++k) {
            double t = k / 8.0;
            Point p{f.a.x + dx * t, f.a.y + dy * t};
            double w = 5.5 * (1.0 - t) + 1.0;
            leaf(c, p, {p.x + nx * w + dx / len * 2, p.y + ny * w + dy / len * 2}, 1.2,
                 k % 2 ? kFern : kFernLight, kFern);
            leaf(c, p, {p.x - nx * w + dx / len * 2, p.y - ny * w + dy / len * 2}, 1.2,
                 k % 2 ? kFernLight : kFern, kFern);
        }
        c.line(static_cast<int>(f.a.x), static_cast<int>(f.a.y), static_cast<int>(f.b.x),
               static_cast<int>(f.b.y), kFernDark);
    }
}

void sailPiece(Canvas& c) {
    c.fillPolygon({{6, 9}, {25, 6}, {27, 23}, {9, 26}}, kClothDark);
    c.fillPolygon({{7, 9}, {24, 7}, {25, 21}, {9, 24}}, kCloth);
    // stitched seam down the middle: it is woven from fern fibres
    for (int y = 9; y < 24; y += 3)
        c.set(16, y, kLeafDark);
    for (int y = 10; y < 24; y += 3)
        c.set(15, y, kLeafDark);
    c.line(8, 16, 13, 15, kClothDark);
    c.line(19, 13, 24, 12, kClothDark);
}

void sail(Canvas& c) {
    stroke(c, {8, 3}, {8, 29}, 1.2, kWoodDark); // mast
    c.fillPolygon({{10, 3}, {28, 24}, {10, 26}}, kClothDark);
    c.fillPolygon({{10, 4}, {26, 23}, {10, 24}}, kCloth);
    c.line(10, 11, 17, 19, kClothDark);
    c.line(10, 17, 14, 22, kClothDark);
    c.fillRect(10, 20, 12, 2, kBerry); // a red stripe: recognisable as a sail at a glance
}

void raftBlank(Canvas& c) {
    for (int i = 0; i < 5; ++i) {
        int x = 3 + i * 5 + (i > 2 ? 1 : 0);
        c.fillRect(x, 3 + (i % 2), 5, 26, kWoodDark);
        c.fillRect(x, 3 + (i % 2), 4, 25, i % 2 ? kWood : kWoodLight);
        c.set(x + 1, 8 + i * 3, kWoodDark);
    }
    c.fillRect(3, 8, 27, 2, kRope);
    c.fillRect(3, 22, 27, 2, kRope);
}

void apeFur(Canvas& c) {
    // a stretched hide with four limbs
    c.fillPolygon({{9, 7},
                   {14, 9},
                   {18, 9},
                   {23, 7},
                   {26, 4},
                   {26, 10},
                   {23, 14},
                   {24, 22},
                   {27, 27},
                   {21, 26},
                   {17, 24},
                   {15, 24},
                   {11, 26},
                   {5, 27},
                   {8, 22},
                   {9, 14},
                   {6, 10},
                   {6, 4}},
                  kFur);
    c.fillEllipse(16, 16, 5, 6, kFurLight);
    for (int i = 0; i < 6; ++i)
        c.line(11 + i * 2, 12, 10 + i * 2, 15, kFurDark);
    c.line(12, 20, 20, 20, kFurDark);
}

} // namespace

Canvas itemSheet() {
    const std::function<void(Canvas&)> items[kItemCount] = {
        palm,  stoneChunk, driftwood, hammer,    berries, coconut,   berryBush, flint,
        slate, ironOre,    iron,      fireplace, axe,     saw,       plank,     meat,
        roast, leatherBag, ferns,     sailPiece, sail,    raftBlank, apeFur};
    Canvas sheet(kCell * kItemCount, kCell);
    for (int i = 0; i < kItemCount; ++i) {
        Canvas cell(kCell, kCell);
        items[i](cell);
        cell.outline(kInk);
        sheet.blit(cell, i * kCell, 0);
    }
    return sheet;
}

namespace {

void castaway(Canvas& c) {
    // Seen from above, walking north: feet behind, arms swinging, head in front.
    c.fillEllipse(12.5, 25, 2.5, 3, kTrousers);
    c.fillEllipse(19.5, 23, 2.5, 3, kTrousers);
    c.fillEllipse(12.5, 27, 2, 1.5, kSkinDark); // bare feet
    c.fillEllipse(19.5, 25, 2, 1.5, kSkinDark);
    c.fillEllipse(16, 19, 9, 5.5, kShirt); // shoulders
    c.fillRect(10, 20, 3, 2, kClothDark);  // torn shirt
    c.set(21, 21, kClothDark);
    c.fillEllipse(6.5, 16.5, 2, 3.2, kSkin); // arms
    c.fillEllipse(25.5, 20.5, 2, 3.2, kSkin);
    c.fillEllipse(16, 13, 5.5, 6, kHair);
    c.fillEllipse(16, 10.5, 4, 3, kSkin); // forehead and nose: the facing shows
    c.set(16, 8, kSkinDark);
    c.fillRect(13, 12, 6, 2, kHair); // hair line
    c.fillEllipse(14.5, 14.5, 1.5, 1.2, {150, 92, 48});
}

void ape(Canvas& c) {
    // Seen from above, looking at the viewer.
    c.fillEllipse(6, 22, 3, 4, kFurDark); // arms out
    c.fillEllipse(26, 22, 3, 4, kFurDark);
    c.fillEllipse(6, 26, 2.5, 2, kSkinDark);
    c.fillEllipse(26, 26, 2.5, 2, kSkinDark);
    c.fillEllipse(16, 21, 9, 8, kFur);
    c.fillEllipse(16, 22, 5, 5, kFurLight); // belly
    c.fillEllipse(16, 11, 7, 6.5, kFur);
    c.fillEllipse(9.5, 10, 2, 2, kSkinDark); // ears
    c.fillEllipse(22.5, 10, 2, 2, kSkinDark);
    c.fillEllipse(16, 13, 4.5, 3.5, kSkin); // face
    c.fillRect(13, 10, 2, 2, kInk);
    c.fillRect(17, 10, 2, 2, kInk);
    c.set(13, 10, kWhite);
    c.set(17, 10, kWhite);
    c.line(14, 15, 17, 15, kSkinDark);
}

void monitorLizard(Canvas& c) {
    // A long body from head (top) to a curling tail, four splayed legs.
    const Point spine[] = {{16, 3},  {16, 8},  {16, 13}, {15, 18}, {14, 22},
                           {16, 25}, {20, 27}, {24, 28}, {28, 27}};
    const double width[] = {2.6, 3.2, 4.2, 4.4, 3.4, 2.6, 1.9, 1.3, 0.9};
    for (int i = 0; i < 8; ++i)
        stroke(c, spine[i], spine[i + 1], width[i + 1], kLizard);
    const Point legs[][2] = {
        {{13, 11}, {7, 9}}, {{19, 11}, {25, 9}}, {{13, 19}, {8, 22}}, {{17, 19}, {22, 22}}};
    for (auto& l : legs) {
        stroke(c, l[0], l[1], 1.3, kLizardDark);
        c.set(static_cast<int>(l[1].x) - 1, static_cast<int>(l[1].y) - 1, kLizardDark);
        c.set(static_cast<int>(l[1].x) + 1, static_cast<int>(l[1].y) - 1, kLizardDark);
    }
    for (int i = 0; i < 5; ++i) // banded back
        c.fillRect(15, 8 + i * 3, 2, 1, kLizardLight);
    c.fillEllipse(16, 4, 2.6, 3, kLizardLight);
    c.set(14, 4, kBerry); // eyes with a red glint: this one is dangerous
    c.set(18, 4, kBerry);
    c.line(16, 0, 15, 1, kBerry); // tongue
    c.line(16, 0, 17, 1, kBerry);
}

} // namespace

Canvas beingSheet() {
    Canvas sheet(kCell * kBeingCells, kCell);
    const std::function<void(Canvas&)> beings[] = {castaway, ape, monitorLizard};
    for (int i = 0; i < 3; ++i) {
        Canvas cell(kCell, kCell);
        beings[i](cell);
        cell.outline(kInk);
        sheet.blit(cell, i * kCell, 0);
    }
    return sheet; // cells 3-9 stay empty: the game draws no other beings
}

Canvas selectorImage() {
    // White, so the game can tint it (green for the first pick of a combination).
    Canvas c(kCell, kCell);
    c.frameRect(0, 0, 32, 32, kWhite);
    c.frameRect(1, 1, 30, 30, kWhite);
    // heavier corners make the frame readable over busy sprites
    for (int k = 0; k < 6; ++k) {
        c.set(2 + k, 2, kWhite);
        c.set(2, 2 + k, kWhite);
        c.set(29 - k, 2, kWhite);
        c.set(29, 2 + k, kWhite);
        c.set(2 + k, 29, kWhite);
        c.set(2, 29 - k, kWhite);
        c.set(29 - k, 29, kWhite);
        c.set(29, 29 - k, kWhite);
    }
    return c;
}

Canvas foodstateSheet() {
    // Mostly white with grey shading: the game tints them red as the need grows.
    const Rgba light{255, 255, 255}, mid{210, 210, 210}, dark{150, 150, 150};
    Canvas sheet(2 * kCell, kCell);
    Canvas hunger(kCell, kCell);
    // a drumstick
    stroke(hunger, {19, 19}, {26, 26}, 1.8, mid);
    hunger.fillEllipse(27.5, 25, 2.2, 2.2, mid);
    hunger.fillEllipse(25, 27.5, 2.2, 2.2, mid);
    hunger.fillEllipse(13, 13, 10, 9, dark);
    hunger.fillEllipse(12, 12, 9, 8, light);
    hunger.fillPolygon({{15, 18}, {20, 14}, {23, 21}, {21, 23}}, light);
    hunger.fillEllipse(9, 9, 3, 2, {235, 235, 235});
    hunger.outline({70, 70, 70});
    sheet.blit(hunger, 0, 0);
    Canvas thirst(kCell, kCell);
    // a water drop
    thirst.fillPolygon({{16, 2}, {23, 13}, {9, 13}}, dark);
    thirst.fillEllipse(16, 19, 9, 10, dark);
    thirst.fillPolygon({{16, 4}, {22, 14}, {10, 14}}, light);
    thirst.fillEllipse(16, 19, 8, 9, light);
    thirst.fillEllipse(12.5, 19, 2, 4, mid);
    thirst.outline({70, 70, 70});
    sheet.blit(thirst, kCell, 0);
    return sheet;
}

} // namespace assetgen
