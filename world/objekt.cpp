#include "world/objekt.h"

#include "media/language.h"

std::vector<TObjekt> TObjekt::list;

namespace {
// First entry with this id, or null: an earlier entry hides later duplicates.
const TObjekt* Find(int id) {
    for (const TObjekt& entry : TObjekt::list)
        if (entry.id == id) return &entry;
    return nullptr;
}
} // namespace

int TObjekt::isCollectable(int id) {
    const TObjekt* entry = Find(id);
    return entry ? entry->collectable : 0;
}

int TObjekt::isEdible(int id) {
    const TObjekt* entry = Find(id);
    return entry ? entry->edible : 0;
}

int TObjekt::getData(int id) {
    const TObjekt* entry = Find(id);
    return entry ? entry->data : 0;
}

std::string TObjekt::getName(int id) {
    const TObjekt* entry = Find(id);
    // The catalogue keeps the German name; the player reads it in the chosen language.
    return entry ? std::string(Translate(entry->name.c_str())) : std::string();
}

int TObjekt::Add(int id, const std::string& name, int collectable, int edible, int data) {
    TObjekt entry;
    entry.id = id;
    entry.name = name;
    entry.collectable = collectable;
    entry.edible = edible;
    entry.data = data;
    list.push_back(entry);
    return 0;
}

void TObjekt::RegisterCatalogue() {
    for (const TObjektRules& rules : CATALOGUE)
        Add(rules.id, rules.name, rules.collectable, rules.edible, rules.data);
}

const char* TObjekt::catalogueName(int id) {
    return id >= 1 && id <= COUNT ? CATALOGUE[static_cast<std::size_t>(id - 1)].name : "";
}

namespace {
// Cell id - 1 of the item sheet and the lookups above rely on the order.
constexpr bool InIdOrder() {
    for (int i = 0; i < TObjekt::COUNT; ++i)
        if (TObjekt::CATALOGUE[static_cast<std::size_t>(i)].id != i + 1) return false;
    return true;
}
static_assert(InIdOrder(), "the catalogue lists the items in id order, from 1");
} // namespace

void TObjekt::Reset() {
    list.clear();
}
