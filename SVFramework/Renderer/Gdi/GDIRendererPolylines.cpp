// Polylines and colour rectangle lists drawn by the raster back end.
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

#include "SVFramework/Renderer/Gdi/GDIRenderer.h"
#include "SVFramework/Renderer/Gdi/QtConversions.h"

namespace SV {
namespace {

double ClampOffset(float value) {
  constexpr double kLimit = 4503599627370496.0;
  return std::isfinite(value) ? std::clamp<double>(value, -kLimit, kLimit) : 0;
}

QPointF PointOf(const PolylineT<float>& polyline, uint32_t index) {
  const PointT<float>& point = polyline.points[index];
  return {QtConversions::Saturate(point.x), QtConversions::Saturate(point.y)};
}

}  // namespace

void LGDIRenderer::FillColorRectList(const ColorRectListT<float>& list, const PointT<double>& offset, bool) {
  Translate(offset);
  const uint32_t count = std::min(list.rects.GetCount(), list.colors.GetCount());
  for (uint32_t i = count; i-- > 0;) {
    const RectT<float>& rect = list.rects[i];
    const RectT<int32_t> scaled{RoundToInt32(double(rect.x) * list.scale.x), RoundToInt32(double(rect.y) * list.scale.y),
                                RoundToInt32(double(rect.width) * list.scale.x),
                                RoundToInt32(double(rect.height) * list.scale.y)};
    FillRect(scaled, Color::FromARGB(list.colors[i]), true);
  }
  Translate({-offset.x, -offset.y});
}

void LGDIRenderer::DrawPath(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                            const PointT<float>& scale, bool keep, PathKind kind, bool fill) {
  QPainter* const painter = Graphics();
  if (painter == nullptr) return;
  RCPtr<LGraphicsPath>& slot = mPathCache.Get(polyline, false);
  if (polyline.changed) {
    polyline.changed = false;
    slot.Reset();
  }
  if (!slot) {
    slot = new LGraphicsPath;
    slot->path.setFillRule(Qt::OddEvenFill);
    const uint32_t count = polyline.points.GetCount();
    if (kind == PathKind::Segments) {
      for (uint32_t i = 0; i + 1 < count; i += 2) {
        slot->path.moveTo(PointOf(polyline, i));
        slot->path.lineTo(PointOf(polyline, i + 1));
      }
    } else if (count > 0) {
      slot->path.moveTo(PointOf(polyline, 0));
      for (uint32_t i = 1; i < count; ++i) slot->path.lineTo(PointOf(polyline, i));
      if (kind == PathKind::Polygon) slot->path.closeSubpath();
    }
  }
  const PointT<double> move{ClampOffset(offset.x), ClampOffset(offset.y)};
  Translate(move);
  constexpr float kScaleTolerance = 1.1920929e-6f;
  const bool scaled = std::fabs(scale.x - 1) >= kScaleTolerance || std::fabs(scale.y - 1) >= kScaleTolerance;
  const QPainterPath path = scaled ? QTransform::fromScale(scale.x, scale.y).map(slot->path) : slot->path;
  if (fill) {
    painter->fillPath(path, QtConversions::ToQt(color));
  } else {
    QPen pen(QtConversions::ToQt(color));
    pen.setWidthF(std::isfinite(polyline.lineWidth) ? std::clamp<double>(polyline.lineWidth, 0, 1e4) : 1);
    painter->strokePath(path, pen);
  }
  Translate({-move.x, -move.y});
  if (!keep) slot.Reset();
}

void LGDIRenderer::DrawLineSegments(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                                    const PointT<float>& scale, bool keep) {
  DrawPath(polyline, color, offset, scale, keep, PathKind::Segments, false);
}

void LGDIRenderer::DrawPolyline(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                                const PointT<float>& scale, bool keep) {
  DrawPath(polyline, color, offset, scale, keep, PathKind::OpenLine, false);
}

void LGDIRenderer::DrawPolygon(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                               const PointT<float>& scale, bool keep) {
  DrawPath(polyline, color, offset, scale, keep, PathKind::Polygon, false);
}

void LGDIRenderer::FillPolygon(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                               const PointT<float>& scale, bool keep) {
  DrawPath(polyline, color, offset, scale, keep, PathKind::Polygon, true);
}

}  // namespace SV
