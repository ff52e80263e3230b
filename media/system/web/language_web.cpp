// Texts in the page: German, as written. The page has no gettext; reading
// the game's .mo catalogs directly (and the language from the address, lang=)
// takes this file's place next. Until then every catalog counts as missing.
#include "media/language.h"
#include "media/program.h"

namespace {
constexpr const char* kSourceLanguage = "de";
std::string chosenCode = kSourceLanguage;
} // namespace

// The page has no locale variables; the address will choose the language.
LocaleSettings DesktopLocale() {
    return {};
}

bool UseCatalog(const std::string&, const std::string& code) {
    chosenCode = code;
    if (code == kSourceLanguage) return true;
    DebugLog("language: no catalogs in the page yet, texts stay German");
    return false;
}

const char* Translate(const char* text) {
    return text;
}

std::string CatalogLanguage() {
    return chosenCode;
}
