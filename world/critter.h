// Apes and monitor lizards: placed from the level's critter file, moved one
// step per castaway step.
#pragma once

#include <string>
#include <vector>

// The castaway as the critters see him: his cell and whether he carries an axe.
// The castaway lives above the island, so the caller hands this in.
struct CastawayView {
    int x = 0, y = 0;
    bool armed = false;
};

class TCritter {
  public:
    static constexpr int APE = 1, WARAN = 2;
    int x = 0, y = 0, typ = 0;

    // Critters of the current level, in creation order.
    static std::vector<TCritter> list;

    // Places one critter on a random enterable cell away from the castaway's
    // row and column; places none when no such cell exists.
    static int Create(int typ, const CastawayView& castaway);
    // One step of every critter with its reactions.
    static void Update(const CastawayView& castaway);
    static void Render(int vx, int vy);
    // Reads the critter file that belongs to the map image and creates its critters.
    static void load(const std::string& mapPath, const CastawayView& castaway);
};
