// Shared set-up for tests of the castaway: everything the island fixture
// resets, plus a fresh castaway.
#pragma once

#include "player/player.h"
#include "support/world_fixture.h"

class GameFixture : public WorldFixture {
  protected:
    void SetUp() override {
        WorldFixture::SetUp();
        player = TPlayer();
    }

    void TearDown() override {
        WorldFixture::TearDown();
        player = TPlayer();
    }
};
