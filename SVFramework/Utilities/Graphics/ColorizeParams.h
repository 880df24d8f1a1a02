#pragma once
#include <cstdint>

#include "SVFramework/Utilities/Graphics/Color.h"
#include "SVFramework/Utilities/PointT.h"

namespace SV {

// What colorizing reads of a skin colorizer: its colour type (0 solid fill, 1 linear
// gradient, 2 radial gradient), its colour and gradient end colour and its two
// gradient points. The skin model's colorizer hands these over.
struct ColorizeParams {
  int32_t colorType = 0;
  Color color;
  Color endColor;
  PointT<float> start;
  PointT<float> end;

  // A gradient type whose two colours are equal is a solid fill.
  bool IsGradient() const { return colorType != 0 && !(color == endColor); }
};

}  // namespace SV
