// Hooks into the music service for tests and tools; the game never calls these.
#pragma once

#include <memory>
#include <string>

#include "media/bass.h"
#include "media/sound.h"
#include "media/stream/music_settings.h"

namespace media_internal {

// The stream as a mixer input; with device 0 nothing else reads it, so a
// test can pull the decoded audio itself. Null for an unknown handle.
std::shared_ptr<MixerSource> MusicStreamSource(HSTREAM handle);
// The title most recently announced by the META sync ("" before any).
std::string MusicStreamTitle(HSTREAM handle);
// How often the stream has reconnected after its station dropped.
int MusicStreamReconnects(HSTREAM handle);
// The output rate of the initialised service (0 when not initialised).
int MusicOutputRate();

} // namespace media_internal
