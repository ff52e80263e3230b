// The island editor driven by injected input: editing with undo, saving that
// the game and the checker read back, shipped islands kept byte for byte,
// hostile files refused, play-testing.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/assets.h"
#include "editor_texts.h"
#include "findings_texts.h"
#include "map_files.h"
#include "mapgen.h"
#include "media/gfx/png_writer.h"
#include "problem_rows.h"
#include "support/editor_driver.h"
#include "support/frames_dir.h"
#include "support/shown_text.h"
#include "support/temp_dir.h"
#include "support/world_fixture.h"

namespace fs = std::filesystem;

namespace {

// A cell's side in window pixels in the editor's 1x view.
constexpr int TILE = TKarte::TILE_SIZE;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

long Count(const std::vector<uint8_t>& cells, int value) {
    return std::count(cells.begin(), cells.end(), value);
}

// A map picture of one ground colour (sand).
void WriteSandPicture(const std::string& path, int w, int h) {
    std::vector<uint8_t> rgb;
    for (int i = 0; i < w * h; ++i)
        rgb.insert(rgb.end(), {255, 216, 0});
    ASSERT_TRUE(WritePng(path, w, h, 3, rgb.data()));
}

class EditorTest : public WorldFixture {
  protected:
    void SetUp() override {
        WorldFixture::SetUp();
        ASSERT_TRUE(OpenGraphics(editor::kWindowW, editor::kWindowH, 0, 60, 0));
        // The island's pictures, from the shipped asset tree as the editor loads them.
        std::filesystem::current_path(PALMUT_ASSET_DIR);
        SetCentredHandles(1);
        LoadPlayAssets();
        SetBlend(BLEND_ALPHA);
        ASSERT_FALSE(tmp_.path().empty());
        Start({});
    }

    void Start(editor::EditorOptions options) {
        ed_.reset();
        ed_ = std::make_unique<editor::Editor>(std::move(options));
        drive_ = std::make_unique<EditorDriver>(*ed_);
    }

    // The island at 1x, 2x and in the overview, as opened and after edits that
    // fill the problem list (no apes, a palm on the sea, the first problem
    // selected), kept in the build tree for a look by eye; the edits are undone.
    void Snapshots(const std::string& name) {
        const fs::path dir = FramesDir("editor-frames");
        const auto shoot = [&](const std::string& file) {
            SetFrameHook([path = (dir / (file + ".png")).string()] { CaptureFrame(path); });
            drive_->Frame();
            SetFrameHook(nullptr);
        };
        drive_->Key('K'); // where no critter ever starts
        shoot(name + "_opened");
        drive_->Key('K');
        const int apes = ed_->Doc().Apes();
        for (int i = 0; i < apes; ++i)
            drive_->Key(KEY_A, {KEY_LSHIFT});
        drive_->Key('I');
        drive_->ApplyAt(2, 2);
        ed_->SettleCheck();
        drive_->Key(KEY_TAB);
        for (const char* zoom : {"1x", "2x", "overview"}) {
            shoot(name + "_" + zoom);
            drive_->Key('Z');
        }
        for (int i = 0; i <= apes; ++i)
            drive_->Ctrl('Z');
        ASSERT_FALSE(ed_->Doc().Modified());
    }

    std::vector<uint8_t> Ground() const { return ed_->Doc().Data().ground; }
    std::vector<uint8_t> Items() const { return ed_->Doc().Data().items; }

