#pragma once
#include <QImage>
#include <QPainter>

#include <memory>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Renderer/WindowTarget.h"
#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/PointT.h"

namespace SV {

// One offscreen surface of a raster render context: a premultiplied ARGB32 image at the
// window's pixels per inch and a painter kept active on it (the "graphics" every drawing
// operation goes through). An image that cannot be made leaves the surface without a
// painter; drawing through it has no effect. UI thread only.
class LGDIRendererOffscreenSurface : public LRefCountedObject {
public:
  static RCPtr<LGDIRendererOffscreenSurface> Create(const PointT<int32_t>& size, IWindowTarget* window,
                                                    double dotsPerInch = 96);
  ~LGDIRendererOffscreenSurface() override;

  // Makes a new transparent image of the size (a side of 0 or less becomes 1); the old
  // pixels are lost. Returns 0.
  SVRESULT Resize(int32_t width, int32_t height);
  // The image's size; 0 x 0 without an image.
  PointT<int32_t> GetSize() const;

  // Draws the area of the image at the position of the target, unscaled. False when
  // there is nothing to draw from.
  bool DrawTo(QPainter& target, const PointT<int32_t>& position, const RectT<int32_t>& area) const;

  // Null when the surface has no image.
  QPainter* GetGraphics() { return mPainter ? mPainter.get() : nullptr; }
  const QImage& GetBitmap() const { return mImage; }
  // Pixels written past the painter (unblended fills); the image is never shared.
  QImage& GetBitmap() { return mImage; }
  IWindowTarget* GetWindow() const { return mWindow; }

private:
  LGDIRendererOffscreenSurface(IWindowTarget* window, double dotsPerInch)
      : mWindow(window), mDotsPerInch(dotsPerInch > 0 ? dotsPerInch : 96) {}

  IWindowTarget* const mWindow;
  const double mDotsPerInch;
  QImage mImage;
  std::unique_ptr<QPainter> mPainter;
};

}  // namespace SV
