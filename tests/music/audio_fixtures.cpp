#include "audio_fixtures.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <mpg123.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vorbis/vorbisfile.h>

#include "tools/common/vorbis_encoder.h"

extern char** environ;

std::vector<float> TestSignal(int rate, int channels, double seconds, int seed) {
    const auto frames = static_cast<std::size_t>(rate * seconds);
    std::vector<float> pcm(frames * static_cast<std::size_t>(channels));
    const double f1 = 220.0 * (1 + seed), f2 = 330.0 + 70.0 * seed;
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / rate;
        for (int c = 0; c < channels; ++c)
            pcm[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)] =
                static_cast<float>(0.3 * std::sin(2 * M_PI * (c ? f2 : f1) * t) +
                                   0.1 * std::sin(2 * M_PI * 1000.0 * t * (1 + 0.5 * c)));
    }
    return pcm;
}

Bytes EncodeVorbis(const std::vector<float>& pcm, int rate, int channels,
                   const std::vector<std::string>& comments, int serial) {
    common::VorbisSettings settings;
    settings.rate = rate;
    settings.channels = channels;
    settings.quality = 0.3f;
    settings.serial = serial;
    settings.comments = comments;
    const std::vector<uint8_t> ogg = common::EncodeVorbis(pcm, settings);
    return {ogg.begin(), ogg.end()};
}

namespace {

void WriteWav(const std::string& path, const std::vector<float>& pcm, int rate, int channels) {
    std::ofstream f(path, std::ios::binary);
    auto u32 = [&](std::uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](std::uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
    const auto dataSize = static_cast<std::uint32_t>(pcm.size() * 2);
    f.write("RIFF", 4);
    u32(36 + dataSize);
    f.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(static_cast<std::uint16_t>(channels));
    u32(static_cast<std::uint32_t>(rate));
    u32(static_cast<std::uint32_t>(rate * channels * 2));
    u16(static_cast<std::uint16_t>(channels * 2));
    u16(16);
    f.write("data", 4);
    u32(dataSize);
    for (float s : pcm)
        u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(s * 32767))));
}

} // namespace

