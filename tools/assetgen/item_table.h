// The readmes' table of item numbers for map makers, laid out from the game's
// item catalogue, so a new item shows up in both readmes by itself.
#pragma once

#include <functional>
#include <string>

namespace assetgen {

// Every catalogue item as "number name", in three columns read top to bottom,
// each line indented for the readme's numbered list and ended by a newline.
std::string ItemTable(const std::function<std::string(int id)>& name);

// An item's name as the German readme writes it: the catalogue's, with the
// umlauts and the sharp s the game's font spells out.
std::string GermanReadmeName(int id);

// An item's name from the English catalog, po/en.po; throws when the catalog
// cannot be read or lacks the name.
std::string EnglishItemName(int id);

} // namespace assetgen
