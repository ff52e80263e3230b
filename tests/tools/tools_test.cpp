// The command-line tools as a developer and a map maker run them.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>
#include <sys/wait.h>

#include "support/asset_files.h"
#include "support/temp_dir.h"

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

// Runs a command line in `dir`; returns its exit status and what it wrote to
// either stream.
int runIn(const std::string& dir, const std::string& command, std::string& output) {
    FILE* pipe = ::popen(("cd '" + dir + "' && " + command + " 2>&1").c_str(), "r");
    if (!pipe) return -1;
    output.clear();
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string editorProgram() {
    return std::string(PALMUT_BINARY_DIR) + "/palmut-editor";
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

TEST(Tools, IslandGeneratorRefusesWhatItCannotUseAndWritesNothing) {
    const struct {
        const char* arguments;
        const char* why;
    } cases[] = {
        {"--generate", "no seed"},
        {"--generate 12ab insel.png", "a seed that is no number"},
        {"--generate -5 insel.png", "a negative seed"},
        {"--generate 18446744073709551616 insel.png", "a seed beyond 64 bits"},
        {"--generate 7 --size 63x64 insel.png", "too narrow"},
        {"--generate 7 --size 64x513 insel.png", "too tall"},
        {"--generate 7 --size 128 insel.png", "a size without its height"},
        {"--generate 7 --size 64x64x2 insel.png", "a size with three sides"},
        {"--generate 7 --size", "a size option without its value"},
        {"--generate 7", "no picture to write"},
        {"--generate 7 insel.txt", "a picture not named .png"},
        {"--generate 7 eins.png zwei.png", "two pictures"},
        {"--generate 7 --colour insel.png", "an unknown option"},
        {"--generate 7 fehlt/insel.png", "a folder that does not exist"},
        {"--generate 7 datei/insel.png", "a file where the folder should be"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string file = dir.Write("datei", "kein Ordner");
        std::string output;
        EXPECT_EQ(runIn(dir.path(), editorProgram() + " " + c.arguments, output), 2) << c.why;
        EXPECT_NE(output.find("palmut-editor: "), std::string::npos) << c.why << ": " << output;
        int files = 0;
        for (const auto& entry : fs::recursive_directory_iterator(dir.path()))
            files += entry.path() != file;
        EXPECT_EQ(files, 0) << c.why;
    }
}

TEST(Tools, GeneratedIslandIsTheSameForItsSeedAndPassesTheChecker) {
    // The three files one after the other, each followed by its length.
    const auto files = [](const std::string& dir, const std::string& name) {
        std::vector<uint8_t> bytes;
        for (const char* ext : {".png", ".map", ".critter"}) {
            const std::vector<uint8_t> file = assettest::readFile(dir + "/" + name + ext);
            bytes.insert(bytes.end(), file.begin(), file.end());
            bytes.push_back(static_cast<uint8_t>(file.size()));
        }
        return bytes;
    };
    for (const char* size : {"64x64", "90x200"}) {
        TempDir first, second;
        std::string output;
        const std::string generate = editorProgram() + " --generate 20250611 --size " + size;
        ASSERT_EQ(runIn(first.path(), generate + " insel.png", output), 0) << output;
        ASSERT_EQ(runIn(second.path(), generate + " " + second / "insel.png", output), 0) << output;
        EXPECT_EQ(files(first.path(), "insel"), files(second.path(), "insel")) << size;
        ASSERT_EQ(runIn(second.path(),
                        editorProgram() + " --generate 20250612 --size " + size + " andere.png",
                        output),
                  0);
        EXPECT_NE(files(second.path(), "insel"), files(second.path(), "andere")) << size;
        EXPECT_EQ(runIn(first.path(), tool("mapcheck", "palmut_mapcheck") + " insel.png", output),
                  0)
            << output;
    }
}
