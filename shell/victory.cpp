#include "shell/victory.h"

#include <array>
#include <string>

#include "core/centring.h"
#include "core/state.h"
#include "core/texts.h"
#include "core/timer.h"
#include "media/bass.h"
#include "media/clock.h"
#include "media/graphics.h"
#include "media/keyboard.h"
#include "media/program.h"
#include "media/sound.h"
#include "player/combine.h"
#include "player/player.h"
#include "player/supplies.h"
#include "world/karte.h"
#include "world/message.h"
#include "world/objekt.h"

namespace {

constexpr int CHECK_INTERVAL = 3000;
constexpr int MESSAGE_TIME = 3000;

const std::array<const TText*, 4> CLOSING_LINES = {&texts::VICTORY_1, &texts::VICTORY_2,
                                                   &texts::VICTORY_3, &texts::VICTORY_4};

} // namespace

void CheckVictory() {
    // Only play and the selections: a death, a restart or quitting decided in
    // this pass must not turn into the victory screen.
    if (gamestate != GS_PLAY && gamestate != GS_USE && gamestate != GS_COMBINE &&
        gamestate != GS_DROP)
        return;
    if (!DelayPassed(victorytimer, Millis(), CHECK_INTERVAL)) return;
    victorytimer = Millis();
    if (!karte.contains(player.x, player.y)) return;
    if (karte.data(player.x, player.y, 1) != TObjekt::FLOSSROHLING) return;
    if (karte.data(player.x, player.y, 2) < RAFT_PAIRS_NEEDED) return;

    const Supplies supplies = CheckSupplies(player.inventory);
    if (supplies.sail && supplies.water && supplies.food) {
        gamestate = GS_VICTORY;
        Tmessage::add(Tr(texts::CAST_OFF), MESSAGE_TIME);
        return;
    }
    if (!supplies.sail) Tmessage::add(Tr(texts::NEED_SAIL), MESSAGE_TIME);
    if (!supplies.water) Tmessage::add(Tr(texts::NEED_WATER), MESSAGE_TIME);
    if (!supplies.food) Tmessage::add(Tr(texts::NEED_FOOD), MESSAGE_TIME);
}

void ShowVictoryScreen() {
    BASS_Free();
    const SoundPtr tune = LoadSound("sfx/winningtheme.ogg", 0);
    if (tune) Play(tune);
    SetColor(255, 0, 0);
    ClearKeys();
    const std::string headline = Tr(texts::VICTORY);
    for (;;) {
        SetFont(adventurefont);
        DrawText(headline, CentredX(headline), 200.0f);
        SetFont(defaultfont);
        for (std::size_t i = 0; i < CLOSING_LINES.size(); ++i) {
            const std::string line = Tr(*CLOSING_LINES[i]);
            DrawText(line, CentredX(line), 260.0f + 10.0f * static_cast<float>(i));
        }
        Pause(50);
        Flip(-1);
        if (NextChar() != 0) break;
        EndOnCloseRequest();
    }
    ClearKeys();
    EndProgram();
}
