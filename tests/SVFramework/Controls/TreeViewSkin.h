#pragma once
#include <string>

#include "SVFramework/Controls/TreeView.h"

// A tree view 200 x 80 at (10, 20) (frame 2, so four rows of 19 fit) whose rows carry a
// 16 x 16 check box at their left; looks from DropDownSkin::kLooks.
namespace SV::Testing::TreeViewSkin {

inline std::string Tree(const std::string& name = "tree") {
  return R"(<SubControl Class="Framework.TreeView" Name=")" + name + R"(" TabStop="1" XPositionAbs="10" YPositionAbs="20"
                   XSizeAbs="200" YSizeAbs="80"><Skin Name="tree" LookList="List"/>
  <SubControl Class="Framework.TreeViewItem" Name="templateItem" XSizeToControl="Parent" XSizeRel="1"
              YSizeAbs="19"><Skin Name="row" LookList="Row"/>
    <SubControl Class="Framework.Button" Name="checkBox" XPositionAbs="1" YPositionAbs="1" XSizeAbs="16"
                YSizeAbs="16"><Skin Name="checkBox" LookList="Box"/>
      <CreateParamList><CreateParam ID="AUTO_VALUE_SET" Type="String">true</CreateParam></CreateParamList>
    </SubControl>
  </SubControl>
</SubControl>)";
}

// Appends a node with that text under `parent` (-1: top level); its index.
inline int32_t AddNode(LTreeView& tree, const char16_t* text, int32_t parent) {
  const int32_t index = tree.AddItem(String(text));
  return parent < 0 ? index : tree.MoveUnder(index, parent);
}

}  // namespace SV::Testing::TreeViewSkin
