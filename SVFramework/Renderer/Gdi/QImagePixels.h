#pragma once
#include <QImage>

#include "SVFramework/Utilities/Graphics/PixelBuffer.h"

namespace SV {

// A 32-bit QImage seen as a pixel buffer, for handing surfaces to a window target
// without a copy. Valid while the image is neither changed in size nor destroyed.
class QImagePixels final : public IPixelBuffer<uint32_t> {
public:
  explicit QImagePixels(const QImage& image) : mImage(image) {}

  int32_t GetWidth() const override { return mImage.width(); }
  int32_t GetHeight() const override { return mImage.height(); }
  int32_t GetStride() const override { return static_cast<int32_t>(mImage.bytesPerLine()); }
  uint32_t* GetPixelAddress(int32_t x, int32_t y) const override {
    if (mImage.isNull()) return nullptr;
    return const_cast<uint32_t*>(reinterpret_cast<const uint32_t*>(mImage.constScanLine(y))) + x;
  }

private:
  const QImage& mImage;
};

}  // namespace SV
