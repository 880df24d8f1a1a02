#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/Controls/MultiColumnListBox.h"
#include "SVFramework/Controls/Scrollbar.h"
#include "SVFramework/System/Keys/VirtualKeys.h"
#include "tests/SVFramework/Controls/DropDownSkin.h"
#include "tests/SVFramework/Controls/MultiColumnListBoxSkin.h"
#include "tests/Support/TextConversions.h"
#include "tests/Support/Widgets/NotificationLog.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::NotificationLog;
using Testing::WidgetHarness;
using Testing::DropDownSkin::kLooks;
using Lines = std::vector<std::string>;

constexpr uint32_t kHoverOrChildHover = 0x1000;

using Testing::Utf8;

class MultiColumnListBoxTest : public ::testing::Test {
protected:
  // Three columns: fruit names, numbers, and a third column of letters.
  void Build(int rows = 3, int headers = 3, bool bar = false) {
    harness.Build(Testing::MultiColumnListBoxSkin::Table(3, headers, "table", bar), kLooks);
    table = harness.Find<LMultiColumnListBox>(u"table");
    ASSERT_TRUE(table);
    ASSERT_EQ(table->GetColumnCount(), 3u);
    const std::vector<std::string> fruit = {"cherry", "apple", "Banana"};
    for (int row = 0; row < rows; ++row) {
      const std::string name = row < 3 ? fruit[static_cast<size_t>(row)] : "fig" + std::to_string(row);
      Column(0)->AddItem(String(name.c_str()));
      Column(1)->AddItem(String(std::to_string(row < 3 ? 3 - row : row + 1).c_str()));
      Column(2)->AddItem(String(std::string(1, static_cast<char>('x' - row % 3)).c_str()));
    }
    log->Listen(RCPtr<LNotificationDistributor>(table.Get()), u"NID_SELECTION_CHANGE", [](const RCPtr<LNotification>& n) {
      return std::string(n->GetPayload() ? "payload" : "none");
    });
  }
  void TearDown() override { log->StopListening(); }

  RCPtr<LListBox> Column(uint32_t index) { return table->GetColumn(index); }
  std::vector<std::string> ColumnTexts(uint32_t index) {
    std::vector<std::string> texts;
    for (int32_t row = 0; row < Column(index)->GetItemCount(); ++row)
      texts.push_back(Utf8(Column(index)->GetItemText(row)));
    return texts;
  }
  void ClickHeader(int number) {
    harness.Click(harness.At(harness.Find(String::FromFormat(u"buttonColumnHeader%d", number))));
  }
  void ClickRow(uint32_t column, int32_t item) {
    const RCPtr<LListBox> list = Column(column);
    const RectT<double> rect = list->GetItemRect(item);
    ASSERT_GT(rect.height, 0) << "item " << item << " has no row";
    harness.Click(harness.At(RCPtr<LControl>(list.Get()),
                             {static_cast<int32_t>(rect.x + 10), static_cast<int32_t>(rect.y + rect.height / 2)}));
  }

  WidgetHarness harness;
  RCPtr<LMultiColumnListBox> table;
  RCPtr<NotificationLog> log = NotificationLog::Create();
};

TEST_F(MultiColumnListBoxTest, AHeaderSortsEveryColumnCaseInsensitivelyAscendingThenDescending) {
  Build();
  ClickHeader(1);
  EXPECT_EQ(ColumnTexts(0), (Lines{"apple", "Banana", "cherry"}));
  EXPECT_EQ(ColumnTexts(1), (Lines{"2", "1", "3"}));
  EXPECT_EQ(ColumnTexts(2), (Lines{"w", "v", "x"}));

  ClickHeader(1);
  EXPECT_EQ(ColumnTexts(0), (Lines{"cherry", "Banana", "apple"}));
  EXPECT_EQ(ColumnTexts(1), (Lines{"3", "1", "2"}));

  ClickHeader(1);
  EXPECT_EQ(ColumnTexts(0), (Lines{"apple", "Banana", "cherry"}));
  EXPECT_TRUE(log->lines.empty()) << "a sort sends nothing itself";
}

