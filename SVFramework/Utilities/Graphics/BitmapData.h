#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Graphics/Bitmap.h"
#include "SVFramework/Utilities/Graphics/PixelBuffer.h"

namespace SV {

// A lock of a bitmap's area in its owner's pixels, held while this object lives; the
// lock holds the bitmap. An area that does not lie inside the pixels locks nothing
// (width and height 0, no address) and leaves the failure as the pixels' last status.
class LBitmapData : public LRefCountedObject, public IPixelBuffer<uint32_t> {
public:
  enum class LockMode : int32_t { ReadOnly = 1, WriteOnly = 2, ReadWrite = 3 };

  // A caller-supplied pixel buffer is not supported: raises the domain error.
  LBitmapData(const RCPtr<LBitmap>& bitmap, LockMode mode, const IPixelBuffer<uint32_t>* suppliedBuffer = nullptr);

  int32_t GetWidth() const override { return mWidth; }
  int32_t GetHeight() const override { return mHeight; }
  int32_t GetStride() const override { return mStride; }
  uint32_t* GetPixelAddress(int32_t x, int32_t y) const override;
  bool IsLocked() const { return mStart != nullptr; }

private:
  RCPtr<LBitmap> mBitmap;
  int32_t mWidth = 0;
  int32_t mHeight = 0;
  int32_t mStride = 0;
  uint32_t* mStart = nullptr;
};

}  // namespace SV
