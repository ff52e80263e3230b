// The game's shared state below the island and the castaway: the screen
// selector, the chosen map, the settings and the loaded assets. One instance
// each, alive from start-up to the end. The map (`karte`) belongs to world/, the
// castaway (`player`) to player/.
#pragma once

#include <string>

#include "media/graphics.h"
#include "media/sound.h"

// Screen or play mode selector.
constexpr int GS_PLAY = 3;
constexpr int GS_USE = 2;
constexpr int GS_COMBINE = 5;
constexpr int GS_DROP = 10;
constexpr int GS_LOADLEVEL = 1;
constexpr int GS_MENU = 9;
constexpr int GS_DEAD_HUNGER = 6;
constexpr int GS_DEAD_THIRST = 7;
constexpr int GS_DEAD_WARAN = 8;
constexpr int GS_VICTORY = 666;
constexpr int GS_QUIT = -1;

// Whether a state is one of the three deaths.
inline bool IsDeathState(int state) {
    return state == GS_DEAD_HUNGER || state == GS_DEAD_THIRST || state == GS_DEAD_WARAN;
}

extern int gamestate;
// The island played when none was chosen: the shipped one.
inline constexpr const char* DEFAULT_MAPFILE = "map/map.png";
extern std::string mapfile;
extern int soundon;
extern int victorytimer;
// Why the map last chosen in the menu was not taken; shown on the next title picture.
extern std::string mapnotice;
// The language --lang asked for, "" when the setting or the desktop decides.
extern std::string languageoverride;
// --play: start up straight into play on the chosen map, skipping the loading
// screen, the title picture and the menu (the island editor's play-test).
extern bool startInPlay;

extern ImagePtr titleimage;
extern ImagePtr tiles;
extern ImagePtr objectimages;
extern ImagePtr beings;
extern ImagePtr selector;
extern ImagePtr foodstate;
extern FontPtr adventurefont;
extern FontPtr defaultfont;
extern SoundPtr sndchose;
extern SoundPtr sndconfirm;
extern SoundPtr sndhit;
extern SoundPtr sndwalk;

// Back to the values before start-up, no assets. Called by ResetGlobals.
void ResetState();

// Plays a sound effect of the menu or of play: only when sound effects are on,
// and silently nothing when the file was missing.
void PlaySfx(const SoundPtr& sound);

// The screens outside play end the program, as quitting from the menu does,
// when the window was asked to close. Play itself ends at the end of its pass.
void EndOnCloseRequest();
