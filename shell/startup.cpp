#include "shell/startup.h"

#include "core/assets.h"
#include "core/language.h"
#include "core/state.h"
#include "core/texts.h"
#include "media/clock.h"
#include "media/files.h"
#include "media/graphics.h"
#include "media/program.h"
#include "player/player.h"
#include "shell/config.h"
#include "shell/intro.h"
#include "shell/music.h"
#include "shell/title.h"
#include "shell/user_files.h"
#include "world/critter.h"
#include "world/karte.h"
#include "world/message.h"
#include "world/objekt.h"
#include "world/world.h"

void OpenModeOrDie(int depth) {
    if (OpenGraphics(640, 480, depth, 60, 0)) return;
    // A desktop that refuses one mode may still give the other.
    if (OpenGraphics(640, 480, depth == 0 ? 32 : 0, 60, 0)) return;
    FatalError("Cannot open a 640 x 480 window with OpenGL 3.3 or OpenGL ES 3.0.\n");
}

void PlacePlayer() {
    for (int i = 0; i < TPlayer::START_DIAGONAL && karte.contains(i, i); ++i) {
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
    const GameConfig config = ReadGameConfig(SettingsFile("game.cfg", "data/game.cfg"));
    // --lang over the setting over the desktop; chosen before the first text.
    UseLanguage(!languageoverride.empty() ? languageoverride
                                          : ChooseLanguage(config.language, DesktopLocale()));
    SetWindowTitle(Tr(texts::WINDOW_TITLE));
    SetWindowIcon("gfx/icons/64.png");
    soundon = config.sound ? 1 : 0;
    OpenModeOrDie(config.fullscreen ? 32 : 0);

    if (!startInPlay) PlayIntro();

    const std::string address = ReadStreamAddress(SettingsFile("stream.cfg", "Data/stream.cfg"));
    if (!address.empty()) StartMusic(address);

    LoadGameAssets();
    LoadFirstIsland();
    SetMouseVisible(0);
}

void LoadFirstIsland() {
    player = TPlayer();
    TObjekt::RegisterCatalogue();
    if (startInPlay) {
        LoadLevel(); // map, critters and castaway, as behind the title picture
        gamestate = GS_PLAY;
        return;
    }
    karte = TKarte::loadPNG(mapfile);
    PlacePlayer();
}

void ResetGlobals() {
    ResetWorld();
    player = TPlayer();
    ResetState();
}
