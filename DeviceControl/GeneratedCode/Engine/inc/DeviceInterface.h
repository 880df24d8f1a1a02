#pragma once
#include <cstdint>

#include "DeviceControl/GeneratedCode/Engine/inc/CCValuesInterface.h"
#include "DeviceControl/GeneratedCode/Engine/inc/KeybedInterface.h"
#include "DeviceControl/GeneratedCode/Engine/inc/MidiChannelsInterface.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParameterizedModule.h"

namespace SV {

// The device module of a parameter tree: owns no parameter itself, holds the keybed,
// the controller numbers and the MIDI zones, hands them their ParamIDs, routes every
// ID of the preset to its owner and passes broadcasts on. Implementations answer
// the three writable accessors with their children (or null); the shared ID
// assignment, routing and broadcasts go through them.
class IDevice : public LParameterizedModule {
public:
  using LParameterizedModule::GetModuleForParamID;

  // Stores the three, then wires each child the accessors return: with this device as
  // parent, at its run's offset from `firstParamID`, with its zone index.
  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override;
  // The owning leaf's answer for the ID's offset within the preset; null beyond it,
  // for a negative ID, or when that child is missing.
  RCPtr<LParameterizedModule> GetModuleForParamID(int32_t paramID) override;
  // Passed to the keybed, the controller numbers, zone 0 and zone 1, in that order.
  void OnDeviceReady() override;
  void OnTreeSignal() override;

  ConstRCPtr<IKeybed> GetKeybed() const { return const_cast<IDevice*>(this)->GetKeybed(); }
  virtual RCPtr<IKeybed> GetKeybed() = 0;
  ConstRCPtr<ICCValues> GetCCValues() const { return const_cast<IDevice*>(this)->GetCCValues(); }
  virtual RCPtr<ICCValues> GetCCValues() = 0;
  // Zone indexes are 0 and 1.
  ConstRCPtr<IMidiChannels> GetMidiChannels(int32_t zoneIndex) const {
    return const_cast<IDevice*>(this)->GetMidiChannels(zoneIndex);
  }
  virtual RCPtr<IMidiChannels> GetMidiChannels(int32_t zoneIndex) = 0;

protected:
  IDevice() : LParameterizedModule(0) {}

private:
  // The child that owns the parameter table's rows of this kind and zone.
  RCPtr<LParameterizedModule> GetChild(ParameterTable::ModuleKind module, int32_t zoneIndex);
  // The children in broadcast order; missing ones are null.
  template <class Visit> void ForEachChild(Visit visit);
};

}  // namespace SV
