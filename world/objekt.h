// The item catalogue: id -> German name and properties.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/texts.h"

// One line of the catalogue. `data` is what an edible item takes off the hunger.
struct TObjektRules {
    int id;
    const char* name;
    int collectable, edible, data;
};

class TObjekt {
  public:
    // Item ids; 0 means "nothing" in inventory slots and in the map's item layer.
    static constexpr int PALME = 1, STEINBROCKEN = 2, TREIBHOLZ = 3, HAMMER = 4, BEEREN = 5,
                         KOKOSNUSS = 6, BEERENSTRAUCH = 7, FEUERSTEIN = 8, SCHIEFER = 9,
                         EISENERZ = 10, EISEN = 11, FEUERSTELLE = 12, AXT = 13, SAEGE = 14,
                         PLANKE = 15, FLEISCH = 16, BRATEN = 17, LEDERBEUTEL = 18, FARNE = 19,
                         SEGELSTUECK = 20, SEGEL = 21, FLOSSROHLING = 22, AFFENFELL = 23;

    // The game's items in id order. A new item is one line here, its frame in
    // gfx/objects.png (cell id - 1) and whatever rules use it.
    static constexpr auto CATALOGUE = std::to_array<TObjektRules>({
        {PALME, N_("Palme"), 0, 0, 0},
        {STEINBROCKEN, N_("Steinbrocken"), 1, 0, 0},
        {TREIBHOLZ, N_("Treibholz"), 1, 0, 0},
        {HAMMER, N_("Hammer"), 1, 0, 0},
        {BEEREN, N_("Beeren"), 1, 1, 20},
        {KOKOSNUSS, N_("Kokosnuss"), 1, 1, 50},
        {BEERENSTRAUCH, N_("Beerenstrauch"), 0, 0, 0},
        {FEUERSTEIN, N_("Feuerstein"), 1, 0, 0},
        {SCHIEFER, N_("Schiefer"), 1, 0, 0},
        {EISENERZ, N_("Eisenerz"), 1, 0, 0},
        {EISEN, N_("Eisen"), 1, 0, 0},
        {FEUERSTELLE, N_("Feuerstelle"), 0, 0, 0},
        {AXT, N_("Axt"), 1, 0, 0},
        {SAEGE, N_("Saege"), 1, 0, 0},
        {PLANKE, N_("Planke"), 1, 0, 0},
        {FLEISCH, N_("Fleisch"), 1, 1, 30},
        {BRATEN, N_("Braten"), 1, 1, 150},
        {LEDERBEUTEL, N_("Lederbeutel"), 1, 0, 0},
        {FARNE, N_("Farne"), 1, 0, 0},
        {SEGELSTUECK, N_("Segelstueck"), 1, 0, 0},
        {SEGEL, N_("Segel"), 1, 0, 0},
        {FLOSSROHLING, N_("Flossrohling"), 0, 0, 0},
        {AFFENFELL, N_("Affenfell"), 1, 0, 0},
    });
    // Items the game knows; ids run from 1 to COUNT.
    static constexpr int COUNT = static_cast<int>(CATALOGUE.size());

    int id = 0;
    std::string name;
    int collectable = 0, edible = 0, data = 0;

    // Registration order; lookups return the first entry with a matching id.
    static std::vector<TObjekt> list;
    // Empties the list, as before start-up.
    static void Reset();

    static int isCollectable(int id);
    static int isEdible(int id);
    static int getData(int id);
    static std::string getName(int id);
    static int Add(int id, const std::string& name, int collectable, int edible, int data);
    // Registers CATALOGUE in id order.
    static void RegisterCatalogue();
    // The catalogue's name of an id, without registering anything; "" for an
    // unknown id. For the tools, which never register the catalogue.
    static const char* catalogueName(int id);
};
