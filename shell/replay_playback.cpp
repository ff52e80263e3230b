#include <filesystem>

#include "core/state.h"
#include "media/clock.h"
#include "media/files.h"
#include "media/keyboard.h"
#include "player/player.h"
#include "shell/generated_island.h"
#include "shell/level.h"
#include "shell/main_loop.h"
#include "shell/replay.h"
#include "shell/user_files.h"
#include "world/critter.h"
#include "world/map_files.h"
#include "world/message.h"
#include "world/objekt.h"

namespace fs = std::filesystem;

namespace {

// The pass being played: its answers in `answers` [next, end).
struct Playback {
    const TReplay* replay = nullptr;
    std::uint32_t next = 0, end = 0;
    int query = 0;
    bool keyMismatch = false;
};
Playback playback;

int AnswerFromReplay(int key) {
    const int query = playback.query++;
    if (playback.next >= playback.end) return 0;
    const TReplay::Answer& a = playback.replay->answers[playback.next];
    if (a.query != query) return 0;
    ++playback.next;
    // The same question in the same place, or the game has gone another way.
    if (a.key != key) playback.keyMismatch = true;
    return a.count;
}

// The start of the recorded game: what a level load leaves, from the values
// the replay kept.
void RestoreStart(const TReplay& r, const std::string& mapImage) {
    TObjekt::Reset();
    TObjekt::RegisterCatalogue();
    Tmessage::Reset();
    TCritter::Reset();
    player = TPlayer();
    player.x = r.startX;
    player.y = r.startY;
    player.chosen = r.chosen;
    player.lastspawn = r.lastspawn;
    victorytimer = r.victorytimer;
    mapfile = mapImage;
    SeedRandom(r.randomState);
    HoldMillis(r.startMillis);
    LoadLevel();
    ReleaseMillis();
    gamestate = GS_PLAY;
}

} // namespace

std::string FindReplayIsland(const TReplay& replay, const std::string& replayPath,
                             std::string& why) {
    if (replay.islandKind == TReplay::ISLAND_GENERATED && IsGeneratedIsland(replay.islandName))
        return replay.islandName;
    if (replay.islandKind != TReplay::ISLAND_MAP || replay.islandName.empty() ||
        replay.islandName.find('/') != std::string::npos) {
        why = "the replay's island is not a map file this game can find";
        return "";
    }
    const std::string image = MapImageFileName(replay.islandName);
    std::vector<std::string> folders = {fs::path(replayPath).parent_path().string()};
    if (!UserMapsFolder().empty()) folders.push_back(UserMapsFolder());
    folders.emplace_back("map");
    bool seen = false;
    for (std::string folder : folders) {
        if (folder.empty()) folder = ".";
        std::string candidate = folder.append("/").append(image);
        if (ResolvePath(candidate).empty()) continue;
        seen = true;
        if (IslandHash(candidate) == replay.islandHash) return candidate;
    }
    why = seen ? "the island '" + replay.islandName + "' differs from the one recorded"
               : "cannot find the island '" + replay.islandName + "'";
    return "";
}

ReplayOutcome PlayReplay(const TReplay& replay, const std::string& mapImage, ReplayPacing* pacing) {
    ReplayOutcome out;
    RestoreStart(replay, mapImage);
    playback = Playback{&replay};
    auto clock = static_cast<std::uint32_t>(replay.startMillis);
    for (std::size_t pass = 0; pass < replay.Passes(); ++pass) {
        clock += static_cast<std::uint32_t>(replay.clockSteps[pass]);
        HoldMillis(static_cast<int>(clock));
        playback.next = replay.firstAnswer[pass];
        playback.end = replay.AnswersEnd(pass);
        playback.query = 0;
        SetKeySource(&AnswerFromReplay);
        RunPlayPass(pacing != nullptr);
        SetKeySource(nullptr);
        ReleaseMillis();
        out.passes = pass + 1;
        const bool unanswered = playback.next != playback.end || playback.keyMismatch;
        const std::size_t done = pass + 1;
        const std::size_t check = done / TReplay::HASH_INTERVAL;
        const bool checked = done % TReplay::HASH_INTERVAL == 0 && check <= replay.hashes.size();
        if (out.matched &&
            (unanswered || (checked && replay.hashes[check - 1] != GameStateHash()))) {
            out.matched = false;
            out.firstBadPass = done;
        }
        if (!out.matched && pacing == nullptr) return out;
        if (pacing && !pacing->AfterPass()) return out;
    }
    if (out.matched && GameStateHash() != replay.finalHash) {
        out.matched = false;
        out.firstBadPass = replay.Passes();
    }
    return out;
}
