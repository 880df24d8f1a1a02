#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/Colorizer.h"
#include "SVFramework/ControlBase/ImageArea.h"
#include "SVFramework/ControlBase/ResizeType.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// One part of the skin: an area of an image, optionally tinted by a colorizer, or a
// plain colour area filled by a colorizer; with how it fills a larger rectangle and
// an optional mask for the colorizer. Immutable after loading; shared freely.
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

  String Name;
  ImageArea Image;
  Size PartSize;
  ResizeType Resize = ResizeType::Stretch;
  RCPtr<LColorizer> Colorizer;
  float AlphaModulation = 1.0f;
  ImageArea Mask;

protected:
  LVisualPartDescriptor() = default;
};

}  // namespace SV
