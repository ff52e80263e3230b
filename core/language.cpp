#include "core/language.h"

#include <array>
#include <cctype>

#include "media/files.h"
#include "media/program.h"

// Where an install keeps the catalogs, from the asset tree (e.g. "../locale").
#ifndef PALMUT_LOCALE_FROM_DATA
#define PALMUT_LOCALE_FROM_DATA "locale"
#endif

namespace {

constexpr std::array<const char*, 2> SHIPPED = {"de", "en"};
constexpr const char* GERMAN = "de";
constexpr const char* FALLBACK = "en";

// The language part of a locale name: before "_", ".", "@" or "-", in lower case.
std::string LanguagePart(const std::string& name) {
    std::string part;
    for (char c : name) {
        if (c == '_' || c == '.' || c == '@' || c == '-') break;
        part += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return part;
}

bool IsCLocale(const std::string& name) {
    return name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0;
}

} // namespace

std::string ShippedLanguage(const std::string& code) {
    std::string part = LanguagePart(code);
    for (const char* shipped : SHIPPED)
        if (part == shipped) return part;
    return "";
}

std::string DesktopLanguage(const LocaleSettings& locale) {
    std::string name = locale.lcAll;
    if (name.empty()) name = locale.lcMessages;
    if (name.empty()) name = locale.lang;
    // Like gettext, the C locale ignores LANGUAGE: the original, German game.
    if (name.empty() || IsCLocale(name)) return GERMAN;
    std::size_t start = 0;
    while (start <= locale.language.size()) {
        std::size_t end = locale.language.find(':', start);
        if (end == std::string::npos) end = locale.language.size();
        std::string shipped = ShippedLanguage(locale.language.substr(start, end - start));
        if (!shipped.empty()) return shipped;
        start = end + 1;
    }
    std::string shipped = ShippedLanguage(name);
    return shipped.empty() ? FALLBACK : shipped;
}

std::string ChooseLanguage(const std::string& setting, const LocaleSettings& locale) {
    if (setting.empty()) return DesktopLanguage(locale);
    std::string shipped = ShippedLanguage(setting);
    if (!shipped.empty()) return shipped;
    DebugLog("language: unknown language '" + setting + "' in the settings, following the desktop");
    return DesktopLanguage(locale);
}

void UseLanguage(const std::string& code) {
    // The build tree's catalogs sit in the asset tree; an install puts them
    // where gettext and the distributions keep them, found from the asset tree
    // so a moved install still speaks its language.
    const std::string own = std::string("locale/") + code + "/LC_MESSAGES/palmut.mo";
    UseCatalog(ResolvePath(own).empty() ? PALMUT_LOCALE_FROM_DATA : "locale", code);
}

std::string LocalisedPicture(const std::string& path) {
    const std::string code = CatalogLanguage();
    const std::size_t slash = path.find('/');
    if (code == GERMAN || slash == std::string::npos) return path;
    // As the texts: the language's own picture, else the English one, else the German.
    for (const std::string& variant : {code, std::string(FALLBACK)}) {
        const std::string own = path.substr(0, slash + 1) + variant + path.substr(slash);
        if (!ResolvePath(own).empty()) return own;
    }
    return path;
}
