#include "media/stream/native/music_content.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string_view>

#include "media/text_ops.h"

namespace media_internal {

namespace {

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

// Text of the body head without a UTF-8 byte order mark and leading blanks, lower case.
std::string TextStart(const std::uint8_t* head, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(head), std::min<std::size_t>(size, 4096));
    if (StartsWith(text, "\xEF\xBB\xBF")) text.erase(0, 3);
    return LowerAscii(Trim(text));
}

bool ValidMpegHeader(const std::uint8_t* h) {
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0) return false;
    const int version = (h[1] >> 3) & 3, layer = (h[1] >> 1) & 3;
    const int bitrate = h[2] >> 4, rate = (h[2] >> 2) & 3;
    return version != 1 && layer != 0 && bitrate != 0 && bitrate != 15 && rate != 3;
}

// Two frame headers in the first bytes; an isolated 0xFFE is common in random data.
bool LooksLikeMpeg(const std::uint8_t* head, std::size_t size) {
    int found = 0;
    for (std::size_t i = 0; i + 4 <= size && i < 8192; ++i) {
        if (ValidMpegHeader(head + i) && ++found >= 2) return true;
    }
    return false;
}

bool HasScheme(const std::string& s) {
    const auto colon = s.find("://");
    if (colon == std::string::npos || colon == 0) return false;
    return std::all_of(s.begin(), s.begin() + static_cast<long>(colon), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
    });
}

std::string DecodeXmlEntities(std::string s) {
    static const std::pair<const char*, const char*> entities[] = {
        {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}};
    for (const auto& [from, to] : entities) {
        std::size_t at = 0;
        while ((at = s.find(from, at)) != std::string::npos) {
            s.replace(at, std::string(from).size(), to);
            at += std::string(to).size();
        }
    }
    return s;
}

// Values of `attribute` in every <tag ...> element, in document order.
std::vector<std::string> XmlAttributes(const std::string& text, const std::string& tag,
                                       const std::string& attribute) {
    std::vector<std::string> values;
    const std::string lower = LowerAscii(text);
    std::size_t at = 0;
    while ((at = lower.find("<" + tag, at)) != std::string::npos) {
        const auto close = lower.find('>', at);
        if (close == std::string::npos) break;
        const auto attr = lower.find(attribute + "=", at);
        if (attr != std::string::npos && attr < close) {
            std::size_t v = attr + attribute.size() + 1;
            char quote = text[v];
            std::size_t end;
            if (quote == '"' || quote == '\'') {
                ++v;
                end = text.find(quote, v);
            } else {
                end = text.find_first_of(" \t\r\n>", v);
            }
            if (end != std::string::npos && end <= close + 1)
                values.push_back(DecodeXmlEntities(Trim(text.substr(v, end - v))));
        }
        at = close;
    }
    return values;
}

// Start of the next element <name ...> in lower-cased text within [from, end);
// "<tracklist" is not a "<track". Searching only up to `end` keeps a hostile
// list linear in its size.
std::size_t FindElement(std::string_view lower, std::string_view name, std::size_t from,
                        std::size_t end) {
    end = std::min(end, lower.size());
    for (std::size_t at = from; at < end; ++at) {
        at = lower.substr(0, end).find(name, at);
        if (at == std::string_view::npos) return std::string::npos;
        const std::size_t after = at + name.size();
        // The '<' must lie at or after `from` too, or the same element is found again.
        if (at <= from || lower[at - 1] != '<' || after >= end) continue;
        const char c = lower[after];
        if (c == '>' || c == '/' || std::isspace(static_cast<unsigned char>(c))) return at - 1;
    }
    return std::string::npos;
}

