#include <gtest/gtest.h>

#include <random>

#include "SVFramework/Controls/TreeView.h"
#include "tests/SVFramework/Controls/DropDownSkin.h"
#include "tests/SVFramework/Controls/TreeViewSkin.h"
#include "tests/Support/Widgets/RandomInput.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

// Random input on a tree between random edits of its structure: the counts match the
// nodes, caret and anchor stay within them, every parent lies before its node, each
// node is hidden exactly when an ancestor is unchecked, and nothing loops or crashes.
TEST(TreeViewRandomInput, KeepsCountsCaretAndStructureConsistent) {
  Testing::WidgetHarness harness({400, 300});
  harness.Build(Testing::TreeViewSkin::Tree(), Testing::DropDownSkin::kLooks);
  const RCPtr<LTreeView> tree = harness.Find<LTreeView>(u"tree");
  ASSERT_TRUE(tree);
  std::mt19937 random(20261211);
  const auto pick = [&random](int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(random);
  };
  Testing::RandomInput input(harness, 20261211);
  const auto check = [&] {
    const int32_t count = tree->GetItemCount();
    ASSERT_GE(tree->GetCaretItem(), -1) << input.LastEvent();
    ASSERT_LT(tree->GetCaretItem(), count) << input.LastEvent();
    ASSERT_LT(tree->GetAnchorItem(), count) << input.LastEvent();
    ASSERT_EQ(static_cast<int32_t>(tree->GetSelectedIndexes().size()), tree->GetSelectedCount()) << input.LastEvent();
    int32_t checked = 0;
    for (int32_t node = 0; node < count; ++node) {
      if (tree->IsItemChecked(node)) ++checked;
      ASSERT_LT(tree->GetParent(node), node) << input.LastEvent();
      bool shown = true;
      for (int32_t at = tree->GetParent(node); at >= 0; at = tree->GetParent(at)) shown = shown && tree->IsItemChecked(at);
      ASSERT_EQ(tree->GetNode(node).hidden, !shown) << "node " << node << " after " << input.LastEvent();
    }
    ASSERT_EQ(tree->GetCheckedCount(), checked) << input.LastEvent();
    ASSERT_GE(tree->GetIdleCount(), 0) << input.LastEvent();
  };
  for (int round = 0; round < 200; ++round) {
    const int32_t count = tree->GetItemCount();
    switch (pick(0, 5)) {
      case 0:
      case 1: Testing::TreeViewSkin::AddNode(*tree, u"node", pick(-2, count)); break;
      case 2: tree->RemoveItem(pick(-1, count)); break;
      case 3: tree->MoveUnder(pick(-1, count), pick(-2, count)); break;
      case 4: tree->Expand(pick(-1, count)); break;
      default: tree->SetMultipleSelection(pick(0, 1) != 0); break;
    }
    ASSERT_NO_FATAL_FAILURE(check());
    ASSERT_GE(tree->SetFocus(true), 0);
    input.Run(RCPtr<LControl>(tree.Get()), 10, check);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace SV
