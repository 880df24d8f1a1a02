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

LVisualPartDescriptor::~LVisualPartDescriptor() {
  if (!mCachedPart) return;
  mCachedPart->ForgetDescriptor();
  mCachedPart->AddInternalReferences(-1);
  mCachedPart.Reset();
}

RCPtr<LVisualPart> LVisualPartDescriptor::GetVisualPart() {
  if (mCachedPart) return mCachedPart;
  RCPtr<LVisualPart> part = MakeVisualPart();
  if (!part) return nullptr;
  mCachedPart = part;
  part->SetDescriptor(this);
  return part;
}

RCPtr<LVisualPart> LVisualPartDescriptor::MakeVisualPart() {
  const RCPtr<LBitmap> mask = Mask.HasImage() ? GetPartBitmap(Mask) : nullptr;
  if (Image.HasImage()) return SV::MakeVisualPart(Name, GetPartBitmap(Image), Resize, Colorizer, AlphaModulation, mask);
  return CreateVisualPart(Name, Colorizer, PartSize, Resize, AlphaModulation, mask);
}

RCPtr<LBitmap> LVisualPartDescriptor::GetPartBitmap(const ImageArea& area) {
  const RCPtr<LBitmap> bitmap = LBitmap::GetNamedBitmap(area.path);
  if (!bitmap) return nullptr;
  return bitmap->CreateSubBitmap(area.X, area.Y, area.Width, area.Height);
}

RCPtr<LVisualPart> LVisualPartDescriptor::CreateVisualPart(const String& name, const RCPtr<LColorizer>& colorizer,
                                                           Size size, ResizeType resize, float alphaModulation,
                                                           const RCPtr<LBitmap>& mask) {
  if (!colorizer) return nullptr;
  return RCPtr<LVisualPart>(
      new LVisualPart(name, nullptr, resize, colorizer, {size.width, size.height}, alphaModulation, mask));
}

void LVisualPartDescriptor::ForgetVisualPart(const LVisualPart* part) {
  if (mCachedPart.Get() == part) mCachedPart.Reset();
}

}  // namespace SV
