// The drawing state of the open mode; OpenGraphics resets it.
#pragma once

namespace media_internal {

void ResetDrawState();

} // namespace media_internal
