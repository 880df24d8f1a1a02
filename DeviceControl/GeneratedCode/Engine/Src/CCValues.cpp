#include "DeviceControl/GeneratedCode/Engine/inc/CCValues.h"

#include "SVFramework/ObjectBase/Exception.h"

namespace SV {

RCPtr<LCCValues> LCCValues::Create() {
  RCPtr<LCCValues> module(new LCCValues);
  module->CreateChildren();
  return module;
}

void LCCValues::SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) {
  LParameterizedModule::SetFirstParamID(parent, firstParamID, index);
  if (!HasRequiredOffset()) SV_RAISE(std::logic_error, "Invalid FirstParamID", "LCCValues::SetFirstParamID");
}

Variant LCCValues::GetParamValueDefault(int32_t paramID) {
  if (!IsInRun(paramID)) SV_RAISE(std::logic_error, "", "LCCValues::GetParamValueDefault");
  return DefaultFor(paramID);
}

Variant LCCValues::GetParamValueLocal(const ParamDescriptor& descriptor) {
  if (!IsInRun(descriptor.paramID)) SV_RAISE(std::logic_error, "", "LCCValues::GetParamValueLocal");
  return LParameterizedModule::GetParamValueLocal(descriptor);
}

SVRESULT LCCValues::SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value, bool fromDevice) {
  ParamDescriptor handedUp;
  Variant handedUpValue;
  SVRESULT result = S_OK;
  if (!PrepareLocalWrite(descriptor, value, fromDevice, handedUp, handedUpValue, result)) return result;
  if (!IsInRun(handedUp.paramID)) SV_RAISE(std::logic_error, "", "LCCValues::SetParamValueLocal");
  return LParameterizedModule::SetParamValueLocal(handedUp, handedUpValue, fromDevice);
}

}  // namespace SV
