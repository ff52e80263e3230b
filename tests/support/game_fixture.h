// Shared set-up for tests of game code: fresh globals and class lists, a fixed
// seed, the virtual clock, and on request the offscreen window and real assets.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "media/clock.h"
#include "media/graphics.h"
#include "media/keyboard.h"
#include "media/program.h"
#include "media/test_seams.h"
#include "shell/globals.h"
#include "shell/startup.h"
#include "world/objekt.h"

class GameFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        UseVirtualClock(true, 1000000);
        SeedRandom(12345);
        ThrowOnProgramExit(true);
        ResetGlobals();
        TObjekt::RegisterCatalogue();
    }

    void TearDown() override {
        SetFrameHook(nullptr);
        SetIdleHook(nullptr);
        SetRequestFileAnswer(nullptr);
        ResetGlobals();
        ThrowOnProgramExit(false);
        UseVirtualClock(false);
    }

    // Opens the 640 x 480 window (offscreen in tests) with a fresh drawing state.
    static void OpenWindow() { ASSERT_TRUE(OpenGraphics(640, 480, 0, 60, 0)); }

    // Enters the shipped asset tree and loads the shared assets as start-up does.
    static void LoadGameAssets() {
        std::filesystem::current_path(PALMUT_ASSET_DIR);
        SetCentredHandles(0);
        LoadTitleAssets();
        SetCentredHandles(1);
        SetBlend(BLEND_ALPHA);
        LoadPlayAssets();
        defaultfont = GetFont();
    }

    // A map of the given size filled with one ground kind and no items.
    static void MakeMap(int sizex, int sizey, int ground) {
        karte = TKarte::Create(sizex, sizey, 3);
        for (int x = 0; x < sizex; ++x)
            for (int y = 0; y < sizey; ++y)
                karte.data(x, y, 0) = ground;
    }
};
