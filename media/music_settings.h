// Time limits of the music service; tests shorten them.
#pragma once

struct MusicTimeouts {
    int connectMs = 8000;      // TCP and TLS set-up
    int stallMs = 8000;        // no byte arrived for this long while we wanted some
    int firstBackoffMs = 1000; // first pause before reconnecting; doubles each time
    int maxBackoffMs = 30000;
    int maxReconnects = 8; // consecutive attempts that found nothing playable
};

MusicTimeouts CurrentMusicTimeouts();
void SetMusicTimeouts(const MusicTimeouts& timeouts);
