#include "core/state.h"

int gamestate = GS_LOADLEVEL;
std::string mapfile = "map/map.png";
int soundon = 0;
int victorytimer = 0;

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
    mapfile = "map/map.png";
    soundon = 0;
    victorytimer = 0;
    titleimage = tiles = objectimages = beings = selector = foodstate = nullptr;
    adventurefont = defaultfont = nullptr;
    sndchose = sndconfirm = sndhit = sndwalk = nullptr;
}

void PlaySfx(const SoundPtr& sound) {
    if (soundon == 1 && sound) Play(sound);
}
