#include "SVFramework/Utilities/Graphics/BitmapPixels.h"

#include <new>

namespace SV {

std::unique_ptr<BitmapPixels> BitmapPixels::Create(int32_t width, int32_t height, uint32_t fill) {
  if (width <= 0 || height <= 0) return nullptr;
  try {
    std::vector<uint32_t> words(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
    return std::unique_ptr<BitmapPixels>(new BitmapPixels(width, height, std::move(words)));
  } catch (const std::bad_alloc&) {
    return nullptr;
  } catch (const std::length_error&) {
    return nullptr;
  }
}

uint32_t* BitmapPixels::GetPixelAddress(int32_t x, int32_t y) const {
  return mWords.data() + static_cast<ptrdiff_t>(y) * mWidth + x;
}

bool BitmapPixels::Contains(int32_t x, int32_t y, int32_t width, int32_t height) const {
  return x >= 0 && y >= 0 && width >= 0 && height >= 0 && int64_t{x} + width <= mWidth &&
         int64_t{y} + height <= mHeight;
}

bool BitmapPixels::GetPixel(int32_t x, int32_t y, uint32_t& argb) {
  if (!Contains(x, y, 1, 1)) {
    mLastStatus = kInvalidParameter;
    return false;
  }
  argb = *GetPixelAddress(x, y);
  return true;
}

std::unique_ptr<BitmapPixels> BitmapPixels::CloneArea(int32_t x, int32_t y, int32_t width, int32_t height) {
  if (!Contains(x, y, width, height)) {
    mLastStatus = kInvalidParameter;
    return nullptr;
  }
  std::unique_ptr<BitmapPixels> copy = Create(width, height);
  if (!copy) {
    mLastStatus = kOutOfMemory;
    return nullptr;
  }
  for (int32_t row = 0; row < height; ++row) {
    const uint32_t* source = GetPixelAddress(x, y + row);
    std::copy(source, source + width, copy->GetPixelAddress(0, row));
  }
  return copy;
}

}  // namespace SV
