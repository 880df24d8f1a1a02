#pragma once
#include <string_view>

namespace SV::Testing {

// Skin resources for text fields: the look list "TextField" gives every look slot of a
// text box (0 to 11) an opaque white face with black text at its top left corner, so
// that clicks hit the box and character n starts at x = 10 n.
inline constexpr std::string_view kTextFieldResources = R"(
<Colorizers>
  <Colorizer Name="White" ColorType="SolidFill" Color="FFFFFFFF"/>
  <Colorizer Name="Black" ColorType="SolidFill" Color="FF000000"/>
</Colorizers>
<Parts>
  <Part Name="Face" Width="4" Height="4" ResizeType="Stretch" ColorizerName="White"/>
  <Part Name="Ink" Width="1" Height="1" ResizeType="Stretch" ColorizerName="Black"/>
</Parts>
<Looks>
  <Look Name="Field">
    <ClientPart Name="Face" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/>
    <TextProperties TextLeftRel="0" TextLeftAbs="0" TextRightRel="1" TextRightAbs="0" TextHAlign="0"
                    TextTopRel="0" TextTopAbs="0" TextBottomRel="1" TextBottomAbs="0" TextVAlign="0"
                    TextForegroundPart="Ink"/>
  </Look>
</Looks>
<LookLists>
  <LookList Name="TextField" NumLooks="12">
    <Look Name="Field" Index="0"/><Look Name="Field" Index="1"/><Look Name="Field" Index="2"/>
    <Look Name="Field" Index="3"/><Look Name="Field" Index="4"/><Look Name="Field" Index="5"/>
    <Look Name="Field" Index="6"/><Look Name="Field" Index="7"/><Look Name="Field" Index="8"/>
    <Look Name="Field" Index="9"/><Look Name="Field" Index="10"/><Look Name="Field" Index="11"/>
  </LookList>
</LookLists>)";

}  // namespace SV::Testing
