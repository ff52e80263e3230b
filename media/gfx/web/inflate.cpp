// Deflate decoding written from the format's definition: stored, fixed and
// dynamic Huffman blocks, canonical codes decoded one bit at a time. The
// game's pictures are small, so clarity wins over speed here.
#include "media/gfx/web/inflate.h"

#include <array>

namespace media_internal {
namespace {

constexpr int kMaxBits = 15;
constexpr int kLiteralCodes = 288;
constexpr int kDistanceCodes = 30;
constexpr int kEndOfBlock = 256;

constexpr std::array<uint16_t, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                  15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                  67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<uint16_t, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<uint8_t, 30> kDistanceExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                    4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                    9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block lists the code lengths of its code-length code.
constexpr std::array<uint8_t, 19> kLengthOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                  11, 4,  12, 3, 13, 2, 14, 1, 15};

// Bits least significant first, as deflate packs them. Reading past the end
// yields zeros and marks the stream as damaged.
struct BitReader {
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
    uint32_t buffer = 0;
    int count = 0;
    bool overrun = false;

    int Bits(int n) {
        while (count < n) {
            if (pos >= size) {
                overrun = true;
                return 0;
            }
            buffer |= uint32_t{data[pos++]} << count;
            count += 8;
        }
        const int value = static_cast<int>(buffer & ((1u << n) - 1));
        buffer >>= n;
        count -= n;
        return value;
    }
};

// A canonical Huffman code: how many codes each length has, and the symbols
// sorted by code.
struct Huffman {
    std::array<uint16_t, kMaxBits + 1> counts{};
    std::array<uint16_t, kLiteralCodes> symbols{};
};

// False when the lengths ask for more codes than exist (an over-full code).
bool BuildHuffman(Huffman& h, const uint8_t* lengths, int n) {
    h.counts.fill(0);
    for (int s = 0; s < n; ++s)
        ++h.counts[lengths[s]];
    int left = 1;
    for (int len = 1; len <= kMaxBits; ++len) {
        left = left * 2 - h.counts[len];
        if (left < 0) return false;
    }
    std::array<uint16_t, kMaxBits + 2> offsets{};
    for (int len = 1; len <= kMaxBits; ++len)
        offsets[len + 1] = static_cast<uint16_t>(offsets[len] + h.counts[len]);
    for (int s = 0; s < n; ++s)
        if (lengths[s] != 0) h.symbols[offsets[lengths[s]]++] = static_cast<uint16_t>(s);
    return true;
}

// The next symbol, or -1 for a code the table lacks.
int DecodeSymbol(BitReader& in, const Huffman& h) {
    int code = 0, first = 0, index = 0;
    for (int len = 1; len <= kMaxBits; ++len) {
        code |= in.Bits(1);
        const int count = h.counts[len];
        if (code - first < count) return h.symbols[index + (code - first)];
        index += count;
        first = (first + count) << 1;
        code <<= 1;
        if (in.overrun) return -1;
    }
    return -1;
}

struct Inflater {
    BitReader in;
    size_t expected;
    std::vector<uint8_t>& out;

    bool Stored() {
        in.buffer = 0; // a stored block starts at a byte boundary
        in.count = 0;
        if (in.size - in.pos < 4) return false;
        const size_t len = in.data[in.pos] | size_t{in.data[in.pos + 1]} << 8;
        const size_t nlen = in.data[in.pos + 2] | size_t{in.data[in.pos + 3]} << 8;
        in.pos += 4;
        if ((len ^ 0xFFFF) != nlen || in.size - in.pos < len || expected - out.size() < len)
            return false;
        out.insert(out.end(), in.data + in.pos, in.data + in.pos + len);
        in.pos += len;
        return true;
    }

    bool CopyMatch(int lengthSymbol, const Huffman& distances) {
        const int li = lengthSymbol - 257;
        if (li >= 29) return false;
        const size_t length = kLengthBase[li] + static_cast<size_t>(in.Bits(kLengthExtra[li]));
        const int di = DecodeSymbol(in, distances);
        if (di < 0 || di >= kDistanceCodes) return false;
        const size_t distance =
            kDistanceBase[di] + static_cast<size_t>(in.Bits(kDistanceExtra[di]));
        if (distance > out.size() || expected - out.size() < length) return false;
        const size_t from = out.size() - distance;
        for (size_t k = 0; k < length; ++k)
            out.push_back(out[from + k]); // may overlap what it writes
        return true;
    }

