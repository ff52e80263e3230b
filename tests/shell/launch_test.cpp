#include <ctime>
#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "island/mapgen.h"
#include "shell/arguments.h"
#include "shell/generated_island.h"
#include "shell/title.h"
#include "shell/user_files.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "world/map_files.h"

namespace fs = std::filesystem;

namespace {

struct Answer {
    LaunchRequest request;
    std::string out, err;
};

Answer Launch(const std::vector<std::string>& args, const std::string& workDir = "/") {
    std::ostringstream out, err;
    Answer a{ParseArguments(args, workDir, out, err), "", ""};
    a.out = out.str();
    a.err = err.str();
    return a;
}

} // namespace

TEST(Arguments, AnswerOrRefuseWithTheRightStatus) {
    TempDir dir;
    dir.Write("Insel.map", "x");
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out, err;
    } cases[] = {
        {{}, -1, "", ""},
        {{"--version"}, 0, "palmut " PALMUT_VERSION "\n", ""},
        {{"--help"},
         0,
         "Usage: palmut [--map FILE | --seed N [--size WxH] | --daily] [--play]",
         ""},
        {{"--fullscreen"}, 2, "", "palmut: unknown argument '--fullscreen'"},
        {{"Insel.map"}, 2, "", "unknown argument 'Insel.map'"},
        {{"--map"}, 2, "", "--map needs a .map file"},
        {{"--map="}, 2, "", "--map needs a .map file"},
        {{"--map", "fehlt.map"}, 2, "", "cannot read the map file '" + dir.path() + "/fehlt.map'"},
        {{"--map", dir.path()}, 2, "", "cannot read the map file"},
        {{"--map", "Insel.map", "--map", "Insel.map"}, 2, "", "--map given twice"},
        {{"--map", "Insel.map", "--bogus"}, 2, "", "unknown argument '--bogus'"},
        {{"--play"}, 2, "", "--play needs --map FILE"},
        {{"--play", "--map", "Insel.map"}, -1, "", ""},
        {{"--lang", "en"}, -1, "", ""},
        {{"--lang=de_AT.UTF-8"}, -1, "", ""},
        {{"--lang", "xx"}, 2, "", "unknown language 'xx'"},
        {{"--lang="}, 2, "", "unknown language ''"},
        {{"--lang"}, 2, "", "--lang needs a code"},
        {{"--seed", "42", "--play"}, -1, "", ""},
        {{"--seed=18446744073709551615", "--size=512X64"}, -1, "", ""},
        {{"--seed", "18446744073709551616"}, 2, "", "bad seed '18446744073709551616'"},
        {{"--seed", "-1"}, 2, "", "bad seed '-1'"},
        {{"--seed", "3-42"}, 2, "", "bad seed '3-42'"},
        {{"--seed"}, 2, "", "--seed needs a number"},
        {{"--seed", "1", "--seed=2"}, 2, "", "--seed given twice"},
        {{"--seed", "7", "--size", "64x63"}, 2, "", "bad size '64x63'"},
        {{"--seed", "7", "--size", "64"}, 2, "", "bad size '64'"},
        {{"--size", "64x64"}, 2, "", "--size needs --seed or --daily"},
        {{"--seed", "1", "--map", "Insel.map"}, 2, "", "exclude each other"},
        {{"--daily", "--play"}, -1, "", ""},
        {{"--daily", "--seed", "1"}, 2, "", "exclude each other"},
        {{"--record", "spiel.palmutreplay"}, -1, "", ""},
        {{"--replay=spiel.palmutreplay", "--headless"}, -1, "", ""},
        {{"--timedemo", "spiel.palmutreplay"}, -1, "", ""},
        {{"--replay"}, 2, "", "--replay needs a file"},
        {{"--timedemo="}, 2, "", "--timedemo needs a file"},
        {{"--headless"}, 2, "", "--headless needs --replay FILE"},
        {{"--timedemo", "a", "--headless"}, 2, "", "--headless needs --replay FILE"},
        {{"--replay", "a", "--timedemo", "b"}, 2, "", "one replay at a time"},
        {{"--replay", "a", "--map", "Insel.map"}, 2, "", "brings its own island"},
        {{"--replay", "a", "--seed", "2-42"}, 2, "", "brings its own island"},
    };
    for (const auto& c : cases) {
        const Answer a = Launch(c.args, dir.path());
        SCOPED_TRACE(testing::PrintToString(c.args));
        EXPECT_EQ(a.request.exitStatus, c.status);
        EXPECT_EQ(a.out.rfind(c.out, 0), 0u) << a.out;
        EXPECT_NE(a.err.find(c.err), std::string::npos) << a.err;
        if (c.status == 2) {
            EXPECT_NE(a.err.find("palmut --help"), std::string::npos);
        } else {
            EXPECT_EQ(a.err, "");
        }
    }
    EXPECT_TRUE(Launch({"--map", "Insel.map", "--play"}, dir.path()).request.play);
    EXPECT_FALSE(Launch({"--map", "Insel.map"}, dir.path()).request.play);
    EXPECT_EQ(Launch({"--lang", "en"}).request.language, "en");
    EXPECT_EQ(Launch({"--lang=de_AT.UTF-8"}).request.language, "de");
    // The seed and size name the island the menu's new island would grow.
    // A plain seed keeps naming the classic island it always named.
    EXPECT_EQ(Launch({"--size=96x80", "--seed", "42"}).request.island,
              GeneratedIslandName(42, mapgen::kClassicVersion, 96, 80));
    EXPECT_EQ(
        Launch({"--seed", "2-42"}).request.island,
        GeneratedIslandName(42, mapgen::kNaturalVersion, mapgen::kGameSide, mapgen::kGameSide));
    // The island of the day is named by the UTC date, which the player reads.
    const auto today = [] {
        const std::time_t now = std::time(nullptr);
        char date[16];
        std::strftime(date, sizeof date, "%Y-%m-%d", std::gmtime(&now));
        return std::string(date);
    };
    const std::string before = today();
    const std::string caption = IslandCaption(Launch({"--daily"}).request.island);
    EXPECT_TRUE(caption.find(before) != std::string::npos ||
                caption.find(today()) != std::string::npos)
        << caption;
    const LaunchRequest timed = Launch({"--timedemo", "a.palmutreplay"}, dir.path()).request;
    EXPECT_EQ(timed.replay, dir.path() + "/a.palmutreplay");
    EXPECT_TRUE(timed.timedemo);
}

