#include "Panel/Engine/PresetEditorCommon/MidiDeviceStatusChecker.h"

#include "Panel/Engine/PresetEditorCommon/MidiDeviceConnectionStatusChangedNotification.h"
#include "Platform/Midi/MidiServices.h"
#include "SVFramework/Midi/MidiPortNames.h"
#include "SVFramework/notification/NotificationCenterManager.h"

namespace SV {

RCPtr<LMidiDeviceStatusChecker> LMidiDeviceStatusChecker::Create(RCPtr<LMidiCommInterface> portManager) {
  return RCPtr<LMidiDeviceStatusChecker>(new LMidiDeviceStatusChecker(std::move(portManager)));
}

void LMidiDeviceStatusChecker::SetInputDeviceNames(const IIterable<String>& names) {
  AppendNames(mInputDevices, names, Side::Input);
}

void LMidiDeviceStatusChecker::SetOutputDeviceNames(const IIterable<String>& names) {
  AppendNames(mOutputDevices, names, Side::Output);
}

bool LMidiDeviceStatusChecker::CheckInputDevices() {
  return Check(mInputDevices, Side::Input, kInputStatusChangedID);
}

bool LMidiDeviceStatusChecker::CheckOutputDevices() {
  return Check(mOutputDevices, Side::Output, kOutputStatusChangedID);
}

bool LMidiDeviceStatusChecker::IsInputDevicePresent(const RCPtr<LMidiCommInterface>& portManager,
                                                    const String& name) {
  StringArray names;
  return ListDevices(portManager, Side::Input, names) && IsListed(names, name);
}

bool LMidiDeviceStatusChecker::IsOutputDevicePresent(const RCPtr<LMidiCommInterface>& portManager,
                                                     const String& name) {
  StringArray names;
  return ListDevices(portManager, Side::Output, names) && IsListed(names, name);
}

// Takes no lock of the port manager and leaves its device numbers alone, so a look
// never holds up a reply on its way in or an open on another thread.
bool LMidiDeviceStatusChecker::ListDevices(const RCPtr<LMidiCommInterface>& portManager, Side side,
                                           StringArray& names) {
  const RCPtr<LMidiComm> lister = RCPtr<LMidiComm>::DynamicCastFrom(portManager);
  if (!lister) return false;
  ::Platform::Midi::MidiServices& services = lister->GetServices();
  const std::vector<std::u16string> products =
      side == Side::Input ? services.MidiInListDevices() : services.MidiOutListDevices();
  StringArray listed;
  for (const std::u16string& product : products) listed.Append(String(product.c_str()));
  names = MakeUniqueNames(listed);
  return true;
}

bool LMidiDeviceStatusChecker::IsListed(const StringArray& names, const String& name) {
  int32_t position = -1;
  return LMidiComm::CountNameMatches(names, name, position) == 1;
}

Array<LMidiDeviceStatusChecker::DeviceInfo> LMidiDeviceStatusChecker::GetInputDevices() const {
  MutexLock lock(mLock);
  return mInputDevices;
}

Array<LMidiDeviceStatusChecker::DeviceInfo> LMidiDeviceStatusChecker::GetOutputDevices() const {
  MutexLock lock(mLock);
  return mOutputDevices;
}

void LMidiDeviceStatusChecker::AppendNames(Array<DeviceInfo>& devices, const IIterable<String>& names, Side side) {
  MutexLock lock(mLock);
  StringArray listed;
  const bool canList = ListDevices(mPortManager, side, listed);
  for (const String& name : names) devices.Append(DeviceInfo{name, canList && IsListed(listed, name)});
}

bool LMidiDeviceStatusChecker::Check(Array<DeviceInfo>& devices, Side side, const char16_t* idText) {
  MutexLock lock(mLock);
  StringArray listed;
  const bool canList = ListDevices(mPortManager, side, listed);
  const RCPtr<LNotificationCenter> center = GetApplicationNotificationCenter();
  bool allPresent = true;
  for (uint32_t index = 0; index < devices.GetCount(); ++index) {
    DeviceInfo& device = devices[index];
    const bool present = canList && IsListed(listed, device.name);
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
