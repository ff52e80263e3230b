// Hands an address or a document to the desktop's "open" action (xdg-open).
#include "media/desktop/native/open_url.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "media/desktop.h"
#include "media/desktop/native/desktop_process.h"
#include "media/input/event_pump.h"
#include "media/program.h"
#include "media/system/path_resolver.h"
#include "media/test_seams.h"
#include "media/text_ops.h"

namespace {

struct OpenerState {
    std::string command = "xdg-open";
    // The opener last started, until it has been reaped; and whether it failed.
    int pending = -1;
    bool failed = false;
};
OpenerState opener;

void CheckOpener() {
    if (opener.pending < 0) return;
    const int status = media_internal::PollProcess(opener.pending);
    if (status < 0) return;
    opener.pending = -1;
    if (status != 0) {
        DebugLog("open: " + opener.command + " failed with status " + std::to_string(status));
        opener.failed = true;
    }
}

// Percent-encodes a path for a file URI; "/" and unreserved characters stay.
std::string EncodePath(const std::string& path) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string Absolute(const std::string& path) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(path, ec);
    return ec ? path : p.lexically_normal().string();
}

} // namespace

void SetOpenCommand(const std::string& program) {
    opener.command = program.empty() ? "xdg-open" : program;
    opener.failed = false; // an earlier opener's failure is not the new one's
}

namespace media_internal {

std::string DesktopAddress(const std::string& address) {
    if (StartsWithNoCase(address, "http:") || StartsWithNoCase(address, "https:") ||
        StartsWithNoCase(address, "file:"))
        return address;
    size_t hash = address.find('#');
    std::string path = address.substr(0, hash);
    std::string fragment = hash == std::string::npos ? "" : address.substr(hash);
    // Resolving accepts backslashes; the http fallback keeps the text as given.
    std::string real = path.empty() ? "" : ResolveUnder("", path);
    if (!real.empty()) {
        // "file://" plus the path: openers take only this form of a file address.
        return "file://" + EncodePath(Absolute(real)) + fragment;
    }
    return "http:" + path + fragment;
}

} // namespace media_internal

int OpenURL(const std::string& address) {
    std::string target = media_internal::DesktopAddress(address);
    // An opener may run the viewer in the foreground; the game never waits for it.
    media_internal::LeaveProcess(opener.pending);
    opener.failed = false;
    opener.pending = media_internal::StartProcess({opener.command, target}, false);
    if (opener.pending < 0) {
        DebugLog("open: cannot run " + opener.command);
        opener.failed = true;
        return 0;
    }
    return 1;
}

int OpenURLFailed() {
    CheckOpener();
    const bool failed = opener.failed;
    opener.failed = false;
    return failed ? 1 : 0;
}
