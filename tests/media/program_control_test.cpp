#include "media/program.h"
#include "media/system/sdl_context.h"
#include "media/test_seams.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

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

} // namespace
