#pragma once
#include <cstdint>

namespace SV {

// A locked pixel area: width and height in pixels, the distance between the starts of
// two rows in bytes, and the address of each pixel. Valid while its owner keeps it
// locked; pixels are 32-bit words 0xAARRGGBB (bytes blue, green, red, alpha in memory).
template <class T>
class IPixelBuffer {
public:
  virtual ~IPixelBuffer() = default;
  virtual int32_t GetWidth() const = 0;
  virtual int32_t GetHeight() const = 0;
  virtual int32_t GetStride() const = 0;
  // The start of the area + y x stride + x pixels; null when nothing is locked.
  virtual T* GetPixelAddress(int32_t x, int32_t y) const = 0;
};

}  // namespace SV
