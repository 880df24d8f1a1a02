#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The payload of "NID_MIDI_INPUT_DEVICE_CONNECTION_STATUS_CHANGED" and
// "NID_MIDI_OUTPUT_DEVICE_CONNECTION_STATUS_CHANGED": the watched port name and
// whether the port appeared or vanished. Never changes once made; any thread reads it.
class LMidiDeviceConnectionStatusChangedNotification : public virtual LRefCountedObject {
public:
  enum Status : int32_t {
    Appeared = 0,
    Vanished = 1,
  };

  static RCPtr<LMidiDeviceConnectionStatusChangedNotification> Create(const String& portName, int32_t status);

  const String& GetPortName() const { return mPortName; }
  int32_t GetStatus() const { return mStatus; }
  // "<name> : 0" or "<name> : 1".
  String ToString() const override;

private:
  LMidiDeviceConnectionStatusChangedNotification(const String& portName, int32_t status)
      : mPortName(portName), mStatus(status) {}

  const String mPortName;
  const int32_t mStatus;
};

}  // namespace SV
