// Times a full play view (21 x 16 tiles, an item on every third cell, the
// castaway, 10 inventory items, 5 lines of text) drawn by our renderer, on the
// OpenGL 3.3 core and on the OpenGL ES 3.0 context, and by SDL_Renderer
// (OpenGL back end) in the same run, headless by default.
//   palmut_bench [frames] [capture.png]   (the ES frame goes to capture-gles.png)
#include <SDL2/SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "media/gfx/font_data.h"
#include "media/gfx/image_data.h"
#include "media/gfx/png_writer.h"
#include "media/graphics.h"
#include "media/program.h"
#include "media/test_seams.h"

namespace {
using Clock = std::chrono::steady_clock;
const Clock::time_point g_processStart = Clock::now(); // static init: close to exec

double MillisSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

// CPU time of all threads (the software rasteriser runs several): steadier
// than wall time on a busy machine.
double CpuMillis() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

struct Timing {
    double wall = -1, cpu = -1;
};

constexpr int COLS = 21, ROWS = 16, CELL = 32;
const char* const LINES[5] = {"Mjam! Eines Brutzo wuerdig!", "Enter um ein Objekt zu benutzen",
                              "Du hast Hunger.", "Ein Affe kommt naeher...",
                              "Ausgewaehlt: Kokosnuss"};

// A sheet of `cells` 32 x 32 cells with a black (masked) frame around each.
std::vector<uint8_t> SheetPixels(int cells, uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> rgb(static_cast<size_t>(cells) * CELL * CELL * 3);
    for (int y = 0; y < CELL; ++y)
        for (int x = 0; x < cells * CELL; ++x) {
            uint8_t* p = &rgb[(static_cast<size_t>(y) * cells * CELL + x) * 3];
            const bool edge = x % CELL < 3 || y < 3 || x % CELL > 28 || y > 28;
            const uint8_t shade = static_cast<uint8_t>((x / CELL) * 9 + ((x ^ y) & 8));
            p[0] = edge ? 0 : static_cast<uint8_t>(r + shade);
            p[1] = edge ? 0 : static_cast<uint8_t>(g + shade);
            p[2] = edge ? 0 : b;
        }
    return rgb;
}

struct Sheets {
    std::vector<uint8_t> tiles = SheetPixels(10, 30, 110, 40);
    std::vector<uint8_t> items = SheetPixels(23, 170, 90, 20);
    std::vector<uint8_t> beings = SheetPixels(10, 190, 160, 120);
};

// Quads of one play view, shared by both renderers so they draw the same.
struct Quad {
    int sheet; // 0 tiles, 1 items, 2 beings
    int frame;
    float x, y, scale, rotation, alpha;
};

std::vector<Quad> PlayQuads() {
    std::vector<Quad> quads;
    for (int row = 0; row < ROWS; ++row)
        for (int col = 0; col < COLS; ++col) {
            quads.push_back({0, (col * 7 + row * 3) % 10, 32.0f * col, 32.0f * row, 1, 0, 1});
            if ((row * COLS + col) % 3 == 0)
                quads.push_back({1, (col + row) % 23, 32.0f * col, 32.0f * row, 1, 0, 1});
        }
    quads.push_back({2, 3, 300, 200, 1, 0, 1});
    quads.push_back({2, 0, 320, 256, 1, 90, 1});
    quads.push_back({1, 5, 20, 20, 2, 0, 0.8f});
    quads.push_back({1, 6, 60, 20, 2, 0, 0.8f});
    for (int slot = 0; slot < 10; ++slot)
        quads.push_back({1, slot + 2, 32.0f + 64 * slot, 440, 1, 0, 1});
    return quads;
}

Timing RunOurs(const std::string& dir, const std::vector<Quad>& quads, int frames,
               const std::string& capture, bool present, int& drawCalls) {
    ImagePtr sheets[3] = {LoadImageStrip(dir + "/tiles.png", 32, 32, 0, 10, -1),
                          LoadImageStrip(dir + "/items.png", 32, 32, 0, 23, -1),
                          LoadImageStrip(dir + "/beings.png", 32, 32, 0, 10, -1)};
    if (!sheets[0] || !sheets[1] || !sheets[2]) return {};
    const std::vector<std::string> lines(LINES, LINES + 5);
    const auto drawFrame = [&] {
        Cls();
        for (const Quad& q : quads) {
            SetDrawScale(q.scale, q.scale);
            SetDrawRotation(q.rotation);
            SetAlpha(q.alpha);
            DrawImage(sheets[q.sheet], q.x, q.y, q.frame);
        }
        SetDrawScale(1, 1);
        SetDrawRotation(0);
        SetAlpha(0.5f);
        SetColor(128, 128, 128);
        DrawRect(0, 420, 640, 40);
        SetAlpha(1);
        SetColor(255, 255, 255);
        for (int i = 0; i < 5; ++i)
            DrawText(lines[i], 0, 10.0f * i);
    };
    SetCentredHandles(0);
    SetBlend(BLEND_ALPHA); // what the game uses in play
    drawFrame();
    if (!capture.empty()) CaptureFrame(capture);
    Flip(0);
    (void)ReadBackPixel(0, 0);
    const auto start = Clock::now();
    const double cpuStart = CpuMillis();
    for (int i = 0; i < frames; ++i) {
        drawFrame();
        if (present) Flip(0);
        (void)ReadBackPixel(0, 0); // wait for the frame to be done
    }
    Timing timing{MillisSince(start) / frames, (CpuMillis() - cpuStart) / frames};
    drawCalls = LastFrameDrawCalls();
    return timing;
}

SDL_Texture* MakeTexture(SDL_Renderer* renderer, const std::vector<uint8_t>& rgb, int w, int h) {
    std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4);
    for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i) {
        rgba[i * 4] = rgb[i * 3], rgba[i * 4 + 1] = rgb[i * 3 + 1],
                 rgba[i * 4 + 2] = rgb[i * 3 + 2];
        rgba[i * 4 + 3] = (rgb[i * 3] | rgb[i * 3 + 1] | rgb[i * 3 + 2]) ? 255 : 0;
    }
    SDL_Texture* texture =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_STATIC, w, h);
    SDL_UpdateTexture(texture, nullptr, rgba.data(), w * 4);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    return texture;
}

