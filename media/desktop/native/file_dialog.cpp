// The open-file dialog: the desktop portal, else the desktop's helper programs
// (zenity, kdialog), attached to the game window, while the game keeps its
// window alive.
#include <cstdlib>
#include <filesystem>

#include <unistd.h>

#include "media/desktop.h"
#include "media/desktop/native/desktop_process.h"
#include "media/desktop/native/file_dialog_filter.h"
#include "media/desktop/native/file_dialog_portal.h"
#include "media/desktop/native/window_xid.h"
#include "media/input/event_pump.h"
#include "media/program.h"
#include "media/system/path_resolver.h"
#include "media/test_seams.h"

namespace {

std::function<std::string(const std::string&)> scriptedAnswer;
std::function<std::vector<std::string>(std::vector<std::string>&)> scriptedOwnFiles;
bool dialogUnavailable = false;

std::string CurrentDir() {
    std::error_code ec;
    auto p = std::filesystem::current_path(ec);
    return ec ? std::string("/") : p.string();
}

std::string MakeAbsolute(const std::string& path) {
    if (!path.empty() && path.front() == '/') return path;
    return CurrentDir() + "/" + path;
}

// Folder the dialog starts in: the initial path resolved without regard to
// case, else the working directory. Always absolute, ending in "/" for folders.
std::string StartFolder(const std::string& initialPath) {
    std::string real = initialPath.empty() ? "" : media_internal::ResolveUnder("", initialPath);
    std::string abs = MakeAbsolute(real.empty() ? "." : real);
    std::error_code ec;
    if (std::filesystem::is_directory(abs, ec) && abs.back() != '/') abs += '/';
    return abs;
}

bool HaveDisplay() {
    const char* x = std::getenv("DISPLAY");
    const char* w = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (w && *w);
}

using media_internal::DialogOutcome;

DialogOutcome Ask(const std::vector<std::string>& argv, std::string& chosen) {
    media_internal::ProcessOptions options;
    options.captureOutput = true;
    options.quietErrors = true;
    // Keep the game window answering the window manager while the dialog is up.
    options.whileWaiting = [] { media_internal::PumpEvents(); };
    media_internal::ProcessResult r = media_internal::RunProcess(argv, options);
    if (!r.started) return DialogOutcome::Unavailable;
    if (!r.exited) return DialogOutcome::Unavailable;
    if (r.exitCode == 1) return DialogOutcome::Cancelled;
    if (r.exitCode != 0) return DialogOutcome::Unavailable;
    // Helpers may print warnings first; the answer is the last line.
    std::string line = media_internal::LastNonEmptyLine(r.output);
    if (line.empty()) return DialogOutcome::Cancelled;
    chosen = MakeAbsolute(line);
    return DialogOutcome::Chosen;
}

std::vector<std::string> ZenityCommand(const std::string& title,
                                       const std::vector<media_internal::FileTypeGroup>& groups,
                                       bool save, const std::string& folder, unsigned long xid) {
    std::vector<std::string> argv = {"zenity", "--file-selection", "--title=" + title};
    if (save) {
        argv.push_back("--save");
        argv.push_back("--confirm-overwrite");
    }
    for (const std::string& f : media_internal::ZenityFilters(groups))
        argv.push_back("--file-filter=" + f);
    argv.push_back("--filename=" + folder);
    if (xid) {
        argv.push_back("--attach=" + std::to_string(xid));
        argv.push_back("--modal");
    }
    return argv;
}

std::vector<std::string> KdialogCommand(const std::string& title,
                                        const std::vector<media_internal::FileTypeGroup>& groups,
                                        bool save, const std::string& folder, unsigned long xid) {
    std::vector<std::string> argv = {"kdialog", "--title",
                                     title,     save ? "--getsavefilename" : "--getopenfilename",
                                     folder,    media_internal::KdialogFilter(groups)};
    if (xid) {
        argv.push_back("--attach");
        argv.push_back(std::to_string(xid));
    }
    return argv;
}

} // namespace

void SetRequestFileAnswer(std::function<std::string(const std::string& title)> answer) {
    scriptedAnswer = std::move(answer);
}

std::string RequestFile(const std::string& title, const std::string& filter, int save,
                        const std::string& initialPath) {
    dialogUnavailable = false;
    if (scriptedAnswer) return scriptedAnswer(title);
    if (!HaveDisplay()) {
        DebugLog("file dialog: no display");
        dialogUnavailable = true;
        return {};
    }
    auto groups = media_internal::ParseFileFilter(filter);
    std::string folder = StartFolder(initialPath);
    unsigned long xid = media_internal::CurrentWindowXid();

    media_internal::PortalRequest portal{title, groups, save != 0, folder, xid};
    // A portal that can start in the folder is the desktop's own dialog; an
    // older one cannot, so it comes after the helpers that can.
    portal.minimumVersion = 4;
    std::string chosen;
    DialogOutcome outcome = media_internal::AskPortal(portal, chosen);
    if (outcome == DialogOutcome::Unavailable)
        outcome = Ask(ZenityCommand(title, groups, save != 0, folder, xid), chosen);
    if (outcome == DialogOutcome::Unavailable)
        outcome = Ask(KdialogCommand(title, groups, save != 0, folder, xid), chosen);
    if (outcome == DialogOutcome::Unavailable) {
        portal.minimumVersion = 0;
        outcome = media_internal::AskPortal(portal, chosen);
    }
    if (outcome == DialogOutcome::Unavailable) {
        DebugLog("file dialog: no dialog program could be shown");
        dialogUnavailable = true;
    }
    // Keys typed into the dialog were never meant for the game.
    media_internal::ResetKeyboardAfterModal();
    return outcome == DialogOutcome::Chosen ? chosen : std::string();
}

int RequestFileUnavailable() {
    return dialogUnavailable ? 1 : 0;
}

void SetOwnFilesAnswer(
    std::function<std::vector<std::string>(std::vector<std::string>& tooBig)> answer) {
    scriptedOwnFiles = std::move(answer);
}

// The desktop's own dialog opens files wherever they are: nothing to copy.
int CanPickOwnFiles() {
    return scriptedOwnFiles ? 1 : 0;
}

std::vector<std::string> PickOwnFiles(const std::string&, std::vector<std::string>& tooBig) {
    return scriptedOwnFiles ? scriptedOwnFiles(tooBig) : std::vector<std::string>{};
}
