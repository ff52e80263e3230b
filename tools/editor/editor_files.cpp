// Prompts, opening and saving files, play-testing and the problem list.
#include <algorithm>
#include <filesystem>

#include "editor.h"
#include "editor_layout.h"
#include "editor_texts.h"
#include "map_files.h"
#include "media/desktop.h"
#include "media/keyboard.h"
#include "media/text_ops.h"

namespace fs = std::filesystem;

namespace editor {

void Editor::Ask(const std::string& label, const std::string& initial,
                 std::function<void(const std::string&)> done) {
    while (NextChar() != 0) {
    }
    prompt_ = {true, label, TextField(initial), false, std::move(done)};
}

void Editor::Confirm(const std::string& label, std::function<void()> yes) {
    while (NextChar() != 0) {
    }
    prompt_ = {true, label + " " + Tr(editor_texts::kYesNoKeys), TextField(), true,
               [yes = std::move(yes)](const std::string&) { yes(); }};
}

void Editor::UnlessUnsaved(std::function<void()> then) {
    if (doc_.Modified())
        Confirm(Tr(editor_texts::kDiscard), std::move(then));
    else
        then();
}

void Editor::RequestNew() {
    UnlessUnsaved([this] {
        Ask(Tr(editor_texts::kAskSize), "64x64", [this](const std::string& text) {
            int w = 0, h = 0;
            char sep = 0;
            if (std::sscanf(text.c_str(), "%d %c %d", &w, &sep, &h) != 3 ||
                (sep != 'x' && sep != 'X') || w < kMinWidth || h < kMinHeight || w > kMaxSide ||
                h > kMaxSide) {
                message_ = Tr(editor_texts::kBadSize, {text});
                return;
            }
            NewMap(w, h);
        });
    });
}

void Editor::RequestOpen() {
    UnlessUnsaved([this] {
        const std::string folder =
            path_.empty() ? DefaultMapsFolder() : fs::path(path_).parent_path().string() + "/";
        const std::string chosen =
            RequestFile(Tr(editor_texts::kOpenTitle), Tr(editor_texts::kMapFilter), 0, folder);
        if (!chosen.empty()) Open(chosen);
    });
}

void Editor::Save() {
    if (path_.empty())
        RequestSaveAs();
    else
        SaveTo(path_);
}

void Editor::RequestSaveAs() {
    Ask(Tr(editor_texts::kAskSaveAs), ProposedSavePath(path_),
        [this](const std::string& text) { SaveTo(Absolute(text)); });
}

void Editor::SaveTo(const std::string& imagePath) {
    std::string error;
    const MapPaths targets = SaveTargets(imagePath, error);
    if (targets.image.empty()) {
        message_ = Tr(editor_texts::kNotSaved, {error});
        return;
    }
    std::vector<std::string> foreign;
    for (const std::string& file : ExistingFiles(targets))
        if (!owned_.count(file)) foreign.push_back(file);
    std::string list;
    for (const std::string& f : foreign)
        list += (list.empty() ? "" : ", ") + FileName(f);
    auto replace = [this, targets, list] {
        if (list.empty())
            WriteFiles(targets);
        else
            Confirm(Tr(editor_texts::kOverwrite, {list}), [this, targets] { WriteFiles(targets); });
    };
    // Layer bytes that are no item go only when the maker agrees, and then
    // as an edit of their own that undo can take back.
    const std::vector<Cell> bad = CellsWithoutItem();
    auto mend = [this, bad, replace] {
        if (bad.empty()) {
            replace();
            return;
        }
        Confirm(Tr(editor_texts::kSaveClearsBytes, {std::to_string(bad.size())}),
                [this, bad, replace] {
                    doc_.BeginStroke(Tr(editor_texts::kClearBytesStep));
                    doc_.PaintCells(bad, Layer::Items, 0);
                    doc_.EndStroke();
                    replace();
                });
    };
    // Pixels the maker never painted change on the way to disk: ask first.
    if (offColourPixels_ > 0)
        Confirm(Tr(editor_texts::kSaveRecolours, static_cast<unsigned long>(offColourPixels_),
                   {std::to_string(offColourPixels_)}),
                mend);
    else
        mend();
}

std::vector<Cell> Editor::CellsWithoutItem() const {
    std::vector<Cell> cells;
    const std::vector<uint8_t>& items = doc_.Data().items;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] > kItemCount)
            cells.push_back({static_cast<int>(i % static_cast<std::size_t>(doc_.Width())),
                             static_cast<int>(i / static_cast<std::size_t>(doc_.Width()))});
    return cells;
}

