#include "shell/level.h"

#include <utility>

#include "core/state.h"
#include "core/texts.h"
#include "player/player.h"
#include "shell/generated_island.h"
#include "shell/replay.h"
#include "world/critter.h"
#include "world/message.h"
#include "world/objekt.h"

namespace {

// The map taken in the menu, on its way to the next level load.
struct ChosenMap {
    std::string path;
    TKarte map;
};
ChosenMap chosenMap;

// A generated island stands in for `mapfile`'s files. One that will not grow
// gives way to the shipped island, with a notice on the title picture.
bool GrowChosenIsland(int& apes, int& lizards) {
    if (!IsGeneratedIsland(mapfile)) return false;
    if (GrowIsland(mapfile, karte, apes, lizards)) return true;
    mapnotice = Tr(texts::ISLAND_NOT_GROWN, {IslandCaption(mapfile)});
    mapfile = DEFAULT_MAPFILE;
    return false;
}

} // namespace

void KeepChosenMap(const std::string& path, TKarte map) {
    chosenMap = ChosenMap{path, std::move(map)};
}

TKarte MapToPlay(const std::string& path) {
    ChosenMap kept = std::exchange(chosenMap, ChosenMap{});
    if (!kept.path.empty() && kept.path == path) return std::move(kept.map);
    return TKarte::loadPNG(path);
}

void StartCell(const TKarte& map, int& x, int& y) {
    for (int i = 0; i < TPlayer::START_DIAGONAL && map.contains(i, i); ++i) {
        if (map.data(i, i, 0) != 0) {
            x = y = i;
            return;
        }
    }
    // A position kept from a larger map must not point outside this one.
    ClampToMap(map, x, y);
}

void PlacePlayer() {
    int x = player.x, y = player.y;
    StartCell(karte, x, y);
    player.SetPos(x, y);
}

void LoadLevel() {
    StartGameRecording();
    TCritter::Reset();
    player.hunger = 0;
    player.durst = 0;
    int apes = 0, lizards = 0;
    const bool grown = GrowChosenIsland(apes, lizards);
    if (!grown) karte = MapToPlay(mapfile);
    // The castaway first, so critters keep away from where he starts, not
    // from where he died.
    PlacePlayer();
    if (grown) {
        // The seed to pass on, on the title picture and on the first screen of play.
        const std::string caption = IslandCaption(mapfile);
        if (mapnotice.empty()) mapnotice = caption;
        Tmessage::add(caption, Tmessage::NEWS_MS);
        TCritter::populate(apes, lizards, player.seenByCritters());
    } else {
        TCritter::load(mapfile, player.seenByCritters());
    }
    player.rotation = 0;
    player.inventory.fill(0);
}

void LoadFirstIsland() {
    player = TPlayer();
    TObjekt::RegisterCatalogue();
    if (startInPlay) {
        LoadLevel(); // map, critters and castaway, as behind the title picture
        gamestate = GS_PLAY;
        return;
    }
    int apes = 0, lizards = 0;
    if (!GrowChosenIsland(apes, lizards)) karte = TKarte::loadPNG(mapfile);
    PlacePlayer();
}
