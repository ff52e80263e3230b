// Message catalogs through glibc's gettext. The language is chosen with
// LANGUAGE over the built-in C.UTF-8 locale: gettext honours LANGUAGE in any
// locale but plain C, and C.UTF-8 exists even where the system has generated
// no other locale, so a player's English desktop gets English all the same.
#include "media/language.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>

#include <libintl.h>

#include "media/files.h"
#include "media/program.h"

// gettext caches translations; the manual's way to drop them when LANGUAGE changes.
extern "C" int _nl_msg_cat_cntr; // NOLINT(readability-identifier-naming): glibc's name

namespace {

constexpr const char* kDomain = "palmut";
constexpr const char* kSourceLanguage = "de";

struct CatalogState {
    std::string code = kSourceLanguage;
    bool active = false; // false: Translate hands back the text as written
};
CatalogState catalog;

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// A catalog gettext would refuse shows as German; it is told apart here so the
// caller can log it. The magic number in either byte order marks a .mo file.
bool LooksLikeCatalog(const std::string& path) {
    FileStreamPtr file = OpenForReading(path);
    if (!file) return false;
    unsigned char magic[4] = {};
    if (ReadBytes(file, magic, 4) != 4) return false;
    const bool little =
        magic[0] == 0xde && magic[1] == 0x12 && magic[2] == 0x04 && magic[3] == 0x95;
    const bool big = magic[0] == 0x95 && magic[1] == 0x04 && magic[2] == 0x12 && magic[3] == 0xde;
    return little || big;
}

bool EnterMessagesLocale() {
    for (const char* name : {"C.UTF-8", "C.utf8", ""}) {
        const char* chosen = std::setlocale(LC_MESSAGES, name);
        if (chosen && std::string(chosen) != "C" && std::string(chosen) != "POSIX") return true;
    }
    return false;
}

} // namespace

LocaleSettings DesktopLocale() {
    return {Variable("LANGUAGE"), Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG")};
}

bool UseCatalog(const std::string& folder, const std::string& code) {
    catalog.code = code;
    catalog.active = false;
    if (code == kSourceLanguage) return true;
    const std::string path = folder + "/" + code + "/LC_MESSAGES/" + kDomain + ".mo";
    const std::string real = ResolvePath(path);
    if (real.empty() || !LooksLikeCatalog(real)) {
        DebugLog("language: no usable catalog " + path + ", texts stay German");
        return false;
    }
    if (!EnterMessagesLocale()) {
        DebugLog("language: no locale lets gettext read catalogs, texts stay German");
        return false;
    }
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(folder, ec);
    bindtextdomain(kDomain, (ec ? folder : absolute.string()).c_str());
    bind_textdomain_codeset(kDomain, "UTF-8");
    setenv("LANGUAGE", code.c_str(), 1);
    ++_nl_msg_cat_cntr;
    catalog.active = true;
    return true;
}

const char* Translate(const char* text) {
    if (!catalog.active || !text || !*text) return text;
    return dgettext(kDomain, text);
}

std::string CatalogLanguage() {
    return catalog.code;
}
