#include "pictures.h"

#include <string>

#include "palette.h"
#include "pixel_font.h"
#include "rng.h"

namespace assetgen {

using namespace pal;

void avoidPureBlack(Canvas& c) {
    c.replace({0, 0, 0, 255}, {6, 6, 10, 255});
}

Canvas enlarge(const Canvas& src, int factor) {
    Canvas out(src.width() * factor, src.height() * factor);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            out.set(x, y, src.get(x / factor, y / factor));
    return out;
}

namespace {

// A palm seen from the side, drawn on the low-resolution title scene.
void sidePalm(Canvas& c, int baseX, int baseY, int height, int lean) {
    for (int i = 0; i < height; ++i) {
        int x = baseX + lean * i * i / (height * height);
        Rgba col = (i / 2) % 2 ? kWood : kWoodDark;
        c.fillRect(x - 1, baseY - i, 3, 1, col);
        c.set(x + 1, baseY - i, kWoodLight);
    }
    int tx = baseX + lean, ty = baseY - height;
    // hanging fronds: short polylines drooping from the crown
    const int fronds[][4] = {{-14, 4, -7, -3}, {14, 5, 7, -3},   {-10, 8, -4, 2},
                             {11, 9, 5, 2},    {-4, -7, -2, -5}, {5, -6, 3, -5}};
    for (auto& f : fronds) {
        c.line(tx, ty, tx + f[2], ty + f[3], kLeafDark);
        c.line(tx + f[2], ty + f[3], tx + f[0], ty + f[1], kLeafDark);
        c.line(tx, ty - 1, tx + f[2], ty + f[3] - 1, kLeafLight);
        c.line(tx + f[2], ty + f[3] - 1, tx + f[0], ty + f[1] - 1, kLeaf);
    }
    c.fillRect(tx - 1, ty + 1, 2, 2, kNut);
    c.fillRect(tx + 1, ty + 2, 2, 2, kNutDark);
}

} // namespace

Canvas titlePicture() {
    // Drawn at 160 x 120 and enlarged four times for the coarse look.
    Canvas s(160, 120);
    const Rgba sky[] = {{58, 40, 96},   {92, 52, 112},  {138, 66, 110}, {190, 86, 96},
                        {226, 120, 84}, {244, 164, 92}, {250, 204, 120}};
    const int horizon = 62;
    for (int y = 0; y < horizon; ++y)
        s.fillRect(0, y, 160, 1, sky[y * 7 / horizon]);
    // dithered band edges
    for (int y = 1; y < horizon; ++y)
        if (y * 7 / horizon != (y - 1) * 7 / horizon)
            for (int x = y % 2; x < 160; x += 2)
                s.set(x, y, sky[(y - 1) * 7 / horizon]);
    // setting sun with stripes cut out of its lower half
    s.fillEllipse(116, 52, 16, 16, {255, 214, 110});
    s.fillEllipse(116, 52, 13, 13, {255, 236, 150});
    for (int y = 50; y < 68; y += 4)
        s.fillRect(99, y, 34, 1, sky[y * 7 / horizon < 7 ? y * 7 / horizon : 6]);
    for (int y = horizon; y < 120; ++y)
        s.fillRect(0, y, 160, 1, y < 80 ? kSea : kDeepSea);
    Rng rng(7);
    for (int i = 0; i < 90; ++i) { // glints on the water
        int y = rng.range(horizon + 1, 119), x = rng.range(0, 150);
        s.fillRect(x, y, rng.range(2, 6), 1, y < 80 ? kSeaLight : kSea);
    }
    for (int y = horizon + 1; y < 100; y += 2) { // the sun's reflection
        int w = 20 - (y - horizon) / 3;
        if (w > 2) s.fillRect(116 - w / 2 + rng.range(-2, 2), y, w, 1, {250, 200, 120});
    }
    // the island: foam, sand, grass and a rock hill
    s.fillEllipse(58, 92, 52, 15, kFoam);
    s.fillEllipse(58, 91, 50, 13, kSand);
    s.fillEllipse(56, 88, 40, 9, kGrass);
    s.fillEllipse(34, 85, 15, 7, kRockDark);
    s.fillEllipse(32, 83, 13, 6, kRock);
    s.fillEllipse(29, 81, 7, 3, kRockLight);
    s.line(36, 80, 39, 84, kRockDark);
    s.line(24, 84, 27, 86, kRockDark);
    s.line(31, 85, 33, 88, kRockDark);
    s.fillEllipse(72, 88, 14, 4, kGrassLight);
    for (int i = 0; i < 40; ++i)
        s.set(rng.range(14, 100), rng.range(94, 101), kSandDark);
    sidePalm(s, 54, 88, 26, 6);
    sidePalm(s, 68, 90, 20, -5);
    sidePalm(s, 86, 92, 16, 4);
    // a half-built raft on the beach and the castaway beside it
    s.fillRect(92, 99, 12, 4, kWoodDark);
    for (int x = 92; x < 104; x += 3)
        s.fillRect(x, 99, 2, 4, kWoodLight);
    s.fillRect(106, 95, 2, 3, kShirt);
    s.set(106, 94, kSkin);
    s.set(107, 94, kHair);
    s.fillRect(106, 98, 2, 2, kTrousers);

    // the name, big, with a dark outline and a drop shadow
    const std::string name = "Palmut";
    const int scale = 4, w = textWidth(name, scale), x0 = (160 - w) / 2 + 2, y0 = 8;
    Canvas letters(160, 60);
    drawText(letters, name, x0, y0, scale, {255, 222, 90});
    for (int y = 0; y < 60; ++y) // a lighter top half: sunlit letters
        for (int x = 0; x < 160; ++x)
            if (letters.get(x, y).a && y < y0 + 12) letters.set(x, y, {255, 244, 170});
    Canvas shadow(160, 60);
    drawText(shadow, name, x0 + 2, y0 + 2, scale, {70, 30, 60});
    s.blit(shadow, 0, 0);
    letters.outline({60, 24, 40});
    s.blit(letters, 0, 0);

    Canvas big = enlarge(s, 4);
    const std::string sub = "Ein 8-Bit-Abenteuer";
    drawText(big, sub, (640 - textWidth(sub, 3)) / 2 + 3, 186 + 3, 3, {70, 30, 60});
    drawText(big, sub, (640 - textWidth(sub, 3)) / 2, 186, 3, {255, 246, 220});
    const std::string hint = "Eine Taste dr\u00fccken";
    drawText(big, hint, (640 - textWidth(hint, 2)) / 2 + 2, 452 + 2, 2, {16, 30, 70});
    drawText(big, hint, (640 - textWidth(hint, 2)) / 2, 452, 2, {250, 230, 170});
    avoidPureBlack(big);
    return big;
}

namespace {

// The invented "Koralle 8" home computer: a 35 x 20 text screen of 8 x 10 cells
// inside a wide border, drawn at 320 x 240 and doubled.
constexpr Rgba kBorder{62, 124, 98};
constexpr Rgba kScreen{22, 58, 48};
constexpr Rgba kText{156, 232, 172};
constexpr int kLeft = 20, kTop = 20, kCols = 35, kRows = 20, kLine = 10;

void putLine(Canvas& s, int row, const std::string& text) {
    int col = 0;
    for (char32_t ch : utf8ToUtf32(text)) {
        if (const Glyph* g = findGlyph(ch))
            for (int r = 0; r < kGlyphRows; ++r)
                for (int k = 0; k < kGlyphCols; ++k)
                    if (g->on[r][k])
                        s.set(kLeft + col * 8 + 1 + k, kTop + row * kLine + r + 1, kText);
        ++col;
    }
}

void cursor(Canvas& s, int row, int col) {
    s.fillRect(kLeft + col * 8, kTop + row * kLine, 8, kLine, kText);
}

} // namespace

Canvas introPicture(int n) {
    Canvas s(320, 240, kBorder);
    s.fillRect(kLeft, kTop, kCols * 8, kRows * kLine, kScreen);
    putLine(s, 1, "    KORALLE 8 HEIMCOMPUTER");
    putLine(s, 3, "  KORALLE-BASIC 2.1  48K RAM");
    putLine(s, 5, "BEREIT.");
    const std::string command = "LADE \"PALMUT\",8";
    if (n == 0) cursor(s, 6, 0);
    if (n >= 2 && n <= 16) { // one more letter typed per picture
        int typed = n - 1;
        putLine(s, 6, command.substr(0, typed));
        cursor(s, 6, typed);
    }
    if (n >= 17) {
        putLine(s, 6, command);
        putLine(s, 8, "SUCHE PALMUT");
    }
    if (n == 17 || n >= 19) putLine(s, 9, "GEFUNDEN PALMUT");
    if (n == 17 || n >= 19) putLine(s, 10, "LADE ...");
    if (n == 19) {
        // data streaming in: the border flickers in bands
        const Rgba bands[] = {
            {230, 90, 60}, {250, 210, 90}, {90, 170, 230}, {200, 120, 220}, {120, 220, 140}};
        Rng rng(1986);
        for (int y = 0; y < 240;) {
            int h = rng.range(2, 7);
            Rgba c = bands[rng.range(0, 4)];
            for (int yy = y; yy < y + h && yy < 240; ++yy)
                for (int x = 0; x < 320; ++x)
                    if (x < kLeft || x >= kLeft + kCols * 8 || yy < kTop ||
                        yy >= kTop + kRows * kLine)
                        s.set(x, yy, c);
            y += h;
        }
    }
    if (n == 17 || n >= 20) putLine(s, 11, "BEREIT.");
    if (n == 17 || n == 20) cursor(s, 12, 0);
    if (n == 21) {
        putLine(s, 12, "START");
        putLine(s, 14, "PALMUT WIRD GESTARTET ...");
    }
    Canvas big = enlarge(s, 2);
    avoidPureBlack(big);
    return big;
}

} // namespace assetgen
