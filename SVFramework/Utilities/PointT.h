#pragma once
#include <cmath>
#include <cstdint>
#include <type_traits>

namespace SV {

// Rounds a double to a whole pixel: half away from zero, clamped to the 32-bit
// range; a value that is not a number gives the lowest value.
inline int32_t RoundToInt32(double value) {
  if (!(value >= -2147483648.0)) return INT32_MIN;
  if (value > 2147483647.0) return INT32_MAX;
  const double rounded = value < 0 ? value - 0.5 : value + 0.5;
  if (rounded <= -2147483648.0) return INT32_MIN;
  if (rounded >= 2147483647.0) return INT32_MAX;
  return static_cast<int32_t>(rounded);
}

template <class T>
struct PointT {
  T x{};
  T y{};

  // The nearest whole-pixel point (see RoundToInt32); this point is not changed.
  PointT<int32_t> ToIntPoint() const
    requires std::is_floating_point_v<T>
  {
    return {RoundToInt32(x), RoundToInt32(y)};
  }

  friend bool operator==(const PointT&, const PointT&) = default;
};

}  // namespace SV
