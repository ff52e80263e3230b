// The zlib format (a two-byte header, deflate-compressed data, an Adler-32
// sum) decoded without zlib, for the PNG decoder of the page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace media_internal {

// Inflates a whole zlib stream into `out`, which must come out exactly
// `expected` bytes long: more is refused as soon as it appears, so a hostile
// stream cannot make us allocate more than the caller allowed. False on any
// damage (bad header, bad code, a distance before the start, a wrong sum).
bool InflateZlib(const uint8_t* data, size_t size, size_t expected, std::vector<uint8_t>& out);

} // namespace media_internal
