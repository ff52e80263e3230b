// Timed one-line remarks stacked at the top-left of the screen.
#pragma once

#include <string>
#include <vector>

class Tmessage {
  public:
    // How long a message stays, by kind: a brief aside, a remark on what
    // happened, a hint on what to press, news that matters for the voyage.
    static constexpr int BRIEF_MS = 500, REMARK_MS = 1000, HINT_MS = 2000, NEWS_MS = 3000;

    std::string txt;
    int duration = 0, start = 0;

    // Live messages, oldest first.
    static std::vector<Tmessage> list;
    // Drops every message, live or not.
    static void Reset();

    static int add(const std::string& text, int duration);
    // Drops every message whose lifetime has run out.
    static void Update();
    // Draws the live messages with the current font and drawing state.
    static void Render();
};
