#pragma once
#include "SVFramework/Midi/MidiComm.h"
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
// every change. A look lists the devices once per side and opens nothing: it never
// touches the ports others hold, so requests need not wait for it.
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

  // Whether the port manager lists one device of that name now (one name equal to
  // it, or only one containing it, as the port manager opens by name). Opens nothing.
  // Never for a port manager that cannot list devices (not an LMidiComm).
  static bool IsInputDevicePresent(const RCPtr<LMidiCommInterface>& portManager, const String& name);
  static bool IsOutputDevicePresent(const RCPtr<LMidiCommInterface>& portManager, const String& name);

  // Copies of the lists, for tests.
  Array<DeviceInfo> GetInputDevices() const;
  Array<DeviceInfo> GetOutputDevices() const;

private:
  enum class Side { Input, Output };

  explicit LMidiDeviceStatusChecker(RCPtr<LMidiCommInterface> portManager)
      : mPortManager(std::move(portManager)) {}

  // The devices of one side under the names the port manager opens them by (with
  // " (n)" numbering); false when it cannot list them.
  static bool ListDevices(const RCPtr<LMidiCommInterface>& portManager, Side side, StringArray& names);
  static bool IsListed(const StringArray& names, const String& name);
  void AppendNames(Array<DeviceInfo>& devices, const IIterable<String>& names, Side side);
  bool Check(Array<DeviceInfo>& devices, Side side, const char16_t* idText);

  mutable Mutex mLock;  // guards both lists; held for a whole check
  RCPtr<LMidiCommInterface> mPortManager;
  Array<DeviceInfo> mInputDevices;
  Array<DeviceInfo> mOutputDevices;
};

}  // namespace SV
