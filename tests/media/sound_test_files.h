// Builds sound files at test time: WAV byte images and Vorbis-encoded tones.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <vorbis/vorbisenc.h>

namespace soundtest {

inline void Put16(std::string& s, unsigned v) {
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}
inline void Put32(std::string& s, uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

inline std::string Chunk(const std::string& id, const std::string& body, bool pad = true) {
    std::string s = id;
    Put32(s, uint32_t(body.size()));
    s += body;
    if (pad && body.size() % 2) s += '\0';
    return s;
}

inline std::string FmtBody(int format, int channels, uint32_t rate, int bits) {
    std::string f;
    Put16(f, format);
    Put16(f, channels);
    Put32(f, rate);
    Put32(f, rate * channels * bits / 8);
    Put16(f, channels * bits / 8);
    Put16(f, bits);
    return f;
}

inline std::string Riff(const std::string& chunks) {
    std::string s = "RIFF";
    Put32(s, uint32_t(chunks.size() + 4));
    return s + "WAVE" + chunks;
}

inline std::string Wav16(int channels, uint32_t rate, const std::vector<int16_t>& samples) {
    std::string data;
    for (int16_t v : samples)
        Put16(data, uint16_t(v));
    return Riff(Chunk("fmt ", FmtBody(1, channels, rate, 16)) + Chunk("data", data));
}

// A sine tone encoded with libvorbisenc; returns the whole Ogg file.
inline std::string EncodeOggTone(int channels, long rate, int frames, float freq) {
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, channels, rate, 0.4f) != 0) std::abort();
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_dsp_state vd;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block vb;
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 1234);

    std::string out;
    auto writePage = [&](const ogg_page& og) {
        out.append(reinterpret_cast<const char*>(og.header), size_t(og.header_len));
        out.append(reinterpret_cast<const char*>(og.body), size_t(og.body_len));
    };
    ogg_packet h0, h1, h2;
    vorbis_analysis_headerout(&vd, &vc, &h0, &h1, &h2);
    ogg_stream_packetin(&os, &h0);
    ogg_stream_packetin(&os, &h1);
    ogg_stream_packetin(&os, &h2);
    ogg_page og;
    while (ogg_stream_flush(&os, &og))
        writePage(og);

    auto drain = [&] {
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                while (ogg_stream_pageout(&os, &og))
                    writePage(og);
            }
        }
    };
    const int block = 1024;
    for (int done = 0; done < frames; done += block) {
        int n = std::min(block, frames - done);
        float** buf = vorbis_analysis_buffer(&vd, n);
        for (int i = 0; i < n; ++i)
            for (int c = 0; c < channels; ++c)
                buf[c][i] =
                    0.5f * std::sin(2.0f * float(M_PI) * freq * float(done + i) / float(rate));
        vorbis_analysis_wrote(&vd, n);
        drain();
    }
    vorbis_analysis_wrote(&vd, 0);
    drain();
    while (ogg_stream_flush(&os, &og))
        writePage(og);
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return out;
}

} // namespace soundtest
