#include "audio.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "island/random.h"
#include "tools/common/vorbis_encoder.h"

namespace assetgen {
namespace {

void Put16(std::vector<uint8_t>& b, int v) {
    b.push_back(static_cast<uint8_t>(v & 0xFF));
    b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, static_cast<int>(v & 0xFFFF));
    Put16(b, static_cast<int>(v >> 16));
}

int ToInt16(float s) {
    float c = std::clamp(s, -1.0f, 1.0f);
    return static_cast<int>(std::lround(c * 32767.0f));
}

// Phase-accumulator voices: only +, * and comparisons, so no libm differences.
struct Osc {
    double phase = 0;
    double Step(double freq, int rate) {
        phase += freq / rate;
        phase -= std::floor(phase);
        return phase;
    }
};
double Square(double phase, double duty) {
    return phase < duty ? 1.0 : -1.0;
}
double Triangle(double phase) {
    return phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase;
}

int Frames(double seconds, int rate) {
    return static_cast<int>(seconds * rate);
}

// Linear attack / exponential-ish (squared) release envelope over n samples.
double Envelope(int i, int n, int attack) {
    if (i < attack) return static_cast<double>(i) / attack;
    double t = 1.0 - static_cast<double>(i - attack) / std::max(1, n - attack);
    return t * t;
}

// A square-wave note added at sample offset `at`.
void AddSquare(Wave& w, int at, double seconds, double freq, double freqEnd, double duty,
               double volume) {
    int n = Frames(seconds, w.rate);
    if (at + n > static_cast<int>(w.samples.size())) w.samples.resize(at + n, 0.0f);
    Osc osc;
    for (int i = 0; i < n; ++i) {
        double f = freq + (freqEnd - freq) * i / n;
        w.samples[at + i] +=
            static_cast<float>(Square(osc.Step(f, w.rate), duty) * volume * Envelope(i, n, 40));
    }
}

void AddNoise(Wave& w, int at, double seconds, double volume, int hold, uint64_t seed) {
    int n = Frames(seconds, w.rate);
    if (at + n > static_cast<int>(w.samples.size())) w.samples.resize(at + n, 0.0f);
    common::SplitMix64 rng(seed);
    double v = 0;
    for (int i = 0; i < n; ++i) {
        if (i % hold == 0) v = rng.Range32(-1000, 1000) / 1000.0; // held noise = lower pitch
        w.samples[at + i] += static_cast<float>(v * volume * Envelope(i, n, 10));
    }
}

} // namespace

std::vector<uint8_t> EncodeWav(const Wave& w) {
    const int bytesPerSample = w.bits / 8;
    const uint32_t dataSize = static_cast<uint32_t>(w.samples.size() * bytesPerSample);
    std::vector<uint8_t> b = {'R', 'I', 'F', 'F'};
    Put32(b, 36 + dataSize + dataSize % 2);
    for (char c : std::string("WAVEfmt "))
        b.push_back(static_cast<uint8_t>(c));
    Put32(b, 16);
    Put16(b, 1); // PCM
    Put16(b, 1); // mono
    Put32(b, static_cast<uint32_t>(w.rate));
    Put32(b, static_cast<uint32_t>(w.rate * bytesPerSample));
    Put16(b, bytesPerSample);
    Put16(b, w.bits);
    for (char c : std::string("data"))
        b.push_back(static_cast<uint8_t>(c));
    Put32(b, dataSize);
    for (float s : w.samples) {
        int v = ToInt16(s);
        if (w.bits == 8)
            b.push_back(static_cast<uint8_t>((v >> 8) + 128)); // 8-bit WAV is unsigned
        else
            Put16(b, v);
    }
    if (dataSize % 2) b.push_back(0); // RIFF chunks are word aligned
    return b;
}

std::vector<uint8_t> EncodeOgg(const Wave& w) {
    common::VorbisSettings settings;
    settings.rate = w.rate;
    settings.channels = 1;
    settings.quality = 0.4f;
    settings.serial = 0x50614C6D;
    settings.comments = {"TITLE=Palmut - Ein neues Leben"};
    std::vector<uint8_t> out = common::EncodeVorbis(w.samples, settings);
    if (out.empty()) throw std::runtime_error("encodeOgg: encoder set-up failed");
    return out;
}

Wave SoundChose() {
    Wave w;
    AddSquare(w, 0, 0.035, 660, 660, 0.5, 0.35);
    AddSquare(w, Frames(0.035, w.rate), 0.05, 990, 990, 0.5, 0.35);
    return w;
}

