// Time limits of the music service; tests shorten them.
#pragma once

namespace media_internal {

struct MusicTimeouts {
    int connectMs = 5000;      // from the request to the first response header
    int stallMs = 5000;        // no byte arrived for this long while we wanted some
    int openMs = 15000;        // finding playable audio, all playlist entries together
    int firstBackoffMs = 1000; // first pause before reconnecting; doubles each time
    int maxBackoffMs = 30000;
    int maxReconnects = 8; // consecutive attempts that found nothing playable
    // How long creating a stream waits for its open before handing out the
    // handle; the game must not wait on the net for longer.
    int createWaitMs = 100;
};

MusicTimeouts CurrentMusicTimeouts();
void SetMusicTimeouts(const MusicTimeouts& timeouts);

} // namespace media_internal
