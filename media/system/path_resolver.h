// Case-insensitive path lookup: the game's data names the same folders in
// different letter case, which a Linux file system keeps apart.
#pragma once

#include <string>

namespace media_internal {

// Resolves `path` (relative to `base`, or absolute) one component at a time:
// the exact name wins, else of the entries equal ignoring ASCII case the one
// that sorts first, so the choice does not depend on directory order.
// Backslashes count as "/". Returns the existing path spelled as on
// disk, joined to `base` when given, or "" when some component has no match.
std::string ResolveUnder(const std::string& base, const std::string& path);

// True for an existing regular file. Checked before opening, since opening a
// named pipe would block until someone writes to it.
bool IsRegularFile(const std::string& path);

} // namespace media_internal
