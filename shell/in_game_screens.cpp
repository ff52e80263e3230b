#include "shell/in_game_screens.h"

#include <algorithm>
#include <vector>

#include "core/state.h"
#include "core/texts.h"
#include "island/mapgen.h"
#include "media/clock.h"
#include "media/desktop.h"
#include "media/files.h"
#include "media/graphics.h"
#include "media/keyboard.h"
#include "media/text_ops.h"
#include "shell/generated_island.h"

namespace {

constexpr int CHOOSER_ROWS = 8;
constexpr std::size_t LABEL_LENGTH = 24; // what fits the window in the adventure font
constexpr std::size_t NAME_LENGTH = 40;  // a picked file's name in the map notice
constexpr int PAGE_LINES = 36;
constexpr int LINE_HEIGHT = 12;
constexpr std::size_t COLUMNS = 79;
// A readme is a few hundred lines; a huge file must not fill memory.
constexpr std::size_t MAX_LINES = 5000;

struct MapEntry {
    std::string path; // empty for the entry that picks the player's own files
    std::string label;
    bool newIsland = false; // grows an island from a fresh seed
};

std::vector<MapEntry> FindMaps() {
    std::vector<MapEntry> maps;
    const std::string home = UserDataHome();
    if (!home.empty())
        for (const std::string& path : ListFiles(home + "/palmut/maps", "map"))
            maps.push_back({path, Utf8Prefix(PlainLine(FileName(path)), LABEL_LENGTH) + " *"});
    for (const std::string& path : ListFiles("map", "map"))
        maps.push_back({path, Utf8Prefix(PlainLine(FileName(path)), LABEL_LENGTH)});
    maps.push_back({"", Tr(texts::NEW_ISLAND), true});
    if (CanPickOwnFiles()) maps.push_back({"", Tr(texts::OWN_MAP)});
    return maps;
}

// An island of the player's own: its picture, else whatever was picked, so the
// map choice names what it cannot read. "" when cancelled or refused; a refused
// file is named on the title picture and the island played stays.
std::string PickOwnMap() {
    std::vector<std::string> tooBig;
    const std::vector<std::string> picked = PickOwnFiles("png,map,critter", tooBig);
    if (!tooBig.empty()) {
        mapnotice = Tr(texts::MAP_TOO_BIG, {Utf8Prefix(PlainLine(tooBig.front()), NAME_LENGTH)});
        return {};
    }
    for (const std::string& path : picked)
        if (EndsWithNoCase(path, ".png")) return path;
    return picked.empty() ? std::string() : picked.front();
}

void DrawChooser(const std::string& title, const std::vector<MapEntry>& maps, int selection) {
    SetColor(255, 255, 255);
    DrawText(title, 40, 30);
    if (maps.empty()) {
        DrawText(Tr(texts::NO_MAPS), 40, 110);
        return;
    }
    const int first = std::clamp(selection - CHOOSER_ROWS / 2, 0,
                                 std::max(0, static_cast<int>(maps.size()) - CHOOSER_ROWS));
    const int last = std::min(static_cast<int>(maps.size()), first + CHOOSER_ROWS);
    for (int i = first; i < last; ++i) {
        if (i == selection)
            SetColor(255, 0, 0);
        else
            SetColor(255, 255, 255);
        DrawText(maps[i].label, 40, 110.0f + 40.0f * static_cast<float>(i - first));
    }
}

// The line's characters back to the file's bytes (ReadLine gives each byte as
// one character), then its UTF-8 read for what the built-in font can show.
std::string FileBytes(const std::string& line) {
    std::string bytes;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if ((c == 0xC2 || c == 0xC3) && i + 1 < line.size()) {
            bytes += static_cast<char>(((c & 0x03) << 6) | (line[++i] & 0x3F));
        } else {
            bytes += static_cast<char>(c);
        }
    }
    return bytes;
}

