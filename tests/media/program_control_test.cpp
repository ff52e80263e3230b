#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "media/program.h"
#include "media/system/asset_tree.h"
#include "media/system/sdl_context.h"
#include "media/test_seams.h"
#include "support/temp_dir.h"

namespace {

TEST(ProgramDeath, FatalErrorWritesTextWithoutLineEndAndExits255) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(FatalError("Kaputt: map/x.map"), testing::ExitedWithCode(255),
                "^Kaputt: map/x.map$");
    EXPECT_EXIT(EndProgram(), testing::ExitedWithCode(0), "^$");
}

TEST(Program, ThrowOnExitTurnsEndsIntoExceptions) {
    ThrowOnProgramExit(true);
    EXPECT_THROW(
        {
            try {
                FatalError("x");
            } catch (const ProgramExit& e) {
                EXPECT_EQ(e.status, -1);
                EXPECT_EQ(e.message, "x");
                throw;
            }
        },
        ProgramExit);
    try {
        EndProgram();
    } catch (const ProgramExit& e) {
        EXPECT_EQ(e.status, 0);
    }
    ThrowOnProgramExit(false);
}

TEST(Program, DebugLogReachesOnlyAnAttachedSink) {
    DebugLog("nobody hears this");
    std::vector<std::string> lines;
    SetDebugSink([&](const std::string& l) { lines.push_back(l); });
    DebugLog("eins");
    DebugLog("zwei");
    SetDebugSink(nullptr);
    DebugLog("drei");
    EXPECT_EQ(lines, (std::vector<std::string>{"eins", "zwei"}));
}

TEST(Program, ExecutableDirHoldsThisTestProgram) {
    std::string dir = media_internal::ExecutableDir();
    EXPECT_TRUE(std::filesystem::exists(dir + "/media_tests")) << dir;
}

TEST(Program, AssetTreeFromWorkingDirectoryOrNone) {
    TempDir dir;
    dir.Write("Data/Game.cfg", "false\nfalse\n");
    {
        ScopedWorkingDir cwd(dir.path());
        EXPECT_TRUE(EnterAssetTree("data/game.cfg"));
        EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(dir.path()));
        EXPECT_FALSE(EnterAssetTree("no/such/marker-9f3a.cfg"));
        EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(dir.path()));
    }
}

TEST(Program, AssetTreeSearchOrder) {
    TempDir root;
    // Every place that may hold the tree, as a folder of its own.
    media_internal::AssetTreePlaces installed{
        root.path() + "/usr/games",  "../share/games/palmut",   root.path() + "/build",
        root.path() + "/src/assets", root.path() + "/etc-data", root.path() + "/cwd"};
    media_internal::AssetTreePlaces built = installed;
    built.exeDir = root.path() + "/build/tests";
    const std::string beside = installed.exeDir + "/" + installed.installedRel;
    const struct {
        const char* what;
        std::vector<std::string> holding; // places holding the marker
        std::string forInstalled, forBuilt;
    } cases[] = {
        {"beside the program wins",
         {beside, installed.dataDir, installed.workDir},
         beside,
         installed.workDir},
        {"configured folder before a stray one",
         {installed.dataDir, installed.workDir},
         installed.dataDir,
         installed.workDir},
        {"a build keeps to its own files",
         {installed.dataDir, installed.buildAssets},
         installed.dataDir,
         installed.buildAssets},
        {"working directory as a last resort",
         {installed.workDir},
         installed.workDir,
         installed.workDir},
        {"none", {}, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(root.path());
        for (const std::string& dir : c.holding)
            root.Write(dir.substr(root.path().size() + 1) + "/Gfx/Title.png", "x");
        EXPECT_EQ(media_internal::FindAssetTree(installed, "gfx/title.png"), c.forInstalled);
        EXPECT_EQ(media_internal::FindAssetTree(built, "gfx/title.png"), c.forBuilt);
    }
    // A folder merely named like the build tree is not inside it.
    installed.exeDir = root.path() + "/build2";
    root.Write("src/assets/gfx/title.png", "x");
    EXPECT_EQ(media_internal::FindAssetTree(installed, "gfx/title.png"), "");
}

} // namespace
