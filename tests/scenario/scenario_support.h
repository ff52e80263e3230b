// Play-throughs driven only by key presses through the real main loop: a small
// island written to disk, the level loaded through the title screens, then one
// pass of the loop per scripted key.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "media/gfx/native/png_writer.h"
#include "shell/main_loop.h"
#include "support/frames_dir.h"
#include "support/shell_fixture.h"
#include "world/message.h"

namespace scenario {

// Ground kinds and the map-image colours that encode them.
constexpr int SEA = 0, SHALLOW = 1, SAND = 2, ROCK = 3, GRASS = 4;

// An island under construction: ground and item per cell, written as the three
// files a level consists of.
struct Island {
    int width, height;
    std::vector<int> ground, items;

    Island(int w, int h, int fill) : width(w), height(h), ground(w * h, fill), items(w * h, 0) {}

    void SetGround(int x, int y, int kind) { ground[y * width + x] = kind; }
    void Put(int x, int y, int item) { items[y * width + x] = item; }

    // Writes <dir>/<name>.png, .map and .critter; returns the image path.
    std::string Write(const std::filesystem::path& dir, const std::string& name, int apes,
                      int lizards) const {
        static const uint8_t colours[5][3] = {
            {0, 148, 255}, {0, 127, 127}, {255, 216, 0}, {128, 128, 128}, {76, 255, 0}};
        std::vector<uint8_t> rgb;
        for (int kind : ground)
            rgb.insert(rgb.end(), colours[kind], colours[kind] + 3);
        const std::string image = (dir / (name + ".png")).string();
        if (!media_internal::WritePng(image, width, height, 3, rgb.data()))
            throw std::runtime_error("cannot write " + image);
        std::ofstream layer(dir / (name + ".map"), std::ios::binary);
        for (int item : items)
            layer.put(static_cast<char>(item));
        std::ofstream(dir / (name + ".critter")) << apes << "\n" << lizards << "\n";
        return image;
    }
};

// A scripted step that did not turn out as the script expects ends the test.
inline void Require(bool condition, const std::string& what) {
    if (!condition) throw std::runtime_error("scenario step failed: " + what);
}

class Scenario : public ShellFixture {
  protected:
    void SetUp() override {
        ShellFixture::SetUp();
        OpenWindow();
        LoadShippedAssets();
        // Lower case: the game lower-cases map paths before deriving file names.
        dir_ = std::filesystem::temp_directory_path() /
               ("palmut_scenario_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        GuardAgainstWaiting();
    }

    void TearDown() override {
        std::filesystem::remove_all(dir_);
        ShellFixture::TearDown();
    }

    // Loads the island the way a player gets there: the level load shows the
    // title picture, a typed key opens the menu, Enter starts the game.
    void StartOn(const Island& island, int apes = 0, int lizards = 0) {
        mapfile = island.Write(dir_, "island", apes, lizards);
        gamestate = GS_LOADLEVEL;
        PassTitleScreens();
        Require(gamestate == GS_PLAY, "the menu starts play");
    }

    // One pass through the title screens, answered by what they show: a typed
    // key on the title picture, then the menu keys one a frame.
    void PassTitleScreens(std::vector<int> menuKeys = {KEY_ENTER}) {
        std::size_t next = 0;
        int frames = 0;
        SetFrameHook([&] {
            Require(++frames < 100, "the title screens are left");
            if (gamestate == GS_LOADLEVEL)
                InjectText("p");
            else if (gamestate == GS_MENU && next < menuKeys.size())
                InjectKeyPress(menuKeys[next++]);
        });
        const bool goOn = RunOnePass();
        SetFrameHook(nullptr);
        Require(goOn, "the pass after the title screens");
    }

    // A screen waiting for a key the script never gives fails the test and is
    // left with Escape and a typed key instead of hanging the run. (Throwing
    // from inside the keyboard query would leave it half-way.)
    void GuardAgainstWaiting() {
        SetIdleHook([this] {
            if (++idleCalls_ % 20000 != 0) return;
            ADD_FAILURE() << "a screen waited for a key the script never gave";
            InjectKeyPress(KEY_ESCAPE);
            InjectText("q");
        });
    }

    // One pass of the main loop after pressing the given keys.
    void Press(std::initializer_list<int> keys) {
        idleCalls_ = 0;
        for (int key : keys)
            InjectKeyPress(key);
        if (!snapshot_.empty()) SetFrameHook([path = snapshot_] { CaptureFrame(path); });
        const bool goOn = RunOnePass();
        SetFrameHook(nullptr);
        snapshot_.clear();
        Require(goOn, "the main loop goes on");
    }
    void Press(int key) { Press({key}); }

    void Walk(int toX, int toY) {
        for (int guard = 0; guard < 200 && (player.x != toX || player.y != toY); ++guard) {
            const int fromX = player.x, fromY = player.y;
            if (player.x != toX)
                Press(player.x < toX ? KEY_D : KEY_A);
            else
                Press(player.y < toY ? KEY_S : KEY_W);
            Require(player.x != fromX || player.y != fromY,
                    "step from " + Cell(fromX, fromY) + " towards " + Cell(toX, toY));
        }
        Require(player.x == toX && player.y == toY, "reach " + Cell(toX, toY));
    }

    void Take() { Press(KEY_SPACE); }

    // Moves the selection cursor by the shorter way round, one press a pass.
    void Point(int slot) {
        while (player.chosen != slot) {
            const int right = (slot - player.chosen + 10) % 10;
            Press(right <= 5 ? KEY_D : KEY_A);
        }
    }

    void Use(int slot) {
        Press(KEY_ENTER);
        Require(gamestate == GS_USE, "Enter opens the use selection");
        Point(slot);
        Press(KEY_ENTER);
        Require(gamestate == GS_PLAY, "the use selection closes on a pick");
    }

    void Drop(int slot) {
        Press(KEY_F);
        Require(gamestate == GS_DROP, "F opens the drop selection");
        Point(slot);
        Press(KEY_ENTER);
        Require(gamestate == GS_PLAY, "the drop selection closes on a pick");
    }

    void Combine(int first, int second) {
        Press(KEY_C);
        Require(gamestate == GS_COMBINE, "C opens the combine selection");
        Point(first);
        Press(KEY_ENTER);
        Require(gamestate == GS_COMBINE && player.combine1 == player.inventory[first],
                "first pick from slot " + std::to_string(first));
        Point(second);
        Press(KEY_ENTER);
        Require(gamestate != GS_COMBINE, "second pick from slot " + std::to_string(second));
    }

    static bool Showing(const std::string& text) {
        return std::any_of(Tmessage::list.begin(), Tmessage::list.end(),
                           [&](const Tmessage& m) { return m.txt == text; });
    }

    // Keeps the frame of the next pass in the build tree for a look by eye.
    void Snapshot(const std::string& name) {
        snapshot_ = (FramesDir("scenario-frames") / (name + ".png")).string();
    }

    static std::string Cell(int x, int y) {
        return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
    }

    std::filesystem::path dir_;
    std::string snapshot_;
    int idleCalls_ = 0;
};

} // namespace scenario
