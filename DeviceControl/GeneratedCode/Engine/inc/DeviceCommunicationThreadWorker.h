#pragma once
#include "SVFramework/Threads/ThreadWorker.h"

namespace SV {

// The job of the device-communication thread: its argument is the device
// communication interface, whose queue of received value sets it drains.
class LDeviceCommunicationThreadWorker : public LThreadWorker {
public:
  static RCPtr<LDeviceCommunicationThreadWorker> Create() {
    return RCPtr<LDeviceCommunicationThreadWorker>(new LDeviceCommunicationThreadWorker);
  }
  // Drains when the argument is a device communication interface; 0.
  SVRESULT Run(const RCPtr<LRefCountedObject>& argument) override;
};

}  // namespace SV
