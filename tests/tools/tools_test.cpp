// The two command-line tools as a developer and a map maker run them.
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>
#include <sys/wait.h>

#include "support/asset_files.h"

namespace fs = std::filesystem;

namespace {

std::string tool(const std::string& dir, const std::string& name) {
    return std::string(PALMUT_BINARY_DIR) + "/tools/" + dir + "/" + name;
}

// Runs a command line; returns its exit status (-1 when it did not exit normally).
int run(const std::string& command) {
    int status = std::system((command + " > /dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(Tools, GeneratorRecreatesTheCommittedTree) {
    const fs::path out = fs::path(PALMUT_BINARY_DIR) / "assetgen_tool_test";
    fs::remove_all(out);
    ASSERT_EQ(run(tool("assetgen", "palmut_assetgen") + " " + out.string()), 0);
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(out)) {
        if (!entry.is_regular_file() || entry.path().extension() == ".ogg") continue;
        const fs::path rel = fs::relative(entry.path(), out);
        EXPECT_EQ(assettest::readFile(entry.path().string()),
                  assettest::readFile(assettest::assetPath(rel.string())))
            << rel;
        ++files;
    }
    EXPECT_GE(files, 40);
    EXPECT_EQ(run(tool("assetgen", "palmut_assetgen")), 2) << "usage error without a folder";
}

TEST(Tools, MapCheckerExitStatusTellsPlayableFromBroken) {
    const std::string check = tool("mapcheck", "palmut_mapcheck");
    EXPECT_EQ(run(check + " " + assettest::assetPath("map/map.png") + " " +
                  assettest::assetPath("map/bucht.png")),
              0);
    EXPECT_EQ(run(check + " /nonexistent/island.png"), 1);
    EXPECT_EQ(run(check), 2);
    // Asked as the game is asked; a layer file names its picture, as in the game.
    const struct {
        std::string args;
        int status;
    } asked[] = {
        {"--help | grep -q '^Usage: palmut-mapcheck'", 0},
        {"-h | grep -q '^Usage: palmut-mapcheck'", 0},
        {"--version | grep -q '^palmut-mapcheck [0-9]'", 0},
        {"--bogus " + assettest::assetPath("map/map.png"), 2},
        {"--lang xx " + assettest::assetPath("map/map.png"), 2},
        {assettest::assetPath("map/bucht.map"), 0},
    };
    for (const auto& a : asked)
        EXPECT_EQ(run(check + " " + a.args), a.status) << a.args;

    const fs::path preview = fs::path(PALMUT_BINARY_DIR) / "mapcheck_tool_preview.png";
    fs::remove(preview);
    EXPECT_EQ(run(check + " --preview " + preview.string() + " --gfx " +
                  assettest::assetPath("gfx") + " --shrink 8 " +
                  assettest::assetPath("map/map.png")),
              0);
    assettest::Decoded d = assettest::decodePng(assettest::readFile(preview.string()));
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.width, 64 * 4);
}
