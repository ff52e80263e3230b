// The command line: --help, --version, --lang, --map (with --play) for
// play-testing an island, and --seed/--size/--daily for a generated one.
#pragma once

#include <ostream>
#include <string>
#include <vector>

struct LaunchRequest {
    int exitStatus = -1;  // -1: start the game; else end at once with this status
    std::string map;      // absolute path of the chosen .map file, "" for the default island
    std::string island;   // a generated island's name from --seed or --daily, else ""
    std::string language; // a shipped language code from --lang, "" when not given
    bool play = false;    // --play: straight into play on the --map island

    // Replays: absolute paths, "" when not given.
    std::string record;    // --record FILE: each finished game is written there
    std::string replay;    // --replay FILE or --timedemo FILE: the game to play back
    bool headless = false; // --headless: with --replay, no window, as fast as it goes
    bool timedemo = false; // --timedemo: drawn as fast as it goes, then timed
};

// Reads the arguments after the program name. Answers --help and --version
// on `out`; a wrong argument is explained on `err` with status 2. A relative
// --map path is taken from `workDir`, the directory the game was started in.
LaunchRequest ParseArguments(const std::vector<std::string>& args, const std::string& workDir,
                             std::ostream& out, std::ostream& err);
