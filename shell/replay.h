// Recording every game and playing a recorded one back. A game runs from a
// level load to the pass that ends it (a death, the raft, quitting, closing
// the window); what its passes read besides the map is in the file: the key
// answers, the clock per pass and the random state at the load.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/replay_file.h"

// Called by main for --record FILE: each finished game is also written there.
void RecordGamesToFile(const std::string& file);
// Called by start-up with the player's replay folder, "" when the setting turns
// recording off: each finished game goes there, the last KEPT_GAMES kept.
void RecordGamesToFolder(const std::string& folder);
// ~/.local/share/palmut/replays, or "" when the player has no home folder.
std::string UserReplaysFolder();
// Called by LoadLevel: a new game begins; an earlier one that saw play ends.
void StartGameRecording();
// Called by the main loop around the rules of each play pass: holds the clock
// for the pass and notes its keys; the pass that ends a game writes it.
void BeginPlayPass();
void EndPlayPass();
// Called when the window closes: the game so far is written.
void FinishGameRecording();

// Everything the rules leave behind after a pass, hashed.
std::uint64_t GameStateHash();
// The identity of an island on disk: its map image, layer file and critter file.
std::uint64_t IslandHash(const std::string& mapImage);
// The shipped or own island a replay was recorded on: beside the replay, in the
// player's maps folder, in the game's map/; "" with `why` when none matches.
std::string FindReplayIsland(const TReplay& replay, const std::string& replayPath,
                             std::string& why);

// How playback went: passes played, and the first whose state differed from
// the recorded one (counted from 1; the last pass for the final hash).
struct ReplayOutcome {
    std::size_t passes = 0;
    bool matched = true;
    std::size_t firstBadPass = 0;
};
// How a window shows playback; null plays as fast as possible without drawing.
struct ReplayPacing {
    virtual ~ReplayPacing() = default;
    // Called after each pass has been drawn; false stops playback.
    virtual bool AfterPass() = 0;
};
// Plays `replay` on the island `mapImage` from a fresh start.
ReplayOutcome PlayReplay(const TReplay& replay, const std::string& mapImage, ReplayPacing* pacing);
// Called by main for --replay and --timedemo: reads FILE, plays it (in a window
// unless `headless`), prints how it went; returns the program's status: 0 when
// every state hash matched, 1 when one did not, 2 when the file cannot be played.
int RunReplayFile(const std::string& path, bool headless, bool timedemo);
