#pragma once
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Threads/Event.h"

namespace SV {

// A shared automatic-reset event, held through RCPtr by a threader and its owner
// alike. Any thread may signal or wait on it.
class LEvent : public virtual LRefCountedObject, public Event {
public:
  // A new event, not signalled. The event is always automatic-reset; the flag is
  // accepted for the callers that pass one and otherwise ignored.
  static RCPtr<LEvent> Create(bool autoReset = true);

private:
  LEvent() : Event(true) {}
};

}  // namespace SV
