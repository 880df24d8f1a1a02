#pragma once
#include <cstdint>
#include <memory>

#include "Platform/Threads/WaitResult.h"

namespace SV {

namespace Platform {
class PlatformEvent;
}

// One unnamed platform event. An automatic-reset event is cleared by the one wait
// that it releases; a manual-reset one stays signalled until Reset. Any thread may
// call any operation; the event must outlive every wait on it. Not copyable.
class Event {
public:
  // Manual-reset when `autoReset` is false; never signalled at the start.
  explicit Event(bool autoReset);
  virtual ~Event();
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  // True when the platform call succeeded.
  bool Set();
  bool Reset();
  // The platform wait result: Platform::WaitSignalled, WaitTimedOut or WaitFailed.
  // A negative time-out waits without limit.
  int32_t Wait(int32_t milliseconds);
  Platform::PlatformEvent* GetHandle() const { return mRecord.get(); }

private:
  std::unique_ptr<Platform::PlatformEvent> mRecord;
};

}  // namespace SV
