#include "DeviceControl/GeneratedCode/Engine/inc/RootModuleInterface.h"

#include "DeviceControl/GeneratedCode/Engine/inc/DeviceCommunicationInterface.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParameterTable.h"

namespace SV {

void IRootModule::SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) {
  LParameterizedModule::SetFirstParamID(parent, firstParamID, index);
  if (RCPtr<IDevice> device = GetDevice()) device->SetFirstParamID(this, firstParamID, 0);
}

RCPtr<LParameterizedModule> IRootModule::GetModuleForParamID(int32_t paramID) {
  if (OffsetOf(paramID) >= static_cast<uint32_t>(ParameterTable::kParameterCount)) return nullptr;
  RCPtr<IDevice> device = GetDevice();
  return device ? device->GetModuleForParamID(paramID) : nullptr;
}

void IRootModule::OnDeviceReady() {
  if (RCPtr<IDevice> device = GetDevice()) device->OnDeviceReady();
}

void IRootModule::OnTreeSignal() {
  if (RCPtr<IDevice> device = GetDevice()) device->OnTreeSignal();
}

RCPtr<LParameterizedModule> IRootModule::FindOwner(int32_t paramID) {
  if (IsSpecialID(paramID)) return GetSpecialModule(paramID);
  return paramID >= 0 ? GetModuleForParamID(paramID) : nullptr;
}

SVRESULT IRootModule::WriteThroughInterface(const ParamDescriptor& descriptor, const Variant& value,
                                            SVRESULT withoutInterface) {
  RCPtr<LDeviceCommunicationInterface> communication = GetCommunicationInterface();
  return communication ? communication->SetParamValue(descriptor, value) : withoutInterface;
}

SVRESULT IRootModule::WriteParamValue(const ParamDescriptor& descriptor, const Variant& value) {
  if (IsCacheMode()) return UpdateParamValue(descriptor, value);
  const int32_t id = descriptor.paramID;
  if (id < 0 && !IsSpecialID(id)) return WriteThroughInterface(descriptor, value, E_FAIL);
  SVRESULT local = E_FAIL;
  if (RCPtr<LParameterizedModule> owner = FindOwner(id)) local = owner->SetParamValueLocal(descriptor, value, false);
  return WriteThroughInterface(descriptor, value, local);
}

SVRESULT IRootModule::ReadParamValue(const ParamDescriptor& descriptor, Variant& value) {
  if (IsCacheMode()) {
    value = GetCachedParamValue(descriptor);
    return S_OK;
  }
  RCPtr<LParameterizedModule> owner = GetModuleForParamID(descriptor.paramID);
  if (!owner) {
    value.Empty();
    return E_FAIL;
  }
  value = owner->GetParamValueLocal(descriptor);
  return S_OK;
}

}  // namespace SV
