#include "core/assets.h"

#include <string>

#include "core/language.h"
#include "core/state.h"
#include "media/files.h"
#include "media/graphics.h"
#include "media/program.h"
#include "media/sound.h"

namespace {

// A file that is there but does not load is damaged, not missing: the
// player should be told which.
[[noreturn]] void MissingOrDamaged(const std::string& path, const std::string& kind) {
    if (ResolvePath(path).empty()) FatalError(path + " not found.");
    FatalError(path + " is damaged or not a " + kind + ".");
}

ImagePtr Required(ImagePtr image, const std::string& path) {
    if (!image) MissingOrDamaged(path, "PNG picture");
    return image;
}

ImagePtr RequiredStrip(const std::string& path, int count) {
    return Required(LoadImageStrip(path, 32, 32, 0, count, IMAGE_DEFAULT), path);
}

} // namespace

void LoadTitleAssets() {
    const std::string title = LocalisedPicture("gfx/title_wip.png");
    titleimage = Required(LoadImage(title, IMAGE_DEFAULT), title);
    sndchose = LoadSound("Sfx/chose.wav", 0);
    sndconfirm = LoadSound("Sfx/confirm.wav", 0);
    sndhit = LoadSound("Sfx/hit.wav", 0);
    sndwalk = LoadSound("Sfx/walk.wav", 0);
}

void LoadPlayAssets() {
    tiles = RequiredStrip("gfx/basetiles2.png", 10);
    objectimages = RequiredStrip("gfx/objects.png", 23);
    beings = RequiredStrip("gfx/beings.png", 10);
    selector = Required(LoadImage("gfx/selector.png", IMAGE_DEFAULT), "gfx/selector.png");
    foodstate = RequiredStrip("gfx/foodstate.png", 2);
    adventurefont = LoadFont("gfx/Adventure.ttf", 32, FONT_SMOOTH);
    if (!adventurefont) MissingOrDamaged("gfx/Adventure.ttf", "TrueType font");
}

void LoadGameAssets() {
    SetCentredHandles(0);
    LoadTitleAssets();
    SetCentredHandles(1);
    SetBlend(BLEND_ALPHA);
    LoadPlayAssets();
    defaultfont = GetFont();
}
