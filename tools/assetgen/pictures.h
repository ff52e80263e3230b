// The full-screen pictures: the title and the home-computer loading screens.
// They have no alpha channel, and the game treats their pure black pixels as
// holes, so none of them uses pure black.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace assetgen {

inline constexpr int kScreenW = 640;
inline constexpr int kScreenH = 480;
inline constexpr int kIntroPictures = 22;

// The words drawn into the pictures, per language.
struct PictureWords {
    std::string code; // "de" for the pictures the game falls back to
    std::string subtitle, pressKey;
    std::string machine, ready, load, searching, found, loading, run, starting;
};
const PictureWords& GermanPictureWords();
const PictureWords& EnglishPictureWords();

Canvas TitlePicture(const PictureWords& words = GermanPictureWords());
// Picture n (0-21) of the boot-and-load sequence.
Canvas IntroPicture(int n, const PictureWords& words = GermanPictureWords());
// Every pixel of pure black becomes a near-black: a safety net for the rule above.
void AvoidPureBlack(Canvas& c);
// Nearest-neighbour enlargement: keeps the coarse pixels crisp.
Canvas Enlarge(const Canvas& src, int factor);

} // namespace assetgen
