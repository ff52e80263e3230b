// What an address delivered: audio we can decode, a playlist, or something else.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace media_internal {

enum class MusicContent { Unknown, Ogg, Mp3, Pls, M3u, Asx, Wpl, Xspf, Hls, Html, OtherAudio };

// `contentType` is the raw header value (parameters allowed); `head` the first
// bytes of the body. Clear signatures in the body win over the header, since
// many servers label everything application/octet-stream or text/plain.
MusicContent DetectMusicContent(const std::string& contentType, const std::uint8_t* head,
                                std::size_t size);

bool IsPlaylist(MusicContent kind);

// The playlist kind an address's file name suggests (.pls, .m3u, .m3u8, .asx,
// .wpl, .xspf), else Unknown. Only for content nothing else identified.
MusicContent PlaylistKindFromName(const std::string& address);

// Entries in playlist order, relative ones resolved against `base`; at most
// `maxEntries` are returned.
std::vector<std::string> ParsePlaylist(MusicContent kind, const std::string& text,
                                       const std::string& base, std::size_t maxEntries = 64);

// `ref` as seen from the address `base` (an URL or a local path).
std::string ResolveAddress(const std::string& base, const std::string& ref);

} // namespace media_internal
