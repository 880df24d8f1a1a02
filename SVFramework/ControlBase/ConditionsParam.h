#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/Utilities/PointT.h"
#include "SVFramework/Utilities/Storage/PooledObject.h"

namespace SV {

// Payload of "NID_CONDITION_CHANGE": the conditions word before and after, and the
// point of the event that changed it. Each control keeps one and reuses it. Pooled:
// UI thread only.
class LConditionsParam : public virtual LRefCountedObject, public PooledObject<LConditionsParam, 4, false> {
public:
  LConditionsParam(uint32_t before, uint32_t now, PointT<double> where)
      : previous(before), current(now), point(where) {}
  // "(%g, %g)" with the point.
  String ToString() const override;

  uint32_t previous;
  uint32_t current;
  PointT<double> point;
};

RCPtr<LConditionsParam> MakeConditionsParam(uint32_t previous, uint32_t current, PointT<double> point);

}  // namespace SV
