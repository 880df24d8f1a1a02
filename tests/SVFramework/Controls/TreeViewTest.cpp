#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/Controls/TreeView.h"
#include "tests/SVFramework/Controls/DropDownSkin.h"
#include "tests/SVFramework/Controls/TreeViewSkin.h"
#include "tests/Support/TextConversions.h"
#include "tests/Support/Widgets/NotificationDescriptions.h"
#include "tests/Support/Widgets/NotificationLog.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::NotificationLog;
using Testing::WidgetHarness;
using Testing::DropDownSkin::kLooks;
using Testing::TreeViewSkin::AddNode;
using Lines = std::vector<std::string>;

using Testing::Utf8;

using Testing::DescribeItem;

// The tree A, A1 (under A), A2 (under A), B, built as a program builds it: nodes
// appended and moved under their parents, which expands A.
class TreeViewTest : public ::testing::Test {
protected:
  void SetUp() override {
    harness.Build(Testing::TreeViewSkin::Tree(), kLooks);
    tree = harness.Find<LTreeView>(u"tree");
    ASSERT_TRUE(tree);
    AddNode(*tree, u"A", -1);
    AddNode(*tree, u"A1", 0);
    AddNode(*tree, u"A2", 0);
    AddNode(*tree, u"B", -1);
    for (const char16_t* id : {u"NID_ITEM_CHECK_CHANGE", u"NID_ITEM_CHECKBOX_CLICKED", u"NID_SELECTION_CHANGE"})
      log->Listen(RCPtr<LNotificationDistributor>(tree.Get()), id, DescribeItem);
  }
  void TearDown() override { log->StopListening(); }

  RCPtr<LTreeViewItem> RowOf(int32_t item) {
    const int32_t row = tree->GetRowIndexOfItem(item);
    return row < 0 ? nullptr : RCPtr<LTreeViewItem>(dynamic_cast<LTreeViewItem*>(tree->GetRow(static_cast<uint32_t>(row)).Get()));
  }
  void ClickCheckBoxOf(int32_t item) {
    const RCPtr<LTreeViewItem> row = RowOf(item);
    ASSERT_TRUE(row) << "item " << item << " has no row";
    harness.Click(harness.At(RCPtr<LControl>(row->GetCheckBox().Get())));
  }
  // The texts the rows show, up to the first row past the items.
  std::vector<std::string> ShownTexts() {
    std::vector<std::string> texts;
    for (uint32_t row = 0; row < tree->GetRowCount(); ++row) {
      const RCPtr<LListBoxItem> control = tree->GetRow(row);
      if (!control || !control->IsEnabled(false)) break;
      texts.push_back(Utf8(control->GetText()));
    }
    return texts;
  }
  double ContentHeight() { return tree->GetClientExtent().y; }

  WidgetHarness harness;
  RCPtr<LTreeView> tree;
  RCPtr<NotificationLog> log = NotificationLog::Create();
};

TEST_F(TreeViewTest, NodesKnowTheirParentsDepthsAndDescendants) {
  EXPECT_EQ(tree->GetItemCount(), 4);
  EXPECT_EQ(tree->GetParent(1), 0);
  EXPECT_EQ(tree->GetParent(2), 0);
  EXPECT_EQ(tree->GetParent(3), -1);
  EXPECT_EQ(tree->GetParent(9), -1);
  EXPECT_EQ(tree->GetDepth(2), 1);
  EXPECT_EQ(tree->GetDepth(-4), 0);
  EXPECT_EQ(tree->GetDescendantCount(0), 2);
  EXPECT_EQ(tree->GetDescendantCount(1), 0);
  EXPECT_EQ(tree->GetDescendantCount(3), 0);
  EXPECT_TRUE(tree->IsAncestor(0, 2));
  EXPECT_FALSE(tree->IsAncestor(3, 2));
  EXPECT_FALSE(tree->IsAncestor(0, 7));
  EXPECT_TRUE(tree->IsItemChecked(0)) << "moving a node under A expands A";
  EXPECT_FALSE(tree->SortItems());
}

TEST_F(TreeViewTest, OnlyNodesWithDescendantsHaveAnEnabledCheckBoxAndChildrenAreIndented) {
  ASSERT_EQ(ShownTexts(), (Lines{"A", "A1", "A2", "B"}));
  EXPECT_TRUE(RowOf(0)->GetCheckBox()->IsEnabled(false));
  for (const int32_t item : {1, 2, 3}) EXPECT_FALSE(RowOf(item)->GetCheckBox()->IsEnabled(false)) << "item " << item;
  const double boxWidth = RowOf(0)->GetCheckBox()->GetRect().width;
  EXPECT_EQ(RowOf(1)->GetRect().x - RowOf(0)->GetRect().x, boxWidth);
  EXPECT_EQ(RowOf(2)->GetRect().x - RowOf(0)->GetRect().x, boxWidth);
  EXPECT_EQ(RowOf(3)->GetRect().x, RowOf(0)->GetRect().x);
}

