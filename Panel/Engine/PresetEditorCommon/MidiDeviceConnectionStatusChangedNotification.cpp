#include "Panel/Engine/PresetEditorCommon/MidiDeviceConnectionStatusChangedNotification.h"

namespace SV {

RCPtr<LMidiDeviceConnectionStatusChangedNotification> LMidiDeviceConnectionStatusChangedNotification::Create(
    const String& portName, int32_t status) {
  return RCPtr<LMidiDeviceConnectionStatusChangedNotification>(
      new LMidiDeviceConnectionStatusChangedNotification(portName, status));
}

String LMidiDeviceConnectionStatusChangedNotification::ToString() const {
  return String::FromFormat(u"%s : %d", mPortName.GetString(), mStatus);
}

}  // namespace SV
