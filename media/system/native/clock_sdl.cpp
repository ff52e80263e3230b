// The desktop's real clock: the steady clock and SDL's sleep.
#include <chrono>
#include <cstdint>

#include <SDL2/SDL.h>

#include "media/system/real_clock.h"

namespace media_internal {

int RealMillis() {
    using namespace std::chrono;
    auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    // Truncating to 32 bits wraps the clock as the game expects.
    return static_cast<int>(static_cast<uint32_t>(ms));
}

void RealSleep(int ms) {
    if (ms > 0) SDL_Delay(static_cast<Uint32>(ms));
}

} // namespace media_internal
