#include "DeviceControl/GeneratedCode/Engine/inc/ParamCache.h"

#include "DeviceControl/GeneratedCode/Engine/inc/ParamValues.h"

namespace SV {

SVRESULT LParamCache::SetValue(const ParamDescriptor& descriptor, const Variant& value, bool notify) {
  const auto offset = static_cast<uint32_t>(descriptor.paramID);
  if (offset >= GetCount()) return -1;
  if (!descriptor.subKey.IsEmpty()) return SetSubKeyValue(offset, descriptor, value, notify);
  Variant& slot = mValues[offset];
  if (slot == value) return S_FALSE;
  slot.Assign(value);
  if (notify) OnValueStored(offset, slot);
  return S_OK;
}

SVRESULT LParamCache::SetSubKeyValue(uint32_t offset, const ParamDescriptor& descriptor, const Variant& value,
                                     bool notify) {
  ParamValues list;
  list.Assign(mValues[offset]);
  const SVRESULT result = list.SetValue(descriptor, value);
  if (result == S_FALSE) return S_FALSE;
  if (result != S_OK) return -1;
  mValues[offset].Assign(list);
  if (notify) OnValueStored(offset, list);
  return S_OK;
}

SVRESULT LParamCache::GetValue(const ParamDescriptor& descriptor, Variant& value) const {
  value.Empty();
  const auto offset = static_cast<uint32_t>(descriptor.paramID);
  if (offset >= GetCount()) return -1;
  if (descriptor.subKey.IsEmpty()) {
    value.Assign(mValues[offset]);
    return S_OK;
  }
  ParamValues list;
  list.Assign(mValues[offset]);
  return list.Find(descriptor, value);
}

}  // namespace SV
