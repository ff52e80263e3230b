// Hands an address or a document to the desktop's "open" action (xdg-open).
#include "media/desktop/open_url.h"
#include "media/desktop.h"
#include "media/desktop/desktop_process.h"
#include "media/input/event_pump.h"
#include "media/program.h"
#include "media/system/path_resolver.h"
#include "media/test_seams.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

std::string openCommand = "xdg-open";
// A desktop opener returns at once; one that runs the viewer in the foreground
// is not waited for beyond this.
constexpr int kOpenTimeoutMs = 5000;

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    return true;
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
    openCommand = program.empty() ? "xdg-open" : program;
}

namespace media_internal {

std::string DesktopAddress(const std::string& address) {
    if (StartsWithIgnoringCase(address, "http:") || StartsWithIgnoringCase(address, "https:") ||
        StartsWithIgnoringCase(address, "file:"))
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
    media_internal::ProcessOptions options;
    options.timeoutMs = kOpenTimeoutMs;
    options.whileWaiting = [] { media_internal::PumpEvents(); };
    media_internal::ProcessResult r = media_internal::RunProcess({openCommand, target}, options);
    if (!r.started) DebugLog("open: cannot run " + openCommand);
    return r.exited && r.exitCode == 0 ? 1 : 0;
}
