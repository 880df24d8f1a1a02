#include "DeviceControl/GeneratedCode/Engine/inc/DeviceInterface.h"

namespace SV {

using ParameterTable::ModuleKind;

RCPtr<LParameterizedModule> IDevice::GetChild(ModuleKind module, int32_t zoneIndex) {
  switch (module) {
    case ModuleKind::Keybed: return GetKeybed();
    case ModuleKind::CCValues: return GetCCValues();
    case ModuleKind::MidiChannels: return GetMidiChannels(zoneIndex);
  }
  return nullptr;
}

template <class Visit>
void IDevice::ForEachChild(Visit visit) {
  const struct {
    ModuleKind module;
    int32_t zoneIndex;
  } children[] = {{ModuleKind::Keybed, 0}, {ModuleKind::CCValues, 0}, {ModuleKind::MidiChannels, 0},
                  {ModuleKind::MidiChannels, 1}};
  for (const auto& child : children)
    if (RCPtr<LParameterizedModule> module = GetChild(child.module, child.zoneIndex))
      visit(*module, ParameterTable::RunStart(child.module, child.zoneIndex), child.zoneIndex);
}

void IDevice::SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) {
  LParameterizedModule::SetFirstParamID(parent, firstParamID, index);
  ForEachChild([&](LParameterizedModule& child, int32_t runStart, int32_t zoneIndex) {
    child.SetFirstParamID(this, firstParamID + runStart, zoneIndex);
  });
}

RCPtr<LParameterizedModule> IDevice::GetModuleForParamID(int32_t paramID) {
  const uint32_t offset = OffsetOf(paramID);
  if (offset >= static_cast<uint32_t>(ParameterTable::kParameterCount)) return nullptr;
  const ParameterTable::ParameterDefinition& row = ParameterTable::kParameters[offset];
  RCPtr<LParameterizedModule> child = GetChild(row.module, row.zoneIndex);
  return child ? child->GetModuleForParamID(paramID) : nullptr;
}

void IDevice::OnDeviceReady() {
  ForEachChild([](LParameterizedModule& child, int32_t, int32_t) { child.OnDeviceReady(); });
}

void IDevice::OnTreeSignal() {
  ForEachChild([](LParameterizedModule& child, int32_t, int32_t) { child.OnTreeSignal(); });
}

}  // namespace SV
