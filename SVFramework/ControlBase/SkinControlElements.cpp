#include "SVFramework/ControlBase/SkinControlElements.h"

#include <stdexcept>

#include "SVFramework/ControlBase/LayoutAttributes.h"
#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/Utilities/Storage/ArrayUtils.h"

namespace SV {

namespace {

[[noreturn]] void RaiseBadSubControl() {
  SV_RAISE(std::runtime_error, "Bad Subcontrol Element", "SV::LControlFactory::XMLStartElement");
}

}  // namespace

bool SkinControlElements::Start(std::string_view name, const XmlAttributes& attributes) {
  if (name == "Skin") {
    Skin(attributes);
  } else if (name == "FontLocale") {
    attributes.GetNumber(u"LCID", mState.fontLocale);
  } else if (name == "FontXLat") {
    FontTranslation(attributes);
  } else if (name == "SubControl") {
    SubControl(attributes);
  } else if (name == "CreateParamList") {
    mState.currentParameters = LStringTable::Create();
  } else if (name == "CreateParam") {
    CreateParam(attributes);
  } else {
    return false;
  }
  return true;
}

bool SkinControlElements::End(std::string_view name) {
  if (name == "SubControl") {
    EndSubControl();
  } else if (name == "Skin") {
    EndSkin();
  } else if (name == "CreateParamList") {
    if (mState.currentControl) mState.currentControl->SetCreateParams(mState.currentParameters);
  } else if (name == "CreateParam") {
    mState.parameterPending = false;
  } else {
    return false;
  }
  return true;
}

void SkinControlElements::ParameterText(const String& piece) {
  if (!mState.parameterPending || !mState.currentParameters) return;
  const char16_t* id = mState.currentId.GetString();
  if (mState.parameterHasText)
    mState.currentParameters->AppendString(id, piece);
  else
    mState.currentParameters->SetString(id, piece);
  mState.parameterHasText = true;
}

String SkinControlElements::TranslateFontName(const String& fontName) const {
  const auto found = mRegistry.fontTranslations.find(fontName);
  return found == mRegistry.fontTranslations.end() ? fontName : found->second;
}

void SkinControlElements::Skin(const XmlAttributes& attributes) {
  String name;
  if (!attributes.GetString(u"Name", name)) return;
  RCPtr<LSkinDescriptor> skin = LSkinDescriptor::Create(name);
  if (!mState.currentControl) {
    mState.currentControl = LControlDescriptor::Create(LControlDescriptor::kSkinRootClass, mRegistry.applicationName,
                                                       nullptr);
    mRegistry.currentSkinIndex = mRegistry.skins.Append(mState.currentControl);
    attributes.GetString(u"FontName", skin->FontName);
    attributes.GetFloat(u"FontSize", skin->FontSize);
    attributes.GetNumber(u"FontStyle", skin->FontStyle);
    mRegistry.fontTranslations.clear();
  } else {
    skin->FontName = TranslateFontName(mState.pendingFont.name);
    skin->FontSize = mState.pendingFont.size;
    skin->FontStyle = mState.pendingFont.style;
    skin->FontInheritsFromParent = mState.pendingFont.inheritsFromParent;
    skin->FontSizeIsRelative = mState.pendingFont.sizeIsRelative;
    String lookListName;
    if (attributes.GetString(u"LookList", lookListName))
      if (RCPtr<LLookList> list = SkinRegistry::Find(mRegistry.lookLists, lookListName)) skin->LookList = list;
  }
  mState.currentControl->SetSkin(skin);
}

void SkinControlElements::EndSkin() {
  const int32_t index = mRegistry.currentSkinIndex;
  if (!mState.currentControl || index < 0 || static_cast<uint32_t>(index) >= mRegistry.skins.GetCount()) return;
  if (mRegistry.skins[static_cast<uint32_t>(index)].Get() == mState.currentControl.Get())
    mState.currentControl = nullptr;
}

void SkinControlElements::FontTranslation(const XmlAttributes& attributes) {
  if (mState.fontLocale != mState.language) return;
  String name, replacement;
  attributes.GetString(u"Name", name);
  attributes.GetString(u"XLat", replacement);
  mRegistry.fontTranslations.try_emplace(name, replacement);
  // Outside a control with a skin there is no font to rename.
  if (!mState.currentControl || !mState.currentControl->Skin) return;
  if (mState.currentControl->Skin->FontName == name) mState.currentControl->Skin->FontName = replacement;
}

int32_t SkinControlElements::DepthOfCurrentControl() const {
  int32_t depth = 0;
  for (const LControlDescriptor* control = mState.currentControl.Get(); control && depth <= kMaxNesting;
       control = control->Parent)
    ++depth;
  return depth;
}

void SkinControlElements::SubControl(const XmlAttributes& attributes) {
  String className, name;
  if (!attributes.GetString(u"Class", className) || !attributes.GetString(u"Name", name)) RaiseBadSubControl();
  if (!mState.currentControl || DepthOfCurrentControl() > kMaxNesting) RaiseBadSubControl();
  LControlDescriptor* parent = mState.currentControl.Get();
  RCPtr<LControlDescriptor> control = LControlDescriptor::Create(className, name, parent);
  parent->AddChild(control);
  RCPtr<LLayoutDescriptor> layout = LLayoutDescriptor::Create();
  LayoutAttributes::Read(attributes, parent->IsSkinRoot(), *layout);
  control->SetLayout(layout);
  mState.currentControl = control;
  ReadPendingFont(attributes);
}

void SkinControlElements::ReadPendingFont(const XmlAttributes& attributes) {
  PendingFont font;
  attributes.GetBool(u"FontInheritsFromParent", font.inheritsFromParent);
  attributes.GetBool(u"FontSizeIsRelative", font.sizeIsRelative);
  attributes.GetString(u"FontName", font.name);
  if (!attributes.GetFloat(u"FontSize", font.size)) font.sizeIsRelative = false;
  attributes.GetNumber(u"FontStyle", font.style);
  mState.pendingFont = font;
}

void SkinControlElements::EndSubControl() {
  if (!mState.currentControl) return;
  auto& children = mState.currentControl->Children;
  ArrayUtils::Sort(children, 0, children.GetCount(),
                   [](const RCPtr<LControlDescriptor>& a, const RCPtr<LControlDescriptor>& b) {
                     return a->Layout && b->Layout && a->Layout->LayoutOrder < b->Layout->LayoutOrder;
                   });
  mState.currentControl = RCPtr<LControlDescriptor>(mState.currentControl->Parent);
}

void SkinControlElements::CreateParam(const XmlAttributes& attributes) {
  if (!attributes.GetString(u"ID", mState.currentId)) return;
  mState.parameterPending = true;
  mState.parameterHasText = false;
}

}  // namespace SV
