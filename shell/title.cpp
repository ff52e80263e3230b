#include "shell/title.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "core/state.h"
#include "media/bass.h"
#include "media/clock.h"
#include "media/desktop.h"
#include "media/graphics.h"
#include "media/keyboard.h"
#include "media/program.h"
#include "player/player.h"
#include "shell/startup.h"
#include "shell/user_files.h"
#include "world/critter.h"
#include "world/karte.h"

namespace {

const std::array<std::string, 4> kMenuEntries = {"SPIEL STARTEN", "KARTE WAEHLEN", "LIESMICH.TXT",
                                                 "ENDE"};
constexpr int kStart = 0;
constexpr int kChooseMap = 1;
constexpr int kReadme = 2;

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// A press of the first key, or else of its twin: the twin's press stays pending
// when both came in the same pass.
bool Pressed(int key, int twin) {
    return KeyHitCount(key) > 0 || KeyHitCount(twin) > 0;
}

[[noreturn]] void Quit() {
    BASS_Free();
    EndProgram();
}

void ChooseMap() {
    SetMouseVisible(1);
    const int depth = CurrentDepth();
    if (depth == 32) OpenGraphics(640, 480, 0, 60, 0);
    const std::string chosen = RequestFile("Select .map File:", "map:map", 0, MapDialogFolder());
    if (depth == 32) OpenGraphics(640, 480, 32, 60, 0);
    SetFont(adventurefont);
    // A re-opened mode starts without the alpha blending play relies on.
    SetBlend(BLEND_ALPHA);
    SetMouseVisible(0);
    // A cancelled dialog keeps the map we had.
    if (!chosen.empty()) mapfile = MapImageForChosenFile(chosen);
}

void DrawMenu(int selection) {
    for (int i = 0; i < static_cast<int>(kMenuEntries.size()); ++i) {
        if (i == selection)
            SetColor(255, 0, 0);
        else
            SetColor(255, 255, 255);
        const std::string& entry = kMenuEntries[i];
        DrawText(entry, 260.0f - 4.0f * static_cast<float>(entry.size()),
                 200.0f + 40.0f * static_cast<float>(i));
    }
}

} // namespace

std::string MapImageForChosenFile(const std::string& chosen) {
    std::string path = chosen;
    std::transform(path.begin(), path.end(), path.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    ReplaceAll(path, ".map", ".png");
    return path;
}

void LoadLevelAndShowTitle() {
    TCritter::list.clear();
    player.hunger = 0;
    player.durst = 0;
    karte = TKarte::loadPNG(mapfile);
    TCritter::load(mapfile, player.seenByCritters());
    PlacePlayer();
    player.rotation = 0;
    player.inventory.fill(0);

    for (;;) {
        DrawImage(titleimage, 0, 0, 0);
        Flip(-1);
        if (NextChar() != 0) break;
        Pause(60);
    }
    gamestate = GS_MENU;
    ClearKeys();
}

void RunTitleMenu() {
    SetFont(adventurefont);
    int selection = 0;
    while (gamestate == GS_MENU) {
        DrawMenu(selection);
        Flip(-1);
        Cls();
        if (Pressed(KEY_UP, KEY_W)) {
            selection = (selection + 3) % 4;
            PlaySfx(sndchose);
        }
        if (Pressed(KEY_DOWN, KEY_S)) {
            selection = (selection + 1) % 4;
            PlaySfx(sndchose);
        }
        if (Pressed(KEY_SPACE, KEY_ENTER)) {
            PlaySfx(sndconfirm);
            if (selection == kStart) {
                gamestate = GS_PLAY;
            } else if (selection == kChooseMap) {
                ChooseMap();
                gamestate = GS_LOADLEVEL;
            } else if (selection == kReadme) {
                OpenURL("data/liesmich.txt");
            } else {
                Quit();
            }
        }
        if (KeyHitCount(KEY_ESCAPE) > 0) Quit();
        Pause(60);
    }
    SetFont(defaultfont);
    ClearKeys();
}
