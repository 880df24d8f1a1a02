#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/SVResult.h"

namespace SV {

class ParamValues;

// Where the device communication interface hands the value sets that the device
// delivered; the model root implements it. Called on the device-communication
// thread.
class DeviceCommunicationReceiver {
public:
  virtual ~DeviceCommunicationReceiver() = default;
  virtual void ReceiveParamValues(const ParamValues& values) = 0;
  // A second road that the communication interface never takes.
  virtual SVRESULT ReceiveOther(int32_t a, int32_t b, int32_t c) = 0;
};

}  // namespace SV
