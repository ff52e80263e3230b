#include <climits>

#include <gtest/gtest.h>

#include "world/critter_file.h"
#include "world/map_files.h"

namespace {

TEST(MapImageFileName, ChosenPathIsLowerCasedWithOnlyItsOwnExtensionReplaced) {
    EXPECT_EQ(MapImageFileName("Map/Insel.MAP"), "map/insel.png");
    // A folder named like a map file keeps its name.
    EXPECT_EQ(MapImageFileName("/x/Palmut.Maps/insel.map"), "/x/palmut.maps/insel.png");
    EXPECT_EQ(MapImageFileName("/x/Karten.map/x.map"), "/x/karten.map/x.png");
    EXPECT_EQ(MapImageFileName("island.PNG"), "island.png");
}

TEST(LayerFileName, PngPathsAreLowerCasedWithTheirOwnExtensionReplaced) {
    EXPECT_EQ(LayerFileName("map/map.png", ".map"), "map/map.map");
    EXPECT_EQ(LayerFileName("Maps/Insel.PNG", ".map"), "maps/insel.map");
    EXPECT_EQ(LayerFileName("MAP/Bucht.Png", ".map"), "map/bucht.map");
    EXPECT_EQ(LayerFileName("maps.png/x.png", ".map"), "maps.png/x.map");
    EXPECT_EQ(LayerFileName("map/map.png", ".critter"), "map/map.critter");
    // Bytes of non-ASCII names are left alone.
    EXPECT_EQ(LayerFileName("Karten/Bücht.png", ".map"), "karten/bücht.map");
}

TEST(LayerFileName, OtherPathsAreKeptExactly) {
    EXPECT_EQ(LayerFileName("Maps/Insel.bmp", ".map"), "Maps/Insel.bmp");
    EXPECT_EQ(LayerFileName("Maps/Insel.png.bak", ".map"), "Maps/Insel.png.bak");
    EXPECT_EQ(LayerFileName("png", ".map"), "png");
    EXPECT_EQ(LayerFileName("", ".map"), "");
    EXPECT_EQ(LayerFileName(".png", ".map"), ".map");
}

TEST(CritterCount, DecimalWithSpaceSignAndTrailingText) {
    EXPECT_EQ(ParseCritterCount("3"), 3);
    EXPECT_EQ(ParseCritterCount("   3"), 3);
    EXPECT_EQ(ParseCritterCount("\t 3 Affen"), 3);
    EXPECT_EQ(ParseCritterCount("12x4"), 12);
    EXPECT_EQ(ParseCritterCount("+7"), 7);
    EXPECT_EQ(ParseCritterCount("-2"), -2);
    EXPECT_EQ(ParseCritterCount("3\r"), 3);
}

TEST(CritterCount, BinaryAndHexPrefixes) {
    EXPECT_EQ(ParseCritterCount("%101"), 5);
    EXPECT_EQ(ParseCritterCount("%1021"), 2);
    EXPECT_EQ(ParseCritterCount("$1f"), 31);
    EXPECT_EQ(ParseCritterCount("$FFg"), 255);
    EXPECT_EQ(ParseCritterCount("-$10"), -16);
    EXPECT_EQ(ParseCritterCount(" +%11"), 3);
}

TEST(CritterCount, NoDigitsGiveZero) {
    for (const char* line : {"", "   ", "Affen", "-", "+", "%", "$", "%2", "$g", "- 3", "$-1"})
        EXPECT_EQ(ParseCritterCount(line), 0) << '"' << line << '"';
}

TEST(CritterCount, HugeNumbersSaturate) {
    EXPECT_EQ(ParseCritterCount("2147483647"), INT_MAX);
    EXPECT_EQ(ParseCritterCount("2147483648"), INT_MAX);
    EXPECT_EQ(ParseCritterCount("99999999999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseCritterCount("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseCritterCount("-99999999999999999999999999"), INT_MIN);
    EXPECT_EQ(ParseCritterCount("$FFFFFFFFFFFFFFFFFFFF"), INT_MAX);
    EXPECT_EQ(ParseCritterCount(std::string(200, '1').insert(0, "%")), INT_MAX);
}

} // namespace
