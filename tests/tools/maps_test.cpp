// The shipped islands are playable and fair, and the map checker catches the
// mistakes map makers make.
#include <climits>
#include <filesystem>
#include <fstream>
#include <set>

#include <gtest/gtest.h>
#include <zlib.h>

#include "island/findings_texts.h"
#include "island/island_shape.h"
#include "island/map_analysis.h"
#include "map_files.h"
#include "media/gfx/native/png_writer.h"
#include "media/language.h"
#include "support/asset_files.h"
#include "support/shown_text.h"

using namespace mapcheck;

namespace {

struct Loaded {
    MapData map;
    std::vector<Issue> loadIssues;
    Analysis analysis;
    bool ok = false;
};

Loaded load(const std::string& path) {
    Loaded l;
    l.ok = LoadMapFiles(path, l.map, l.loadIssues);
    if (l.ok) l.analysis = Analyse(l.map);
    return l;
}

// An error made from `finding`; with `fragment` also showing that.
bool hasError(const std::vector<Issue>& issues, const TText& finding,
              const std::string& fragment = "") {
    for (const Issue& i : issues)
        if (i.error && Shows(i.text, finding) && i.text.find(fragment) != std::string::npos)
            return true;
    return false;
}

// A small all-sea map with an island drawn by the caller.
MapData blankMap(int w, int h) {
    MapData m;
    m.width = w;
    m.height = h;
    m.ground.assign(static_cast<size_t>(w) * h, 0);
    m.items.assign(static_cast<size_t>(w) * h, 0);
    return m;
}

void Fill(MapData& m, int x0, int y0, int x1, int y1, uint8_t ground) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            m.ground[y * m.width + x] = ground;
}

void put(MapData& m, int x, int y, uint8_t item) {
    m.items[y * m.width + x] = item;
}

// Capitals and a ".png" in the folders, wherever the build tree lies: the
// checker must find the files as the game does.
std::string tempDir() {
    std::string d = std::string(PALMUT_BINARY_DIR) + "/mapcheck_test/Anna/Karten.png";
    std::filesystem::create_directories(d);
    return d;
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

} // namespace

TEST(ShippedMaps, DefaultIslandIsWinnableAndFair) {
    Loaded l = load(assettest::assetPath("map/map.png"));
    ASSERT_TRUE(l.ok);
    EXPECT_TRUE(l.loadIssues.empty()) << l.loadIssues.front().text;
    const Analysis& a = l.analysis;
    ASSERT_TRUE(a.hasStart);
    EXPECT_TRUE(a.winnable);
    EXPECT_GE(l.map.width, 64);
    EXPECT_GE(l.map.height, 64);
    EXPECT_NE(l.map.GroundAt(a.startX, a.startY), 1) << "start cell should be dry land";
    EXPECT_GE(a.reachableItems[Palme], 6);
    EXPECT_GE(a.reachableItems[Beerenstrauch], 2);
    EXPECT_GE(a.reachableItems[Steinbrocken], 4);
    EXPECT_GE(a.reachableItems[Treibholz], 5);
    EXPECT_GE(a.reachableItems[Farne], 6);
    EXPECT_GT(a.reachableGround[1], 0);
    EXPECT_GT(a.reachableGround[2], 0);
    EXPECT_GT(a.reachableGround[3], 0);
    EXPECT_GE(l.map.apes, 8);
    EXPECT_GE(l.map.lizards, 1);
    // Critters are placed on any land within columns and rows 1-63: all land must be
    // reachable, or apes could be stranded where the castaway can never meet them.
    EXPECT_EQ(a.reachableCells, a.landCells);
}

