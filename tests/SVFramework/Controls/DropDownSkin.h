#pragma once
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// Looks for the drop-down widgets' tests: every control that must take the pointer
// wears opaque looks. The list look "Framed" has a frame, so the
// list has a non-client height.
namespace SV::Testing::DropDownSkin {

constexpr std::string_view kLooks =
    R"(<Colorizers><Colorizer Name="Grey" ColorType="SolidFill" Color="FF808080"/></Colorizers>
<Parts><Part Name="Face" Width="4" Height="4" ResizeType="Tile" ColorizerName="Grey"/></Parts>
<Looks>
  <Look Name="Solid"><ClientPart Name="Face" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/></Look>
  <Look Name="Framed"><ClientPart Name="Face" OffsetLeft="2" OffsetTop="2" OffsetRight="2" OffsetBottom="2"/></Look>
</Looks>
<LookLists>
  <LookList Name="Combo" NumLooks="7"><Look Name="Solid" Index="0"/><Look Name="Solid" Index="1"/>
    <Look Name="Solid" Index="2"/><Look Name="Solid" Index="3"/><Look Name="Solid" Index="4"/>
    <Look Name="Solid" Index="5"/><Look Name="Solid" Index="6"/></LookList>
  <LookList Name="List" NumLooks="3"><Look Name="Framed" Index="0"/><Look Name="Framed" Index="1"/>
    <Look Name="Framed" Index="2"/></LookList>
  <LookList Name="Row" NumLooks="14"><Look Name="Solid" Index="0"/><Look Name="Solid" Index="1"/>
    <Look Name="Solid" Index="2"/><Look Name="Solid" Index="3"/><Look Name="Solid" Index="4"/>
    <Look Name="Solid" Index="5"/><Look Name="Solid" Index="6"/><Look Name="Solid" Index="7"/>
    <Look Name="Solid" Index="8"/><Look Name="Solid" Index="9"/><Look Name="Solid" Index="10"/>
    <Look Name="Solid" Index="11"/><Look Name="Solid" Index="12"/><Look Name="Solid" Index="13"/></LookList>
  <LookList Name="Box" NumLooks="14"><Look Name="Solid" Index="0"/><Look Name="Solid" Index="1"/>
    <Look Name="Solid" Index="2"/><Look Name="Solid" Index="3"/><Look Name="Solid" Index="4"/>
    <Look Name="Solid" Index="5"/><Look Name="Solid" Index="6"/><Look Name="Solid" Index="7"/>
    <Look Name="Solid" Index="8"/><Look Name="Solid" Index="9"/><Look Name="Solid" Index="10"/>
    <Look Name="Solid" Index="11"/><Look Name="Solid" Index="12"/><Look Name="Solid" Index="13"/></LookList>
</LookLists>)";

// The "ITEM.nn" entries of `table`, one per text.
inline std::string ItemStrings(const std::string& table, const std::vector<std::string>& texts) {
  std::string strings = "<StringTable ID=\"" + table + "\">";
  for (size_t index = 0; index < texts.size(); ++index) {
    char key[32];
    std::snprintf(key, sizeof key, "ITEM.%02u", static_cast<unsigned>(index));
    strings += std::string("<String ID=\"") + key + "\"><Locale LCID=\"9\">" + texts[index] + "</Locale></String>";
  }
  return strings + "</StringTable>";
}

// "1", "2", ... `count`.
inline std::vector<std::string> Numbers(int count) {
  std::vector<std::string> texts;
  for (int number = 1; number <= count; ++number) texts.push_back(std::to_string(number));
  return texts;
}

}  // namespace SV::Testing::DropDownSkin
