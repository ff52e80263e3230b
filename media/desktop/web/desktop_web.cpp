// Desktop services in the page: there is no desktop dialog and no document
// opener, so the game offers its own: the in-game map list for "choose a
// map" and the in-game reader for the readme.
#include "media/desktop.h"

namespace {
bool openerFailed = false;
} // namespace

std::string RequestFile(const std::string&, const std::string&, int, const std::string&) {
    return "";
}

int RequestFileUnavailable() {
    return 1;
}

int OpenURL(const std::string&) {
    openerFailed = true;
    return 0;
}

int OpenURLFailed() {
    const bool failed = openerFailed;
    openerFailed = false;
    return failed ? 1 : 0;
}
