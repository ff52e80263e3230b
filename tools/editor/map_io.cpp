#include "map_io.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "editor_texts.h"
#include "generate_command.h"
#include "map_files.h"
#include "media/files.h"
#include "media/test_seams.h"
#include "media/text_ops.h"
#include "png_writer.h"
#include "world/map_files.h"

namespace fs = std::filesystem;

namespace editor {
namespace {

// The name as it exists on disk, or the name itself when nothing matches.
std::string Existing(const std::string& path) {
    const std::string real = ResolvePath(path);
    return real.empty() ? path : real;
}

// Only plain files are read: a named pipe would block the editor for good.
bool PlainFileOrMissing(const std::string& path, std::string& error) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (ec || !fs::exists(st)) return true;
    if (fs::is_regular_file(st)) return true;
    error = Tr(editor_texts::kNotRegular, {path});
    return false;
}

// A replaced file keeps its permissions; a new one gets the usual ones.
mode_t ModeFor(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::vector<uint8_t> PictureBytes(const mapcheck::MapData& map) {
    std::vector<uint8_t> rgb;
    rgb.reserve(map.ground.size() * 3);
    for (uint8_t g : map.ground) {
        const uint32_t argb = mapcheck::kGroundColours[g < mapcheck::kGroundKinds ? g : 0];
        rgb.push_back(static_cast<uint8_t>(argb >> 16));
        rgb.push_back(static_cast<uint8_t>(argb >> 8));
        rgb.push_back(static_cast<uint8_t>(argb));
    }
    return assetgen::EncodePng(map.width, map.height, 3, rgb);
}

std::vector<uint8_t> CritterBytes(const mapcheck::MapData& map) {
    const std::string text = std::to_string(map.apes) + "\n" + std::to_string(map.lizards) + "\n";
    return {text.begin(), text.end()};
}

} // namespace

MapPaths FindMapFiles(const std::string& path) {
    MapPaths p;
    p.image = path;
    if (EndsWithNoCase(path, ".map")) {
        // The picture of a layer file: same name, ".png" in any letter case.
        const std::string stem = path.substr(0, path.size() - 4);
        p.image = Existing(stem + ".png");
    } else {
        p.image = Existing(path);
    }
    p.layer = Existing(LayerFileName(p.image, ".map"));
    p.critter = Existing(LayerFileName(p.image, ".critter"));
    return p;
}

namespace {

// A picture without its layer file: the ground as the checker read it, no
// items, the critter file's counts when there is one.
Document PictureAlone(mapcheck::MapData& map, const MapPaths& paths, OpenNotes& notes) {
    notes.newLayer = true;
    map.items.assign(map.ground.size(), 0);
    std::error_code ec;
    if (fs::exists(paths.critter, ec)) {
        mapcheck::LoadCritterFile(paths.critter, map, notes.issues);
    } else {
        notes.defaultCritters = true;
        map.apes = mapcheck::FairnessGoals{}.apes;
        map.lizards = mapcheck::FairnessGoals{}.lizards;
    }
    TKarte karte = TKarte::Create(map.width, map.height, 3);
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x)
            karte.data(x, y, 0) = map.GroundAt(x, y);
    return Document::FromKarte(std::move(karte), map.apes, map.lizards);
}

// Cells the layer file lacks for the picture, 0 when it is long enough or
// there is no picture or file to measure.
int MissingCells(const mapcheck::MapData& map, const std::string& layer) {
    std::error_code ec;
    const auto size = fs::file_size(layer, ec);
    const auto cells = static_cast<std::uintmax_t>(map.width) * map.height;
    if (ec || map.ground.empty() || map.items.size() != cells || size >= cells) return 0;
    return static_cast<int>(cells - size);
}

} // namespace

