#include <algorithm>
#include <cctype>

#include <vorbis/vorbisfile.h>

#include "media/stream/native/music_decoder.h"
#include "media/stream/native/music_icy.h"

namespace media_internal {

namespace {

class VorbisDecoder final : public MusicDecoder {
  public:
    explicit VorbisDecoder(MusicByteSource source) : source_(std::move(source)) {}
    ~VorbisDecoder() override {
        if (open_) ov_clear(&file_);
    }

    bool Open() override {
        // No seek or tell: the stream is read once, front to back, which is
        // also what lets vorbisfile follow chained links.
        const ov_callbacks callbacks = {&VorbisDecoder::ReadBytes, nullptr, nullptr, nullptr};
        if (ov_open_callbacks(this, &file_, nullptr, 0, callbacks) != 0) return false;
        open_ = true;
        NewLink();
        return rate_ > 0 && channels_ > 0;
    }

    bool Decode(std::vector<float>& pcm) override {
        float** channels = nullptr;
        int link = 0;
        const long frames = ov_read_float(&file_, &channels, 4096, &link);
        if (frames == OV_HOLE) return true; // a gap in the data; decoding goes on
        if (frames <= 0) return false;
        sinceAudio_ = 0;
        if (link != link_) {
            link_ = link;
            NewLink();
        }
        const std::size_t base = pcm.size();
        pcm.resize(base + static_cast<std::size_t>(frames) * static_cast<std::size_t>(channels_));
        for (long i = 0; i < frames; ++i)
            for (int c = 0; c < channels_; ++c)
                pcm[base + static_cast<std::size_t>(i * channels_ + c)] = channels[c][i];
        return true;
    }

  private:
    static std::size_t ReadBytes(void* out, std::size_t size, std::size_t count, void* self) {
        auto* decoder = static_cast<VorbisDecoder*>(self);
        if (size == 0) return 0;
        // libogg keeps an unfinished packet whole: past the cap, the data ends here.
        if (decoder->sinceAudio_ >= kMaxBytesWithoutAudio) return 0;
        const std::size_t want =
            std::min(size * count, kMaxBytesWithoutAudio - decoder->sinceAudio_);
        const std::size_t got = decoder->source_(out, want);
        decoder->sinceAudio_ += got;
        return got / size;
    }

    void NewLink() {
        if (const vorbis_info* info = ov_info(&file_, -1)) {
            rate_ = static_cast<int>(info->rate);
            channels_ = info->channels;
        }
        const vorbis_comment* comment = ov_comment(&file_, -1);
        if (!comment || comment->comments == 0) return;
        std::string artist, title;
        for (int i = 0; i < comment->comments; ++i) {
            const std::string entry(comment->user_comments[i],
                                    static_cast<std::size_t>(comment->comment_lengths[i]));
            const auto eq = entry.find('=');
            if (eq == std::string::npos) continue;
            std::string key = entry.substr(0, eq);
            for (auto& ch : key)
                ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            if (key == "TITLE" && title.empty()) title = entry.substr(eq + 1);
            if (key == "ARTIST" && artist.empty()) artist = entry.substr(eq + 1);
        }
        title_ = MetadataToUtf8(!artist.empty() && !title.empty() ? artist + " - " + title
                                                                  : artist + title);
        hasTitle_ = true;
    }

    MusicByteSource source_;
    OggVorbis_File file_{};
    bool open_ = false;
    int link_ = 0;
    std::size_t sinceAudio_ = 0; // bytes read since the last decoded frame
};

} // namespace

std::unique_ptr<MusicDecoder> MakeVorbisDecoder(MusicByteSource source) {
    return std::make_unique<VorbisDecoder>(std::move(source));
}

} // namespace media_internal
