// A recorded game as it lies on disk: the island, the random state and the
// carried-over values at its start, then per play pass the clock step and the
// key answers the rules were given, with a state hash every HASH_INTERVAL
// passes and at the end. docs/replays.md describes the bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TReplay {
    static constexpr int FORMAT_VERSION = 1;
    static constexpr int HASH_INTERVAL = 256;
    // Bounds a reader holds a file to: a week of play, more key answers in
    // one pass than the rules ask for, a name no island has.
    static constexpr std::uint32_t MAX_PASSES = 10000000;
    static constexpr std::size_t MAX_FILE_BYTES = 64u << 20;
    static constexpr int MAX_QUERY = 255, MAX_COUNT = 1000, MAX_NAME = 255;
    static constexpr int ISLAND_MAP = 0, ISLAND_GENERATED = 1;

    // One non-nought answer of KeyHitCount: the how-manieth query of its pass.
    struct Answer {
        std::uint8_t query = 0;
        std::uint8_t key = 0;
        std::uint16_t count = 0;
    };

    std::string gameVersion;
    int islandKind = ISLAND_MAP;
    std::string islandName;       // the .map file's name, or a generated island's name
    std::uint64_t islandHash = 0; // of the three files (IslandHash), or the generator's seed
    std::uint32_t islandSize = 0; // a generated island's side, else 0
    std::int32_t randomState = 0; // RandomState() before the level load
    std::int32_t startMillis = 0; // the clock at the level load
    // Values that outlive a game and that the rules read.
    std::int32_t startX = 0, startY = 0, chosen = 0, lastspawn = 0, victorytimer = 0;

    std::vector<std::int32_t> clockSteps;   // per pass: its time less the pass before's
    std::vector<std::uint32_t> firstAnswer; // per pass: its first entry of answers
    std::vector<Answer> answers;
    std::vector<std::uint64_t> hashes; // after every HASH_INTERVAL passes
    std::uint64_t finalHash = 0;

    std::size_t Passes() const { return clockSteps.size(); }
    // The answers of one pass, as [begin, end) of `answers`.
    std::uint32_t AnswersEnd(std::size_t pass) const {
        return pass + 1 < firstAnswer.size() ? firstAnswer[pass + 1]
                                             : static_cast<std::uint32_t>(answers.size());
    }
};

// 64-bit FNV-1a, the one hash of replays: states, islands, the file's check.
class TReplayHash {
  public:
    void Add(const void* data, std::size_t size);
    void AddInt(std::int64_t value);
    std::uint64_t Value() const { return hash; }

  private:
    std::uint64_t hash = 14695981039346656037ull;
};

// The bytes of a replay file.
std::string EncodeReplay(const TReplay& replay);
// Reads a replay file's bytes; false with a sentence in `why` for a file that
// is damaged, cut short, too large or of another format version.
bool DecodeReplay(const std::string& bytes, TReplay& replay, std::string& why);
// Reads a replay file from disk, bounded by MAX_FILE_BYTES.
bool LoadReplay(const std::string& path, TReplay& replay, std::string& why);
// Writes the file whole or not at all (a temporary file renamed).
bool SaveReplay(const std::string& path, const TReplay& replay);
