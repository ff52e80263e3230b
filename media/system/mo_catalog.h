// GNU message catalogs (.mo files), read by our own reader on the desktop and
// in the page alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

namespace media_internal {

// Each original text (the German source) mapped to its translation, from a
// whole .mo file in either byte order; false (and `out` empty) when the file
// is damaged: a bad magic number, a table or string outside the file, more
// entries or more text than the file could hold. The header entry (empty
// original) is left out, and handed to `header` when given. An entry with a
// plural is keyed by its singular; its translation holds every form, each
// ended by a zero byte, so c_str() gives the first.
bool ParseMoCatalog(const uint8_t* data, size_t size,
                    std::unordered_map<std::string, std::string>& out,
                    std::string* header = nullptr);

} // namespace media_internal
