#include "SVFramework/ControlBase/PixelRounding.h"

#include <cmath>
#include <cstdint>

namespace SV {

namespace {

// From 2^52 on every double is whole; below it the int64 conversion cannot overflow.
constexpr double kWholeFrom = 4503599627370496.0;
constexpr double kRelativeEpsilon = 2.220446049250313e-16;

bool CarriesAFraction(double value) { return std::fabs(value) < kWholeFrom; }

double TruncateToInteger(double value) { return static_cast<double>(static_cast<int64_t>(value)); }

// Floor that counts a value less than one relative epsilon below an integer as that integer.
double FloorWithTolerance(double value) {
  if (!CarriesAFraction(value)) return value;
  if (value >= 0) return TruncateToInteger(value + value * kRelativeEpsilon);
  return TruncateToInteger(value - (value * kRelativeEpsilon + 1.0));
}

// Rounds the four edges of the rectangle and takes the extent between them.
template <class Round>
void RoundEdges(RectT<double>& rect, Round round) {
  const double right = round(rect.x + rect.width);
  const double bottom = round(rect.y + rect.height);
  rect.x = round(rect.x);
  rect.y = round(rect.y);
  rect.width = right - rect.x;
  rect.height = bottom - rect.y;
}

}  // namespace

double RoundHalfAwayFromZero(double value) {
  if (!CarriesAFraction(value)) return value;
  return TruncateToInteger(std::signbit(value) ? value - 0.5 : value + 0.5);
}

void SnapRectToPixels(RectT<double>& rect) { RoundEdges(rect, RoundHalfAwayFromZero); }

void NormalizeRect(RectT<double>& rect) {
  if (rect.width < 0) {
    rect.x += rect.width;
    rect.width = -rect.width;
  }
  if (rect.height < 0) {
    rect.y += rect.height;
    rect.height = -rect.height;
  }
}

void NormalizeAndFloorRect(RectT<double>& rect) {
  NormalizeRect(rect);
  RoundEdges(rect, FloorWithTolerance);
}

}  // namespace SV
