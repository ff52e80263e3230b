// The item catalogue: id -> German name and properties.
#pragma once

#include <array>
#include <string>
#include <vector>

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
        {PALME, "Palme", 0, 0, 0},
        {STEINBROCKEN, "Steinbrocken", 1, 0, 0},
        {TREIBHOLZ, "Treibholz", 1, 0, 0},
        {HAMMER, "Hammer", 1, 0, 0},
        {BEEREN, "Beeren", 1, 1, 20},
        {KOKOSNUSS, "Kokosnuss", 1, 1, 50},
        {BEERENSTRAUCH, "Beerenstrauch", 0, 0, 0},
        {FEUERSTEIN, "Feuerstein", 1, 0, 0},
        {SCHIEFER, "Schiefer", 1, 0, 0},
        {EISENERZ, "Eisenerz", 1, 0, 0},
        {EISEN, "Eisen", 1, 0, 0},
        {FEUERSTELLE, "Feuerstelle", 0, 0, 0},
        {AXT, "Axt", 1, 0, 0},
        {SAEGE, "Saege", 1, 0, 0},
        {PLANKE, "Planke", 1, 0, 0},
        {FLEISCH, "Fleisch", 1, 1, 30},
        {BRATEN, "Braten", 1, 1, 150},
        {LEDERBEUTEL, "Lederbeutel", 1, 0, 0},
        {FARNE, "Farne", 1, 0, 0},
        {SEGELSTUECK, "Segelstueck", 1, 0, 0},
        {SEGEL, "Segel", 1, 0, 0},
        {FLOSSROHLING, "Flossrohling", 0, 0, 0},
        {AFFENFELL, "Affenfell", 1, 0, 0},
    });
    // Items the game knows; ids run from 1 to COUNT.
    static constexpr int COUNT = static_cast<int>(CATALOGUE.size());

    int id = 0;
    std::string name;
    int collectable = 0, edible = 0, data = 0;

    // Registration order; lookups return the first entry with a matching id.
    static std::vector<TObjekt> list;

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
