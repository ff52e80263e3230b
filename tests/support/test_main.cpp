#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    // Headless by default: OpenGL through Mesa's software renderer without any
    // display, and audio into nothing. A caller may still choose otherwise.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