TEST(Arguments, MapIsTakenFromTheStartingFolderLikeTheMenusChoice) {
    TempDir dir;
    const std::string file = dir.Write("Inseln/Bucht.MAP", "x");
    for (const auto& args : {std::vector<std::string>{"--map", "Inseln/Bucht.MAP"},
                             std::vector<std::string>{"--map=" + file}}) {
        const Answer a = Launch(args, dir.path());
        EXPECT_EQ(a.request.exitStatus, -1) << a.err;
        EXPECT_EQ(fs::path(a.request.map), fs::path(file));
    }
    // The game then loads it as the menu would a file chosen in the dialog.
    EXPECT_EQ(MapImageFileName(Launch({"--map", file}).request.map), MapImageFileName(file));
}

TEST(UserFiles, PlayersOwnSettingsComeFirst) {
    TempDir dir;
    ScopedEnv env;
    env.Set("XDG_CONFIG_HOME", dir.path() + "/cfg").Set("HOME", dir.path() + "/home");
    EXPECT_EQ(SettingsFile("game.cfg", "data/game.cfg"), "data/game.cfg");
    const std::string own = dir.Write("cfg/palmut/game.cfg", "true\ntrue\n");
    EXPECT_EQ(SettingsFile("game.cfg", "data/game.cfg"), own);
    EXPECT_EQ(SettingsFile("stream.cfg", "Data/stream.cfg"), "Data/stream.cfg");
    // A folder in the file's place cannot be read: the game's copy stands.
    fs::create_directories(dir.path() + "/cfg/palmut/stream.cfg");
    EXPECT_EQ(SettingsFile("stream.cfg", "Data/stream.cfg"), "Data/stream.cfg");

    // Without the variable, or with a relative one, ~/.config is used.
    const std::string atHome = dir.Write("home/.config/palmut/game.cfg", "x");
    using Value = std::optional<std::string>;
    for (const Value& value : {Value(), Value("rel/cfg")}) {
        env.Set("XDG_CONFIG_HOME", value);
        EXPECT_EQ(SettingsFile("game.cfg", "data/game.cfg"), atHome);
    }
    env.Set("HOME", std::nullopt);
    EXPECT_EQ(SettingsFile("game.cfg", "data/game.cfg"), "data/game.cfg");
}

TEST(UserFiles, MapDialogStartsInTheOwnFolderOnceItHoldsAMap) {
    TempDir dir;
    ScopedEnv env;
    env.Set("XDG_DATA_HOME", dir.path());
    const std::string own = dir.path() + "/palmut/maps";
    EXPECT_EQ(UserMapsFolder(), own);
    EXPECT_FALSE(fs::exists(own)); // nothing is made before the dialog is opened
    EXPECT_EQ(MapDialogFolder(), "map/");
    EXPECT_TRUE(fs::is_directory(own));
    dir.Write("palmut/maps/notiz.txt", "x");
    fs::create_directories(own + "/ordner.map");
    EXPECT_EQ(MapDialogFolder(), "map/");
    dir.Write("palmut/maps/Lagune.MAP", "x");
    EXPECT_EQ(MapDialogFolder(), own + "/");
}
