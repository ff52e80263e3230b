// The committed assets are exactly what the generator makes, and they have the
// shapes the game loads them with.
#include <gtest/gtest.h>

#include "generate.h"
#include "support/asset_files.h"

using namespace assettest;

namespace {

const assetgen::AssetFiles& generated() {
    static const assetgen::AssetFiles files = assetgen::BuildAssets();
    return files;
}

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

TEST(Generator, CommittedTreeMatchesGeneratorOutput) {
    // Vorbis and WAV output is checked for determinism below instead: an encoder
    // update may change the Ogg bytes without anything being wrong.
    for (const auto& [path, bytes] : generated()) {
        if (endsWith(path, ".ogg")) continue;
        EXPECT_EQ(readFile(assetPath(path)), bytes)
            << path << " differs from the generator output; run palmut_assetgen assets";
    }
}

TEST(Generator, RunsAreByteIdentical) {
    assetgen::AssetFiles again = assetgen::BuildAssets();
    ASSERT_EQ(again.size(), generated().size());
    for (const auto& [path, bytes] : generated())
        EXPECT_TRUE(again[path] == bytes) << path;
}

TEST(Generator, ProducesEveryFileTheGameLoads) {
    const char* needed[] = {
        "gfx/title_wip.png", "gfx/basetiles2.png",   "gfx/objects.png",   "gfx/beings.png",
        "gfx/selector.png",  "gfx/foodstate.png",    "gfx/Adventure.ttf", "sfx/chose.wav",
        "sfx/confirm.wav",   "sfx/hit.wav",          "sfx/walk.wav",      "sfx/tasta.wav",
        "sfx/c64load.wav",   "sfx/winningtheme.ogg", "map/map.png",       "map/map.map",
        "map/map.critter",   "map/bucht.png",        "map/bucht.map",     "map/bucht.critter",
        "data/game.cfg",     "data/stream.cfg",      "data/liesmich.txt"};
    for (const char* p : needed)
        EXPECT_TRUE(generated().count(p)) << p;
    for (int n = 0; n < 22; ++n)
        EXPECT_TRUE(generated().count("gfx/C64intro/bearbeitet/" + std::to_string(n) + ".png"))
            << n;
    // The window icon and the installed desktop icons.
    for (int size : {16, 32, 48, 64, 128, 256})
        EXPECT_TRUE(generated().count("gfx/icons/" + std::to_string(size) + ".png")) << size;
}

TEST(Generator, WritesTheTreeToDisk) {
    std::string dir = std::string(PALMUT_BINARY_DIR) + "/assetgen_write_test";
    assetgen::WriteAssets(generated(), dir);
    EXPECT_EQ(readFile(dir + "/map/map.map"), generated().at("map/map.map"));
    EXPECT_EQ(readFile(dir + "/gfx/C64intro/bearbeitet/21.png"),
              generated().at("gfx/C64intro/bearbeitet/21.png"));
}

TEST(Sheets, SizesAndCellCounts) {
    struct Sheet {
        const char* path;
        int cells; // 32 x 32 cells at least
        bool alpha;
    };
    const Sheet sheets[] = {{"gfx/basetiles2.png", 10, true},
                            {"gfx/objects.png", 23, true},
                            {"gfx/beings.png", 10, true},
                            {"gfx/selector.png", 1, true},
                            {"gfx/foodstate.png", 2, true}};
    for (const Sheet& s : sheets) {
        Decoded d = decodePng(generated().at(s.path));
        ASSERT_TRUE(d.ok) << s.path;
        EXPECT_EQ(d.height % 32, 0) << s.path;
        EXPECT_GE((d.width / 32) * (d.height / 32), s.cells) << s.path;
        EXPECT_EQ(d.hasAlpha, s.alpha) << s.path;
    }
}

namespace {

// Alpha of pixel (x, y) of cell `cell` in a one-row 32 x 32 sheet.
int alphaAt(const Decoded& d, int cell, int x, int y) {
    return d.rgba[(static_cast<size_t>(y) * d.width + cell * 32 + x) * 4 + 3];
}

} // namespace

TEST(Sheets, ItemsAndBeingsHaveTransparentBackgroundsAndVisibleArt) {
    // Items lie on every kind of ground: their corners must let it show through,
    // and every cell must hold a picture (a blank cell would be an invisible item).
    for (auto [path, cells] : {std::pair{"gfx/objects.png", 23}, std::pair{"gfx/beings.png", 3}}) {
        Decoded d = decodePng(generated().at(path));
        ASSERT_TRUE(d.ok);
        for (int c = 0; c < cells; ++c) {
            EXPECT_EQ(alphaAt(d, c, 0, 31), 0) << path << " cell " << c;
            int opaque = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x)
                    opaque += alphaAt(d, c, x, y) == 255;
            EXPECT_GT(opaque, 100) << path << " cell " << c << " is nearly empty";
        }
    }
}

