// Mouse half of the input. The game never reads the mouse; the island editor
// paints, picks and scrolls with it. Positions are drawing pixels, the same
// as DrawRect takes, whatever the window's size, scale or full screen: the
// layer converts them from the window's pixels. Over the black bars beside the
// picture they lie outside it (below 0, or at or beyond its width or height).
#pragma once

constexpr int MOUSE_LEFT = 1;
constexpr int MOUSE_MIDDLE = 2;
constexpr int MOUSE_RIGHT = 3;

// Called by the island editor each frame: the pointer's last position, in
// drawing pixels.
int MouseX();
int MouseY();
// Called by the island editor for painting by dragging: 1 while the button is held.
int MouseDown(int button);
// Called by the island editor's clicks: presses of the button since it was last
// queried; the query resets the count.
int MouseHitCount(int button);
// Called by the island editor's zoom and palette: wheel notches since the last
// query; positive is away from the user.
int MouseWheel();
// Called by the island editor, which follows a fast drag through every place
// the pointer passed: the moves and button changes since the last call, oldest
// first, in drawing pixels (`button` 0 for a move). Fills at most `max` and
// takes them off the list; what did not fit stays for the next call. The
// list keeps the last few thousand events when nobody asks.
struct MouseSample {
    int x, y;
    int button; // 0: a move, else the button that went down or up
    int down;   // 1: the button went down
};
int TakeMouseSamples(MouseSample* samples, int max);
