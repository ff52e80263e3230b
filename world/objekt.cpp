#include "world/objekt.h"

#include "core/texts.h"
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
    Add(1, N_("Palme"), 0, 0, 0);
    Add(2, N_("Steinbrocken"), 1, 0, 0);
    Add(3, N_("Treibholz"), 1, 0, 0);
    Add(4, N_("Hammer"), 1, 0, 0);
    Add(5, N_("Beeren"), 1, 1, 20);
    Add(6, N_("Kokosnuss"), 1, 1, 50);
    Add(7, N_("Beerenstrauch"), 0, 0, 0);
    Add(8, N_("Feuerstein"), 1, 0, 0);
    Add(9, N_("Schiefer"), 1, 0, 0);
    Add(10, N_("Eisenerz"), 1, 0, 0);
    Add(11, N_("Eisen"), 1, 0, 0);
    Add(12, N_("Feuerstelle"), 0, 0, 0);
    Add(13, N_("Axt"), 1, 0, 0);
    Add(14, N_("Saege"), 1, 0, 0);
    Add(15, N_("Planke"), 1, 0, 0);
    Add(16, N_("Fleisch"), 1, 1, 30);
    Add(17, N_("Braten"), 1, 1, 150);
    Add(18, N_("Lederbeutel"), 1, 0, 0);
    Add(19, N_("Farne"), 1, 0, 0);
    Add(20, N_("Segelstueck"), 1, 0, 0);
    Add(21, N_("Segel"), 1, 0, 0);
    Add(22, N_("Flossrohling"), 0, 0, 0);
    Add(23, N_("Affenfell"), 1, 0, 0);
}
