#include "SVFramework/ControlBase/Colorizer.h"

namespace SV {

LColorizer::LColorizer(const String& name, const Values& values)
    : Name(name),
      ColorType(values.type),
      ColorValue(values.color),
      GradientEndColor(values.gradientEndColor),
      GradientStartX(values.gradientStartX),
      GradientStartY(values.gradientStartY),
      GradientEndX(values.gradientEndX),
      GradientEndY(values.gradientEndY) {}

RCPtr<LColorizer> LColorizer::Create(const String& name, const Values& values) {
  return RCPtr<LColorizer>(new LColorizer(name, values));
}

ColorizeParams LColorizer::GetColorizeParams() const {
  ColorizeParams params;
  params.colorType = static_cast<int32_t>(ColorType);
  params.color = ColorValue;
  params.endColor = GradientEndColor;
  params.start = {GradientStartX, GradientStartY};
  params.end = {GradientEndX, GradientEndY};
  return params;
}

}  // namespace SV
