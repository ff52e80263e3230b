#include "world/karte.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

#include "core/state.h"
#include "media/files.h"
#include "media/graphics.h"
#include "media/program.h"
#include "world/map_files.h"
#include "world/objekt.h"

TKarte karte;

namespace {
int GroundOfColour(std::uint32_t argb) {
    for (int kind = TKarte::SHALLOW; kind < TKarte::GROUND_KINDS; ++kind)
        if (TKarte::GROUND_COLOURS[kind] == argb) return kind;
    return TKarte::SEA;
}

// Width and height from a PNG file's header, without decoding it, so a hostile
// size is refused before anything is allocated. False when the file is not a
// readable PNG; the decoder then reports it.
bool ReadPngSize(const std::string& path, std::uint32_t& width, std::uint32_t& height) {
    FileStreamPtr file = OpenForReading(path);
    if (!file) return false;
    static const std::array<int, 16> expected = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A,
                                                 -1,   -1,  -1,  -1,  'I',  'H',  'D',  'R'};
    std::array<int, 24> header{};
    bool ok = true;
    for (int& byte : header) {
        if (Eof(file)) {
            ok = false;
            break;
        }
        byte = ReadByte(file);
    }
    Close(file);
    if (!ok) return false;
    for (std::size_t i = 0; i < expected.size(); ++i)
        if (expected[i] >= 0 && header[i] != expected[i]) return false;
    auto be32 = [&](int at) {
        return static_cast<std::uint32_t>(header[at]) << 24 |
               static_cast<std::uint32_t>(header[at + 1]) << 16 |
               static_cast<std::uint32_t>(header[at + 2]) << 8 |
               static_cast<std::uint32_t>(header[at + 3]);
    };
    width = be32(16);
    height = be32(20);
    return true;
}

[[noreturn]] void MapTooLarge(const std::string& path) {
    FatalError(path + " is larger than " + std::to_string(TKarte::MAX_SIDE) + " x " +
               std::to_string(TKarte::MAX_SIDE) + " cells.");
}
} // namespace

bool TKarte::contains(int x, int y) const {
    return x >= 0 && y >= 0 && x < sizex && y < sizey;
}

int& TKarte::data(int x, int y, int l) {
    // Writes outside the map land here and are forgotten.
    static int outside = 0;
    if (!contains(x, y) || l < 0 || l >= layers) {
        outside = 0;
        return outside;
    }
    return cells[(static_cast<std::size_t>(y) * sizex + x) * layers + l];
}

int TKarte::data(int x, int y, int l) const {
    if (!contains(x, y) || l < 0 || l >= layers) return 0;
    return cells[(static_cast<std::size_t>(y) * sizex + x) * layers + l];
}

TKarte TKarte::Create(int sizex, int sizey, int layers) {
    TKarte map;
    map.sizex = sizex > 0 ? sizex : 0;
    map.sizey = sizey > 0 ? sizey : 0;
    map.layers = layers > 0 ? layers : 0;
    map.cells.assign(static_cast<std::size_t>(map.sizex) * map.sizey * map.layers, 0);
    return map;
}

TKarte TKarte::loadPNG(const std::string& path) {
    std::uint32_t headerWidth = 0, headerHeight = 0;
    if (ReadPngSize(path, headerWidth, headerHeight) &&
        (headerWidth > TKarte::MAX_SIDE || headerHeight > TKarte::MAX_SIDE))
        MapTooLarge(path);

    PixmapPtr pixmap = LoadPixmapFile(path);
    if (!pixmap && ResolvePath(path).empty()) FatalError(path + " not found.");
    if (!pixmap) FatalError(path + " is damaged or not a PNG picture.");
    int width = PixmapWidth(pixmap);
    int height = PixmapHeight(pixmap);
    if (width > TKarte::MAX_SIDE || height > TKarte::MAX_SIDE) MapTooLarge(path);
    if (width <= 0 || height <= 0) FatalError(path + " not found.");

    TKarte map = Create(width, height, 3);
    std::vector<std::uint32_t> row(static_cast<std::size_t>(width));
    // Straight into the cells, a row at a time: a 4096² map has 16 million.
    // Ground comes in runs of one colour, so the last match is tried first.
    int* cell = map.cells.data();
    const int layers = map.layers;
    std::uint32_t lastColour = GROUND_COLOURS[SEA];
    int lastKind = SEA;
    for (int y = 0; y < height; ++y) {
        ReadPixelRow(pixmap, y, row.data());
        for (const std::uint32_t colour : row) {
            if (colour != lastColour) {
                lastColour = colour;
                lastKind = GroundOfColour(colour);
            }
            *cell = lastKind;
            cell += layers;
        }
    }
    map.loadlayer(path, 1);
    return map;
}