// XSPF: the <location> texts of every <track>, in document order. The
// playlist's own <location> (where the list itself lives) is not a track.
std::vector<std::string> XspfLocations(const std::string& text) {
    std::vector<std::string> values;
    const std::string lowerText = LowerAscii(text);
    const std::string_view lower = lowerText;
    const std::size_t size = lower.size();
    std::size_t track = FindElement(lower, "track", 0, size);
    while (track != std::string::npos) {
        const std::size_t next = FindElement(lower, "track", track + 1, size);
        std::size_t end = next == std::string::npos ? size : next;
        end = std::min(end, lower.substr(0, end).find("</track", track));
        std::size_t at = FindElement(lower, "location", track, end);
        while (at != std::string::npos) {
            const std::size_t open = lower.find('>', at);
            if (open >= end) break;
            if (lower[open - 1] == '/') { // <location/> holds nothing
                at = FindElement(lower, "location", open, end);
                continue;
            }
            const std::size_t close = lower.substr(0, end).find("</location", open);
            if (close == std::string::npos) break;
            values.push_back(DecodeXmlEntities(Trim(text.substr(open + 1, close - open - 1))));
            at = FindElement(lower, "location", close, end);
        }
        track = next;
    }
    return values;
}

} // namespace

MusicContent DetectMusicContent(const std::string& contentType, const std::uint8_t* head,
                                std::size_t size) {
    if (size >= 4 && std::equal(head, head + 4, "OggS")) return MusicContent::Ogg;
    if (size >= 3 && std::equal(head, head + 3, "ID3")) return MusicContent::Mp3;
    const std::string text = TextStart(head, size);
    if (StartsWith(text, "[playlist]")) return MusicContent::Pls;
    if (StartsWith(text, "#extm3u"))
        return text.find("#ext-x-") != std::string::npos ? MusicContent::Hls : MusicContent::M3u;
    if (StartsWith(text, "<asx")) return MusicContent::Asx;
    if (StartsWith(text, "<?wpl") || StartsWith(text, "<smil")) return MusicContent::Wpl;
    if ((StartsWith(text, "<?xml") || StartsWith(text, "<playlist")) &&
        FindElement(text, "playlist", 0, text.size()) != std::string::npos)
        return MusicContent::Xspf;
    if (StartsWith(text, "<!doctype html") || StartsWith(text, "<html")) return MusicContent::Html;

    std::string type = LowerAscii(Trim(contentType.substr(0, contentType.find(';'))));
    static const std::map<std::string, MusicContent> byType = {
        {"audio/ogg", MusicContent::Ogg},
        {"application/ogg", MusicContent::Ogg},
        {"audio/vorbis", MusicContent::Ogg},
        {"audio/x-ogg", MusicContent::Ogg},
        {"audio/mpeg", MusicContent::Mp3},
        {"audio/mp3", MusicContent::Mp3},
        {"audio/mpg", MusicContent::Mp3},
        {"audio/x-mpeg", MusicContent::Mp3},
        {"audio/x-scpls", MusicContent::Pls},
        {"audio/scpls", MusicContent::Pls},
        {"audio/x-mpegurl", MusicContent::M3u},
        {"audio/mpegurl", MusicContent::M3u},
        {"application/x-mpegurl", MusicContent::M3u},
        {"application/vnd.apple.mpegurl", MusicContent::M3u},
        {"video/x-ms-asf", MusicContent::Asx},
        {"video/x-ms-asx", MusicContent::Asx},
        {"audio/x-ms-asx", MusicContent::Asx},
        {"application/vnd.ms-wpl", MusicContent::Wpl},
        {"application/xspf+xml", MusicContent::Xspf},
        {"text/html", MusicContent::Html},
        {"audio/aac", MusicContent::OtherAudio},
        {"audio/aacp", MusicContent::OtherAudio},
        {"audio/x-aac", MusicContent::OtherAudio},
    };
    if (const auto it = byType.find(type); it != byType.end()) {
        if (it->second == MusicContent::M3u && text.find("#ext-x-") != std::string::npos)
            return MusicContent::Hls;
        return it->second;
    }
    if (LooksLikeMpeg(head, size)) return MusicContent::Mp3;
    // A bare list of addresses, as many stations serve under text/plain.
    if (StartsWith(text, "http://") || StartsWith(text, "https://")) return MusicContent::M3u;
    return MusicContent::Unknown;
}

bool IsPlaylist(MusicContent kind) {
    return kind == MusicContent::Pls || kind == MusicContent::M3u || kind == MusicContent::Asx ||
           kind == MusicContent::Wpl || kind == MusicContent::Xspf;
}

