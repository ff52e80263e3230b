// Benchmark suite of the game: one program, one sub-command per figure.
//   palmut_bench render   [--frames N]                  drawing and presenting a play view
//   palmut_bench empty-window [--frames N]              memory of a bare GL window
//   palmut_bench session  --assets DIR [options]       the real game: start-up, memory, idle CPU
//   palmut_bench play-frames --assets DIR [--frames N] [--gles]  play frames, standing and walking
//   palmut_bench maps     [--sizes 64,1024] [--dir D]   map loads
//   palmut_bench logic    --assets DIR [--sizes ...]    per-pass cost of the game's logic
//   palmut_bench plot     --data FILE --out PNG         frame time and pass cost against size
// Results are printed as "name value" lines; tools/bench/run.sh gathers them.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>

#include <png.h>

#include "bench.h"

namespace bench {

namespace {
double ClockMs(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}
} // namespace

double NowMs() {
    return ClockMs(CLOCK_MONOTONIC);
}

double RealtimeMs() {
    return ClockMs(CLOCK_REALTIME);
}

double ProcessCpuMs() {
    return ClockMs(CLOCK_PROCESS_CPUTIME_ID);
}

double ThreadCpuMs() {
    return ClockMs(CLOCK_THREAD_CPUTIME_ID);
}

long StatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.compare(0, prefix.size(), prefix) == 0)
            return std::atol(line.c_str() + prefix.size());
    return -1;
}

void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void Emit(const std::string& name, double value) {
    std::printf("%s %.10g\n", name.c_str(), value);
    std::fflush(stdout);
}

bool WritePng(const std::string& path, int width, int height, int channels,
              const std::vector<uint8_t>& pixels) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 1); // big islands: speed over size
    png_set_IHDR(png, info, width, height, 8,
                 channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, pixels.data() + static_cast<size_t>(y) * width * channels);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

std::string Options::Get(const std::string& key, const std::string& fallback) const {
    for (size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--" + key) return args[i + 1];
    return fallback;
}

double Options::Number(const std::string& key, double fallback) const {
    const std::string v = Get(key, "");
    return v.empty() ? fallback : std::atof(v.c_str());
}

bool Options::Has(const std::string& key) const {
    for (const std::string& a : args)
        if (a == "--" + key) return true;
    return false;
}

} // namespace bench

int main(int argc, char** argv) {
    using namespace bench;
    Options options;
    for (int i = 2; i < argc; ++i)
        options.args.push_back(argv[i]);
    const std::string command = argc > 1 ? argv[1] : "";
    // Headless unless a display is there.
    if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 0);
    if (command == "render") return RenderMain(options);
    if (command == "empty-window") return EmptyWindowMain(options);
    if (command == "session") return SessionMain(options);
    if (command == "play-frames") return PlayFramesMain(options);
    if (command == "maps") return MapsMain(options);
    if (command == "logic") return LogicMain(options);
    if (command == "plot") return PlotMain(options);
    std::fprintf(stderr,
                 "usage: %s render|empty-window|session|play-frames|maps|logic|plot [options]\n",
                 argv[0]);
    return 2;
}
