#pragma once
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/Utilities/Storage/PooledObject.h"

namespace SV {

// Payload of "NID_VALUE_CHANGE": the normalised value (0..1) and the value in the
// control's range. Made from a pool: UI thread only.
class LValueParam : public virtual LRefCountedObject, public PooledObject<LValueParam, 4, false> {
public:
  LValueParam(double normalized, double inRange) : normalizedValue(normalized), value(inRange) {}
  // "ValueParam = %lf" with the normalised value.
  String ToString() const override;

  double normalizedValue;
  double value;
};

RCPtr<LValueParam> MakeValueParam(double normalizedValue, double value);

}  // namespace SV
