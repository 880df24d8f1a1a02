#pragma once
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

// Small drawing helpers of the skin image generator. Every image is drawn at a scale
// (1 for the standard skin, 2 for the high-resolution one) on a transparent canvas.
namespace SkinImages {

// A transparent ARGB canvas of the size times the scale.
QImage Canvas(int width, int height, int scale);
// A painter with antialiasing, its coordinates in standard pixels.
void BeginScaled(QPainter& painter, QImage& image, int scale);
// A rounded rectangle filled top to bottom from `top` to `bottom` with a one-pixel
// edge, inside the canvas of `width` x `height` standard pixels.
void RoundedFace(QPainter& painter, double width, double height, double radius, const QColor& top,
                 const QColor& bottom, const QColor& edge);
// Writes the image as PNG; false when it cannot be written.
bool Save(const QImage& image, const QString& path);

}  // namespace SkinImages
