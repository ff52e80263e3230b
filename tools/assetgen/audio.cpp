#include "audio.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include <vorbis/vorbisenc.h>

#include "rng.h"

namespace assetgen {
namespace {

void put16(std::vector<uint8_t>& b, int v) {
    b.push_back(static_cast<uint8_t>(v & 0xFF));
    b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}
void put32(std::vector<uint8_t>& b, uint32_t v) {
    put16(b, static_cast<int>(v & 0xFFFF));
    put16(b, static_cast<int>(v >> 16));
}

int toInt16(float s) {
    float c = std::clamp(s, -1.0f, 1.0f);
    return static_cast<int>(std::lround(c * 32767.0f));
}

// Phase-accumulator voices: only +, * and comparisons, so no libm differences.
struct Osc {
    double phase = 0;
    double step(double freq, int rate) {
        phase += freq / rate;
        phase -= std::floor(phase);
        return phase;
    }
};
double square(double phase, double duty) {
    return phase < duty ? 1.0 : -1.0;
}
double triangle(double phase) {
    return phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase;
}

int frames(double seconds, int rate) {
    return static_cast<int>(seconds * rate);
}

// Linear attack / exponential-ish (squared) release envelope over n samples.
double envelope(int i, int n, int attack) {
    if (i < attack) return static_cast<double>(i) / attack;
    double t = 1.0 - static_cast<double>(i - attack) / std::max(1, n - attack);
    return t * t;
}

// A square-wave note added at sample offset `at`.
void addSquare(Wave& w, int at, double seconds, double freq, double freqEnd, double duty,
               double volume) {
    int n = frames(seconds, w.rate);
    if (at + n > static_cast<int>(w.samples.size())) w.samples.resize(at + n, 0.0f);
    Osc osc;
    for (int i = 0; i < n; ++i) {
        double f = freq + (freqEnd - freq) * i / n;
        w.samples[at + i] +=
            static_cast<float>(square(osc.step(f, w.rate), duty) * volume * envelope(i, n, 40));
    }
}

void addNoise(Wave& w, int at, double seconds, double volume, int hold, uint64_t seed) {
    int n = frames(seconds, w.rate);
    if (at + n > static_cast<int>(w.samples.size())) w.samples.resize(at + n, 0.0f);
    Rng rng(seed);
    double v = 0;
    for (int i = 0; i < n; ++i) {
        if (i % hold == 0) v = rng.range(-1000, 1000) / 1000.0; // held noise = lower pitch
        w.samples[at + i] += static_cast<float>(v * volume * envelope(i, n, 10));
    }
}

} // namespace

std::vector<uint8_t> encodeWav(const Wave& w) {
    const int bytesPerSample = w.bits / 8;
    const uint32_t dataSize = static_cast<uint32_t>(w.samples.size() * bytesPerSample);
    std::vector<uint8_t> b = {'R', 'I', 'F', 'F'};
    put32(b, 36 + dataSize + dataSize % 2);
    for (char c : std::string("WAVEfmt "))
        b.push_back(static_cast<uint8_t>(c));
    put32(b, 16);
    put16(b, 1); // PCM
    put16(b, 1); // mono
    put32(b, static_cast<uint32_t>(w.rate));
    put32(b, static_cast<uint32_t>(w.rate * bytesPerSample));
    put16(b, bytesPerSample);
    put16(b, w.bits);
    for (char c : std::string("data"))
        b.push_back(static_cast<uint8_t>(c));
    put32(b, dataSize);
    for (float s : w.samples) {
        int v = toInt16(s);
        if (w.bits == 8)
            b.push_back(static_cast<uint8_t>((v >> 8) + 128)); // 8-bit WAV is unsigned
        else
            put16(b, v);
    }
    if (dataSize % 2) b.push_back(0); // RIFF chunks are word aligned
    return b;
}

std::vector<uint8_t> encodeOgg(const Wave& w) {
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, 1, w.rate, 0.4f) != 0) {
        vorbis_info_clear(&vi);
        throw std::runtime_error("encodeOgg: encoder set-up failed");
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "TITLE", "Palmut - Ein neues Leben");
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 0x50614C6D);

    std::vector<uint8_t> out;
    auto append = [&out](const ogg_page& og) {
        out.insert(out.end(), og.header, og.header + og.header_len);
        out.insert(out.end(), og.body, og.body + og.body_len);
    };
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    ogg_page og;
    while (ogg_stream_flush(&os, &og))
        append(og);

    const int chunk = 1024;
    size_t pos = 0;
    bool eos = false;
    while (!eos) {
        int n = static_cast<int>(std::min<size_t>(chunk, w.samples.size() - pos));
        if (n > 0) {
            float** buf = vorbis_analysis_buffer(&vd, n);
            for (int i = 0; i < n; ++i)
                buf[0][i] = w.samples[pos + i];
            pos += n;
        }
        vorbis_analysis_wrote(&vd, n); // 0 marks the end of the stream
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                while (ogg_stream_pageout(&os, &og)) {
                    append(og);
                    if (ogg_page_eos(&og)) eos = true;
                }
            }
        }
        if (n == 0 && !eos) {
            while (ogg_stream_flush(&os, &og))
                append(og);
            eos = true;
        }
    }
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return out;
}