TEST_F(TreeViewTest, UncheckingANodeHidesItsSubtreeAndCheckingShowsItAgain) {
  log->lines.clear();
  ClickCheckBoxOf(0);

  EXPECT_FALSE(tree->IsItemChecked(0));
  EXPECT_EQ(ShownTexts(), (Lines{"A", "B"}));
  EXPECT_EQ(ContentHeight(), 2.0 * tree->GetRowHeight());
  EXPECT_EQ(tree->GetSelectedIndexes(), std::vector<int32_t>{0});
  EXPECT_EQ(log->lines.back(), "NID_ITEM_CHECK_CHANGE 0 0.000000");

  ClickCheckBoxOf(0);
  EXPECT_TRUE(tree->IsItemChecked(0));
  EXPECT_EQ(ShownTexts(), (Lines{"A", "A1", "A2", "B"}));
  EXPECT_EQ(ContentHeight(), 4.0 * tree->GetRowHeight());
}

TEST_F(TreeViewTest, AnUncheckedAncestorAboveKeepsDeeperNodesHidden) {
  const int32_t deep = AddNode(*tree, u"A1a", 1);
  ASSERT_EQ(deep, 2);
  ClickCheckBoxOf(0);
  ASSERT_EQ(ShownTexts(), (Lines{"A", "B"}));
  tree->SetItemChecked(1, false);
  tree->UpdateVisibility(1);
  ClickCheckBoxOf(0);
  EXPECT_EQ(ShownTexts(), (Lines{"A", "A1", "A2", "B"}));
  tree->Expand(1);
  std::vector<std::string> shown = ShownTexts();
  shown.resize(4);
  EXPECT_EQ(shown, (Lines{"A", "A1", "A1a", "A2"}));
}

TEST_F(TreeViewTest, RebindingRowsSendsNothingAndChangesNoCheckState) {
  log->lines.clear();
  tree->SetItemChecked(3, true);
  tree->RebindRowsFrom(0);
  tree->ScrollToItem(3);
  EXPECT_TRUE(log->lines.empty()) << log->lines.front();
  EXPECT_TRUE(tree->IsItemChecked(0));
  EXPECT_EQ(tree->GetCheckedCount(), 2);
}

// Removing a node with children used to unselect and shift by one only.
TEST_F(TreeViewTest, RemovingANodeTakesItsSubtreeOutOfTheCountsAndKeepsTheCaretInRange) {
  tree->SetMultipleSelection(true);
  tree->SelectRange(1, 2, false);
  tree->SetItemChecked(2, true);
  ASSERT_EQ(tree->GetCheckedCount(), 2);

  EXPECT_EQ(tree->RemoveItem(0), 1);

  ASSERT_EQ(tree->GetItemCount(), 1);
  EXPECT_EQ(Utf8(tree->GetItemText(0)), "B");
  EXPECT_EQ(tree->GetParent(0), -1);
  EXPECT_EQ(tree->GetSelectedCount(), 0);
  EXPECT_TRUE(tree->GetSelectedIndexes().empty());
  EXPECT_EQ(tree->GetCheckedCount(), 0);
  EXPECT_LT(tree->GetCaretItem(), tree->GetItemCount());
  EXPECT_LT(tree->GetAnchorItem(), tree->GetItemCount());
  EXPECT_EQ(ShownTexts(), Lines{"B"});
  EXPECT_EQ(ContentHeight(), 1.0 * tree->GetRowHeight());
  EXPECT_EQ(tree->RemoveItem(1), E_INVALIDARG);
}

TEST_F(TreeViewTest, RemovingANodeKeepsTheSelectionAndParentsOfTheNodesAfterIt) {
  AddNode(*tree, u"B1", 3);
  tree->SelectRange(4, -1, true);
  ASSERT_EQ(tree->RemoveItem(0), 2);
  EXPECT_EQ(tree->GetParent(1), 0);
  EXPECT_EQ(tree->GetSelectedIndexes(), std::vector<int32_t>{1});
  EXPECT_EQ(tree->GetCaretItem(), 1);
  EXPECT_EQ(tree->GetSelectedCount(), 1);
}

TEST_F(TreeViewTest, ErasingARecordDirectlyRemovesItsSubtree) {
  tree->EraseItemRecord(0);
  ASSERT_EQ(tree->GetItemCount(), 1);
  EXPECT_EQ(tree->GetParent(0), -1);
  tree->EraseItemRecord(5);
  EXPECT_EQ(tree->GetItemCount(), 1);
}

// Expanding or moving nodes from code used to leave the rows and the extent stale.
TEST_F(TreeViewTest, ExpandingFromCodeRebindsTheRowsAndTheExtent) {
  tree->SetCheckBoxAutoValue(false);
  tree->SetItemChecked(0, false);
  tree->UpdateVisibility(0);
  tree->RebindRowsFrom(0);
  tree->UpdateRowWidths();
  ASSERT_EQ(ShownTexts(), (Lines{"A", "B"}));
  log->lines.clear();

  tree->Expand(0);

  EXPECT_TRUE(tree->IsItemChecked(0));
  EXPECT_EQ(ShownTexts(), (Lines{"A", "A1", "A2", "B"}));
  EXPECT_EQ(ContentHeight(), 4.0 * tree->GetRowHeight());
  EXPECT_TRUE(log->lines.empty()) << "a direct expansion is no user's check";
}

