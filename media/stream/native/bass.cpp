// The music service's published calls: argument checks, handles, per-thread
// error codes and the bookkeeping of streams. The work happens in MusicStream.
#include "media/bass.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "media/sound.h"
#include "media/stream/native/music_stream.h"
#include "media/stream/native/music_test_access.h"

using media_internal::CurrentMusicTimeouts;
using media_internal::MusicStream;

namespace {

thread_local int lastError = BASS_OK;

BOOL Fail(int code) {
    lastError = code;
    return 0;
}

using StreamPtr = std::shared_ptr<MusicStream>;

struct Service {
    std::mutex mutex;
    bool initialised = false;
    bool output = false; // streams feed the mixer (device -1 or 1)
    int outputRate = 44100;
    unsigned generation = 0; // counts releases, so an open that outlived one notices
    DWORD nextHandle = 0x80000001u;
    DWORD nextSync = 1;
    int playlistMode = 0;
    int prebuffer = 75;
    std::map<DWORD, StreamPtr> streams;
    std::set<DWORD> attached;
    std::vector<StreamPtr> opening;
    std::vector<StreamPtr> retired; // freed by AUTOFREE, their thread still to be joined
};

// Never destroyed: stream threads may still look at it while the process exits.
Service& TheService() {
    static auto* service = new Service;
    return *service;
}

StreamPtr FindLocked(Service& s, DWORD handle) {
    const auto it = s.streams.find(handle);
    return it == s.streams.end() ? nullptr : it->second;
}

bool SaneRate(DWORD freq) {
    return freq == 0 || (freq >= 8000 && freq <= 192000);
}

} // namespace

BOOL BASS_Init(int device, DWORD freq, DWORD, void*, void*) {
    Service& s = TheService();
    std::lock_guard lock(s.mutex);
    if (s.initialised) return Fail(BASS_ERROR_ALREADY);
    if (device < -1 || device > 1) return Fail(BASS_ERROR_DEVICE);
    if (!SaneRate(freq)) return Fail(BASS_ERROR_FORMAT);
    if (device == 0) {
        // The "no sound" device: streams decode, nothing is output.
        s.output = false;
        s.outputRate = freq != 0 ? static_cast<int>(freq) : 44100;
    } else {
        if (!StartAudio()) return Fail(BASS_ERROR_DRIVER);
        s.output = true;
        s.outputRate = MixerSampleRate();
    }
    s.initialised = true;
    lastError = BASS_OK;
    return 1;
}

BOOL BASS_SetConfig(DWORD option, DWORD value) {
    Service& s = TheService();
    std::lock_guard lock(s.mutex);
    if (option == BASS_CONFIG_NET_PLAYLIST) {
        if (value > 2) return Fail(BASS_ERROR_ILLPARAM);
        s.playlistMode = static_cast<int>(value);
    } else if (option == BASS_CONFIG_NET_PREBUF) {
        // Kept for the record: playback always starts once the format is known.
        s.prebuffer = static_cast<int>(std::min<DWORD>(value, 100));
    } else {
        return Fail(BASS_ERROR_ILLTYPE);
    }
    lastError = BASS_OK;
    return 1;
}

HSTREAM BASS_StreamCreateURL(const char* url, DWORD, DWORD flags, DOWNLOADPROC*, void*) {
    Service& s = TheService();
    StreamPtr stream;
    std::vector<StreamPtr> finished;
    unsigned generation = 0;
    {
        std::lock_guard lock(s.mutex);
        if (!s.initialised) return Fail(BASS_ERROR_INIT);
        if (!url) return Fail(BASS_ERROR_ILLPARAM);
        finished.swap(s.retired);
        const DWORD handle = s.nextHandle++;
        if (s.nextHandle == 0) s.nextHandle = 0x80000001u;
        stream = std::make_shared<MusicStream>(handle, s.outputRate, s.playlistMode);
        s.opening.push_back(stream);
        generation = s.generation;
    }
    for (auto& old : finished)
        old->Join();
    finished.clear();

    // The open runs on the stream's own thread: the caller waits only a short
    // budget, so a dead or hostile server never holds the game. A failure
    // within the budget is reported here; a later one ends the stream quietly.
    const DWORD handle = stream->Handle();
    const bool autofree = (flags & BASS_STREAM_AUTOFREE) != 0;
    stream->Launch(url, [handle, autofree] {
        if (!autofree) return;
        Service& service = TheService();
        StreamPtr ended;
        bool detach = false;
        {
            std::lock_guard serviceLock(service.mutex);
            ended = FindLocked(service, handle);
            if (!ended) return;
            service.streams.erase(handle);
            detach = service.attached.erase(handle) > 0;
            service.retired.push_back(ended);
        }
        if (detach) DetachMixerSource(ended.get());
    });
    stream->AwaitOpen(std::chrono::milliseconds(CurrentMusicTimeouts().createWaitMs));

    std::unique_lock lock(s.mutex);
    std::erase(s.opening, stream);
    if (!s.initialised || s.generation != generation) {
        lock.unlock();
        stream->Join();
        return Fail(BASS_ERROR_INIT);
    }
    const int result = stream->Claim();
    if (result != BASS_OK) {
        lock.unlock();
        stream->Join();
        return Fail(result);
    }
    s.streams[handle] = stream;
    lastError = BASS_OK;
    return handle;
}

