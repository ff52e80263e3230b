// The desktop's locale variables; the catalogs themselves are read by our own
// reader (system/catalogs.cpp), the same as in the page.
#include "media/language.h"

#include <cstdlib>

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

LocaleSettings DesktopLocale() {
    return {Variable("LANGUAGE"), Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG")};
}
