// Texts in the page: the game's message catalogs, packed with the assets,
// read by our own .mo reader (the page has no gettext). The language comes
// from the address (lang=, as the program's --lang) or from the browser's
// preferred language, which stands in for the desktop's locale.
#include <string>
#include <unordered_map>
#include <vector>

#include <emscripten.h>

#include "media/files.h"
#include "media/language.h"
#include "media/program.h"
#include "media/system/web/mo_catalog.h"

namespace {

constexpr const char* kDomain = "palmut";
constexpr const char* kSourceLanguage = "de";
constexpr std::size_t kMaxCatalogBytes = std::size_t{16} << 20;

struct CatalogState {
    std::string code = kSourceLanguage;
    std::unordered_map<std::string, std::string> texts; // German -> translation
};
CatalogState catalog;

// clang-format off
// The browser's preferred language as a locale name ("en-US" -> "en_US.UTF-8"),
// written into `out` (`size` bytes with the terminating zero).
EM_JS(void, BrowserLocale, (char* out, int size), {
    const tag = (navigator.language || "").replace("-", "_");
    stringToUTF8Array(tag ? tag + ".UTF-8" : "", HEAPU8, out, size);
});
// clang-format on

bool ReadCatalog(const std::string& path, std::vector<uint8_t>& bytes) {
    FileStreamPtr file = OpenForReading(path);
    if (!file) return false;
    unsigned char chunk[4096];
    while (std::size_t n = ReadBytes(file, chunk, sizeof chunk)) {
        if (bytes.size() + n > kMaxCatalogBytes) return false;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return true;
}

} // namespace

LocaleSettings DesktopLocale() {
    char locale[64] = {};
    BrowserLocale(locale, static_cast<int>(sizeof locale));
    LocaleSettings settings;
    settings.lang = locale;
    return settings;
}

bool UseCatalog(const std::string& folder, const std::string& code) {
    catalog.code = code;
    catalog.texts.clear();
    if (code == kSourceLanguage) return true;
    const std::string path = folder + "/" + code + "/LC_MESSAGES/" + kDomain + ".mo";
    std::vector<uint8_t> bytes;
    const std::string real = ResolvePath(path);
    if (real.empty() || !ReadCatalog(real, bytes) ||
        !media_internal::ParseMoCatalog(bytes.data(), bytes.size(), catalog.texts)) {
        DebugLog("language: no usable catalog " + path + ", texts stay German");
        return false;
    }
    return true;
}

// The strings live in the catalog, which is replaced only by UseCatalog.
const char* Translate(const char* text) {
    if (catalog.texts.empty() || !text || !*text) return text;
    const auto found = catalog.texts.find(text);
    return found == catalog.texts.end() || found->second.empty() ? text : found->second.c_str();
}

std::string CatalogLanguage() {
    return catalog.code;
}
