#include "shell/main_loop.h"

#include <string>

#include "core/state.h"
#include "core/texts.h"
#include "media/bass.h"
#include "media/clock.h"
#include "media/graphics.h"
#include "media/keyboard.h"
#include "media/program.h"
#include "player/player.h"
#include "shell/death_screen.h"
#include "shell/replay.h"
#include "shell/startup.h"
#include "shell/title.h"
#include "shell/victory.h"
#include "world/critter.h"
#include "world/karte.h"
#include "world/message.h"

bool RunOnePass() {
    if (gamestate == GS_LOADLEVEL) LoadLevelAndShowTitle();
    if (gamestate == GS_MENU) RunTitleMenu();
    if (gamestate == GS_VICTORY) ShowVictoryScreen();
    // A death that play set last pass: its screen decides what comes next.
    if (IsDeathState(gamestate)) ShowDeathScreen(gamestate);

    BeginPlayPass();
    RunPlayPass(true);
    EndPlayPass();

    Pause(60);
    Flip(-1);
    Cls();
    if (CloseRequested()) {
        FinishGameRecording();
        return false;
    }
    return gamestate != GS_QUIT;
}

void RunPlayPass(bool draw) {
    player.In();
    player.move();
    player.action();
    // Drawing changes nothing the rules read, so playback without a window skips it.
    // Positions are read after input, movement and actions of this pass.
    const int vx = player.x - TKarte::VIEW_OFFSET_X, vy = player.y - TKarte::VIEW_OFFSET_Y;
    if (draw) {
        karte.Render(vx, vy);
        TCritter::Render(vx, vy);
        player.Render();
    }
    Tmessage::Update();
    if (draw) {
        Tmessage::Render();
        player.renderInventory();
    }
    CheckVictory();
}

void RunMainLoop() {
    while (RunOnePass()) {
    }
}

void RunGame(const std::string& unreadableMap) {
    if (!EnterAssetTree("gfx/title_wip.png"))
        FatalError("Palmut cannot find its game files (the folder holding gfx/title_wip.png).\n");
    StartUp();
    if (!unreadableMap.empty()) mapnotice = Tr(texts::MAP_UNREADABLE, {unreadableMap});
    RunMainLoop();
    DebugLog(" reached this");
    DebugLog(std::to_string(BASS_Free()));
    DebugLog("hmm");
    EndProgram();
}
