// The island: a grid of cells with three integer layers
// (0 ground kind, 1 item id, 2 auxiliary time stamp or counter).
#pragma once

#include <string>
#include <vector>

// Visible window in cells.
constexpr int VIEW_COLUMNS = 20;
constexpr int VIEW_ROWS = 15;
// Largest map image accepted, in cells per side.
constexpr int MAX_MAP_SIDE = 4096;

class TKarte {
  public:
    int sizex = 0, sizey = 0, layers = 0;

    TKarte() : cells(1, 0) {}

    // Cells outside the map do not exist: reading one gives 0 (sea, nothing)
    // and writing one is discarded, so a stray index never touches memory.
    int& data(int x, int y, int l);
    int data(int x, int y, int l) const;
    bool contains(int x, int y) const;

    static TKarte Create(int sizex, int sizey, int layers);
    // Builds a three-layer map from a map image and its layer file.
    static TKarte loadPNG(const std::string& path);
    void loadlayer(const std::string& path, int layer);
    int isenterable(int x, int y) const;
    void Render(int vx, int vy) const;

  private:
    std::vector<int> cells;
};

// Clamps a view origin to the map (low bounds first, then high bounds); a map
// narrower or shorter than the view starts at column or row 0.
void ClampViewOrigin(const TKarte& map, int& vx, int& vy);
