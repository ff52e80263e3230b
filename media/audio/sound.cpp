// Sound effects: decoded once at load time, mixed by the audio output.
#include "media/sound.h"

#include <cstdio>
#include <cstring>

#include "media/audio/audio_output.h"
#include "media/audio/ogg_decoder.h"
#include "media/audio/wav_decoder.h"
#include "media/files.h"
#include "media/program.h"
#include "media/system/path_resolver.h"

struct Sound {
    media_internal::SoundFrames frames;
};

namespace {

using media_internal::PcmData;

// The whole file, or false when it is missing or larger than the cap.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::string real = ResolvePath(path);
    if (real.empty() || !media_internal::IsRegularFile(real)) return false;
    std::FILE* f = std::fopen(real.c_str(), "rb");
    if (!f) return false;
    bytes.clear();
    uint8_t buf[65536];
    size_t n;
    bool ok = true;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
        if (bytes.size() + n > media_internal::kMaxSoundFileBytes) {
            ok = false;
            break;
        }
        bytes.insert(bytes.end(), buf, buf + n);
    }
    if (std::ferror(f)) ok = false;
    std::fclose(f);
    return ok;
}

} // namespace

SoundPtr LoadSound(const std::string& path, int /*flags*/) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        DebugLog("sound: cannot read " + path);
        return nullptr;
    }
    PcmData pcm;
    std::string error;
    bool ok = bytes.size() >= 4 && std::memcmp(bytes.data(), "OggS", 4) == 0
                  ? media_internal::DecodeOgg(bytes, pcm, error)
                  : media_internal::DecodeWav(bytes, pcm, error);
    if (!ok) {
        DebugLog("sound: " + path + ": " + error);
        return nullptr;
    }
    // A very low rate would multiply into a huge buffer at the mixer rate.
    const uint64_t inFrames = pcm.samples.size() / pcm.channels;
    if (inFrames * media_internal::kMixerRate / uint64_t(pcm.rate) >
        media_internal::kMaxSoundFrames) {
        DebugLog("sound: " + path + ": too long");
        return nullptr;
    }
    auto frames = std::make_shared<const media_internal::SoundData>(
        media_internal::ToSoundData(pcm, media_internal::kMixerRate));
    if (frames->frames == 0) return nullptr;
    auto sound = std::make_shared<Sound>();
    sound->frames = std::move(frames);
    // Opening the device takes a moment: do it while loading, not at the first Play.
    media_internal::OpenAudioOutput();
    return sound;
}

ChannelPtr Play(const SoundPtr& sound, const ChannelPtr& channel) {
    if (!sound) FatalError("Play: sound not loaded");
    ChannelPtr ch = channel ? channel : std::make_shared<Channel>();
    // Silent output keeps no voices: nothing would ever finish them.
    if (media_internal::OpenAudioOutput()) media_internal::TheMixer().Start(ch, sound->frames);
    return ch;
}

void Stop(const ChannelPtr& channel) {
    if (channel) media_internal::TheMixer().Stop(channel.get());
}

bool StartAudio() {
    return media_internal::OpenAudioOutput();
}

void AttachMixerSource(const std::shared_ptr<MixerSource>& source) {
    media_internal::TheMixer().Attach(source);
}

void DetachMixerSource(const MixerSource* source) {
    media_internal::TheMixer().Detach(source);
}

int MixerSampleRate() {
    return media_internal::kMixerRate;
}

namespace media_internal {
SoundFrames FramesOf(const SoundPtr& sound) {
    return sound ? sound->frames : nullptr;
}
} // namespace media_internal
