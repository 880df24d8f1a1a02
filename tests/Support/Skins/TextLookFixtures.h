#pragma once
#include "SVFramework/ControlBase/ControlDescriptor.h"
#include "SVFramework/ControlBase/LayoutDescriptor.h"
#include "SVFramework/ControlBase/LookDescriptor.h"
#include "SVFramework/ControlBase/SkinDescriptor.h"

namespace SV::Testing {

// Text edges of a look: left = leftRel x width + leftAbs, and so on.
inline LookTextProperties TextEdges(float leftRel, int32_t leftAbs, float rightRel, int32_t rightAbs, float topRel = 0,
                                    int32_t topAbs = 0, float bottomRel = 1, int32_t bottomAbs = 0) {
  LookTextProperties text;
  text.TextLeftRel = leftRel;
  text.TextLeftAbs = leftAbs;
  text.TextRightRel = rightRel;
  text.TextRightAbs = rightAbs;
  text.TextTopRel = topRel;
  text.TextTopAbs = topAbs;
  text.TextBottomRel = bottomRel;
  text.TextBottomAbs = bottomAbs;
  return text;
}

// A skin whose one look shows the label text within `text` (no look shows text
// without it), in the given font settings.
inline RCPtr<LSkinDescriptor> SkinWithTextLook(const LookTextProperties* text) {
  const RCPtr<LLookDescriptor> look = LLookDescriptor::Create(u"label");
  if (text) look->SetTextProperties(*text, nullptr);
  const RCPtr<LSkinDescriptor> skin = LSkinDescriptor::Create(u"label");
  skin->LookList = RCPtr<LLookList>(new LLookList);
  skin->LookList->Append(look);
  return skin;
}

// A descriptor named `name` with a fresh record and `skin` (may be null).
inline RCPtr<LControlDescriptor> DescriptorWithSkin(const char16_t* name, const RCPtr<LSkinDescriptor>& skin) {
  const RCPtr<LControlDescriptor> descriptor = LControlDescriptor::Create(u"Test.Label", name, nullptr);
  descriptor->Layout = LLayoutDescriptor::Create();
  descriptor->Skin = skin;
  return descriptor;
}

}  // namespace SV::Testing