Wave SoundConfirm() {
    Wave w;
    const double notes[] = {523.25, 659.25, 783.99, 1046.5};
    for (int i = 0; i < 4; ++i)
        AddSquare(w, Frames(0.045 * i, w.rate), i == 3 ? 0.16 : 0.05, notes[i], notes[i], 0.25,
                  0.3);
    return w;
}

Wave SoundHit() {
    Wave w;
    AddNoise(w, 0, 0.18, 0.55, 3, 11);
    AddSquare(w, 0, 0.16, 320, 70, 0.5, 0.35);
    return w;
}

Wave SoundWalk() {
    // Played on every step: short, low and quiet so it never gets tiring.
    Wave w;
    AddNoise(w, 0, 0.045, 0.22, 14, 23);
    AddSquare(w, 0, 0.03, 110, 80, 0.5, 0.08);
    return w;
}

Wave SoundTyping() {
    // Each typed letter stays on screen for 3 passes of 55 ms; the first two
    // pictures show the idle prompt, then 15 letters follow.
    Wave w;
    w.samples.assign(Frames(51 * 0.055, w.rate), 0.0f);
    common::SplitMix64 rng(1983);
    for (int k = 0; k < 15; ++k) {
        int at = Frames((2 + k) * 3 * 0.055, w.rate) + rng.Range32(0, 600);
        AddNoise(w, at, 0.012, 0.5, 1, 100 + k);
        AddSquare(w, at, 0.02, 180 + rng.Range32(0, 40), 120, 0.5, 0.12);
        AddNoise(w, at + Frames(0.07, w.rate), 0.01, 0.18, 2, 200 + k); // key release
    }
    return w;
}

Wave SoundTapeLoad() {
    // Pictures: searching (1 s), loading (9 s), then ready. Quiet motor hum while
    // searching, a pilot tone, then the data warble, ending when loading ends.
    Wave w;
    w.bits = 8;
    const int rate = w.rate;
    w.samples.assign(Frames(10.2, rate), 0.0f);
    common::SplitMix64 rng(64);
    Osc osc;
    int i = 0;
    for (; i < Frames(1.0, rate); ++i) // motor hum
        w.samples[i] = static_cast<float>(Square(osc.Step(50, rate), 0.5) * 0.04);
    for (; i < Frames(3.0, rate); ++i) // pilot tone
        w.samples[i] = static_cast<float>(Square(osc.Step(1850, rate), 0.5) * 0.2);
    // Data: every bit is one or two short square periods, like a tape's pulses.
    while (i < Frames(10.0, rate)) {
        bool one = rng.Next32() & 1;
        // Bursts of header-like regular tone every ~1.5 s break the noise up.
        bool pilot =
            (i / Frames(1.5, rate)) % 2 == 0 && (i % Frames(1.5, rate)) < Frames(0.25, rate);
        double freq = pilot ? 1850 : one ? 1100 : 2200;
        int len = static_cast<int>(rate / freq);
        for (int k = 0; k < len && i < Frames(10.0, rate); ++k, ++i)
            w.samples[i] = static_cast<float>((k < len / 2 ? 1 : -1) * 0.2);
    }
    for (int k = 0; k < 400 && i < static_cast<int>(w.samples.size()); ++k, ++i)
        w.samples[i] =
            static_cast<float>(Square(osc.Step(1850, rate), 0.5) * 0.2 * (400 - k) / 400);
    return w;
}

Wave VictoryTune() {
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
            AddSquare(w, Frames(t, w.rate), len * 0.95, hz(n.note), hz(n.note), 0.25, 0.22);
            AddSquare(w, Frames(t, w.rate), len * 0.95, hz(n.note) * 1.003, hz(n.note) * 1.003, 0.5,
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
            int n = Frames(beat * 0.9, w.rate);
            int s = Frames(at, w.rate);
            if (s + n > static_cast<int>(w.samples.size())) w.samples.resize(s + n, 0.0f);
            Osc osc;
            for (int i = 0; i < n; ++i)
                w.samples[s + i] += static_cast<float>(Triangle(osc.Step(hz(note), w.rate)) * 0.3 *
                                                       Envelope(i, n, 60));
            AddNoise(w, Frames(at + beat / 2, w.rate), 0.03, 0.08, 1, 500 + bar * 4 + q); // hi-hat
        }
    }
    w.samples.resize(w.samples.size() + Frames(1.0, w.rate), 0.0f);
    return w;
}

} // namespace assetgen
