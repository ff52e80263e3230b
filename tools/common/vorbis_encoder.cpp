#include "tools/common/vorbis_encoder.h"

#include <algorithm>

#include <vorbis/vorbisenc.h>

namespace common {
namespace {

struct Encoder {
    vorbis_info info{};
    vorbis_comment comment{};
    vorbis_dsp_state dsp{};
    vorbis_block block{};
    ogg_stream_state stream{};
    std::vector<uint8_t> out;

    void Append(const ogg_page& page) {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    }
    // Hands every finished block to the stream; true once the last page is out.
    bool Drain() {
        bool end = false;
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&stream, &page)) {
                    Append(page);
                    if (ogg_page_eos(&page)) end = true;
                }
            }
        }
        return end;
    }
    void Flush() {
        ogg_page page;
        while (ogg_stream_flush(&stream, &page))
            Append(page);
    }
};

} // namespace

std::vector<uint8_t> EncodeVorbis(const std::vector<float>& samples,
                                  const VorbisSettings& settings) {
    Encoder e;
    vorbis_info_init(&e.info);
    if (settings.channels < 1 ||
        vorbis_encode_init_vbr(&e.info, settings.channels, settings.rate, settings.quality) != 0) {
        vorbis_info_clear(&e.info);
        return {};
    }
    vorbis_comment_init(&e.comment);
    for (const std::string& c : settings.comments)
        vorbis_comment_add(&e.comment, c.c_str());
    vorbis_analysis_init(&e.dsp, &e.info);
    vorbis_block_init(&e.dsp, &e.block);
    ogg_stream_init(&e.stream, settings.serial);

    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&e.dsp, &e.comment, &header, &comments, &codebooks);
    ogg_stream_packetin(&e.stream, &header);
    ogg_stream_packetin(&e.stream, &comments);
    ogg_stream_packetin(&e.stream, &codebooks);
    e.Flush(); // the headers on pages of their own, as the format wants

    const size_t channels = static_cast<size_t>(settings.channels);
    const size_t frames = samples.size() / channels;
    size_t at = 0;
    bool end = false;
    while (!end) {
        const int n = static_cast<int>(std::min<size_t>(1024, frames - at));
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&e.dsp, n);
            for (int i = 0; i < n; ++i)
                for (size_t c = 0; c < channels; ++c)
                    buffer[c][i] = samples[(at + static_cast<size_t>(i)) * channels + c];
            at += static_cast<size_t>(n);
        }
        vorbis_analysis_wrote(&e.dsp, n); // 0 marks the end of the stream
        end = e.Drain() || n == 0;
    }
    e.Flush();
    ogg_stream_clear(&e.stream);
    vorbis_block_clear(&e.block);
    vorbis_dsp_clear(&e.dsp);
    vorbis_comment_clear(&e.comment);
    vorbis_info_clear(&e.info);
    return std::move(e.out);
}

} // namespace common
