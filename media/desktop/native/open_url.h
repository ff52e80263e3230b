// The address OpenURL hands to the desktop, split out so it can be checked.
#pragma once

#include <string>

namespace media_internal {

// "http:", "https:" and "file:" addresses unchanged (any case); an existing
// path becomes a file URI of its absolute path, anything else "http:" + text,
// with a "#..." part kept at the end in both cases.
std::string DesktopAddress(const std::string& address);

} // namespace media_internal
