#include "world/karte.h"

#include <cstdint>
#include <string>
#include <utility>
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

// Why a picture did not decode: only asked after the decoder refused it.
std::string WhyNoPicture(const std::string& path) {
    int width = 0, height = 0;
    if (PictureSize(path, width, height) && (width > TKarte::MAX_SIDE || height > TKarte::MAX_SIDE))
        return path + " is larger than " + std::to_string(TKarte::MAX_SIDE) + " x " +
               std::to_string(TKarte::MAX_SIDE) + " cells.";
    if (ResolvePath(path).empty()) return path + " not found.";
    return path + " is damaged or not a PNG picture.";
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
    TKarte map;
    std::string why;
    if (!tryLoad(path, map, why)) FatalError(why);
    return map;
}

bool TKarte::tryLoad(const std::string& path, TKarte& map, std::string& why) {
    TKarte loaded;
    if (!loaded.readGround(path, why) || !loaded.readLayer(path, 1, why)) return false;
    map = std::move(loaded);
    return true;
}

// Layer 0 from the picture's colours. The decoder refuses a picture over
// MAX_SIDE from its header, before anything is allocated.
bool TKarte::readGround(const std::string& path, std::string& why) {
    PixmapPtr pixmap = LoadPixmapFile(path, MAX_SIDE);
    if (!pixmap) {
        why = WhyNoPicture(path);
        return false;
    }
    const int width = PixmapWidth(pixmap);
    const int height = PixmapHeight(pixmap);
    *this = Create(width, height, 3);
    std::vector<std::uint32_t> row(static_cast<std::size_t>(width));
    // Straight into the cells, a row at a time: a 4096² map has 16 million.
    // Ground comes in runs of one colour, so the last match is tried first.
    int* cell = cells.data();
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
    return true;
}

void TKarte::loadlayer(const std::string& path, int layer) {
    std::string why;
    if (!readLayer(path, layer, why)) FatalError(why);
}

bool TKarte::readLayer(const std::string& path, int layer, std::string& why) {
    std::string name = LayerFileName(path, ".map");
    FileStreamPtr file = OpenForReading(name);
    if (!file) {
        why = name + " not found.";
        return false;
    }
    // Read a row at a time; a short file is refused with the message reading
    // past its end byte by byte would give.
    std::vector<unsigned char> row(static_cast<std::size_t>(sizex > 0 ? sizex : 0));
    const bool kept = layer >= 0 && layer < layers;
    int* cell = kept ? cells.data() + layer : nullptr;
    for (int y = 0; y < sizey; ++y) {
        if (ReadBytes(file, row.data(), row.size()) != row.size()) {
            Close(file);
            why = "Error reading from stream";
            return false;
        }
        if (!kept) continue;
        for (unsigned char value : row) {
            *cell = value;
            cell += layers;
        }
    }
    Close(file);
    return true;
}

int TKarte::isenterable(int x, int y) const {
    if (!contains(x, y)) return 0;
    return data(x, y, 0) > 0 ? 1 : 0;
}

void ClampToMap(const TKarte& map, int& x, int& y) {
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    if (x >= map.sizex) x = map.sizex - 1;
    if (y >= map.sizey) y = map.sizey - 1;
    if (x < 0) x = 0;
    if (y < 0) y = 0;
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