TEST(ShippedMaps, WaterAndFruitAreNeverTooFarAway) {
    // Whoever walks to the farthest corner must get back alive: the way to water
    // and to fruit may cost at most half the fatal limits.
    for (const char* name : {"map/map.png", "map/bucht.png"}) {
        Loaded l = load(assettest::assetPath(name));
        ASSERT_TRUE(l.ok);
        EXPECT_GE(l.analysis.worstThirstToWater, 0) << name;
        EXPECT_LE(l.analysis.worstThirstToWater, kThirstLimit / 2) << name;
        EXPECT_GE(l.analysis.worstHungerToFood, 0) << name;
        EXPECT_LE(l.analysis.worstHungerToFood, kHungerLimit / 2) << name;
    }
}

TEST(ShippedMaps, SecondIslandIsWinnableAndDifferent) {
    Loaded bay = load(assettest::assetPath("map/bucht.png"));
    Loaded def = load(assettest::assetPath("map/map.png"));
    ASSERT_TRUE(bay.ok);
    EXPECT_TRUE(bay.loadIssues.empty());
    EXPECT_TRUE(bay.analysis.winnable);
    EXPECT_EQ(bay.analysis.reachableCells, bay.analysis.landCells);
    EXPECT_NE(bay.map.ground, def.map.ground);
    EXPECT_GT(bay.map.lizards, def.map.lizards) << "the bay is meant to be the harder island";
}

TEST(ShippedMaps, LeatherBagCanBeMadeInNearlyEveryGame) {
    // Apes are the only source of furs besides what lies about, every kill
    // removes one, and the lizards eat them: the chance counts all of that.
    for (const char* name : {"map/map.png", "map/bucht.png"}) {
        Loaded l = load(assettest::assetPath(name));
        ASSERT_TRUE(l.ok);
        EXPECT_GE(EstimateFurOdds(l.map, l.analysis, FairnessGoals{}.huntSteps).chance, 0.99)
            << name;
    }
}

TEST(ShippedMaps, CheckerToolAcceptsThem) {
    for (const char* name : {"map/map.png", "map/bucht.png"}) {
        Loaded l = load(assettest::assetPath(name));
        std::string report;
        EXPECT_EQ(PrintReport(name, l.map, l.loadIssues, l.analysis, report), 0) << report;
        EXPECT_TRUE(Shows(report, findings::kReportStart)) << report;
    }
}

TEST(MapCheck, CritterLinesAreReadLikeTheGame) {
    bool valid = false;
    EXPECT_EQ(ParseCritterLine("12", &valid), 12);
    EXPECT_TRUE(valid);
    EXPECT_EQ(ParseCritterLine("   3 Affen"), 3);
    EXPECT_EQ(ParseCritterLine("+4"), 4);
    EXPECT_EQ(ParseCritterLine("-2"), -2);
    EXPECT_EQ(ParseCritterLine("$1F"), 31);
    EXPECT_EQ(ParseCritterLine("%101"), 5);
    EXPECT_EQ(ParseCritterLine("", &valid), 0);
    EXPECT_FALSE(valid);
    EXPECT_EQ(ParseCritterLine("zehn", &valid), 0);
    EXPECT_FALSE(valid);
    // a huge number must not overflow into a negative count
    EXPECT_GT(ParseCritterLine("99999999999999999999"), 0);
}

TEST(MapCheck, SiblingFilesFollowTheGamesNamingRule) {
    EXPECT_EQ(SiblingPath("map/map.png", ".map"), "map/map.map");
    EXPECT_EQ(SiblingPath("MAP/Bucht.Png", ".critter"), "map/bucht.critter");
    EXPECT_EQ(SiblingPath("maps.png/x.png", ".map"), "maps.png/x.map");
    EXPECT_EQ(SiblingPath("Insel.bmp", ".map"), "Insel.bmp");
    // Lower-cased like the game, and found like the game in a folder with capitals.
    const std::string dir = tempDir() + "/Meine Inseln";
    std::filesystem::create_directories(dir);
    writeBytes(dir + "/Lagune.png", assettest::readFile(assettest::assetPath("map/map.png")));
    writeBytes(dir + "/Lagune.map", std::vector<uint8_t>(64 * 64, 0));
    writeBytes(dir + "/LAGUNE.critter", {'1', '\n', '0', '\n'});
    MapData m;
    std::vector<Issue> issues;
    EXPECT_TRUE(LoadMapFiles(dir + "/Lagune.png", m, issues));
    EXPECT_EQ(m.apes, 1);
    for (const Issue& issue : issues)
        EXPECT_FALSE(Shows(issue.text, findings::kNoLayerFile) ||
                     Shows(issue.text, findings::kNoCritterFile))
            << issue.text;
}

