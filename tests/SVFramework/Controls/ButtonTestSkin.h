#pragma once
#include <string>
#include <string_view>

#include "SVFramework/ControlBase/Control.h"

namespace SV::Testing {

// Fourteen opaque looks for buttons, so that the pointer hits them and each look
// index can be told apart by its weight.
inline constexpr std::string_view kButtonResources = R"(
<Colorizers><Colorizer Name="Grey" ColorType="SolidFill" Color="FF808080"/></Colorizers>
<Parts><Part Name="Face" Width="4" Height="4" ResizeType="Stretch" ColorizerName="Grey"/></Parts>
<Looks>
  <Look Name="Face">
    <ClientPart Name="Face" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/>
    <TextProperties TextLeftRel="0" TextLeftAbs="0" TextRightRel="1" TextRightAbs="0" TextHAlign="0"
                    TextTopRel="0" TextTopAbs="0" TextBottomRel="1" TextBottomAbs="0" TextVAlign="0.5"
                    TextForegroundPart="Face"/>
  </Look>
</Looks>
<LookLists><LookList Name="Button" NumLooks="14">
  <Look Name="Face" Index="0"/><Look Name="Face" Index="1"/><Look Name="Face" Index="2"/>
  <Look Name="Face" Index="3"/><Look Name="Face" Index="4"/><Look Name="Face" Index="5"/>
  <Look Name="Face" Index="6"/><Look Name="Face" Index="7"/><Look Name="Face" Index="8"/>
  <Look Name="Face" Index="9"/><Look Name="Face" Index="10"/><Look Name="Face" Index="11"/>
  <Look Name="Face" Index="12"/><Look Name="Face" Index="13"/>
</LookList></LookLists>)";

// A button element at (x, 10), 80 x 20, with the fourteen looks and the create
// parameters given as CreateParam elements.
inline std::string ButtonElement(std::string_view name, int x, std::string_view createParams = {},
                                 std::string_view className = "Framework.Button") {
  return "<SubControl Class=\"" + std::string(className) + "\" Name=\"" + std::string(name) +
         "\" XPositionAbs=\"" + std::to_string(x) +
         "\" YPositionAbs=\"10\" XSizeAbs=\"80\" YSizeAbs=\"20\" TabStop=\"1\">"
         "<Skin Name=\"" + std::string(name) + "\" LookList=\"Button\"/><CreateParamList>" +
         std::string(createParams) + "</CreateParamList></SubControl>";
}

inline std::string CreateParam(std::string_view id, std::string_view value) {
  return "<CreateParam ID=\"" + std::string(id) + "\" Type=\"String\">" + std::string(value) + "</CreateParam>";
}

// The index of the one look shown with full weight; -1 when none or several.
inline int32_t ShownLook(const LControl& control) {
  int32_t shown = -1;
  for (uint32_t index = 0; index < control.GetLookCount(); ++index) {
    if (control.GetLookWeight(index) <= 0.0f) continue;
    if (shown >= 0) return -1;
    shown = static_cast<int32_t>(index);
  }
  return shown;
}

}  // namespace SV::Testing
