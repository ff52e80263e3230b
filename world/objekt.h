// The item catalogue: id -> German name and properties.
#pragma once

#include <string>
#include <vector>

class TObjekt {
  public:
    // Item ids; 0 means "nothing" in inventory slots and in the map's item layer.
    static constexpr int PALME = 1, STEINBROCKEN = 2, TREIBHOLZ = 3, HAMMER = 4, BEEREN = 5,
                         KOKOSNUSS = 6, BEERENSTRAUCH = 7, FEUERSTEIN = 8, SCHIEFER = 9,
                         EISENERZ = 10, EISEN = 11, FEUERSTELLE = 12, AXT = 13, SAEGE = 14,
                         PLANKE = 15, FLEISCH = 16, BRATEN = 17, LEDERBEUTEL = 18, FARNE = 19,
                         SEGELSTUECK = 20, SEGEL = 21, FLOSSROHLING = 22, AFFENFELL = 23;
    // Items the game knows; ids run from 1 to COUNT.
    static constexpr int COUNT = 23;

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
    // Registers the game's 23 items in id order.
    static void RegisterCatalogue();
};
