#include "SVFramework/Threads/LEvent.h"

namespace SV {

RCPtr<LEvent> LEvent::Create(bool autoReset) {
  return RCPtr<LEvent>(new LEvent());
}

}  // namespace SV
