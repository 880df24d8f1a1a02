#include "SVFramework/ControlBase/PointParam.h"

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

String LPointParam::ToString() const { return String::FromFormat(u"point(%d, %d)", x, y); }

String LPointWithModifiersParam::ToString() const {
  String text = LPointParam::ToString();
  text += String::FromFormat(u"  modifiers: 0x%08x", modifiers);
  return text;
}

RCPtr<LPointWithModifiersParam> MakePointWithModifiersParam(PointT<int32_t> point, int32_t modifiers,
                                                            int32_t pointerIndex) {
  return RCPtr<LPointWithModifiersParam>(new LPointWithModifiersParam(point, modifiers, pointerIndex));
}

RCPtr<LMouseButtonParam> MakeMouseButtonParam(int32_t button, PointT<int32_t> point, int32_t modifiers,
                                              int32_t doubleClick, int32_t buttonsHeld, int32_t pointerIndex) {
  return RCPtr<LMouseButtonParam>(
      new LMouseButtonParam(button, point, modifiers, doubleClick, buttonsHeld, pointerIndex));
}

String LMouseWheelParam::ToString() const {
  static const char16_t* const kNames[] = {u"down", u"up", u"left", u"right"};
  String text = LPointWithModifiersParam::ToString();
  text += u"  direction: ";
  text += direction >= kDown && direction <= kRight ? kNames[direction] : u"unknown";
  return text;
}

RCPtr<LMouseWheelParam> MakeMouseWheelParam(PointT<int32_t> point, int32_t modifiers, int32_t direction) {
  return RCPtr<LMouseWheelParam>(new LMouseWheelParam(point, modifiers, direction));
}

}  // namespace SV
