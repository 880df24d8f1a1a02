#pragma once
#include <cstdint>
#include <vector>

namespace SV {

// Pixels handed to OpenGL: format and component type (OpenGL enumerations), the
// address of the first row, the size, and the distances between rows and pixels. It
// describes a caller's pixels (Attach) or holds pixels of its own (after Scale or
// ToAlpha). The OpenGL calls need a current context. UI thread only.
class LGLImage {
public:
  LGLImage() = default;
  LGLImage(LGLImage&& other) noexcept;
  LGLImage& operator=(LGLImage&& other) noexcept;
  LGLImage(const LGLImage&) = delete;
  LGLImage& operator=(const LGLImage&) = delete;

  void Attach(const void* data, int32_t bytesPerRow, int32_t bytesPerPixel, int32_t width, int32_t height,
              uint32_t format, uint32_t type);
  void Free();
  // Turns 32-bit pixels into one byte of coverage: 0 for a zero word, else 255 less the
  // luminance. Other pixel sizes are left as they are.
  void ToAlpha();
  // Rescales to the size through GLU into pixels of its own.
  void Scale(int32_t width, int32_t height);
  // Uploads into the bound texture of the target at level 0 (or builds mipmaps).
  void Upload(uint32_t target, int32_t internalFormat, bool mipmaps) const;
  // The unpack row length and alignment that describe these rows to OpenGL.
  void ApplyUnpackLayout() const;

  uint32_t format = 0;
  uint32_t type = 0;
  const uint8_t* data = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int32_t bytesPerRow = 0;
  int32_t bytesPerPixel = 0;

  bool OwnsData() const { return !mOwned.empty(); }

private:
  uint8_t* Allocate(int32_t bytesPerRow, int32_t height);

  std::vector<uint8_t> mOwned;
};

}  // namespace SV
