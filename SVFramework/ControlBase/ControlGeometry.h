#pragma once
#include <cmath>
#include <cstdint>

#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/PointT.h"

namespace SV {

// Whole-pixel conversions of control geometry. Rounding is half away from zero and
// saturates to the 32-bit range; a coordinate that is not a number gives the lowest.
inline PointT<int32_t> RoundToLongPoint(PointT<double> point) { return point.ToIntPoint(); }

inline double ClampToExactDouble(double value) {
  constexpr double kLimit = 4503599627370496.0;
  return value < -kLimit ? -kLimit : (value > kLimit ? kLimit : value);
}

inline PointT<double> ToDoublePoint(PointT<int32_t> point) {
  return {ClampToExactDouble(point.x), ClampToExactDouble(point.y)};
}

inline RectT<double> ToDoubleRect(const RectT<int32_t>& rect) {
  return {ClampToExactDouble(rect.x), ClampToExactDouble(rect.y), ClampToExactDouble(rect.width),
          ClampToExactDouble(rect.height)};
}

// `point` moved by `offset` rounded to whole pixels.
inline PointT<int32_t> OffsetLongPoint(PointT<int32_t> point, PointT<double> offset) {
  const PointT<int32_t> rounded = RoundToLongPoint(offset);
  return {static_cast<int32_t>(int64_t{point.x} + rounded.x), static_cast<int32_t>(int64_t{point.y} + rounded.y)};
}

// Rounds both coordinates half away from zero, in place.
inline void RoundPointInPlace(PointT<double>& point) {
  point.x = static_cast<double>(std::llround(point.x));
  point.y = static_cast<double>(std::llround(point.y));
}

}  // namespace SV
