// Software frame pacing for windowed mode: a fixed integer period per frame
// plus a remainder spread by an accumulator, so 60 Hz gives exactly 1000 ms
// per 60 frames (16 or 17 ms each).
#pragma once

namespace media_internal {

class FramePacer {
  public:
    // hertz <= 0 turns pacing off.
    void Start(int hertz, int nowMillis);
    bool Active() const { return rate_ > 0; }
    // Advances the target by one frame and returns how long to sleep (>= 0).
    // A late frame moves the target to now instead of shortening later frames.
    int NextDelay(int nowMillis);

  private:
    int rate_ = 0;
    int period_ = 0;
    int remainder_ = 0;
    int accumulator_ = 0;
    unsigned target_ = 0; // unsigned: Millis() wraps
};

} // namespace media_internal
