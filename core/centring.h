// Centring a line of text by its measured width, for every screen and font.
#pragma once

#include <string>

#include "media/graphics.h"

constexpr float SCREEN_CENTRE_X = 320.0f;

// Where a line starts so that its middle sits at `centre`, in the current font.
inline float CentredX(const std::string& text, float centre = SCREEN_CENTRE_X) {
    return centre - TextWidth(GetFont(), text) / 2.0f;
}
