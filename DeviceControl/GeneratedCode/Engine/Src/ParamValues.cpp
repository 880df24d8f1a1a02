#include "DeviceControl/GeneratedCode/Engine/inc/ParamValues.h"

#include <vector>

#include "DeviceControl/GeneratedCode/Engine/inc/PackedParamElement.h"

namespace SV {

namespace {

constexpr uint32_t kMembersPerValue = 3;

// Whether `entry` belongs before the descriptor in the list order.
bool SortsBefore(const ParamValue& entry, const ParamDescriptor& descriptor) {
  if (entry.descriptor.paramID != descriptor.paramID) return entry.descriptor.paramID < descriptor.paramID;
  return entry.descriptor.subKey < descriptor.subKey;
}

}  // namespace

SVRESULT ParamValues::GetAt(uint32_t index, Variant& value, int32_t& paramID, Variant& subKey) const {
  value.Empty();
  subKey.Empty();
  paramID = -1;
  Variant members[kMembersPerValue];
  const SVRESULT result = PackedParamElement::Read(*this, index, kMembersPerValue, members);
  if (result < 0) return result;
  value.Assign(members[0]);
  paramID = members[1].GetInt32();
  subKey.Assign(members[2]);
  return S_OK;
}

SVRESULT ParamValues::Find(const ParamDescriptor& descriptor, Variant& value) const {
  const uint32_t count = GetCount();
  for (uint32_t i = 0; i < count; ++i) {
    ParamValue entry;
    const SVRESULT result = GetAt(i, entry.value, entry.descriptor.paramID, entry.descriptor.subKey);
    if (result < 0) {
      value.Empty();
      return result;
    }
    if (entry.descriptor == descriptor) {
      value.Assign(entry.value);
      return S_OK;
    }
  }
  value.Empty();
  return S_FALSE;
}

SVRESULT ParamValues::SetValue(const ParamDescriptor& descriptor, const Variant& value) {
  const uint32_t count = GetCount();
  std::vector<ParamValue> entries(count);
  bool replaced = false;
  for (uint32_t i = 0; i < count; ++i) {
    ParamValue& entry = entries[i];
    const SVRESULT result = GetAt(i, entry.value, entry.descriptor.paramID, entry.descriptor.subKey);
    if (result < 0) return result;
    if (!replaced && entry.descriptor == descriptor) {
      if (entry.value == value) return S_FALSE;
      entry.value.Assign(value);
      replaced = true;
    }
  }
  if (!replaced) {
    auto place = entries.begin();
    while (place != entries.end() && SortsBefore(*place, descriptor)) ++place;
    entries.insert(place, ParamValue(descriptor, value));
  }
  const SVRESULT built = SetFromArray(entries.data(), static_cast<uint32_t>(entries.size()));
  return built < 0 ? E_FAIL : S_OK;
}

SVRESULT ParamValues::SetFromArray(const ParamValue* values, uint32_t count) {
  if (!values || count == 0) return ParamListResult::NotAList;
  std::vector<Variant> elements(count);
  for (uint32_t i = 0; i < count; ++i) {
    const Variant members[kMembersPerValue] = {
        values[i].value, PackedParamElement::MakeID(values[i].descriptor.paramID), values[i].descriptor.subKey};
    if (!PackedParamElement::Build(members, kMembersPerValue, elements[i])) return E_FAIL;
  }
  return PackedParamElement::Pack(elements, *this) ? S_OK : E_FAIL;
}

SVRESULT ParamValues::SetSingleValue(const ParamDescriptor& descriptor, const Variant& value) {
  const ParamValue entry(descriptor, value);
  return SetFromArray(&entry, 1) < 0 ? E_FAIL : S_OK;
}

}  // namespace SV
