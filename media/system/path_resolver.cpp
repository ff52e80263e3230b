#include "media/system/path_resolver.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>

#include "media/text_ops.h"

namespace media_internal {
namespace {

bool Exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

// Name of the entry of `dir` that equals `name` ignoring case, or "".
// The smallest such name is taken, so the choice does not depend on readdir order.
std::string FindIgnoringCase(const std::string& dir, const std::string& name) {
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return {};
    std::string best;
    while (dirent* e = ::readdir(d)) {
        std::string entry = e->d_name;
        if (EqualsNoCase(entry, name) && (best.empty() || entry < best)) best = entry;
    }
    ::closedir(d);
    return best;
}

std::string Join(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

} // namespace

bool IsRegularFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ResolveUnder(const std::string& base, const std::string& path) {
    if (path.empty()) return {};
    std::string p = path;
    std::replace(p.begin(), p.end(), '\\', '/');

    std::string current = p.front() == '/' ? "/" : base;
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= p.size()) {
        size_t slash = p.find('/', start);
        if (slash == std::string::npos) slash = p.size();
        std::string part = p.substr(start, slash - start);
        if (!part.empty() && part != ".") parts.push_back(part);
        start = slash + 1;
    }
    if (parts.empty())
        return Exists(current.empty() ? "." : current) ? (current.empty() ? "." : current) : "";

    for (const std::string& part : parts) {
        std::string exact = Join(current, part);
        if (part == ".." || Exists(exact)) {
            current = exact;
            continue;
        }
        std::string found = FindIgnoringCase(current, part);
        if (found.empty()) return {};
        current = Join(current, found);
    }
    return Exists(current) ? current : "";
}

} // namespace media_internal
