// How island-like an island's outline is, for the natural generator to hold
// its candidates to and for the tests: land against its convex hull, and the
// longest straight stretch of coast.
#pragma once

#include "island/map_analysis.h"

namespace mapgen {

struct ShapeFigures {
    double landToHull = 0; // land cells ÷ the area of their convex hull; a blob is near 1
    int straightCoast = 0; // the longest run of coast cells along one row or column
};

// Every cell that is not open sea counts as land (shallow water included).
ShapeFigures MeasureShape(const mapcheck::MapData& map);

// What a natural island keeps to: land filling 0.55 to 0.85 of its hull, and no
// straight coast longer than a fifth of the shorter side.
inline constexpr double kLeastLandToHull = 0.55, kMostLandToHull = 0.85;
bool NaturalEnough(const mapcheck::MapData& map);

} // namespace mapgen
