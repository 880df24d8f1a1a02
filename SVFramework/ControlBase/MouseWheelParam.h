#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/PointParam.h"

namespace SV {

// One wheel step: the window point (not relative to the control that gets it), the
// modifier keys, the pointer index and the direction: 0 down, 1 up, 2 left, 3 right.
// Pooled: UI thread only.
class LMouseWheelParam : public LPointWithModifiersParam, public PooledObject<LMouseWheelParam, 4, false> {
public:
  using PooledObject<LMouseWheelParam, 4, false>::operator new;
  using PooledObject<LMouseWheelParam, 4, false>::operator delete;

  LMouseWheelParam(PointT<int32_t> point, int32_t modifierBits, int32_t wheelDirection)
      : LPointWithModifiersParam(point, modifierBits, 0), direction(wheelDirection) {}
  // The point and modifiers text followed by "  direction: down" (0) or "  direction: up".
  String ToString() const override;

  int32_t direction;
};

RCPtr<LMouseWheelParam> MakeMouseWheelParam(PointT<int32_t> point, int32_t modifiers, int32_t direction);

}  // namespace SV
