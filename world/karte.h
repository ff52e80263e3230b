// The island: a grid of cells with three integer layers
// (0 ground kind, 1 item id, 2 auxiliary time stamp or counter).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class TKarte {
  public:
    // Ground kinds of layer 0; only the sea cannot be entered.
    static constexpr int SEA = 0, SHALLOW = 1, SAND = 2, ROCK = 3, GRASS = 4;
    static constexpr int GROUND_KINDS = 5;
    // Map-image colour (0xAARRGGBB) of each ground kind; every other colour is sea.
    static constexpr std::array<std::uint32_t, GROUND_KINDS> GROUND_COLOURS = {
        0xFF0094FF, 0xFF007F7F, 0xFFFFD800, 0xFF808080, 0xFF4CFF00};
    // Side of a tile on screen, in pixels.
    static constexpr int TILE_SIZE = 32;
    // Visible window in cells, and where the castaway stands in it: the view
    // origin is his column - VIEW_OFFSET_X and row - VIEW_OFFSET_Y.
    static constexpr int VIEW_COLUMNS = 20, VIEW_ROWS = 15;
    static constexpr int VIEW_OFFSET_X = 10, VIEW_OFFSET_Y = 8;
    // Largest map image accepted, in cells per side.
    static constexpr int MAX_SIDE = 4096;

    int sizex = 0, sizey = 0, layers = 0;

    TKarte() : cells(1, 0) {}

    // Cells outside the map do not exist: reading one gives 0 (sea, nothing)
    // and writing one is discarded, so a stray index never touches memory.
    int& data(int x, int y, int l);
    int data(int x, int y, int l) const;
    bool contains(int x, int y) const;

    static TKarte Create(int sizex, int sizey, int layers);
    // Builds a three-layer map from a map image and its layer file; a file
    // that is missing, damaged, too large or too short ends the program.
    static TKarte loadPNG(const std::string& path);
    // The same without ending the program: false, with the message loadPNG
    // would end it with in `why`. The picture is opened once, to decode it.
    static bool tryLoad(const std::string& path, TKarte& map, std::string& why);
    // Ends the program when the layer file is missing or too short.
    void loadlayer(const std::string& path, int layer);
    int isenterable(int x, int y) const;
    void Render(int vx, int vy) const;

  private:
    std::vector<int> cells;
    bool readGround(const std::string& path, std::string& why);
    bool readLayer(const std::string& path, int layer, std::string& why);
};

// The current island, replaced by each level load.
extern TKarte karte;

// Pulls a cell position inside the map (low bounds first, then high bounds); on
// a map without cells it stays at the origin rather than at -1.
void ClampToMap(const TKarte& map, int& x, int& y);
// Clamps a view origin to the map (low bounds first, then high bounds); a map
// narrower or shorter than the view starts at column or row 0.
void ClampViewOrigin(const TKarte& map, int& vx, int& vy);
