#pragma once
#include <string>
#include <string_view>

namespace SV::Testing {

// Looks for menus: opaque grey faces whose labels start at the left edge (10 pixels a
// character with the measuring renderer), for popups (3), menu titles (4), rows (14),
// check boxes (9) and labels (1). Their names do not clash with the text field's resources.
inline constexpr std::string_view kMenuResources = R"(
<Colorizers><Colorizer Name="MenuGrey" ColorType="SolidFill" Color="FF808080"/>
  <Colorizer Name="MenuInk" ColorType="SolidFill" Color="FF000000"/></Colorizers>
<Parts><Part Name="MenuFace" Width="4" Height="4" ResizeType="Stretch" ColorizerName="MenuGrey"/>
  <Part Name="MenuInk" Width="1" Height="1" ResizeType="Stretch" ColorizerName="MenuInk"/></Parts>
<Looks><Look Name="MenuSolid"><ClientPart Name="MenuFace" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/>
  <TextProperties TextLeftRel="0" TextLeftAbs="0" TextRightRel="1" TextRightAbs="0" TextHAlign="0"
                  TextTopRel="0" TextTopAbs="0" TextBottomRel="1" TextBottomAbs="0" TextVAlign="0"
                  TextForegroundPart="MenuInk"/></Look></Looks>
<LookLists>
    <LookList Name="MenuLabel" NumLooks="1"><Look Name="MenuSolid" Index="0"/></LookList>
  <LookList Name="Title" NumLooks="4"><Look Name="MenuSolid" Index="0"/><Look Name="MenuSolid" Index="1"/>
    <Look Name="MenuSolid" Index="2"/><Look Name="MenuSolid" Index="3"/></LookList>
  <LookList Name="Menu" NumLooks="3"><Look Name="MenuSolid" Index="0"/><Look Name="MenuSolid" Index="1"/>
    <Look Name="MenuSolid" Index="2"/></LookList>
  <LookList Name="Check" NumLooks="9"><Look Name="MenuSolid" Index="0"/><Look Name="MenuSolid" Index="1"/>
    <Look Name="MenuSolid" Index="2"/><Look Name="MenuSolid" Index="3"/><Look Name="MenuSolid" Index="4"/>
    <Look Name="MenuSolid" Index="5"/><Look Name="MenuSolid" Index="6"/><Look Name="MenuSolid" Index="7"/>
    <Look Name="MenuSolid" Index="8"/></LookList>
  <LookList Name="Row" NumLooks="14"><Look Name="MenuSolid" Index="0"/><Look Name="MenuSolid" Index="1"/>
    <Look Name="MenuSolid" Index="2"/><Look Name="MenuSolid" Index="3"/><Look Name="MenuSolid" Index="4"/>
    <Look Name="MenuSolid" Index="5"/><Look Name="MenuSolid" Index="6"/><Look Name="MenuSolid" Index="7"/>
    <Look Name="MenuSolid" Index="8"/><Look Name="MenuSolid" Index="9"/><Look Name="MenuSolid" Index="10"/>
    <Look Name="MenuSolid" Index="11"/><Look Name="MenuSolid" Index="12"/><Look Name="MenuSolid" Index="13"/></LookList>
</LookLists>)";

// The row of every popup: 20 high, a 16-pixel check box at its left, the key text in
// a label whose right edge is 4 pixels inside the row: the room besides the texts is
// 16 + 4 + 20 = 40 pixels.
inline constexpr std::string_view kMenuRow = R"(
  <SubControl Class="Framework.MenuItem" Name="templateItem" XSizeToControl="Parent" XSizeRel="1" YSizeAbs="20">
    <Skin Name="row" LookList="Row"/>
    <SubControl Class="Framework.Button" Name="checkBox" XSizeAbs="16" YSizeAbs="16">
      <Skin Name="check" LookList="Check"/>
      <CreateParamList><CreateParam ID="AUTO_VALUE_SET" Type="String">true</CreateParam></CreateParamList>
    </SubControl>
    <SubControl Class="Framework.Label" Name="hotKeyLabel" XPositionRel="1" XPositionAbs="-64" XSizeAbs="60" YSizeAbs="20">
      <Skin Name="key" LookList="MenuLabel"/></SubControl>
  </SubControl>)";

// A popup 100 x 100: rows and, with `submenus`, a submenu template that is made only
// on demand.
inline std::string PopupSkin(std::string_view name, std::string_view attributes, bool submenus = true) {
  const std::string row(kMenuRow);
  const std::string submenu =
      R"(<SubControl Class="Framework.PopupMenu" Name="submenu" XSizeAbs="100" YSizeAbs="100">
           <Skin Name="sub" LookList="Menu"/>
           <CreateParamList><CreateParam ID="DEFER_CREATE" Type="String">true</CreateParam></CreateParamList>)" +
      row + "</SubControl>";
  return std::string(R"(<SubControl Class="Framework.PopupMenu" Name=")") + std::string(name) + "\" " +
         std::string(attributes) + R"( XSizeAbs="100" YSizeAbs="100"><Skin Name="menu" LookList="Menu"/>)" + row +
         (submenus ? submenu : std::string()) + "</SubControl>";
}

// A menu title 60 x 20 named `name` with its popup below it (X offset
// `popupOffset`); `attributes` place the title.
inline std::string MenuTitleSkin(std::string_view name, std::string_view attributes, int popupOffset = 0) {
  return std::string(R"(<SubControl Class="Framework.ComboMenu" Name=")") + std::string(name) + "\" " +
         std::string(attributes) + R"( XSizeAbs="60" YSizeAbs="20"><Skin Name="title" LookList="Title"/>)" +
         PopupSkin("popupMenu", "XPositionAbs=\"" + std::to_string(popupOffset) +
                                    R"(" YPositionRel="1" ClipToParent="0" Z_Order="1000")") +
         "</SubControl>";
}

// A menu bar 400 x 20 at the window's top whose titles are made from its
// "templateMenu"; its string table "Test.Window|mainMenu" gives the titles and menus.
inline std::string MenuBarSkin() {
  return std::string(R"(<SubControl Class="Framework.MainMenu" Name="mainMenu" XSizeAbs="400" YSizeAbs="20">
                          <Skin Name="bar" LookList="MenuLabel"/>)") +
         MenuTitleSkin("templateMenu", "") + "</SubControl>";
}

}  // namespace SV::Testing
