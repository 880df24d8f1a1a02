#include "SVFramework/Threads/EventPool.h"

#include <new>

#include "Platform/Threads/PlatformEvent.h"

namespace SV {

EventPool::EventPool(int32_t count) {
  if (count <= 0)
    return;
  try {
    mHandles.reserve(static_cast<size_t>(count));
    mEvents.reserve(static_cast<size_t>(count));
    for (int32_t index = 0; index < count; ++index) {
      mEvents.push_back(LEvent::Create(true));
      mHandles.push_back(mEvents.back()->GetHandle());
    }
  } catch (const std::bad_alloc&) {
    mHandles.clear();
    mEvents.clear();
  }
}

EventPool::~EventPool() = default;

RCPtr<LEvent> EventPool::GetEvent(int32_t index) const {
  if (index < 0 || index >= GetCount())
    return RCPtr<LEvent>();
  return mEvents[static_cast<size_t>(index)];
}

int32_t EventPool::WaitAny(int32_t milliseconds) {
  const Platform::WaitResult result = Platform::PlatformEvent::WaitAny(mHandles, milliseconds);
  if (result < Platform::WaitSignalled || result >= Platform::WaitSignalled + GetCount())
    return -1;
  return result - Platform::WaitSignalled;
}

}  // namespace SV
