#include "DeviceControl/GeneratedCode/Engine/inc/PackedParamElement.h"

#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptor.h"

namespace SV::PackedParamElement {

SVRESULT Read(const Variant& list, uint32_t index, uint32_t width, Variant* members) {
  Variant element;
  if (index >= list.GetArrayItemCount() || list.GetArrayItem(index, element) < 0)
    return ParamListResult::NotAList;
  if (element.GetTag() != VariantTag::Array || element.GetArrayItemCount() != width)
    return ParamListResult::MalformedElement;
  for (uint32_t i = 0; i < width; ++i)
    if (element.GetArrayItem(i, members[i]) < 0) return ParamListResult::MalformedElement;
  return S_OK;
}

bool Build(const Variant* members, uint32_t width, Variant& element) {
  return element.SetArray(members, width) == VariantTag::Array;
}

bool Pack(const std::vector<Variant>& elements, Variant& list) {
  Variant packed;
  if (packed.SetArray(elements.data(), static_cast<uint32_t>(elements.size())) != VariantTag::Array) return false;
  list.Assign(packed);
  return true;
}

Variant MakeID(int32_t paramID) {
  Variant id;
  id.SetInt32(paramID);
  return id;
}

}  // namespace SV::PackedParamElement
