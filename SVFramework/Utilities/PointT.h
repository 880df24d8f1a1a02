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

// The magnitude from which on every double is a whole number (2^52): coordinates
// beyond it are treated as unbounded.
inline constexpr double kCoordinateLimit = 4503599627370496.0;

// Rounds half away from zero to a whole number; a value that is not finite gives 0.
inline double RoundHalfAway(double value) {
  if (!std::isfinite(value)) return 0;
  return value < 0 ? -std::floor(-value + 0.5) : std::floor(value + 0.5);
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

// The coordinate of a point along an axis: 0 x, 1 y.
inline double Axis(const PointT<double>& point, int32_t axis) { return axis == 0 ? point.x : point.y; }
inline double& Axis(PointT<double>& point, int32_t axis) { return axis == 0 ? point.x : point.y; }

}  // namespace SV