TEST_F(MultiColumnListBoxTest, SortingByAnotherColumnLeavesTheFirstColumnsNextDirection) {
  Build();
  ClickHeader(1);
  ASSERT_FALSE(table->IsNextSortAscending(0));
  ClickHeader(2);
  EXPECT_EQ(ColumnTexts(1), (Lines{"1", "2", "3"}));
  EXPECT_EQ(ColumnTexts(0), (Lines{"Banana", "apple", "cherry"}));
  EXPECT_FALSE(table->IsNextSortAscending(0));
  EXPECT_FALSE(table->IsNextSortAscending(1));
  EXPECT_TRUE(table->IsNextSortAscending(2));
  ClickHeader(1);
  EXPECT_EQ(ColumnTexts(0), (Lines{"cherry", "Banana", "apple"}));
}

TEST_F(MultiColumnListBoxTest, RowsKeepSelectionAndAlternateFlagsThroughASortButNotSeparators) {
  Build();
  Column(0)->SetItemAlt(0, true);  // cherry
  Column(1)->SetItemSeparator(0, true);
  table->SetScrollOffset({100, 0});
  ClickRow(2, 2);  // Banana's row
  ASSERT_EQ(Column(0)->GetSelectedIndexes(), std::vector<int32_t>{2});

  ASSERT_EQ(table->PerformSort(0), S_OK);

  for (uint32_t column = 0; column < 3; ++column) {
    EXPECT_EQ(Column(column)->GetSelectedIndexes(), std::vector<int32_t>{1}) << "column " << column;
    EXPECT_TRUE(Column(column)->IsAlt(2)) << "column " << column;
    EXPECT_FALSE(Column(column)->IsAlt(0)) << "column " << column;
  }
  EXPECT_TRUE(Column(1)->GetItem(0).separator);
  EXPECT_EQ(table->PerformSort(3), E_INVALIDARG);
  EXPECT_EQ(table->PerformSort(-1), E_INVALIDARG);
}

TEST_F(MultiColumnListBoxTest, ASelectionInAnyColumnShowsInAllAndIsReportedOnceWithoutPayload) {
  Build();
  table->SetScrollOffset({100, 0});  // column 3 comes into view
  ClickRow(2, 1);
  for (uint32_t column = 0; column < 3; ++column)
    EXPECT_EQ(Column(column)->GetSelectedIndexes(), std::vector<int32_t>{1}) << "column " << column;
  EXPECT_EQ(log->lines, Lines{"NID_SELECTION_CHANGE none"});

  log->lines.clear();
  ClickRow(1, 2);
  for (uint32_t column = 0; column < 3; ++column)
    EXPECT_EQ(Column(column)->GetSelectedIndexes(), std::vector<int32_t>{2}) << "column " << column;
  EXPECT_EQ(log->lines, Lines{"NID_SELECTION_CHANGE none"});
}

TEST_F(MultiColumnListBoxTest, HoveringARowHighlightsThatRowInEveryColumn) {
  Build();
  const RectT<double> rect = Column(1)->GetItemRect(1);
  harness.MoveTo(harness.At(RCPtr<LControl>(Column(1).Get()), {20, static_cast<int32_t>(rect.y + 5)}));
  for (const uint32_t column : {0u, 2u}) {
    const RCPtr<LListBoxItem> row = Column(column)->GetRow(static_cast<uint32_t>(Column(column)->GetRowIndexOfItem(1)));
    EXPECT_NE(row->GetConditions() & kHoverOrChildHover, 0u) << "column " << column;
  }
  harness.MoveTo({500, 500});
  for (const uint32_t column : {0u, 2u}) {
    const RCPtr<LListBoxItem> row = Column(column)->GetRow(static_cast<uint32_t>(Column(column)->GetRowIndexOfItem(1)));
    EXPECT_EQ(row->GetConditions() & kHoverOrChildHover, 0u) << "column " << column;
  }
}

