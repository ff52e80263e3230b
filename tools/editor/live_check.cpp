#include "live_check.h"

#include <chrono>
#include <utility>

namespace editor {

mapcheck::Analysis AnalyseLikeTheChecker(const mapcheck::MapData& map) {
    mapcheck::Analysis a = mapcheck::Analyse(map);
    mapcheck::CheckFairness(map, a);
    return a;
}

LiveCheck::LiveCheck() : worker_([this] { Run(); }) {}

LiveCheck::~LiveCheck() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void LiveCheck::Offer(const Document& doc) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (hasWork_ || working_ || doc.Revision() == offeredRevision_) return;
    pending_ = doc.Data(); // a copy: the maker paints on while it is checked
    pendingRevision_ = offeredRevision_ = doc.Revision();
    hasWork_ = true;
    wake_.notify_one();
}

bool LiveCheck::Take(CheckResult& out) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!hasResult_) return false;
    out = std::move(result_);
    hasResult_ = false;
    return true;
}

void LiveCheck::WaitIdle() {
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return !hasWork_ && !working_; });
}

bool LiveCheck::Busy() {
    std::lock_guard<std::mutex> lock(mutex_);
    return hasWork_ || working_;
}

void LiveCheck::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || hasWork_; });
        if (stop_) return;
        std::swap(checking_, pending_);
        const unsigned revision = pendingRevision_;
        hasWork_ = false;
        working_ = true;
        lock.unlock();
        const auto start = std::chrono::steady_clock::now();
        CheckResult result;
        result.analysis = AnalyseLikeTheChecker(checking_);
        result.revision = revision;
        result.millis = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                             std::chrono::steady_clock::now() - start)
                                             .count());
        lock.lock();
        result_ = std::move(result);
        hasResult_ = true;
        working_ = false;
        idle_.notify_all();
    }
}

} // namespace editor
