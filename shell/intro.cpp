#include "shell/intro.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/language.h"
#include "core/state.h"
#include "media/clock.h"
#include "media/graphics.h"
#include "media/keyboard.h"
#include "media/sound.h"

namespace {

constexpr int PICTURE_COUNT = 22;

struct Intro {
    // Loaded when first shown and dropped once the sequence has moved past
    // them, so only two or three pictures are held at a time.
    std::array<ImagePtr, PICTURE_COUNT> pictures;
    std::array<bool, PICTURE_COUNT> loaded{};
    SoundPtr typing;
    SoundPtr loading;
    bool skip = false;

    // Returns the milliseconds spent loading, which the pass does not sleep.
    int Prepare(int picture) {
        for (int i = 0; i + 1 < picture; ++i) {
            pictures[i].reset();
            loaded[i] = false;
        }
        if (loaded[picture]) return 0;
        loaded[picture] = true;
        const int start = Millis();
        pictures[picture] = LoadImage(
            LocalisedPicture("Gfx/C64intro/bearbeitet/" + std::to_string(picture) + ".png"),
            IMAGE_DEFAULT);
        return Millis() - start;
    }

    // One pass: show, present, sleep, then look for Escape.
    void Pass(int picture, int sleepMs) {
        const int loadMs = Prepare(picture);
        if (pictures[picture]) DrawImage(pictures[picture], 0, 0, 0);
        Flip(-1);
        Pause(std::max(0, sleepMs - loadMs));
        if (KeyHitCount(KEY_ESCAPE) > 0) skip = true;
        EndOnCloseRequest();
    }
};

ChannelPtr PlayIfLoaded(const SoundPtr& sound) {
    return sound ? Play(sound) : nullptr;
}

void StopIfPlaying(const ChannelPtr& channel) {
    if (channel) Stop(channel);
}

} // namespace

void PlayIntro() {
    Intro intro;
    SetMouseVisible(0);
    intro.typing = LoadSound("Sfx/tasta.wav", 0);
    intro.loading = LoadSound("Sfx/c64load.wav", 0);
    Pause(50);

    // Flashing cursor.
    int count = 0;
    do {
        intro.Pass(count % 5 == 0 ? 1 : 0, 50);
        ++count;
    } while (count < 25 && !intro.skip);

    // Typing the load command, three passes per picture.
    ChannelPtr channel = PlayIfLoaded(intro.typing);
    count = 0;
    int picture = 0;
    do {
        intro.Pass(picture, 55);
        ++count;
        if (count % 3 == 0) ++picture;
    } while (picture < 17 && !intro.skip);
    StopIfPlaying(channel);

    // Searching and loading.
    channel = PlayIfLoaded(intro.loading);
    count = 0;
    picture = 18;
    do {
        if (count == 20) picture = 19;
        if (count == 200) picture = 20;
        if (count == 225) picture = 21;
        intro.Pass(picture, 50);
        ++count;
    } while (count < 250 && !intro.skip);
    StopIfPlaying(channel);

    ClearKeys();
}
