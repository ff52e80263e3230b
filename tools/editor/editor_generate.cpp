// A new island grown from a seed: Ctrl+Shift+N asks for the seed (a fresh one
// is proposed) and a size, and the island opens as a new, unsaved map.
#include <chrono>
#include <sstream>

#include "editor.h"
#include "editor_texts.h"
#include "generate_command.h"
#include "island/mapgen.h"
#include "island/random.h"

namespace editor {
namespace {

// Six digits from the clock: short enough to note down, new at every press.
uint64_t FreshSeed() {
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    return common::Mix64(static_cast<uint64_t>(now)) % 1000000;
}

} // namespace

void Editor::RequestGenerate() {
    UnlessUnsaved([this] {
        const std::string side = std::to_string(mapgen::kDefaultSide);
        Ask(Tr(editor_texts::kAskSeed), std::to_string(FreshSeed()) + " " + side + "x" + side,
            [this](const std::string& text) { GenerateFrom(text); });
    });
}

void Editor::GenerateFrom(const std::string& text) {
    std::istringstream words(text);
    std::string seedText, sizeText, extra;
    words >> seedText >> sizeText >> extra;
    uint64_t seed = 0;
    int width = mapgen::kDefaultSide, height = mapgen::kDefaultSide, version = 0;
    if (!mapgen::ParseIslandSeed(seedText, seed, version) || !extra.empty()) {
        message_ = Tr(editor_texts::kBadSeed, {text});
        return;
    }
    if (!sizeText.empty() && !mapgen::ParseSize(sizeText, width, height)) {
        message_ = Tr(editor_texts::kBadIslandSize, {sizeText});
        return;
    }
    mapgen::Generated island;
    if (!mapgen::Generate(seed, width, height, island, version)) {
        message_ = Tr(editor_texts::kNoPlayableIsland, {seedText, std::to_string(island.tries)});
        return;
    }
    NewMap(width, height);
    doc_ = DocumentOf(island.map);
    doc_.MarkUnsaved(); // no file holds it yet: closing asks first
    int sx = 0, sy = 0;
    if (mapcheck::FindStart(doc_.Data(), sx, sy)) {
        cx_ = sx;
        cy_ = sy;
    }
    SetZoom(zoom_);
    message_ =
        Tr(editor_texts::kIslandGrown, {seedText, std::to_string(width), std::to_string(height)});
    UpdateProblems();
}

} // namespace editor
