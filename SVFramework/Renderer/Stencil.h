#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Graphics/RectT.h"

namespace SV {

// A stencil of a given size, carried in the drawing state and handed to the back end
// through LRenderer::SetStencil; the raster and the empty back ends only store it.
class LStencil : public LRefCountedObject {
public:
  static RCPtr<LStencil> Create(int32_t width, int32_t height) { return RCPtr<LStencil>(new LStencil(width, height)); }
  // A fresh stencil of the same size as the given one.
  static RCPtr<LStencil> Create(const LStencil& sizeOf) { return Create(sizeOf.mWidth, sizeOf.mHeight); }

  int32_t GetWidth() const { return mWidth; }
  int32_t GetHeight() const { return mHeight; }
  RectT<int32_t> GetRect() const { return {0, 0, mWidth, mHeight}; }

private:
  LStencil(int32_t width, int32_t height) : mWidth(width), mHeight(height) {}

  int32_t mWidth;
  int32_t mHeight;
};

}  // namespace SV
