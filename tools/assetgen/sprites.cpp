#include "sprites.h"

#include <cmath>
#include <functional>
#include <vector>

#include "palette.h"

namespace assetgen {
namespace {

using namespace pal;

// A leaf or blade: a lens from base to tip, widest at 40 %, with a darker midrib.
void Leaf(Canvas& c, Point base, Point tip, double width, Rgba fill, Rgba rib) {
    double dx = tip.x - base.x, dy = tip.y - base.y;
    double len = std::sqrt(dx * dx + dy * dy);
    double nx = -dy / len * width, ny = dx / len * width;
    Point mid{base.x + dx * 0.4, base.y + dy * 0.4};
    c.FillPolygon({base, {mid.x + nx, mid.y + ny}, tip, {mid.x - nx, mid.y - ny}}, fill);
    c.Line(static_cast<int>(base.x), static_cast<int>(base.y), static_cast<int>(tip.x),
           static_cast<int>(tip.y), rib);
}

// A thick straight stroke made of discs.
void Stroke(Canvas& c, Point a, Point b, double radius, Rgba col) {
    double dx = b.x - a.x, dy = b.y - a.y;
    int steps = static_cast<int>(std::sqrt(dx * dx + dy * dy) * 2) + 1;
    for (int i = 0; i <= steps; ++i)
        c.FillEllipse(a.x + dx * i / steps, a.y + dy * i / steps, radius, radius, col);
}

// Round blob with a light upper-left and dark lower-right: reads as a lit volume.
void Ball(Canvas& c, double cx, double cy, double rx, double ry, Rgba base, Rgba light, Rgba dark) {
    c.FillEllipse(cx, cy, rx, ry, dark);
    c.FillEllipse(cx - rx * 0.12, cy - ry * 0.12, rx * 0.86, ry * 0.86, base);
    c.FillEllipse(cx - rx * 0.38, cy - ry * 0.38, rx * 0.32, ry * 0.3, light);
}

void Palm(Canvas& c) {
    // Three-quarter view: a ringed, gently bent trunk under a crown of drooping fronds.
    for (int y = 31; y >= 12; --y) {
        int x = 13 + (31 - y) * (31 - y) / 90;
        Rgba ring = (y / 2) % 2 ? kWood : kWoodDark;
        c.FillRect(x, y, 4, 1, ring);
        c.Set(x + 1, y, kWoodLight);
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
        Leaf(c, top, f.mid, 3.2, f.fill, kLeafDark);
        Leaf(c, f.mid, f.tip, 2.4, f.fill, kLeafDark);
    }
    Ball(c, 15, 13, 2.2, 2.2, kNut, kNutLight, kNutDark);
    Ball(c, 19.5, 13, 2.2, 2.2, kNut, kNutLight, kNutDark);
}

void StoneChunk(Canvas& c) {
    c.FillPolygon({{6, 20}, {9, 11}, {16, 7}, {24, 9}, {27, 17}, {25, 25}, {14, 27}, {7, 25}},
                  kStoneDark);
    c.FillPolygon({{8, 19}, {10, 12}, {16, 9}, {23, 10}, {25, 17}, {23, 23}, {14, 24}}, kStone);
    c.FillPolygon({{11, 13}, {16, 10}, {21, 11}, {16, 14}}, kStoneLight);
    c.Line(17, 16, 20, 21, kStoneDark);
    c.Line(20, 21, 22, 22, kStoneDark);
}

void Driftwood(Canvas& c) {
    Stroke(c, {5, 24}, {26, 9}, 3.2, kDriftDark);
    Stroke(c, {5, 23}, {26, 8}, 2.4, kDrift);
    c.Line(7, 20, 24, 8, kDriftLight);
    Stroke(c, {14, 17}, {13, 8}, 1.3, kDrift); // broken-off branch
    c.FillEllipse(26, 8.5, 2, 2, kDriftLight);
    c.Set(26, 8, kDriftDark);
    c.Line(10, 22, 14, 19, kDriftDark);
}

void Hammer(Canvas& c) {
    Stroke(c, {8, 27}, {20, 10}, 1.6, kWood);
    c.Line(8, 26, 19, 10, kWoodLight);
    // stone head, lashed on
    c.FillPolygon({{12, 6}, {20, 3}, {28, 11}, {21, 15}}, kStoneDark);
    c.FillPolygon({{13, 6}, {20, 4}, {26, 10}, {21, 13}}, kStone);
    c.Line(15, 6, 20, 5, kStoneLight);
    c.Line(17, 11, 21, 8, kRope);
    c.Line(18, 12, 22, 9, kRope);
}

void Berries(Canvas& c) {
    Leaf(c, {16, 14}, {24, 5}, 3, kLeaf, kLeafDark);
    const Point at[] = {{12, 17}, {18, 17}, {15, 22}, {21, 22}, {9, 22}, {15, 12}, {18, 27}};
    for (Point p : at)
        Ball(c, p.x, p.y, 3, 3, kBerry, kBerryLight, kBerryDark);
}

void Coconut(Canvas& c) {
    Ball(c, 16, 17, 10, 9.5, kNut, kNutLight, kNutDark);
    c.FillEllipse(12.5, 14, 1.5, 1.5, kNutDark);
    c.FillEllipse(17.5, 13, 1.5, 1.5, kNutDark);
    c.FillEllipse(15, 18, 1.5, 1.5, kNutDark);
    c.Line(9, 22, 13, 25, kNutLight); // fibres
    c.Line(20, 24, 23, 21, kNutDark);
}

void BerryBush(Canvas& c) {
    c.FillEllipse(16, 18, 14, 12, kLeafDark);
    c.FillEllipse(10, 15, 8, 7, kLeaf);
    c.FillEllipse(21, 14, 8, 7, kLeaf);
    c.FillEllipse(16, 21, 10, 7, kLeaf);
    c.FillEllipse(9, 12, 3, 2.5, kLeafLight);
    c.FillEllipse(20, 10, 3, 2.5, kLeafLight);
    const Point at[] = {{8, 19}, {14, 13}, {22, 18}, {17, 24}, {25, 12}, {11, 25}, {20, 8}};
    for (Point p : at) {
        c.FillRect(static_cast<int>(p.x), static_cast<int>(p.y), 2, 2, kBerry);
        c.Set(static_cast<int>(p.x), static_cast<int>(p.y), kBerryLight);
    }
}

void Flint(Canvas& c) {
    c.FillPolygon({{7, 22}, {13, 8}, {21, 5}, {26, 14}, {22, 26}, {12, 27}}, kSlateDark);
    c.FillPolygon({{9, 21}, {14, 10}, {20, 7}, {24, 14}, {20, 24}, {13, 25}}, {96, 96, 118});
    c.FillPolygon({{14, 10}, {20, 7}, {18, 15}}, {150, 150, 170});
    c.Line(13, 20, 19, 17, kSlateDark);
    // spark
    c.Set(26, 5, kFlameHot);
    c.Line(24, 5, 28, 5, kFlame);
    c.Line(26, 3, 26, 7, kFlame);
    c.Set(26, 5, kWhite);
}

void Slate(Canvas& c) {
    // Two flat, sharp-edged plates
    c.FillPolygon({{4, 20}, {22, 12}, {28, 17}, {10, 26}}, kSlateDark);
    c.FillPolygon({{5, 19}, {22, 11}, {27, 15}, {10, 24}}, kSlate);
    c.FillPolygon({{7, 14}, {20, 6}, {26, 10}, {12, 18}}, kSlateDark);
    c.FillPolygon({{8, 13}, {20, 5}, {25, 8}, {12, 16}}, kSlateLight);
    c.Line(10, 13, 19, 7, {160, 172, 196});
}

void IronOre(Canvas& c) {
    c.FillPolygon({{5, 21}, {9, 10}, {17, 6}, {26, 10}, {28, 20}, {20, 27}, {10, 27}}, kRockDark);
    c.FillPolygon({{7, 20}, {10, 11}, {17, 8}, {24, 11}, {26, 19}, {19, 25}, {11, 25}}, kRock);
    c.FillEllipse(13, 14, 3, 2.2, kRust);
    c.FillEllipse(20, 19, 3.5, 2.5, kRust);
    c.FillEllipse(12, 21, 2, 1.5, kRust);
    c.Set(12, 13, kRustLight);
    c.Set(19, 18, kRustLight);
    c.Set(21, 12, kIronLight);
    c.Set(16, 22, kIronLight);
    c.Set(23, 16, kIronLight);
}

void Iron(Canvas& c) {
    // An ingot, seen a little from above
    c.FillPolygon({{4, 21}, {9, 12}, {27, 12}, {28, 21}, {24, 25}, {6, 25}}, kIronDark);
    c.FillPolygon({{9, 12}, {27, 12}, {23, 17}, {6, 17}}, kIronLight);
    c.FillRect(6, 18, 18, 6, kIron);
    c.Line(24, 18, 27, 13, kIronDark);
    c.Line(11, 14, 20, 14, kWhite);
}

void Fireplace(Canvas& c) {
    const Point ring[] = {{16, 4}, {24, 7}, {28, 15}, {25, 24}, {16, 28}, {7, 24}, {4, 15}, {8, 7}};
    for (Point p : ring)
        Ball(c, p.x, p.y, 3.2, 2.8, kStone, kStoneLight, kStoneDark);
    Stroke(c, {10, 20}, {22, 12}, 1.8, kWoodDark);
    Stroke(c, {10, 12}, {22, 20}, 1.8, kWood);
    c.FillPolygon({{11, 19}, {13, 11}, {15, 14}, {16, 7}, {18, 13}, {20, 10}, {21, 19}, {16, 22}},
                  kFlameRed);
    c.FillPolygon({{13, 19}, {15, 14}, {16, 11}, {18, 15}, {19, 19}, {16, 21}}, kFlame);
    c.FillEllipse(16, 18, 1.8, 2.2, kFlameHot);
}

void Axe(Canvas& c) {
    Stroke(c, {8, 29}, {19, 6}, 1.5, kWood);
    c.Line(8, 28, 18, 6, kWoodLight);
    // a wedge of slate, its edge ground bright
    c.FillPolygon({{15, 7}, {23, 2}, {30, 6}, {30, 17}, {24, 15}, {18, 12}}, kSlateDark);
    c.FillPolygon({{16, 8}, {23, 3}, {28, 7}, {28, 15}, {24, 13}, {18, 11}}, kSlate);
    c.Line(29, 6, 29, 16, kSlateLight);
    c.Line(28, 5, 28, 15, kSlateLight);
    c.Line(20, 6, 24, 5, kSlateLight);
    c.Line(15, 9, 19, 12, kRope);
    c.Line(16, 7, 20, 10, kRope);
}

void Saw(Canvas& c) {
    // blade with teeth along its lower edge
    c.FillPolygon({{4, 13}, {24, 9}, {25, 17}, {5, 20}}, kIron);
    c.Line(4, 13, 24, 9, kIronLight);
    for (int i = 0; i < 10; ++i) {
        int x = 5 + i * 2;
        int y = 20 - i * 3 / 10;
        c.Set(x, y, kIronDark);
        c.Set(x, y + 1, kIronDark);
    }
    c.Line(6, 15, 22, 12, kIronDark);
    // wooden grip
    c.FillRect(23, 8, 6, 11, kWood);
    c.FillRect(25, 11, 2, 5, kWoodDark);
    c.Line(23, 8, 28, 8, kWoodLight);
}

void Plank(Canvas& c) {
    c.FillPolygon({{3, 22}, {23, 4}, {29, 10}, {9, 28}}, kWoodDark);
    c.FillPolygon({{4, 21}, {23, 5}, {27, 9}, {9, 26}}, kWoodLight);
    c.Line(7, 21, 22, 8, kWood);
    c.Line(9, 23, 24, 10, kWood);
    c.Set(12, 19, kWoodDark);
    c.Set(20, 12, kWoodDark);
}

void Drumstick(Canvas& c, Rgba base, Rgba light, Rgba dark) {
    Stroke(c, {20, 20}, {26, 26}, 1.6, kBone);
    c.FillEllipse(27, 25, 2, 2, kBone);
    c.FillEllipse(25, 27, 2, 2, kBone);
    c.FillEllipse(13, 13, 10, 8.5, dark);
    c.FillEllipse(12, 12, 9, 7.5, base);
    c.FillEllipse(9, 9, 3.5, 2.5, light);
    c.FillPolygon({{15, 18}, {20, 14}, {23, 21}, {21, 23}}, base);
}

void Meat(Canvas& c) {
    Drumstick(c, kMeat, kMeatLight, kMeatDark);
    c.Line(10, 14, 15, 11, kMeatLight); // marbling
    c.Line(13, 17, 17, 14, kMeatLight);
}

void Roast(Canvas& c) {
    Drumstick(c, kRoast, kRoastLight, kRoastDark);
    c.Line(8, 14, 12, 17, kRoastDark);
    c.Line(13, 9, 17, 12, kRoastDark);
    // steam
    c.Line(22, 2, 21, 4, kWhite);
    c.Line(21, 4, 22, 6, kWhite);
    c.Line(27, 5, 26, 7, kWhite);
    c.Line(26, 7, 27, 9, kWhite);
}

void LeatherBag(Canvas& c) {
    c.FillEllipse(16, 20, 11, 9.5, kFurDark);
    c.FillEllipse(15, 19, 10, 8.5, kFur);
    c.FillEllipse(12, 16, 3.5, 2.5, kFurLight);
    c.FillPolygon({{11, 11}, {21, 11}, {19, 6}, {13, 6}}, kFur); // neck
    c.FillRect(11, 10, 11, 2, kRope);                            // drawstring
    c.Line(21, 11, 26, 6, kRope);
    c.Line(26, 6, 28, 8, kRope);
    // stitched water drop
    c.FillPolygon({{16, 16}, {19, 21}, {16, 24}, {13, 21}}, {120, 190, 230});
    c.Set(15, 20, kWhite);
}

void Ferns(Canvas& c) {
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
            Leaf(c, p, {p.x + nx * w + dx / len * 2, p.y + ny * w + dy / len * 2}, 1.2,
                 k % 2 ? kFern : kFernLight, kFern);
            Leaf(c, p, {p.x - nx * w + dx / len * 2, p.y - ny * w + dy / len * 2}, 1.2,
                 k % 2 ? kFernLight : kFern, kFern);
        }
        c.Line(static_cast<int>(f.a.x), static_cast<int>(f.a.y), static_cast<int>(f.b.x),
               static_cast<int>(f.b.y), kFernDark);
    }
}

