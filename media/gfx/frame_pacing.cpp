#include "media/gfx/frame_pacing.h"

namespace media_internal {

void FramePacer::Start(int hertz, int nowMillis) {
    rate_ = hertz > 0 ? hertz : 0;
    period_ = rate_ ? 1000 / rate_ : 0;
    remainder_ = rate_ ? 1000 - period_ * rate_ : 0;
    accumulator_ = 0;
    target_ = static_cast<unsigned>(nowMillis);
}

int FramePacer::NextDelay(int nowMillis) {
    if (!rate_) return 0;
    target_ += period_;
    accumulator_ += remainder_;
    if (accumulator_ >= rate_) {
        accumulator_ -= rate_;
        target_ += 1;
    }
    // Difference of wrapping millisecond counts, done unsigned to stay defined.
    const int dt = static_cast<int>(target_ - static_cast<unsigned>(nowMillis));
    if (dt > 0) return dt;
    target_ = static_cast<unsigned>(nowMillis);
    return 0;
}

} // namespace media_internal
