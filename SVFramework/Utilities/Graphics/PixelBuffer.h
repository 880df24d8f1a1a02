#pragma once
#include <cstdint>

namespace SV {

// A locked pixel area: width and height in pixels, the distance between rows in
// bytes, and the address of the first pixel. Valid while its owner keeps it locked.
template <class T>
class IPixelBuffer {
public:
  virtual ~IPixelBuffer() = default;
  virtual int32_t GetWidth() const = 0;
  virtual int32_t GetHeight() const = 0;
  virtual int32_t GetStride() const = 0;
  virtual T* GetPixels() const = 0;

  // The first pixel of row y.
  T* GetRow(int32_t y) const {
    return reinterpret_cast<T*>(reinterpret_cast<uint8_t*>(GetPixels()) + static_cast<intptr_t>(y) * GetStride());
  }
};

}  // namespace SV
