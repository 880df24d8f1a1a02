#include "SVFramework/Application/ApplicationClock.h"

#include <chrono>

namespace SV {

ApplicationClock::ApplicationClock(TickSource ticks) : mTicks(ticks), mLastTick(ticks()) {}

double ApplicationClock::GetTime() {
  const uint32_t now = mTicks();
  const auto delta = static_cast<int32_t>(now - mLastTick);
  mLastTick = now;
  mSeconds += delta / 1000.0;
  return mSeconds;
}

uint32_t ApplicationClock::MonotonicTicks() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

}  // namespace SV
