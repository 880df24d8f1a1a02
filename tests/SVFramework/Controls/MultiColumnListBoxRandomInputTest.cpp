#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "SVFramework/Controls/MultiColumnListBox.h"
#include "tests/SVFramework/Controls/DropDownSkin.h"
#include "tests/SVFramework/Controls/MultiColumnListBoxSkin.h"
#include "tests/Support/Widgets/RandomInput.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

// Random input on a table between sorts and added rows: every column keeps as many
// items as column 1, the same selection and the same first row; the table's offsets
// are finite and its vertical offset is column 1's; nothing crashes.
TEST(MultiColumnListBoxRandomInput, KeepsTheColumnsInStep) {
  Testing::WidgetHarness harness({400, 300});
  harness.Build(Testing::MultiColumnListBoxSkin::Table(3, 3), Testing::DropDownSkin::kLooks);
  const RCPtr<LMultiColumnListBox> table = harness.Find<LMultiColumnListBox>(u"table");
  ASSERT_TRUE(table);
  std::mt19937 random(20261211);
  const auto pick = [&random](int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(random);
  };
  Testing::RandomInput input(harness, 20261211);
  const auto check = [&] {
    const RCPtr<LListBox> first = table->GetColumn(0);
    const PointT<double> offset = table->GetScrollOffset();
    ASSERT_TRUE(std::isfinite(offset.x) && std::isfinite(offset.y)) << input.LastEvent();
    ASSERT_EQ(offset.y, first->GetScrollOffset().y) << input.LastEvent();
    ASSERT_GE(first->GetCaretItem(), -1) << input.LastEvent();
    ASSERT_LT(first->GetCaretItem(), first->GetItemCount()) << input.LastEvent();
    for (uint32_t index = 1; index < table->GetColumnCount(); ++index) {
      const RCPtr<LListBox> column = table->GetColumn(index);
      ASSERT_EQ(column->GetItemCount(), first->GetItemCount()) << input.LastEvent();
      ASSERT_EQ(column->GetSelectedIndexes(), first->GetSelectedIndexes()) << "column " << index << " after "
                                                                          << input.LastEvent();
      ASSERT_EQ(column->GetFirstVisibleItem(), first->GetFirstVisibleItem()) << input.LastEvent();
      ASSERT_GE(column->GetIdleCount(), 0) << input.LastEvent();
    }
    ASSERT_GE(table->GetIdleCount(), 0) << input.LastEvent();
  };
  for (int round = 0; round < 150; ++round) {
    switch (pick(0, 3)) {
      case 0:
      case 1: {
        const String text(input.OddText().c_str());
        for (uint32_t index = 0; index < table->GetColumnCount(); ++index) table->GetColumn(index)->AddItem(text);
        break;
      }
      case 2: table->PerformSort(pick(-1, 3)); break;
      default: table->GetColumn(0)->SetMultipleSelection(pick(0, 1) != 0); break;
    }
    ASSERT_NO_FATAL_FAILURE(check());
    input.Run(RCPtr<LControl>(table.Get()), 10, check);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace SV
