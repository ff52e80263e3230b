// Keyboard half of the media layer. Every query first processes pending window
// events, so the game needs no event pump of its own.
#pragma once

// Windows virtual-key codes, which the game's rules are written in.
constexpr int KEY_BACKSPACE = 8;
constexpr int KEY_TAB = 9;
constexpr int KEY_ENTER = 13;
constexpr int KEY_ESCAPE = 27;
constexpr int KEY_SPACE = 32;
constexpr int KEY_PAGEUP = 33;
constexpr int KEY_PAGEDOWN = 34;
constexpr int KEY_END = 35;
constexpr int KEY_HOME = 36;
constexpr int KEY_LEFT = 37;
constexpr int KEY_UP = 38;
constexpr int KEY_RIGHT = 39;
constexpr int KEY_DOWN = 40;
constexpr int KEY_DELETE = 46;
constexpr int KEY_0 = 48; // digits 48-57
constexpr int KEY_1 = 49;
constexpr int KEY_2 = 50;
constexpr int KEY_3 = 51;
constexpr int KEY_A = 65; // letters 65-90
constexpr int KEY_B = 66;
constexpr int KEY_C = 67;
constexpr int KEY_D = 68;
constexpr int KEY_E = 69;
constexpr int KEY_F = 70;
constexpr int KEY_G = 71;
constexpr int KEY_I = 73;
constexpr int KEY_K = 75;
constexpr int KEY_L = 76;
constexpr int KEY_M = 77;
constexpr int KEY_N = 78;
constexpr int KEY_O = 79;
constexpr int KEY_P = 80;
constexpr int KEY_R = 82;
constexpr int KEY_S = 83;
constexpr int KEY_T = 84;
constexpr int KEY_V = 86;
constexpr int KEY_W = 87;
constexpr int KEY_X = 88;
constexpr int KEY_Y = 89;
constexpr int KEY_Z = 90;
constexpr int KEY_F1 = 112; // F1-F12 are 112-123
constexpr int KEY_F5 = 116;
constexpr int KEY_LSHIFT = 160;
constexpr int KEY_RSHIFT = 161;
constexpr int KEY_LCONTROL = 162;
constexpr int KEY_RCONTROL = 163;
constexpr int KEY_LALT = 164;
constexpr int KEY_RALT = 165;

// Called by the input of play and every screen: presses of the key since it was
// last queried; the query resets the count.
int KeyHitCount(int key);
// Called by replay playback around each play pass: while set, KeyHitCount
// answers what `source` gives and leaves the keyboard untouched; null gives
// the keyboard back.
void SetKeySource(int (*source)(int key));
// Called by replay recording around each play pass: every answer KeyHitCount
// gives, nought included, is shown to `watcher` in the order asked; null stops.
void SetKeyWatcher(void (*watcher)(int key, int count));
// Called by the island editor, which reads Shift and Ctrl with it (the game counts
// presses only): 1 while the key is held.
int KeyDown(int key);
// Called by the island editor's shortcuts: the modifiers held when the key was
// last pressed (MOD_SHIFT | MOD_CTRL), since a quick chord may be released before
// the next query.
constexpr int MOD_SHIFT = 1;
constexpr int MOD_CTRL = 2;
int KeyHitModifiers(int key);
// Called by the title picture and the screens that wait for any key: the oldest
// typed character (a Unicode code point) not yet taken, 0 when none.
int NextChar();
// Called when a screen hands over to the next: forgets every count and typed
// character, so a key meant for one screen never reaches the next.
void ClearKeys();
// Called at the end of each play pass: 1 once after the user asked to close the
// window, then 0 until asked again.
int CloseRequested();
// Whether a gamepad's Start button alone counts as Escape. Screens where quitting
// is harmless (the menu, the death screens) turn it on and off again when they
// end; elsewhere Back and Start pressed together are Escape.
void SetGamepadStartEscapes(int on);
