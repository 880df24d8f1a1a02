#include "DeviceControl/GeneratedCode/Engine/inc/DeviceCommunicationThreadWorker.h"

#include "DeviceControl/GeneratedCode/Engine/inc/DeviceCommunicationInterface.h"

namespace SV {

SVRESULT LDeviceCommunicationThreadWorker::Run(const RCPtr<LRefCountedObject>& argument) {
  if (auto* communication = dynamic_cast<LDeviceCommunicationInterface*>(argument.Get()))
    communication->DrainReceivedValues();
  return S_OK;
}

}  // namespace SV
