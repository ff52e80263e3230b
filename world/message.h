// Timed one-line remarks stacked at the top-left of the screen.
#pragma once

#include <string>
#include <vector>

class Tmessage {
  public:
    std::string txt;
    int duration = 0, start = 0;

    // Live messages, oldest first.
    static std::vector<Tmessage> list;

    static int add(const std::string& text, int duration);
    // Drops every message whose lifetime has run out.
    static void Update();
    // Draws the live messages with the current font and drawing state.
    static void Render();
};
