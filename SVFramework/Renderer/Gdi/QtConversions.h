#pragma once
#include <QColor>
#include <QPointF>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "SVFramework/Utilities/Graphics/Color.h"
#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/PointT.h"

namespace SV::QtConversions {

// Coordinates handed to Qt stay within +-2^24: Qt's raster engine turns them into ints,
// and the default clip (about 5e15) would otherwise overflow there.
inline constexpr double kCoordinateLimit = 16777216.0;

inline double Saturate(double value) {
  if (std::isnan(value)) return 0;
  return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
}

inline QPointF ToQt(const PointT<double>& point) { return {Saturate(point.x), Saturate(point.y)}; }

// Edges are saturated, so a huge rectangle keeps covering everything it can.
inline QRectF ToQt(const RectT<double>& rect) {
  const double left = Saturate(rect.x), top = Saturate(rect.y);
  const double right = Saturate(rect.x + rect.width), bottom = Saturate(rect.y + rect.height);
  return {left, top, right - left, bottom - top};
}

inline QColor ToQt(const Color& color) { return QColor::fromRgba(color.ToARGB()); }

}  // namespace SV::QtConversions
