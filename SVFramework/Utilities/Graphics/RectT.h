#pragma once
#include <cstdint>
#include <type_traits>

#include "SVFramework/Utilities/PointT.h"

namespace SV {

// A rectangle as its origin and extent (x, y, width, height). Integer rectangles are
// RectT<int32_t>; control geometry is kept in doubles.
template <class T>
struct RectT {
  T x{};
  T y{};
  T width{};
  T height{};

  // The whole-pixel rectangle: each of x, y, width and height rounded half away from
  // zero and clamped to the 32-bit range (see RoundToInt32); this one is not changed.
  RectT<int32_t> ToIntRect() const
    requires std::is_floating_point_v<T>
  {
    return {RoundToInt32(x), RoundToInt32(y), RoundToInt32(width), RoundToInt32(height)};
  }

  friend bool operator==(const RectT&, const RectT&) = default;
};

}  // namespace SV
