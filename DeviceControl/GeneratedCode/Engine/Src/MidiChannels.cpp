#include "DeviceControl/GeneratedCode/Engine/inc/MidiChannels.h"

#include "SVFramework/ObjectBase/Exception.h"

namespace SV {

RCPtr<LMidiChannels> LMidiChannels::Create() {
  RCPtr<LMidiChannels> module(new LMidiChannels);
  module->CreateChildren();
  return module;
}

void LMidiChannels::SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) {
  LParameterizedModule::SetFirstParamID(parent, firstParamID, index);
  if (!HasRequiredOffset()) SV_RAISE(std::logic_error, "Invalid FirstParamID", "LMidiChannels::SetFirstParamID");
}

Variant LMidiChannels::GetParamValueDefault(int32_t paramID) {
  if (!IsInRun(paramID)) SV_RAISE(std::logic_error, "", "LMidiChannels::GetParamValueDefault");
  return DefaultFor(paramID);
}

Variant LMidiChannels::GetParamValueLocal(const ParamDescriptor& descriptor) {
  if (!IsInRun(descriptor.paramID)) SV_RAISE(std::logic_error, "", "LMidiChannels::GetParamValueLocal");
  return LParameterizedModule::GetParamValueLocal(descriptor);
}

SVRESULT LMidiChannels::SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value, bool fromDevice) {
  ParamDescriptor handedUp;
  Variant handedUpValue;
  SVRESULT result = S_OK;
  if (!PrepareLocalWrite(descriptor, value, fromDevice, handedUp, handedUpValue, result)) return result;
  if (!IsInRun(handedUp.paramID)) SV_RAISE(std::logic_error, "", "LMidiChannels::SetParamValueLocal");
  return LParameterizedModule::SetParamValueLocal(handedUp, handedUpValue, fromDevice);
}

}  // namespace SV
