#pragma once
#include "SVFramework/Midi/MidiCommInterface.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Threads/Mutex.h"
#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/Utilities/Storage/Iterable.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// Watches MIDI ports by name: keeps the input and output names to watch with the
// presence found by the last look, and on each check looks again through the port
// manager, posting "NID_MIDI_INPUT_DEVICE_CONNECTION_STATUS_CHANGED" or
// "NID_MIDI_OUTPUT_DEVICE_CONNECTION_STATUS_CHANGED" (payload
// LMidiDeviceConnectionStatusChangedNotification) to the "application" center for
// every change.
// Thread rules: any thread; the operations run one at a time (a check on the
// polling thread and one on the UI thread never overlap).
class LMidiDeviceStatusChecker : public virtual LRefCountedObject {
public:
  static constexpr const char16_t* kInputStatusChangedID = u"NID_MIDI_INPUT_DEVICE_CONNECTION_STATUS_CHANGED";
  static constexpr const char16_t* kOutputStatusChangedID = u"NID_MIDI_OUTPUT_DEVICE_CONNECTION_STATUS_CHANGED";

  // A watched name and its presence at the last look.
  struct DeviceInfo {
    String name;
    bool connected = false;
  };

  // A checker with empty lists on the port manager (which may be null: nothing is
  // then ever present).
  static RCPtr<LMidiDeviceStatusChecker> Create(RCPtr<LMidiCommInterface> portManager);

  // Appends each name to the watched inputs (outputs) with its presence now; the
  // list is not cleared first, and nothing is posted for this first look.
  void SetInputDeviceNames(const IIterable<String>& names);
  void SetOutputDeviceNames(const IIterable<String>& names);

  // Looks at every watched input (output) again, in order, and posts one
  // notification per change (status 0 appeared, 1 vanished). True when every
  // watched port is present after the look, also for an empty list.
  bool CheckInputDevices();
  bool CheckOutputDevices();

  // Whether a port of that name can be found open or opened now. A port opened only
  // for the look is closed again at once.
  static bool IsInputDevicePresent(const RCPtr<LMidiCommInterface>& portManager, const String& name);
  static bool IsOutputDevicePresent(const RCPtr<LMidiCommInterface>& portManager, const String& name);

  // Copies of the lists, for tests.
  Array<DeviceInfo> GetInputDevices() const;
  Array<DeviceInfo> GetOutputDevices() const;

private:
  using PresenceLook = bool (*)(const RCPtr<LMidiCommInterface>&, const String&);

  explicit LMidiDeviceStatusChecker(RCPtr<LMidiCommInterface> portManager)
      : mPortManager(std::move(portManager)) {}

  void AppendNames(Array<DeviceInfo>& devices, const IIterable<String>& names, PresenceLook isPresent);
  bool Check(Array<DeviceInfo>& devices, PresenceLook isPresent, const char16_t* idText);

  mutable Mutex mLock;  // guards both lists; held for a whole check
  RCPtr<LMidiCommInterface> mPortManager;
  Array<DeviceInfo> mInputDevices;
  Array<DeviceInfo> mOutputDevices;
};

}  // namespace SV
