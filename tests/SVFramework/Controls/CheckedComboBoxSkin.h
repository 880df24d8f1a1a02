#pragma once
#include <string>

// A checked combo 100 x 25 at (10, 100) with its own check box (16 x 16 at its left)
// and a checked list below it whose rows are 21 high with a 16 x 16 check box each; a
// button "other" far away takes the focus. Looks from DropDownSkin::kLooks.
namespace SV::Testing::CheckedComboBoxSkin {

inline std::string Combo(const std::string& name = "combo", const std::string& listClass = "Framework.CheckedListBox",
                         const std::string& comboClass = "Framework.CheckedComboBox",
                         const std::string& listLooks = "List") {
  return R"(<SubControl Class=")" + comboClass + R"(" Name=")" + name + R"(" TabStop="1" XPositionAbs="10"
      YPositionAbs="100" XSizeAbs="100" YSizeAbs="25"><Skin Name="combo" LookList="Box"/>
  <SubControl Class="Framework.Button" Name="checkBox" XPositionAbs="2" YPositionAbs="4" XSizeAbs="16" YSizeAbs="16">
    <Skin Name="ownBox" LookList="Box"/></SubControl>
  <SubControl Class=")" + listClass + R"(" Name="listBox" TabStop="1" IsVisible="False" ClipToParent="False"
      Z_Order="5" YPositionRel="1" XSizeToControl="Parent" XSizeRel="1" YSizeAbs="88"><Skin Name="listBox" LookList=")" + listLooks + R"("/>
    <SubControl Class="Framework.CheckedListBoxItem" Name="templateItem" XSizeToControl="Parent" XSizeRel="1"
        YSizeAbs="21"><Skin Name="row" LookList="Row"/>
      <SubControl Class="Framework.Button" Name="checkBox" XPositionAbs="2" YPositionAbs="2" XSizeAbs="16"
          YSizeAbs="16"><Skin Name="checkBox" LookList="Box"/>
        <CreateParamList><CreateParam ID="AUTO_VALUE_SET" Type="String">true</CreateParam></CreateParamList>
      </SubControl>
    </SubControl>
  </SubControl>
</SubControl>
<SubControl Class="Framework.Button" Name="other" TabStop="2" XPositionAbs="600" YPositionAbs="10" XSizeAbs="50"
    YSizeAbs="20"><Skin Name="other" LookList="Box"/></SubControl>)";
}

}  // namespace SV::Testing::CheckedComboBoxSkin
