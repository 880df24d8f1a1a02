#include "SVFramework/ControlBase/VisualPartDescriptor.h"

namespace SV {

RCPtr<LVisualPartDescriptor> LVisualPartDescriptor::CreateImagePart(const String& name, const ImageArea& image,
                                                                    ResizeType resize,
                                                                    const RCPtr<LColorizer>& colorizer,
                                                                    float alphaModulation, const ImageArea& mask) {
  if (!image.HasImage()) return {};
  RCPtr<LVisualPartDescriptor> part(new LVisualPartDescriptor());
  part->Name = name;
  part->Image = image;
  part->PartSize = {image.Width, image.Height};
  part->Resize = resize;
  part->Colorizer = colorizer;
  part->AlphaModulation = alphaModulation;
  part->Mask = mask;
  return part;
}

RCPtr<LVisualPartDescriptor> LVisualPartDescriptor::CreateColorizerPart(const String& name,
                                                                        const RCPtr<LColorizer>& colorizer, Size size,
                                                                        ResizeType resize, float alphaModulation,
                                                                        const ImageArea& mask) {
  if (!colorizer) return {};
  RCPtr<LVisualPartDescriptor> part(new LVisualPartDescriptor());
  part->Name = name;
  part->PartSize = size;
  part->Resize = resize;
  part->Colorizer = colorizer;
  part->AlphaModulation = alphaModulation;
  part->Mask = mask;
  return part;
}

}  // namespace SV
