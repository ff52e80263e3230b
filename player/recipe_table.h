// The recipe table: what combining two picked items makes. CombinePicks walks
// it; the map checker and the test bot read it to know what a raft takes, so
// a new recipe is one row here.
#pragma once

#include <array>
#include <cstddef>

#include "world/objekt.h"

struct TRecipe {
    // How a row is carried out.
    static constexpr int MADE = 0;  // the picks' slots take the products
    static constexpr int BUILT = 1; // `built` goes on the castaway's cell; kept without a cell
    static constexpr int SPLIT = 2; // the hammer splits the stone: the draw decides product 2
    static constexpr int RAFT = 3;  // a plank pair goes into the raft on a sand cell

    int first, second;      // the two picks, in either order
    int product1, product2; // what the first and the second picked slot hold afterwards
    int built;              // what the row puts on the castaway's cell
    int how;
};

inline constexpr auto RECIPES = std::to_array<TRecipe>({
    {TObjekt::STEINBROCKEN, TObjekt::TREIBHOLZ, TObjekt::HAMMER, 0, 0, TRecipe::MADE},
    {TObjekt::FEUERSTEIN, TObjekt::TREIBHOLZ, 0, 0, TObjekt::FEUERSTELLE, TRecipe::BUILT},
    {TObjekt::SCHIEFER, TObjekt::TREIBHOLZ, TObjekt::AXT, 0, 0, TRecipe::MADE},
    {TObjekt::AFFENFELL, TObjekt::AFFENFELL, TObjekt::LEDERBEUTEL, 0, 0, TRecipe::MADE},
    {TObjekt::FARNE, TObjekt::FARNE, TObjekt::SEGELSTUECK, 0, 0, TRecipe::MADE},
    {TObjekt::SEGELSTUECK, TObjekt::SEGELSTUECK, TObjekt::SEGEL, 0, 0, TRecipe::MADE},
    {TObjekt::HAMMER, TObjekt::EISEN, TObjekt::HAMMER, TObjekt::SAEGE, 0, TRecipe::MADE},
    {TObjekt::HAMMER, TObjekt::STEINBROCKEN, TObjekt::HAMMER, 0, 0, TRecipe::SPLIT},
    {TObjekt::PLANKE, TObjekt::PLANKE, 0, 0, TObjekt::FLOSSROHLING, TRecipe::RAFT},
});

// The row for two picks in either order; null when they make nothing.
constexpr const TRecipe* FindRecipe(int a, int b) {
    for (const TRecipe& r : RECIPES)
        if ((r.first == a && r.second == b) || (r.first == b && r.second == a)) return &r;
    return nullptr;
}

// The index of the row that brings `item` into being (a tool it only keeps
// does not count); -1 for an item no recipe makes. An index, not a pointer:
// GCC's sanitizer builds cannot compare a pointer with null at compile time.
constexpr int RowMaking(int item) {
    if (item == 0) return -1;
    for (size_t i = 0; i < RECIPES.size(); ++i) {
        const TRecipe& r = RECIPES[i];
        const bool made = r.product1 == item || r.product2 == item || r.built == item;
        if (made && r.first != item && r.second != item) return static_cast<int>(i);
    }
    return -1;
}

// The row that brings `item` into being; null for an item no recipe makes.
constexpr const TRecipe* RecipeMaking(int item) {
    const int row = RowMaking(item);
    return row < 0 ? nullptr : &RECIPES[static_cast<size_t>(row)];
}

// How many of `raw` one `item` is made of, down the recipe chain (a sail is
// four ferns); the tools a row keeps are not used up and count nothing.
constexpr int UnitsOf(int item, int raw) {
    if (item == raw) return 1;
    const int row = RowMaking(item);
    if (row < 0) return 0;
    const TRecipe& r = RECIPES[static_cast<size_t>(row)];
    if (r.how == TRecipe::SPLIT) return 0;
    const auto used = [&](int pick) { return pick != r.product1 && pick != r.product2; };
    return (used(r.first) ? UnitsOf(r.first, raw) : 0) +
           (used(r.second) ? UnitsOf(r.second, raw) : 0);
}
