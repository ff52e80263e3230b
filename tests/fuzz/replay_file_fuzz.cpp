// The replay file reader: whatever the bytes, a clear refusal or a replay whose
// passes, answers and hashes agree with one another.
#include "core/replay_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TReplay replay;
    std::string why;
    if (!DecodeReplay(bytes, replay, why)) {
        fuzz::Check(!why.empty(), "a refusal says why");
        fuzz::Check(replay.Passes() == 0, "a refused file leaves nothing");
        return 0;
    }
    fuzz::Check(replay.firstAnswer.size() == replay.Passes(), "one answer start per pass");
    fuzz::Check(replay.hashes.size() == replay.Passes() / TReplay::HASH_INTERVAL, "hash count");
    for (std::size_t pass = 0; pass < replay.Passes(); ++pass)
        fuzz::Check(replay.firstAnswer[pass] <= replay.AnswersEnd(pass), "answers in order");
    TReplay again;
    fuzz::Check(DecodeReplay(EncodeReplay(replay), again, why), "what was read can be written");
    fuzz::Check(again.Passes() == replay.Passes() && again.answers.size() == replay.answers.size(),
                "and read back the same");
    return 0;
}