TEST(MapCheck, StartIsTheFirstLandCellOnTheDiagonal) {
    MapData m = blankMap(64, 64);
    Fill(m, 5, 3, 40, 40, 4);
    Analysis a = Analyse(m);
    ASSERT_TRUE(a.hasStart);
    EXPECT_EQ(a.startX, 5);
    EXPECT_EQ(a.startY, 5);

    MapData none = blankMap(64, 64);
    Fill(none, 10, 0, 20, 5, 4); // land, but off the diagonal
    Analysis b = Analyse(none);
    EXPECT_FALSE(b.hasStart);
    EXPECT_TRUE(hasError(b.issues, findings::kNoStart, "(63,63)"));
    EXPECT_FALSE(b.winnable);
    // On a map 40 cells high the diagonal ends at (39, 39), and the finding says so.
    EXPECT_TRUE(hasError(Analyse(blankMap(60, 40)).issues, findings::kNoStart, "(39,39)"));
}

TEST(MapCheck, CountsOnlyWhatIsReachable) {
    MapData m = blankMap(64, 64);
    Fill(m, 2, 2, 20, 20, 4);
    Fill(m, 2, 2, 20, 3, 2);
    Fill(m, 10, 10, 12, 12, 1);
    Fill(m, 15, 15, 18, 18, 3);
    Fill(m, 40, 40, 50, 50, 4); // a separate islet
    for (int i = 0; i < 6; ++i)
        put(m, 4 + i * 2, 6, Palme);
    put(m, 5, 8, Steinbrocken);
    put(m, 6, 8, Treibholz);
    put(m, 7, 8, Treibholz);
    put(m, 8, 8, Treibholz);
    put(m, 9, 8, Steinbrocken);
    put(m, 10, 8, Steinbrocken);
    put(m, 11, 8, Steinbrocken);
    for (int i = 0; i < 4; ++i)
        put(m, 4 + i, 14, Farne);
    put(m, 45, 45, Farne); // out of reach
    m.apes = 8;
    Analysis a = Analyse(m);
    EXPECT_EQ(a.reachableItems[Farne], 4);
    EXPECT_EQ(a.reachableItems[Palme], 6);
    EXPECT_EQ(a.landCells - a.reachableCells, 121);
    EXPECT_TRUE(a.winnable) << (a.issues.empty() ? "" : a.issues.back().text);

    // Take away one palm: six planks can no longer be sawn.
    put(m, 4, 6, 0);
    EXPECT_FALSE(Analyse(m).winnable);
    put(m, 4, 6, Palme);
    // No apes, no fur: no water bag.
    m.apes = 0;
    EXPECT_TRUE(hasError(Analyse(m).issues, findings::kNoBag));
    m.apes = 8;
    // Without sand there is nowhere to build the raft.
    Fill(m, 2, 2, 20, 3, 4);
    EXPECT_TRUE(hasError(Analyse(m).issues, findings::kNoSand));
}