    TempDir tmp_;
    std::unique_ptr<editor::Editor> ed_;
    std::unique_ptr<EditorDriver> drive_;
};

TEST_F(EditorTest, EveryEditIsUndoneAndRedoneInOrder) {
    EditorDriver& d = *drive_;
    d.NewMap(30, 20);
    EXPECT_EQ(Count(Ground(), TKarte::SEA), 600) << "a new map is all sea";

    struct State {
        std::vector<uint8_t> ground, items;
        int apes;
    };
    std::vector<State> states{{Ground(), Items(), 0}};
    auto keep = [&] { states.push_back({Ground(), Items(), ed_->Doc().Apes()}); };

    d.Key('5'); // grass
    d.Key(KEY_F);
    d.ApplyAt(3, 3);
    EXPECT_EQ(Count(Ground(), TKarte::GRASS), 600) << "the fill covers the sea";
    keep();

    d.Key('3'); // sand, brush 3, one click on cell (5, 5)
    d.Key('G');
    d.Key('B');
    d.Click(5 * TILE, 5 * TILE);
    EXPECT_EQ(Count(Ground(), TKarte::SAND), 9);
    EXPECT_EQ(ed_->Doc().Ground(4, 4), TKarte::SAND);
    EXPECT_EQ(ed_->Doc().Ground(6, 6), TKarte::SAND);
    EXPECT_EQ(ed_->Doc().Ground(7, 7), TKarte::GRASS);
    keep();

    d.Drag({{12 * TILE, 10 * TILE}, {13 * TILE, 10 * TILE}, {14 * TILE, 10 * TILE}}); // one stroke
    EXPECT_EQ(Count(Ground(), TKarte::SAND), 9 + 15);
    keep();

    d.Key(KEY_PAGEUP); // the item choice goes round, both ways
    EXPECT_EQ(ed_->CurrentItem(), TObjekt::COUNT);
    d.Key(KEY_PAGEDOWN);
    EXPECT_EQ(ed_->CurrentItem(), 1);
    for (int i = 0; i < 5; ++i)
        d.Key(KEY_PAGEDOWN); // item 1 -> 6 (Kokosnuss)
    d.ApplyAt(8, 8);
    EXPECT_EQ(ed_->Doc().Item(8, 8), TObjekt::KOKOSNUSS);
    keep();

    d.Click(8 * TILE, 8 * TILE, MOUSE_RIGHT); // picks the coconut up as the item to place
    d.Key('E');
    d.Key('B'); // brush 5
    d.Key('B'); // brush 1
    d.ApplyAt(8, 8);
    EXPECT_EQ(ed_->Doc().Item(8, 8), 0);
    EXPECT_EQ(ed_->Doc().Ground(8, 8), TKarte::GRASS) << "the eraser leaves the ground";
    keep();

    d.Key(KEY_A);
    d.Key(KEY_A);
    EXPECT_EQ(ed_->Doc().Apes(), 2);
    keep();
    EXPECT_TRUE(ed_->Doc().Modified());

    for (size_t i = states.size() - 1; i > 0; --i) {
        if (i == states.size() - 1) d.Ctrl('Z'); // the two apes are two steps
        d.Ctrl('Z');
        EXPECT_EQ(Ground(), states[i - 1].ground) << "after undoing step " << i;
        EXPECT_EQ(Items(), states[i - 1].items) << "after undoing step " << i;
        EXPECT_EQ(ed_->Doc().Apes(), states[i - 1].apes) << "after undoing step " << i;
    }
    EXPECT_FALSE(ed_->Doc().CanUndo());
    for (size_t i = 1; i < states.size(); ++i) {
        d.Ctrl('Y');
        if (i == states.size() - 1) d.Key('Z', {KEY_LCONTROL, KEY_LSHIFT});
        EXPECT_EQ(Ground(), states[i].ground) << "after redoing step " << i;
        EXPECT_EQ(Items(), states[i].items) << "after redoing step " << i;
        EXPECT_EQ(ed_->Doc().Apes(), states[i].apes) << "after redoing step " << i;
    }
    EXPECT_FALSE(ed_->Doc().CanRedo());
}

TEST_F(EditorTest, SavedIslandLoadsInTheGameAndTheCheckerAgreesWithTheLiveList) {
    EditorDriver& d = *drive_;
    d.NewMap(40, 30);
    d.Key('5');
    d.Key(KEY_F);
    d.ApplyAt(2, 2);
    d.Key('1'); // sea brush, held down column 30: a channel cuts the east off
    d.Key('G');
    d.GoTo(30, 0);
    InjectKeyDown(KEY_SPACE);
    d.Frame();
    for (int y = 0; y < 30; ++y)
        InjectKeyPress(KEY_DOWN);
    d.Frame();
    InjectKeyUp(KEY_SPACE);
    d.Frame();
    EXPECT_EQ(ed_->Doc().Ground(30, 29), TKarte::SEA);
    d.Key('I'); // a palm on the sea
    d.ApplyAt(30, 29);
    d.Key(KEY_A);
    d.Key(KEY_W);
    d.Key(KEY_W);
    d.Key('M'); // the maker expects the start elsewhere than the game puts it
    d.ApplyAt(5, 5);
    const std::string path = tmp_.path() + "/insel.png";
    d.SaveAs(path);
    ASSERT_EQ(ed_->Message(), "Gespeichert: " + path);
    EXPECT_FALSE(ed_->Doc().Modified());

    const TKarte game = TKarte::loadPNG(path);
    ASSERT_EQ(game.sizex, 40);
    ASSERT_EQ(game.sizey, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            ASSERT_EQ(game.data(x, y, 0), ed_->Doc().Ground(x, y)) << x << "," << y;
            ASSERT_EQ(game.data(x, y, 1), ed_->Doc().Item(x, y)) << x << "," << y;
        }

    mapcheck::MapData read;
    std::vector<mapcheck::Issue> loadIssues;
    ASSERT_TRUE(mapcheck::LoadMapFiles(path, read, loadIssues))
        << (loadIssues.empty() ? "" : loadIssues.back().text);
    EXPECT_TRUE(loadIssues.empty());
    EXPECT_EQ(read.apes, 1);
    EXPECT_EQ(read.lizards, 2);
    const mapcheck::Analysis checker = editor::AnalyseLikeTheChecker(read);
    ed_->SettleCheck();
    std::vector<std::string> live, offline;
    for (const auto& i : ed_->LastCheck().analysis.issues)
        live.push_back(i.text);
    for (const auto& i : checker.issues)
        offline.push_back(i.text);
    EXPECT_EQ(live, offline);
    EXPECT_EQ(ed_->LastCheck().analysis.reachableCells, checker.reachableCells);

    // The list names the palm on the sea and the cut-off land; Tab jumps there.
    const auto& problems = ed_->Problems();
    const auto at = [&](const std::string& what) {
        for (size_t i = 0; i < problems.size(); ++i)
            if (problems[i].text.find(what) != std::string::npos) return static_cast<int>(i);
        return -1;
    };
    const auto from = [&](const TText& finding) {
        for (size_t i = 0; i < problems.size(); ++i)
            if (Shows(problems[i].text, finding)) return static_cast<int>(i);
        return -1;
    };
    ASSERT_GE(from(findings::kItemsOnSea), 0);
    ASSERT_GE(from(findings::kUnreachable), 0);
    ASSERT_GE(at("Markierung (5, 5), sondern (0, 0)"), 0);
    for (int wanted :
         {from(findings::kItemsOnSea), from(findings::kUnreachable), at("Markierung")}) {
        while (ed_->SelectedProblem() != wanted)
            d.Key(KEY_TAB);
        EXPECT_EQ(ed_->CursorX(), problems[wanted].x);
        EXPECT_EQ(ed_->CursorY(), problems[wanted].y);
    }
    EXPECT_EQ(problems[from(findings::kItemsOnSea)].x, 30);
    EXPECT_EQ(problems[from(findings::kItemsOnSea)].y, 29);
    EXPECT_EQ(problems[from(findings::kUnreachable)].x, 31);
    EXPECT_EQ(problems[from(findings::kUnreachable)].y, 0);
}

TEST_F(EditorTest, ShippedIslandsComeBackByteForByte) {
    for (const std::string name : {"map", "bucht"}) {
        SCOPED_TRACE(name);
        // Mixed letter case: the editor finds the files as the game does.
        const std::string dir = tmp_.path() + "/" + name;
        fs::create_directories(dir);
        const std::string src = std::string(PALMUT_ASSET_DIR) + "/map/" + name;
        fs::copy_file(src + ".png", dir + "/Insel.PNG");
        fs::copy_file(src + ".map", dir + "/insel.map");
        fs::copy_file(src + ".critter", dir + "/INSEL.critter");
        ASSERT_TRUE(ed_->Open(dir + "/insel.map")) << ed_->Message();
        ed_->SettleCheck();
        EXPECT_TRUE(ed_->LastCheck().analysis.winnable);
        Snapshots(name);
        drive_->Key(KEY_A); // changed and changed back: saving still writes
        drive_->Key(KEY_A, {KEY_LSHIFT});
        drive_->Ctrl(KEY_S);
        ASSERT_FALSE(ed_->Prompting()) << "the files it opened are saved without asking";
        EXPECT_EQ(ReadAll(dir + "/Insel.PNG"), ReadAll(src + ".png"));
        EXPECT_EQ(ReadAll(dir + "/insel.map"), ReadAll(src + ".map"));
        EXPECT_EQ(ReadAll(dir + "/INSEL.critter"), ReadAll(src + ".critter"));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3)
            << "no temporary or second-spelling files left";
    }
}

