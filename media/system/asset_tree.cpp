#include "media/system/asset_tree.h"

#include <vector>

#include <unistd.h>

#include "media/system/path_resolver.h"
#include "media/system/sdl_context.h"

namespace media_internal {
namespace {

bool Holds(const std::string& dir, const std::string& marker) {
    return !dir.empty() && !ResolveUnder(dir, marker).empty();
}

bool Inside(const std::string& dir, const std::string& root) {
    if (root.empty() || dir.compare(0, root.size(), root) != 0) return false;
    return dir.size() == root.size() || dir[root.size()] == '/' || root.back() == '/';
}

std::string CurrentDir() {
    std::vector<char> buf(4096);
    return ::getcwd(buf.data(), buf.size()) ? std::string(buf.data()) : std::string();
}

} // namespace

std::string FindAssetTree(const AssetTreePlaces& p, const std::string& marker) {
    if (!p.installedRel.empty()) {
        std::string installed = p.exeDir + "/" + p.installedRel;
        if (Holds(installed, marker)) return installed;
    }
    std::vector<std::string> next;
    if (Inside(p.exeDir, p.buildDir))
        next = {p.workDir, p.buildAssets};
    else
        next = {p.dataDir, p.workDir};
    for (const std::string& dir : next)
        if (Holds(dir, marker)) return dir;
    return "";
}

AssetTreePlaces ProgramAssetTreePlaces() {
    AssetTreePlaces p;
    p.exeDir = ExecutableDir();
#ifdef PALMUT_DATA_FROM_BIN
    p.installedRel = PALMUT_DATA_FROM_BIN;
#endif
#ifdef PALMUT_BUILD_DIR
    p.buildDir = PALMUT_BUILD_DIR;
#endif
#ifdef PALMUT_BUILD_ASSETS
    p.buildAssets = PALMUT_BUILD_ASSETS;
#endif
#ifdef PALMUT_DATA_DIR
    p.dataDir = PALMUT_DATA_DIR;
#endif
    p.workDir = CurrentDir();
    return p;
}

} // namespace media_internal
