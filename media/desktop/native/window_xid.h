// The X11 id of the game window, for dialogs that attach to it.
#pragma once

namespace media_internal {

// Called by the file dialog before it starts a helper: 0 when no window is open
// or the window is not on X11.
unsigned long CurrentWindowXid();

} // namespace media_internal
