#include "shell/user_files.h"

#include <filesystem>

#include "media/files.h"
#include "media/text_ops.h"

namespace fs = std::filesystem;

namespace {

bool IsMapFile(const fs::directory_entry& entry) {
    std::error_code ec;
    if (!entry.is_regular_file(ec)) return false;
    return EqualsNoCase(entry.path().extension().string(), ".map");
}

bool HoldsMap(const std::string& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (IsMapFile(*it)) return true;
    return false;
}

} // namespace

std::string SettingsFile(const std::string& name, const std::string& gameCopy) {
    const std::string home = UserConfigHome();
    if (!home.empty()) {
        std::string own = home + "/palmut/" + name;
        if (FileStreamPtr file = OpenForReading(own)) {
            Close(file);
            return own;
        }
    }
    return gameCopy;
}

std::string UserMapsFolder() {
    const std::string home = UserDataHome();
    return home.empty() ? "" : home + "/palmut/maps";
}

std::string MapDialogFolder() {
    const std::string own = UserMapsFolder();
    if (own.empty()) return "map/";
    std::error_code ec;
    fs::create_directories(own, ec); // so the player finds where islands go
    return HoldsMap(own) ? own + "/" : "map/";
}
