#include "SVFramework/ControlBase/MouseWheelParam.h"

namespace SV {

String LMouseWheelParam::ToString() const {
  String text = LPointWithModifiersParam::ToString();
  text += direction == 0 ? u"  direction: down" : u"  direction: up";
  return text;
}

RCPtr<LMouseWheelParam> MakeMouseWheelParam(PointT<int32_t> point, int32_t modifiers, int32_t direction) {
  return RCPtr<LMouseWheelParam>(new LMouseWheelParam(point, modifiers, direction));
}

}  // namespace SV
