// The chosen language's texts from the message catalogs, read by our own .mo
// reader on the desktop and in the page alike, so the game speaks a language
// whatever locales the system has generated. A text the chosen catalog lacks
// comes from the English one, then stays German (the source), as gettext does
// for LANGUAGE=fr:en.
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "media/files.h"
#include "media/language.h"
#include "media/program.h"
#include "media/system/mo_catalog.h"
#include "media/system/plural_forms.h"

namespace {

constexpr const char* kDomain = "palmut";
constexpr const char* kSourceLanguage = "de";
constexpr const char* kFallbackLanguage = "en";
constexpr std::size_t kMaxCatalogBytes = std::size_t{16} << 20;

struct Catalog {
    std::unordered_map<std::string, std::string> texts; // German -> translation(s)
    media_internal::PluralRule plural;
};

struct CatalogState {
    std::string code = kSourceLanguage;
    std::vector<std::unique_ptr<Catalog>> chain; // the chosen language's first
};
CatalogState catalogs;

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

std::unique_ptr<Catalog> LoadCatalog(const std::string& folder, const std::string& code) {
    const std::string path = folder + "/" + code + "/LC_MESSAGES/" + kDomain + ".mo";
    const std::string real = ResolvePath(path);
    std::vector<uint8_t> bytes;
    auto catalog = std::make_unique<Catalog>();
    std::string header;
    if (real.empty() || !ReadCatalog(real, bytes) ||
        !media_internal::ParseMoCatalog(bytes.data(), bytes.size(), catalog->texts, &header)) {
        DebugLog("language: no usable catalog " + path);
        return nullptr;
    }
    if (header.find("Plural-Forms:") != std::string::npos && !catalog->plural.ParseHeader(header))
        DebugLog("language: unreadable plural forms in " + path + ", using one and many");
    return catalog;
}

} // namespace

bool UseCatalog(const std::string& folder, const std::string& code) {
    catalogs.code = code;
    catalogs.chain.clear();
    if (code == kSourceLanguage) return true;
    std::unique_ptr<Catalog> own = LoadCatalog(folder, code);
    const bool found = own != nullptr;
    if (own) catalogs.chain.push_back(std::move(own));
    if (code != kFallbackLanguage)
        if (std::unique_ptr<Catalog> english = LoadCatalog(folder, kFallbackLanguage))
            catalogs.chain.push_back(std::move(english));
    return found;
}

// The strings live in the catalogs, which are replaced only by UseCatalog.
const char* Translate(const char* text) {
    if (!text || !*text) return text;
    for (const auto& catalog : catalogs.chain) {
        const auto found = catalog->texts.find(text);
        if (found != catalog->texts.end() && !found->second.empty() && found->second[0])
            return found->second.c_str();
    }
    return text;
}

const char* TranslatePlural(const char* singular, const char* plural, unsigned long n) {
    if (!singular || !plural) return n == 1 ? singular : plural;
    for (const auto& catalog : catalogs.chain) {
        const auto found = catalog->texts.find(singular);
        if (found == catalog->texts.end()) continue;
        // The forms follow one another, each ended by a zero byte.
        const std::string& forms = found->second;
        std::size_t at = 0;
        for (int i = catalog->plural.Index(n); i > 0 && at < forms.size(); --i) {
            const std::size_t end = forms.find('\0', at);
            at = end == std::string::npos ? forms.size() : end + 1;
        }
        if (at < forms.size() && forms[at]) return forms.c_str() + at;
    }
    return n == 1 ? singular : plural;
}

std::string CatalogLanguage() {
    return catalogs.code;
}
