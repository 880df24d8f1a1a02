#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Graphics/Color.h"
#include "SVFramework/Utilities/Graphics/ColorizeParams.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

enum class ColorizerType : int32_t { SolidFill = 0, LinearGradient = 1, RadialGradient = 2 };

// One colorizer of the skin: a solid colour, or a linear or radial gradient from its
// colour to an end colour between two points (all zero for a solid fill).
// Immutable after loading; shared freely.
class LColorizer : public virtual LRefCountedObject {
public:
  struct Values {
    ColorizerType type = ColorizerType::SolidFill;
    Color color;
    Color gradientEndColor;
    float gradientStartX = 0.0f;
    float gradientStartY = 0.0f;
    float gradientEndX = 0.0f;
    float gradientEndY = 0.0f;
  };

  static RCPtr<LColorizer> Create(const String& name, const Values& values);
  // What bitmap colorizing reads of this colorizer.
  ColorizeParams GetColorizeParams() const;
  // A gradient type whose two colours differ; a gradient of one colour is a solid fill.
  bool IsGradient() const { return GetColorizeParams().IsGradient(); }

  String Name;
  ColorizerType ColorType = ColorizerType::SolidFill;
  Color ColorValue;
  Color GradientEndColor;
  float GradientStartX = 0.0f;
  float GradientStartY = 0.0f;
  float GradientEndX = 0.0f;
  float GradientEndY = 0.0f;

protected:
  LColorizer(const String& name, const Values& values);
};

}  // namespace SV
