// The page's language: from the address (lang=, as the program's --lang) or
// from the browser's preferred language, which stands in for the desktop's
// locale. The catalogs are read as on the desktop (system/catalogs.cpp).
#include <string>

#include <emscripten.h>

#include "media/language.h"

namespace {

// clang-format off
// The browser's preferred language as a locale name ("en-US" -> "en_US.UTF-8"),
// written into `out` (`size` bytes with the terminating zero).
EM_JS(void, BrowserLocale, (char* out, int size), {
    const tag = (navigator.language || "").replace("-", "_");
    stringToUTF8Array(tag ? tag + ".UTF-8" : "", HEAPU8, out, size);
});
// clang-format on

} // namespace

LocaleSettings DesktopLocale() {
    char locale[64] = {};
    BrowserLocale(locale, static_cast<int>(sizeof locale));
    LocaleSettings settings;
    settings.lang = locale;
    return settings;
}
