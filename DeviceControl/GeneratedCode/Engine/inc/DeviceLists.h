#pragma once
#include <cstdint>

#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/Utilities/Storage/Variant.h"

namespace SV {

// Whether two device lists hold equal devices in the same order.
inline bool SameDevices(const Array<Variant>& a, const Array<Variant>& b) {
  if (a.GetCount() != b.GetCount()) return false;
  for (uint32_t i = 0; i < a.GetCount(); ++i)
    if (!(a.GetAt(i) == b.GetAt(i))) return false;
  return true;
}

}  // namespace SV
