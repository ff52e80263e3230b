#include "media/system/mo_catalog.h"

namespace media_internal {
namespace {

constexpr uint32_t kMagic = 0x950412de;
constexpr size_t kHeaderBytes = 20;

struct MoReader {
    const uint8_t* data;
    size_t size;
    bool swapped; // the file's byte order is the other one

    uint32_t Word(size_t at) const {
        const uint32_t little = uint32_t{data[at]} | uint32_t{data[at + 1]} << 8 |
                                uint32_t{data[at + 2]} << 16 | uint32_t{data[at + 3]} << 24;
        const uint32_t big = uint32_t{data[at + 3]} | uint32_t{data[at + 2]} << 8 |
                             uint32_t{data[at + 1]} << 16 | uint32_t{data[at]} << 24;
        return swapped ? big : little;
    }

    // String `index` of the table at `table` (length, offset pairs); false
    // when it lies outside the file.
    bool String(size_t table, size_t index, std::string& out) const {
        const size_t entry = table + index * 8;
        if (entry > size - 8) return false;
        const size_t length = Word(entry), offset = Word(entry + 4);
        if (offset > size || length > size - offset) return false;
        out.assign(reinterpret_cast<const char*>(data + offset), length);
        return true;
    }
};

} // namespace

bool ParseMoCatalog(const uint8_t* data, size_t size,
                    std::unordered_map<std::string, std::string>& out, std::string* header) {
    out.clear();
    if (header) header->clear();
    if (!data || size < kHeaderBytes) return false;
    MoReader mo{data, size, false};
    if (mo.Word(0) != kMagic) {
        mo.swapped = true;
        if (mo.Word(0) != kMagic) return false;
    }
    const size_t count = mo.Word(8), originals = mo.Word(12), translations = mo.Word(16);
    // Every entry takes 8 bytes in each table: more than the file holds is damage.
    if (count > size / 16) return false;
    // The strings lie side by side in a catalog, so together they never take
    // more than the file: tables pointing many entries at the same bytes would
    // otherwise make a small file ask for gigabytes.
    size_t textBytes = 0;
    std::string original, translation;
    for (size_t i = 0; i < count; ++i) {
        const bool read =
            mo.String(originals, i, original) && mo.String(translations, i, translation);
        textBytes += read ? original.size() + translation.size() : 0;
        if (!read || textBytes > size) {
            out.clear();
            if (header) header->clear();
            return false;
        }
        if (original.empty()) {
            if (header) *header = translation;
            continue;
        }
        // "singular\0plural" is found by its singular; one without a singular
        // names no text and would stand in for the empty string.
        const std::string singular = original.substr(0, original.find('\0'));
        if (!singular.empty()) out[singular] = translation;
    }
    return true;
}

} // namespace media_internal
