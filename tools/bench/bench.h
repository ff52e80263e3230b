// Shared helpers of the benchmark suite: clocks, process figures from /proc,
// PNG output and the "name value" lines the report script reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

double NowMs();                   // monotonic
double RealtimeMs();              // since the epoch, comparable across processes
double ProcessCpuMs();            // all threads of this process
double ThreadCpuMs();             // the calling thread only
long StatusKb(const char* field); // "VmRSS", "VmHWM" from /proc/self/status; -1 if absent
// Resets VmHWM to the current resident size (Linux clear_refs 5).
void ResetPeak();

// One result line: "name value".
void Emit(const std::string& name, double value);

// The benchmark's own writer, not the game's: run.sh also builds these sources
// against older revisions, whose media layer lies elsewhere.
bool WritePng(const std::string& path, int width, int height, int channels,
              const std::vector<uint8_t>& pixels);

// Parsed "--key value" options after the sub-command.
struct Options {
    std::vector<std::string> args;
    std::string Get(const std::string& key, const std::string& fallback) const;
    double Number(const std::string& key, double fallback) const;
    bool Has(const std::string& key) const;
};

int RenderMain(const Options& options);
int EmptyWindowMain(const Options& options);
int SessionMain(const Options& options);
int PlayFramesMain(const Options& options);
int MapsMain(const Options& options);
int LogicMain(const Options& options);
int PlotMain(const Options& options);

} // namespace bench
