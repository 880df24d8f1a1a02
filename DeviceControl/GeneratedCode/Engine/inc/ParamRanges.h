#pragma once
#include <cstdint>

#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptor.h"
#include "SVFramework/Utilities/Storage/Variant.h"

namespace SV {

// A run of consecutive ParamIDs.
struct ParamRange {
  int32_t firstParamID = 0;
  int32_t count = 0;

  bool operator==(const ParamRange& other) const = default;
};

// Runs packed into one tagged value of tag 16; each element a packed array of two
// int32 values: [0] the first ParamID, [1] the number of IDs. Never raises; one
// thread at a time.
class ParamRanges : public Variant {
public:
  ParamRanges() = default;

  // One element per run, in order: -4 (content unchanged) for no runs or a count of
  // 0; E_FAIL when the list cannot be built; else 0.
  SVRESULT Set(const ParamRange* runs, uint32_t count);
  uint32_t GetCount() const { return GetArrayItemCount(); }
  // Element `index`: -4 with the run set to {-1, 0} for no list or an index beyond
  // the end; -7 (run unchanged) for an element that is not two values; else 0.
  SVRESULT GetAt(uint32_t index, ParamRange& run) const;
};

}  // namespace SV