TEST_F(MultiColumnListBoxTest, KeyboardNavigationScrollsEveryColumnAndKeepsTheSidewaysScroll) {
  Build(12);
  ASSERT_EQ(table->GetClientExtent().x, 300.0);
  ASSERT_EQ(table->GetClientExtent().y, 12.0 * Column(0)->GetRowHeight());
  table->SetScrollOffset({60, 0});
  ASSERT_EQ(table->GetScrollOffset().x, 60.0);
  ASSERT_GE(Column(0)->SetFocus(true), 0);
  Column(0)->SelectRange(0, -1, true);

  for (int step = 0; step < 7; ++step) harness.Key(VirtualKey::kDown);

  EXPECT_EQ(Column(0)->GetCaretItem(), 7);
  const double offset = Column(0)->GetScrollOffset().y;
  EXPECT_GT(offset, 0.0);
  EXPECT_EQ(table->GetScrollOffset().y, offset);
  EXPECT_EQ(table->GetScrollOffset().x, 60.0);
  for (uint32_t column = 1; column < 3; ++column) {
    EXPECT_EQ(Column(column)->GetScrollOffset().y, offset) << "column " << column;
    EXPECT_EQ(Column(column)->GetFirstVisibleItem(), Column(0)->GetFirstVisibleItem()) << "column " << column;
    EXPECT_EQ(Column(column)->GetSelectedIndexes(), std::vector<int32_t>{7}) << "column " << column;
  }
}

TEST_F(MultiColumnListBoxTest, ScrollingTheTableScrollsTheColumnContents) {
  Build(12);
  table->SetScrollOffset({0, 3.0 * Column(0)->GetRowHeight()});
  for (uint32_t column = 0; column < 3; ++column)
    EXPECT_EQ(Column(column)->GetFirstVisibleItem(), 3u) << "column " << column;
}

TEST_F(MultiColumnListBoxTest, AWheelStepOverAColumnScrollsEveryColumnAndTheTablesBar) {
  Build(12, 3, true);
  const RCPtr<LScrollbar> bar = table->GetVerticalScrollBar();
  ASSERT_TRUE(bar);
  ASSERT_TRUE(table->IsScrollBarShown(1));
  const double before = bar->GetNormalizedValue();

  harness.Wheel(harness.At(RCPtr<LControl>(Column(0).Get()), {20, 30}), 0);

  const uint32_t first = Column(0)->GetFirstVisibleItem();
  EXPECT_GT(first, 0u);
  EXPECT_EQ(table->GetScrollOffset().y, first * Column(0)->GetRowHeight());
  for (uint32_t column = 1; column < 3; ++column)
    EXPECT_EQ(Column(column)->GetFirstVisibleItem(), first) << "column " << column;
  EXPECT_NE(bar->GetNormalizedValue(), before);
}

TEST_F(MultiColumnListBoxTest, OnlyTheFirstColumnTakesTheFocus) {
  Build();
  EXPECT_FALSE(Column(0)->IsNotFocusable());
  EXPECT_TRUE(Column(1)->IsNotFocusable());
  EXPECT_TRUE(Column(2)->IsNotFocusable());
}

TEST_F(MultiColumnListBoxTest, AHeaderWithoutAColumnSortsNothing) {
  harness.Build(Testing::MultiColumnListBoxSkin::Table(1, 2), kLooks);
  table = harness.Find<LMultiColumnListBox>(u"table");
  ASSERT_TRUE(table);
  ASSERT_EQ(table->GetHeaderCount(), 2u);
  Column(0)->AddItem(String(u"b"));
  Column(0)->AddItem(String(u"a"));
  ClickHeader(2);
  EXPECT_EQ(ColumnTexts(0), (Lines{"b", "a"}));
  ClickHeader(1);
  EXPECT_EQ(ColumnTexts(0), (Lines{"a", "b"}));
}

}  // namespace
}  // namespace SV
