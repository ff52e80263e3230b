// The item catalogue: id -> German name and properties.
#pragma once

#include <string>
#include <vector>

class TObjekt {
  public:
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
