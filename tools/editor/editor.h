// The island editor's window: the island drawn by the game's own map code,
// tools, palette, critter counts, the live problem list, files and play-test.
// One Frame() reads the input, updates, draws and presents once.
#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "document.h"
#include "live_check.h"
#include "map_io.h"
#include "media/graphics.h"
#include "play_test.h"

namespace editor {

constexpr int kWindowW = 1024;
constexpr int kWindowH = 704;
// The game's own view in the top-left corner, panels right and below it.
constexpr int kViewW = TKarte::VIEW_COLUMNS * TKarte::TILE_SIZE;
constexpr int kViewH = TKarte::VIEW_ROWS * TKarte::TILE_SIZE;

enum class Tool { Ground, Fill, Item, Eraser, Start };
enum class Zoom { One, Two, Overview };

struct Problem {
    bool error;
    std::string text;
    int x, y; // -1 when it is about no particular cell
};

struct EditorOptions {
    std::string gameProgram; // play-test with this program instead of looking for the game
    std::string startDir;    // where relative paths typed by the maker start
};

class Editor {
  public:
    explicit Editor(EditorOptions options = {});

    void NewMap(int width, int height);
    bool Open(const std::string& path);
    // One pass: input, live check, drawing, presentation. False once the maker quit.
    bool Frame();

    // What the tests look at.
    const Document& Doc() const { return doc_; }
    const std::string& Path() const { return path_; }
    const std::string& Message() const { return message_; }
    const std::vector<Problem>& Problems() const { return problems_; }
    int SelectedProblem() const { return selected_; }
    int CursorX() const { return cx_; }
    int CursorY() const { return cy_; }
    Tool CurrentTool() const { return tool_; }
    int CurrentItem() const { return item_; }
    Zoom CurrentZoom() const { return zoom_; }
    bool Prompting() const { return prompt_.active; }
    bool PlayTesting() const { return playing_; }
    // The analysis the problem list shows, and the revision it describes.
    const CheckResult& LastCheck() const { return check_; }
    // Waits for the live check of the current state and takes it in (tests).
    void SettleCheck();
    // Map cell under a window pixel of the view; false outside the island.
    bool CellAt(int px, int py, int& x, int& y) const;
    // Window pixel at the centre of a cell, when the view shows it.
    bool PixelOf(int x, int y, int& px, int& py) const;

  private:
    struct Prompt {
        bool active = false;
        std::string label, text;
        bool yesNo = false;
        std::function<void(const std::string&)> done;
    };
    struct Button {
        const char* label;
        int x, y, w, h;
        std::function<void()> action;
    };

    // A key and what its presses do; `arg` tells apart keys that share an action.
    struct KeyAction {
        int key;
        void (Editor::*press)(int arg, int presses, int mods);
        int arg;
    };

    void HandleInput();
    void HandlePrompt();
    void HandleKeys();
    void RunKeys(const KeyAction* actions, int count);
    void MoveKey(int direction, int presses, int mods);
    void SpaceKey(int, int, int);
    void ToolKey(int tool, int, int);
    void BrushKey(int, int, int);
    void ItemKey(int step, int, int);
    void CritterKey(int kind, int, int mods);
    void ZonesKey(int, int, int);
    void ProblemKey(int, int, int mods);
    void ZKey(int, int, int mods);
    void CtrlKey(int command, int, int mods);
    void PlayKey(int, int, int);
    void HelpKey(int, int, int);
    void EscapeKey(int, int, int);
    void HandleMouse(bool ctrl, bool shift);
    void WheelInput(int mx, int my, int wheel, bool ctrl, bool shift);
    bool PanelClick(int mx, int my);
    void MapMouse(int x, int y, int leftHits, int rightHits, bool leftDown);
    void EndMouseStroke(bool leftDown);
    void ChooseGround(int kind);
    void MoveCursor(int dx, int dy);
    void ApplyTool(int x, int y);
    void Pick(int x, int y);
    void KeepCursorVisible();
    void ClampView();
    void SetZoom(Zoom zoom);
    void SelectProblem(int index);
    void Ask(const std::string& label, const std::string& initial,
             std::function<void(const std::string&)> done);
    void Confirm(const std::string& label, std::function<void()> yes);
    void UnlessUnsaved(std::function<void()> then);
    void RequestNew();
    void RequestGenerate();
    void GenerateFrom(const std::string& text);
    void RequestOpen();
    void Save();
    void RequestSaveAs();
    void SaveTo(const std::string& imagePath);
    void PlayTest();
    void Quit();
    void UpdateProblems();
    std::string Absolute(const std::string& path) const;
    void MakeButtons();

    void Draw();
    void DrawView();
    void DrawOverview();
    void DrawCellFrame(int x, int y, int r, int g, int b);
    void DrawDoubled();
    void DrawCritterZones(int sx, int sy);
    void DrawPanel();
    void DrawPalette();
    void DrawPanelFacts();
    void DrawProblems();
    void DrawPrompt();
    void DrawHelp();

    EditorOptions options_;
    Document doc_;
    std::string path_;            // the picture of the open map, "" for a new one
    std::set<std::string> owned_; // files opened or saved here: saved over without asking
    LiveCheck live_;
    CheckResult check_;
    std::vector<Problem> problems_;
    int selected_ = -1;
    std::string message_;

    Tool tool_ = Tool::Ground;
    Zoom zoom_ = Zoom::One;
    int ground_ = 2, item_ = 1, brush_ = 1;
    int cx_ = 0, cy_ = 0, vx_ = 0, vy_ = 0;
    int markX_ = -1, markY_ = -1; // where the maker wants the castaway to start
    bool critterZones_ = false, help_ = false, quit_ = false;
    bool spaceStroke_ = false, mouseStroke_ = false;
    int lastMouseCellX_ = -1, lastMouseCellY_ = -1;

    Prompt prompt_;
    std::vector<Button> buttons_;

    GameRun game_;
    bool playing_ = false;
    std::string playDir_;

    ImagePtr overview_;
    unsigned overviewRevision_ = 0;
    int overviewCells_ = 1, overviewScale_ = 1;
};

} // namespace editor