Timing RunSdlRenderer(const Sheets& sheets, const std::vector<Quad>& quads, int frames) {
    SDL_GL_ResetAttributes();
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    SDL_Window* window = SDL_CreateWindow("bench", 0, 0, 640, 480, SDL_WINDOW_OPENGL);
    SDL_Renderer* renderer =
        window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
    if (!renderer) {
        std::fprintf(stderr, "SDL_Renderer: %s\n", SDL_GetError());
        if (window) SDL_DestroyWindow(window);
        return {};
    }
    SDL_Texture* textures[3] = {MakeTexture(renderer, sheets.tiles, 10 * CELL, CELL),
                                MakeTexture(renderer, sheets.items, 23 * CELL, CELL),
                                MakeTexture(renderer, sheets.beings, 10 * CELL, CELL)};
    // The built-in glyphs as one 96-cell strip.
    std::vector<uint8_t> glyphRgba(96 * 8 * 16 * 4, 0);
    Font& font = *BuiltinFont();
    for (int c = 32; c < 128; ++c)
        if (const Glyph* g = FindGlyph(font, static_cast<char32_t>(c)); g && g->image)
            for (int y = 0; y < 16; ++y)
                std::copy_n(&g->image->frames[0].rgba[y * 8 * 4], 8 * 4,
                            &glyphRgba[(y * 96 * 8 + (c - 32) * 8) * 4]);
    SDL_Texture* glyphs =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_STATIC, 96 * 8, 16);
    SDL_UpdateTexture(glyphs, nullptr, glyphRgba.data(), 96 * 8 * 4);
    SDL_SetTextureBlendMode(glyphs, SDL_BLENDMODE_BLEND);

    const auto drawFrame = [&] {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        for (const Quad& q : quads) {
            const SDL_Rect src{q.frame * CELL, 0, CELL, CELL};
            const SDL_FRect dst{q.x, q.y, CELL * q.scale, CELL * q.scale};
            SDL_SetTextureAlphaMod(textures[q.sheet], static_cast<Uint8>(q.alpha * 255));
            SDL_RenderCopyExF(renderer, textures[q.sheet], &src, &dst, q.rotation, nullptr,
                              SDL_FLIP_NONE);
        }
        SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
        SDL_SetRenderDrawColor(renderer, 128, 128, 128, 128);
        const SDL_Rect bar{0, 420, 640, 40};
        SDL_RenderFillRect(renderer, &bar);
        for (int i = 0; i < 5; ++i)
            for (int k = 0; LINES[i][k]; ++k) {
                const SDL_Rect src{(LINES[i][k] - 32) * 8, 0, 8, 16};
                const SDL_Rect dst{k * 8, i * 10, 8, 16};
                SDL_RenderCopy(renderer, glyphs, &src, &dst);
            }
    };
    Uint32 pixel = 0;
    const SDL_Rect one{0, 0, 1, 1};
    drawFrame();
    SDL_RenderPresent(renderer);
    const auto start = Clock::now();
    const double cpuStart = CpuMillis();
    for (int i = 0; i < frames; ++i) {
        drawFrame();
        SDL_RenderReadPixels(renderer, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
        SDL_RenderPresent(renderer);
    }
    Timing timing{MillisSince(start) / frames, (CpuMillis() - cpuStart) / frames};
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    return timing;
}
} // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0); // headless unless told otherwise
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    const std::string capture = argc > 2 ? argv[2] : "";

    const std::string dir =
        (std::filesystem::temp_directory_path() / ("palmut-bench-" + std::to_string(getpid())))
            .string();
    std::filesystem::create_directories(dir);
    const Sheets sheets;
    WritePng(dir + "/tiles.png", 10 * CELL, CELL, 3, sheets.tiles.data());
    WritePng(dir + "/items.png", 23 * CELL, CELL, 3, sheets.items.data());
    WritePng(dir + "/beings.png", 10 * CELL, CELL, 3, sheets.beings.data());

    // Which context each path got, as the debug log tells it.
    std::vector<std::string> contexts;
    SetDebugSink([&](const std::string& line) {
        if (line.rfind("graphics: ", 0) == 0) contexts.push_back(line);
    });
    struct PathResult {
        const char* name;
        Timing presented, drawOnly;
        int drawCalls = 0;
    };
    PathResult paths[2] = {{"OpenGL 3.3 core", {}, {}}, {"OpenGL ES 3.0", {}, {}}};
    double startup = -1;
    const std::vector<Quad> quads = PlayQuads();
    for (int p = 0; p < 2; ++p) {
        ForceGlesContext(p == 1);
        if (!OpenGraphics(640, 480, 0, 60, 0)) {
            std::fprintf(stderr, "cannot open graphics on %s\n", paths[p].name);
            continue;
        }
        if (p == 0) { // first presented frame after start-up: what a player waits for
            Cls();
            DrawText("Palmut", 10, 10);
            Flip(0);
            (void)ReadBackPixel(0, 0);
            startup = MillisSince(g_processStart);
        }
        std::string shot = capture;
        if (p == 1 && !shot.empty())
            shot.insert(shot.size() >= 4 && shot.ends_with(".png") ? shot.size() - 4 : shot.size(),
                        "-gles");
        paths[p].presented = RunOurs(dir, quads, frames, shot, true, paths[p].drawCalls);
        paths[p].drawOnly = RunOurs(dir, quads, frames, "", false, paths[p].drawCalls);
        CloseGraphics();
    }
    ForceGlesContext(false);
    SetDebugSink(nullptr);
    const Timing sdl = RunSdlRenderer(sheets, quads, frames);
    std::filesystem::remove_all(dir);

    for (const std::string& line : contexts)
        std::printf("%s\n", line.c_str());
    std::printf("play view: %zu sprites + 1 rectangle + %d glyph lines, %d frames each\n",
                quads.size(), 5, frames);
    std::printf("                                  wall ms/frame  cpu ms/frame\n");
    for (const PathResult& path : paths) {
        std::printf("ours, %-15s presented:  %8.3f       %8.3f   (%d draw calls/frame)\n",
                    path.name, path.presented.wall, path.presented.cpu, path.drawCalls);
        std::printf("ours, %-15s not shown:  %8.3f       %8.3f\n", path.name, path.drawOnly.wall,
                    path.drawOnly.cpu);
    }
    std::printf("SDL_Renderer (opengl):           %8.3f       %8.3f\n", sdl.wall, sdl.cpu);
    std::printf("start to first presented frame: %.1f ms\n", startup);
    return paths[0].presented.wall < 0 || paths[1].presented.wall < 0 ? 1 : 0;
}
