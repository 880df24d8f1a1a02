#include "DeviceControl/GeneratedCode/Engine/inc/ParameterizedModule.h"

#include "SVFramework/ObjectBase/Exception.h"

namespace SV {

void LParameterizedModule::SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) {
  mParent = parent;
  mFirstParamID = firstParamID;
  mIndex = index;
}

ConstRCPtr<LParameterizedModule> LParameterizedModule::GetModuleForParamID(int32_t paramID) const {
  return const_cast<LParameterizedModule*>(this)->GetModuleForParamID(paramID);
}

RCPtr<LParameterizedModule> LParameterizedModule::GetModuleForParamID(int32_t) {
  return RCPtr<LParameterizedModule>(this);
}

SVRESULT LParameterizedModule::SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value, bool) {
  if (mOwnParamCount == 0) SV_RAISE(std::logic_error, "", "LParameterizedModule::SetParamValueLocal");
  return mParent ? mParent->SetParamValue(descriptor, value) : -1;
}

Variant LParameterizedModule::GetParamValueLocal(const ParamDescriptor& descriptor) {
  if (mOwnParamCount == 0) SV_RAISE(std::logic_error, "", "LParameterizedModule::GetParamValueLocal");
  return mParent ? mParent->GetParamValue(descriptor) : Variant();
}

SVRESULT LParameterizedModule::SetParamValue(const ParamDescriptor& descriptor, const Variant& value) {
  return mParent ? mParent->SetParamValue(descriptor, value) : -1;
}

Variant LParameterizedModule::GetParamValue(const ParamDescriptor& descriptor) {
  return mParent ? mParent->GetParamValue(descriptor) : Variant();
}

Variant LParameterizedModule::GetParamValueDefault(int32_t) { return Variant(); }

void LParameterizedModule::PostToRoot(int32_t a, int32_t b, int32_t c, int32_t d) {
  if (mParent) mParent->RelayToRoot(a, b, c, d);
}

void LParameterizedModule::RelayToRoot(int32_t a, int32_t b, int32_t c, int32_t d) {
  if (mParent) mParent->RelayToRoot(a, b, c, d);
}

SVRESULT LParameterizedModule::UpdateParamValue(const ParamDescriptor& descriptor, const Variant& value) {
  return mParent ? mParent->UpdateParamValue(descriptor, value) : E_FAIL;
}

Variant LParameterizedModule::GetCachedParamValue(const ParamDescriptor& descriptor) {
  return mParent ? mParent->GetCachedParamValue(descriptor) : Variant();
}

RCPtr<LParameterizedModule> LParameterizedModule::GetRoot() {
  LParameterizedModule* top = this;
  while (top->mParent) top = top->mParent;
  return RCPtr<LParameterizedModule>(top);
}

}  // namespace SV
