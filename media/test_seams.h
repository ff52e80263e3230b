// Hooks for tests and tools. The shipped game never calls these.
#pragma once

#include <functional>
#include <string>
#include <vector>

// Virtual clock: while on, Millis() reads it and Pause() advances it at once.
void UseVirtualClock(bool on, int startMillis = 0);
void AdvanceVirtualClock(int ms);

// Feeds events through the real SDL event path (SDL_PushEvent).
void InjectKeyDown(int key);
void InjectKeyUp(int key);
void InjectKeyPress(int key); // down then up
void InjectText(const std::string& utf8);
void InjectCloseRequest();
void InjectFocusChange(bool gained);
// Gamepad buttons and axes (values -32768 to 32767) of a standard layout.
constexpr int PAD_A = 0, PAD_B = 1, PAD_X = 2, PAD_Y = 3, PAD_BACK = 4, PAD_START = 6;
constexpr int PAD_UP = 11, PAD_DOWN = 12, PAD_LEFT = 13, PAD_RIGHT = 14;
constexpr int PAD_STICK_X = 0, PAD_STICK_Y = 1;
void InjectPadButton(int button, bool down);
void InjectPadAxis(int axis, int value);

// Mouse events for the island editor's tests: a move to window pixel (x, y),
// a button (MOUSE_LEFT...) going down or up at the last position, wheel notches.
void InjectMouseMove(int x, int y);
void InjectMouseButton(int button, bool down);
void InjectMouseWheel(int notches);

// Gives the open window this size in window pixels, as a window manager's
// resize or maximise does; the next Flip or query sees it.
void ResizeWindow(int width, int height);

// Called by every Flip (before presenting) and by every keyboard query that
// finds nothing; lets a scripted test feed keys into blocking screens.
void SetFrameHook(std::function<void()> hook);
void SetIdleHook(std::function<void()> hook);

// Skips the OpenGL 3.3 core context so the next OpenGraphics opens the
// OpenGL ES 3.0 one, as on machines without 3.3 (or fails where ES is missing).
void ForceGlesContext(bool on);
// Whether the open mode draws through an OpenGL ES context.
bool GlesContextInUse();

// Reads the back buffer (before Flip) into a PNG file; false on failure.
bool CaptureFrame(const std::string& pngPath);
// Reads one back-buffer pixel as 0xAARRGGBB (alpha always 0xFF).
unsigned ReadBackPixel(int x, int y);
// Draw calls issued by the last presented frame.
int LastFrameDrawCalls();

// OpenGraphics fails, as on a desktop without that mode, for each depth the
// function refuses; an empty function accepts every mode again.
void RefuseGraphicsModes(std::function<bool(int depth)> refuse);

// Answer RequestFile without a dialog; an empty function restores the real one.
void SetRequestFileAnswer(std::function<std::string(const std::string& title)> answer);
// Offer the player's own files and answer PickOwnFiles as a page's picker
// would (the answer fills the too-big list); an empty function offers none.
void SetOwnFilesAnswer(
    std::function<std::vector<std::string>(std::vector<std::string>& tooBig)> answer);
// Replace the program that OpenURL starts (tests point it at a logger).
void SetOpenCommand(const std::string& program);
// Called by the tests' shared fixtures: every media module back to its state
// before the first test (drawing modes, keys, hooks, debug sink, opener, music
// time limits). Open windows and loaded images stay.
void ResetMediaForTests();

// Make FatalError / EndProgram throw ProgramExit instead of leaving the process.
struct ProgramExit {
    int status;
    std::string message;
};
void ThrowOnProgramExit(bool on);
