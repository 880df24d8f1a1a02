#pragma once
#include <map>
#include <string>
#include <string_view>

#include "Platform/Resources/ResourceSource.h"

namespace SV::Testing {

// Built-in resources held in memory, by type and name. Any thread once filled.
class MemoryResources final : public ::Platform::Resources::IResourceSource {
public:
  void Add(const std::string& type, const std::string& name, const std::string& bytes) {
    mResources[type + "/" + name] = bytes;
  }
  bool Read(std::string_view type, std::string_view name, std::string& bytes) const override {
    const auto found = mResources.find(std::string(type) + "/" + std::string(name));
    if (found == mResources.end()) return false;
    bytes = found->second;
    return true;
  }

private:
  std::map<std::string, std::string> mResources;
};

// The UTF-8 text as UTF-16 little-endian with a byte-order mark (code points below
// U+10000 only, as the fixture documents use).
inline std::string Utf16LittleEndianWithMark(std::string_view utf8) {
  std::string out("\xFF\xFE", 2);
  for (size_t i = 0; i < utf8.size();) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    char32_t code = byte;
    size_t length = 1;
    if (byte >= 0xE0) {
      code = byte & 0x0F;
      length = 3;
    } else if (byte >= 0xC0) {
      code = byte & 0x1F;
      length = 2;
    }
    for (size_t k = 1; k < length; ++k) code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out += static_cast<char>(code & 0xFF);
    out += static_cast<char>(code >> 8);
    i += length;
  }
  return out;
}

// A string-table document: the declaration, the root element and `body`.
inline std::string StringTableDocument(std::string_view body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Selvane_StringTable_Definitions>\n" + std::string(body) +
         "\n</Selvane_StringTable_Definitions>\n";
}

// A skin document: the declaration, the root element and `body`.
inline std::string SkinDocument(std::string_view body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Selvane_Skin_Definitions>\n" + std::string(body) +
         "\n</Selvane_Skin_Definitions>\n";
}

// A small but complete skin of the editor's shape: named resources, a look list and
// one skin with a main control and two children (in reverse LayoutOrder).
inline constexpr std::string_view kEditorSkinBody = R"(<Application Name="PresetEditor"/>
<Colorizers>
  <Colorizer Name="Red" ColorType="SolidFill" Color="FF0000"/>
  <Colorizer Name="Fade" ColorType="LinearGradient" Color="000000" GradientEndColor="FFFFFF"
             GradientStartX="0" GradientStartY="0.5" GradientEndX="1" GradientEndY="0.5"/>
</Colorizers>
<Parts>
  <Part Name="Face" Width="10" Height="20" ResizeType="Tile" ImageFile="Panel Face.PNG" ImageLocX="1" ImageLocY="2"
        ColorizerName="Fade" ColorizerAlphaMod="0.5" ColorizerMaskFile="Mask.PNG" MaskLocX="3" MaskLocY="4"/>
  <Part Name="Fill" Width="4" Height="5" ResizeType="Center" ColorizerName="Red"/>
</Parts>
<Looks>
  <Look Name="ButtonUp">
    <ClientPart Name="Face" OffsetLeft="1" OffsetTop="2" OffsetRight="3" OffsetBottom="4"/>
    <TextProperties TextLeftRel="0.1" TextLeftAbs="2" TextRightRel="0.9" TextRightAbs="-2" TextHAlign="0.5"
                    TextTopRel="0" TextTopAbs="1" TextBottomRel="1" TextBottomAbs="-1" TextVAlign="0.5"
                    TextForegroundPart="Fill"/>
    <NonClientParts>
      <NonClientPart Name="Fill" OffsetLeft="0" OffsetBottom="0" Width="4"/>
    </NonClientParts>
  </Look>
</Looks>
<LookLists>
  <LookList Name="Button" NumLooks="3">
    <Look Name="ButtonUp" Index="1"/>
  </LookList>
</LookLists>
<Skins>
  <Skin Name="Standard" FontName="Sans" FontSize="9" FontStyle="1">
    <FontLocale LCID="0x0009"/>
    <FontXLat Name="Arial" XLat="Liberation Sans"/>
    <SubControl Class="PresetEditor.MainControl" Name="mainControl" TabStop="5" IsVisible="False"
                XSizeAbs="640" YSizeAbs="480">
      <Skin Name="main" LookList="Button"/>
      <SubControl Class="Framework.Button" Name="second" LayoutOrder="1" FontName="Arial" FontSize="10">
        <Skin Name="button"/>
        <CreateParamList>
          <CreateParam ID="TEXT" Type="String">a&amp;b</CreateParam>
        </CreateParamList>
      </SubControl>
      <SubControl Class="Framework.Label" Name="first" LayoutOrder="0" TabStop="5" XPositionToControl="second"/>
    </SubControl>
  </Skin>
</Skins>)";

}  // namespace SV::Testing