void Editor::WriteFiles(const MapPaths& targets) {
    std::string why;
    std::error_code ec;
    fs::create_directories(fs::path(targets.image).parent_path(), ec);
    if (!SaveMap(doc_, targets, why)) {
        message_ = Tr(editor_texts::kNotSaved, {why});
        // A folder that cannot be written: somewhere else, rather than nowhere.
        Ask(Tr(editor_texts::kSaveElsewhere, {why}), ProposedSavePath(targets.image),
            [this](const std::string& text) { SaveTo(Absolute(text)); });
        return;
    }
    path_ = targets.image;
    owned_ = {targets.image, targets.layer, targets.critter};
    doc_.MarkSaved();
    // The files now hold exactly what the editor shows.
    fileIssues_.clear();
    offColourPixels_ = 0;
    UpdateProblems();
    message_ = Tr(editor_texts::kSaved, {targets.image});
}

// A map with errors may leave the castaway in the sea: ask before playing it.
void Editor::PlayTest() {
    SettleCheck();
    int errors = 0;
    for (const mapcheck::Issue& issue : check_.analysis.issues)
        errors += issue.error;
    if (errors > 0)
        Confirm(Tr(editor_texts::kPlayWithErrors, static_cast<unsigned long>(errors),
                   {std::to_string(errors)}),
                [this] { StartPlayTest(); });
    else
        StartPlayTest();
}

void Editor::StartPlayTest() {
    const std::string program =
        !options_.gameProgram.empty() ? options_.gameProgram : FindGame(options_.startDir);
    if (program.empty()) {
        message_ = Tr(editor_texts::kNoGame);
        return;
    }
    // The map as it is now, saved or not, in a folder of its own.
    std::string pattern = (fs::temp_directory_path() / "palmut-editor-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        message_ = Tr(editor_texts::kNoRoom);
        return;
    }
    playDir_ = pattern;
    std::string error;
    MapPaths targets = SaveTargets(playDir_ + "/testinsel.png", error);
    if (targets.image.empty() || !SaveMap(doc_, targets, error) ||
        !game_.Start(program, targets.image, error)) {
        message_ = Tr(editor_texts::kNoPlayTest, {error});
        std::error_code ec;
        fs::remove_all(playDir_, ec);
        return;
    }
    playing_ = true;
    message_ = Tr(editor_texts::kGameRunning);
}

void Editor::Quit() {
    UnlessUnsaved([this] { quit_ = true; });
}

void Editor::UpdateProblems() {
    problems_.clear();
    int sx = -1, sy = -1;
    const bool hasStart = mapcheck::FindStart(doc_.Data(), sx, sy);
    const int markX = doc_.StartMark().x, markY = doc_.StartMark().y;
    const int last = mapcheck::StartDiagonalCells(doc_.Data()) - 1;
    if (markX >= 0 && (!hasStart || sx != markX || sy != markY))
        problems_.push_back(
            {true,
             hasStart ? Tr(editor_texts::kStartNotMark,
                           {CellText(markX, markY), CellText(sx, sy), CellText(last, last)})
                      : Tr(editor_texts::kStartNotMarkNoLand,
                           {CellText(markX, markY), CellText(last, last)}),
             hasStart ? sx : markX, hasStart ? sy : markY});
    for (const mapcheck::Issue& issue : mapcheck::Findings(fileIssues_, check_.analysis))
        problems_.push_back({issue.error, issue.text, issue.x, issue.y});
    // Errors first: they stop the island being played, warnings only make it harder.
    std::stable_partition(problems_.begin(), problems_.end(),
                          [](const Problem& p) { return p.error; });
    if (selected_ >= static_cast<int>(problems_.size()))
        selected_ = static_cast<int>(problems_.size()) - 1;
}

} // namespace editor
