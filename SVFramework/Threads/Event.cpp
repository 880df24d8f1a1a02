#include "SVFramework/Threads/Event.h"

#include "Platform/Threads/PlatformEvent.h"

namespace SV {

using Platform::PlatformEvent;

Event::Event(bool autoReset)
    : mRecord(std::make_unique<PlatformEvent>(autoReset ? PlatformEvent::ResetMode::Automatic
                                                        : PlatformEvent::ResetMode::Manual)) {}

Event::~Event() = default;

bool Event::Set() {
  return mRecord->Set();
}

bool Event::Reset() {
  return mRecord->Reset();
}

int32_t Event::Wait(int32_t milliseconds) {
  return mRecord->Wait(milliseconds);
}

}  // namespace SV
