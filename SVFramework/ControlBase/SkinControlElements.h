#pragma once
#include <string_view>
#include <cstdint>

#include "SVFramework/ControlBase/SkinReaderState.h"
#include "SVFramework/ControlBase/SkinRegistry.h"
#include "SVFramework/ControlBase/XmlAttributes.h"

namespace SV {

// The skin elements that describe skins and their controls: Skin, SubControl with
// its layout and font attributes, create parameters and font translations. A
// SubControl without Class or Name, outside any Skin, or nested deeper than
// kMaxNesting raises the "Bad Subcontrol Element" runtime error, which ends the
// parse. UI thread, inside one parse.
class SkinControlElements {
public:
  // Deeper SubControl nesting than this is taken for damaged input.
  static constexpr int32_t kMaxNesting = 256;

  SkinControlElements(SkinRegistry& registry, SkinReaderState& state) : mRegistry(registry), mState(state) {}

  bool Start(std::string_view name, const XmlAttributes& attributes);
  bool End(std::string_view name);
  // A piece of character data of an open CreateParam: the first piece replaces the
  // value, later ones are appended.
  void ParameterText(const String& piece);

  // The replacement registered for the font name, or the name itself.
  String TranslateFontName(const String& fontName) const;

private:
  void Skin(const XmlAttributes& attributes);
  void FontTranslation(const XmlAttributes& attributes);
  void SubControl(const XmlAttributes& attributes);
  void CreateParam(const XmlAttributes& attributes);
  void EndSubControl();
  void EndSkin();
  void ReadPendingFont(const XmlAttributes& attributes);
  int32_t DepthOfCurrentControl() const;

  SkinRegistry& mRegistry;
  SkinReaderState& mState;
};

}  // namespace SV