TEST_F(EditorTest, HostileFilesAreRefusedWithAMessage) {
    const std::string dir = tmp_.path();
    const struct {
        const char* what;
        std::function<std::string()> make; // returns the path to open
        const TText& message;
        const char* detail; // also in the message
    } cases[] = {
        {"short layer file",
         [&] {
             WriteSandPicture(dir + "/a.png", 30, 20);
             tmp_.Write("a.map", std::string(10, '\0'));
             return dir + "/a.png";
         },
         findings::kShortLayerFile, " 10 "},
        {"no layer file",
         [&] {
             WriteSandPicture(dir + "/b.png", 30, 20);
             return dir + "/b.png";
         },
         findings::kNoLayerFile, ""},
        {"picture that is no PNG", [&] { return tmp_.Write("c.png", "GIF89a and then some"); },
         findings::kImageUnreadable, ""},
        {"picture wider than 4096",
         [&] {
             WriteSandPicture(dir + "/d.png", 4097, 15);
             return dir + "/d.png";
         },
         findings::kImageSize, "4097"},
        {"layer file that is a pipe",
         [&] {
             WriteSandPicture(dir + "/e.png", 30, 20);
             ::mkfifo((dir + "/e.map").c_str(), 0600);
             return dir + "/e.png";
         },
         editor_texts::kNotRegular, ""},
        {"neither picture nor layer file", [&] { return tmp_.Write("f.txt", "x"); },
         editor_texts::kPickMapFile, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = c.make();
        EXPECT_FALSE(ed_->Open(path));
        EXPECT_TRUE(Shows(ed_->Message(), c.message)) << ed_->Message();
        EXPECT_NE(ed_->Message().find(c.detail), std::string::npos) << ed_->Message();
        EXPECT_EQ(ed_->Doc().Width(), 64) << "the map in the editor stays";
        drive_->Frame();
    }
}

TEST_F(EditorTest, SaveAsStartsInThePlayersMapsFolderAndAsksBeforeReplacingFiles) {
    ASSERT_EQ(setenv("XDG_DATA_HOME", tmp_.path().c_str(), 1), 0);
    drive_->Key(KEY_S, {KEY_LCONTROL, KEY_LSHIFT});
    ASSERT_TRUE(ed_->Prompting());
    drive_->Answer("", false); // the offered name as it stands
    const std::string offered = tmp_.path() + "/palmut/maps/insel.png";
    EXPECT_EQ(ed_->Message(), "Gespeichert: " + offered);
    unsetenv("XDG_DATA_HOME");

    const std::string foreign = tmp_.Write("other.map", "not ours");
    drive_->SaveAs(tmp_.path() + "/other.png");
    ASSERT_TRUE(ed_->Prompting()) << "a file the editor did not open";
    InjectText("n");
    drive_->Frame();
    EXPECT_FALSE(ed_->Prompting());
    EXPECT_EQ(ReadAll(foreign), "not ours");
    EXPECT_FALSE(fs::exists(tmp_.path() + "/other.png")) << "nothing written when refused";

    drive_->SaveAs(tmp_.path() + "/other.png");
    InjectText("j");
    drive_->Frame();
    EXPECT_EQ(ReadAll(foreign).size(), 64u * 64u);
    EXPECT_EQ(ReadAll(tmp_.path() + "/other.critter"), "0\n0\n");
}

TEST_F(EditorTest, PlayTestRunsTheGameOnTheMapAndComesBack) {
    const std::string log = tmp_.path() + "/args";
    const std::string go = tmp_.path() + "/go";
    // Records its arguments, compares the map with the saved one, then runs
    // until the test lets it end.
    const std::string game =
        tmp_.Write("palmut", "#!/bin/sh\necho \"$1 $2\" > '" + log + "'\ncmp -s \"$2\" '" +
                                 tmp_.path() + "/saved.png' && echo same >> '" + log +
                                 "'\nwhile [ ! -e '" + go + "' ]; do sleep 0.01; done\nexit 3\n");
    fs::permissions(game, fs::perms::owner_all);
    Start({game, tmp_.path()});
    drive_->Key('4');
    drive_->ApplyAt(5, 5);
    std::string error;
    ASSERT_TRUE(editor::SaveMap(
        ed_->Doc(),
        {tmp_.path() + "/saved.png", tmp_.path() + "/saved.map", tmp_.path() + "/saved.critter"},
        error))
        << error;
    drive_->Key(KEY_F5);
    for (int i = 0; i < 10; ++i)
        drive_->Frame();
    EXPECT_TRUE(ed_->PlayTesting()) << ed_->Message();
    tmp_.Write("go", "");
    for (int i = 0; i < 2000 && ed_->PlayTesting(); ++i) {
        drive_->Frame();
        usleep(1000);
    }
    ASSERT_FALSE(ed_->PlayTesting());
    EXPECT_EQ(ed_->Message(), "Spiel beendet (Status 3).");
    const std::string args = ReadAll(log);
    ASSERT_EQ(args.rfind("--map /", 0), 0u) << args;
    EXPECT_NE(args.find(".png\nsame"), std::string::npos) << "the game got the map as it is now";
    const std::string played = args.substr(6, args.find('\n') - 6);
    EXPECT_FALSE(fs::exists(fs::path(played).parent_path())) << "the test copy is cleaned up";
}

} // namespace

