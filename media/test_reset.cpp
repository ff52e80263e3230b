// One reset of every module's state that outlives a test: drawing modes, key
// state, hooks, refused modes, the debug sink, the document opener, the music
// time limits and the language.
#include "media/clock.h"
#include "media/gfx/draw_state.h"
#include "media/graphics.h"
#include "media/input/event_pump.h"
#include "media/language.h"
#include "media/program.h"
#include "media/stream/music_settings.h"
#include "media/test_seams.h"

void ResetMediaForTests() {
    media_internal::ResetDrawState();
    SetCentredHandles(0);
    media_internal::ResetKeyboard();
    ReleaseMillis();
    SetFrameHook(nullptr);
    SetRequestFileAnswer(nullptr);
    SetOwnFilesAnswer(nullptr);
    RefuseGraphicsModes(nullptr);
    SetOpenCommand("");
    SetDebugSink(nullptr);
    media_internal::SetMusicTimeouts(media_internal::MusicTimeouts{});
    UseCatalog("", "de");
}
