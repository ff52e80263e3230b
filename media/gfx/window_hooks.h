// The frame-level test hooks both window backends (the desktop's window, the
// page's canvas) share; window_hooks.cpp also answers the queries on them.
#pragma once

namespace media_internal {

// Called by Flip first: the test's frame hook, when one is set.
void RunFrameHook();
// Called by OpenGraphics: true when a test refuses modes of this depth.
bool ModeRefused(int depth);
// Called by Flip after presenting: the frame's draw calls, for LastFrameDrawCalls.
void CountFrameDrawCalls();

} // namespace media_internal