void SailPiece(Canvas& c) {
    c.FillPolygon({{6, 9}, {25, 6}, {27, 23}, {9, 26}}, kClothDark);
    c.FillPolygon({{7, 9}, {24, 7}, {25, 21}, {9, 24}}, kCloth);
    // stitched seam down the middle: it is woven from fern fibres
    for (int y = 9; y < 24; y += 3)
        c.Set(16, y, kLeafDark);
    for (int y = 10; y < 24; y += 3)
        c.Set(15, y, kLeafDark);
    c.Line(8, 16, 13, 15, kClothDark);
    c.Line(19, 13, 24, 12, kClothDark);
}

void Sail(Canvas& c) {
    Stroke(c, {8, 3}, {8, 29}, 1.2, kWoodDark); // mast
    c.FillPolygon({{10, 3}, {28, 24}, {10, 26}}, kClothDark);
    c.FillPolygon({{10, 4}, {26, 23}, {10, 24}}, kCloth);
    c.Line(10, 11, 17, 19, kClothDark);
    c.Line(10, 17, 14, 22, kClothDark);
    c.FillRect(10, 20, 12, 2, kBerry); // a red stripe: recognisable as a sail at a glance
}

void RaftBlank(Canvas& c) {
    for (int i = 0; i < 5; ++i) {
        int x = 3 + i * 5 + (i > 2 ? 1 : 0);
        c.FillRect(x, 3 + (i % 2), 5, 26, kWoodDark);
        c.FillRect(x, 3 + (i % 2), 4, 25, i % 2 ? kWood : kWoodLight);
        c.Set(x + 1, 8 + i * 3, kWoodDark);
    }
    c.FillRect(3, 8, 27, 2, kRope);
    c.FillRect(3, 22, 27, 2, kRope);
}

