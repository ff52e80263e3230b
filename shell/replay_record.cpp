#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <vector>

#include "core/state.h"
#include "media/clock.h"
#include "media/files.h"
#include "media/keyboard.h"
#include "player/player.h"
#include "shell/generated_island.h"
#include "shell/replay.h"
#include "world/critter.h"
#include "world/karte.h"
#include "world/map_files.h"

namespace fs = std::filesystem;

namespace {

// The player's replay folder keeps this many games; the oldest go first.
constexpr std::size_t KEPT_GAMES = 20;
constexpr const char* REPLAY_EXTENSION = ".palmutreplay";

struct Recording {
    std::string file, folder;
    bool on = false;      // a game is being recorded
    bool sawPlay = false; // a pass of it ran in play, so it is a game worth keeping
    bool broken = false;  // a pass asked more keys than the format holds
    std::int32_t clock = 0;
    int query = 0;
    TReplay replay;
};
Recording rec;

void WatchKey(int key, int count) {
    const int query = rec.query++;
    if (count <= 0) return;
    if (query > TReplay::MAX_QUERY || key < 0 || key > 255) {
        rec.broken = true;
        return;
    }
    rec.replay.answers.push_back({static_cast<std::uint8_t>(query), static_cast<std::uint8_t>(key),
                                  static_cast<std::uint16_t>(std::min(count, TReplay::MAX_COUNT))});
}

bool InPlay(int state) {
    return state == GS_PLAY || state == GS_USE || state == GS_COMBINE || state == GS_DROP;
}

bool GameEnded(int state) {
    return IsDeathState(state) || state == GS_VICTORY || state == GS_QUIT;
}

// "20261208-173000-1.palmutreplay": sorted by name is sorted by age.
std::string NewReplayName(const std::string& folder) {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    gmtime_r(&now, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
    for (int n = 1;; ++n) {
        std::string path = folder + "/" + stamp + "-" + std::to_string(n) + REPLAY_EXTENSION;
        std::error_code ec;
        if (!fs::exists(path, ec)) return path;
    }
}

void DropOldGames(const std::string& folder) {
    std::vector<fs::path> games;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == REPLAY_EXTENSION) games.push_back(it->path());
    if (games.size() <= KEPT_GAMES) return;
    std::sort(games.begin(), games.end());
    for (std::size_t i = 0; i + KEPT_GAMES < games.size(); ++i)
        fs::remove(games[i], ec);
}

void WriteGame() {
    if (!rec.file.empty()) SaveReplay(rec.file, rec.replay);
    if (rec.folder.empty()) return;
    std::error_code ec;
    fs::create_directories(rec.folder, ec);
    if (ec) return;
    SaveReplay(NewReplayName(rec.folder), rec.replay);
    DropOldGames(rec.folder);
}

void HashFile(TReplayHash& hash, const std::string& path) {
    // The game opens its files without regard to letter case; so does the hash.
    std::ifstream file(ResolvePath(path), std::ios::binary);
    std::vector<char> buffer(1 << 16);
    std::int64_t total = 0;
    while (file) {
        file.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const std::streamsize got = file.gcount();
        hash.Add(buffer.data(), static_cast<std::size_t>(got));
        total += got;
    }
    hash.AddInt(total);
}

} // namespace

void RecordGamesToFile(const std::string& file) {
    rec.file = file;
}

void RecordGamesToFolder(const std::string& folder) {
    rec.folder = folder;
}

std::string UserReplaysFolder() {
    const std::string home = UserDataHome();
    return home.empty() ? "" : home + "/palmut/replays";
}

void StartGameRecording() {
    if (rec.on && rec.sawPlay) FinishGameRecording();
    rec.on = !rec.file.empty() || !rec.folder.empty();
    if (!rec.on) return;
    rec.sawPlay = rec.broken = false;
    rec.replay = TReplay{};
    TReplay& r = rec.replay;
    r.gameVersion = PALMUT_VERSION;
    if (IsGeneratedIsland(mapfile)) {
        // A generated island is kept by its name, which grows it again.
        r.islandKind = TReplay::ISLAND_GENERATED;
        r.islandName = mapfile;
    } else {
        r.islandName = fs::path(LayerFileName(mapfile, ".map")).filename().string();
        r.islandHash = IslandHash(mapfile);
    }
    r.randomState = RandomState();
    r.startMillis = rec.clock = Millis();
    r.startX = player.x;
    r.startY = player.y;
    r.chosen = player.chosen;
    r.lastspawn = player.lastspawn;
    r.victorytimer = victorytimer;
}

void BeginPlayPass() {
    const int now = Millis();
    HoldMillis(now);
    if (!rec.on) return;
    // Differences wrap as the clock does.
    rec.replay.clockSteps.push_back(static_cast<std::int32_t>(
        static_cast<std::uint32_t>(now) - static_cast<std::uint32_t>(rec.clock)));
    rec.replay.firstAnswer.push_back(static_cast<std::uint32_t>(rec.replay.answers.size()));
    rec.clock = now;
    rec.query = 0;
    rec.sawPlay = rec.sawPlay || InPlay(gamestate);
    SetKeyWatcher(&WatchKey);
}

void EndPlayPass() {
    ReleaseMillis();
    if (!rec.on) return;
    SetKeyWatcher(nullptr);
    if (rec.replay.Passes() % TReplay::HASH_INTERVAL == 0)
        rec.replay.hashes.push_back(GameStateHash());
    if (GameEnded(gamestate) || rec.replay.Passes() >= TReplay::MAX_PASSES) FinishGameRecording();
}

void FinishGameRecording() {
    if (!rec.on) return;
    rec.on = false;
    if (!rec.sawPlay || rec.broken) return;
    rec.replay.finalHash = GameStateHash();
    WriteGame();
}

std::uint64_t GameStateHash() {
    TReplayHash h;
    for (int v : {gamestate, victorytimer, RandomState(), player.hunger, player.durst, player.x,
                  player.y, player.rotation, player.chosen, player.combine1, player.combine1slot,
                  player.combine2, player.combine2slot, player.order, player.lastspawn})
        h.AddInt(v);
    for (int item : player.inventory)
        h.AddInt(item);
    h.AddInt(karte.sizex);
    h.AddInt(karte.sizey);
    h.AddInt(karte.layers);
    for (int l = 0; l < karte.layers; ++l)
        for (int y = 0; y < karte.sizey; ++y)
            for (int x = 0; x < karte.sizex; ++x)
                h.AddInt(karte.data(x, y, l));
    h.AddInt(static_cast<std::int64_t>(TCritter::list.size()));
    for (const TCritter& c : TCritter::list) {
        h.AddInt(c.x);
        h.AddInt(c.y);
        h.AddInt(c.typ);
    }
    return h.Value();
}

std::uint64_t IslandHash(const std::string& mapImage) {
    TReplayHash h;
    HashFile(h, mapImage);
    HashFile(h, LayerFileName(mapImage, ".map"));
    HashFile(h, LayerFileName(mapImage, ".critter"));
    return h.Value();
}
