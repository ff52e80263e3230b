#include "shell/title.h"

#include <array>
#include <utility>

#include "core/centring.h"
#include "core/state.h"
#include "core/texts.h"
#include "media/bass.h"
#include "media/clock.h"
#include "media/desktop.h"
#include "media/graphics.h"
#include "media/keyboard.h"
#include "media/program.h"
#include "media/text_ops.h"
#include "shell/generated_island.h"
#include "shell/in_game_screens.h"
#include "shell/level.h"
#include "shell/screen_mode.h"
#include "shell/user_files.h"
#include "world/karte.h"
#include "world/map_files.h"

namespace {

const std::array<const TText*, 4> MENU_ENTRIES = {&texts::MENU_START, &texts::MENU_MAP,
                                                  &texts::MENU_README, &texts::MENU_QUIT};
constexpr int START = 0;
constexpr int CHOOSE_MAP = 1;
constexpr int README = 2;
constexpr float NOTICE_Y = 436.0f;

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
    if (depth == 32) OpenModeOrDie(0);
    std::string chosen = RequestFile(Tr(texts::CHOOSER_TITLE), "map:map", 0, MapDialogFolder());
    const bool noDialog = RequestFileUnavailable() != 0;
    if (depth == 32) OpenModeOrDie(32);
    // A re-opened mode starts without the alpha blending play relies on.
    SetBlend(BLEND_ALPHA);
    SetMouseVisible(0);
    // Without a desktop dialog the player still gets to choose.
    if (noDialog) chosen = RunMapChooser(Tr(texts::CHOOSER_TITLE));
    SetFont(adventurefont);
    // A cancelled dialog keeps the map we had.
    if (chosen.empty()) return;
    // A new island is grown at the level load; its seed shows on the title picture.
    if (IsGeneratedIsland(chosen)) {
        mapfile = chosen;
        mapnotice = IslandCaption(chosen);
        return;
    }
    // So does a map whose files cannot be read: the level load would end the game.
    // It is decoded here once and handed to the level load as it is.
    const std::string image = MapImageFileName(chosen);
    std::string why;
    TKarte map;
    if (TKarte::tryLoad(image, map, why)) {
        mapfile = image;
        KeepChosenMap(image, std::move(map));
    } else {
        DebugLog(why);
        mapnotice = Tr(texts::MAP_UNREADABLE, {FileName(chosen)});
    }
}

// White on a black strip above the picture's own line at its foot, centred.
void DrawMapNotice() {
    if (mapnotice.empty()) return;
    const float x = CentredX(mapnotice);
    const float width = 2.0f * (SCREEN_CENTRE_X - x);
    SetColor(0, 0, 0);
    DrawRect(x - 4.0f, NOTICE_Y - 3.0f, width + 8.0f, 14.0f);
    SetColor(255, 255, 255);
    DrawText(mapnotice, x, NOTICE_Y);
}

void DrawMenu(int selection) {
    for (int i = 0; i < static_cast<int>(MENU_ENTRIES.size()); ++i) {
        if (i == selection)
            SetColor(255, 0, 0);
        else
            SetColor(255, 255, 255);
        const std::string entry = Tr(*MENU_ENTRIES[i]);
        DrawText(entry, CentredX(entry), 200.0f + 40.0f * static_cast<float>(i));
    }
}

} // namespace

void LoadLevelAndShowTitle() {
    LoadLevel();
    for (;;) {
        DrawImage(titleimage, 0, 0, 0);
        DrawMapNotice();
        Flip(-1);
        if (NextChar() != 0) break;
        EndOnCloseRequest();
        Pause(60);
    }
    mapnotice.clear();
    gamestate = GS_MENU;
    ClearKeys();
}

void RunTitleMenu() {
    SetFont(adventurefont);
    SetGamepadStartEscapes(1);
    OpenURLFailed(); // an opener's answer from an earlier visit is stale
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
            if (selection == START) {
                gamestate = GS_PLAY;
            } else if (selection == CHOOSE_MAP) {
                ChooseMap();
                gamestate = GS_LOADLEVEL;
            } else if (selection == README) {
                OpenURL(Tr(texts::README_FILE));
            } else {
                Quit();
            }
        }
        if (KeyHitCount(KEY_ESCAPE) > 0) Quit();
        // Without a desktop viewer the readme is shown in the game.
        if (OpenURLFailed()) {
            RunReader(Tr(texts::README_FILE));
            SetFont(adventurefont);
        }
        EndOnCloseRequest();
        Pause(60);
    }
    SetGamepadStartEscapes(0);
    SetFont(defaultfont);
    ClearKeys();
}
