#include "core/replay_file.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

constexpr char MAGIC[] = "PALMUTRP";
constexpr std::size_t MAGIC_SIZE = 8;
// Passes mostly follow the main loop's 60 ms pause: a step is kept as its
// difference from it, so a pass without keys fits one byte.
constexpr int USUAL_STEP = 60;
constexpr int SMALL_ANSWERS = 7, SMALL_STEP = 31;

std::uint64_t ZigZag(std::int64_t v) {
    return (static_cast<std::uint64_t>(v) << 1) ^ static_cast<std::uint64_t>(v >> 63);
}

std::int64_t UnZigZag(std::uint64_t v) {
    return static_cast<std::int64_t>(v >> 1) ^ -static_cast<std::int64_t>(v & 1);
}

class TReplayWriter {
  public:
    void Byte(unsigned value) { out += static_cast<char>(value & 0xFF); }
    void Varint(std::uint64_t value) {
        while (value >= 0x80) {
            Byte(static_cast<unsigned>(value) | 0x80);
            value >>= 7;
        }
        Byte(static_cast<unsigned>(value));
    }
    void Signed(std::int64_t value) { Varint(ZigZag(value)); }
    void Fixed64(std::uint64_t value) {
        for (int i = 0; i < 8; ++i)
            Byte(static_cast<unsigned>(value >> (8 * i)));
    }
    void Text(const std::string& text) {
        Varint(text.size());
        out += text;
    }
    std::string& Bytes() { return out; }

  private:
    std::string out;
};

// Every read is bounded by the bytes left; the first failure sticks.
class TReplayReader {
  public:
    TReplayReader(const std::string& source, std::size_t size) : bytes(source), end(size) {}
    bool Ok() const { return ok; }
    std::size_t Left() const { return ok ? end - at : 0; }
    unsigned Byte() {
        if (!ok || at >= end) {
            ok = false;
            return 0;
        }
        return static_cast<unsigned char>(bytes[at++]);
    }
    std::uint64_t Varint() {
        std::uint64_t value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const unsigned b = Byte();
            value |= static_cast<std::uint64_t>(b & 0x7F) << shift;
            if ((b & 0x80) == 0) return value;
        }
        ok = false;
        return 0;
    }
    // A varint that must not exceed `most`.
    std::uint64_t Bounded(std::uint64_t most) {
        const std::uint64_t value = Varint();
        if (value > most) ok = false;
        return ok ? value : 0;
    }
    std::int32_t Int32() {
        const std::int64_t value = UnZigZag(Varint());
        if (value < INT32_MIN || value > INT32_MAX) ok = false;
        return ok ? static_cast<std::int32_t>(value) : 0;
    }
    std::uint64_t Fixed64() {
        std::uint64_t value = 0;
        for (int i = 0; i < 8; ++i)
            value |= static_cast<std::uint64_t>(Byte()) << (8 * i);
        return value;
    }
    std::string Text(std::size_t most) {
        const std::size_t size = Bounded(most);
        if (size > Left()) ok = false;
        if (!ok) return {};
        std::string text = bytes.substr(at, size);
        at += size;
        return text;
    }

  private:
    const std::string& bytes;
    std::size_t end;
    std::size_t at = 0;
    bool ok = true;
};

void WriteHeader(TReplayWriter& w, const TReplay& r) {
    w.Bytes().append(MAGIC, MAGIC_SIZE);
    w.Varint(TReplay::FORMAT_VERSION);
    w.Text(r.gameVersion);
    w.Varint(static_cast<std::uint64_t>(r.islandKind));
    w.Text(r.islandName);
    w.Fixed64(r.islandHash);
    w.Varint(r.islandSize);
    for (std::int32_t v :
         {r.randomState, r.startMillis, r.startX, r.startY, r.chosen, r.lastspawn, r.victorytimer})
        w.Signed(v);
    w.Varint(r.Passes());
}

void WritePass(TReplayWriter& w, const TReplay& r, std::size_t pass) {
    const std::uint32_t first = r.firstAnswer[pass], end = r.AnswersEnd(pass);
    const std::uint32_t count = end - first;
    const std::uint64_t step = ZigZag(static_cast<std::int64_t>(r.clockSteps[pass]) - USUAL_STEP);
    const unsigned smallCount = count < SMALL_ANSWERS ? count : SMALL_ANSWERS;
    const unsigned smallStep = step < SMALL_STEP ? static_cast<unsigned>(step) : SMALL_STEP;
    w.Byte(smallCount | (smallStep << 3));
    if (smallCount == SMALL_ANSWERS) w.Varint(count - SMALL_ANSWERS);
    if (smallStep == SMALL_STEP) w.Varint(step);
    int previous = -1;
    for (std::uint32_t i = first; i < end; ++i) {
        const TReplay::Answer& a = r.answers[i];
        // A single press, by far the most common answer, costs no byte of its own.
        const auto skipped = static_cast<std::uint64_t>(a.query - previous - 1);
        w.Varint(skipped << 1 | (a.count != 1 ? 1u : 0u));
        w.Byte(a.key);
        if (a.count != 1) w.Varint(a.count);
        previous = a.query;
    }
}

bool ReadHeader(TReplayReader& in, TReplay& r, std::string& why) {
    const std::uint64_t version = in.Varint();
    if (in.Ok() && version != TReplay::FORMAT_VERSION) {
        why = "replay format version " + std::to_string(version) + ", this game reads version " +
              std::to_string(TReplay::FORMAT_VERSION);
        return false;
    }
    r.gameVersion = in.Text(TReplay::MAX_NAME);
    r.islandKind = static_cast<int>(in.Bounded(TReplay::ISLAND_GENERATED));
    r.islandName = in.Text(TReplay::MAX_NAME);
    r.islandHash = in.Fixed64();
    r.islandSize = static_cast<std::uint32_t>(in.Bounded(UINT32_MAX));
    for (std::int32_t* v : {&r.randomState, &r.startMillis, &r.startX, &r.startY, &r.chosen,
                            &r.lastspawn, &r.victorytimer})
        *v = in.Int32();
    return true;
}

