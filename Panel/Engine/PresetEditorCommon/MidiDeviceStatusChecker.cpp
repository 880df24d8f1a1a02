#include "Panel/Engine/PresetEditorCommon/MidiDeviceStatusChecker.h"

#include "Panel/Engine/PresetEditorCommon/MidiDeviceConnectionStatusChangedNotification.h"
#include "SVFramework/notification/NotificationCenterManager.h"

namespace SV {

RCPtr<LMidiDeviceStatusChecker> LMidiDeviceStatusChecker::Create(RCPtr<LMidiCommInterface> portManager) {
  return RCPtr<LMidiDeviceStatusChecker>(new LMidiDeviceStatusChecker(std::move(portManager)));
}

void LMidiDeviceStatusChecker::SetInputDeviceNames(const IIterable<String>& names) {
  AppendNames(mInputDevices, names, &IsInputDevicePresent);
}

void LMidiDeviceStatusChecker::SetOutputDeviceNames(const IIterable<String>& names) {
  AppendNames(mOutputDevices, names, &IsOutputDevicePresent);
}

bool LMidiDeviceStatusChecker::CheckInputDevices() {
  return Check(mInputDevices, &IsInputDevicePresent, kInputStatusChangedID);
}

bool LMidiDeviceStatusChecker::CheckOutputDevices() {
  return Check(mOutputDevices, &IsOutputDevicePresent, kOutputStatusChangedID);
}

bool LMidiDeviceStatusChecker::IsInputDevicePresent(const RCPtr<LMidiCommInterface>& portManager,
                                                    const String& name) {
  if (!portManager) return false;
  RCPtr<LRefCountedObject> port;
  return portManager->OpenCapturePort(name, port) >= 0 && port;
}

bool LMidiDeviceStatusChecker::IsOutputDevicePresent(const RCPtr<LMidiCommInterface>& portManager,
                                                     const String& name) {
  if (!portManager) return false;
  RCPtr<LRefCountedObject> port;
  return portManager->OpenRenderPort(name, port) >= 0 && port;
}

Array<LMidiDeviceStatusChecker::DeviceInfo> LMidiDeviceStatusChecker::GetInputDevices() const {
  MutexLock lock(mLock);
  return mInputDevices;
}

Array<LMidiDeviceStatusChecker::DeviceInfo> LMidiDeviceStatusChecker::GetOutputDevices() const {
  MutexLock lock(mLock);
  return mOutputDevices;
}

void LMidiDeviceStatusChecker::AppendNames(Array<DeviceInfo>& devices, const IIterable<String>& names,
                                           PresenceLook isPresent) {
  MutexLock lock(mLock);
  for (const String& name : names) devices.Append(DeviceInfo{name, isPresent(mPortManager, name)});
}

bool LMidiDeviceStatusChecker::Check(Array<DeviceInfo>& devices, PresenceLook isPresent, const char16_t* idText) {
  MutexLock lock(mLock);
  const RCPtr<LNotificationCenter> center = GetApplicationNotificationCenter();
  bool allPresent = true;
  for (uint32_t index = 0; index < devices.GetCount(); ++index) {
    DeviceInfo& device = devices[index];
    const bool present = isPresent(mPortManager, device.name);
    if (present != device.connected) {
      device.connected = present;
      const int32_t status = present ? LMidiDeviceConnectionStatusChangedNotification::Appeared
                                     : LMidiDeviceConnectionStatusChangedNotification::Vanished;
      if (center) center->PostNotification(idText, LMidiDeviceConnectionStatusChangedNotification::Create(device.name, status));
    }
    allPresent = allPresent && device.connected;
  }
  return allPresent;
}

}  // namespace SV