TEST_F(TreeViewTest, ExpandingThroughTheRowActsAsTheUsersCheck) {
  ClickCheckBoxOf(0);
  log->lines.clear();
  tree->Expand(0);
  EXPECT_EQ(ShownTexts(), (Lines{"A", "A1", "A2", "B"}));
  EXPECT_EQ(log->lines.back(), "NID_ITEM_CHECK_CHANGE 0 1.000000");
}

TEST_F(TreeViewTest, MovingANodeUnderALeafExpandsTheNewParentAndUpdatesTheRows) {
  ClickCheckBoxOf(0);
  ASSERT_EQ(ShownTexts(), (Lines{"A", "B"}));
  tree->SetCheckBoxAutoValue(false);
  const int32_t c = AddNode(*tree, u"C", -1);
  ASSERT_EQ(ShownTexts(), (Lines{"A", "B", "C"}));

  EXPECT_EQ(tree->MoveUnder(c, 3), 4);

  EXPECT_EQ(tree->GetParent(4), 3);
  EXPECT_TRUE(tree->IsItemChecked(3)) << "a parent that gains a child is expanded";
  EXPECT_EQ(ShownTexts(), (Lines{"A", "B", "C"}));
  EXPECT_EQ(RowOf(4)->GetRect().x - RowOf(3)->GetRect().x, RowOf(3)->GetCheckBox()->GetRect().width);
  EXPECT_TRUE(RowOf(3)->GetCheckBox()->IsEnabled(false));
  EXPECT_EQ(ContentHeight(), 3.0 * tree->GetRowHeight());
}

TEST_F(TreeViewTest, MovingANodeUpPastASubtreeKeepsEveryParentWithItsNode) {
  const int32_t b1 = AddNode(*tree, u"B1", 3);
  ASSERT_EQ(b1, 4);
  const int32_t c = AddNode(*tree, u"C", -1);
  ASSERT_EQ(c, 5);

  EXPECT_EQ(tree->MoveUnder(c, 0), 3);

  const std::vector<std::string> texts = {"A", "A1", "A2", "C", "B", "B1"};
  const std::vector<int32_t> parents = {-1, 0, 0, 0, -1, 4};
  for (int32_t index = 0; index < 6; ++index) {
    EXPECT_EQ(Utf8(tree->GetItemText(index)), texts[static_cast<size_t>(index)]) << index;
    EXPECT_EQ(tree->GetParent(index), parents[static_cast<size_t>(index)]) << index;
  }
  EXPECT_EQ(tree->GetDescendantCount(0), 3);
  EXPECT_EQ(tree->GetDescendantCount(4), 1);
}

TEST_F(TreeViewTest, MovingToTheTopLevelStopsAtTheFirstPlace) {
  const int32_t deep = AddNode(*tree, u"A2a", 2);
  ASSERT_EQ(deep, 3);
  EXPECT_EQ(tree->MoveUnder(deep, -1), 0);
  EXPECT_EQ(Utf8(tree->GetItemText(0)), "A2a");
  EXPECT_EQ(tree->GetParent(0), -1);
  EXPECT_EQ(tree->GetParent(2), 1);
  EXPECT_EQ(tree->GetParent(3), 1);
  EXPECT_EQ(tree->GetDescendantCount(1), 2);
}

TEST_F(TreeViewTest, MovesWithoutASettledResultAreRefused) {
  struct Case {
    int32_t node;
    int32_t parent;
    const char* why;
  };
  const Case cases[] = {
      {0, -1, "the first node"},   {5, 0, "a node out of range"}, {1, 3, "a parent after the node"},
      {2, 2, "the node itself"},   {1, 0, "the parent it has"},   {0, 3, "a parent out of order"},
      {3, 9, "a parent out of range"},
  };
  for (const Case& move : cases) {
    EXPECT_EQ(tree->MoveUnder(move.node, move.parent), move.node) << move.why;
    EXPECT_EQ(tree->GetItemCount(), 4) << move.why;
    EXPECT_EQ(tree->GetParent(1), 0) << move.why;
    EXPECT_EQ(tree->GetParent(3), -1) << move.why;
  }
  // A node with children that would have to leave them behind stays.
  const int32_t b1 = AddNode(*tree, u"B1", 3);
  ASSERT_EQ(b1, 4);
  EXPECT_EQ(tree->MoveUnder(3, 1), 3);
  EXPECT_EQ(tree->GetParent(4), 3);
}

TEST_F(TreeViewTest, AParentChainThatLoopsEndsEveryWalk) {
  tree->GetNode(0).parent = 2;
  EXPECT_GT(tree->GetDepth(1), 0);
  EXPECT_LE(tree->GetDepth(1), tree->GetItemCount());
  EXPECT_FALSE(tree->IsAncestor(3, 1));
  tree->UpdateVisibility(0);
  tree->RebindRowsFrom(0);
  EXPECT_LE(tree->GetDescendantCount(0), tree->GetItemCount());
}

}  // namespace
}  // namespace SV
