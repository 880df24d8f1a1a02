#pragma once
#include <cstdint>
#include <vector>

#include "SVFramework/Controls/CheckedListBox.h"
#include "SVFramework/Controls/TreeViewItem.h"

namespace SV {

// One node of a tree view: a checked item record and the index of its parent node
// (-1 at top level).
struct LTreeViewNode : LCheckedListBoxItemRecord {
  int32_t parent = -1;
};

// A checked list whose items form a tree. The nodes are kept in one array in display
// order; a node's descendants follow it directly, each deeper than it. A node's check
// box is its expander: a node is shown only while all its ancestors are checked, its
// row (an LTreeViewItem) is indented by its depth, and only a node with descendants
// has an enabled check box. New items start at top level; MoveUnder places them.
// Sends what the checked list sends ("NID_ITEM_CHECK_CHANGE" for a user's check,
// "NID_ITEM_CHECKBOX_CLICKED" in report mode) and what every list sends.
// Out-of-range indexes get neutral answers; walks up a parent chain stop after as many
// steps as there are nodes, so a damaged chain never loops. A tree is never sorted.
// UI thread only.
class LTreeView : public LCheckedListBox {
public:
  using TreeHandlers = LNotificationHandler<LTreeView>;

  LTreeView(const RCPtr<LControl>& parent, const String& name);
  ~LTreeView() override;

  void OnIdle() override;
  SVRESULT Initialize() override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;
  SVRESULT ReleaseInternalReferences() override;

  // --- Records ---
  int32_t GetItemCount() const override;
  LCheckedListBoxItemRecord& GetCheckedItem(int32_t index) override { return GetNode(index); }
  // An empty top-level node; the parents of later nodes are left as they are.
  void InsertItemRecord(int32_t index) override;
  // Removes the node with its whole subtree; later parents move down with the array.
  void EraseItemRecord(int32_t index) override;
  // Exchanges the two records whole, parent indexes included; no other node changes.
  SVRESULT SwapItems(int32_t a, int32_t b) override;
  bool SortItems() override { return false; }
  // Removes the node and its subtree. The subtree is unselected and unchecked first,
  // and the nodes go one by one from the last, so that the counts, the anchor and the
  // caret follow every node removed. The new count; E_INVALIDARG out of range.
  SVRESULT RemoveItem(int32_t index) override;
  SVRESULT UpdateRow(int32_t index, int32_t& rowIndex) override;
  using LListBox::UpdateRow;

  // --- The tree ---
  // No range check: callers check the index.
  LTreeViewNode& GetNode(int32_t index) { return mNodes[static_cast<size_t>(index)]; }
  // -1 at top level and out of range.
  int32_t GetParent(int32_t index) const;
  // Number of ancestors; 0 out of range.
  int32_t GetDepth(int32_t index) const;
  // The run of deeper nodes directly after the node; 0 out of range.
  int32_t GetDescendantCount(int32_t index) const;
  // Whether `ancestor` is on the parent chain of `node`; false out of range.
  bool IsAncestor(int32_t ancestor, int32_t node) const;
  // Makes node n a child of p (-1: top level) and returns n's new index. A node that
  // does not directly follow p's subtree moves up past the nodes between (the others'
  // parents follow their nodes); it stops at index 0. Refused (n returned unchanged)
  // for n out of range or 0, p equal to n, out of range or after n, and for a node
  // with descendants that would have to move away from them.
  int32_t MoveUnder(int32_t node, int32_t newParent);
  // Hides each descendant of the node that has an unchecked ancestor, shows the others.
  void UpdateVisibility(int32_t node);
  // Checks the node: through its row's check box when it has a row (as a user's
  // check), else directly; the rows and the extent follow.
  void Expand(int32_t node);

  int32_t OnCheckBoxValueChange(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t OnCheckBoxClick(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);

protected:
  void BindCheckBox(const RCPtr<LButton>& checkBox) override;
  void UnbindCheckBox(const RCPtr<LButton>& checkBox, const char16_t* id) override;

private:
  bool AllAncestorsChecked(int32_t index) const;
  void ShowVisibilityChange(int32_t from);
  void SwapKeepingParents(int32_t upper, int32_t lower);
  int32_t ReportCheckBox(const RCPtr<LNotificationDistributor>& source, const char16_t* id, bool changesState);

  RCPtr<TreeHandlers> mTreeHandlers;
  std::vector<LTreeViewNode> mNodes;
  bool mUpdating = false;
};

}  // namespace SV