Bytes EncodeMp3(const std::vector<float>& pcm, int rate, int channels,
                const std::vector<std::string>& lameOptions) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("palmut_music_" + std::to_string(getpid()) + "_" +
                      std::to_string(reinterpret_cast<std::uintptr_t>(&pcm)));
    std::filesystem::create_directories(dir);
    const std::string wav = (dir / "in.wav").string(), mp3 = (dir / "out.mp3").string();
    WriteWav(wav, pcm, rate, channels);
    std::vector<std::string> args = {"lame", "--quiet"};
    args.insert(args.end(), lameOptions.begin(), lameOptions.end());
    args.push_back(wav);
    args.push_back(mp3);
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    Bytes out;
    if (posix_spawnp(&pid, "lame", nullptr, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
            std::ifstream f(mp3, std::ios::binary);
            std::ostringstream s;
            s << f.rdbuf();
            out = s.str();
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    return out;
}

namespace {

struct MemoryReader {
    const Bytes* data;
    std::size_t at = 0;
};

std::size_t ReadMemory(void* out, std::size_t size, std::size_t count, void* self) {
    auto* r = static_cast<MemoryReader*>(self);
    const std::size_t n = std::min(size * count, r->data->size() - r->at);
    std::memcpy(out, r->data->data() + r->at, n);
    r->at += n;
    return size ? n / size : 0;
}

void PushStereo(std::vector<float>& out, const float* frame, int channels) {
    out.push_back(frame[0]);
    out.push_back(frame[channels > 1 ? 1 : 0]);
}

} // namespace

std::vector<float> DecodeVorbisReference(const Bytes& file, int* rate) {
    std::vector<float> out;
    MemoryReader reader{&file};
    OggVorbis_File vf;
    const ov_callbacks callbacks = {ReadMemory, nullptr, nullptr, nullptr};
    if (ov_open_callbacks(&reader, &vf, nullptr, 0, callbacks) != 0) return out;
    for (;;) {
        float** pcm = nullptr;
        int link = 0;
        const long n = ov_read_float(&vf, &pcm, 4096, &link);
        if (n == OV_HOLE) continue;
        if (n <= 0) break;
        const vorbis_info* info = ov_info(&vf, -1);
        if (rate) *rate = static_cast<int>(info->rate);
        for (long i = 0; i < n; ++i) {
            out.push_back(pcm[0][i]);
            out.push_back(pcm[info->channels > 1 ? 1 : 0][i]);
        }
    }
    ov_clear(&vf);
    return out;
}

std::vector<float> DecodeMp3Reference(const Bytes& file, int* rate) {
    std::vector<float> out;
    mpg123_init();
    int error = 0;
    mpg123_handle* h = mpg123_new(nullptr, &error);
    mpg123_param(h, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    mpg123_format_none(h);
    const long* rates = nullptr;
    std::size_t count = 0;
    mpg123_rates(&rates, &count);
    for (std::size_t i = 0; i < count; ++i)
        mpg123_format(h, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
    mpg123_open_feed(h);
    mpg123_feed(h, reinterpret_cast<const unsigned char*>(file.data()), file.size());
    std::vector<unsigned char> buffer(1 << 16);
    int channels = 2;
    for (;;) {
        std::size_t done = 0;
        const int r = mpg123_read(h, buffer.data(), buffer.size(), &done);
        if (r == MPG123_NEW_FORMAT) {
            long rr = 0;
            int enc = 0;
            mpg123_getformat(h, &rr, &channels, &enc);
            if (rate) *rate = static_cast<int>(rr);
        }
        const auto* f = reinterpret_cast<const float*>(buffer.data());
        for (std::size_t i = 0; i + static_cast<std::size_t>(channels) <= done / 4;
             i += static_cast<std::size_t>(channels))
            PushStereo(out, f + i, channels);
        if (r != MPG123_OK && r != MPG123_NEW_FORMAT) break;
    }
    mpg123_delete(h);
    return out;
}

Bytes InterleaveIcy(const Bytes& audio, std::size_t metaint,
                    const std::vector<std::pair<int, std::string>>& titles) {
    Bytes out;
    int block = 0;
    for (std::size_t at = 0; at < audio.size(); at += metaint, ++block) {
        out += audio.substr(at, metaint);
        if (at + metaint > audio.size()) break;
        std::string meta;
        for (const auto& [index, title] : titles)
            if (index == block) meta = "StreamTitle='" + title + "';StreamUrl='';";
        const std::size_t blocks = (meta.size() + 15) / 16;
        meta.resize(blocks * 16, '\0');
        out += static_cast<char>(blocks);
        out += meta;
    }
    return out;
}

std::uint64_t HashFrames(const std::vector<float>& stereo, std::size_t frames) {
    std::uint64_t hash = 1469598103934665603ull;
    for (std::size_t i = 0; i < frames * 2 && i < stereo.size(); ++i) {
        std::uint32_t bits;
        std::memcpy(&bits, &stereo[i], 4);
        for (int b = 0; b < 4; ++b) {
            hash ^= (bits >> (8 * b)) & 0xFF;
            hash *= 1099511628211ull;
        }
    }
    return hash;
}

std::vector<Bytes> OggPages(const Bytes& file) {
    std::vector<Bytes> pages;
    std::size_t at = 0;
    while (at + 27 <= file.size() && file.compare(at, 4, "OggS") == 0) {
        const auto segments = static_cast<std::uint8_t>(file[at + 26]);
        std::size_t size = 27 + segments;
        if (at + size > file.size()) break;
        for (std::size_t i = 0; i < segments; ++i)
            size += static_cast<std::uint8_t>(file[at + 27 + i]);
        if (at + size > file.size()) break;
        pages.push_back(file.substr(at, size));
        at += size;
    }
    return pages;
}

OggPageParts ParseOggPage(const Bytes& page) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(page[i]); };
    const auto little = [&](std::size_t at, int count) {
        std::uint64_t v = 0;
        for (int i = count - 1; i >= 0; --i)
            v = v << 8 | byte(at + static_cast<std::size_t>(i));
        return v;
    };
    OggPageParts parts;
    parts.flags = byte(5);
    parts.granule = little(6, 8);
    parts.serial = static_cast<std::uint32_t>(little(14, 4));
    parts.sequence = static_cast<std::uint32_t>(little(18, 4));
    parts.lacing.assign(page.begin() + 27, page.begin() + 27 + byte(26));
    parts.body = page.substr(27 + parts.lacing.size());
    return parts;
}

Bytes MakeOggPage(const OggPageParts& parts) {
    Bytes head = "OggS";
    head += '\0';
    head += static_cast<char>(parts.flags);
    const auto little = [&](std::uint64_t v, int count) {
        for (int i = 0; i < count; ++i, v >>= 8)
            head += static_cast<char>(v & 0xFF);
    };
    little(parts.granule, 8);
    little(parts.serial, 4);
    little(parts.sequence, 4);
    little(0, 4); // checksum, filled in below
    head += static_cast<char>(parts.lacing.size());
    head.append(parts.lacing.begin(), parts.lacing.end());
    ogg_page page;
    page.header = reinterpret_cast<unsigned char*>(head.data());
    page.header_len = static_cast<long>(head.size());
    Bytes body = parts.body;
    page.body = reinterpret_cast<unsigned char*>(body.data());
    page.body_len = static_cast<long>(body.size());
    ogg_page_checksum_set(&page);
    return head + body;
}