HSYNC BASS_ChannelSetSync(DWORD handle, DWORD type, QWORD, SYNCPROC* proc, void* user) {
    Service& s = TheService();
    std::lock_guard lock(s.mutex);
    if (!s.initialised) return Fail(BASS_ERROR_INIT);
    const StreamPtr stream = FindLocked(s, handle);
    if (!stream) return Fail(BASS_ERROR_HANDLE);
    // The high bits are timing flags (mixtime, one-time); ours always fire on the stream's thread.
    if ((type & 0x00FFFFFFu) != BASS_SYNC_META) return Fail(BASS_ERROR_ILLTYPE);
    if (!proc) return Fail(BASS_ERROR_ILLPARAM);
    const HSYNC id = s.nextSync++;
    stream->AddMetaSync(id, proc, user);
    lastError = BASS_OK;
    return id;
}

QWORD BASS_ChannelGetLength(DWORD handle, DWORD mode) {
    Service& s = TheService();
    std::lock_guard lock(s.mutex);
    const QWORD unknown = ~QWORD{0};
    if (!s.initialised) return Fail(BASS_ERROR_INIT), unknown;
    if (!FindLocked(s, handle)) return Fail(BASS_ERROR_HANDLE), unknown;
    if (mode != BASS_POS_BYTE) return Fail(BASS_ERROR_ILLTYPE), unknown;
    // Streams are read once, front to back: their length is never known in advance.
    return Fail(BASS_ERROR_NOTAVAIL), unknown;
}

BOOL BASS_ChannelPlay(DWORD handle, BOOL) {
    Service& s = TheService();
    StreamPtr stream;
    bool attach = false;
    {
        std::lock_guard lock(s.mutex);
        if (!s.initialised) return Fail(BASS_ERROR_INIT);
        stream = FindLocked(s, handle);
        if (!stream) return Fail(BASS_ERROR_HANDLE);
        stream->SetPlaying();
        attach = s.output && s.attached.insert(handle).second;
    }
    if (attach) AttachMixerSource(stream);
    lastError = BASS_OK;
    return 1;
}

int BASS_ErrorGetCode() {
    return lastError;
}

BOOL BASS_Free() {
    Service& s = TheService();
    std::vector<StreamPtr> all;
    bool output = false;
    {
        std::lock_guard lock(s.mutex);
        if (!s.initialised) return Fail(BASS_ERROR_INIT);
        s.initialised = false;
        ++s.generation;
        output = s.output;
        for (auto& [handle, stream] : s.streams)
            all.push_back(stream);
        all.insert(all.end(), s.opening.begin(), s.opening.end());
        all.insert(all.end(), s.retired.begin(), s.retired.end());
        s.streams.clear();
        s.attached.clear();
        s.opening.clear();
        s.retired.clear();
    }
    // Signal everything first, then wait: the waits overlap instead of adding up.
    for (auto& stream : all)
        stream->RequestStop();
    if (output)
        for (auto& stream : all)
            DetachMixerSource(stream.get());
    for (auto& stream : all)
        stream->Join();
    lastError = BASS_OK;
    return 1;
}

namespace media_internal {

std::shared_ptr<MixerSource> MusicStreamSource(HSTREAM handle) {
    Service& s = TheService();
    std::lock_guard lock(s.mutex);
    return FindLocked(s, handle);
}

std::string MusicStreamTitle(HSTREAM handle) {
    Service& s = TheService();
    std::lock_guard lock(s.mutex);
    const StreamPtr stream = FindLocked(s, handle);
    return stream ? stream->Title() : std::string();
}

int MusicStreamReconnects(HSTREAM handle) {
    Service& s = TheService();
    std::lock_guard lock(s.mutex);
    const StreamPtr stream = FindLocked(s, handle);
    return stream ? stream->Reconnects() : 0;
}

int MusicOutputRate() {
    Service& s = TheService();
    std::lock_guard lock(s.mutex);
    return s.initialised ? s.outputRate : 0;
}

} // namespace media_internal
