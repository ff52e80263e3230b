// Islands of growing size, made here: how long a level load takes, and what
// each part of one pass of play costs (input, movement, actions, the critter
// sweep, regrowth, the victory check, drawing the frame). Critters come in
// proportion to the land, as on the shipped 64 x 64 island (12 apes, 1 lizard).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "bench.h"
#include "media/clock.h"
#include "media/graphics.h"
#include "media/program.h"
#include "media/test_seams.h"
#if __has_include("core/state.h")
#include "core/assets.h"
#include "core/state.h"
#else
#include "shell/globals.h"
#endif
#include "player/player.h"
// PlacePlayer moved from the start-up to the level load; older trees have it there.
#if __has_include("shell/level.h")
#include "shell/level.h"
#else
#include "shell/startup.h"
#endif
#include "shell/victory.h"
#include "world/critter.h"
#include "world/karte.h"
#include "world/message.h"
#include "world/objekt.h"

namespace bench {
namespace {

constexpr int kDefaultLand = 2000; // about the land of the shipped island
constexpr int kDefaultApes = 12, kDefaultLizards = 1;

uint32_t Hash(uint32_t x, uint32_t y, uint32_t salt) {
    uint32_t h = x * 374761393u + y * 668265263u + salt * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

std::vector<int> ParseSizes(const std::string& list) {
    std::vector<int> sizes;
    std::stringstream in(list);
    std::string item;
    while (std::getline(in, item, ','))
        if (int v = std::atoi(item.c_str()); v >= 20 && v <= 4096) sizes.push_back(v);
    return sizes;
}

// Land everywhere but a two-cell sea border and scattered lagoons; items on
// every few land cells. Returns the image path.
std::string MakeIsland(const std::string& dir, int side) {
    const std::string base = dir + "/island" + std::to_string(side);
    if (std::filesystem::exists(base + ".png")) return base + ".png";
    // Ground colours of the map image: sea, shallow, sand, rock, grass.
    static const uint8_t kColours[5][3] = {{0x00, 0x94, 0xFF},
                                           {0x00, 0x7F, 0x7F},
                                           {0xFF, 0xD8, 0x00},
                                           {0x80, 0x80, 0x80},
                                           {0x4C, 0xFF, 0x00}};
    static const uint8_t kItems[] = {1, 1, 7, 2, 3, 4, 8, 9, 6, 5};
    std::vector<uint8_t> rgb(static_cast<size_t>(side) * side * 3);
    std::vector<uint8_t> layer(static_cast<size_t>(side) * side, 0);
    long land = 0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const size_t i = static_cast<size_t>(y) * side + x;
            const bool border = x < 2 || y < 2 || x >= side - 2 || y >= side - 2;
            const bool lagoon = (Hash(x / 8, y / 8, 1) % 7) == 0;
            int ground = border || lagoon ? 0 : 1 + static_cast<int>(Hash(x / 3, y / 3, 2) % 4);
            std::copy(kColours[ground], kColours[ground] + 3, &rgb[i * 3]);
            if (ground >= 2) {
                ++land;
                const uint32_t h = Hash(x, y, 3);
                if (h % 9 == 0) layer[i] = kItems[(h / 9) % 10];
            }
        }
    WritePng(base + ".png", side, side, 3, rgb);
    std::ofstream(base + ".map", std::ios::binary)
        .write(reinterpret_cast<const char*>(layer.data()),
               static_cast<std::streamsize>(layer.size()));
    const long apes = std::max(1L, kDefaultApes * land / kDefaultLand);
    const long lizards = std::max(1L, kDefaultLizards * land / kDefaultLand);
    std::ofstream(base + ".critter") << apes << "\n" << lizards << "\n";
    return base + ".png";
}

// Critter calls take the castaway's cell on newer trees, and read it
// themselves on older ones (the suite also measures older revisions).
template <typename C> void LoadCritters(const std::string& path) {
    if constexpr (requires { C::load(path); })
        C::load(path);
    else
        C::load(path, {player.x, player.y, false});
}

template <typename C> void Sweep() {
    if constexpr (requires { C::Update(); })
        C::Update();
    else
        C::Update({player.x, player.y, false});
}

// What a level load does with the map, as the title screen does it.
void LoadLevel(const std::string& path) {
    TCritter::list.clear();
    karte = TKarte::loadPNG(path);
    LoadCritters<TCritter>(path);
}

template <typename C> void RenderCritters(int vx, int vy) {
    if constexpr (requires { C::Render(vx, vy); }) C::Render(vx, vy);
}

std::string IslandDir(const Options& options) {
    std::string dir = options.Get("dir", (std::filesystem::temp_directory_path() /
                                          ("palmut-islands-" + std::to_string(getpid())))
                                             .string());
    std::filesystem::create_directories(dir);
    return dir;
}

// Mean milliseconds of `body` over `count` runs.
template <typename F> double TimeEach(int count, F body) {
    const double start = NowMs();
    for (int i = 0; i < count; ++i)
        body(i);
    return (NowMs() - start) / count;
}

} // namespace

int MapsMain(const Options& options) {
    const std::string dir = IslandDir(options);
    for (int side : ParseSizes(options.Get("sizes", "64,256,1024,2048,4096"))) {
        const std::string path = MakeIsland(dir, side);
        const int repeats = side <= 256 ? 20 : side <= 1024 ? 5 : 2;
        LoadLevel(path); // warm file cache
        double best = 1e9;
        for (int r = 0; r < repeats; ++r) {
            const double start = NowMs();
            LoadLevel(path);
            best = std::min(best, NowMs() - start);
        }
        const std::string p = "map_" + std::to_string(side);
        Emit(p + "_load_ms", best);
        Emit(p + "_critters", static_cast<double>(TCritter::list.size()));
    }
    if (!options.Has("dir")) std::filesystem::remove_all(dir);
    return 0;
}

int LogicMain(const Options& options) {
    const std::string assets = options.Get("assets", "");
    const std::string dir = IslandDir(options);
    const int frames = static_cast<int>(options.Number("frames", 120));
    const double scale = options.Number("scale", 1); // fewer repeats for a quick run
    const auto count = [&](int n) { return std::max(1, static_cast<int>(n * scale)); };
    UseVirtualClock(true, 1000000);
    SeedRandom(12345);
    bool window = false;
    if (!assets.empty() && chdir(assets.c_str()) == 0 && OpenGraphics(640, 480, 0, 60, 0)) {
        // Spelled out rather than LoadGameAssets(): run.sh also builds this
        // against older revisions, which lack it.
        SetCentredHandles(0);
        LoadTitleAssets();
        SetCentredHandles(1);
        SetBlend(BLEND_ALPHA);
        LoadPlayAssets();
        defaultfont = GetFont();
        window = true;
    }
    TObjekt::list.clear();
    TObjekt::RegisterCatalogue();
    for (int side : ParseSizes(options.Get("sizes", "64,256,1024,2048,4096"))) {
        const std::string path = MakeIsland(dir, side);
        LoadLevel(path);
        player = TPlayer();
        PlacePlayer();
        const int homeX = player.x, homeY = player.y;
        const auto fresh = [&] {
            gamestate = GS_PLAY;
            player.hunger = player.durst = 0;
        };
        const std::string p = "logic_" + std::to_string(side);
        fresh();
        Emit(p + "_input_us", 1000 * TimeEach(count(2000), [&](int) { player.In(); }));
        Emit(p + "_movement_us", 1000 * TimeEach(count(200), [&](int i) {
                                     fresh();
                                     player.SetPos(homeX, homeY);
                                     player.order = i % 2 ? TPlayer::MOVEEAST : TPlayer::MOVEWEST;
                                     player.move();
                                 }));
        Emit(p + "_critter_sweep_us", 1000 * TimeEach(count(200), [&](int) {
                                          fresh();
                                          Sweep<TCritter>();
                                      }));
        Emit(p + "_actions_us", 1000 * TimeEach(count(2000), [&](int) {
                                    fresh();
                                    player.order = TPlayer::NOORDER;
                                    player.action();
                                }));
        Emit(p + "_regrowth_ms", TimeEach(count(50), [&](int) { player.spawn(); }));
        Emit(p + "_victory_check_us", 1000 * TimeEach(count(2000), [&](int) {
                                          AdvanceVirtualClock(3001);
                                          CheckVictory();
                                      }));
        Emit(p + "_critters", static_cast<double>(TCritter::list.size()));
        fresh();
        player.SetPos(homeX, homeY);
        if (window) {
            // The castaway turns every frame, so no frame repeats the one before.
            Emit(p + "_frame_ms", TimeEach(count(frames), [&](int i) {
                     player.rotation = (i % 4) * 90;
                     karte.Render(player.x - 10, player.y - 8);
                     RenderCritters<TCritter>(player.x - 10, player.y - 8);
                     player.Render();
                     Tmessage::Render();
                     (void)ReadBackPixel(0, 0);
                     Flip(0);
                     Cls();
                 }));
        }
    }
    if (window) CloseGraphics();
    if (!options.Has("dir")) std::filesystem::remove_all(dir);
    return 0;
}

} // namespace bench
