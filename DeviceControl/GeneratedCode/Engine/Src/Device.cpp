#include "DeviceControl/GeneratedCode/Engine/inc/Device.h"

#include "SVFramework/ObjectBase/Exception.h"

namespace SV {

RCPtr<LDevice> LDevice::Create() {
  RCPtr<LDevice> device(new LDevice);
  device->CreateChildren();
  return device;
}

void LDevice::CreateChildren() {
  mKeybed = LKeybed::Create();
  mCCValues = LCCValues::Create();
  for (RCPtr<LMidiChannels>& zone : mZones) zone = LMidiChannels::Create();
}

void LDevice::SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) {
  IDevice::SetFirstParamID(parent, firstParamID, index);
  if (GetFirstParamID() != GetRoot()->GetFirstParamID())
    SV_RAISE(std::logic_error, "Invalid FirstParamID", "LDevice::SetFirstParamID");
}

RCPtr<IMidiChannels> LDevice::GetMidiChannels(int32_t zoneIndex) {
  if (zoneIndex < 0 || zoneIndex >= ParameterTable::kZoneCount) return nullptr;
  return mZones[static_cast<size_t>(zoneIndex)];
}

}  // namespace SV
