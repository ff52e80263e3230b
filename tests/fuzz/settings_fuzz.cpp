// The two settings files: game.cfg and the music address.
#include "fuzz_support.h"
#include "shell/config.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path =
        fuzz::WriteScratch("game.cfg", std::string(reinterpret_cast<const char*>(data), size));
    ReadGameConfig(path);
    const std::string address = ReadStreamAddress(path);
    fuzz::Check(address.find('\n') == std::string::npos, "one line");
    return 0;
}
