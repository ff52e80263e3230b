// Files of the player's own in the page: a hidden file input of the page,
// clicked while the key that asked for it still counts as the player's act,
// and waited for through Asyncify. The picked files are copied into the memory
// file system, one folder per pick, so a later pick of the same names cannot
// change the island being played.
#include <algorithm>
#include <string>
#include <vector>

#include <emscripten.h>

#include "media/desktop.h"
#include "media/files.h"

namespace {

// A 4096 x 4096 island's layer file is 16 MiB; its picture is smaller.
constexpr double kMaxFileBytes = 32.0 * 1024 * 1024;
// Every pick stays for the session (the island played is read again after a
// death): the copies together stay within this.
constexpr double kMaxSessionBytes = 128.0 * 1024 * 1024;
constexpr int kMaxFilesPerPick = 16;
constexpr int kWaitStepMs = 50;
constexpr int kRefusedBytes = 4096;

enum PickState { Waiting = 0, Done = 1 };

struct PickerState {
    int picks = 0;
};
PickerState picker;

// clang-format off
// Opens the page's file chooser for files ending in one of `extensions` ("png,map").
// Files of other kinds are skipped; files over the bounds are only named in
// the refused list; the others land in `folder` under lower-cased names of
// letters, digits, ".", "_" and "-" only.
EM_JS(void, palmut_pick_start, (const char* folderPtr, const char* extensionsPtr,
                                double maxFile, double maxSession, int maxFiles), {
    const folder = UTF8ToString(folderPtr);
    const kinds = UTF8ToString(extensionsPtr).split(',').map((e) => '.' + e);
    const own = Module.palmutOwnFiles || (Module.palmutOwnFiles = { held: 0 });
    own.state = 0;
    own.refused = [];
    let input = document.getElementById('palmut-own-files');
    if (!input) {
        input = document.createElement('input');
        input.type = 'file';
        input.id = 'palmut-own-files';
        input.multiple = true;
        input.style.display = 'none';
        document.body.appendChild(input);
    }
    input.accept = kinds.join(',');
    input.value = "";
    const safeName = (name) => {
        const lower = name.toLowerCase().replace(/[^a-z0-9._-]/g, '_');
        const dot = lower.lastIndexOf('.');
        return lower.slice(0, Math.min(dot, 64)) + lower.slice(dot);
    };
    const take = async (files) => {
        FS.mkdirTree(folder);
        // More than a pick takes: the page names the ones left out.
        const left = files.slice(maxFiles).map((f) => f.name);
        if (left.length && Module.palmutFilesLeftOut) Module.palmutFilesLeftOut(left, maxFiles);
        for (const file of files.slice(0, maxFiles)) {
            const lower = file.name.toLowerCase();
            if (!kinds.some((k) => lower.endsWith(k) && lower.length > k.length)) continue;
            if (file.size > maxFile || own.held + file.size > maxSession) {
                own.refused.push(file.name);
                continue;
            }
            try {
                const bytes = new Uint8Array(await file.arrayBuffer());
                FS.writeFile(folder + '/' + safeName(file.name), bytes);
                own.held += bytes.length;
            } catch (e) {
                console.warn('palmut: could not read ' + file.name + ': ' + e);
            }
        }
    };
    input.onchange = () => {
        own.state = 2;
        take(Array.from(input.files || [])).finally(() => { own.state = 1; });
    };
    // Older browsers say nothing on a cancel: their window gets the focus back
    // without a change.
    input.oncancel = () => { if (own.state === 0) own.state = 1; };
    window.addEventListener('focus', () => setTimeout(() => {
        if (own.state === 0) own.state = 1;
    }, 1500), { once: true });
    input.click();
});

EM_JS(int, palmut_pick_state, (), {
    return Module.palmutOwnFiles.state;
});

// The refused files' names, one a line, into `out` (cut at `size` bytes).
EM_JS(void, palmut_pick_refused, (char* out, int size), {
    stringToUTF8(Module.palmutOwnFiles.refused.join('\n'), out, size);
});
// clang-format on

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

} // namespace

int CanPickOwnFiles() {
    return 1;
}

std::vector<std::string> PickOwnFiles(const std::string& extensions,
                                      std::vector<std::string>& tooBig) {
    const std::string folder = "/upload/" + std::to_string(++picker.picks);
    palmut_pick_start(folder.c_str(), extensions.c_str(), kMaxFileBytes, kMaxSessionBytes,
                      kMaxFilesPerPick);
    while (palmut_pick_state() != Done)
        emscripten_sleep(kWaitStepMs);
    std::string refused(kRefusedBytes, '\0');
    palmut_pick_refused(refused.data(), kRefusedBytes);
    tooBig = Lines(refused.c_str());
    std::vector<std::string> picked;
    std::size_t start = 0;
    while (start <= extensions.size()) {
        std::size_t end = extensions.find(',', start);
        if (end == std::string::npos) end = extensions.size();
        for (const std::string& path : ListFiles(folder, extensions.substr(start, end - start)))
            picked.push_back(path);
        start = end + 1;
    }
    std::sort(picked.begin(), picked.end());
    return picked;
}
