#include "core/state.h"

#include "media/bass.h"
#include "media/keyboard.h"
#include "media/program.h"

int gamestate = GS_LOADLEVEL;
std::string mapfile = DEFAULT_MAPFILE;
int soundon = 0;
int victorytimer = 0;
std::string mapnotice;
std::string languageoverride;
bool startInPlay = false;

ImagePtr titleimage;
ImagePtr tiles;
ImagePtr objectimages;
ImagePtr beings;
ImagePtr selector;
ImagePtr foodstate;
FontPtr adventurefont;
FontPtr defaultfont;
SoundPtr sndchose;
SoundPtr sndconfirm;
SoundPtr sndhit;
SoundPtr sndwalk;

void ResetState() {
    gamestate = GS_LOADLEVEL;
    mapfile = DEFAULT_MAPFILE;
    soundon = 0;
    victorytimer = 0;
    mapnotice.clear();
    languageoverride.clear();
    startInPlay = false;
    titleimage = tiles = objectimages = beings = selector = foodstate = nullptr;
    adventurefont = defaultfont = nullptr;
    sndchose = sndconfirm = sndhit = sndwalk = nullptr;
}

void PlaySfx(const SoundPtr& sound) {
    if (soundon == 1 && sound) Play(sound);
}

void EndOnCloseRequest() {
    if (!CloseRequested()) return;
    BASS_Free();
    EndProgram();
}
