#include "pictures.h"

#include <string>

#include "island/random.h"
#include "palette.h"
#include "pixel_font.h"

namespace assetgen {

using namespace pal;

void AvoidPureBlack(Canvas& c) {
    c.Replace({0, 0, 0, 255}, {6, 6, 10, 255});
}

Canvas Enlarge(const Canvas& src, int factor) {
    Canvas out(src.Width() * factor, src.Height() * factor);
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x)
            out.Set(x, y, src.Get(x / factor, y / factor));
    return out;
}

namespace {

// A palm seen from the side, drawn on the low-resolution title scene.
void SidePalm(Canvas& c, int baseX, int baseY, int height, int lean) {
    for (int i = 0; i < height; ++i) {
        int x = baseX + lean * i * i / (height * height);
        Rgba col = (i / 2) % 2 ? kWood : kWoodDark;
        c.FillRect(x - 1, baseY - i, 3, 1, col);
        c.Set(x + 1, baseY - i, kWoodLight);
    }
    int tx = baseX + lean, ty = baseY - height;
    // hanging fronds: short polylines drooping from the crown
    const int fronds[][4] = {{-14, 4, -7, -3}, {14, 5, 7, -3},   {-10, 8, -4, 2},
                             {11, 9, 5, 2},    {-4, -7, -2, -5}, {5, -6, 3, -5}};
    for (auto& f : fronds) {
        c.Line(tx, ty, tx + f[2], ty + f[3], kLeafDark);
        c.Line(tx + f[2], ty + f[3], tx + f[0], ty + f[1], kLeafDark);
        c.Line(tx, ty - 1, tx + f[2], ty + f[3] - 1, kLeafLight);
        c.Line(tx + f[2], ty + f[3] - 1, tx + f[0], ty + f[1] - 1, kLeaf);
    }
    c.FillRect(tx - 1, ty + 1, 2, 2, kNut);
    c.FillRect(tx + 1, ty + 2, 2, 2, kNutDark);
}

} // namespace

Canvas TitlePicture(const PictureWords& words) {
    // Drawn at 160 x 120 and enlarged four times for the coarse look.
    Canvas s(160, 120);
    const Rgba sky[] = {{58, 40, 96},   {92, 52, 112},  {138, 66, 110}, {190, 86, 96},
                        {226, 120, 84}, {244, 164, 92}, {250, 204, 120}};
    const int horizon = 62;
    for (int y = 0; y < horizon; ++y)
        s.FillRect(0, y, 160, 1, sky[y * 7 / horizon]);
    // dithered band edges
    for (int y = 1; y < horizon; ++y)
        if (y * 7 / horizon != (y - 1) * 7 / horizon)
            for (int x = y % 2; x < 160; x += 2)
                s.Set(x, y, sky[(y - 1) * 7 / horizon]);
    // setting sun with stripes cut out of its lower half
    s.FillEllipse(116, 52, 16, 16, {255, 214, 110});
    s.FillEllipse(116, 52, 13, 13, {255, 236, 150});
    for (int y = 50; y < 68; y += 4)
        s.FillRect(99, y, 34, 1, sky[y * 7 / horizon < 7 ? y * 7 / horizon : 6]);
    for (int y = horizon; y < 120; ++y)
        s.FillRect(0, y, 160, 1, y < 80 ? kSea : kDeepSea);
    common::SplitMix64 rng(7);
    for (int i = 0; i < 90; ++i) { // glints on the water
        int y = rng.Range32(horizon + 1, 119), x = rng.Range32(0, 150);
        s.FillRect(x, y, rng.Range32(2, 6), 1, y < 80 ? kSeaLight : kSea);
    }
    for (int y = horizon + 1; y < 100; y += 2) { // the sun's reflection
        int w = 20 - (y - horizon) / 3;
        if (w > 2) s.FillRect(116 - w / 2 + rng.Range32(-2, 2), y, w, 1, {250, 200, 120});
    }
    // the island: foam, sand, grass and a rock hill
    s.FillEllipse(58, 92, 52, 15, kFoam);
    s.FillEllipse(58, 91, 50, 13, kSand);
    s.FillEllipse(56, 88, 40, 9, kGrass);
    s.FillEllipse(34, 85, 15, 7, kRockDark);
    s.FillEllipse(32, 83, 13, 6, kRock);
    s.FillEllipse(29, 81, 7, 3, kRockLight);
    s.Line(36, 80, 39, 84, kRockDark);
    s.Line(24, 84, 27, 86, kRockDark);
    s.Line(31, 85, 33, 88, kRockDark);
    s.FillEllipse(72, 88, 14, 4, kGrassLight);
    for (int i = 0; i < 40; ++i) { // pebbles; y is drawn first, as the committed picture has it
        int y = rng.Range32(94, 101), x = rng.Range32(14, 100);
        s.Set(x, y, kSandDark);
    }
    SidePalm(s, 54, 88, 26, 6);
    SidePalm(s, 68, 90, 20, -5);
    SidePalm(s, 86, 92, 16, 4);
    // a half-built raft on the beach and the castaway beside it
    s.FillRect(92, 99, 12, 4, kWoodDark);
    for (int x = 92; x < 104; x += 3)
        s.FillRect(x, 99, 2, 4, kWoodLight);
    s.FillRect(106, 95, 2, 3, kShirt);
    s.Set(106, 94, kSkin);
    s.Set(107, 94, kHair);
    s.FillRect(106, 98, 2, 2, kTrousers);

    // the name, big, with a dark outline and a drop shadow
    const std::string name = "Palmut";
    const int scale = 4, w = TextWidth(name, scale), x0 = (160 - w) / 2 + 2, y0 = 8;
    Canvas letters(160, 60);
    DrawText(letters, name, x0, y0, scale, {255, 222, 90});
    for (int y = 0; y < 60; ++y) // a lighter top half: sunlit letters
        for (int x = 0; x < 160; ++x)
            if (letters.Get(x, y).a && y < y0 + 12) letters.Set(x, y, {255, 244, 170});
    Canvas shadow(160, 60);
    DrawText(shadow, name, x0 + 2, y0 + 2, scale, {70, 30, 60});
    s.Blit(shadow, 0, 0);
    letters.Outline({60, 24, 40});
    s.Blit(letters, 0, 0);

    Canvas big = Enlarge(s, 4);
    const std::string& sub = words.subtitle;
    DrawText(big, sub, (640 - TextWidth(sub, 3)) / 2 + 3, 186 + 3, 3, {70, 30, 60});
    DrawText(big, sub, (640 - TextWidth(sub, 3)) / 2, 186, 3, {255, 246, 220});
    const std::string& hint = words.pressKey;
    DrawText(big, hint, (640 - TextWidth(hint, 2)) / 2 + 2, 452 + 2, 2, {16, 30, 70});
    DrawText(big, hint, (640 - TextWidth(hint, 2)) / 2, 452, 2, {250, 230, 170});
    AvoidPureBlack(big);
    return big;
}

