#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/Colorizer.h"
#include "SVFramework/ControlBase/ResizeType.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Graphics/Bitmap.h"
#include "SVFramework/Utilities/PointT.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

class LRenderer;
class LVisualPartDescriptor;

// One drawable piece of a skin: an image cut from a skin bitmap (already colorized when
// a colorizer applies), or a plain colour from a solid colorizer, with its own size and
// the way it fills a larger rectangle. A part made by a descriptor is cached there and
// shared by every look that uses it; when its last user lets go, the descriptor forgets
// it. Colours are packed 0xAARRGGBB; 0x00FFFFFF is "nothing here". UI thread only.
class LVisualPart : public virtual LRefCountedObject {
public:
  static constexpr uint32_t kTransparent = 0x00FFFFFF;

  // Takes the bitmap's size when a bitmap is given, else `size`. A colorizer over a
  // bitmap or a mask, or a gradient colorizer, colorizes a copy at once; its errors
  // (gradients, an image together with a mask) pass on and no part is made.
  LVisualPart(const String& name, const RCPtr<LBitmap>& bitmap, ResizeType resize, const RCPtr<LColorizer>& colorizer,
              PointT<int32_t> size, float alphaModulation, const RCPtr<LBitmap>& mask);
  ~LVisualPart() override;

  // Draws the part into (0, 0, size rounded) at the current origin; returns 0. A colour
  // part whose alpha comes to 0 draws nothing. Raises when the part has neither a
  // bitmap nor a colorizer.
  virtual SVRESULT Draw(const RCPtr<LRenderer>& renderer, PointT<float> size);
  // The colour at one of the part's own pixels; transparent outside the part.
  uint32_t GetColorAtPoint(PointT<int32_t> point) const;
  // The colour at a point of the part drawn at `drawnSize`. A tiled part of no width or
  // height is transparent everywhere.
  uint32_t GetColorAtPoint(PointT<float> point, PointT<float> drawnSize) const;

  // The descriptor that caches this part (held without a count: the descriptor owns the
  // cache). Counts the cache as an internal reference of the part.
  void SetDescriptor(LVisualPartDescriptor* descriptor);
  // The descriptor went first: nothing to tell when the part goes.
  void ForgetDescriptor() { mDescriptor = nullptr; }
  // Makes the caching descriptor let go once only the cache holds the part.
  SVRESULT ReleaseInternalReferences() override;

  const String& GetName() const { return mName; }
  const RCPtr<LBitmap>& GetBitmap() const { return mBitmap; }
  const RCPtr<LColorizer>& GetColorizer() const { return mColorizer; }
  int32_t GetWidth() const { return mWidth; }
  int32_t GetHeight() const { return mHeight; }
  ResizeType GetResizeType() const { return mResize; }
  float GetAlphaModulation() const { return mAlphaModulation; }

private:
  Color GetColorizerColor() const;
  uint32_t ColorAtTile(PointT<float> point) const;
  uint32_t ColorAtStretch(PointT<float> point, PointT<float> drawnSize) const;

  String mName;
  RCPtr<LBitmap> mBitmap;
  int32_t mWidth = 0;
  int32_t mHeight = 0;
  ResizeType mResize = ResizeType::Stretch;
  RCPtr<LColorizer> mColorizer;
  float mAlphaModulation = 1.0f;
  RCPtr<LBitmap> mMask;
  LVisualPartDescriptor* mDescriptor = nullptr;
};

// A part sized like the bitmap; null without a bitmap (an image that did not load).
RCPtr<LVisualPart> MakeVisualPart(const String& name, const RCPtr<LBitmap>& bitmap, ResizeType resize,
                                  const RCPtr<LColorizer>& colorizer, float alphaModulation,
                                  const RCPtr<LBitmap>& mask);

// The float point rounded half away from zero to whole pixels, saturated to 32 bits.
PointT<int32_t> RoundPointToInt(PointT<float> point);

}  // namespace SV
