#include <gtest/gtest.h>

#include "support/world_fixture.h"
#include "world/karte.h"
#include "world_test_files.h"

namespace {

// Map-image colours of the ground kinds.
constexpr uint32_t SEA = TKarte::GROUND_COLOURS[TKarte::SEA],
                   SHALLOW = TKarte::GROUND_COLOURS[TKarte::SHALLOW],
                   SAND = TKarte::GROUND_COLOURS[TKarte::SAND],
                   ROCK = TKarte::GROUND_COLOURS[TKarte::ROCK],
                   GRASS = TKarte::GROUND_COLOURS[TKarte::GRASS];

class KarteLoading : public WorldFixture {
  protected:
    TempDir dir;

    // The fatal error text of `action`, or "" when it returned normally.
    template <typename Action> static std::string FatalTextOf(Action action) {
        try {
            action();
        } catch (const ProgramExit& exit) {
            EXPECT_EQ(exit.status, -1);
            return exit.message;
        }
        return "";
    }
};

TEST_F(KarteLoading, GroundComesFromExactColoursAndItemsFromTheLayerFile) {
    const std::vector<uint32_t> pixels = {
        SEA,        SHALLOW,    SAND,       ROCK,       GRASS, 0xFFFFFFFF,
        0xFF0094FE, 0x804CFF00, 0xFF4CFF01, 0x00000000, ROCK,  SAND,
    };
    worldtest::WritePng(dir / "insel.png", 6, 2, pixels);
    // One byte per cell row by row, then bytes that must never be read.
    worldtest::WriteBytes(dir / "insel.map", {0, 1, 2, 3, 4, 5, 6, 7, 22, 23, 24, 255, 9, 9, 9});

    TKarte map = TKarte::loadPNG(dir / "insel.png");
    ASSERT_EQ(map.sizex, 6);
    ASSERT_EQ(map.sizey, 2);
    EXPECT_EQ(map.layers, 3);
    const int ground[2][6] = {{0, 1, 2, 3, 4, 0}, {0, 0, 0, 0, 3, 2}};
    // Bytes above 23 are kept as they are; drawing ignores them.
    const int items[2][6] = {{0, 1, 2, 3, 4, 5}, {6, 7, 22, 23, 24, 255}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(map.data(x, y, 0), ground[y][x]) << x << "," << y;
            EXPECT_EQ(map.data(x, y, 1), items[y][x]) << x << "," << y;
            EXPECT_EQ(map.data(x, y, 2), 0);
        }
}

TEST_F(KarteLoading, UpperCaseImagePathReadsTheLowerCaseLayerFile) {
    worldtest::WritePng(dir / "Maps/Insel.PNG", 2, 1, {GRASS, SAND});
    worldtest::WriteBytes(dir / "maps/insel.map", {6, 1});
    TKarte map = TKarte::loadPNG(dir / "Maps/Insel.PNG");
    EXPECT_EQ(map.data(0, 0, 1), 6);
    EXPECT_EQ(map.data(1, 0, 1), 1);
}

TEST_F(KarteLoading, ImageWithoutPngEndingIsItsOwnLayerFile) {
    worldtest::WritePng(dir / "insel.bild", 2, 2, {GRASS, SAND, ROCK, SHALLOW});
    TKarte map = TKarte::loadPNG(dir / "insel.bild");
    // The first four bytes of the PNG signature.
    EXPECT_EQ(map.data(0, 0, 1), 0x89);
    EXPECT_EQ(map.data(1, 0, 1), 'P');
    EXPECT_EQ(map.data(0, 1, 1), 'N');
    EXPECT_EQ(map.data(1, 1, 1), 'G');
}

TEST_F(KarteLoading, MissingOrShortLayerFileEndsTheProgram) {
    worldtest::WritePng(dir / "insel.png", 3, 2, std::vector<uint32_t>(6, GRASS));
    EXPECT_EQ(FatalTextOf([&] { TKarte::loadPNG(dir / "insel.png"); }),
              dir / "insel.map" + " not found.");

    worldtest::WriteBytes(dir / "insel.map", {1, 2, 3, 4, 5});
    EXPECT_NE(
        FatalTextOf([&] { TKarte::loadPNG(dir / "insel.png"); }).find("Error reading from stream"),
        std::string::npos);
}

TEST_F(KarteLoading, MissingOrUndecodableImageEndsTheProgram) {
    EXPECT_EQ(FatalTextOf([&] { TKarte::loadPNG(dir / "fehlt.png"); }),
              dir / "fehlt.png" + " not found.");

    worldtest::WriteText(dir / "kaputt.png", "kein Bild");
    worldtest::WriteBytes(dir / "kaputt.map", {});
    EXPECT_EQ(FatalTextOf([&] { TKarte::loadPNG(dir / "kaputt.png"); }),
              dir / "kaputt.png" + " is damaged or not a PNG picture.");
}

TEST_F(KarteLoading, OversizedImagesAreRefusedBeforeAllocating) {
    // Only a header announcing 100000 x 100000 pixels: refused without decoding.
    worldtest::WritePng(dir / "klein.png", 1, 1, {GRASS});
    std::vector<uint8_t> header = worldtest::ReadBytes(dir / "klein.png");
    header[16] = 0x00, header[17] = 0x01, header[18] = 0x86, header[19] = 0xA0;
    header[20] = 0x00, header[21] = 0x01, header[22] = 0x86, header[23] = 0xA0;
    worldtest::WriteBytes(dir / "riesig.png", header);
    EXPECT_NE(FatalTextOf([&] { TKarte::loadPNG(dir / "riesig.png"); }).find("larger than 4096"),
              std::string::npos);

    worldtest::WritePng(dir / "breit.png", TKarte::MAX_SIDE + 1, 1,
                        std::vector<uint32_t>(TKarte::MAX_SIDE + 1, GRASS));
    EXPECT_NE(FatalTextOf([&] { TKarte::loadPNG(dir / "breit.png"); }).find("larger than 4096"),
              std::string::npos);
}

TEST(Karte, EnterabilityAndCellsOutsideTheMap) {
    TKarte map = TKarte::Create(5, 4, 3);
    map.data(1, 1, 0) = 4;
    map.data(1, 1, 1) = 6; // an item never blocks
    map.data(2, 1, 0) = 0;
    EXPECT_EQ(map.isenterable(1, 1), 1);
    EXPECT_EQ(map.isenterable(2, 1), 0);
    EXPECT_EQ(map.isenterable(-1, 1), 0);
    EXPECT_EQ(map.isenterable(1, -1), 0);
    EXPECT_EQ(map.isenterable(5, 0), 0);
    EXPECT_EQ(map.isenterable(0, 4), 0);

    // Writes outside the map go nowhere and reads give 0.
    map.data(0, 0, 0) = 2;
    map.data(5, 0, 0) = 7;
    map.data(-1, 3, 1) = 7;
    map.data(0, 0, 3) = 7;
    EXPECT_EQ(map.data(5, 0, 0), 0);
    EXPECT_EQ(map.data(0, 0, 0), 2);
    const TKarte& view = map;
    EXPECT_EQ(view.data(0, 4, 0), 0);
    EXPECT_EQ(view.data(0, 0, -1), 0);
    int sum = 0;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            for (int l = 0; l < 3; ++l)
                sum += map.data(x, y, l);
    EXPECT_EQ(sum, 2 + 4 + 6);

    TKarte fresh;
    EXPECT_EQ(fresh.isenterable(0, 0), 0);
    EXPECT_EQ(fresh.data(0, 0, 0), 0);
}

TEST(Karte, ViewOriginClamping) {
    struct Case {
        int sizex, sizey, vx, vy, wantX, wantY;
    };
    for (const Case& c : std::vector<Case>{
             {64, 64, 3 - 10, 5 - 8, 0, 0},     // near the top-left corner
             {64, 64, 60 - 10, 62 - 8, 44, 49}, // near the bottom-right corner
             {64, 64, 20, 20, 20, 20},
             {64, 64, 44, 49, 44, 49},
             {20, 15, 5, 5, 0, 0},  // exactly the view
             {10, 8, -5, 30, 0, 0}, // smaller than the view
             {100, 10, 95, -3, 80, 0},
         }) {
        TKarte map = TKarte::Create(c.sizex, c.sizey, 3);
        int vx = c.vx, vy = c.vy;
        ClampViewOrigin(map, vx, vy);
        EXPECT_EQ(vx, c.wantX) << c.sizex << "x" << c.sizey << " at " << c.vx << "," << c.vy;
        EXPECT_EQ(vy, c.wantY) << c.sizex << "x" << c.sizey << " at " << c.vx << "," << c.vy;
    }
}

} // namespace
