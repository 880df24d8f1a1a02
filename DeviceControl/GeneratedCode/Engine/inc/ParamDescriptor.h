#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/Utilities/Storage/Variant.h"

namespace SV {

// Results of the packed parameter lists besides success.
namespace ParamListResult {
// Not a packed list, too short, an index beyond the end, or absent input.
inline constexpr SVRESULT NotAList = -4;
// An element of the wrong shape.
inline constexpr SVRESULT MalformedElement = -7;
}  // namespace ParamListResult

// The identity of one value: a ParamID (negative IDs are pseudo-parameters that
// name device-level information) and a sub-key that tells apart several values held
// under one ParamID (empty for every value this system produces).
struct ParamDescriptor {
  ParamDescriptor() = default;
  // A descriptor with an empty sub-key.
  explicit ParamDescriptor(int32_t id) : paramID(id) {}
  ParamDescriptor(int32_t id, const Variant& key) : paramID(id), subKey(key) {}

  // Same ParamID and sub-keys equal by Variant equality.
  bool operator==(const ParamDescriptor& other) const {
    return paramID == other.paramID && subKey == other.subKey;
  }

  int32_t paramID = 0;
  Variant subKey;
};

// The ParamID as unsigned decimal text ("4294967294" for -2): the text form of a
// one-value change payload.
String ParamDescriptorToString(const ParamDescriptor& descriptor);

}  // namespace SV
