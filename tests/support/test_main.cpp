#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "media/test_seams.h"

#if defined(__SANITIZE_ADDRESS__)
// The GL driver and D-Bus keep allocations for the life of the process. Kept
// mapped (dlclose does nothing here), their frames carry module names that
// tests/lsan.supp can match; unloaded, LeakSanitizer sees only anonymous code.
extern "C" int dlclose(void*) {
    return 0;
}
#endif

int main(int argc, char** argv) {
    // Headless by default: OpenGL through Mesa's software renderer without any
    // display, and audio into nothing. A caller may still choose otherwise.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    // Mesa's software rasteriser on every machine, a Pi's GPU included: the
    // golden frames hold its rounding, and a GPU rounds its own way.
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    // CTest runs the drawing tests a second time with this set: the OpenGL
    // ES 3.0 path of machines without OpenGL 3.3.
    if (std::getenv("PALMUT_TEST_GLES")) ForceGlesContext(true);
    // The player's own settings and islands must neither steer the tests nor
    // receive the maps folder the map dialog creates.
    const std::string home = (std::filesystem::temp_directory_path() / "palmut-test-home").string();
    setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
