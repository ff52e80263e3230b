#include <mutex>

#include <mpg123.h>

#include "media/stream/native/music_decoder.h"

namespace media_internal {

namespace {

// How far into a stream the first frame may lie before we give up on it.
constexpr std::size_t kMaxBytesBeforeFormat = std::size_t{256} * 1024;

class Mp3Decoder final : public MusicDecoder {
  public:
    explicit Mp3Decoder(MusicByteSource source) : source_(std::move(source)) {}
    ~Mp3Decoder() override {
        if (handle_) mpg123_delete(handle_);
    }

    bool Open() override {
        static std::once_flag initialised;
        std::call_once(initialised, [] { mpg123_init(); });
        int error = MPG123_OK;
        handle_ = mpg123_new(nullptr, &error);
        if (!handle_) return false;
        mpg123_param(handle_, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
        // Every rate the library knows, always float: we resample ourselves.
        mpg123_format_none(handle_);
        const long* rates = nullptr;
        std::size_t count = 0;
        mpg123_rates(&rates, &count);
        for (std::size_t i = 0; i < count; ++i)
            mpg123_format(handle_, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
        if (mpg123_open_feed(handle_) != MPG123_OK) return false;
        std::size_t fed = 0;
        for (;;) {
            std::size_t done = 0;
            const int result = mpg123_read(handle_, nullptr, 0, &done);
            if (result == MPG123_NEW_FORMAT) return UpdateFormat();
            if (result != MPG123_NEED_MORE && result != MPG123_OK) return false;
            if (fed >= kMaxBytesBeforeFormat || !Feed(fed)) return false;
        }
    }

    bool Decode(std::vector<float>& pcm) override {
        for (int attempts = 0; attempts < 64; ++attempts) {
            std::size_t done = 0;
            const int result = mpg123_read(handle_, buffer_, sizeof buffer_, &done);
            if (done > 0) {
                sinceAudio_ = 0;
                const auto* samples = reinterpret_cast<const float*>(buffer_);
                pcm.insert(pcm.end(), samples, samples + done / sizeof(float));
            }
            if (result == MPG123_NEW_FORMAT) {
                if (!UpdateFormat()) return false;
                if (done > 0) return true;
                continue;
            }
            if (result == MPG123_NEED_MORE) {
                if (done > 0) return true;
                // Garbage that never forms a frame again ends the stream.
                if (sinceAudio_ >= kMaxBytesWithoutAudio || !Feed(sinceAudio_)) return false;
                continue;
            }
            if (result == MPG123_DONE || result == MPG123_ERR) return false;
            return true;
        }
        return true;
    }

  private:
    bool Feed(std::size_t& fed) {
        unsigned char input[8192];
        const std::size_t got = source_(input, sizeof input);
        if (got == 0) return false;
        fed += got;
        return mpg123_feed(handle_, input, got) == MPG123_OK;
    }

    bool UpdateFormat() {
        long rate = 0;
        int channels = 0, encoding = 0;
        if (mpg123_getformat(handle_, &rate, &channels, &encoding) != MPG123_OK) return false;
        rate_ = static_cast<int>(rate);
        channels_ = channels;
        return rate_ > 0 && channels_ > 0;
    }

    MusicByteSource source_;
    mpg123_handle* handle_ = nullptr;
    std::size_t sinceAudio_ = 0; // bytes fed since the last decoded frame
    // Whole frames of float output: 1152 samples x 2 channels x 4 bytes, twice over.
    alignas(float) unsigned char buffer_[1152 * 2 * 4 * 2];
};

} // namespace

std::unique_ptr<MusicDecoder> MakeMp3Decoder(MusicByteSource source) {
    return std::make_unique<Mp3Decoder>(std::move(source));
}

} // namespace media_internal
