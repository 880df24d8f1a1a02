#pragma once
#include <cstdint>

#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptor.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamValue.h"
#include "SVFramework/Utilities/Storage/Variant.h"

namespace SV {

// A set of parameter values packed into one tagged value of tag 16, so that it can
// cross the boundary of the device-control library as one self-describing block.
// Each element is a packed array of exactly three values: [0] the value, [1] the
// ParamID (stored as int32, read through the 32-bit getter), [2] the sub-key.
// Never raises: malformed input is reported as ParamListResult::NotAList (-4) or
// ParamListResult::MalformedElement (-7). One thread at a time, like every Variant.
class ParamValues : public Variant {
public:
  ParamValues() = default;

  // The number of elements; 0 for anything but a packed array.
  uint32_t GetCount() const { return GetArrayItemCount(); }
  // Element `index` into the three outputs, which are first emptied (the ParamID set
  // to -1). -4 for no list or an index beyond the end, -7 for an element that is not
  // a packed array of exactly three values; 0 otherwise.
  SVRESULT GetAt(uint32_t index, Variant& value, int32_t& paramID, Variant& subKey) const;
  // The first element with the descriptor's ParamID and sub-key: 0 and its value; 1
  // and an empty value when there is none; a negative result of GetAt (value empty)
  // when an element before it is malformed.
  SVRESULT Find(const ParamDescriptor& descriptor, Variant& value) const;
  // Inserts or replaces the descriptor's element, keeping the list ordered by ParamID
  // and then by sub-key. 1 when an equal value is there already (nothing changes),
  // 0 when the list changed, the negative result of GetAt for a malformed element
  // (nothing changes), E_FAIL when the new list cannot be built.
  SVRESULT SetValue(const ParamDescriptor& descriptor, const Variant& value);
  // One element per entry, in order. -4 (content unchanged) for no entries or a count
  // of 0; E_FAIL (content unchanged) when the list cannot be built; else 0.
  SVRESULT SetFromArray(const ParamValue* values, uint32_t count);
  // Exactly one element; 0, or E_FAIL when the list cannot be built.
  SVRESULT SetSingleValue(const ParamDescriptor& descriptor, const Variant& value);
};

}  // namespace SV
