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

// A sprite sheet is one row of square cells, as many frames as cells: a sheet
// with a new item's cell needs no change here.
ImagePtr RequiredStrip(const std::string& path) {
    int width = 0, height = 0;
    if (!PictureSize(path, width, height)) MissingOrDamaged(path, "PNG picture");
    return Required(LoadImageStrip(path, height, height, 0, width / height, IMAGE_DEFAULT), path);
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
    tiles = RequiredStrip("gfx/basetiles2.png");
    objectimages = RequiredStrip("gfx/objects.png");
    beings = RequiredStrip("gfx/beings.png");
    selector = Required(LoadImage("gfx/selector.png", IMAGE_DEFAULT), "gfx/selector.png");
    foodstate = RequiredStrip("gfx/foodstate.png");
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
