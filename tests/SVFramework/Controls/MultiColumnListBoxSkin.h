#pragma once
#include <string>

// A table 200 x 100 at (10, 10) with three columns 100 wide (so it scrolls sideways
// by 100), header buttons 16 high above them and rows 20 high: the columns' frames
// (2) leave room for four rows. Looks from DropDownSkin::kLooks.
namespace SV::Testing::MultiColumnListBoxSkin {

inline std::string Column(int number) {
  const std::string n = std::to_string(number);
  return R"(<SubControl Class="Framework.listboxNoScroll" Name="listboxNoScroll)" + n + R"(" TabStop="1"
      XPositionAbs=")" + std::to_string((number - 1) * 100) + R"(" YPositionAbs="16" XSizeAbs="100" YSizeAbs="84">
    <Skin Name="column" LookList="List"/>
    <SubControl Class="Framework.ListBoxItem" Name="templateItem" XSizeToControl="Parent" XSizeRel="1" YSizeAbs="20">
      <Skin Name="row" LookList="Row"/></SubControl>
  </SubControl>)";
}

inline std::string Header(int number) {
  return R"(<SubControl Class="Framework.Button" Name="buttonColumnHeader)" + std::to_string(number) +
         R"(" XPositionAbs=")" + std::to_string((number - 1) * 100) +
         R"(" YPositionAbs="0" XSizeAbs="100" YSizeAbs="16"><Skin Name="header" LookList="Box"/></SubControl>)";
}

// A vertical bar 16 wide at the table's right edge.
inline std::string VerticalBar() {
  return R"(<SubControl Class="Framework.ScrollBar" Name="vBar" XIsDocked="True" YIsDocked="True"
      XPositionToControl="Parent" XPositionRel="1" XPlacementAnchor="1" XSizeAbs="16" YPositionAbs="16"
      YSizeAbs="84"/>)";
}

inline std::string Table(int columns, int headers, const std::string& name = "table", bool bar = false) {
  std::string skin = R"(<SubControl Class="Framework.listbox2ColumnSortable" Name=")" + name +
                     R"(" XPositionAbs="10" YPositionAbs="10" XSizeAbs="200" YSizeAbs="100">
    <Skin Name="table" LookList="Combo"/>)";
  if (bar) skin += VerticalBar();
  for (int number = 1; number <= headers; ++number) skin += Header(number);
  for (int number = 1; number <= columns; ++number) skin += Column(number);
  return skin + "</SubControl>";
}

}  // namespace SV::Testing::MultiColumnListBoxSkin