Wave soundChose() {
    Wave w;
    addSquare(w, 0, 0.035, 660, 660, 0.5, 0.35);
    addSquare(w, frames(0.035, w.rate), 0.05, 990, 990, 0.5, 0.35);
    return w;
}

Wave soundConfirm() {
    Wave w;
    const double notes[] = {523.25, 659.25, 783.99, 1046.5};
    for (int i = 0; i < 4; ++i)
        addSquare(w, frames(0.045 * i, w.rate), i == 3 ? 0.16 : 0.05, notes[i], notes[i], 0.25,
                  0.3);
    return w;
}

Wave soundHit() {
    Wave w;
    addNoise(w, 0, 0.18, 0.55, 3, 11);
    addSquare(w, 0, 0.16, 320, 70, 0.5, 0.35);
    return w;
}

Wave soundWalk() {
    // Played on every step: short, low and quiet so it never gets tiring.
    Wave w;
    addNoise(w, 0, 0.045, 0.22, 14, 23);
    addSquare(w, 0, 0.03, 110, 80, 0.5, 0.08);
    return w;
}

Wave soundTyping() {
    // Each typed letter stays on screen for 3 passes of 55 ms; the first two
    // pictures show the idle prompt, then 15 letters follow.
    Wave w;
    w.samples.assign(frames(51 * 0.055, w.rate), 0.0f);
    Rng rng(1983);
    for (int k = 0; k < 15; ++k) {
        int at = frames((2 + k) * 3 * 0.055, w.rate) + rng.range(0, 600);
        addNoise(w, at, 0.012, 0.5, 1, 100 + k);
        addSquare(w, at, 0.02, 180 + rng.range(0, 40), 120, 0.5, 0.12);
        addNoise(w, at + frames(0.07, w.rate), 0.01, 0.18, 2, 200 + k); // key release
    }
    return w;
}

Wave soundTapeLoad() {
    // Pictures: searching (1 s), loading (9 s), then ready. Quiet motor hum while
    // searching, a pilot tone, then the data warble, ending when loading ends.
    Wave w;
    w.bits = 8;
    const int rate = w.rate;
    w.samples.assign(frames(10.2, rate), 0.0f);
    Rng rng(64);
    Osc osc;
    int i = 0;
    for (; i < frames(1.0, rate); ++i) // motor hum
        w.samples[i] = static_cast<float>(square(osc.step(50, rate), 0.5) * 0.04);
    for (; i < frames(3.0, rate); ++i) // pilot tone
        w.samples[i] = static_cast<float>(square(osc.step(1850, rate), 0.5) * 0.2);
    // Data: every bit is one or two short square periods, like a tape's pulses.
    while (i < frames(10.0, rate)) {
        bool one = rng.next() & 1;
        // Bursts of header-like regular tone every ~1.5 s break the noise up.
        bool pilot =
            (i / frames(1.5, rate)) % 2 == 0 && (i % frames(1.5, rate)) < frames(0.25, rate);
        double freq = pilot ? 1850 : one ? 1100 : 2200;
        int len = static_cast<int>(rate / freq);
        for (int k = 0; k < len && i < frames(10.0, rate); ++k, ++i)
            w.samples[i] = static_cast<float>((k < len / 2 ? 1 : -1) * 0.2);
    }
    for (int k = 0; k < 400 && i < static_cast<int>(w.samples.size()); ++k, ++i)
        w.samples[i] =
            static_cast<float>(square(osc.step(1850, rate), 0.5) * 0.2 * (400 - k) / 400);
    return w;
}

