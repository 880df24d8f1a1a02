#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Graphics/BitmapPixels.h"
#include "SVFramework/Utilities/Graphics/Color.h"
#include "SVFramework/Utilities/Graphics/ColorizeParams.h"
#include "SVFramework/Utilities/PointT.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

class LBitmapData;

// The image type of the skin: an area (x, y, width, height) of the pixels of a pixel
// owner. An owner holds its pixels (area (0, 0, pixel width, pixel height)); a view
// holds its owner and shares its pixels. Images are loaded once by name and shared
// through the named-bitmap cache, whose reference is internal: when the last user
// lets go, the bitmap leaves the cache and is destroyed. UI thread only.
class LBitmap : public LRefCountedObject {
public:
  // Reads the bytes of a built-in image resource by its resource name.
  using ResourceReader = std::function<bool(const std::string& name, std::string& bytes)>;

  // An empty bitmap: area (0, 0, 0, 0), no parent, no pixels.
  LBitmap() = default;
  // Loads the image `name` names: "::" and a resource name for a built-in image (type
  // "GDIPLUS", the name upper-cased with "." and " " turned into "_"), else a file
  // path. A failed load leaves the bitmap without pixels; nothing is raised.
  LBitmap(const String& name, const String& key);

  // The cached bitmap of the name, loaded on the first request; null when it cannot be
  // loaded (nothing is cached then). Resource keys are the name upper-cased; file keys
  // are the canonical path, so two spellings of one file share one entry.
  static RCPtr<LBitmap> GetNamedBitmap(const String& name);
  static uint32_t GetNamedBitmapCount();
  // Replaces where built-in images are read from (null: the program's resources).
  static void SetResourceReader(ResourceReader reader);

  // A view of (x, y, width, height) relative to this area, not clipped; a width or
  // height of 0 or less views the whole area. Its parent is the pixel owner.
  RCPtr<LBitmap> CreateSubBitmap(int32_t x, int32_t y, int32_t width, int32_t height);
  // A new owner with a copy of the area's pixels; without pixels when the copy fails.
  RCPtr<LBitmap> Clone() const;

  // The pixels of the owner: this bitmap's own, else its parent's.
  BitmapPixels* GetNativeBitmap() const;
  // The owner's pixel at this area's (x, y); all channels 0 when it cannot be read.
  Color GetPixelColor(int32_t x, int32_t y) const;
  // A lock of the pixel owner's whole area.
  RCPtr<LBitmapData> GetPixelData();

  int32_t GetX() const { return mX; }
  int32_t GetY() const { return mY; }
  int32_t GetWidth() const { return mWidth; }
  int32_t GetHeight() const { return mHeight; }
  const RCPtr<LBitmap>& GetParent() const { return mParent; }
  const String& GetName() const { return mName; }
  const String& GetKey() const { return mKey; }
  bool HasPixels() const { return mPixels != nullptr; }

  // Leaves the named-bitmap cache when the last user lets go.
  SVRESULT ReleaseInternalReferences() override;

  // Colorizing (rendering half of the skin's colorizers): see BitmapColorizer.cpp.
  // Blends the area's red, green and blue toward the colour in place; alpha is kept.
  static void ApplyColorizer(const RCPtr<LBitmap>& bitmap, const ColorizeParams* colorizer, float opacity);
  // The masked form: always raises the domain error (masked colorizing is not available).
  static void ApplyColorizer(const RCPtr<LBitmap>& bitmap, const ColorizeParams* colorizer, float opacity,
                             const RCPtr<LBitmap>& mask);
  static RCPtr<LBitmap> CreateColorizedBitmap(const ColorizeParams* colorizer, float opacity,
                                              const PointT<int32_t>& size);
  static RCPtr<LBitmap> CreateColorizedPartBitmap(const ColorizeParams* colorizer, float opacity,
                                                  const PointT<int32_t>& size, const RCPtr<LBitmap>& image,
                                                  const RCPtr<LBitmap>& mask);
  static RCPtr<LBitmap> CreateFilledBitmap(const PointT<int32_t>& size, const Color& color);
  // Always raises the domain error: gradient fills are not available.
  static RCPtr<LBitmap> CreateGradientFilledBitmap(const PointT<int32_t>& size, const ColorizeParams& colorizer);

private:
  explicit LBitmap(std::unique_ptr<BitmapPixels> pixels);
  void TakePixels(std::unique_ptr<BitmapPixels> pixels);

  int32_t mX = 0;
  int32_t mY = 0;
  int32_t mWidth = 0;
  int32_t mHeight = 0;
  RCPtr<LBitmap> mParent;
  String mName;
  String mKey;
  std::unique_ptr<BitmapPixels> mPixels;
};

}  // namespace SV
