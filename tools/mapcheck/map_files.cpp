#include "map_files.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <png.h>

#include "media/files.h"
#include "world/map_files.h"

namespace mapcheck {
namespace {

bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string line;
    while (lines.size() < 2 && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return true;
}

} // namespace

std::string SiblingPath(const std::string& imagePath, const std::string& extension) {
    return LayerFileName(imagePath, extension);
}

std::string GamePath(const std::string& path) {
    const std::string onDisk = ResolvePath(path);
    return onDisk.empty() ? path : onDisk;
}

bool LoadMapFiles(const std::string& imagePath, MapData& map, std::vector<Issue>& issues) {
    return LoadMapFiles(imagePath, SiblingPath(imagePath, ".map"),
                        SiblingPath(imagePath, ".critter"), map, issues);
}

namespace {

// Ground kinds of the decoded ARGB pixels; colours outside the table become
// sea and are reported once, with the first place they occur.
void ClassifyGround(const std::vector<uint8_t>& argb, MapData& map, std::vector<Issue>& issues) {
    const size_t cells = static_cast<size_t>(map.width) * map.height;
    map.ground.assign(cells, 0);
    size_t foreign = 0;
    std::string firstForeign;
    for (size_t i = 0; i < cells; ++i) {
        const uint8_t* p = &argb[i * 4];
        uint32_t v = uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
        int g = GroundOfColour(v);
        if (g < 0 && foreign++ == 0) {
            char hex[16];
            snprintf(hex, sizeof hex, "%08X", v);
            firstForeign = " (first at (" + std::to_string(i % map.width) + ", " +
                           std::to_string(i / map.width) + "): 0x" + hex + ")";
        }
        map.ground[i] = static_cast<uint8_t>(g < 0 ? 0 : g);
    }
    if (foreign)
        issues.push_back(
            {true, std::to_string(foreign) +
                       " pixels have a colour outside the ground table and become sea" +
                       firstForeign});
}

// The ground layer from the map image; false when the image is unusable.
bool ReadGround(const std::string& imagePath, MapData& map, std::vector<Issue>& issues) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, GamePath(imagePath).c_str())) {
        issues.push_back({true, "cannot read the map image " + imagePath + ": " + image.message});
        return false;
    }
    if (image.width == 0 || image.height == 0 || image.width > TKarte::MAX_SIDE ||
        image.height > TKarte::MAX_SIDE) {
        issues.push_back({true, "map image size " + std::to_string(image.width) + " x " +
                                    std::to_string(image.height) + " is out of range"});
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_ARGB;
    std::vector<uint8_t> argb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, argb.data(), 0, nullptr)) {
        issues.push_back({true, "cannot decode the map image " + imagePath + ": " + image.message});
        return false;
    }
    map.width = static_cast<int>(image.width);
    map.height = static_cast<int>(image.height);
    ClassifyGround(argb, map, issues);
    return true;
}

// The item layer, one byte per cell; false when it is missing or short.
bool ReadItems(const std::string& layerPath, MapData& map, std::vector<Issue>& issues) {
    const size_t cells = static_cast<size_t>(map.width) * map.height;
    std::ifstream layer(GamePath(layerPath), std::ios::binary);
    if (!layer) {
        issues.push_back({true, "layer file " + layerPath + " not found (the game stops)"});
        return false;
    }
    map.items.assign(cells, 0);
    layer.read(reinterpret_cast<char*>(map.items.data()), static_cast<std::streamsize>(cells));
    size_t got = static_cast<size_t>(layer.gcount());
    if (got < cells) {
        issues.push_back({true, "layer file " + layerPath + " holds " + std::to_string(got) +
                                    " bytes, the map needs " + std::to_string(cells) +
                                    " (the game stops with a read error)"});
        return false;
    }
    if (layer.peek() != std::char_traits<char>::eof())
        issues.push_back(
            {false, "layer file " + layerPath + " is longer than the map; the rest is ignored"});
    return true;
}

