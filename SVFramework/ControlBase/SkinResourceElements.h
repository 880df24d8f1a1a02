#pragma once
#include <string_view>
#include "SVFramework/ControlBase/SkinReaderState.h"
#include "SVFramework/ControlBase/SkinRegistry.h"
#include "SVFramework/ControlBase/XmlAttributes.h"

namespace SV {

// The skin elements that define named resources: colorizers, parts, looks with their
// docked parts and text, look lists and the looks referenced in them. A reference
// to a name not yet registered counts as absent; an element that lacks a required
// attribute, or that needs a current look or look list that is not there, is
// ignored. UI thread, inside one parse.
class SkinResourceElements {
public:
  // Look lists larger than this are taken for damaged input and ignored.
  static constexpr int32_t kMaxLooksPerList = 0xFFFF;

  SkinResourceElements(SkinRegistry& registry, SkinReaderState& state) : mRegistry(registry), mState(state) {}

  // Handles the element when it is one of these; false when it is not.
  bool Start(std::string_view name, const XmlAttributes& attributes);
  // "Looks" ends the looks section; false for any other element.
  bool End(std::string_view name);

private:
  void Colorizer(const XmlAttributes& attributes);
  void Part(const XmlAttributes& attributes);
  void Look(const XmlAttributes& attributes);
  void ClientPart(const XmlAttributes& attributes);
  void TextProperties(const XmlAttributes& attributes);
  void NonClientPart(const XmlAttributes& attributes);
  void LookList(const XmlAttributes& attributes);
  void LookReference(const XmlAttributes& attributes);
  RCPtr<LVisualPartDescriptor> NamedPart(const XmlAttributes& attributes, const char16_t* attribute) const;
  void GiveCurrentControlTheLookList(const RCPtr<LLookList>& list) const;

  SkinRegistry& mRegistry;
  SkinReaderState& mState;
};

}  // namespace SV
