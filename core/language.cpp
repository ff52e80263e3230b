#include "core/language.h"

#include <algorithm>
#include <cctype>

#include "media/files.h"
#include "media/program.h"

// Where an install keeps the catalogs, from the asset tree (e.g. "../locale").
#ifndef PALMUT_LOCALE_FROM_DATA
#define PALMUT_LOCALE_FROM_DATA "locale"
#endif
// The shipped languages, comma-separated: German and one per po/<code>.po,
// listed by the build.
#ifndef PALMUT_LANGUAGES
#define PALMUT_LANGUAGES "de,en"
#endif

namespace {

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

const std::vector<std::string>& ShippedLanguages() {
    static const std::vector<std::string> languages = [] {
        std::vector<std::string> list;
        const std::string all = PALMUT_LANGUAGES;
        for (std::size_t start = 0; start <= all.size();) {
            const std::size_t end = std::min(all.find(',', start), all.size());
            if (end > start) list.push_back(all.substr(start, end - start));
            start = end + 1;
        }
        return list;
    }();
    return languages;
}

std::string KnownLanguages(const char* separator) {
    std::string known;
    for (const std::string& code : ShippedLanguages())
        known += (known.empty() ? "" : separator) + code;
    return known;
}

std::string ShippedLanguage(const std::string& code) {
    std::string part = LanguagePart(code);
    // "pt_BR.UTF-8" and "pt-br" name a catalog po/pt_BR.po; "pt_PT" or "pt"
    // take po/pt.po, else the first variant of the language.
    const std::size_t after = part.size();
    std::string territory;
    if (after < code.size() && (code[after] == '_' || code[after] == '-'))
        for (std::size_t i = after + 1;
             i < code.size() && std::isalpha(static_cast<unsigned char>(code[i])); ++i)
            territory += static_cast<char>(std::toupper(static_cast<unsigned char>(code[i])));
    const std::vector<std::string>& shipped = ShippedLanguages();
    const auto has = [&](const std::string& name) {
        return std::find(shipped.begin(), shipped.end(), name) != shipped.end();
    };
    if (part.empty()) return "";
    if (!territory.empty() && has(part + "_" + territory)) return part + "_" + territory;
    if (has(part)) return part;
    for (const std::string& name : shipped)
        if (name.rfind(part + "_", 0) == 0) return name;
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
        std::string own = path.substr(0, slash + 1) + variant + path.substr(slash);
        if (!ResolvePath(own).empty()) return own;
    }
    return path;
}
