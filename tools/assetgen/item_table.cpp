#include "item_table.h"

#include <fstream>
#include <map>
#include <stdexcept>

#include "world/objekt.h"

namespace assetgen {
namespace {

// The table's columns: where the numbers stand and the room for a name.
constexpr int kIndent = 5, kColumns = 3;
constexpr int kNameWidth[kColumns] = {14, 15, 0};

// Characters, not bytes: the German names hold UTF-8 umlauts.
std::size_t Letters(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        n += (c & 0xC0) != 0x80;
    return n;
}

std::string Cell(int id, const std::string& name, int width) {
    std::string cell = (id < 10 ? " " : "") + std::to_string(id) + " " + name;
    const std::size_t room = 3 + static_cast<std::size_t>(width);
    if (Letters(cell) < room) cell.append(room - Letters(cell), ' ');
    return cell;
}

// msgid -> msgstr of a catalog written without line wrapping.
std::map<std::string, std::string> ReadCatalog(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    const auto quoted = [](const std::string& line, std::size_t from) {
        std::string out;
        for (std::size_t i = line.find('"', from) + 1; i < line.size() && line[i] != '"'; ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) ++i;
            out += line[i];
        }
        return out;
    };
    std::map<std::string, std::string> catalog;
    std::string msgid;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("msgid \"", 0) == 0) msgid = quoted(line, 5);
        if (line.rfind("msgstr \"", 0) == 0) catalog[msgid] = quoted(line, 6);
    }
    return catalog;
}

} // namespace

std::string ItemTable(const std::function<std::string(int id)>& name) {
    const int rows = (TObjekt::COUNT + kColumns - 1) / kColumns;
    std::string table;
    for (int row = 0; row < rows; ++row) {
        std::string line(kIndent, ' ');
        for (int column = 0; column < kColumns; ++column) {
            const int id = 1 + row + column * rows;
            if (id > TObjekt::COUNT) break;
            const bool last = column + 1 == kColumns || id + rows > TObjekt::COUNT;
            line += Cell(id, name(id), last ? 0 : kNameWidth[column]);
        }
        table += line + "\n";
    }
    return table;
}

std::string GermanReadmeName(int id) {
    // The game writes these three as its font allows; the readme spells them.
    static const std::map<std::string, std::string> spelled = {
        {"Saege", "S\u00e4ge"},
        {"Segelstueck", "Segelst\u00fcck"},
        {"Flossrohling", "Flo\u00dfrohling"},
    };
    const std::string name = TObjekt::catalogueName(id);
    const auto it = spelled.find(name);
    return it != spelled.end() ? it->second : name;
}

std::string EnglishItemName(int id) {
    static const std::map<std::string, std::string> catalog =
        ReadCatalog(PALMUT_SOURCE_DIR "/po/en.po");
    const auto it = catalog.find(TObjekt::catalogueName(id));
    if (it == catalog.end() || it->second.empty())
        throw std::runtime_error(std::string("po/en.po has no name for ") +
                                 TObjekt::catalogueName(id));
    return it->second;
}

} // namespace assetgen