TEST(Sheets, ItemCellsAreAllDifferent) {
    Decoded d = decodePng(generated().at("gfx/objects.png"));
    ASSERT_TRUE(d.ok);
    auto cellBytes = [&](int c) {
        std::vector<uint8_t> out;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32 * 4; ++x)
                out.push_back(d.rgba[(y * d.width + c * 32) * 4 + x]);
        return out;
    };
    for (int a = 0; a < 23; ++a)
        for (int b = a + 1; b < 23; ++b)
            EXPECT_NE(cellBytes(a), cellBytes(b)) << a << " vs " << b;
}

TEST(Sheets, GroundTilesAreOpaqueAndTile) {
    Decoded d = decodePng(generated().at("gfx/basetiles2.png"));
    ASSERT_TRUE(d.ok);
    for (int c = 0; c < 5; ++c) {
        long sum[3] = {0, 0, 0};
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const uint8_t* p = &d.rgba[(y * d.width + c * 32 + x) * 4];
                ASSERT_EQ(p[3], 255) << "tile " << c << " has a hole";
                for (int k = 0; k < 3; ++k)
                    sum[k] += p[k];
            }
        // average colour: sea and shallow are blue-ish, sand yellow, rock grey, grass green
        long r = sum[0] / 1024, g = sum[1] / 1024, b = sum[2] / 1024;
        switch (c) {
        case 0:
            EXPECT_GT(b, r + 60) << "sea";
            break;
        case 1:
            EXPECT_GT(g, r + 40) << "shallow water";
            EXPECT_GT(b, r + 40);
            break;
        case 2:
            EXPECT_GT(r, b + 60) << "sand";
            break;
        case 3:
            EXPECT_LT(std::abs(r - b), 40) << "rock";
            break;
        case 4:
            EXPECT_GT(g, r + 40) << "grass";
            EXPECT_GT(g, b + 60);
            break;
        }
    }
}

TEST(Pictures, FullScreenAndWithoutPureBlack) {
    // Pure black would turn into holes (the pictures are drawn masked, without clearing).
    std::vector<std::string> pictures = {"gfx/title_wip.png"};
    for (int n = 0; n < 22; ++n)
        pictures.push_back("gfx/C64intro/bearbeitet/" + std::to_string(n) + ".png");
    for (const std::string& p : pictures) {
        Decoded d = decodePng(generated().at(p));
        ASSERT_TRUE(d.ok) << p;
        EXPECT_EQ(d.width, 640) << p;
        EXPECT_EQ(d.height, 480) << p;
        EXPECT_FALSE(d.hasAlpha) << p;
        size_t black = 0;
        for (size_t i = 0; i < d.rgba.size(); i += 4)
            black += d.rgba[i] == 0 && d.rgba[i + 1] == 0 && d.rgba[i + 2] == 0;
        EXPECT_EQ(black, 0u) << p;
    }
}

TEST(Pictures, IntroTypesOneLetterAPicture) {
    // Pictures 1-16 show the command growing; consecutive ones must differ, or the
    // typing phase would look frozen.
    for (int n = 1; n <= 21; ++n) {
        auto a = generated().at("gfx/C64intro/bearbeitet/" + std::to_string(n - 1) + ".png");
        auto b = generated().at("gfx/C64intro/bearbeitet/" + std::to_string(n) + ".png");
        EXPECT_NE(a, b) << n;
    }
}

TEST(TextFiles, ConfigDefaults) {
    std::string cfg(generated().at("data/game.cfg").begin(), generated().at("data/game.cfg").end());
    auto nl = cfg.find('\n');
    ASSERT_NE(nl, std::string::npos);
    std::string line1 = cfg.substr(0, nl), line2 = cfg.substr(nl + 1);
    // The game switches a flag on when its line contains "true" in any case.
    EXPECT_EQ(line1.find("true"), std::string::npos) << "full screen must be off";
    EXPECT_NE(line2.find("true"), std::string::npos) << "sound must be on";
    const auto& stream = generated().at("data/stream.cfg");
    EXPECT_TRUE(stream.empty() || stream[0] == '\n') << "first line must be empty: no music";
    const auto& readme = generated().at("data/liesmich.txt");
    std::string text(readme.begin(), readme.end());
    for (const char* word : {"Steuerung", "Hunger", "Durst", "Floß", ".critter", "76, 255,   0"})
        EXPECT_NE(text.find(word), std::string::npos) << word;
    // The page's readmes tell the page's ways, and nothing a page cannot do:
    // no folders of an installation, no commands.
    for (const char* name : {"page/liesmich.txt", "page/readme.txt"}) {
        const auto& bytes = generated().at(name);
        const std::string page(bytes.begin(), bytes.end());
        for (const char* word : {"lang=", "map=", "DISK", "ENTER", "ESC", "Gamepad"})
            EXPECT_NE(page.find(word), std::string::npos) << name << ": " << word;
        for (const char* word : {"~/", "/usr/", "palmut-mapcheck", "--map", ".config"})
            EXPECT_EQ(page.find(word), std::string::npos) << name << ": " << word;
    }
}
