// Parsing of the critter file's count lines.
#pragma once

#include <string>

// Leading white space, optional sign, then "%" binary, "$" hex or decimal
// digits up to the first character that does not fit; no digits give 0.
// Values beyond the int range saturate. `digits`, when given, tells whether
// the line held any digit at all (the map checker reports lines that do not).
int ParseCritterCount(const std::string& line, bool* digits = nullptr);
