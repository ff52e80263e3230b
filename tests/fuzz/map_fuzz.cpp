// A whole level from hostile files: map picture, item layer, critter file,
// the castaway's placement and a few critter sweeps. Pieces: picture, layer,
// critters.
#include "fuzz_support.h"
#include "media/clock.h"
#include "media/test_seams.h"
#include "player/player.h"
#include "shell/level.h"
#include "world/critter.h"
#include "world/karte.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool once = [] {
        ThrowOnProgramExit(true);
        UseVirtualClock(true, 1000000);
        return true;
    }();
    (void)once;
    const auto pieces = fuzz::Pieces(data, size, 3);
    const std::string path = fuzz::WriteScratch("insel.png", pieces[0]);
    fuzz::WriteScratch("insel.map", pieces[1]);
    fuzz::WriteScratch("insel.critter", pieces[2]);
    SeedRandom(static_cast<int>(size));
    TCritter::list.clear();
    try {
        karte = TKarte::loadPNG(path);
    } catch (const ProgramExit&) {
        return 0; // a clear fatal error is a fine answer to a broken map
    }
    TCritter::load(path, player.seenByCritters());
    PlacePlayer();
    for (int sweep = 0; sweep < 4; ++sweep)
        TCritter::Update(player.seenByCritters());
    fuzz::Check(karte.contains(player.x, player.y), "castaway on the map");
    for (const TCritter& critter : TCritter::list)
        fuzz::Check(karte.contains(critter.x, critter.y), "critter on the map");
    return 0;
}