TEST(MapCheck, WarnsWhenTheApesLikelyYieldTooFewFurs) {
    // 1000 land cells; a kill leaves a fur in 11 of 41 blows, and each lizard
    // eats an ape about every 1000 / lizards castaway steps.
    MapData m = blankMap(64, 64);
    Fill(m, 10, 10, 49, 34, 4);
    // The critter bounds: what no map maker means, even where a bag lies about.
    struct Case {
        int apes, lizards, fursLying, bagsLying;
        bool warned;
        const TText* bound = nullptr;
    } cases[] = {
        {12, 1, 0, 0, true},   // twelve apes, one lizard: about one game in two
        {40, 0, 0, 0, false},  // plenty of apes and nobody eating them
        {40, 3, 0, 0, true},   // the same apes, but three lizards
        {22, 0, 1, 0, false},  // one fur lying about, one more from 22 apes
        {0, 2, 2, 0, false},   // both furs lying about
        {0, 2, 0, 1, false},   // the bag itself
        {0, 0, 1, 0, true},    // one fur and no ape for the second
        {10, 10, 0, 1, false}, // one lizard per 100 cells
        {40, 50, 0, 1, false, &findings::kLizardsBite},              // a bag, but a lizard each 20
        {0, 1000, 0, 1, false, &findings::kLizardsBite},             // a lizard on every cell
        {998, 3, 0, 0, false, &findings::kMoreCrittersThanLand},     // 1001 critters, 1000 cells
        {INT_MAX, 0, 0, 0, false, &findings::kMoreCrittersThanLand}, // no "too few apes"
    };
    for (const Case& c : cases) {
        MapData island = m;
        island.apes = c.apes;
        island.lizards = c.lizards;
        for (int i = 0; i < c.fursLying; ++i)
            put(island, 20 + i, 20, Affenfell);
        for (int i = 0; i < c.bagsLying; ++i)
            put(island, 20 + i, 22, Lederbeutel);
        Analysis a = Analyse(island);
        CheckFairness(island, a);
        bool warned = false;
        std::set<const TText*> bounds;
        for (const Issue& i : a.issues) {
            warned = warned || (!i.error && Shows(i.text, findings::kFewFurs));
            for (const TText* bound : {&findings::kLizardsBite, &findings::kMoreCrittersThanLand})
                if (!i.error && Shows(i.text, *bound)) bounds.insert(bound);
            if (c.bound) {
                EXPECT_FALSE(Shows(i.text, findings::kNoBag)) << i.text;
            }
        }
        const std::string what = std::to_string(c.apes) + " apes, " + std::to_string(c.lizards) +
                                 " lizards, " + std::to_string(c.fursLying) + " furs, " +
                                 std::to_string(c.bagsLying) + " bags";
        EXPECT_EQ(warned, c.warned) << what;
        EXPECT_EQ(bounds.count(c.bound), c.bound ? 1u : 0u) << what;
        if (!c.bound) {
            EXPECT_TRUE(bounds.empty()) << what;
        }
    }
    // On 300 land cells one lizard eats the apes long before two furs drop:
    // the advice is what helps there, not more apes.
    MapData small = blankMap(64, 64);
    Fill(small, 10, 10, 29, 24, 4);
    small.apes = 8;
    small.lizards = 1;
    Analysis a = Analyse(small);
    CheckFairness(small, a);
    const std::string atLeast = Tr(findings::kAtLeastApes);
    const std::string apes = atLeast.substr(0, atLeast.find('%'));
    std::string advice;
    for (const Issue& i : a.issues)
        if (Shows(i.text, findings::kFewFurs)) advice = i.text;
    EXPECT_TRUE(Shows(advice, findings::kLizardsEatApes)) << advice;
    EXPECT_NE(advice.find(std::string(Tr(findings::kNoLizards)) + Tr(findings::kFurAnd) + apes),
              std::string::npos)
        << advice;
    EXPECT_NE(advice.find(Tr(findings::kLayTwoFurs)), std::string::npos) << advice;
}

