#include <gtest/gtest.h>

#include <random>

#include "SVFramework/Controls/CheckedComboBox.h"
#include "tests/SVFramework/Controls/CheckedComboBoxSkin.h"
#include "tests/SVFramework/Controls/DropDownSkin.h"
#include "tests/Support/Widgets/RandomInput.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

// Random input on a checked combo between random check states and item counts: the
// selection is an item or -1, the checked count matches the items, the look is in the
// checked set exactly while an item is checked, and the own box shows a selected
// item's state.
TEST(CheckedComboBoxRandomInput, KeepsLooksCountsAndTheOwnBoxConsistent) {
  Testing::WidgetHarness harness({700, 300});
  harness.Build(Testing::CheckedComboBoxSkin::Combo(), Testing::DropDownSkin::kLooks,
                Testing::DropDownSkin::ItemStrings("Test.Window|combo", Testing::DropDownSkin::Numbers(8)));
  const RCPtr<LCheckedComboBox> combo = harness.Find<LCheckedComboBox>(u"combo");
  ASSERT_TRUE(combo);
  const RCPtr<LCheckedListBox> list = combo->GetCheckedList();
  ASSERT_TRUE(list);
  std::mt19937 random(20261211);
  const auto pick = [&random](int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(random);
  };
  Testing::RandomInput input(harness, 20261211);
  const auto check = [&] {
    const int32_t selected = combo->GetSelectedIndex();
    ASSERT_GE(selected, -1) << input.LastEvent();
    ASSERT_LT(selected, list->GetItemCount()) << input.LastEvent();
    int32_t checked = 0;
    for (int32_t item = 0; item < list->GetItemCount(); ++item)
      if (list->IsItemChecked(item)) ++checked;
    ASSERT_EQ(list->GetCheckedCount(), checked) << input.LastEvent();
    combo->UpdateLook();
    ASSERT_EQ(combo->GetFirstVisibleLookIndex() >= LCheckedComboBox::kCheckedLookOffset, checked > 0)
        << input.LastEvent();
    if (selected >= 0) {
      ASSERT_EQ(combo->GetCheckBox()->GetNormalizedValue() >= 0.5, list->IsItemChecked(selected)) << input.LastEvent();
    }
    ASSERT_GE(combo->GetIdleCount(), 0) << input.LastEvent();
  };
  for (int round = 0; round < 150; ++round) {
    switch (pick(0, 3)) {
      case 0: list->SetItemChecked(pick(-1, list->GetItemCount()), pick(0, 1) != 0); break;
      case 1: combo->SetItemCount(pick(0, 12)); break;
      default: combo->SetSelectedIndex(pick(-2, list->GetItemCount())); break;
    }
    // A quiet check change from code reaches the box at the next selection.
    combo->SetSelectedIndex(combo->GetSelectedIndex());
    ASSERT_NO_FATAL_FAILURE(check());
    input.Run(RCPtr<LControl>(combo.Get()), 10, check);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace SV
