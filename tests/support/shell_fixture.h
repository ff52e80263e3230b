// Shared set-up for tests of the screens and whole scenarios: the game
// fixture plus the shipped assets, loaded as start-up loads them.
#pragma once

#include <filesystem>

#include "core/assets.h"
#include "shell/startup.h"
#include "support/game_fixture.h"

class ShellFixture : public GameFixture {
  protected:
    // Enters the shipped asset tree and loads the shared assets as start-up does.
    static void LoadShippedAssets() {
        std::filesystem::current_path(PALMUT_ASSET_DIR);
        LoadGameAssets();
    }
};

// The game with its assets but no window: the keyboard stays and every draw
// call returns at once, so tens of thousands of passes cost little. For long
// runs of the rules; drawing is tested elsewhere.
class HeadlessGame : public ShellFixture {
  protected:
    void SetUp() override {
        ShellFixture::SetUp();
        OpenWindow();
        LoadShippedAssets();
        CloseGraphics();
    }
};
