#include "Platform/Threads/PlatformEvent.h"

#include <algorithm>

#include "Platform/Threads/WaitDeadline.h"

namespace SV::Platform {

// A thread inside WaitAny: each of its events pokes it when signalled, and it then
// scans the events again from the lowest index.
struct PlatformEvent::AnyWaiter {
  std::mutex lock;
  std::condition_variable poked;
  bool wasPoked = false;
};

PlatformEvent::PlatformEvent(ResetMode mode, bool initiallySignalled)
    : mMode(mode), mSignalled(initiallySignalled) {}

PlatformEvent::~PlatformEvent() = default;

bool PlatformEvent::Set() {
  std::lock_guard<std::mutex> guard(mLock);
  mSignalled = true;
  mSignalChanged.notify_all();
  WakeAnyWaiters();
  return true;
}

bool PlatformEvent::Reset() {
  std::lock_guard<std::mutex> guard(mLock);
  mSignalled = false;
  return true;
}

WaitResult PlatformEvent::Wait(int32_t milliseconds) {
  const WaitDeadline deadline(milliseconds);
  std::unique_lock<std::mutex> lock(mLock);
  if (!deadline.WaitUntil(mSignalChanged, lock, [this] { return mSignalled; }))
    return WaitTimedOut;
  TryConsumeSignal();
  return WaitSignalled;
}

bool PlatformEvent::TryConsumeSignal() {
  if (!mSignalled)
    return false;
  if (mMode == ResetMode::Automatic)
    mSignalled = false;
  return true;
}

void PlatformEvent::WakeAnyWaiters() {
  for (AnyWaiter* waiter : mAnyWaiters) {
    std::lock_guard<std::mutex> guard(waiter->lock);
    waiter->wasPoked = true;
    waiter->poked.notify_one();
  }
}

bool PlatformEvent::TryConsume() {
  std::lock_guard<std::mutex> guard(mLock);
  return TryConsumeSignal();
}

void PlatformEvent::AddAnyWaiter(AnyWaiter* waiter) {
  std::lock_guard<std::mutex> guard(mLock);
  mAnyWaiters.push_back(waiter);
}

void PlatformEvent::RemoveAnyWaiter(AnyWaiter* waiter) {
  std::lock_guard<std::mutex> guard(mLock);
  mAnyWaiters.erase(std::find(mAnyWaiters.begin(), mAnyWaiters.end(), waiter));
}

WaitResult PlatformEvent::WaitAny(std::span<PlatformEvent* const> events, int32_t milliseconds) {
  if (events.empty() || events.size() > MaximumWaitAnyCount ||
      std::find(events.begin(), events.end(), nullptr) != events.end())
    return WaitFailed;
  const WaitDeadline deadline(milliseconds);
  // Registered before the first scan, so a signal given between two scans still
  // wakes this waiter.
  AnyWaiter waiter;
  for (PlatformEvent* event : events)
    event->AddAnyWaiter(&waiter);
  const WaitResult result = ScanUntilSignalled(events, deadline, waiter);
  for (PlatformEvent* event : events)
    event->RemoveAnyWaiter(&waiter);
  return result;
}

WaitResult PlatformEvent::ScanUntilSignalled(std::span<PlatformEvent* const> events,
                                             const WaitDeadline& deadline, AnyWaiter& waiter) {
  for (;;) {
    for (size_t index = 0; index < events.size(); ++index) {
      if (events[index]->TryConsume())
        return WaitSignalled + static_cast<WaitResult>(index);
    }
    std::unique_lock<std::mutex> lock(waiter.lock);
    if (!deadline.WaitUntil(waiter.poked, lock, [&waiter] { return waiter.wasPoked; }))
      return WaitTimedOut;
    waiter.wasPoked = false;
  }
}

}  // namespace SV::Platform
