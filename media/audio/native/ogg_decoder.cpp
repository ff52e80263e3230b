#include "media/audio/ogg_decoder.h"

#include <algorithm>
#include <cstring>

#include <vorbis/vorbisfile.h>

namespace media_internal {
namespace {

struct MemoryReader {
    const std::vector<uint8_t>* bytes;
    size_t pos = 0;
};

size_t ReadMemory(void* ptr, size_t size, size_t count, void* source) {
    auto* r = static_cast<MemoryReader*>(source);
    if (size == 0) return 0;
    size_t wanted = size * count;
    size_t left = r->bytes->size() - r->pos;
    size_t n = std::min(wanted, left) / size;
    if (n == 0) return 0; // also keeps a null pointer of an empty buffer out of memcpy
    std::memcpy(ptr, r->bytes->data() + r->pos, n * size);
    r->pos += n * size;
    return n;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
    auto* r = static_cast<MemoryReader*>(source);
    ogg_int64_t base = whence == SEEK_SET   ? 0
                       : whence == SEEK_CUR ? ogg_int64_t(r->pos)
                                            : ogg_int64_t(r->bytes->size());
    ogg_int64_t to = base + offset;
    if (to < 0 || to > ogg_int64_t(r->bytes->size())) return -1;
    r->pos = size_t(to);
    return 0;
}

long TellMemory(void* source) {
    return long(static_cast<MemoryReader*>(source)->pos);
}

// Reads every packet of the first logical stream, and of chained ones with the
// same channels and rate; `error` is set when the data is corrupt or too long.
bool ReadAllFrames(OggVorbis_File& vf, int channels, long rate, PcmData& out, std::string& error) {
    const int kept = out.channels;
    int firstLink = -1;
    for (;;) {
        float** pcm = nullptr;
        int link = 0;
        const long frames = ov_read_float(&vf, &pcm, 4096, &link);
        if (frames == OV_HOLE) continue; // a gap in the data; keep going
        if (frames < 0) {
            error = "corrupt Vorbis data";
            return false;
        }
        if (frames == 0) return true;
        if (firstLink < 0) firstLink = link;
        const vorbis_info* li = link != firstLink ? ov_info(&vf, link) : nullptr;
        if (link != firstLink && (!li || li->channels != channels || li->rate != rate)) return true;
        if (out.samples.size() / kept + size_t(frames) > kMaxSoundFrames) {
            error = "too long";
            return false;
        }
        for (long i = 0; i < frames; ++i)
            for (int c = 0; c < kept; ++c)
                out.samples.push_back(std::clamp(pcm[c][i], -1.0f, 1.0f));
    }
}

} // namespace

bool DecodeOgg(const std::vector<uint8_t>& bytes, PcmData& out, std::string& error) {
    if (bytes.empty()) {
        error = "empty file";
        return false;
    }
    MemoryReader reader{&bytes};
    ov_callbacks callbacks{ReadMemory, SeekMemory, nullptr, TellMemory};
    OggVorbis_File vf;
    if (ov_open_callbacks(&reader, &vf, nullptr, 0, callbacks) != 0) {
        error = "not an Ogg Vorbis stream";
        return false;
    }
    vorbis_info* info = ov_info(&vf, -1);
    if (!info || info->channels < 1 || info->rate < 1000 || info->rate > 384000) {
        ov_clear(&vf);
        error = "unusable stream parameters";
        return false;
    }
    out.rate = int(info->rate);
    out.channels = std::min(info->channels, 2);
    out.samples.clear();
    bool ok = ReadAllFrames(vf, info->channels, info->rate, out, error);
    ov_clear(&vf);
    if (ok && out.samples.empty()) {
        ok = false;
        error = "no samples";
    }
    return ok;
}

} // namespace media_internal
