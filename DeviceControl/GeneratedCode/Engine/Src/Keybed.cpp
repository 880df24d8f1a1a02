#include "DeviceControl/GeneratedCode/Engine/inc/Keybed.h"

#include "SVFramework/ObjectBase/Exception.h"

namespace SV {

RCPtr<LKeybed> LKeybed::Create() {
  RCPtr<LKeybed> module(new LKeybed);
  module->CreateChildren();
  return module;
}

void LKeybed::SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) {
  LParameterizedModule::SetFirstParamID(parent, firstParamID, index);
  if (!HasRequiredOffset()) SV_RAISE(std::logic_error, "Invalid FirstParamID", "LKeybed::SetFirstParamID");
}

Variant LKeybed::GetParamValueDefault(int32_t paramID) {
  if (!IsInRun(paramID)) SV_RAISE(std::logic_error, "", "LKeybed::GetParamValueDefault");
  return DefaultFor(paramID);
}

Variant LKeybed::GetParamValueLocal(const ParamDescriptor& descriptor) {
  if (!IsInRun(descriptor.paramID)) SV_RAISE(std::logic_error, "", "LKeybed::GetParamValueLocal");
  return LParameterizedModule::GetParamValueLocal(descriptor);
}

SVRESULT LKeybed::SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value, bool fromDevice) {
  ParamDescriptor handedUp;
  Variant handedUpValue;
  SVRESULT result = S_OK;
  if (!PrepareLocalWrite(descriptor, value, fromDevice, handedUp, handedUpValue, result)) return result;
  if (!IsInRun(handedUp.paramID)) SV_RAISE(std::logic_error, "", "LKeybed::SetParamValueLocal");
  return LParameterizedModule::SetParamValueLocal(handedUp, handedUpValue, fromDevice);
}

}  // namespace SV