bool ReadPass(TReplayReader& in, TReplay& r) {
    const unsigned head = in.Byte();
    std::uint64_t count = head & SMALL_ANSWERS;
    std::uint64_t step = head >> 3;
    if (count == SMALL_ANSWERS) count += in.Bounded(TReplay::MAX_QUERY + 1);
    if (step == SMALL_STEP) step = in.Bounded(UINT32_MAX);
    const std::int64_t clockStep = UnZigZag(step) + USUAL_STEP;
    if (clockStep < INT32_MIN || clockStep > INT32_MAX) return false;
    r.clockSteps.push_back(static_cast<std::int32_t>(clockStep));
    r.firstAnswer.push_back(static_cast<std::uint32_t>(r.answers.size()));
    int query = -1;
    for (std::uint64_t i = 0; i < count && in.Ok(); ++i) {
        const std::uint64_t skipped = in.Bounded(2 * TReplay::MAX_QUERY + 1);
        query += 1 + static_cast<int>(skipped >> 1);
        const unsigned key = in.Byte();
        const auto hits =
            static_cast<std::uint16_t>((skipped & 1) != 0 ? in.Bounded(TReplay::MAX_COUNT) : 1);
        if (query > TReplay::MAX_QUERY) return false;
        r.answers.push_back(
            {static_cast<std::uint8_t>(query), static_cast<std::uint8_t>(key), hits});
    }
    return in.Ok();
}

} // namespace

void TReplayHash::Add(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= bytes[i];
        hash *= 1099511628211ull;
    }
}

void TReplayHash::AddInt(std::int64_t value) {
    // A whole word per step: a state hash walks every cell of the island, and
    // the value, not its bytes in memory, is the same on every machine.
    hash ^= static_cast<std::uint64_t>(value);
    hash *= 1099511628211ull;
}

std::string EncodeReplay(const TReplay& replay) {
    TReplayWriter w;
    WriteHeader(w, replay);
    for (std::size_t pass = 0; pass < replay.Passes(); ++pass) {
        WritePass(w, replay, pass);
        const std::size_t done = pass + 1;
        if (done % TReplay::HASH_INTERVAL == 0)
            w.Fixed64(done / TReplay::HASH_INTERVAL <= replay.hashes.size()
                          ? replay.hashes[done / TReplay::HASH_INTERVAL - 1]
                          : 0);
    }
    w.Fixed64(replay.finalHash);
    TReplayHash check;
    check.Add(w.Bytes().data(), w.Bytes().size());
    w.Fixed64(check.Value());
    return w.Bytes();
}

bool DecodeReplay(const std::string& bytes, TReplay& replay, std::string& why) {
    replay = TReplay{};
    if (bytes.size() < MAGIC_SIZE || bytes.compare(0, MAGIC_SIZE, MAGIC) != 0) {
        why = "not a replay file";
        return false;
    }
    if (bytes.size() > TReplay::MAX_FILE_BYTES) {
        why = "replay file too large";
        return false;
    }
    const std::size_t body = bytes.size() >= MAGIC_SIZE + 8 ? bytes.size() - 8 : 0;
    TReplayHash check;
    check.Add(bytes.data(), body);
    TReplayReader tail(bytes, bytes.size());
    for (std::size_t i = 0; i < body; ++i)
        tail.Byte();
    if (body < MAGIC_SIZE || tail.Fixed64() != check.Value()) {
        why = "replay file damaged or cut short";
        return false;
    }
    TReplayReader in(bytes, body);
    for (std::size_t i = 0; i < MAGIC_SIZE; ++i)
        in.Byte();
    TReplay r;
    if (!ReadHeader(in, r, why)) return false;
    // Every pass takes a byte at least: a count beyond what is left is a lie.
    const std::uint64_t passes = in.Bounded(TReplay::MAX_PASSES);
    if (in.Ok() && passes <= in.Left()) {
        r.clockSteps.reserve(passes);
        r.firstAnswer.reserve(passes);
        r.hashes.reserve(passes / TReplay::HASH_INTERVAL);
        for (std::uint64_t pass = 0; pass < passes && ReadPass(in, r); ++pass)
            if ((pass + 1) % TReplay::HASH_INTERVAL == 0) r.hashes.push_back(in.Fixed64());
        r.finalHash = in.Fixed64();
    }
    if (!in.Ok() || r.Passes() != passes || in.Left() != 0) {
        why = "replay file damaged";
        return false;
    }
    replay = std::move(r);
    return true;
}

bool LoadReplay(const std::string& path, TReplay& replay, std::string& why) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        why = "cannot read the replay file '" + path + "'";
        return false;
    }
    if (size > TReplay::MAX_FILE_BYTES) {
        why = "replay file too large";
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!file.read(bytes.data(), static_cast<std::streamsize>(size))) {
        why = "cannot read the replay file '" + path + "'";
        return false;
    }
    return DecodeReplay(bytes, replay, why);
}

bool SaveReplay(const std::string& path, const TReplay& replay) {
    const std::string bytes = EncodeReplay(replay);
    const std::string temporary = path + ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) return false;
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (!ec) return true;
    std::filesystem::remove(temporary, ec);
    return false;
}
