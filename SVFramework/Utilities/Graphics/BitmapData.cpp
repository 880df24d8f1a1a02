#include "SVFramework/Utilities/Graphics/BitmapData.h"

#include <stdexcept>

namespace SV {

LBitmapData::LBitmapData(const RCPtr<LBitmap>& bitmap, LockMode, const IPixelBuffer<uint32_t>* suppliedBuffer)
    : mBitmap(bitmap) {
  if (suppliedBuffer != nullptr) SV_RAISE(std::domain_error, "", "SV::LBitmapData::LBitmapData");
  BitmapPixels* const pixels = bitmap ? bitmap->GetNativeBitmap() : nullptr;
  if (pixels == nullptr) return;
  if (!pixels->Contains(bitmap->GetX(), bitmap->GetY(), bitmap->GetWidth(), bitmap->GetHeight())) {
    pixels->SetLastStatus(BitmapPixels::kInvalidParameter);
    return;
  }
  mWidth = bitmap->GetWidth();
  mHeight = bitmap->GetHeight();
  mStride = pixels->GetStride();
  mStart = pixels->GetPixelAddress(bitmap->GetX(), bitmap->GetY());
}

uint32_t* LBitmapData::GetPixelAddress(int32_t x, int32_t y) const {
  if (mStart == nullptr) return nullptr;
  return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(mStart) + static_cast<ptrdiff_t>(y) * mStride +
                                     static_cast<ptrdiff_t>(x) * 4);
}

}  // namespace SV
