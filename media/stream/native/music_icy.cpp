#include "media/stream/native/music_icy.h"

#include <algorithm>
#include <cstdlib>

namespace media_internal {

void IcyDeinterleaver::Feed(const std::uint8_t* data, std::size_t size,
                            std::vector<std::uint8_t>& audio, std::vector<Block>& blocks) {
    if (metaint_ == 0) {
        audio.insert(audio.end(), data, data + size);
        return;
    }
    std::size_t at = 0;
    while (at < size) {
        if (!inMeta_ && audioLeft_ > 0) {
            const std::size_t n = std::min(audioLeft_, size - at);
            audio.insert(audio.end(), data + at, data + at + n);
            audioLeft_ -= n;
            at += n;
        } else if (!inMeta_) {
            metaLeft_ = std::size_t{data[at++]} * 16;
            audioLeft_ = metaint_;
            inMeta_ = metaLeft_ > 0;
        } else {
            const std::size_t n = std::min(metaLeft_, size - at);
            block_.append(reinterpret_cast<const char*>(data + at), n);
            metaLeft_ -= n;
            at += n;
            if (metaLeft_ == 0) {
                inMeta_ = false;
                const auto end = block_.find('\0');
                if (end != std::string::npos) block_.resize(end);
                blocks.push_back({audio.size(), std::move(block_)});
                block_.clear();
            }
        }
    }
}

std::size_t ParseIcyMetaint(const std::string& value) {
    std::size_t i = 0;
    while (i < value.size() && (value[i] == ' ' || value[i] == '\t'))
        ++i;
    std::size_t result = 0;
    bool digits = false;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        result = result * 10 + static_cast<std::size_t>(value[i] - '0');
        digits = true;
        if (result > (16u << 20)) return 0; // no real server uses intervals this long
    }
    return digits ? result : 0;
}

bool ParseStreamTitle(const std::string& block, std::string& title) {
    static const std::string key = "StreamTitle='";
    const auto start = block.find(key);
    if (start == std::string::npos) return false;
    const auto from = start + key.size();
    // The closing quote is the one followed by ';' -- titles may hold quotes.
    auto end = block.find("';", from);
    if (end == std::string::npos) {
        end = block.rfind('\'');
        if (end == std::string::npos || end < from) end = block.size();
    }
    title = MetadataToUtf8(block.substr(from, end - from));
    return true;
}

namespace {

bool IsUtf8(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t extra = 0;
        unsigned minimum = 0;
        unsigned cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1, minimum = 0x80, cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, minimum = 0x800, cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, minimum = 0x10000, cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= s.size()) return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

void AppendUtf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Windows-1252 0x80..0x9F; the five unassigned bytes become U+FFFD.
constexpr unsigned short kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

} // namespace

std::string MetadataToUtf8(const std::string& text) {
    if (IsUtf8(text)) return text;
    std::string out;
    out.reserve(text.size() * 2);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80 && c < 0xA0) {
            AppendUtf8(out, kCp1252High[c - 0x80]);
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

} // namespace media_internal
