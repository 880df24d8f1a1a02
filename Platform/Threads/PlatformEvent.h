#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "Platform/Threads/WaitResult.h"

namespace SV::Platform {

class WaitDeadline;

// An unnamed signal that threads wait on. A manual-reset event stays signalled
// until it is reset and releases every waiter; an automatic-reset event is cleared
// by the one wait that it releases. Every operation may be called from any thread;
// the event must outlive every wait on it.
class PlatformEvent {
public:
  enum class ResetMode { Manual, Automatic };

  explicit PlatformEvent(ResetMode mode, bool initiallySignalled = false);
  ~PlatformEvent();
  PlatformEvent(const PlatformEvent&) = delete;
  PlatformEvent& operator=(const PlatformEvent&) = delete;

  // Signals the event and wakes its waiters; always true.
  bool Set();
  // Clears the signal; always true.
  bool Reset();
  // Waits until the event is signalled (consuming the signal of an automatic-reset
  // event) or `milliseconds` pass: WaitSignalled or WaitTimedOut. 0 only looks.
  WaitResult Wait(int32_t milliseconds);
  bool IsManualReset() const { return mMode == ResetMode::Manual; }

  // Most events one WaitAny takes, so that no index can be read as WaitTimedOut.
  static constexpr size_t MaximumWaitAnyCount = 64;

  // Waits until any of `events` is signalled: WaitSignalled + its index. When
  // several are signalled the lowest index wins, and only that event's signal is
  // consumed. WaitTimedOut when the time runs out; WaitFailed for an empty list, a
  // list longer than MaximumWaitAnyCount or a null entry.
  static WaitResult WaitAny(std::span<PlatformEvent* const> events, int32_t milliseconds);

private:
  struct AnyWaiter;

  static WaitResult ScanUntilSignalled(std::span<PlatformEvent* const> events,
                                       const WaitDeadline& deadline, AnyWaiter& waiter);

  // Both with mLock held.
  bool TryConsumeSignal();
  void WakeAnyWaiters();

  bool TryConsume();
  void AddAnyWaiter(AnyWaiter* waiter);
  void RemoveAnyWaiter(AnyWaiter* waiter);

  const ResetMode mMode;
  // Guards mSignalled and mAnyWaiters; taken before an AnyWaiter's own lock.
  std::mutex mLock;
  std::condition_variable mSignalChanged;
  bool mSignalled;
  std::vector<AnyWaiter*> mAnyWaiters;
};

}  // namespace SV::Platform
