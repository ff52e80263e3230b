// A build-tree folder for frames kept for a look by eye or for comparison.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

// The OpenGL ES run of a test may capture at the same moment as the desktop
// run, so it writes into a folder of its own.
inline std::filesystem::path FramesDir(const std::string& name) {
    const std::string variant = std::getenv("PALMUT_TEST_GLES") ? "-gles" : "";
    const auto dir = std::filesystem::path(PALMUT_BINARY_DIR) / (name + variant);
    std::filesystem::create_directories(dir);
    return dir;
}
