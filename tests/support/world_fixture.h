// Shared set-up for tests of the island and everything below it: fresh state
// and class lists, a fixed seed, the virtual clock, and on request the
// offscreen window. Links no castaway and no shell code.
#pragma once

#include <gtest/gtest.h>

#include "core/state.h"
#include "media/clock.h"
#include "media/graphics.h"
#include "media/keyboard.h"
#include "media/program.h"
#include "media/test_seams.h"
#include "world/critter.h"
#include "world/karte.h"
#include "world/objekt.h"
#include "world/world.h"

class WorldFixture : public ::testing::Test {
  protected:
    // Where the critters see the castaway; tests of the island move him by hand.
    CastawayView castaway;

    void SetUp() override {
        ResetMediaForTests();
        UseVirtualClock(true, 1000000);
        SeedRandom(12345);
        ThrowOnProgramExit(true);
        ResetWorld();
        ResetState();
        TObjekt::RegisterCatalogue();
    }

    void TearDown() override {
        ResetMediaForTests();
        ResetWorld();
        ResetState();
        ThrowOnProgramExit(false);
        UseVirtualClock(false);
    }

    // Opens the 640 x 480 window (offscreen in tests) with a fresh drawing state.
    static void OpenWindow() { ASSERT_TRUE(OpenGraphics(640, 480, 0, 60, 0)); }

    // A map of the given size filled with one ground kind and no items.
    static void MakeMap(int sizex, int sizey, int ground) {
        karte = TKarte::Create(sizex, sizey, 3);
        for (int x = 0; x < sizex; ++x)
            for (int y = 0; y < sizey; ++y)
                karte.data(x, y, 0) = ground;
    }
};
