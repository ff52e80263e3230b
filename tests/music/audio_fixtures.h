// Test audio made at test time, and reference decodes that do not go
// through the music service.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::string;

// Interleaved float frames of a two-tone signal that differs per `seed`.
std::vector<float> TestSignal(int rate, int channels, double seconds, int seed);

// One Ogg Vorbis link with the given comments; `serial` must differ per link
// of a chained file.
Bytes EncodeVorbis(const std::vector<float>& pcm, int rate, int channels,
                   const std::vector<std::string>& comments, int serial);

// MP3 through the lame program; empty when lame is missing or failed.
Bytes EncodeMp3(const std::vector<float>& pcm, int rate, int channels,
                const std::vector<std::string>& lameOptions);

// Whole-file reference decodes as stereo float at the file's rate.
std::vector<float> DecodeVorbisReference(const Bytes& file, int* rate = nullptr);
std::vector<float> DecodeMp3Reference(const Bytes& file, int* rate = nullptr);

// Shoutcast framing: `metaint` audio bytes, then a metadata block. `titles`
// maps block index to the raw StreamTitle text; other blocks are empty.
Bytes InterleaveIcy(const Bytes& audio, std::size_t metaint,
                    const std::vector<std::pair<int, std::string>>& titles);

// Ogg framing, for streams no encoder would make.
struct OggPageParts {
    std::uint8_t flags = 0; // 1 continued packet, 2 first page, 4 last page
    std::uint64_t granule = 0;
    std::uint32_t serial = 0;
    std::uint32_t sequence = 0;
    std::vector<std::uint8_t> lacing;
    Bytes body;
};
// Whole pages of an Ogg file (header and body each); stops at damage.
std::vector<Bytes> OggPages(const Bytes& file);
OggPageParts ParseOggPage(const Bytes& page);
Bytes MakeOggPage(const OggPageParts& parts); // with its checksum

// FNV-1a over the bit patterns of the first `frames` stereo frames.
std::uint64_t HashFrames(const std::vector<float>& stereo, std::size_t frames);