void ApeFur(Canvas& c) {
    // a stretched hide with four limbs
    c.FillPolygon({{9, 7},
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
    c.FillEllipse(16, 16, 5, 6, kFurLight);
    for (int i = 0; i < 6; ++i)
        c.Line(11 + i * 2, 12, 10 + i * 2, 15, kFurDark);
    c.Line(12, 20, 20, 20, kFurDark);
}

} // namespace

Canvas ItemSheet() {
    const std::function<void(Canvas&)> items[] = {
        Palm,  StoneChunk, Driftwood, Hammer,    Berries, Coconut,   BerryBush, Flint,
        Slate, IronOre,    Iron,      Fireplace, Axe,     Saw,       Plank,     Meat,
        Roast, LeatherBag, Ferns,     SailPiece, Sail,    RaftBlank, ApeFur};
    // A new catalogue item needs its picture here, in id order.
    static_assert(sizeof(items) / sizeof(items[0]) == kItemCount, "one sprite per catalogue item");
    Canvas sheet(kCell * kItemCount, kCell);
    for (int i = 0; i < kItemCount; ++i) {
        Canvas cell(kCell, kCell);
        items[i](cell);
        cell.Outline(kInk);
        sheet.Blit(cell, i * kCell, 0);
    }
    return sheet;
}

namespace {

void Castaway(Canvas& c) {
    // Seen from above, walking north: feet behind, arms swinging, head in front.
    c.FillEllipse(12.5, 25, 2.5, 3, kTrousers);
    c.FillEllipse(19.5, 23, 2.5, 3, kTrousers);
    c.FillEllipse(12.5, 27, 2, 1.5, kSkinDark); // bare feet
    c.FillEllipse(19.5, 25, 2, 1.5, kSkinDark);
    c.FillEllipse(16, 19, 9, 5.5, kShirt); // shoulders
    c.FillRect(10, 20, 3, 2, kClothDark);  // torn shirt
    c.Set(21, 21, kClothDark);
    c.FillEllipse(6.5, 16.5, 2, 3.2, kSkin); // arms
    c.FillEllipse(25.5, 20.5, 2, 3.2, kSkin);
    c.FillEllipse(16, 13, 5.5, 6, kHair);
    c.FillEllipse(16, 10.5, 4, 3, kSkin); // forehead and nose: the facing shows
    c.Set(16, 8, kSkinDark);
    c.FillRect(13, 12, 6, 2, kHair); // hair line
    c.FillEllipse(14.5, 14.5, 1.5, 1.2, {150, 92, 48});
}

void Ape(Canvas& c) {
    // Seen from above, looking at the viewer.
    c.FillEllipse(6, 22, 3, 4, kFurDark); // arms out
    c.FillEllipse(26, 22, 3, 4, kFurDark);
    c.FillEllipse(6, 26, 2.5, 2, kSkinDark);
    c.FillEllipse(26, 26, 2.5, 2, kSkinDark);
    c.FillEllipse(16, 21, 9, 8, kFur);
    c.FillEllipse(16, 22, 5, 5, kFurLight); // belly
    c.FillEllipse(16, 11, 7, 6.5, kFur);
    c.FillEllipse(9.5, 10, 2, 2, kSkinDark); // ears
    c.FillEllipse(22.5, 10, 2, 2, kSkinDark);
    c.FillEllipse(16, 13, 4.5, 3.5, kSkin); // face
    c.FillRect(13, 10, 2, 2, kInk);
    c.FillRect(17, 10, 2, 2, kInk);
    c.Set(13, 10, kWhite);
    c.Set(17, 10, kWhite);
    c.Line(14, 15, 17, 15, kSkinDark);
}

void MonitorLizard(Canvas& c) {
    // A long body from head (top) to a curling tail, four splayed legs.
    const Point spine[] = {{16, 3},  {16, 8},  {16, 13}, {15, 18}, {14, 22},
                           {16, 25}, {20, 27}, {24, 28}, {28, 27}};
    const double width[] = {2.6, 3.2, 4.2, 4.4, 3.4, 2.6, 1.9, 1.3, 0.9};
    for (int i = 0; i < 8; ++i)
        Stroke(c, spine[i], spine[i + 1], width[i + 1], kLizard);
    const Point legs[][2] = {
        {{13, 11}, {7, 9}}, {{19, 11}, {25, 9}}, {{13, 19}, {8, 22}}, {{17, 19}, {22, 22}}};
    for (auto& l : legs) {
        Stroke(c, l[0], l[1], 1.3, kLizardDark);
        c.Set(static_cast<int>(l[1].x) - 1, static_cast<int>(l[1].y) - 1, kLizardDark);
        c.Set(static_cast<int>(l[1].x) + 1, static_cast<int>(l[1].y) - 1, kLizardDark);
    }
    for (int i = 0; i < 5; ++i) // banded back
        c.FillRect(15, 8 + i * 3, 2, 1, kLizardLight);
    c.FillEllipse(16, 4, 2.6, 3, kLizardLight);
    c.Set(14, 4, kBerry); // eyes with a red glint: this one is dangerous
    c.Set(18, 4, kBerry);
    c.Line(16, 0, 15, 1, kBerry); // tongue
    c.Line(16, 0, 17, 1, kBerry);
}

} // namespace

Canvas BeingSheet() {
    Canvas sheet(kCell * kBeingCells, kCell);
    const std::function<void(Canvas&)> beings[] = {Castaway, Ape, MonitorLizard};
    for (int i = 0; i < 3; ++i) {
        Canvas cell(kCell, kCell);
        beings[i](cell);
        cell.Outline(kInk);
        sheet.Blit(cell, i * kCell, 0);
    }
    return sheet; // cells 3-9 stay empty: the game draws no other beings
}

Canvas SelectorImage() {
    // White, so the game can tint it (green for the first pick of a combination).
    Canvas c(kCell, kCell);
    c.FrameRect(0, 0, 32, 32, kWhite);
    c.FrameRect(1, 1, 30, 30, kWhite);
    // heavier corners make the frame readable over busy sprites
    for (int k = 0; k < 6; ++k) {
        c.Set(2 + k, 2, kWhite);
        c.Set(2, 2 + k, kWhite);
        c.Set(29 - k, 2, kWhite);
        c.Set(29, 2 + k, kWhite);
        c.Set(2 + k, 29, kWhite);
        c.Set(2, 29 - k, kWhite);
        c.Set(29 - k, 29, kWhite);
        c.Set(29, 29 - k, kWhite);
    }
    return c;
}

Canvas FoodstateSheet() {
    // Mostly white with grey shading: the game tints them red as the need grows.
    const Rgba light{255, 255, 255}, mid{210, 210, 210}, dark{150, 150, 150};
    Canvas sheet(2 * kCell, kCell);
    Canvas hunger(kCell, kCell);
    // a drumstick
    Stroke(hunger, {19, 19}, {26, 26}, 1.8, mid);
    hunger.FillEllipse(27.5, 25, 2.2, 2.2, mid);
    hunger.FillEllipse(25, 27.5, 2.2, 2.2, mid);
    hunger.FillEllipse(13, 13, 10, 9, dark);
    hunger.FillEllipse(12, 12, 9, 8, light);
    hunger.FillPolygon({{15, 18}, {20, 14}, {23, 21}, {21, 23}}, light);
    hunger.FillEllipse(9, 9, 3, 2, {235, 235, 235});
    hunger.Outline({70, 70, 70});
    sheet.Blit(hunger, 0, 0);
    Canvas thirst(kCell, kCell);
    // a water drop
    thirst.FillPolygon({{16, 2}, {23, 13}, {9, 13}}, dark);
    thirst.FillEllipse(16, 19, 9, 10, dark);
    thirst.FillPolygon({{16, 4}, {22, 14}, {10, 14}}, light);
    thirst.FillEllipse(16, 19, 8, 9, light);
    thirst.FillEllipse(12.5, 19, 2, 4, mid);
    thirst.Outline({70, 70, 70});
    sheet.Blit(thirst, kCell, 0);
    return sheet;
}

} // namespace assetgen
