#include "generate.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "audio.h"
#include "icons.h"
#include "islands.h"
#include "pictures.h"
#include "png_writer.h"
#include "sprites.h"
#include "texts.h"
#include "tiles.h"
#include "ttf_writer.h"

namespace assetgen {
namespace {

std::vector<uint8_t> png(const Canvas& c, int channels) {
    return encodePng(c.width(), c.height(), channels, c.bytes(channels));
}

std::vector<uint8_t> text(const std::string& s) {
    return {s.begin(), s.end()};
}

} // namespace

AssetFiles buildAssets() {
    AssetFiles f;
    // Sprite sheets carry alpha; the big pictures and the maps do not.
    f["gfx/title_wip.png"] = png(titlePicture(), 3);
    f["gfx/basetiles2.png"] = png(tileSheet(), 4);
    f["gfx/objects.png"] = png(itemSheet(), 4);
    f["gfx/beings.png"] = png(beingSheet(), 4);
    f["gfx/selector.png"] = png(selectorImage(), 4);
    f["gfx/foodstate.png"] = png(foodstateSheet(), 4);
    f["gfx/Adventure.ttf"] = buildPixelTtf();
    for (int n = 0; n < kIntroPictures; ++n)
        f["gfx/C64intro/bearbeitet/" + std::to_string(n) + ".png"] = png(introPicture(n), 3);
    for (int size : kIconSizes)
        f["gfx/icons/" + std::to_string(size) + ".png"] = png(programIcon(size), 4);

    f["sfx/chose.wav"] = encodeWav(soundChose());
    f["sfx/confirm.wav"] = encodeWav(soundConfirm());
    f["sfx/hit.wav"] = encodeWav(soundHit());
    f["sfx/walk.wav"] = encodeWav(soundWalk());
    f["sfx/tasta.wav"] = encodeWav(soundTyping());
    f["sfx/c64load.wav"] = encodeWav(soundTapeLoad());
    f["sfx/winningtheme.ogg"] = encodeOgg(victoryTune());

    const struct {
        const char* name;
        mapcheck::MapData map;
    } islands[] = {{"map/map", defaultIsland()}, {"map/bucht", bayIsland()}};
    for (const auto& island : islands) {
        const std::string base = island.name;
        f[base + ".png"] = png(mapImage(island.map), 3);
        f[base + ".map"] = island.map.items;
        f[base + ".critter"] = critterFile(island.map);
    }

    f["data/game.cfg"] = text(gameConfig());
    f["data/stream.cfg"] = text(streamConfig());
    f["data/liesmich.txt"] = text(readme());
    return f;
}

void writeAssets(const AssetFiles& files, const std::string& outDir) {
    namespace fs = std::filesystem;
    for (const auto& [path, bytes] : files) {
        fs::path target = fs::path(outDir) / path;
        fs::create_directories(target.parent_path());
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) throw std::runtime_error("cannot write " + target.string());
    }
}

} // namespace assetgen
