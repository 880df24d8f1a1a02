// Colorizing, the rendering half of the skin's colorizers: static operations of LBitmap.
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "SVFramework/Utilities/Graphics/Bitmap.h"
#include "SVFramework/Utilities/Graphics/BitmapData.h"

namespace SV {
namespace {

// c' = trunc(((c / 255) x (1 - k) + term) x 255 + 0.5) in single precision, in exactly
// this order; the low 8 bits are kept.
uint32_t BlendChannel(uint32_t byte, float oneMinusK, float term) {
  const float blended = ((static_cast<float>(byte) / 255.0f) * oneMinusK + term) * 255.0f + 0.5f;
  return static_cast<uint32_t>(static_cast<int32_t>(std::clamp(blended, -1.0f, 511.0f))) & 0xFF;
}

void BlendPixels(LBitmapData& data, float k, const Color& color) {
  const float oneMinusK = 1.0f - k;
  const float red = color.red * k, green = color.green * k, blue = color.blue * k;
  for (int32_t y = 0; y < data.GetHeight(); ++y) {
    uint32_t* pixel = data.GetPixelAddress(0, y);
    for (int32_t x = 0; x < data.GetWidth(); ++x, ++pixel) {
      const uint32_t argb = *pixel;
      *pixel = (argb & 0xFF000000u) | (BlendChannel((argb >> 16) & 0xFF, oneMinusK, red) << 16) |
               (BlendChannel((argb >> 8) & 0xFF, oneMinusK, green) << 8) |
               BlendChannel(argb & 0xFF, oneMinusK, blue);
    }
  }
}

}  // namespace

void LBitmap::ApplyColorizer(const RCPtr<LBitmap>& bitmap, const ColorizeParams* colorizer, float opacity) {
  if (!bitmap || colorizer == nullptr) SV_RAISE(std::runtime_error, "", "SV::LBitmap::ApplyColorizer");
  if (colorizer->IsGradient()) {
    CreateColorizedBitmap(colorizer, opacity, {bitmap->GetWidth(), bitmap->GetHeight()});
    return;
  }
  LBitmapData data(bitmap, LBitmapData::LockMode::ReadWrite);
  if (!data.IsLocked()) SV_RAISE(std::runtime_error, "", "SV::LBitmap::ApplyColorizer");
  BlendPixels(data, colorizer->color.alpha * opacity, colorizer->color);
}

void LBitmap::ApplyColorizer(const RCPtr<LBitmap>&, const ColorizeParams*, float, const RCPtr<LBitmap>&) {
  SV_RAISE(std::domain_error, "", "SV::LBitmap::ApplyColorizer");
}

RCPtr<LBitmap> LBitmap::CreateColorizedBitmap(const ColorizeParams* colorizer, float opacity,
                                              const PointT<int32_t>& size) {
  if (size.x <= 0 || size.y <= 0) SV_RAISE(std::runtime_error, "", "SV::LBitmap::CreateColorizedBitmap");
  if (colorizer == nullptr) SV_RAISE(std::runtime_error, "", "SV::LBitmap::CreateColorizedBitmap");
  if (colorizer->IsGradient()) return CreateGradientFilledBitmap(size, *colorizer);
  Color color = colorizer->color;
  color.alpha *= opacity;
  return CreateFilledBitmap(size, color);
}

RCPtr<LBitmap> LBitmap::CreateColorizedPartBitmap(const ColorizeParams* colorizer, float opacity,
                                                  const PointT<int32_t>& size, const RCPtr<LBitmap>& image,
                                                  const RCPtr<LBitmap>& mask) {
  RCPtr<LBitmap> copy;
  if (image) copy = image->Clone();
  if (mask) {
    if (image) {
      ApplyColorizer(copy, colorizer, opacity, mask);
    } else {
      copy = mask->Clone();
    }
  }
  if (!copy) return CreateColorizedBitmap(colorizer, opacity, size);
  ApplyColorizer(copy, colorizer, opacity);
  return copy;
}

RCPtr<LBitmap> LBitmap::CreateFilledBitmap(const PointT<int32_t>& size, const Color& color) {
  if (size.x <= 0 || size.y <= 0) SV_RAISE(std::runtime_error, "", "SV::LBitmap::CreateFilledBitmap");
  std::unique_ptr<BitmapPixels> pixels = BitmapPixels::Create(size.x, size.y, color.ToARGB());
  if (!pixels) throw Exception<std::bad_alloc>();
  return RCPtr<LBitmap>(new LBitmap(std::move(pixels)));
}

RCPtr<LBitmap> LBitmap::CreateGradientFilledBitmap(const PointT<int32_t>&, const ColorizeParams&) {
  SV_RAISE(std::domain_error, "", "SV::LBitmap::CreateGradientFilledBitmap");
}

}  // namespace SV
