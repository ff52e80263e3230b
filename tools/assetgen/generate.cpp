#include "generate.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "audio.h"
#include "icons.h"
#include "islands.h"
#include "media/gfx/native/png_writer.h"
#include "pictures.h"
#include "sprites.h"
#include "texts.h"
#include "tiles.h"
#include "ttf_writer.h"

namespace assetgen {
namespace {

std::vector<uint8_t> Png(const Canvas& c, int channels) {
    std::vector<uint8_t> png =
        media_internal::EncodePng(c.Width(), c.Height(), channels, c.Bytes(channels));
    if (png.empty()) throw std::runtime_error("a picture could not be packed");
    return png;
}

std::vector<uint8_t> Text(const std::string& s) {
    return {s.begin(), s.end()};
}

} // namespace

AssetFiles BuildAssets() {
    AssetFiles f;
    // Sprite sheets carry alpha; the big pictures and the maps do not.
    f["gfx/title_wip.png"] = Png(TitlePicture(), 3);
    f["gfx/basetiles2.png"] = Png(TileSheet(), 4);
    f["gfx/objects.png"] = Png(ItemSheet(), 4);
    f["gfx/beings.png"] = Png(BeingSheet(), 4);
    f["gfx/selector.png"] = Png(SelectorImage(), 4);
    f["gfx/foodstate.png"] = Png(FoodstateSheet(), 4);
    f["gfx/Adventure.ttf"] = BuildPixelTtf();
    for (int n = 0; n < kIntroPictures; ++n)
        f["gfx/C64intro/bearbeitet/" + std::to_string(n) + ".png"] = Png(IntroPicture(n), 3);
    // The pictures with words once more per further language, under gfx/<code>/.
    const PictureWords& english = EnglishPictureWords();
    f["gfx/" + english.code + "/title_wip.png"] = Png(TitlePicture(english), 3);
    for (int n = 0; n < kIntroPictures; ++n)
        f["gfx/" + english.code + "/C64intro/bearbeitet/" + std::to_string(n) + ".png"] =
            Png(IntroPicture(n, english), 3);
    for (int size : kIconSizes)
        f["gfx/icons/" + std::to_string(size) + ".png"] = Png(ProgramIcon(size), 4);

    f["sfx/chose.wav"] = EncodeWav(SoundChose());
    f["sfx/confirm.wav"] = EncodeWav(SoundConfirm());
    f["sfx/hit.wav"] = EncodeWav(SoundHit());
    f["sfx/walk.wav"] = EncodeWav(SoundWalk());
    f["sfx/tasta.wav"] = EncodeWav(SoundTyping());
    f["sfx/c64load.wav"] = EncodeWav(SoundTapeLoad());
    f["sfx/winningtheme.ogg"] = EncodeOgg(VictoryTune());

    const struct {
        const char* name;
        mapcheck::MapData map;
    } islands[] = {{"map/map", DefaultIsland()}, {"map/bucht", BayIsland()}};
    for (const auto& island : islands) {
        const std::string base = island.name;
        f[base + ".png"] = Png(MapImage(island.map), 3);
        f[base + ".map"] = island.map.items;
        f[base + ".critter"] = CritterFile(island.map);
    }

    f["data/game.cfg"] = Text(GameConfig());
    f["data/stream.cfg"] = Text(StreamConfig());
    f["data/liesmich.txt"] = Text(Readme());
    f["data/readme.txt"] = Text(ReadmeEnglish());
    f["page/liesmich.txt"] = Text(PageReadme());
    f["page/readme.txt"] = Text(PageReadmeEnglish());
    return f;
}

void WriteAssets(const AssetFiles& files, const std::string& outDir) {
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
