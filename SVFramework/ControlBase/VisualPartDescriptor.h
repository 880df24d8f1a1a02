#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/Colorizer.h"
#include "SVFramework/ControlBase/ImageArea.h"
#include "SVFramework/ControlBase/ResizeType.h"
#include "SVFramework/ControlBase/VisualPart.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// One part of the skin: an area of an image, optionally tinted by a colorizer, or a
// plain colour area filled by a colorizer; with how it fills a larger rectangle and
// an optional mask for the colorizer. Immutable after loading, but for the drawable
// part it makes on first use and caches until the part's last user lets go. UI thread
// only.
class LVisualPartDescriptor : public virtual LRefCountedObject {
public:
  struct Size {
    int32_t width = 0;
    int32_t height = 0;
  };

  // An image part whose size is the area's; empty when the area names no image.
  static RCPtr<LVisualPartDescriptor> CreateImagePart(const String& name, const ImageArea& image, ResizeType resize,
                                                      const RCPtr<LColorizer>& colorizer, float alphaModulation,
                                                      const ImageArea& mask);
  // A colour part of the given size; empty without a colorizer.
  static RCPtr<LVisualPartDescriptor> CreateColorizerPart(const String& name, const RCPtr<LColorizer>& colorizer,
                                                          Size size, ResizeType resize, float alphaModulation,
                                                          const ImageArea& mask);

  bool IsImagePart() const { return Image.HasImage(); }

  ~LVisualPartDescriptor() override;
  // The cached part, made on first use. Null, and nothing cached, when the image does
  // not load or there is neither an image nor a colorizer. Colorizing errors pass on.
  RCPtr<LVisualPart> GetVisualPart();
  // The named bitmap (loaded once, shared) cut to the area; null when it does not load.
  static RCPtr<LBitmap> GetPartBitmap(const ImageArea& area);
  // A part without a bitmap of the given size; null without a colorizer.
  static RCPtr<LVisualPart> CreateVisualPart(const String& name, const RCPtr<LColorizer>& colorizer, Size size,
                                             ResizeType resize, float alphaModulation, const RCPtr<LBitmap>& mask);
  // Called by the cached part when only the cache still holds it.
  void ForgetVisualPart(const LVisualPart* part);
  bool HasCachedPart() const { return static_cast<bool>(mCachedPart); }


  String Name;
  ImageArea Image;
  Size PartSize;
  ResizeType Resize = ResizeType::Stretch;
  RCPtr<LColorizer> Colorizer;
  float AlphaModulation = 1.0f;
  ImageArea Mask;

protected:
  LVisualPartDescriptor() = default;

private:
  RCPtr<LVisualPart> MakeVisualPart();

  RCPtr<LVisualPart> mCachedPart;
};

}  // namespace SV
