#include "media/input/web/dom_keys.h"

#include <cstring>

#include "media/system/utf8_codec.h"

namespace media_internal {
namespace {

struct KeyPair {
    const char* code;
    int vk;
};

// Keys other than letters and digits, by physical position; the same codes
// the desktop path gives the same keys.
constexpr KeyPair kKeys[] = {
    {"Backspace", 8},
    {"Tab", 9},
    {"NumpadClear", 12},
    {"Enter", 13},
    {"NumpadEnter", 13},
    {"Pause", 19},
    {"CapsLock", 20},
    {"Escape", 27},
    {"Space", 32},
    {"PageUp", 33},
    {"PageDown", 34},
    {"End", 35},
    {"Home", 36},
    {"ArrowLeft", 37},
    {"ArrowUp", 38},
    {"ArrowRight", 39},
    {"ArrowDown", 40},
    {"PrintScreen", 44},
    {"Insert", 45},
    {"Delete", 46},
    {"MetaLeft", 91},
    {"OSLeft", 91},
    {"MetaRight", 92},
    {"OSRight", 92},
    {"ContextMenu", 93},
    {"Numpad0", 96},
    {"Numpad1", 97},
    {"Numpad2", 98},
    {"Numpad3", 99},
    {"Numpad4", 100},
    {"Numpad5", 101},
    {"Numpad6", 102},
    {"Numpad7", 103},
    {"Numpad8", 104},
    {"Numpad9", 105},
    {"NumpadMultiply", 106},
    {"NumpadAdd", 107},
    {"NumpadSubtract", 109},
    {"NumpadDecimal", 110},
    {"NumpadDivide", 111},
    {"F1", 112},
    {"F2", 113},
    {"F3", 114},
    {"F4", 115},
    {"F5", 116},
    {"F6", 117},
    {"F7", 118},
    {"F8", 119},
    {"F9", 120},
    {"F10", 121},
    {"F11", 122},
    {"F12", 123},
    {"NumLock", 144},
    {"ScrollLock", 145},
    {"ShiftLeft", 160},
    {"ShiftRight", 161},
    {"ControlLeft", 162},
    {"ControlRight", 163},
    {"AltLeft", 164},
    {"AltRight", 165},
    {"Semicolon", 0xBA},
    {"Equal", 0xBB},
    {"Comma", 0xBC},
    {"Minus", 0xBD},
    {"Period", 0xBE},
    {"Slash", 0xBF},
    {"Backquote", 0xC0},
    {"BracketLeft", 0xDB},
    {"Backslash", 0xDC},
    {"BracketRight", 0xDD},
    {"Quote", 0xDE},
    {"IntlBackslash", 0xE2},
};

// A Latin letter or a digit as its key code, from a one-character name.
int LetterOrDigit(const char* name) {
    if (!name || !name[0] || name[1]) return 0;
    const char c = name[0];
    if (c >= 'a' && c <= 'z') return 'A' + (c - 'a');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
    return 0;
}

} // namespace

int VirtualKeyFromDom(const char* key, const char* code) {
    if (!code) return 0;
    // The keypad's digits type digits too, yet are keys of their own.
    if (std::strncmp(code, "Numpad", 6) != 0)
        if (int vk = LetterOrDigit(key)) return vk;
    // AltGr is reported as a key of its own on some layouts.
    if (key && std::strcmp(key, "AltGraph") == 0) return 165;
    for (const KeyPair& k : kKeys)
        if (std::strcmp(k.code, code) == 0) return k.vk;
    // Layouts without Latin letters or digits on these keys: use the position.
    if (std::strncmp(code, "Key", 3) == 0) return LetterOrDigit(code + 3);
    if (std::strncmp(code, "Digit", 5) == 0) return LetterOrDigit(code + 5);
    return 0;
}

char32_t TypedCharFromDom(const char* key) {
    if (!key || !key[0]) return 0;
    const std::u32string chars = DecodeUtf8(key);
    // Named keys ("Enter", "Dead") are words; a typed character is one code point.
    if (chars.size() != 1 || chars[0] < 32 || chars[0] == 127) return 0;
    return chars[0];
}

} // namespace media_internal