TEST(EditorProblemRows, ALongFindingWrapsWholeAndTheSelectedOneStaysInView) {
    const std::string longText(150, 'x');
    const std::vector<editor::Problem> problems = {
        {true, "short", -1, -1},
        {false, "land cells cannot be reached from the start (first at (18, 12)); " + longText, 18,
         12},
        {true, "last", -1, -1}};
    // Nothing selected: the list from its top, the long finding over three rows.
    std::vector<editor::ProblemRow> rows = editor::VisibleProblemRows(problems, -1, 5, 78);
    ASSERT_EQ(rows.size(), 5u);
    std::string joined;
    for (const auto& row : rows) {
        EXPECT_LE(row.text.size(), 78u) << row.text;
        if (row.problem == 1) joined += row.text;
    }
    EXPECT_NE(joined.find("(18, 12)); "), std::string::npos) << joined;
    EXPECT_NE(joined.find(longText.substr(0, 70)), std::string::npos) << joined;
    EXPECT_EQ(rows.back().problem, 2);
    // Two rows of room: the selected last finding is the bottom row.
    rows = editor::VisibleProblemRows(problems, 2, 2, 78);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.back().text, "FEHLER: last");
}

TEST_F(EditorTest, NewIslandFromASeedIsTheGeneratorsIslandAndABadSeedChangesNothing) {
    drive_->Key(KEY_N, {KEY_LCONTROL, KEY_LSHIFT});
    ASSERT_TRUE(ed_->Prompting());
    drive_->Answer("12ab 64x64");
    EXPECT_TRUE(Shows(ed_->Message(), editor_texts::kBadSeed)) << ed_->Message();
    EXPECT_EQ(ed_->Doc().Width(), 64);
    EXPECT_EQ(Count(ed_->Doc().Data().ground, TKarte::SEA), 64 * 64) << "still the empty sea";

    drive_->Key(KEY_N, {KEY_LCONTROL, KEY_LSHIFT});
    drive_->Answer("4711 96x80");
    mapgen::Generated island;
    ASSERT_TRUE(mapgen::Generate(4711, 96, 80, island));
    EXPECT_TRUE(Shows(ed_->Message(), editor_texts::kIslandGrown)) << ed_->Message();
    EXPECT_EQ(ed_->Doc().Width(), 96);
    EXPECT_EQ(ed_->Doc().Height(), 80);
    EXPECT_EQ(ed_->Doc().Data().ground, island.map.ground);
    EXPECT_EQ(ed_->Doc().Data().items, island.map.items);
    EXPECT_EQ(ed_->Doc().Apes(), island.map.apes);
    EXPECT_EQ(ed_->Doc().Lizards(), island.map.lizards);
    int sx = -1, sy = -1;
    ASSERT_TRUE(mapcheck::FindStart(island.map, sx, sy));
    EXPECT_EQ(ed_->CursorX(), sx) << "the cursor waits on the landing place";
    EXPECT_EQ(ed_->CursorY(), sy);
}
