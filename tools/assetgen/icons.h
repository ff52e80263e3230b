// The program icon: a palm on a sandy islet in the sea, in the game's palette.
#pragma once

#include "canvas.h"

namespace assetgen {

inline constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// The icon at one of kIconSizes: drawn at 16 and 32 pixels, larger sizes are
// whole-number enlargements so the pixels stay crisp.
Canvas ProgramIcon(int size);

} // namespace assetgen
