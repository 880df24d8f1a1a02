#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/Graphics/Region.h"
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

// The smallest width or height a rectangle needs to count as an area.
inline constexpr double kMinimumExtent = 2.220446049250313e-16;

inline bool HasArea(const RectT<double>& rect) { return rect.width > kMinimumExtent && rect.height > kMinimumExtent; }

// out = the overlap of a and b (larger left and top, smaller right and bottom; the size
// may come out zero or negative); true when it has an area.
inline bool IntersectDoubleRects(RectT<double>& out, const RectT<double>& a, const RectT<double>& b) {
  const double left = std::max(a.x, b.x), top = std::max(a.y, b.y);
  const double right = std::min(a.x + a.width, b.x + b.width), bottom = std::min(a.y + a.height, b.y + b.height);
  out = {left, top, right - left, bottom - top};
  return HasArea(out);
}

// Whether two rectangles overlap, edges that only touch excluded.
inline bool RectsOverlap(const RectT<double>& a, const RectT<double>& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// Adds the rectangle to the region, each edge rounded to a whole pixel (half up).
inline void AddDoubleRectToRegion(Region& region, const RectT<double>& rect) {
  const int32_t left = static_cast<int32_t>(std::trunc(rect.x + 0.5));
  const int32_t top = static_cast<int32_t>(std::trunc(rect.y + 0.5));
  region.AddRect({left, top, left + static_cast<int32_t>(std::trunc(rect.width + 0.5)),
                  top + static_cast<int32_t>(std::trunc(rect.height + 0.5))});
}

}  // namespace SV
