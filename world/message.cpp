#include "world/message.h"

#include "core/timer.h"
#include "media/clock.h"
#include "media/graphics.h"
#include "media/program.h"

std::vector<Tmessage> Tmessage::list;

namespace {
// Lines stack closer than the 16-pixel font cell; that is the intended look.
constexpr int LINE_STEP = 10;
} // namespace

int Tmessage::add(const std::string& text, int duration) {
    Tmessage message;
    message.txt = text;
    message.duration = duration;
    message.start = Millis();
    list.push_back(message);
    return 0;
}

void Tmessage::Update() {
    for (auto it = list.begin(); it != list.end();) {
        // The clock is read anew per message, as each expiry is its own check.
        if (DelayPassed(it->start, Millis(), it->duration)) {
            it = list.erase(it);
            DebugLog("message deleted");
        } else {
            ++it;
        }
    }
}

void Tmessage::Render() {
    int y = 0;
    for (const Tmessage& message : list) {
        DrawText(message.txt, 0, static_cast<float>(y));
        y += LINE_STEP;
    }
}

void Tmessage::Reset() {
    list.clear();
}