    bool Codes(const Huffman& literals, const Huffman& distances) {
        for (;;) {
            const int symbol = DecodeSymbol(in, literals);
            if (symbol < 0 || in.overrun) return false;
            if (symbol == kEndOfBlock) return true;
            if (symbol < kEndOfBlock) {
                if (out.size() >= expected) return false;
                out.push_back(static_cast<uint8_t>(symbol));
            } else if (!CopyMatch(symbol, distances)) {
                return false;
            }
        }
    }

    bool Fixed() {
        std::array<uint8_t, kLiteralCodes + kDistanceCodes> lengths{};
        for (int s = 0; s < kLiteralCodes; ++s)
            lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
        for (int s = 0; s < kDistanceCodes; ++s)
            lengths[kLiteralCodes + s] = 5;
        Huffman literals, distances;
        BuildHuffman(literals, lengths.data(), kLiteralCodes);
        BuildHuffman(distances, lengths.data() + kLiteralCodes, kDistanceCodes);
        return Codes(literals, distances);
    }

    // The code lengths of a dynamic block, themselves Huffman coded with
    // runs (16: repeat the previous, 17 and 18: zeros).
    bool ReadLengths(const Huffman& lengthCode, uint8_t* lengths, int n) {
        for (int at = 0; at < n;) {
            const int symbol = DecodeSymbol(in, lengthCode);
            if (symbol < 0) return false;
            if (symbol < 16) {
                lengths[at++] = static_cast<uint8_t>(symbol);
                continue;
            }
            uint8_t value = 0;
            int repeat = 0;
            if (symbol == 16) {
                if (at == 0) return false;
                value = lengths[at - 1];
                repeat = 3 + in.Bits(2);
            } else {
                repeat = symbol == 17 ? 3 + in.Bits(3) : 11 + in.Bits(7);
            }
            if (at + repeat > n) return false;
            while (repeat-- > 0)
                lengths[at++] = value;
        }
        return !in.overrun;
    }

    bool Dynamic() {
        const int literalCount = in.Bits(5) + 257;
        const int distanceCount = in.Bits(5) + 1;
        const int lengthCount = in.Bits(4) + 4;
        if (literalCount > 286 || distanceCount > kDistanceCodes) return false;
        std::array<uint8_t, 19> codeLengths{};
        for (int k = 0; k < lengthCount; ++k)
            codeLengths[kLengthOrder[k]] = static_cast<uint8_t>(in.Bits(3));
        Huffman lengthCode;
        if (!BuildHuffman(lengthCode, codeLengths.data(), 19)) return false;
        std::array<uint8_t, kLiteralCodes + kDistanceCodes> lengths{};
        if (!ReadLengths(lengthCode, lengths.data(), literalCount + distanceCount)) return false;
        if (lengths[kEndOfBlock] == 0) return false; // a block must be able to end
        Huffman literals, distances;
        if (!BuildHuffman(literals, lengths.data(), literalCount) ||
            !BuildHuffman(distances, lengths.data() + literalCount, distanceCount))
            return false;
        return Codes(literals, distances);
    }

    bool Run() {
        for (bool last = false; !last;) {
            last = in.Bits(1) != 0;
            const int type = in.Bits(2);
            const bool ok = type == 0 ? Stored() : type == 1 ? Fixed() : type == 2 && Dynamic();
            if (!ok || in.overrun) return false;
        }
        return true;
    }
};

uint32_t Adler32(const std::vector<uint8_t>& bytes) {
    uint32_t a = 1, b = 0;
    for (uint8_t byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

} // namespace

bool InflateZlib(const uint8_t* data, size_t size, size_t expected, std::vector<uint8_t>& out) {
    out.clear();
    // Header: deflate with a window of at most 32 KiB, no preset dictionary,
    // and a check value that makes the two bytes a multiple of 31.
    if (size < 6 || (data[0] & 0x0F) != 8 || (data[0] >> 4) > 7 || (data[1] & 0x20) != 0 ||
        (data[0] << 8 | data[1]) % 31 != 0)
        return false;
    out.reserve(expected);
    Inflater inflater{BitReader{data + 2, size - 2}, expected, out};
    if (!inflater.Run() || out.size() != expected) return false;
    const size_t end = 2 + inflater.in.pos;
    if (size - end < 4) return false;
    const uint32_t sum = uint32_t{data[end]} << 24 | uint32_t{data[end + 1]} << 16 |
                         uint32_t{data[end + 2]} << 8 | data[end + 3];
    return sum == Adler32(out);
}

} // namespace media_internal
