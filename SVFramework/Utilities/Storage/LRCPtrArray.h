#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/TaggableObject.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"

namespace SV {

// An RCPtrArray that is itself a shared, tagged object, so that several holders can
// share one list. It is never copied on write: a holder that must not see another's
// changes builds its own list.
template <class T, uint32_t Growth = 1, uint32_t Slack = 0>
class LRCPtrArray : public RCPtrArray<T, Growth, Slack>, public LTaggableObject {
public:
  explicit LRCPtrArray(uint32_t count = 0, uint32_t capacity = 0) : RCPtrArray<T, Growth, Slack>(count, capacity) {}
  ~LRCPtrArray() override = default;
};

}  // namespace SV