void ReadCritters(const std::string& critterPath, MapData& map, std::vector<Issue>& issues) {
    std::vector<std::string> lines;
    if (!ReadLines(GamePath(critterPath), lines)) {
        issues.push_back({true, "critter file " + critterPath + " not found"});
        return;
    }
    const char* what[] = {"apes", "monitor lizards"};
    int* counts[] = {&map.apes, &map.lizards};
    for (int k = 0; k < 2; ++k) {
        bool valid = false;
        *counts[k] = k < static_cast<int>(lines.size()) ? ParseCritterLine(lines[k], &valid) : 0;
        if (!valid)
            issues.push_back({false, "critter file line " + std::to_string(k + 1) +
                                         " holds no number: no " + what[k]});
        if (*counts[k] < 0) *counts[k] = 0;
        if (*counts[k] > 1000)
            issues.push_back({true, "critter file asks for " + std::to_string(*counts[k]) + " " +
                                        what[k] + ": far too many"});
    }
}

} // namespace

bool LoadMapFiles(const std::string& imagePath, const std::string& layerPath,
                  const std::string& critterPath, MapData& map, std::vector<Issue>& issues) {
    if (!ReadGround(imagePath, map, issues) || !ReadItems(layerPath, map, issues)) return false;
    ReadCritters(critterPath, map, issues);
    return true;
}

int PrintReport(const std::string& imagePath, const MapData& map,
                const std::vector<Issue>& loadIssues, const Analysis& a, std::string& out) {
    bool errors = false;
    out += "Map " + imagePath + ": " + std::to_string(map.width) + " x " +
           std::to_string(map.height) + "\n";
    if (a.hasStart) {
        out +=
            "  start cell: (" + std::to_string(a.startX) + ", " + std::to_string(a.startY) + ")\n";
        out += "  reachable cells: " + std::to_string(a.reachableCells) + " of " +
               std::to_string(a.landCells) + " land cells\n";
        out += "  reachable ground: shallow water " + std::to_string(a.reachableGround[1]) +
               ", sand " + std::to_string(a.reachableGround[2]) + ", rock " +
               std::to_string(a.reachableGround[3]) + ", grass " +
               std::to_string(a.reachableGround[4]) + "\n";
        const int shown[] = {Palme,      Beerenstrauch, Steinbrocken, Treibholz, Farne,
                             Feuerstein, Schiefer,      Eisenerz,     Kokosnuss, Beeren};
        const char* names[] = {"palms", "berry bushes", "stones",   "driftwood", "ferns",
                               "flint", "slate",        "iron ore", "coconuts",  "berries"};
        out += "  worst way to water: " + std::to_string(a.worstThirstToWater) +
               " thirst; to fruit: " + std::to_string(a.worstHungerToFood) + " hunger\n";
        out += "  reachable items:";
        for (size_t i = 0; i < std::size(shown); ++i)
            out += std::string(i ? ", " : " ") + names[i] + " " +
                   std::to_string(a.reachableItems[shown[i]]);
        out += "\n";
    }
    out += "  critters: " + std::to_string(map.apes) + " apes, " + std::to_string(map.lizards) +
           " monitor lizards\n";
    if (a.hasStart) {
        const FurOdds furs = EstimateFurOdds(map, a, FairnessGoals{}.huntSteps);
        char line[120];
        std::snprintf(line, sizeof line,
                      "  furs: %.1f expected, enough for the leather bag in %.1f %% of games\n",
                      furs.expected, 100 * furs.chance);
        out += line;
    }
    auto list = [&](const std::vector<Issue>& issues) {
        for (const Issue& i : issues) {
            out += std::string(i.error ? "  ERROR: " : "  warning: ") + i.text + "\n";
            errors = errors || i.error;
        }
    };
    list(loadIssues);
    list(a.issues);
    out += errors ? "  result: NOT PLAYABLE\n" : "  result: ok\n";
    return errors ? 1 : 0;
}

} // namespace mapcheck
