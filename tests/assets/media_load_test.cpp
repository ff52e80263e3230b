// Every asset loads through the game's own media layer, by the exact paths and
// arguments the game uses, with the frame counts and sizes it expects.
#include <filesystem>

#include <gtest/gtest.h>

#include "core/assets.h"
#include "core/state.h"
#include "island/map_analysis.h"
#include "map_files.h"
#include "media/files.h"
#include "media/graphics.h"
#include "media/sound.h"
#include "player/player.h"
#include "world/critter.h"
#include "world/karte.h"
#include "world/objekt.h"

namespace {

// Runs a test inside the asset tree, as the game runs, and steps back out after.
class InAssetTree : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(PALMUT_ASSET_DIR);
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

  private:
    std::filesystem::path previous_;
};

} // namespace

TEST_F(InAssetTree, SheetsAndPicturesLoadWithTheGamesArguments) {
    ImagePtr title = LoadImage("gfx/title_wip.png", -1);
    ASSERT_TRUE(title);
    EXPECT_EQ(ImageWidth(title), 640);
    EXPECT_EQ(ImageHeight(title), 480);

    struct Strip {
        const char* path;
        int count;
    };
    for (Strip s : {Strip{"gfx/basetiles2.png", 10}, Strip{"gfx/objects.png", TObjekt::COUNT},
                    Strip{"gfx/beings.png", 10}, Strip{"gfx/foodstate.png", 2}}) {
        ImagePtr img = LoadImageStrip(s.path, 32, 32, 0, s.count, -1);
        ASSERT_TRUE(img) << s.path;
        EXPECT_EQ(ImageFrames(img), s.count) << s.path;
        EXPECT_EQ(ImageWidth(img), 32) << s.path;
        EXPECT_EQ(ImageHeight(img), 32) << s.path;
    }
    // The game counts a sheet's frames from the picture: one item cell more or
    // less than the catalogue holds would draw items with another's picture.
    LoadPlayAssets();
    EXPECT_EQ(ImageFrames(objectimages), TObjekt::COUNT);
    ResetState();

    ImagePtr frame = LoadImage("gfx/selector.png", -1);
    ASSERT_TRUE(frame);
    EXPECT_EQ(ImageWidth(frame), 32);
    EXPECT_EQ(ImageHeight(frame), 32);

    for (int n = 0; n < 22; ++n) {
        // The intro names its folder with capitals; the tree holds one folder per name.
        ImagePtr pic = LoadImage("Gfx/C64intro/bearbeitet/" + std::to_string(n) + ".png", -1);
        ASSERT_TRUE(pic) << n;
        EXPECT_EQ(ImageWidth(pic), 640) << n;
        EXPECT_EQ(ImageHeight(pic), 480) << n;
    }
}

TEST_F(InAssetTree, FontLoadsAtMenuSize) {
    EXPECT_TRUE(LoadFont("gfx/Adventure.ttf", 32, FONT_SMOOTH));
}

TEST_F(InAssetTree, SoundsLoad) {
    for (const char* path : {"Sfx/chose.wav", "Sfx/confirm.wav", "Sfx/hit.wav", "Sfx/walk.wav",
                             "Sfx/tasta.wav", "Sfx/c64load.wav", "sfx/winningtheme.ogg"})
        EXPECT_TRUE(LoadSound(path, 0)) << path;
}

TEST_F(InAssetTree, MapsDecodeToGroundColoursOnly) {
    for (const char* path : {"map/map.png", "map/bucht.png"}) {
        PixmapPtr map = LoadPixmapFile(path);
        ASSERT_TRUE(map) << path;
        ASSERT_GE(PixmapWidth(map), 64);
        ASSERT_GE(PixmapHeight(map), 64);
        for (int y = 0; y < PixmapHeight(map); ++y)
            for (int x = 0; x < PixmapWidth(map); ++x)
                ASSERT_GE(mapcheck::GroundOfColour(ReadPixel(map, x, y)), 0)
                    << path << " at " << x << "," << y;
        // The layer file is read byte by byte: it must hold one byte per cell.
        std::string layer = std::string(path).replace(std::string(path).size() - 4, 4, ".map");
        FileStreamPtr f = OpenForReading(layer);
        ASSERT_TRUE(f) << layer;
        int bytes = 0;
        while (!Eof(f)) {
            ASSERT_LE(ReadByte(f), TObjekt::COUNT);
            ++bytes;
        }
        Close(f);
        EXPECT_EQ(bytes, PixmapWidth(map) * PixmapHeight(map));
    }
}

TEST_F(InAssetTree, ConfigFilesReadAsTheGameReadsThem) {
    FileStreamPtr cfg = OpenForReading("data/game.cfg");
    ASSERT_TRUE(cfg);
    std::string fullscreen = ReadLine(cfg), sound = ReadLine(cfg);
    Close(cfg);
    EXPECT_EQ(fullscreen.find("true"), std::string::npos);
    EXPECT_NE(sound.find("true"), std::string::npos);

    FileStreamPtr stream = OpenForReading("Data/stream.cfg");
    ASSERT_TRUE(stream);
    EXPECT_EQ(ReadLine(stream), "");
    Close(stream);

    EXPECT_FALSE(ResolvePath("data/liesmich.txt").empty());
}

TEST_F(InAssetTree, TheGameReadsTheIslandsAsTheCheckerDoes) {
    // The checker decodes with libpng, the game through its media layer: both must
    // agree on every cell, or the checker's verdict says nothing about the game.
    for (const char* path : {"map/map.png", "map/bucht.png"}) {
        mapcheck::MapData checked;
        std::vector<mapcheck::Issue> issues;
        ASSERT_TRUE(mapcheck::LoadMapFiles(path, checked, issues)) << path;
        karte = TKarte::loadPNG(path);
        ASSERT_EQ(karte.sizex, checked.width) << path;
        ASSERT_EQ(karte.sizey, checked.height) << path;
        for (int y = 0; y < karte.sizey; ++y)
            for (int x = 0; x < karte.sizex; ++x) {
                ASSERT_EQ(karte.data(x, y, 0), checked.GroundAt(x, y))
                    << path << " " << x << "," << y;
                ASSERT_EQ(karte.data(x, y, 1), checked.ItemAt(x, y))
                    << path << " " << x << "," << y;
            }
        TCritter::list.clear();
        TCritter::load(path, player.seenByCritters());
        int apes = 0, lizards = 0;
        for (const TCritter& c : TCritter::list) {
            apes += c.typ == TCritter::APE;
            lizards += c.typ == TCritter::WARAN;
            EXPECT_GT(karte.data(c.x, c.y, 0), 0) << "critter placed in the sea";
        }
        EXPECT_EQ(apes, checked.apes) << path;
        EXPECT_EQ(lizards, checked.lizards) << path;
        TCritter::list.clear();
    }
    karte = TKarte();
}