Wave victoryTune() {
    Wave w;
    w.rate = 44100;
    const double beat = 60.0 / 138; // seconds per quarter note
    // Note numbers: semitones above A4 = 440 Hz; 99 = rest. Each entry is (note, eighths).
    struct N {
        int note, len;
    };
    auto hz = [](int n) { return 440.0 * std::pow(2.0, n / 12.0); };
    // A bright tune in C major, one bar (8 eighths) per line: fanfare, answer,
    // a rising bridge and the fanfare again as the farewell.
    const std::vector<N> melody = {
        {3, 1},  {7, 1},  {10, 1}, {15, 3}, {10, 1}, {15, 1}, // C
        {14, 1}, {12, 1}, {10, 1}, {12, 1}, {14, 4},          // G
        {12, 1}, {10, 1}, {8, 1},  {7, 1},  {8, 2},  {10, 2}, // F
        {7, 2},  {5, 1},  {3, 1},  {5, 4},                    // G
        {3, 1},  {7, 1},  {10, 1}, {15, 3}, {10, 1}, {15, 1}, // C
        {17, 1}, {15, 1}, {14, 1}, {12, 1}, {10, 4},          // G
        {8, 1},  {10, 1}, {12, 2}, {10, 1}, {8, 1},  {7, 2},  // F
        {5, 2},  {7, 2},  {3, 4},                             // C
        {99, 2}, {10, 1}, {12, 1}, {14, 2}, {15, 2},          // Am
        {17, 2}, {15, 2}, {14, 2}, {12, 2},                   // G
        {10, 2}, {12, 1}, {14, 1}, {15, 2}, {17, 2},          // F
        {19, 4}, {17, 2}, {14, 2},                            // G
        {15, 1}, {14, 1}, {12, 1}, {10, 1}, {12, 2}, {8, 2},  // F
        {10, 2}, {7, 2},  {5, 2},  {7, 2},                    // G
        {3, 1},  {7, 1},  {10, 1}, {15, 3}, {19, 2},          // C
        {15, 8},                                              // C
    };
    // Bass roots per bar, matching the chords noted above.
    const std::vector<int> bass = {-21, -14, -16, -14, -21, -14, -16, -21,
                                   -12, -14, -16, -14, -16, -14, -21, -21};
    double t = 0;
    for (const N& n : melody) {
        double len = n.len * beat / 2;
        if (n.note != 99) {
            addSquare(w, frames(t, w.rate), len * 0.95, hz(n.note), hz(n.note), 0.25, 0.22);
            addSquare(w, frames(t, w.rate), len * 0.95, hz(n.note) * 1.003, hz(n.note) * 1.003, 0.5,
                      0.06); // slight detune: a fuller lead
        }
        t += len;
    }
    const double total = t;
    for (size_t bar = 0; bar * 4 * beat < total; ++bar) {
        int root = bass[bar % bass.size()];
        for (int q = 0; q < 4; ++q) {
            double at = (bar * 4 + q) * beat;
            if (at >= total) break;
            int note = q % 2 == 0 ? root : root + 7;
            int n = frames(beat * 0.9, w.rate);
            int s = frames(at, w.rate);
            if (s + n > static_cast<int>(w.samples.size())) w.samples.resize(s + n, 0.0f);
            Osc osc;
            for (int i = 0; i < n; ++i)
                w.samples[s + i] += static_cast<float>(triangle(osc.step(hz(note), w.rate)) * 0.3 *
                                                       envelope(i, n, 60));
            addNoise(w, frames(at + beat / 2, w.rate), 0.03, 0.08, 1, 500 + bar * 4 + q); // hi-hat
        }
    }
    w.samples.resize(w.samples.size() + frames(1.0, w.rate), 0.0f);
    return w;
}

} // namespace assetgen
