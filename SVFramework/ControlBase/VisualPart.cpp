#include "SVFramework/ControlBase/VisualPart.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "SVFramework/ControlBase/VisualPartDescriptor.h"
#include "SVFramework/Renderer/Renderer.h"

namespace SV {
namespace {

constexpr float kSizeTolerance = 1.1920929e-6f;
constexpr float kFloatPixelLimit = 8388608.0f;

float ClampToFloatPixels(float value) { return std::clamp(value, -kFloatPixelLimit, kFloatPixelLimit); }

// Floors with a relative tolerance of one float epsilon, as the drawn pixel's corners are.
float FloorFloatWithTolerance(float value) {
  constexpr float kEpsilon = 1.0f / 8388608.0f;
  return value >= 0 ? std::trunc(value + value * kEpsilon) : std::trunc(value - (value * kEpsilon + 1.0f));
}

int32_t TruncateToInt(float value) { return RoundToInt32(std::trunc(value)); }

bool IsOpaqueSomewhat(uint32_t argb) { return (argb >> 24) != 0; }

}  // namespace

PointT<int32_t> RoundPointToInt(PointT<float> point) {
  return {RoundToInt32(static_cast<double>(point.x)), RoundToInt32(static_cast<double>(point.y))};
}

LVisualPart::LVisualPart(const String& name, const RCPtr<LBitmap>& bitmap, ResizeType resize,
                         const RCPtr<LColorizer>& colorizer, PointT<int32_t> size, float alphaModulation,
                         const RCPtr<LBitmap>& mask)
    : mName(name),
      mBitmap(bitmap),
      mWidth(bitmap ? bitmap->GetWidth() : size.x),
      mHeight(bitmap ? bitmap->GetHeight() : size.y),
      mResize(resize),
      mColorizer(colorizer),
      mAlphaModulation(alphaModulation),
      mMask(mask) {
  if (!colorizer || !(bitmap || mask || colorizer->ColorType != ColorizerType::SolidFill)) return;
  const ColorizeParams params = colorizer->GetColorizeParams();
  mBitmap = LBitmap::CreateColorizedPartBitmap(&params, alphaModulation, {mWidth, mHeight}, bitmap, mask);
}

LVisualPart::~LVisualPart() = default;

SVRESULT LVisualPart::Draw(const RCPtr<LRenderer>& renderer, PointT<float> size) {
  const PointT<int32_t> drawn = RoundPointToInt(size);
  if (mBitmap) {
    renderer->DrawBitmap(mBitmap, {0, 0, drawn.x, drawn.y}, mResize);
    return S_OK;
  }
  if (!mColorizer) SV_RAISE(std::runtime_error, "", "SV::LVisualPart::Draw");
  const Color color = GetColorizerColor();
  if (!(color.alpha > 0)) return S_OK;
  RectT<int32_t> target{0, 0, drawn.x, drawn.y};
  if (mResize == ResizeType::Center) target = {(drawn.x - mWidth) / 2, (drawn.y - mHeight) / 2, mWidth, mHeight};
  renderer->FillRect(target, color, true);
  return S_OK;
}

Color LVisualPart::GetColorizerColor() const {
  Color color = mColorizer->ColorValue;
  color.alpha *= mAlphaModulation;
  return color;
}

uint32_t LVisualPart::GetColorAtPoint(PointT<int32_t> point) const {
  if (point.x < 0 || point.x >= mWidth || point.y < 0 || point.y >= mHeight) return kTransparent;
  if (mBitmap) return mBitmap->GetPixelColor(point.x, point.y).ToARGB();
  if (!mColorizer) SV_RAISE(std::runtime_error, "", "SV::LVisualPart::GetColorAtPoint");
  if (mColorizer->ColorType == ColorizerType::LinearGradient)
    SV_RAISE(std::runtime_error, "", "SV::LVisualPart::GetColorAtPoint");
  if (mColorizer->ColorType != ColorizerType::SolidFill)
    SV_RAISE(std::runtime_error, "", "SV::LVisualPart::GetColorAtPoint");
  return GetColorizerColor().ToARGB();
}

uint32_t LVisualPart::GetColorAtPoint(PointT<float> point, PointT<float> drawnSize) const {
  const float partWidth = ClampToFloatPixels(static_cast<float>(mWidth));
  const float partHeight = ClampToFloatPixels(static_cast<float>(mHeight));
  if (std::fabs(drawnSize.x - partWidth) < kSizeTolerance && std::fabs(drawnSize.y - partHeight) < kSizeTolerance)
    return GetColorAtPoint(RoundPointToInt(point));
  if (point.x < 0 || point.x >= drawnSize.x || point.y < 0 || point.y >= drawnSize.y) return kTransparent;
  switch (mResize) {
    case ResizeType::Tile:
      return ColorAtTile(point);
    case ResizeType::Center:
      return GetColorAtPoint(RoundPointToInt({point.x - (drawnSize.x - partWidth) * 0.5f,
                                              point.y - (drawnSize.y - partHeight) * 0.5f}));
    case ResizeType::Stretch:
      return ColorAtStretch(point, drawnSize);
  }
  SV_RAISE(std::runtime_error, "", "SV::LVisualPart::GetColorAtPoint");
}

// A tile of no width or height has no pixel to repeat: transparent, not a division by 0.
uint32_t LVisualPart::ColorAtTile(PointT<float> point) const {
  if (mWidth <= 0 || mHeight <= 0) return kTransparent;
  return GetColorAtPoint(
      PointT<int32_t>{TruncateToInt(point.x + 0.5f) % mWidth, TruncateToInt(point.y + 0.5f) % mHeight});
}

// A drawn pixel of a shrunk part covers several own pixels: the first of them that is
// not fully transparent answers, column by column.
uint32_t LVisualPart::ColorAtStretch(PointT<float> point, PointT<float> drawnSize) const {
  const float scaleX = static_cast<float>(mWidth) / drawnSize.x;
  const float scaleY = static_cast<float>(mHeight) / drawnSize.y;
  if (static_cast<float>(mWidth) <= drawnSize.x && static_cast<float>(mHeight) <= drawnSize.y)
    return GetColorAtPoint(PointT<int32_t>{TruncateToInt(scaleX * point.x), TruncateToInt(scaleY * point.y)});
  const float x0 = FloorFloatWithTolerance(scaleX * point.x);
  const float y0 = FloorFloatWithTolerance(scaleY * point.y);
  const int32_t left = TruncateToInt(FloorFloatWithTolerance(x0));
  const int32_t right = TruncateToInt(FloorFloatWithTolerance(x0 + std::max(scaleX, 1.0f)));
  const int32_t top = TruncateToInt(FloorFloatWithTolerance(y0));
  const int32_t bottom = TruncateToInt(FloorFloatWithTolerance(y0 + std::max(scaleY, 1.0f)));
  uint32_t color = kTransparent;
  for (int32_t column = left; column < right; ++column) {
    for (int32_t row = top; row < bottom; ++row) {
      color = GetColorAtPoint(PointT<int32_t>{column, row});
      if (IsOpaqueSomewhat(color)) return color;
    }
  }
  return color;
}

void LVisualPart::SetDescriptor(LVisualPartDescriptor* descriptor) {
  mDescriptor = descriptor;
  AddInternalReferences(1);
}

SVRESULT LVisualPart::ReleaseInternalReferences() {
  if (GetInternalRefCount() == 0) return S_FALSE;
  if (mDescriptor == nullptr) return S_OK;
  LVisualPartDescriptor* const descriptor = std::exchange(mDescriptor, nullptr);
  AddInternalReferences(-1);
  descriptor->ForgetVisualPart(this);
  return S_OK;
}

RCPtr<LVisualPart> MakeVisualPart(const String& name, const RCPtr<LBitmap>& bitmap, ResizeType resize,
                                  const RCPtr<LColorizer>& colorizer, float alphaModulation,
                                  const RCPtr<LBitmap>& mask) {
  if (!bitmap) return nullptr;
  return RCPtr<LVisualPart>(new LVisualPart(name, bitmap, resize, colorizer, {}, alphaModulation, mask));
}

}  // namespace SV
