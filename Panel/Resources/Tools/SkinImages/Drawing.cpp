#include "Drawing.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace SkinImages {

QImage Canvas(int width, int height, int scale) {
  QImage image(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void BeginScaled(QPainter& painter, QImage& image, int scale) {
  painter.begin(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.scale(scale, scale);
}

void RoundedFace(QPainter& painter, double width, double height, double radius, const QColor& top,
                 const QColor& bottom, const QColor& edge) {
  QLinearGradient fill(0, 0, 0, height);
  fill.setColorAt(0, top);
  fill.setColorAt(1, bottom);
  QPainterPath outline;
  outline.addRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), radius, radius);
  painter.setPen(QPen(edge, 1.0));
  painter.setBrush(fill);
  painter.drawPath(outline);
}

bool Save(const QImage& image, const QString& path) { return image.save(path, "PNG"); }

}  // namespace SkinImages
