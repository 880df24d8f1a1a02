#include "SVFramework/Renderer/OpenGL/GLImage.h"

#include <cstring>
#include <utility>

#include "SVFramework/Renderer/OpenGL/GLApi.h"

namespace SV {
namespace {

int32_t AlignmentOf(int32_t bytesPerRow, int32_t bytesPerPixel) {
  const int32_t remainder = bytesPerPixel > 0 ? bytesPerRow % bytesPerPixel : 0;
  int32_t alignment = 1;
  while (alignment <= remainder) alignment *= 2;
  return alignment;
}

}  // namespace

LGLImage::LGLImage(LGLImage&& other) noexcept { *this = std::move(other); }

LGLImage& LGLImage::operator=(LGLImage&& other) noexcept {
  if (this == &other) return *this;
  format = std::exchange(other.format, 0);
  type = std::exchange(other.type, 0);
  data = std::exchange(other.data, nullptr);
  width = std::exchange(other.width, 0);
  height = std::exchange(other.height, 0);
  bytesPerRow = std::exchange(other.bytesPerRow, 0);
  bytesPerPixel = std::exchange(other.bytesPerPixel, 0);
  mOwned = std::move(other.mOwned);
  other.mOwned.clear();
  return *this;
}

void LGLImage::Attach(const void* pixels, int32_t rowBytes, int32_t pixelBytes, int32_t w, int32_t h,
                      uint32_t pixelFormat, uint32_t pixelType) {
  Free();
  data = static_cast<const uint8_t*>(pixels);
  bytesPerRow = rowBytes;
  bytesPerPixel = pixelBytes;
  width = w;
  height = h;
  format = pixelFormat;
  type = pixelType;
}

void LGLImage::Free() { *this = LGLImage(); }

uint8_t* LGLImage::Allocate(int32_t rowBytes, int32_t rows) {
  mOwned.assign(static_cast<size_t>(rowBytes) * static_cast<size_t>(rows > 0 ? rows : 0) + 1, 0);
  data = mOwned.data();
  return mOwned.data();
}

void LGLImage::ToAlpha() {
  if (bytesPerPixel != 4) return;
  LGLImage source(std::move(*this));
  format = GL_ALPHA;
  type = GL_UNSIGNED_BYTE;
  bytesPerPixel = 1;
  width = source.width;
  height = source.height;
  bytesPerRow = (width + 3) & ~3;
  uint8_t* target = Allocate(bytesPerRow, height);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      uint32_t word;
      std::memcpy(&word, source.data + static_cast<size_t>(y) * source.bytesPerRow + 4 * x, 4);
      const double luminance = 0.3 * (word >> 16 & 0xFF) + 0.59 * (word >> 8 & 0xFF) + 0.11 * (word & 0xFF);
      target[static_cast<size_t>(y) * bytesPerRow + x] = word == 0 ? 0 : static_cast<uint8_t>(255 - static_cast<int>(luminance));
    }
  }
}

void LGLImage::Scale(int32_t newWidth, int32_t newHeight) {
  LGLImage source(std::move(*this));
  format = source.format;
  type = source.type;
  bytesPerPixel = source.bytesPerPixel;
  bytesPerRow = (newWidth * bytesPerPixel + 3) & ~3;
  width = newWidth;
  height = newHeight;
  uint8_t* target = Allocate(bytesPerRow, height);
  source.ApplyUnpackLayout();
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  gluScaleImage(format, source.width, source.height, source.type, source.data, width, height, type, target);
  DrainGLErrors();
}

void LGLImage::ApplyUnpackLayout() const {
  glPixelStorei(GL_UNPACK_ROW_LENGTH, bytesPerPixel > 0 ? bytesPerRow / bytesPerPixel : 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, AlignmentOf(bytesPerRow, bytesPerPixel));
}

void LGLImage::Upload(uint32_t target, int32_t internalFormat, bool mipmaps) const {
  ApplyUnpackLayout();
  if (mipmaps) {
    gluBuild2DMipmaps(target, internalFormat, width, height, format, type, data);
  } else {
    glTexSubImage2D(target, 0, 0, 0, width, height, format, type, data);
  }
  DrainGLErrors();
}

}  // namespace SV
