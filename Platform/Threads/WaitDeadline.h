#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "Platform/Threads/WaitResult.h"

namespace SV::Platform {

// The end of a wait given in milliseconds, measured on the steady clock so that a
// change of the wall clock neither shortens nor stretches it. A negative time-out
// never ends.
class WaitDeadline {
public:
  explicit WaitDeadline(int32_t milliseconds)
      : mForever(milliseconds < 0),
        mEnd(std::chrono::steady_clock::now() + std::chrono::milliseconds(mForever ? 0 : milliseconds)) {}

  // Waits on `condition` until `ready()` holds or the deadline passes; true when
  // `ready()` holds. `lock` must hold the mutex that guards what `ready` reads.
  template <class Ready>
  bool WaitUntil(std::condition_variable& condition, std::unique_lock<std::mutex>& lock, Ready ready) const {
    if (mForever) {
      condition.wait(lock, ready);
      return true;
    }
    return condition.wait_until(lock, mEnd, ready);
  }

private:
  bool mForever;
  std::chrono::steady_clock::time_point mEnd;
};

}  // namespace SV::Platform
