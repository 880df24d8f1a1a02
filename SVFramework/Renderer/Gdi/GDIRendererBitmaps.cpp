// Bitmaps and contexts drawn by the raster back end.
#include <QPainter>

#include <cmath>
#include <stdexcept>

#include "SVFramework/Renderer/Gdi/GDIRenderer.h"
#include "SVFramework/Renderer/Gdi/QtConversions.h"

namespace SV {
namespace {

// The owner's pixels seen as a straight-alpha image, without a copy.
QImage SourceImage(const BitmapPixels& pixels) {
  return QImage(reinterpret_cast<const uchar*>(pixels.GetPixelAddress(0, 0)), pixels.GetWidth(), pixels.GetHeight(),
                pixels.GetStride(), QImage::Format_ARGB32);
}

double ClampArea(double value) { return std::clamp(value, -8388608.0, 8388608.0); }

// Copies of the area side by side from the top-left, column by column; a few copies
// are drawn one by one, many through a texture brush.
void DrawTiles(QPainter& painter, const QImage& source, const QRectF& area, int32_t width, int32_t height) {
  const double sw = area.width(), sh = area.height();
  if (width / sw < 3 && height / sh < 3) {
    for (double x = 0; x < width; x += sw) {
      for (double y = 0; y < height; y += sh) painter.drawImage(QPointF(x, y), source, area);
    }
    return;
  }
  const QImage tile = source.copy(area.toAlignedRect());
  painter.fillRect(QRectF(0, 0, width, height), QBrush(tile));
}

}  // namespace

QImage LGDIRenderer::PrepareBitmap(const LBitmap& bitmap, int32_t width, int32_t height, ResizeType resize) const {
  QImage target(width, height, QImage::Format_ARGB32_Premultiplied);
  if (target.isNull()) return target;
  target.fill(Qt::transparent);
  const BitmapPixels* const pixels = bitmap.GetNativeBitmap();
  if (pixels == nullptr) return target;
  const QImage source = SourceImage(*pixels);
  const QRectF area(ClampArea(bitmap.GetX()), ClampArea(bitmap.GetY()), ClampArea(bitmap.GetWidth()),
                    ClampArea(bitmap.GetHeight()));
  // An empty area has nothing to draw (and would never finish tiling).
  if (area.width() <= 0 || area.height() <= 0) return target;
  QPainter painter(&target);
  const bool sameSize = area.width() == width && area.height() == height;
  if (sameSize || resize == ResizeType::Stretch) {
    painter.drawImage(QRectF(0, 0, width, height), source, area);
  } else if (resize == ResizeType::Tile) {
    DrawTiles(painter, source, area, width, height);
  } else {
    painter.drawImage(QPointF((width - area.width()) * 0.5, (height - area.height()) * 0.5), source, area);
  }
  return target;
}

void LGDIRenderer::DrawBitmap(const RCPtr<LBitmap>& bitmap, const RectT<int32_t>& target, ResizeType resize) {
  if (!mCurrent) SV_RAISE(std::runtime_error, "", "SV::LGDIRenderer::DrawBitmap");
  const bool known = resize == ResizeType::Stretch || resize == ResizeType::Tile || resize == ResizeType::Center;
  const bool sameSize = bitmap && bitmap->GetWidth() == target.width && bitmap->GetHeight() == target.height;
  if (!known && !sameSize) {
    SV_RAISE(std::invalid_argument, "Invalid ResizeType passed to DrawBitmap.", "SV::LGDIRenderer::DrawBitmap");
  }
  QPainter* const painter = Graphics();
  if (painter == nullptr || !bitmap || target.width <= 0 || target.height <= 0) return;
  RCPtr<LCachedBitmap>& slot = mBitmapCache.Get({bitmap, target.width, target.height, resize}, false);
  if (!slot) slot = new LCachedBitmap(PrepareBitmap(*bitmap, target.width, target.height, resize));
  if (!slot->prepared.isNull()) painter->drawImage(QPoint(target.x, target.y), slot->prepared);
}

SVRESULT LGDIRenderer::DrawRenderContext(const RCPtr<LRenderContextInfo>& source, const PointT<int32_t>& position,
                                         const RectT<int32_t>& area) {
  auto* const offscreen = dynamic_cast<LGDIRenderContextInfo*>(source.Get());
  if (offscreen == nullptr || !offscreen->IsOffscreen()) return E_INVALIDARG;
  QPainter* const painter = Graphics();
  if (painter == nullptr) return E_FAIL;
  return offscreen->GetFrontSurface().DrawTo(*painter, position, area) ? S_OK : E_FAIL;
}

SVRESULT LGDIRenderer::ScrollRenderContext(const RCPtr<LRenderContextInfo>& context, const PointT<int32_t>& offset) {
  auto* const offscreen = dynamic_cast<LGDIRenderContextInfo*>(context.Get());
  if (offscreen == nullptr || !offscreen->IsOffscreen()) return E_INVALIDARG;
  LGDIRendererOffscreenSurface& previous = offscreen->GetFrontSurface();
  offscreen->SwapSurfaces();
  QPainter* const painter = offscreen->GetGraphics();
  if (painter == nullptr || previous.GetBitmap().isNull()) return E_FAIL;
  painter->save();
  painter->resetTransform();
  painter->setClipping(false);
  painter->setCompositionMode(QPainter::CompositionMode_Source);
  painter->fillRect(QRect(0, 0, painter->device()->width(), painter->device()->height()), Qt::transparent);
  painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter->drawImage(QPoint(offset.x, offset.y), previous.GetBitmap());
  painter->restore();
  return S_OK;
}

}  // namespace SV
