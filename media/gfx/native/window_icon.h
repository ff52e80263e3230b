// The program's icon, set by the game before its window opens.
#pragma once

struct SDL_Window;

namespace media_internal {

// Called by OpenGraphics for each new window: gives it the icon, if one was set.
void ApplyWindowIcon(SDL_Window* window);

} // namespace media_internal