bool OpenMap(const std::string& path, Document& doc, MapPaths& paths, OpenNotes& notes,
             std::string& error, bool padShortLayer) {
    paths = FindMapFiles(path);
    notes = {};
    if (!EndsWithNoCase(paths.image, ".png")) {
        error = Tr(editor_texts::kPickMapFile, {path});
        return false;
    }
    for (const std::string* file : {&paths.image, &paths.layer, &paths.critter})
        if (!PlainFileOrMissing(*file, error)) return false;
    mapcheck::MapData checked;
    const bool whole =
        mapcheck::LoadMapFiles(paths.image, paths.layer, paths.critter, checked, notes.issues);
    notes.offColourPixels = checked.offColourPixels;
    std::error_code ec;
    if (!whole && !checked.ground.empty() && !fs::exists(paths.layer, ec)) {
        doc = PictureAlone(checked, paths, notes);
        return true;
    }
    const int missing = MissingCells(checked, paths.layer);
    if (!whole && missing > 0) {
        notes.missingCells = missing;
        if (!padShortLayer) {
            error =
                notes.issues.empty() ? Tr(editor_texts::kMapUnreadable) : notes.issues.back().text;
            return false;
        }
        // The checker read what there is and left the rest empty.
        mapcheck::LoadCritterFile(paths.critter, checked, notes.issues);
        doc = DocumentOf(checked);
        return true;
    }
    if (!whole) {
        error = notes.issues.empty() ? Tr(editor_texts::kMapUnreadable) : notes.issues.back().text;
        return false;
    }
    // Now the game's loader builds the map; it cannot fail on what the checks passed,
    // and if it does its message reaches the maker instead of ending the editor.
    ThrowOnProgramExit(true);
    try {
        TKarte karte = TKarte::loadPNG(paths.image);
        doc = Document::FromKarte(std::move(karte), checked.apes, checked.lizards);
    } catch (const ProgramExit& stop) {
        error = stop.message;
        return false;
    }
    return true;
}

MapPaths SaveTargets(const std::string& imagePath, std::string& error) {
    MapPaths t;
    if (!EndsWithNoCase(imagePath, ".png")) {
        error = Tr(editor_texts::kPngName);
        return t;
    }
    const fs::path image(imagePath);
    const std::string folder = image.parent_path().string();
    // The game derives the other names from the whole path, folders included.
    if (LowerAscii(folder).find(".png") != std::string::npos) {
        error = Tr(editor_texts::kPngFolder);
        return t;
    }
    const std::string name = image.filename().string();
    const auto beside = [&](const std::string& file) {
        return Existing((image.parent_path() / file).string());
    };
    t.image = Existing(imagePath);
    t.layer = beside(LayerFileName(name, ".map"));
    t.critter = beside(LayerFileName(name, ".critter"));
    return t;
}

std::vector<std::string> ExistingFiles(const MapPaths& targets) {
    std::vector<std::string> found;
    for (const std::string* file : {&targets.image, &targets.layer, &targets.critter}) {
        std::error_code ec;
        if (fs::exists(*file, ec)) found.push_back(*file);
    }
    return found;
}

bool SaveMap(const Document& doc, const MapPaths& targets, std::string& error) {
    const mapcheck::MapData& map = doc.Data();
    struct Out {
        const std::string* path;
        std::vector<uint8_t> bytes;
        std::string temp;
    } outs[] = {{&targets.image, PictureBytes(map), {}},
                {&targets.layer, map.items, {}},
                {&targets.critter, CritterBytes(map), {}}};
    const auto dropTemps = [&] {
        for (Out& o : outs)
            if (!o.temp.empty()) ::unlink(o.temp.c_str());
    };
    for (Out& o : outs) {
        std::string pattern = *o.path + ".tmp-XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) {
            error = Tr(editor_texts::kCannotWrite, {*o.path, std::strerror(errno)});
            dropTemps();
            return false;
        }
        o.temp = pattern;
        const bool ok =
            WriteAll(fd, o.bytes) && ::fchmod(fd, ModeFor(*o.path)) == 0 && ::fsync(fd) == 0;
        const int savedErrno = errno;
        if (::close(fd) != 0 || !ok) {
            error = Tr(editor_texts::kCannotWrite, {*o.path, std::strerror(savedErrno)});
            dropTemps();
            return false;
        }
    }
    for (Out& o : outs) {
        if (::rename(o.temp.c_str(), o.path->c_str()) != 0) {
            error = Tr(editor_texts::kCannotReplace, {*o.path, std::strerror(errno)});
            dropTemps();
            return false;
        }
        o.temp.clear();
    }
    return true;
}

std::string DefaultMapsFolder() {
    const std::string home = UserDataHome();
    return home.empty() ? "" : home + "/palmut/maps/";
}

std::string ProposedSavePath(const std::string& imagePath) {
    if (imagePath.empty()) return DefaultMapsFolder() + "insel.png";
    const fs::path folder = fs::path(imagePath).parent_path();
    if (::access(folder.empty() ? "." : folder.c_str(), W_OK) == 0) return imagePath;
    return DefaultMapsFolder() + fs::path(imagePath).filename().string();
}

} // namespace editor
