#pragma once
#include <cstdint>
#include <vector>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Threads/LEvent.h"

namespace SV {

// A fixed set of shared automatic-reset events that one thread waits on together.
// Any thread may signal the events; WaitAny is meant for one waiting thread.
class EventPool {
public:
  // `count` new events, none signalled; no events when the room for them cannot be
  // had.
  explicit EventPool(int32_t count);
  virtual ~EventPool();
  EventPool(const EventPool&) = delete;
  EventPool& operator=(const EventPool&) = delete;

  int32_t GetCount() const { return static_cast<int32_t>(mEvents.size()); }
  // The event of slot `index`; null outside the pool.
  RCPtr<LEvent> GetEvent(int32_t index) const;
  // Waits until any event is signalled and returns its index, consuming only that
  // event's signal (the lowest index when several are signalled); -1 on time-out,
  // failure or an empty pool.
  int32_t WaitAny(int32_t milliseconds);

private:
  std::vector<RCPtr<LEvent>> mEvents;
  std::vector<Platform::PlatformEvent*> mHandles;  // in the order of mEvents
};

}  // namespace SV
