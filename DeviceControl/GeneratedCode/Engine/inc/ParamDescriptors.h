#pragma once
#include <cstdint>

#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptor.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamRanges.h"
#include "SVFramework/Utilities/Storage/Variant.h"

namespace SV {

// Parameter identities packed into one tagged value of tag 16; each element a packed
// array of two values: [0] the ParamID (int32), [1] the sub-key. Never raises; one
// thread at a time.
class ParamDescriptors : public Variant {
public:
  // Most identities one expansion of runs produces; runs that add up to more give
  // the empty list, so a wild count cannot exhaust memory.
  static constexpr int64_t kMaxExpandedCount = 65536;

  ParamDescriptors() = default;
  // One element per ID of the run, ascending, each with an empty sub-key; a run of
  // count 0 or less gives the empty list.
  explicit ParamDescriptors(const ParamRange& run);

  uint32_t GetCount() const { return GetArrayItemCount(); }
  // Element `index` into the outputs, first emptied (ParamID -1): -4 for no list or an
  // index beyond the end, -7 for an element that is not two values; else 0.
  SVRESULT GetAt(uint32_t index, int32_t& paramID, Variant& subKey) const;
  // Every run of the list expanded in list order, each run's IDs ascending. 0; the
  // negative result of ParamRanges::GetAt for a malformed run, E_INVALIDARG when the
  // runs add up to more than kMaxExpandedCount (content unchanged either way).
  SVRESULT SetFromRanges(const ParamRanges& ranges);
  // One element per descriptor, in order: -4 (content unchanged) for no descriptors
  // or a count of 0; E_FAIL when the list cannot be built; else 0.
  SVRESULT SetFromArray(const ParamDescriptor* descriptors, uint32_t count);
};

}  // namespace SV
