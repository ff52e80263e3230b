// Drives the island editor in-process through injected keys and mouse events,
// one editor frame per step, the way a map maker's input reaches it.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "editor.h"
#include "media/keyboard.h"
#include "media/mouse.h"
#include "media/test_seams.h"

class EditorDriver {
  public:
    explicit EditorDriver(editor::Editor& ed) : ed_(ed) {}

    void Frame() { ASSERT_TRUE(ed_.Frame()) << "the editor quit"; }

    // A key, with modifiers held for that frame only.
    void Key(int key, std::initializer_list<int> held = {}) {
        for (int m : held)
            InjectKeyDown(m);
        InjectKeyPress(key);
        Frame();
        for (int m : held)
            InjectKeyUp(m);
        Frame();
    }
    void Ctrl(int key) { Key(key, {KEY_LCONTROL}); }

    // Text typed into an open prompt, then Enter.
    void Answer(const std::string& text, bool clear = true) {
        if (clear) {
            // In a frame of their own: typed characters queue up to 256.
            for (int i = 0; i < 200; ++i)
                InjectKeyPress(KEY_BACKSPACE);
            Frame();
        }
        InjectText(text);
        InjectKeyPress(KEY_ENTER);
        Frame();
    }

    // Arrow presses from the cursor to (x, y), all in one frame.
    void GoTo(int x, int y) {
        for (int n = x - ed_.CursorX(); n != 0; n += n > 0 ? -1 : 1)
            InjectKeyPress(n > 0 ? KEY_RIGHT : KEY_LEFT);
        for (int n = y - ed_.CursorY(); n != 0; n += n > 0 ? -1 : 1)
            InjectKeyPress(n > 0 ? KEY_DOWN : KEY_UP);
        Frame();
        ASSERT_EQ(ed_.CursorX(), x);
        ASSERT_EQ(ed_.CursorY(), y);
    }

    // The tool applied at (x, y) with the keyboard.
    void ApplyAt(int x, int y) {
        GoTo(x, y);
        Key(KEY_SPACE);
    }

    // A left click (press and release in separate frames) at a window pixel.
    void Click(int px, int py, int button = MOUSE_LEFT) {
        InjectMouseMove(px, py);
        InjectMouseButton(button, true);
        Frame();
        InjectMouseButton(button, false);
        Frame();
    }

    // A left-button drag through the given window pixels: one stroke.
    void Drag(std::initializer_list<std::pair<int, int>> points) {
        bool first = true;
        for (auto [px, py] : points) {
            InjectMouseMove(px, py);
            if (first) InjectMouseButton(MOUSE_LEFT, true);
            first = false;
            Frame();
        }
        InjectMouseButton(MOUSE_LEFT, false);
        Frame();
    }

    // A drag too fast for the frames: the press, every move and the release
    // reach the editor in one frame.
    void Flick(std::initializer_list<std::pair<int, int>> points) {
        bool first = true;
        for (auto [px, py] : points) {
            InjectMouseMove(px, py);
            if (first) InjectMouseButton(MOUSE_LEFT, true);
            first = false;
        }
        InjectMouseButton(MOUSE_LEFT, false);
        Frame();
    }

    // A map of the given size through the "new" prompt.
    void NewMap(int w, int h) {
        Ctrl('N');
        ASSERT_TRUE(ed_.Prompting());
        Answer(std::to_string(w) + "x" + std::to_string(h));
        ASSERT_EQ(ed_.Doc().Width(), w);
        ASSERT_EQ(ed_.Doc().Height(), h);
    }

    // Save-as through its prompt.
    void SaveAs(const std::string& path) {
        Key(KEY_S, {KEY_LCONTROL, KEY_LSHIFT});
        ASSERT_TRUE(ed_.Prompting());
        Answer(path);
    }

  private:
    editor::Editor& ed_;
};
