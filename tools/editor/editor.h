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
#include "editor_layout.h"
#include "live_check.h"
#include "map_io.h"
#include "media/graphics.h"
#include "media/mouse.h"
#include "play_test.h"
#include "text_field.h"

namespace editor {

struct ProblemView;

// The window's caption; the map's file name and an unsaved mark go before it.
inline constexpr const char* kWindowTitle = "palmut-editor";

enum class Tool { Ground, Fill, Item, Eraser, Start, Select, Rect, Line, Scatter };
// Share of the free land cells under the scatter brush that get its item.
constexpr int kScatterPercent = 25;
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
    bool GridShown() const { return grid_; }
    bool Prompting() const { return prompt_.active; }
    const std::string& PromptLabel() const { return prompt_.label; }
    const std::string& PromptText() const { return prompt_.field.Text(); }
    bool PlayTesting() const { return playing_; }
    const Layout& CurrentLayout() const { return layout_; }
    // The cell under the pointer, -1 while it is off the map.
    int HoverX() const { return hoverX_; }
    int HoverY() const { return hoverY_; }
    Region Selection() const { return sel_; }
    // "insel.png* - palmut-editor": the map's name, "*" while unsaved.
    std::string WindowTitle() const;
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
        std::string label;
        TextField field;
        bool yesNo = false;
        std::function<void(const std::string&)> done;
    };
    struct Button {
        const char* label;
        int x, y, w, h;
        std::function<void()> action;
    };

    enum ClipCommand { ClipCopy, ClipCut, ClipPaste };

    // A key and what its presses do; `arg` tells apart keys that share an action.
    struct KeyAction {
        int key;
        void (Editor::*press)(int arg, int presses, int mods);
        int arg;
    };

    bool OpenFile(const std::string& path, bool padShortLayer);
    void UpdateLayout();
    void HandleInput();
    void HandlePrompt();
    void EditField();
    void HandleKeys();
    void RunKeys(const KeyAction* actions, int count, bool commands);
    void MoveKey(int direction, int presses, int mods);
    void SpaceKey(int, int, int);
    void ToolKey(int tool, int, int);
    void BrushKey(int, int, int);
    void ItemKey(int step, int, int);
    void CritterKey(int kind, int, int mods);
    void ZonesKey(int, int, int);
    void GridKey(int, int, int);
    void ProblemKey(int, int, int mods);
    void ZKey(int, int, int mods);
    void CtrlKey(int command, int, int mods);
    void PlayKey(int, int, int);
    void HelpKey(int, int, int);
    void EscapeKey(int, int, int);
    void ClipKey(int command, int, int mods);
    void HandleMouse(bool ctrl, bool shift);
    void DropMouseInput();
    void WheelInput(int mx, int my, int wheel, bool ctrl, bool shift);
    void ZoomAround(Zoom zoom, int mx, int my);
    void Hover(int mx, int my);
    bool PanelClick(int mx, int my);
    void MouseSampleAt(const MouseSample& s);
    bool DragTools() const;
    void EdgeCellAt(int px, int py, int& x, int& y) const;
    void StrokeTo(int x, int y);
    void ScrollWhileDragging(int mx, int my);
    void EndMouseStroke(bool leftDown);
    void ChooseGround(int kind);
    void MoveCursor(int dx, int dy);
    void BeginToolStroke();
    void ApplyTool(int x, int y);
    void ApplyAlong(int x0, int y0, int x1, int y1);
    void ChangeCritters(int apes, int lizards);
    void UndoStep();
    void RedoStep();
    void Pick(int x, int y);
    // The selection and the shape tools (editor_tools.cpp).
    void DragTool(int x, int y);
    void FinishDrag();
    void FinishMove(int dx, int dy);
    void DropSelection();
    void ChooseItem(int id);
    std::string ToolDetail() const;
    std::string LayDetail() const;
    std::string OtherDetail() const;
    void KeepCursorVisible();
    void ClampView();
    void SetZoom(Zoom zoom);
    void SelectProblem(int index);
    void ScrollProblems(int rows);
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
    void WriteFiles(const MapPaths& targets);
    // Cells whose layer byte is no item (from a damaged file).
    std::vector<Cell> CellsWithoutItem() const;
    void PlayTest();
    void StartPlayTest();
    void Quit();
    void UpdateProblems();
    std::string Absolute(const std::string& path) const;
    void MakeButtons();

    void Draw();
    void DrawView();
    void DrawOverview();
    void DrawCellFrame(int x, int y, int r, int g, int b);
    void DrawCells();
    void DrawBrushOutline();
    void DrawCellFrames();
    void DrawCritterZones(int sx, int sy);
    void DrawStartDiagonal();
    void DrawGrid();
    void DrawPanel();
    void DrawPalette();
    void DrawPanelFacts();
    void DrawStatus();
    void DrawProblems();
    std::size_t DrawProblemScroll(const ProblemView& view);
    int StatusTop() const;
    void DrawPrompt();
    void DrawHelp();
    void DrawToolPreview();
    void DrawShapePreview(const std::vector<Cell>& cells, Region view);
    Region ViewCells() const;
    void DrawRegionFrame(Region r, int red, int green, int blue);
    void DrawShadowCell(int x, int y, int ground, int item);
    void DrawHint();

    EditorOptions options_;
    Document doc_;
    std::string path_;            // the picture of the open map, "" for a new one
    std::set<std::string> owned_; // files opened or saved here: saved over without asking
    // What the checker finds in the files as opened, until a save rewrites them.
    std::vector<mapcheck::Issue> fileIssues_;
    int offColourPixels_ = 0; // of the opened picture: a save writes them as ground
    LiveCheck live_;
    CheckResult check_;
    std::vector<Problem> problems_;
    int selected_ = -1;
    int problemTop_ = 0; // the problem list's first row on screen
    std::string message_;
    std::string shownTitle_; // the caption the window has, set when it changes

    Tool tool_ = Tool::Ground;
    Zoom zoom_ = Zoom::One;
    int ground_ = 2, item_ = 1, brush_ = 1;
    int cx_ = 0, cy_ = 0, vx_ = 0, vy_ = 0;
    bool critterZones_ = false, grid_ = false, help_ = false, quit_ = false;
    bool spaceStroke_ = false, mouseStroke_ = false;
    int lastMouseCellX_ = -1, lastMouseCellY_ = -1;
    // The pointer's cell, and whether the panel describes it (it moved there
    // last) rather than the keyboard cursor's.
    int hoverX_ = -1, hoverY_ = -1;
    bool describePointer_ = false;
    Layout layout_ = LayoutFor(kWindowW, kWindowH);

    // The selection, the cells copied or cut, and a drag of the selection or
    // shape tools from its first cell to where the pointer or cursor is now.
    Region sel_;
    Clip clip_;
    Clip lifted_; // the selection's cells while a drag moves them
    Tool dragTool_ = Tool::Select;
    bool dragging_ = false, moving_ = false;
    int dragX_ = 0, dragY_ = 0, dragEndX_ = 0, dragEndY_ = 0;
    Layer shapeLayer_ = Layer::Ground; // what the rectangle and line lay: the last choice

    Prompt prompt_;
    // A held cursor key of the prompt: when it last acted, and the wait till it repeats.
    int repeatKey_ = 0, repeatFrom_ = 0, repeatDelay_ = 0;
    std::vector<Button> buttons_;

    GameRun game_;
    bool playing_ = false;
    std::string playDir_;

    ImagePtr overview_;
    unsigned overviewRevision_ = 0;
    // Drawing pixels per cell in the overview: whole numbers on small islands,
    // below 1 on big ones, so the island fills the view either way.
    double overviewScale_ = 1;
};

} // namespace editor