bool TKarte::canLoad(const std::string& path) {
    std::uint32_t width = 0, height = 0;
    if (!ReadPngSize(path, width, height)) return false;
    if (width == 0 || height == 0 || width > MAX_SIDE || height > MAX_SIDE) return false;
    const std::string name = LayerFileName(path, ".map");
    FileStreamPtr file = OpenForReading(name);
    if (!file) return false;
    Close(file);
    std::error_code error;
    const auto bytes = std::filesystem::file_size(ResolvePath(name), error);
    return !error && bytes >= static_cast<std::uintmax_t>(width) * height;
}

void TKarte::loadlayer(const std::string& path, int layer) {
    std::string name = LayerFileName(path, ".map");
    FileStreamPtr file = OpenForReading(name);
    if (!file) FatalError(name + " not found.");
    // Read a row at a time; a short file ends the program as reading past the
    // end with ReadByte does.
    std::vector<unsigned char> row(static_cast<std::size_t>(sizex > 0 ? sizex : 0));
    const bool kept = layer >= 0 && layer < layers;
    int* cell = kept ? cells.data() + layer : nullptr;
    for (int y = 0; y < sizey; ++y) {
        if (ReadBytes(file, row.data(), row.size()) != row.size())
            FatalError("Error reading from stream");
        if (!kept) continue;
        for (unsigned char value : row) {
            *cell = value;
            cell += layers;
        }
    }
    Close(file);
}

int TKarte::isenterable(int x, int y) const {
    if (!contains(x, y)) return 0;
    return data(x, y, 0) > 0 ? 1 : 0;
}

void ClampViewOrigin(const TKarte& map, int& vx, int& vy) {
    if (vx < 0) vx = 0;
    if (vy < 0) vy = 0;
    if (vx >= map.sizex - TKarte::VIEW_COLUMNS) vx = map.sizex - TKarte::VIEW_COLUMNS;
    if (vy >= map.sizey - TKarte::VIEW_ROWS) vy = map.sizey - TKarte::VIEW_ROWS;
    // A map smaller than the view starts at its first column or row.
    if (vx < 0) vx = 0;
    if (vy < 0) vy = 0;
}

void TKarte::Render(int vx, int vy) const {
    ClampViewOrigin(*this, vx, vy);
    // The real game always has both sheets; tests may run without them.
    const int tileFrames = tiles ? ImageFrames(tiles) : 0;
    const int itemFrames = objectimages ? ImageFrames(objectimages) : 0;
    // One column and one row more than the view, for the half tiles at the edges.
    for (int x = vx; x <= vx + VIEW_COLUMNS && x < sizex; ++x) {
        for (int y = vy; y <= vy + VIEW_ROWS && y < sizey; ++y) {
            const float sx = static_cast<float>(TILE_SIZE * (x - vx));
            const float sy = static_cast<float>(TILE_SIZE * (y - vy));
            const int ground = data(x, y, 0);
            if (ground >= 0 && ground < tileFrames) DrawImage(tiles, sx, sy, ground);
            const int item = data(x, y, 1);
            if (item >= 1 && item <= TObjekt::COUNT && item - 1 < itemFrames)
                DrawImage(objectimages, sx, sy, item - 1);
        }
    }
}
