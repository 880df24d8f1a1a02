#pragma once
#include <array>
#include <cstdint>

#include "DeviceControl/GeneratedCode/Engine/inc/CCValues.h"
#include "DeviceControl/GeneratedCode/Engine/inc/DeviceInterface.h"
#include "DeviceControl/GeneratedCode/Engine/inc/Keybed.h"
#include "DeviceControl/GeneratedCode/Engine/inc/MidiChannels.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParameterTable.h"

namespace SV {

// The model's device module: creates and owns the keybed, the controller numbers and
// the two MIDI zones, hands them their ParamIDs and routes the preset's IDs to them.
// Owns no parameter (SetParamValueLocal and GetParamValueLocal raise the base logic
// errors). Made by the root; used inside the root's lock.
class LDevice final : public IDevice {
public:
  // A new device with its four leaves, none of them wired yet; first reference taken.
  static RCPtr<LDevice> Create();

  // Wires the children (which check their own offsets), then raises "Invalid
  // FirstParamID" unless this device's first ID is its root's.
  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override;

  using IDevice::GetCCValues;
  using IDevice::GetKeybed;
  using IDevice::GetMidiChannels;
  RCPtr<IKeybed> GetKeybed() override { return mKeybed; }
  RCPtr<ICCValues> GetCCValues() override { return mCCValues; }
  // Zone 0 or 1; null for any other index.
  RCPtr<IMidiChannels> GetMidiChannels(int32_t zoneIndex) override;

private:
  LDevice() = default;
  void CreateChildren();

  RCPtr<LKeybed> mKeybed;
  RCPtr<LCCValues> mCCValues;
  std::array<RCPtr<LMidiChannels>, ParameterTable::kZoneCount> mZones;
};

}  // namespace SV
