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
#include "shell/level.h"
#include "shell/music.h"
#include "shell/replay.h"
#include "shell/screen_mode.h"
#include "shell/user_files.h"
#include "world/critter.h"
#include "world/karte.h"
#include "world/message.h"
#include "world/objekt.h"
#include "world/world.h"

void StartUp() {
    // Before SDL starts: it reads the window class when video comes up.
    SetApplicationIdentity("Palmut", PALMUT_APP_ID);
    TObjekt::Reset();
    Tmessage::Reset();
    TCritter::Reset();
    SeedRandom(Millis());
    const GameConfig config = ReadGameConfig(SettingsFile("game.cfg", "data/game.cfg"));
    // --lang over the setting over the desktop; chosen before the first text.
    UseLanguage(!languageoverride.empty() ? languageoverride
                                          : ChooseLanguage(config.language, DesktopLocale()));
    SetWindowTitle(Tr(texts::WINDOW_TITLE));
    SetWindowIcon("gfx/icons/64.png");
    soundon = config.sound ? 1 : 0;
    RecordGamesToFolder(config.replays ? UserReplaysFolder() : "");
    OpenModeOrDie(config.fullscreen ? 32 : 0);

    if (!startInPlay) PlayIntro();

    const std::string address = ReadStreamAddress(SettingsFile("stream.cfg", "Data/stream.cfg"));
    if (!address.empty()) StartMusic(address);

    LoadGameAssets();
    LoadFirstIsland();
    SetMouseVisible(0);
}

void ResetGlobals() {
    ResetWorld();
    player = TPlayer();
    ResetState();
}
