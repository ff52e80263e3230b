// Audio device; filled in with the mixer.
#include "internal.h"

namespace media_internal {
void StopAudio() {}
} // namespace media_internal
