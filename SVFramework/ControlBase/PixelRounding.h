#pragma once
#include "SVFramework/Utilities/Graphics/RectT.h"

namespace SV {

// The rounding rules shared by the placement solver, clipping and scrolling.
// Values too large to carry a fraction, infinities and NaN pass through unchanged.
// Any thread.

// Rounds half away from zero: adds 0.5, or subtracts it when the sign bit is set, and
// truncates toward zero (8.5 -> 9, -8.5 -> -9, -0.0 -> 0).
double RoundHalfAwayFromZero(double value);

// Rounds the edges, not the extent: right and bottom are rounded from x + width and
// y + height, then x and y, and width and height are what lies between.
void SnapRectToPixels(RectT<double>& rect);

// Makes a negative width or height positive by moving the origin, then floors the
// four edges with a tolerance of one relative epsilon (2.9999999999999996 floors to 3,
// -2.5 to -3) and takes width and height between them.
void NormalizeAndFloorRect(RectT<double>& rect);
// A negative width or height is flipped by moving the origin; the area stays the same.
void NormalizeRect(RectT<double>& rect);

}  // namespace SV
