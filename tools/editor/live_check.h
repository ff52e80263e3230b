// The map checker's analysis, run on a copy of the island on a worker thread
// so the view never waits for it, even on the biggest islands.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

#include "document.h"
#include "island/map_analysis.h"

namespace editor {

struct CheckResult {
    unsigned revision = 0; // the document revision it describes
    mapcheck::Analysis analysis;
    int millis = 0; // how long the analysis took
};

// What the editor shows: the checker's own analysis and fairness goals, exactly
// as the command-line checker runs them.
mapcheck::Analysis AnalyseLikeTheChecker(const mapcheck::MapData& map);

class LiveCheck {
  public:
    LiveCheck();
    ~LiveCheck();
    LiveCheck(const LiveCheck&) = delete;
    LiveCheck& operator=(const LiveCheck&) = delete;

    // Hands the worker a copy of the document when it is idle and the document
    // changed since the last copy; a busy worker gets the latest state later.
    void Offer(const Document& doc);
    // The newest finished result, once; false when there is none since the last call.
    bool Take(CheckResult& out);
    // Blocks until the worker is idle (tests, and before a result must be exact).
    void WaitIdle();
    // True while an offered copy is being analysed.
    bool Busy();

  private:
    void Run();

    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    // The copy waiting for the worker, and the one it analyses. They trade
    // places and keep their memory, so a copy into a big island's buffers
    // touches no fresh pages.
    mapcheck::MapData pending_, checking_;
    unsigned pendingRevision_ = 0, offeredRevision_ = 0;
    bool hasWork_ = false, working_ = false, stop_ = false, hasResult_ = false;
    CheckResult result_;
    std::thread worker_;
};

} // namespace editor