namespace {

// The invented "Koralle 8" home computer: a 35 x 20 text screen of 8 x 10 cells
// inside a wide border, drawn at 320 x 240 and doubled.
constexpr Rgba kBorder{62, 124, 98};
constexpr Rgba kScreen{22, 58, 48};
constexpr Rgba kText{156, 232, 172};
constexpr int kLeft = 20, kTop = 20, kCols = 35, kRows = 20, kLine = 10;

void PutLine(Canvas& s, int row, const std::string& text) {
    int col = 0;
    for (char32_t ch : Utf8ToUtf32(text)) {
        if (const Glyph* g = FindGlyph(ch))
            for (int r = 0; r < kGlyphRows; ++r)
                for (int k = 0; k < kGlyphCols; ++k)
                    if (g->on[r][k])
                        s.Set(kLeft + col * 8 + 1 + k, kTop + row * kLine + r + 1, kText);
        ++col;
    }
}

void Cursor(Canvas& s, int row, int col) {
    s.FillRect(kLeft + col * 8, kTop + row * kLine, 8, kLine, kText);
}

} // namespace

Canvas IntroPicture(int n, const PictureWords& words) {
    Canvas s(320, 240, kBorder);
    s.FillRect(kLeft, kTop, kCols * 8, kRows * kLine, kScreen);
    PutLine(s, 1, words.machine);
    PutLine(s, 3, "  KORALLE-BASIC 2.1  48K RAM");
    PutLine(s, 5, words.ready);
    const std::string& command = words.load;
    if (n == 0) Cursor(s, 6, 0);
    if (n >= 2 && n <= 16) { // one more letter typed per picture
        int typed = n - 1;
        PutLine(s, 6, command.substr(0, typed));
        Cursor(s, 6, typed);
    }
    if (n >= 17) {
        PutLine(s, 6, command);
        PutLine(s, 8, words.searching);
    }
    if (n == 17 || n >= 19) PutLine(s, 9, words.found);
    if (n == 17 || n >= 19) PutLine(s, 10, words.loading);
    if (n == 19) {
        // data streaming in: the border flickers in bands
        const Rgba bands[] = {
            {230, 90, 60}, {250, 210, 90}, {90, 170, 230}, {200, 120, 220}, {120, 220, 140}};
        common::SplitMix64 rng(1986);
        for (int y = 0; y < 240;) {
            int h = rng.Range32(2, 7);
            Rgba c = bands[rng.Range32(0, 4)];
            for (int yy = y; yy < y + h && yy < 240; ++yy)
                for (int x = 0; x < 320; ++x)
                    if (x < kLeft || x >= kLeft + kCols * 8 || yy < kTop ||
                        yy >= kTop + kRows * kLine)
                        s.Set(x, yy, c);
            y += h;
        }
    }
    if (n == 17 || n >= 20) PutLine(s, 11, words.ready);
    if (n == 17 || n == 20) Cursor(s, 12, 0);
    if (n == 21) {
        PutLine(s, 12, words.run);
        PutLine(s, 14, words.starting);
    }
    Canvas big = Enlarge(s, 2);
    AvoidPureBlack(big);
    return big;
}

// The loading screen types its command one letter per picture, so every
// language's command has the same length (15 letters).
const PictureWords& GermanPictureWords() {
    static const PictureWords words{"de",
                                    "Ein 8-Bit-Abenteuer",
                                    "Eine Taste dr\u00fccken",
                                    "    KORALLE 8 HEIMCOMPUTER",
                                    "BEREIT.",
                                    "LADE \"PALMUT\",8",
                                    "SUCHE PALMUT",
                                    "GEFUNDEN PALMUT",
                                    "LADE ...",
                                    "START",
                                    "PALMUT WIRD GESTARTET ..."};
    return words;
}

const PictureWords& EnglishPictureWords() {
    static const PictureWords words{"en",
                                    "An 8-bit adventure",
                                    "Press any key",
                                    "   KORALLE 8 HOME COMPUTER",
                                    "READY.",
                                    "LOAD \"PALMUT\",8",
                                    "SEARCHING FOR PALMUT",
                                    "FOUND PALMUT",
                                    "LOADING ...",
                                    "RUN",
                                    "STARTING PALMUT ..."};
    return words;
}

} // namespace assetgen
