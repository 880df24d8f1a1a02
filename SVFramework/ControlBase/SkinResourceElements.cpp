#include "SVFramework/ControlBase/SkinResourceElements.h"

namespace SV {

namespace {

ColorizerType ColorizerTypeOfWord(const String& word) {
  if (word == u"LinearGradient") return ColorizerType::LinearGradient;
  if (word == u"RadialGradient") return ColorizerType::RadialGradient;
  return ColorizerType::SolidFill;
}

ResizeType ResizeTypeOfWord(const String& word) {
  if (word == u"Tile") return ResizeType::Tile;
  if (word == u"Center") return ResizeType::Center;
  return ResizeType::Stretch;
}

Color ColorOf(const XmlAttributes& attributes, const char16_t* name) {
  Color color;
  String text;
  if (attributes.GetString(name, text)) color.SetFromHexString(text.ToUTF8().GetString());
  return color;
}

int32_t NumberOr(const XmlAttributes& attributes, const char16_t* name, int32_t fallback) {
  attributes.GetNumber(name, fallback);
  return fallback;
}

// An image area of the part's size when the file is named and both locations given.
bool ReadImageArea(const XmlAttributes& attributes, const char16_t* file, const char16_t* x, const char16_t* y,
                   ImageArea& area) {
  String fileName;
  if (!attributes.GetString(file, fileName) || fileName.IsEmpty() || !attributes.HasAll({x, y})) return false;
  area.path = fileName;
  attributes.GetNumber(x, area.X);
  attributes.GetNumber(y, area.Y);
  attributes.GetNumber(u"Width", area.Width);
  attributes.GetNumber(u"Height", area.Height);
  return true;
}

}  // namespace

bool SkinResourceElements::Start(std::string_view name, const XmlAttributes& attributes) {
  if (name == "Looks") {
    mState.inLooks = true;
  } else if (name == "LookLists") {
    mState.currentControl = nullptr;
  } else if (name == "Colorizer") {
    Colorizer(attributes);
  } else if (name == "Part") {
    Part(attributes);
  } else if (name == "Look") {
    if (mState.inLooks)
      Look(attributes);
    else
      LookReference(attributes);
  } else if (name == "ClientPart") {
    ClientPart(attributes);
  } else if (name == "TextProperties") {
    TextProperties(attributes);
  } else if (name == "NonClientPart") {
    NonClientPart(attributes);
  } else if (name == "LookList") {
    LookList(attributes);
  } else {
    return false;
  }
  return true;
}

bool SkinResourceElements::End(std::string_view name) {
  if (name != "Looks") return false;
  mState.inLooks = false;
  return true;
}

void SkinResourceElements::Colorizer(const XmlAttributes& attributes) {
  String name, typeWord;
  if (!attributes.GetString(u"Name", name) || !attributes.GetString(u"ColorType", typeWord) ||
      !attributes.Has(u"Color"))
    return;
  LColorizer::Values values;
  values.type = ColorizerTypeOfWord(typeWord);
  values.color = ColorOf(attributes, u"Color");
  if (values.type != ColorizerType::SolidFill) {
    if (attributes.HasAll({u"GradientEndColor", u"GradientStartX", u"GradientStartY", u"GradientEndX",
                           u"GradientEndY"})) {
      values.gradientEndColor = ColorOf(attributes, u"GradientEndColor");
      attributes.GetFloat(u"GradientStartX", values.gradientStartX);
      attributes.GetFloat(u"GradientStartY", values.gradientStartY);
      attributes.GetFloat(u"GradientEndX", values.gradientEndX);
      attributes.GetFloat(u"GradientEndY", values.gradientEndY);
    } else {
      values.type = ColorizerType::SolidFill;
    }
  }
  SkinRegistry::Register(mRegistry.colorizers, name, LColorizer::Create(name, values));
}

void SkinResourceElements::Part(const XmlAttributes& attributes) {
  String name, resizeWord, colorizerName;
  if (!attributes.GetString(u"Name", name) || !attributes.HasAll({u"Width", u"Height"}) ||
      !attributes.GetString(u"ResizeType", resizeWord))
    return;
  const ResizeType resize = ResizeTypeOfWord(resizeWord);
  ImageArea image;
  const bool hasImage = ReadImageArea(attributes, u"ImageFile", u"ImageLocX", u"ImageLocY", image);
  RCPtr<LColorizer> colorizer;
  if (attributes.GetString(u"ColorizerName", colorizerName))
    colorizer = SkinRegistry::Find(mRegistry.colorizers, colorizerName);
  if (!hasImage && !colorizer) return;

  float alpha = 1.0f;
  attributes.GetFloat(u"ColorizerAlphaMod", alpha);
  ImageArea mask;
  if (ReadImageArea(attributes, u"ColorizerMaskFile", u"MaskLocX", u"MaskLocY", mask))
    mask.path = mRegistry.baseFolder + mask.path;
  RCPtr<LVisualPartDescriptor> part;
  if (hasImage) {
    image.path = mRegistry.baseFolder + image.path.ToLower();
    part = LVisualPartDescriptor::CreateImagePart(name, image, resize, colorizer, alpha, mask);
  } else {
    const LVisualPartDescriptor::Size size{NumberOr(attributes, u"Width", 0), NumberOr(attributes, u"Height", 0)};
    part = LVisualPartDescriptor::CreateColorizerPart(name, colorizer, size, resize, alpha, mask);
  }
  SkinRegistry::Register(mRegistry.parts, name, part);
}

void SkinResourceElements::Look(const XmlAttributes& attributes) {
  String name;
  if (!attributes.GetString(u"Name", name)) return;
  mState.currentLook = LLookDescriptor::Create(name);
  SkinRegistry::Register(mRegistry.looks, name, mState.currentLook);
}

RCPtr<LVisualPartDescriptor> SkinResourceElements::NamedPart(const XmlAttributes& attributes,
                                                             const char16_t* attribute) const {
  String partName;
  if (!attributes.GetString(attribute, partName)) return {};
  return SkinRegistry::Find(mRegistry.parts, partName);
}

void SkinResourceElements::ClientPart(const XmlAttributes& attributes) {
  if (!mState.currentLook ||
      !attributes.HasAll({u"Name", u"OffsetLeft", u"OffsetTop", u"OffsetRight", u"OffsetBottom"}))
    return;
  const RCPtr<LVisualPartDescriptor> part = NamedPart(attributes, u"Name");
  if (!part) return;
  const LDockedPart::Offsets offsets{NumberOr(attributes, u"OffsetLeft", 0), NumberOr(attributes, u"OffsetTop", 0),
                                     NumberOr(attributes, u"OffsetRight", 0),
                                     NumberOr(attributes, u"OffsetBottom", 0)};
  mState.currentLook->SetClientPart(
      LDockedPart::Create(part, LDockedPart::kAllOffsetsGiven, offsets, false, 0, false, 0));
}

void SkinResourceElements::TextProperties(const XmlAttributes& attributes) {
  if (!mState.currentLook ||
      !attributes.HasAll({u"TextLeftRel", u"TextLeftAbs", u"TextRightRel", u"TextRightAbs", u"TextHAlign",
                          u"TextTopRel", u"TextTopAbs", u"TextBottomRel", u"TextBottomAbs", u"TextVAlign"}))
    return;
  const RCPtr<LVisualPartDescriptor> foreground = NamedPart(attributes, u"TextForegroundPart");
  if (!foreground) return;
  LookTextProperties text;
  attributes.GetFloat(u"TextLeftRel", text.TextLeftRel);
  attributes.GetNumber(u"TextLeftAbs", text.TextLeftAbs);
  attributes.GetFloat(u"TextRightRel", text.TextRightRel);
  attributes.GetNumber(u"TextRightAbs", text.TextRightAbs);
  attributes.GetFloat(u"TextHAlign", text.TextHAlign);
  attributes.GetFloat(u"TextTopRel", text.TextTopRel);
  attributes.GetNumber(u"TextTopAbs", text.TextTopAbs);
  attributes.GetFloat(u"TextBottomRel", text.TextBottomRel);
  attributes.GetNumber(u"TextBottomAbs", text.TextBottomAbs);
  attributes.GetFloat(u"TextVAlign", text.TextVAlign);
  mState.currentLook->SetTextProperties(text, foreground);
}

void SkinResourceElements::NonClientPart(const XmlAttributes& attributes) {
  if (!mState.currentLook) return;
  const RCPtr<LVisualPartDescriptor> part = NamedPart(attributes, u"Name");
  if (!part) return;
  int32_t given = 0;
  LDockedPart::Offsets offsets;
  if (attributes.GetNumber(u"OffsetLeft", offsets.left)) given |= LDockedPart::kLeftGiven;
  if (attributes.GetNumber(u"OffsetTop", offsets.top)) given |= LDockedPart::kTopGiven;
  if (attributes.GetNumber(u"OffsetRight", offsets.right)) given |= LDockedPart::kRightGiven;
  if (attributes.GetNumber(u"OffsetBottom", offsets.bottom)) given |= LDockedPart::kBottomGiven;
  const int32_t width = NumberOr(attributes, u"Width", 0);
  const int32_t height = NumberOr(attributes, u"Height", 0);
  mState.currentLook->NonClientParts.Append(
      LDockedPart::Create(part, given, offsets, width > 0, width, height > 0, height));
}

void SkinResourceElements::GiveCurrentControlTheLookList(const RCPtr<LLookList>& list) const {
  // A control that has no skin yet has nowhere to keep a look list.
  if (mState.currentControl && mState.currentControl->Skin) mState.currentControl->Skin->LookList = list;
}

void SkinResourceElements::LookList(const XmlAttributes& attributes) {
  String name;
  if (!attributes.GetString(u"Name", name) || !attributes.Has(u"NumLooks")) return;
  if (const RCPtr<LLookList> existing = SkinRegistry::Find(mRegistry.lookLists, name)) {
    GiveCurrentControlTheLookList(existing);
    mState.currentLookList = nullptr;
    return;
  }
  const int32_t count = NumberOr(attributes, u"NumLooks", 0);
  if (count < 0 || count > kMaxLooksPerList) {
    mState.currentLookList = nullptr;
    return;
  }
  mState.currentLookList = RCPtr<LLookList>(new LLookList(static_cast<uint32_t>(count), 0));
  SkinRegistry::Register(mRegistry.lookLists, name, mState.currentLookList);
  GiveCurrentControlTheLookList(mState.currentLookList);
}

void SkinResourceElements::LookReference(const XmlAttributes& attributes) {
  String name;
  int32_t index = 0;
  if (!mState.currentLookList || !attributes.GetString(u"Name", name) || !attributes.GetInt(u"Index", index)) return;
  if (index < 0 || static_cast<uint32_t>(index) >= mState.currentLookList->GetCount()) return;
  if (const RCPtr<LLookDescriptor> look = SkinRegistry::Find(mRegistry.looks, name))
    (*mState.currentLookList)[static_cast<uint32_t>(index)] = look;
}

}  // namespace SV