std::vector<std::string> ReadPages(const std::string& path) {
    std::vector<std::string> lines;
    FileStreamPtr file = OpenForReading(path);
    if (!file) return {Tr(texts::FILE_UNREADABLE, {path})};
    while (!Eof(file) && lines.size() < MAX_LINES) {
        std::string line = PlainLine(FileBytes(ReadLine(file)));
        // Long lines wrap at the last space that fits, else hard; counted in letters.
        while (Utf8Letters(line) > COLUMNS) {
            const std::size_t fits = Utf8Prefix(line, COLUMNS).size();
            std::size_t cut = line.rfind(' ', fits);
            if (cut == std::string::npos || cut == 0) cut = fits;
            lines.push_back(line.substr(0, cut));
            line.erase(0, line[cut] == ' ' ? cut + 1 : cut);
        }
        lines.push_back(line);
    }
    Close(file);
    return lines;
}

void DrawPage(const std::string& path, const std::vector<std::string>& lines, int page, int pages) {
    SetColor(255, 0, 0);
    DrawText(Tr(texts::READER_PAGE, {path, std::to_string(page + 1), std::to_string(pages)}), 8, 4);
    SetColor(255, 255, 255);
    const int first = page * PAGE_LINES;
    const int last = std::min(static_cast<int>(lines.size()), first + PAGE_LINES);
    for (int i = first; i < last; ++i)
        DrawText(lines[i], 8, 24.0f + static_cast<float>(LINE_HEIGHT * (i - first)));
    SetColor(255, 0, 0);
    DrawText(Tr(texts::READER_KEYS), 8, 464);
}

} // namespace

std::string PlainLine(const std::string& line) {
    std::string out;
    for (char c : ValidUtf8(line)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t') out += "    ";
        if (byte >= 32 && byte != 127) out += c;
    }
    return out;
}

std::string RunMapChooser(const std::string& title) {
    const std::vector<MapEntry> maps = FindMaps();
    const int count = static_cast<int>(maps.size());
    int selection = 0;
    SetFont(adventurefont);
    ClearKeys();
    for (;;) {
        Cls();
        DrawChooser(title, maps, selection);
        Flip(-1);
        if (KeyHitCount(KEY_UP) > 0 && selection > 0) {
            --selection;
            PlaySfx(sndchose);
        }
        if (KeyHitCount(KEY_DOWN) > 0 && selection + 1 < count) {
            ++selection;
            PlaySfx(sndchose);
        }
        const bool pick = KeyHitCount(KEY_ENTER) > 0 || KeyHitCount(KEY_SPACE) > 0;
        if (pick && count > 0) {
            PlaySfx(sndconfirm);
            ClearKeys();
            Cls();
            if (maps[selection].newIsland)
                return GeneratedIslandName(FreshSeed(), mapgen::kNaturalVersion, mapgen::kGameSide,
                                           mapgen::kGameSide);
            if (maps[selection].path.empty()) return PickOwnMap();
            return maps[selection].path;
        }
        if (KeyHitCount(KEY_ESCAPE) > 0) {
            ClearKeys();
            Cls();
            return {};
        }
        Pause(60);
    }
}

void RunReader(const std::string& path) {
    const std::vector<std::string> lines = ReadPages(path);
    const int pages = std::max(1, (static_cast<int>(lines.size()) + PAGE_LINES - 1) / PAGE_LINES);
    int page = 0;
    const FontPtr font = GetFont();
    SetFont(defaultfont);
    ClearKeys();
    for (;;) {
        Cls();
        DrawPage(path, lines, page, pages);
        Flip(-1);
        // Every key is asked, so none stays pending for a later page.
        const int forward = KeyHitCount(KEY_RIGHT) + KeyHitCount(KEY_DOWN) + KeyHitCount(KEY_SPACE);
        const int back = KeyHitCount(KEY_LEFT) + KeyHitCount(KEY_UP);
        if (forward > 0 && page + 1 < pages) ++page;
        if (back > 0 && page > 0) --page;
        if (KeyHitCount(KEY_ESCAPE) > 0) break;
        Pause(60);
    }
    // The screen it returns to draws on a cleared picture.
    Cls();
    ClearKeys();
    SetFont(font);
}
