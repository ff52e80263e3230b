// What the messages list shows, for tests that check the castaway's words.
#pragma once

#include <string>
#include <vector>

#include "world/message.h"

// The texts of the live messages, oldest first.
inline std::vector<std::string> MessageTexts() {
    std::vector<std::string> texts;
    for (const Tmessage& m : Tmessage::list)
        texts.push_back(m.txt);
    return texts;
}

// How long the message with this text lives; -1 when there is none.
inline int MessageDuration(const std::string& text) {
    for (const Tmessage& m : Tmessage::list)
        if (m.txt == text) return m.duration;
    return -1;
}
