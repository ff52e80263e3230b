#include "world/objekt.h"

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
    return entry ? entry->name : std::string();
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
    Add(1, "Palme", 0, 0, 0);
    Add(2, "Steinbrocken", 1, 0, 0);
    Add(3, "Treibholz", 1, 0, 0);
    Add(4, "Hammer", 1, 0, 0);
    Add(5, "Beeren", 1, 1, 20);
    Add(6, "Kokosnuss", 1, 1, 50);
    Add(7, "Beerenstrauch", 0, 0, 0);
    Add(8, "Feuerstein", 1, 0, 0);
    Add(9, "Schiefer", 1, 0, 0);
    Add(10, "Eisenerz", 1, 0, 0);
    Add(11, "Eisen", 1, 0, 0);
    Add(12, "Feuerstelle", 0, 0, 0);
    Add(13, "Axt", 1, 0, 0);
    Add(14, "Saege", 1, 0, 0);
    Add(15, "Planke", 1, 0, 0);
    Add(16, "Fleisch", 1, 1, 30);
    Add(17, "Braten", 1, 1, 150);
    Add(18, "Lederbeutel", 1, 0, 0);
    Add(19, "Farne", 1, 0, 0);
    Add(20, "Segelstueck", 1, 0, 0);
    Add(21, "Segel", 1, 0, 0);
    Add(22, "Flossrohling", 0, 0, 0);
    Add(23, "Affenfell", 1, 0, 0);
}
