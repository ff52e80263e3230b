#include "shell/startup.h"

#include "core/state.h"
#include "media/clock.h"
#include "media/files.h"
#include "media/graphics.h"
#include "media/program.h"
#include "player/player.h"
#include "shell/config.h"
#include "shell/intro.h"
#include "shell/music.h"
#include "shell/user_files.h"
#include "world/critter.h"
#include "world/karte.h"
#include "world/message.h"
#include "world/objekt.h"
#include "world/world.h"

namespace {

constexpr int kDiagonalLimit = 64;

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
    titleimage = Required(LoadImage("gfx/title_wip.png", IMAGE_DEFAULT), "gfx/title_wip.png");
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

void OpenModeOrDie(int depth) {
    if (OpenGraphics(640, 480, depth, 60, 0)) return;
    // A desktop that refuses one mode may still give the other.
    if (OpenGraphics(640, 480, depth == 0 ? 32 : 0, 60, 0)) return;
    FatalError("Cannot open a 640 x 480 window with OpenGL 3.3 or OpenGL ES 3.0.\n");
}

void PlacePlayer() {
    for (int i = 0; i < kDiagonalLimit && karte.contains(i, i); ++i) {
        if (karte.data(i, i, 0) != 0) {
            player.SetPos(i, i);
            return;
        }
    }
    // A position kept from a larger map must not point outside this one.
    player.SetPos(player.x, player.y);
}

void StartUp() {
    // Before SDL starts: it reads the window class when video comes up.
    SetApplicationIdentity("Palmut", PALMUT_APP_ID);
    TObjekt::list.clear();
    Tmessage::list.clear();
    TCritter::list.clear();
    SeedRandom(Millis());
    SetWindowTitle("Palmut - 8-bit-Adventure");
    SetWindowIcon("gfx/icons/64.png");

    const GameConfig config = ReadGameConfig(SettingsFile("game.cfg", "data/game.cfg"));
    soundon = config.sound ? 1 : 0;
    OpenModeOrDie(config.fullscreen ? 32 : 0);

    PlayIntro();

    const std::string address = ReadStreamAddress(SettingsFile("stream.cfg", "Data/stream.cfg"));
    if (!address.empty()) StartMusic(address);

    LoadTitleAssets();
    SetCentredHandles(1);
    SetBlend(BLEND_ALPHA);
    LoadPlayAssets();
    defaultfont = GetFont();

    karte = TKarte::loadPNG(mapfile);
    player = TPlayer();
    TObjekt::RegisterCatalogue();
    PlacePlayer();
    SetMouseVisible(0);
}

void ResetGlobals() {
    ResetWorld();
    player = TPlayer();
    ResetState();
}
