#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "SVFramework/Controls/ListBox.h"
#include "tests/Support/Widgets/RandomInput.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::WidgetHarness;

// Random user input in bursts, between random edits of the items, checking after every
// event what must always hold: caret and anchor on an item or -1, a selected count
// that matches the records, rows that never outnumber what the tallest view needed.
TEST(ListBoxRandomInput, KeepsCaretSelectionAndRowsConsistentUnderRandomInputAndEdits) {
  WidgetHarness harness({300, 200});
  harness.Build(R"(<SubControl Class="Framework.ListBox" Name="list" TabStop="1" XPositionAbs="10" YPositionAbs="10"
                   XSizeAbs="200" YSizeAbs="100"><Skin Name="list" LookList="List"/>
  <SubControl Class="Framework.ListBoxItem" Name="templateItem" XSizeToControl="Parent" XSizeRel="1" YSizeAbs="21">
    <Skin Name="row" LookList="List"/></SubControl>
</SubControl>)",
                R"(<Colorizers><Colorizer Name="Grey" ColorType="SolidFill" Color="FF808080"/></Colorizers>
<Parts><Part Name="Face" Width="4" Height="4" ResizeType="Tile" ColorizerName="Grey" ColorizerAlphaMod="1"/></Parts>
<Looks><Look Name="Solid"><ClientPart Name="Face" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/>
</Look></Looks>
<LookLists><LookList Name="Test.Window" NumLooks="1"><Look Name="Solid" Index="0"/></LookList>
  <LookList Name="List" NumLooks="1"><Look Name="Solid" Index="0"/></LookList></LookLists>)");
  const RCPtr<LListBox> list = harness.Find<LListBox>(u"list");
  ASSERT_TRUE(list);
  ASSERT_GE(list->SetFocus(true), 0);
  std::mt19937 random(20261211);
  const auto pick = [&random](int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(random);
  };
  Testing::RandomInput input(harness, 20261211);
  double tallest = list->GetRect().height;
  const auto check = [&] {
    const int32_t count = list->GetItemCount();
    ASSERT_GE(list->GetCaretItem(), -1) << input.LastEvent();
    ASSERT_LT(list->GetCaretItem(), count) << input.LastEvent();
    ASSERT_GE(list->GetAnchorItem(), -1) << input.LastEvent();
    ASSERT_LT(list->GetAnchorItem(), count) << input.LastEvent();
    ASSERT_EQ(static_cast<int32_t>(list->GetSelectedIndexes().size()), list->GetSelectedCount()) << input.LastEvent();
    tallest = std::max(tallest, list->GetRect().height);
    ASSERT_LE(list->GetRowCount(), static_cast<uint32_t>(tallest / list->GetRowHeight()) + 1) << input.LastEvent();
    ASSERT_GE(list->GetIdleCount(), 0) << input.LastEvent();
  };
  // Edits of the items between bursts of user input.
  for (int round = 0; round < 300; ++round) {
    switch (pick(0, 6)) {
      case 0: list->InsertItem(pick(-1, list->GetItemCount() + 1), LListBox::MakeTextItem(String(input.OddText().c_str()))); break;
      case 1: list->RemoveItem(pick(-1, list->GetItemCount())); break;
      case 2: list->SetItemHidden(pick(-1, list->GetItemCount()), pick(0, 1) != 0); list->RebindRowsFrom(0); break;
      case 3: list->SetMultipleSelection(pick(0, 1) != 0, pick(0, 1)); break;
      case 4: list->SetDropDownMode(pick(0, 3) == 0); break;
      case 5: list->ScrollToItem(pick(-1, list->GetItemCount())); break;
      default: list->Sort(pick(0, 2), pick(0, list->GetItemCount())); break;
    }
    if (!list->IsVisible(false)) list->SetVisible(true);
    ASSERT_NO_FATAL_FAILURE(check());
    ASSERT_GE(list->SetFocus(true), 0);
    input.Run(RCPtr<LControl>(list.Get()), 10, check);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace SV