MusicContent PlaylistKindFromName(const std::string& address) {
    std::string name = LowerAscii(address.substr(0, address.find_first_of("?#")));
    name = name.substr(name.find_last_of('/') + 1);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos) return MusicContent::Unknown;
    const std::string ext = name.substr(dot + 1);
    if (ext == "pls") return MusicContent::Pls;
    if (ext == "m3u" || ext == "m3u8") return MusicContent::M3u;
    if (ext == "asx") return MusicContent::Asx;
    if (ext == "wpl") return MusicContent::Wpl;
    if (ext == "xspf") return MusicContent::Xspf;
    return MusicContent::Unknown;
}

namespace {

// The lines of a text playlist, trimmed, without empty ones or a byte order mark.
std::vector<std::string> TextLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = StartsWith(text, "\xEF\xBB\xBF") ? 3 : 0;
    while (at < text.size()) {
        auto end = text.find_first_of("\r\n", at);
        if (end == std::string::npos) end = text.size();
        std::string line = Trim(text.substr(at, end - at));
        at = end + 1;
        if (!line.empty()) lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<std::string> M3uEntries(const std::string& text) {
    std::vector<std::string> entries;
    for (std::string& line : TextLines(text))
        if (line[0] != '#') entries.push_back(std::move(line));
    return entries;
}

// The number after "File" in a PLS key; absurd numbers are capped, not wrapped.
long PlsEntryNumber(const std::string& digits) {
    long n = 0;
    for (char c : digits)
        n = std::isdigit(static_cast<unsigned char>(c)) ? std::min(n * 10 + (c - '0'), 1000000L)
                                                        : n;
    return n;
}

// PLS entries in FileN order, not line order.
std::vector<std::string> PlsEntries(const std::string& text) {
    std::multimap<long, std::string> numbered;
    for (const std::string& line : TextLines(text)) {
        const auto eq = line.find('=');
        const std::string key = LowerAscii(Trim(line.substr(0, eq)));
        if (eq == std::string::npos || !StartsWith(key, "file")) continue;
        numbered.emplace(PlsEntryNumber(key.substr(4)), Trim(line.substr(eq + 1)));
    }
    std::vector<std::string> entries;
    for (auto& [n, entry] : numbered)
        entries.push_back(entry);
    return entries;
}

std::vector<std::string> RawEntries(MusicContent kind, const std::string& text) {
    switch (kind) {
    case MusicContent::Pls:
        return PlsEntries(text);
    case MusicContent::M3u:
        return M3uEntries(text);
    case MusicContent::Asx:
        return XmlAttributes(text, "ref", "href");
    case MusicContent::Wpl:
        return XmlAttributes(text, "media", "src");
    case MusicContent::Xspf:
        return XspfLocations(text);
    default:
        return {};
    }
}

} // namespace

std::vector<std::string> ParsePlaylist(MusicContent kind, const std::string& text,
                                       const std::string& base, std::size_t maxEntries) {
    std::vector<std::string> entries;
    for (const auto& entry : RawEntries(kind, text)) {
        if (entry.empty()) continue;
        if (entries.size() >= maxEntries) break;
        entries.push_back(ResolveAddress(base, entry));
    }
    return entries;
}

std::string ResolveAddress(const std::string& base, const std::string& ref) {
    if (HasScheme(ref)) return ref;
    if (HasScheme(base)) {
        const auto hostStart = base.find("://") + 3;
        auto pathStart = base.find('/', hostStart);
        if (pathStart == std::string::npos) pathStart = base.size();
        if (StartsWith(ref, "//")) return base.substr(0, hostStart - 2) + ref;
        if (StartsWith(ref, "/")) return base.substr(0, pathStart) + ref;
        auto dirEnd = base.find_first_of("?#", pathStart);
        std::string path = base.substr(pathStart, dirEnd == std::string::npos ? std::string::npos
                                                                              : dirEnd - pathStart);
        const auto slash = path.rfind('/');
        path = slash == std::string::npos ? "/" : path.substr(0, slash + 1);
        return base.substr(0, pathStart) + path + ref;
    }
    if (StartsWith(ref, "/")) return ref;
    const auto slash = base.rfind('/');
    return slash == std::string::npos ? ref : base.substr(0, slash + 1) + ref;
}

} // namespace media_internal
