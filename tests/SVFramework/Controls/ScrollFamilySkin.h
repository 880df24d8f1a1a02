#pragma once
#include <string>

// Skin pieces shared by the scroll family's tests: opaque looks (so that pointer input
// hits the controls that wear them) with a text rectangle of the whole control, and
// a two-look list for channels (look 1 shows the pressed part).
namespace SV::Testing {

inline constexpr const char* kSolidLooks = R"(
<Colorizers>
  <Colorizer Name="Grey" ColorType="SolidFill" Color="FF808080"/>
  <Colorizer Name="Dark" ColorType="SolidFill" Color="FF202020"/>
</Colorizers>
<Parts>
  <Part Name="GreyFill" Width="4" Height="4" ResizeType="Tile" ColorizerName="Grey"/>
  <Part Name="DarkFill" Width="4" Height="4" ResizeType="Tile" ColorizerName="Dark"/>
</Parts>
<Looks>
  <Look Name="Solid">
    <ClientPart Name="GreyFill" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/>
    <TextProperties TextLeftRel="0" TextLeftAbs="0" TextRightRel="1" TextRightAbs="0" TextHAlign="0"
                    TextTopRel="0" TextTopAbs="0" TextBottomRel="1" TextBottomAbs="0" TextVAlign="0.5"
                    TextForegroundPart="DarkFill"/>
  </Look>
  <Look Name="Pressed">
    <ClientPart Name="DarkFill" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/>
  </Look>
</Looks>
<LookLists>
  <LookList Name="Solid" NumLooks="1"><Look Name="Solid" Index="0"/></LookList>
  <LookList Name="Channel" NumLooks="2"><Look Name="Solid" Index="0"/><Look Name="Pressed" Index="1"/></LookList>
</LookLists>)";

// The skin element that gives a SubControl the solid look.
inline constexpr const char* kSolid = R"(<Skin Name="solid" LookList="Solid"/>)";

}  // namespace SV::Testing
