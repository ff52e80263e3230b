#include "map_files.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "island/findings_texts.h"
#include "media/files.h"
#include "media/graphics.h"
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
void ClassifyGround(const std::vector<uint32_t>& argb, MapData& map, std::vector<Issue>& issues) {
    const size_t cells = static_cast<size_t>(map.width) * map.height;
    map.ground.assign(cells, 0);
    size_t foreign = 0;
    std::string firstForeign;
    for (size_t i = 0; i < cells; ++i) {
        const uint32_t v = argb[i];
        int g = GroundOfColour(v);
        if (g < 0 && foreign++ == 0) {
            char hex[16];
            snprintf(hex, sizeof hex, "%08X", v);
            firstForeign = Tr(findings::kFirstForeign,
                              {std::to_string(i % map.width), std::to_string(i / map.width), hex});
        }
        map.ground[i] = static_cast<uint8_t>(g < 0 ? 0 : g);
    }
    map.offColourPixels = static_cast<int>(foreign);
    if (foreign)
        issues.push_back(
            {true, Tr(findings::kForeignColours, Count(foreign), {std::to_string(foreign)}) +
                       firstForeign});
}

// The picture is read by the game's own decoder, so the checker sees the
// pixels and refusals the game will.
void ReportPictureFault(const std::string& imagePath, int fault, std::vector<Issue>& issues) {
    int width = 0, height = 0;
    if (fault == PICTURE_TOO_LARGE && PictureSize(GamePath(imagePath), width, height))
        issues.push_back(
            {true, Tr(findings::kImageSize, {std::to_string(width), std::to_string(height)})});
    else if (fault == PICTURE_MISSING)
        issues.push_back({true, Tr(findings::kImageMissing, {imagePath})});
    else
        issues.push_back({true, Tr(findings::kImageUnreadable, {imagePath})});
}

} // namespace

bool LoadMapPicture(const std::string& imagePath, MapData& map, std::vector<Issue>& issues) {
    int fault = PICTURE_LOADED;
    PixmapPtr picture = LoadPixmapFile(GamePath(imagePath), TKarte::MAX_SIDE, &fault);
    if (!picture) {
        ReportPictureFault(imagePath, fault, issues);
        return false;
    }
    map.width = PixmapWidth(picture);
    map.height = PixmapHeight(picture);
    std::vector<uint32_t> argb(static_cast<size_t>(map.width) * map.height);
    for (int y = 0; y < map.height; ++y)
        ReadPixelRow(picture, y, &argb[static_cast<size_t>(y) * map.width]);
    ClassifyGround(argb, map, issues);
    return true;
}

namespace {

// The item layer, one byte per cell; false when it is missing or short.
bool ReadItems(const std::string& layerPath, MapData& map, std::vector<Issue>& issues) {
    const size_t cells = static_cast<size_t>(map.width) * map.height;
    std::ifstream layer(GamePath(layerPath), std::ios::binary);
    if (!layer) {
        issues.push_back({true, Tr(findings::kNoLayerFile, {layerPath})});
        return false;
    }
    map.items.assign(cells, 0);
    layer.read(reinterpret_cast<char*>(map.items.data()), static_cast<std::streamsize>(cells));
    size_t got = static_cast<size_t>(layer.gcount());
    if (got < cells) {
        issues.push_back({true, Tr(findings::kShortLayerFile,
                                   {layerPath, std::to_string(got), std::to_string(cells)})});
        return false;
    }
    if (layer.peek() != std::char_traits<char>::eof())
        issues.push_back({false, Tr(findings::kLongLayerFile, {layerPath})});
    return true;
}

} // namespace

void LoadCritterFile(const std::string& critterPath, MapData& map, std::vector<Issue>& issues) {
    std::vector<std::string> lines;
    if (!ReadLines(GamePath(critterPath), lines)) {
        issues.push_back({true, Tr(findings::kNoCritterFile, {critterPath})});
        return;
    }
    const TText* noNumber[] = {&findings::kNoApeNumber, &findings::kNoLizardNumber};
    const TText* tooMany[] = {&findings::kTooManyApes, &findings::kTooManyLizards};
    int* counts[] = {&map.apes, &map.lizards};
    for (int k = 0; k < 2; ++k) {
        bool valid = false;
        *counts[k] = k < static_cast<int>(lines.size()) ? ParseCritterLine(lines[k], &valid) : 0;
        if (!valid) issues.push_back({false, Tr(*noNumber[k], {std::to_string(k + 1)})});
        if (*counts[k] < 0) *counts[k] = 0;
        if (*counts[k] > kMaxCritters) {
            issues.push_back({true, Tr(*tooMany[k], {std::to_string(*counts[k]),
                                                     std::to_string(kMaxCritters)})});
            // Weighed as the cap, as the editor holds it: the rest of the
            // report is then the editor's, and no sum runs over.
            *counts[k] = kMaxCritters;
        }
    }
}

bool LoadMapFiles(const std::string& imagePath, const std::string& layerPath,
                  const std::string& critterPath, MapData& map, std::vector<Issue>& issues) {
    if (!LoadMapPicture(imagePath, map, issues) || !ReadItems(layerPath, map, issues)) return false;
    LoadCritterFile(critterPath, map, issues);
    return true;
}

std::vector<Issue> Findings(const std::vector<Issue>& loadIssues, const Analysis& analysis) {
    std::vector<Issue> all = loadIssues;
    all.insert(all.end(), analysis.issues.begin(), analysis.issues.end());
    return all;
}

int PrintReport(const std::string& imagePath, const MapData& map,
                const std::vector<Issue>& loadIssues, const Analysis& a, std::string& out) {
    bool errors = false;
    out += Tr(findings::kReportMap,
              {imagePath, std::to_string(map.width), std::to_string(map.height)}) +
           "\n";
    const auto line = [&out](const std::string& text) { out += "  " + text + "\n"; };
    if (a.hasStart) {
        line(Tr(findings::kReportStart, {std::to_string(a.startX), std::to_string(a.startY)}));
        line(Tr(findings::kReportReachable,
                {std::to_string(a.reachableCells), std::to_string(a.landCells)}));
        line(Tr(findings::kReportGround,
                {std::to_string(a.reachableGround[1]), std::to_string(a.reachableGround[2]),
                 std::to_string(a.reachableGround[3]), std::to_string(a.reachableGround[4])}));
        line(Tr(findings::kReportWays,
                {WayCost(a.worstThirstToWater), WayCost(a.worstHungerToFood)}));
        std::vector<std::string> counts;
        for (int item : {Palme, Beerenstrauch, Steinbrocken, Treibholz, Farne, Feuerstein, Schiefer,
                         Eisenerz, Kokosnuss, Beeren})
            counts.push_back(std::to_string(a.reachableItems[item]));
        line(Tr(findings::kReportItems, counts));
    }
    line(Tr(findings::kReportCritters, {std::to_string(map.apes), std::to_string(map.lizards)}));
    if (a.hasStart) {
        const FurOdds furs = EstimateFurOdds(map, a, FairnessGoals{}.huntSteps);
        line(Tr(findings::kReportFurs,
                {Decimal(furs.expected, 1), Decimal(100 * furs.chance, 1) + " %"}));
    }
    for (const Issue& i : Findings(loadIssues, a)) {
        out += std::string(i.error ? "  ERROR: " : "  warning: ") + i.text + "\n";
        errors = errors || i.error;
    }
    out += errors ? "  result: NOT PLAYABLE\n" : "  result: ok\n";
    return errors ? 1 : 0;
}

} // namespace mapcheck
