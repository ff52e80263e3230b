// Drawing of the map, the critters and the messages through the real renderer
// on the offscreen window, checked pixel by pixel.
#include <algorithm>

#include <gtest/gtest.h>

#include "support/world_fixture.h"
#include "world/critter.h"
#include "world/message.h"
#include "world_test_files.h"

namespace {

// Solid, non-black frame colours (black could be taken for a mask).
uint32_t TileColour(int frame) {
    return 0xFF102030u + 0x00180C04u * static_cast<uint32_t>(frame);
}
uint32_t ItemColour(int frame) {
    return 0xFF80F010u + 0x00020003u * static_cast<uint32_t>(frame);
}
uint32_t BeingColour(int frame) {
    return 0xFFF01080u + 0x00001008u * static_cast<uint32_t>(frame);
}

class WorldDrawing : public WorldFixture {
  protected:
    TempDir dir;
    uint32_t background = 0;

    void SetUp() override {
        WorldFixture::SetUp();
        OpenWindow();
        SetCentredHandles(1);
        tiles = LoadSheet("tiles.png", 10, TileColour);
        objectimages = LoadSheet("objects.png", 23, ItemColour);
        beings = LoadSheet("beings.png", 10, BeingColour);
        ASSERT_TRUE(tiles && objectimages && beings);
        Cls();
        background = ReadBackPixel(320, 240);
    }

    ImagePtr LoadSheet(const std::string& name, int frames, uint32_t (*colour)(int)) {
        std::vector<uint32_t> colours;
        for (int i = 0; i < frames; ++i)
            colours.push_back(colour(i));
        worldtest::WriteSheet(dir / name, colours);
        return LoadImageStrip(dir / name, 32, 32, 0, frames, 0);
    }

    static void FillMap(int sizex, int sizey) { MakeMap(sizex, sizey, 4); }
};

TEST_F(WorldDrawing, CastawayNearTheLeftEdgeKeepsColumnZeroAtTheLeft) {
    FillMap(64, 64);
    for (int y = 0; y < 64; ++y)
        karte.data(3, y, 0) = 3;
    karte.Render(3 - 10, 30 - 8);
    EXPECT_EQ(ReadBackPixel(96, 256), TileColour(3));
    EXPECT_EQ(ReadBackPixel(80, 256), TileColour(3)); // left edge of the centred tile
    EXPECT_EQ(ReadBackPixel(79, 256), TileColour(4));
    EXPECT_EQ(ReadBackPixel(0, 0), TileColour(4));
}

TEST_F(WorldDrawing, CastawayNearTheRightAndBottomEdgesLeavesEmptyStrips) {
    FillMap(64, 64);
    for (int i = 0; i < 64; ++i) {
        karte.data(63, i, 0) = 2;
        karte.data(i, 63, 0) = 1;
    }
    karte.Render(60 - 10, 62 - 8); // origin becomes (44, 49)
    EXPECT_EQ(ReadBackPixel(608, 100), TileColour(2));
    EXPECT_EQ(ReadBackPixel(592, 100), TileColour(2));
    EXPECT_EQ(ReadBackPixel(591, 100), TileColour(4));
    EXPECT_EQ(ReadBackPixel(623, 100), TileColour(2));
    for (int x : {624, 630, 639})
        EXPECT_EQ(ReadBackPixel(x, 100), background) << x;

    EXPECT_EQ(ReadBackPixel(100, 448), TileColour(1));
    EXPECT_EQ(ReadBackPixel(100, 463), TileColour(1));
    EXPECT_EQ(ReadBackPixel(100, 431), TileColour(4));
    for (int y : {464, 479})
        EXPECT_EQ(ReadBackPixel(100, y), background) << y;
}

TEST_F(WorldDrawing, MapSmallerThanTheViewStartsAtItsCorner) {
    FillMap(10, 8);
    karte.data(9, 7, 0) = 3;
    // Also a castaway position left over from a larger map.
    for (auto [vx, vy] : {std::pair{5 - 10, 4 - 8}, std::pair{50, 40}}) {
        Cls();
        karte.Render(vx, vy);
        EXPECT_EQ(ReadBackPixel(0, 0), TileColour(4));
        EXPECT_EQ(ReadBackPixel(288, 224), TileColour(3));
        EXPECT_EQ(ReadBackPixel(303, 239), TileColour(3));
        EXPECT_EQ(ReadBackPixel(304, 100), background);
        EXPECT_EQ(ReadBackPixel(100, 240), background);
    }
}

TEST_F(WorldDrawing, ItemsDrawOverTheGroundAndUnknownBytesDrawNothing) {
    FillMap(64, 64);
    karte.data(2, 2, 1) = 6;
    karte.data(3, 2, 1) = 200;
    karte.data(4, 2, 1) = 23;
    karte.Render(0, 0);
    EXPECT_EQ(ReadBackPixel(64, 64), ItemColour(5));
    EXPECT_EQ(ReadBackPixel(96, 64), TileColour(4));
    EXPECT_EQ(ReadBackPixel(128, 64), ItemColour(22));
    EXPECT_EQ(ReadBackPixel(160, 64), TileColour(4));
}

TEST_F(WorldDrawing, CrittersUseTheClampedOrigin) {
    FillMap(64, 64);
    TCritter ape;
    ape.x = 5, ape.y = 5, ape.typ = TCritter::APE;
    TCritter lizard;
    lizard.x = 63, lizard.y = 10, lizard.typ = TCritter::WARAN;
    TCritter::list = {ape, lizard};

    TCritter::Render(-10, -8);
    EXPECT_EQ(ReadBackPixel(160, 160), BeingColour(1));

    Cls();
    TCritter::Render(50, 2); // origin becomes (44, 2)
    EXPECT_EQ(ReadBackPixel(608, 256), BeingColour(2));
    EXPECT_EQ(ReadBackPixel(160, 160), background);
}

// Rows of the top-left 64 x 48 pixels that hold any drawn pixel.
std::vector<int> LitRows(uint32_t background) {
    std::vector<int> rows;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            if (ReadBackPixel(x, y) != background) {
                rows.push_back(y);
                break;
            }
    return rows;
}

TEST_F(WorldDrawing, MessagesStackDownwardInTenPixelSteps) {
    Tmessage::add("MWX", 1000);
    Tmessage::Render();
    std::vector<int> one = LitRows(background);
    ASSERT_FALSE(one.empty());
    EXPECT_LT(one.back(), 16);

    Tmessage::add("MWX", 3000);
    Cls();
    Tmessage::Render();
    std::vector<int> expected = one;
    for (int y : one)
        expected.push_back(y + 10);
    std::sort(expected.begin(), expected.end());
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
    EXPECT_EQ(LitRows(background), expected);

    // When the older one expires the younger one moves up.
    AdvanceVirtualClock(1001);
    Tmessage::Update();
    ASSERT_EQ(Tmessage::list.size(), 1u);
    Cls();
    Tmessage::Render();
    EXPECT_EQ(LitRows(background), one);
}

} // namespace
