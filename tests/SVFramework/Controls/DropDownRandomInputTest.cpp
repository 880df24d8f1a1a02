#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "SVFramework/Controls/CheckedListBox.h"
#include "SVFramework/Controls/ComboBox.h"
#include "tests/SVFramework/Controls/DropDownSkin.h"
#include "tests/Support/Widgets/RandomInput.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::WidgetHarness;
using Testing::DropDownSkin::ItemStrings;
using Testing::DropDownSkin::kLooks;
using Testing::DropDownSkin::Numbers;

// Random input on a combo near the window's bottom edge, between random edits of its
// items and selection: the selection stays an item or -1, the text shows the selected
// item, an open list is on screen at a whole number of rows, no idle count goes negative.
TEST(ComboBoxRandomInput, KeepsSelectionTextAndListPlacementConsistent) {
  WidgetHarness harness({400, 300});
  harness.Build(R"(<SubControl Class="Framework.ComboBox" Name="combo" TabStop="1" XPositionAbs="10" YPositionAbs="200"
                   XSizeAbs="100" YSizeAbs="25"><Skin Name="combo" LookList="Combo"/>
  <SubControl Class="Framework.ListBox" Name="listBox" TabStop="1" IsVisible="False" ClipToParent="False" Z_Order="5"
              XSizeToControl="Parent" XSizeRel="1" YSizeAbs="80"><Skin Name="listBox" LookList="List"/>
    <SubControl Class="Framework.ListBoxItem" Name="templateItem" XSizeToControl="Parent" XSizeRel="1" YSizeAbs="21">
      <Skin Name="row" LookList="Row"/></SubControl>
  </SubControl>
</SubControl>
<SubControl Class="Framework.Button" Name="other" TabStop="2" XPositionAbs="300" YPositionAbs="10" XSizeAbs="50"
            YSizeAbs="20"><Skin Name="other" LookList="Box"/></SubControl>)",
                kLooks, ItemStrings("Test.Window|combo", Numbers(12)));
  const RCPtr<LComboBox> combo = harness.Find<LComboBox>(u"combo");
  ASSERT_TRUE(combo);
  const RCPtr<LListBox> list = combo->GetList();
  std::mt19937 random(20261211);
  const auto pick = [&random](int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(random);
  };
  Testing::RandomInput input(harness, 20261211);
  const auto check = [&] {
    const int32_t selected = combo->GetSelectedIndex();
    ASSERT_GE(selected, -1) << input.LastEvent();
    ASSERT_LT(selected, list->GetItemCount()) << input.LastEvent();
    if (selected >= 0) {
      ASSERT_EQ(combo->GetText(), list->GetItemText(selected)) << input.LastEvent();
    }
    ASSERT_GE(combo->GetIdleCount(), 0) << input.LastEvent();
    ASSERT_GE(list->GetIdleCount(), 0) << input.LastEvent();
    if (!combo->IsDropDownOpen()) return;
    const double top = list->GetScreenPosition().y;
    const double height = list->GetRect().height;
    ASSERT_TRUE(std::isfinite(top) && std::isfinite(height)) << input.LastEvent();
    ASSERT_GE(top, 0) << input.LastEvent();
    ASSERT_LE(top + height, 300) << input.LastEvent();
  };
  for (int round = 0; round < 200; ++round) {
    switch (pick(0, 4)) {
      case 0: combo->AddItem(String(input.OddText().c_str())); break;
      case 1: combo->SetItemCount(pick(0, 20)); break;
      case 2: combo->SetSelectedIndex(pick(-2, list->GetItemCount() + 1)); break;
      case 3: combo->SetText(pick(0, 1) ? list->GetItemText(pick(0, 20)) : String(input.OddText().c_str())); break;
      default: combo->ShowDropDown(pick(0, 1) != 0); break;
    }
    check();
    input.Run(pick(0, 1) ? RCPtr<LControl>(combo.Get()) : RCPtr<LControl>(list.Get()), 20, check);
    if (HasFatalFailure()) return;
  }
}

// Random input on a checked list between random checks, removals and mode switches:
// the checked count matches the records, the selection stays on items, every row past
// the items hides its check box, and each shown check box shows its item's state.
TEST(CheckedListBoxRandomInput, KeepsCheckStatesCountAndRowsConsistent) {
  WidgetHarness harness({300, 200});
  harness.Build(R"(<SubControl Class="Framework.CheckedListBox" Name="list" TabStop="1" XPositionAbs="10"
                   YPositionAbs="10" XSizeAbs="200" YSizeAbs="100"><Skin Name="list" LookList="List"/>
  <SubControl Class="Framework.CheckedListBoxItem" Name="templateItem" XSizeToControl="Parent" XSizeRel="1"
              YSizeAbs="21"><Skin Name="row" LookList="Row"/>
    <SubControl Class="Framework.Button" Name="checkBox" XPositionAbs="2" YPositionAbs="2" XSizeAbs="16"
                YSizeAbs="16"><Skin Name="checkBox" LookList="Box"/></SubControl>
  </SubControl>
</SubControl>)",
                kLooks, ItemStrings("Test.Window|list", Numbers(9)));
  const RCPtr<LCheckedListBox> list = harness.Find<LCheckedListBox>(u"list");
  ASSERT_TRUE(list);
  ASSERT_GE(list->SetFocus(true), 0);
  std::mt19937 random(20261212);
  const auto pick = [&random](int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(random);
  };
  Testing::RandomInput input(harness, 20261212);
  const auto check = [&] {
    const int32_t count = list->GetItemCount();
    int32_t checked = 0;
    for (int32_t item = 0; item < count; ++item) checked += list->IsItemChecked(item) ? 1 : 0;
    ASSERT_EQ(list->GetCheckedCount(), checked) << input.LastEvent();
    for (int32_t item : list->GetSelectedIndexes()) ASSERT_LT(item, count) << input.LastEvent();
    ASSERT_LT(list->GetCaretItem(), count) << input.LastEvent();
    ASSERT_GE(list->GetIdleCount(), 0) << input.LastEvent();
    for (uint32_t row = 0; row < list->GetRowCount(); ++row) {
      const RCPtr<LCheckedListBoxItem> rowControl = list->GetCheckedRow(row);
      const int32_t item = list->GetItemIndexOfRow(rowControl.Get());
      const RCPtr<LButton> checkBox = rowControl->GetCheckBox();
      ASSERT_EQ(checkBox->IsVisible(false), item >= 0) << "row " << row << " " << input.LastEvent();
      if (item >= 0) {
        ASSERT_EQ(checkBox->IsChecked(), list->IsItemChecked(item)) << input.LastEvent();
      }
    }
  };
  for (int round = 0; round < 200; ++round) {
    switch (pick(0, 5)) {
      case 0: list->SetItemChecked(pick(-1, list->GetItemCount()), pick(0, 1) != 0); break;
      case 1: list->RemoveItem(pick(-1, list->GetItemCount())); break;
      case 2: list->InsertItem(pick(0, list->GetItemCount()), LListBox::MakeTextItem(u"x")); break;
      case 3: list->SetCheckBoxAutoValue(pick(0, 1) != 0); break;
      case 4: list->SetItemCount(pick(0, 15)); break;
      default: list->SetMultipleSelection(pick(0, 1) != 0, pick(0, 1)); break;
    }
    check();
    input.Run(RCPtr<LControl>(list.Get()), 20, check);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace SV
