#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "SVFramework/Controls/ListBox.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::WidgetHarness;

// Pointer, wheel and key input at random, interleaved with item changes, checking after
// every step what must always hold: caret and anchor on an item or -1, a selected count
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
  constexpr uint32_t kKeys[] = {0x26, 0x28, 0x0D, 0x24, 0x23, 0x21, 0x22, 0x41};
  constexpr int32_t kModifiers[] = {0, 0x1, 0x8, 0x9};
  double tallest = list->GetRect().height;
  for (int step = 0; step < 3000; ++step) {
    const PointT<int32_t> point{pick(-20, 320), pick(-20, 220)};
    switch (pick(0, 11)) {
      case 0: harness.Click(point, 1, kModifiers[pick(0, 3)]); break;
      case 1: harness.Click(point, 4); break;
      case 2: harness.Drag(point, {pick(-20, 320), pick(-20, 220)}, 3); break;
      case 3: harness.Wheel(point, pick(0, 3)); break;
      case 4: harness.Key(kKeys[pick(0, 7)], pick(0, 1) != 0 ? KeyCode::kShift : 0); break;
      case 5: list->InsertItem(pick(-1, list->GetItemCount() + 1), LListBox::MakeTextItem(u"item")); break;
      case 6: list->RemoveItem(pick(-1, list->GetItemCount())); break;
      case 7: list->SetItemHidden(pick(-1, list->GetItemCount()), pick(0, 1) != 0); list->RebindRowsFrom(0); break;
      case 8: list->SetMultipleSelection(pick(0, 1) != 0, pick(0, 1)); break;
      case 9: list->SetDropDownMode(pick(0, 3) == 0); list->SetVisible(true); break;
      case 10: list->ScrollToItem(pick(-1, list->GetItemCount())); break;
      default: harness.MoveTo(point); harness.Idle(16); break;
    }
    if (!list->IsVisible(false)) list->SetVisible(true);
    const int32_t count = list->GetItemCount();
    ASSERT_GE(list->GetCaretItem(), -1) << "step " << step;
    ASSERT_LT(list->GetCaretItem(), count) << "step " << step;
    ASSERT_GE(list->GetAnchorItem(), -1) << "step " << step;
    ASSERT_LT(list->GetAnchorItem(), count) << "step " << step;
    ASSERT_EQ(static_cast<int32_t>(list->GetSelectedIndexes().size()), list->GetSelectedCount()) << "step " << step;
    tallest = std::max(tallest, list->GetRect().height);
    ASSERT_LE(list->GetRowCount(), static_cast<uint32_t>(tallest / list->GetRowHeight()) + 1) << "step " << step;
    ASSERT_GE(list->GetIdleCount(), 0) << "step " << step;
  }
}

}  // namespace
}  // namespace SV