TEST(MapCheck, WaysToWaterAndFoodAreChargedByGround) {
    // One corridor on row 5: grass 5-8 (a bush on 5), rock 9-18, shallow water on 19.
    MapData m = blankMap(64, 64);
    Fill(m, 5, 5, 8, 5, 4);
    Fill(m, 9, 5, 18, 5, 3);
    Fill(m, 19, 5, 19, 5, 1);
    put(m, 5, 5, Beerenstrauch);
    Analysis a = Analyse(m);
    ASSERT_TRUE(a.hasStart);
    // From the bush: three grass steps, ten rock steps, then the water.
    EXPECT_EQ(a.worstThirstToWater, 3 * 1 + 10 * 3);
    // From the water back to the bush: ten rock steps and three grass steps.
    EXPECT_EQ(a.worstHungerToFood, 10 * 6 + 3 * 1);

    // Stretch the rock: now the way to water is too long to go and come back.
    Fill(m, 5, 6, 60, 6, 3);
    Fill(m, 5, 5, 5, 6, 4);
    bool warned = false;
    for (const Issue& i : Analyse(m).issues)
        warned = warned || (!i.error && Shows(i.text, findings::kFarWater));
    EXPECT_TRUE(warned);
}

TEST(MapCheck, RejectsLayerBytesThatAreNoItem) {
    MapData m = blankMap(64, 64);
    Fill(m, 2, 2, 30, 30, 4);
    put(m, 20, 20, 24);
    EXPECT_TRUE(hasError(Analyse(m).issues, findings::kBadLayerByte));
}

TEST(MapCheck, TooSmallMapIsAnError) {
    MapData m = blankMap(16, 12);
    Fill(m, 0, 0, 15, 11, 4);
    EXPECT_TRUE(hasError(Analyse(m).issues, findings::kTooSmall, "20 x 15"));
    // The same finding for a map maker who reads English.
    ASSERT_TRUE(UseCatalog(PALMUT_ASSET_DIR "/locale", "en"));
    const std::vector<Issue> english = Analyse(m).issues;
    UseCatalog(PALMUT_ASSET_DIR "/locale", "de");
    ASSERT_FALSE(english.empty());
    EXPECT_EQ(english.front().text, "map is 16 x 12, the view needs at least 20 x 15");
}

TEST(MapCheck, BadFilesGiveClearErrors) {
    const std::string dir = tempDir();
    const auto png = assettest::readFile(assettest::assetPath("map/map.png"));

    // missing layer file: the game would stop
    writeBytes(dir + "/nolayer.png", png);
    std::filesystem::remove(dir + "/nolayer.map");
    MapData m;
    std::vector<Issue> issues;
    EXPECT_FALSE(LoadMapFiles(dir + "/nolayer.png", m, issues));
    EXPECT_TRUE(hasError(issues, findings::kNoLayerFile));

    // short layer file
    writeBytes(dir + "/short.png", png);
    writeBytes(dir + "/short.map", std::vector<uint8_t>(100, 0));
    issues.clear();
    EXPECT_FALSE(LoadMapFiles(dir + "/short.png", m, issues));
    EXPECT_TRUE(hasError(issues, findings::kShortLayerFile, " 100 "));

    // not a picture at all
    writeBytes(dir + "/junk.png", {'n', 'o', 'p', 'e'});
    issues.clear();
    EXPECT_FALSE(LoadMapFiles(dir + "/junk.png", m, issues));
    EXPECT_TRUE(hasError(issues, findings::kImageUnreadable));

    // truncated picture
    writeBytes(dir + "/cut.png", std::vector<uint8_t>(png.data(), png.data() + png.size() / 2));
    issues.clear();
    EXPECT_FALSE(LoadMapFiles(dir + "/cut.png", m, issues));

    // missing critter file is an error, the map itself still loads
    writeBytes(dir + "/nocritter.png", png);
    writeBytes(dir + "/nocritter.map", std::vector<uint8_t>(64 * 64, 0));
    std::filesystem::remove(dir + "/nocritter.critter");
    issues.clear();
    EXPECT_TRUE(LoadMapFiles(dir + "/nocritter.png", m, issues));
    EXPECT_TRUE(hasError(issues, findings::kNoCritterFile));
}

