#include "SVFramework/Renderer/Gdi/GDIRendererOffscreenSurface.h"

#include <algorithm>
#include <cmath>

namespace SV {
RCPtr<LGDIRendererOffscreenSurface> LGDIRendererOffscreenSurface::Create(const PointT<int32_t>& size,
                                                                          IWindowTarget* window, double dotsPerInch) {
  RCPtr<LGDIRendererOffscreenSurface> surface(new LGDIRendererOffscreenSurface(window, dotsPerInch));
  surface->Resize(size.x, size.y);
  return surface;
}

LGDIRendererOffscreenSurface::~LGDIRendererOffscreenSurface() {
  if (mPainter) mPainter->end();
}

SVRESULT LGDIRendererOffscreenSurface::Resize(int32_t width, int32_t height) {
  if (mPainter) mPainter->end();
  mPainter.reset();
  const QSize size(std::max(width, 1), std::max(height, 1));
  // An image of the same size is reused: its pixels are cleared all the same.
  if (mImage.size() != size) mImage = QImage(size, QImage::Format_ARGB32_Premultiplied);
  if (mImage.isNull()) return S_OK;
  const int dotsPerMeter = static_cast<int>(std::lround(mDotsPerInch / 0.0254));
  mImage.setDotsPerMeterX(dotsPerMeter);
  mImage.setDotsPerMeterY(dotsPerMeter);
  mImage.fill(Qt::transparent);
  mPainter = std::make_unique<QPainter>(&mImage);
  return S_OK;
}

PointT<int32_t> LGDIRendererOffscreenSurface::GetSize() const {
  return mImage.isNull() ? PointT<int32_t>{0, 0} : PointT<int32_t>{mImage.width(), mImage.height()};
}

bool LGDIRendererOffscreenSurface::DrawTo(QPainter& target, const PointT<int32_t>& position,
                                          const RectT<int32_t>& area) const {
  if (mImage.isNull() || !target.isActive()) return false;
  target.drawImage(QPoint(position.x, position.y), mImage, QRect(area.x, area.y, area.width, area.height));
  return true;
}

}  // namespace SV
