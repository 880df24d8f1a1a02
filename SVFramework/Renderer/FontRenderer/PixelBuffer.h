#pragma once
#include <cstdint>
#include <new>
#include <vector>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Graphics/PixelBuffer.h"

namespace SV {

// Pixels of its own for glyph bitmaps and glyph atlases: width, height, a stride in
// bytes and height x stride bytes. UI thread only.
template <class T>
class LPixelBuffer : public LRefCountedObject, public IPixelBuffer<T> {
public:
  // A copy of height x stride bytes of `source`; without a source, zeros and a stride
  // of 0 taken as the width raised to a multiple of 16.
  static RCPtr<LPixelBuffer> Create(int32_t width, int32_t height, int32_t stride, const T* source) {
    return RCPtr<LPixelBuffer>(new LPixelBuffer(width, height, stride, source));
  }

  int32_t GetWidth() const override { return mWidth; }
  int32_t GetHeight() const override { return mHeight; }
  int32_t GetStride() const override { return mStride; }
  // Null when the pixel lies outside the buffer.
  T* GetPixelAddress(int32_t x, int32_t y) const override {
    const int64_t at = static_cast<int64_t>(y) * mStride + x;
    if (x < 0 || y < 0 || at >= static_cast<int64_t>(mPixels.size())) return nullptr;
    return const_cast<T*>(mPixels.data() + at);
  }
  // Grows or shrinks to `rows`; added rows are zero. E_FAIL when no storage is had.
  SVRESULT SetHeight(int32_t rows) {
    try {
      mPixels.resize(static_cast<size_t>(rows > 0 ? rows : 0) * static_cast<size_t>(mStride), T{});
    } catch (const std::bad_alloc&) {
      return E_FAIL;
    }
    mHeight = rows;
    return S_OK;
  }

private:
  LPixelBuffer(int32_t width, int32_t height, int32_t stride, const T* source)
      : mWidth(width > 0 ? width : 0), mHeight(height > 0 ? height : 0),
        mStride(stride != 0 || source != nullptr ? stride : (mWidth + 15) / 16 * 16) {
    const size_t size = static_cast<size_t>(mHeight) * static_cast<size_t>(mStride > 0 ? mStride : 0);
    if (source != nullptr) {
      mPixels.assign(source, source + size);
    } else {
      mPixels.assign(size, T{});
    }
  }

  int32_t mWidth, mHeight, mStride;
  std::vector<T> mPixels;
};

}  // namespace SV