TEST(MapCheck, HugeImageHeaderIsRefusedBeforeAllocating) {
    // A hostile header claiming 100000 x 100000 pixels must not make the checker
    // reserve tens of gigabytes.
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    auto chunk = [&](const char* type, std::vector<uint8_t> body) {
        uint32_t n = static_cast<uint32_t>(body.size());
        for (int s = 24; s >= 0; s -= 8)
            png.push_back(static_cast<uint8_t>(n >> s));
        std::vector<uint8_t> typed(type, type + 4);
        typed.insert(typed.end(), body.begin(), body.end());
        png.insert(png.end(), typed.begin(), typed.end());
        uint32_t crc =
            static_cast<uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size())));
        for (int s = 24; s >= 0; s -= 8)
            png.push_back(static_cast<uint8_t>(crc >> s));
    };
    chunk("IHDR", {0, 1, 0x86, 0xA0, 0, 1, 0x86, 0xA0, 8, 2, 0, 0, 0});
    chunk("IDAT", {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
    chunk("IEND", {});
    const std::string dir = tempDir();
    writeBytes(dir + "/huge.png", png);
    MapData m;
    std::vector<Issue> issues;
    EXPECT_FALSE(LoadMapFiles(dir + "/huge.png", m, issues));
    EXPECT_TRUE(hasError(issues, findings::kImageSize));
    EXPECT_TRUE(m.ground.empty());
}

TEST(MapCheck, ForeignColoursAreReported) {
    const std::string dir = tempDir();
    // Copy the default map, then paint one pixel off the sea colour by one step.
    auto decoded = assettest::decodePng(assettest::readFile(assettest::assetPath("map/map.png")));
    ASSERT_TRUE(decoded.ok);
    decoded.rgba[2] = 0xFE; // pixel (0,0): 0,148,254
    ASSERT_TRUE(media_internal::WritePng(dir + "/odd.png", decoded.width, decoded.height, 4,
                                         decoded.rgba.data()));
    writeBytes(dir + "/odd.map", std::vector<uint8_t>(64 * 64, 0));
    writeBytes(dir + "/odd.critter", {'1', '\n', '0', '\n'});
    MapData m;
    std::vector<Issue> issues;
    EXPECT_TRUE(LoadMapFiles(dir + "/odd.png", m, issues));
    EXPECT_TRUE(hasError(issues, findings::kForeignColours, Tr(findings::kForeignColours, {"1"})));
    EXPECT_TRUE(hasError(issues, findings::kFirstForeign, "(0, 0)"));
    EXPECT_EQ(m.GroundAt(0, 0), 0);
    EXPECT_EQ(m.apes, 1);
}

TEST(IslandShape, LandAgainstHullAndStraightCoastAreMeasuredExactly) {
    // A square and an L of land on open sea, then the shipped islands as the
    // shape script (tools/shapes/island_shapes.py) measures them.
    const auto drawn = [](int cut) {
        MapData m;
        m.width = m.height = 64;
        m.ground.assign(64 * 64, 0);
        m.items.assign(64 * 64, 0);
        for (int y = 10; y < 30; ++y)
            for (int x = 10; x < 30; ++x)
                if (x < 30 - cut || y < 30 - cut)
                    m.ground[static_cast<size_t>(y) * 64 + static_cast<size_t>(x)] = 4;
        return m;
    };
    const struct {
        const char* name;
        MapData map;
        double landToHull;
        int straightCoast;
    } cases[] = {
        {"square", drawn(0), 1.0, 20},
        {"L", drawn(10), 300.0 / 350.0, 20},
        {"map.png", load(assettest::assetPath("map/map.png")).map, 0.832, 7},
        {"bucht.png", load(assettest::assetPath("map/bucht.png")).map, 0.729, 11},
    };
    for (const auto& c : cases) {
        const mapgen::ShapeFigures f = mapgen::MeasureShape(c.map);
        EXPECT_NEAR(f.landToHull, c.landToHull, 0.0005) << c.name;
        EXPECT_EQ(f.straightCoast, c.straightCoast) << c.name;
    }
}
