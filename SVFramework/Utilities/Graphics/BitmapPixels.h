#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "SVFramework/Utilities/Graphics/PixelBuffer.h"

namespace SV {

// The pixels of an image: straight-alpha 0xAARRGGBB words (bytes blue, green, red,
// alpha in memory), rows packed (stride 4 x width), with the status of the last
// failed operation. This is the "native bitmap" that bitmaps own and renderers draw.
class BitmapPixels : public IPixelBuffer<uint32_t> {
public:
  // Status codes kept as the last status.
  static constexpr int32_t kOk = 0;
  static constexpr int32_t kInvalidParameter = 2;
  static constexpr int32_t kOutOfMemory = 3;

  // Width x height pixels of the given value; null when a side is not positive or the
  // memory cannot be had.
  static std::unique_ptr<BitmapPixels> Create(int32_t width, int32_t height, uint32_t fill = 0);

  int32_t GetWidth() const override { return mWidth; }
  int32_t GetHeight() const override { return mHeight; }
  int32_t GetStride() const override { return mWidth * 4; }
  uint32_t* GetPixelAddress(int32_t x, int32_t y) const override;

  // True when the area lies inside the pixels.
  bool Contains(int32_t x, int32_t y, int32_t width, int32_t height) const;

  // The pixel at (x, y); false and the last status set when it lies outside.
  bool GetPixel(int32_t x, int32_t y, uint32_t& argb);

  // A copy of the area; null and the last status set when the area does not lie inside.
  std::unique_ptr<BitmapPixels> CloneArea(int32_t x, int32_t y, int32_t width, int32_t height);

  int32_t GetLastStatus() const { return mLastStatus; }
  void SetLastStatus(int32_t status) { mLastStatus = status; }

private:
  BitmapPixels(int32_t width, int32_t height, std::vector<uint32_t> words)
      : mWidth(width), mHeight(height), mWords(std::move(words)) {}

  int32_t mWidth;
  int32_t mHeight;
  mutable std::vector<uint32_t> mWords;
  int32_t mLastStatus = kOk;
};

}  // namespace SV
