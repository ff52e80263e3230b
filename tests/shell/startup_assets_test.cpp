// The shared pictures and the font: a damaged file is told apart from a
// missing one when the game has to stop.
#include <fstream>

#include <unistd.h>

#include "support/shell_fixture.h"

namespace fs = std::filesystem;

TEST_F(ShellFixture, DamagedPicturesAndFontsAreToldFromMissingOnes) {
    const fs::path home = fs::current_path();
    const fs::path dir = fs::temp_directory_path() / ("palmut_assets_" + std::to_string(getpid()));
    struct Case {
        std::string file;
        bool remove;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"gfx/title_wip.png", true, "gfx/title_wip.png not found."},
        {"gfx/title_wip.png", false, "gfx/title_wip.png is damaged or not a PNG picture."},
        {"gfx/objects.png", false, "gfx/objects.png is damaged or not a PNG picture."},
        {"gfx/Adventure.ttf", true, "gfx/Adventure.ttf not found."},
        {"gfx/Adventure.ttf", false, "gfx/Adventure.ttf is damaged or not a TrueType font."},
    };
    for (const Case& c : cases) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::copy(fs::path(PALMUT_ASSET_DIR) / "gfx", dir / "gfx", fs::copy_options::recursive);
        if (c.remove)
            fs::remove(dir / c.file);
        else
            std::ofstream(dir / c.file, std::ios::trunc) << "\x89PNG kaputt";
        fs::current_path(dir);
        std::string message;
        try {
            LoadTitleAssets();
            LoadPlayAssets();
        } catch (const ProgramExit& exit) {
            message = exit.message;
        }
        fs::current_path(home);
        EXPECT_EQ(message, c.message);
    }
    fs::remove_all(dir);
}
