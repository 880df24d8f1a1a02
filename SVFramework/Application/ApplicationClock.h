#pragma once
#include <cstdint>

namespace SV {

// The application clock: seconds since construction, summed from the signed 32-bit
// differences of a wrapping millisecond counter, so it keeps counting across the
// counter's wrap as long as it is read at least once every 24 days. UI thread only.
class ApplicationClock {
public:
  // A millisecond counter that wraps at 32 bits.
  using TickSource = uint32_t (*)();

  explicit ApplicationClock(TickSource ticks = &MonotonicTicks);

  // Seconds since construction (the first reading included).
  double GetTime();
  // The counter itself.
  uint32_t GetTickCount() const { return mTicks(); }

  // Milliseconds of the system's monotonic clock, truncated to 32 bits. Any thread.
  static uint32_t MonotonicTicks();

private:
  TickSource mTicks;
  uint32_t mLastTick;
  double mSeconds = 0.0;
};

}  // namespace SV
