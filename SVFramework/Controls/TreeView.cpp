#include "SVFramework/Controls/TreeView.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "SVFramework/Controls/CheckedListBoxItem.h"
#include "SVFramework/notification/NotificationNames.h"

namespace SV {

LTreeView::LTreeView(const RCPtr<LControl>& parent, const String& name) : LCheckedListBox(parent, name) {}

LTreeView::~LTreeView() {
  mNodes.clear();
  mTreeHandlers = nullptr;
}

SVRESULT LTreeView::ReleaseInternalReferences() {
  mNodes.clear();
  return LCheckedListBox::ReleaseInternalReferences();
}

SVRESULT LTreeView::Initialize() {
  const SVRESULT result = LCheckedListBox::Initialize();
  if (!mTreeHandlers) mTreeHandlers = TreeHandlers::Create(this);
  return result;
}

void LTreeView::OnIdle() { ReleaseIdle(); }

int32_t LTreeView::Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mTreeHandlers) {
    const int32_t handled = mTreeHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LCheckedListBox::Receive(source, notification);
}

SVRESULT LTreeView::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  if (mTreeHandlers) mTreeHandlers->RemoveHandler(source.Get(), idText);
  return LCheckedListBox::UnsubscribeVirtual(source, idText);
}

// --- Records ---

int32_t LTreeView::GetItemCount() const { return static_cast<int32_t>(mNodes.size()); }

void LTreeView::InsertItemRecord(int32_t index) { mNodes.insert(mNodes.begin() + index, LTreeViewNode{}); }

void LTreeView::EraseItemRecord(int32_t index) {
  if (index < 0 || index >= GetItemCount()) return;
  mNodes.erase(mNodes.begin() + index);
  for (int32_t node = GetItemCount() - 1; node >= index; --node) {
    if (node >= GetItemCount()) continue;
    if (GetNode(node).parent == index)
      EraseItemRecord(node);
    else if (GetNode(node).parent > index)
      --GetNode(node).parent;
  }
  RecountChecked();
}

SVRESULT LTreeView::SwapItems(int32_t a, int32_t b) {
  std::swap(GetNode(a), GetNode(b));
  return 0;
}

SVRESULT LTreeView::RemoveItem(int32_t index) {
  if (index < 0 || index >= GetItemCount()) return E_INVALIDARG;
  // Every node whose parent chain reaches the node goes with it, the deepest last.
  std::vector<int32_t> subtree{index};
  for (int32_t node = index + 1; node < GetItemCount(); ++node)
    if (IsAncestor(index, node)) subtree.push_back(node);
  for (auto node = subtree.rbegin(); node != subtree.rend(); ++node) {
    Unselect(*node);
    SetItemChecked(*node, false);
  }
  SVRESULT result = GetItemCount();
  // From the last node up, each node is a leaf by the time it goes.
  for (auto node = subtree.rbegin(); node != subtree.rend(); ++node) {
    result = LCheckedListBox::RemoveItem(*node);
    if (result < 0) return result;
  }
  UpdateRowWidths();
  return result;
}

// --- Rows ---

SVRESULT LTreeView::UpdateRow(int32_t index, int32_t& rowIndex) {
  mUpdating = true;
  const SVRESULT result = LCheckedListBox::UpdateRow(index, rowIndex);
  if (result < 0 || rowIndex < 0) {
    mUpdating = false;
    return result;
  }
  const RCPtr<LTreeViewItem> row(dynamic_cast<LTreeViewItem*>(GetRow(static_cast<uint32_t>(rowIndex)).Get()));
  if (row) {
    if (const RCPtr<LControl> checkBox = row->FindChild(String(LCheckedListBoxItem::kCheckBoxName)))
      checkBox->SetEnabled(GetDescendantCount(index) != 0);
    row->SetIndent(static_cast<uint32_t>(GetDepth(index)));
  }
  mUpdating = false;
  return result;
}

void LTreeView::BindCheckBox(const RCPtr<LButton>& checkBox) {
  if (!mTreeHandlers) mTreeHandlers = TreeHandlers::Create(this);
  const RCPtr<LNotificationDistributor> source(checkBox.Get());
  if (IsCheckBoxAutoValue())
    mTreeHandlers->AddHandler(&LTreeView::OnCheckBoxValueChange, source, NotificationName::kValueChange);
  else
    mTreeHandlers->AddHandler(&LTreeView::OnCheckBoxClick, source, NotificationName::kLeftClick);
}

void LTreeView::UnbindCheckBox(const RCPtr<LButton>& checkBox, const char16_t* id) {
  if (!mTreeHandlers) return;
  const RCPtr<LNotificationDistributor> source(checkBox.Get());
  if (mTreeHandlers->RemoveHandler(source.Get(), id)) Unsubscribe(source, id);
}

// --- The tree ---

int32_t LTreeView::GetParent(int32_t index) const {
  if (index < 0 || index >= GetItemCount()) return -1;
  return mNodes[static_cast<size_t>(index)].parent;
}

int32_t LTreeView::GetDepth(int32_t index) const {
  int32_t depth = 0;
  for (int32_t node = GetParent(index); node >= 0 && depth < GetItemCount(); node = GetParent(node)) ++depth;
  return depth;
}

int32_t LTreeView::GetDescendantCount(int32_t index) const {
  if (index < 0 || index >= GetItemCount()) return 0;
  const int32_t depth = GetDepth(index);
  int32_t count = 0;
  for (int32_t node = index + 1; node < GetItemCount() && GetDepth(node) > depth; ++node) ++count;
  return count;
}

bool LTreeView::IsAncestor(int32_t ancestor, int32_t node) const {
  if (ancestor < 0 || ancestor >= GetItemCount() || node < 0 || node >= GetItemCount()) return false;
  int32_t steps = 0;
  for (int32_t at = GetParent(node); at >= 0 && steps < GetItemCount(); at = GetParent(at), ++steps)
    if (at == ancestor) return true;
  return false;
}

bool LTreeView::AllAncestorsChecked(int32_t index) const {
  int32_t steps = 0;
  for (int32_t at = GetParent(index); at >= 0 && steps < GetItemCount(); at = GetParent(at), ++steps)
    if (!IsItemChecked(at)) return false;
  return true;
}

void LTreeView::UpdateVisibility(int32_t node) {
  for (int32_t index = node + 1; index < GetItemCount() && IsAncestor(node, index); ++index)
    SetItemHidden(index, !AllAncestorsChecked(index));
}

// Hiding and showing nodes changes which items the rows show and the content height.
void LTreeView::ShowVisibilityChange(int32_t from) {
  RebindRowsFrom(std::max(from, 0));
  UpdateRowWidths();
}

void LTreeView::Expand(int32_t node) {
  if (node < 0 || node >= GetItemCount()) return;
  const int32_t rowIndex = GetRowIndexOfItem(node);
  const RCPtr<LCheckedListBoxItem> row = rowIndex < 0 ? nullptr : GetCheckedRow(static_cast<uint32_t>(rowIndex));
  const RCPtr<LButton> checkBox = row ? row->GetCheckBox() : nullptr;
  if (checkBox && IsCheckBoxAutoValue()) {
    checkBox->SetNormalizedValue(1.0);
    return;
  }
  SetItemChecked(node, true);
  UpdateVisibility(node);
  ShowVisibilityChange(node);
}

// The two neighbours change places and every parent index follows its node.
void LTreeView::SwapKeepingParents(int32_t upper, int32_t lower) {
  SwapItems(upper, lower);
  for (LTreeViewNode& node : mNodes) {
    if (node.parent == upper)
      node.parent = lower;
    else if (node.parent == lower)
      node.parent = upper;
  }
}

int32_t LTreeView::MoveUnder(int32_t node, int32_t newParent) {
  const int32_t count = GetItemCount();
  const int32_t parent = newParent < 0 ? -1 : newParent;
  if (node <= 0 || node >= count || node == parent || parent >= node) return node;
  if (GetParent(node) == parent) return node;
  const auto followsParent = [&](int32_t above) { return above == parent || IsAncestor(parent, above); };
  if (!followsParent(node - 1) && GetDescendantCount(node) != 0) return node;
  while (node > 0 && !followsParent(node - 1)) {
    SwapKeepingParents(node - 1, node);
    --node;
  }
  GetNode(node).parent = parent;
  if (parent >= 0 && GetDescendantCount(parent) != 0) Expand(parent);
  if (parent >= 0) {
    UpdateVisibility(parent);
  } else {
    SetItemHidden(node, false);
    UpdateVisibility(node);
  }
  ShowVisibilityChange(std::min(node, parent < 0 ? node : parent));
  return node;
}

// --- Check boxes ---

int32_t LTreeView::ReportCheckBox(const RCPtr<LNotificationDistributor>& source, const char16_t* id,
                                  bool changesState) {
  if (mUpdating) return 1;
  const auto* checkBox = dynamic_cast<const LControl*>(source.Get());
  const int32_t item = checkBox ? GetItemIndexOfRow(checkBox->GetParent()) : -1;
  if (item < 0 || item >= GetItemCount()) return 1;
  const double value = checkBox->GetNormalizedValue();
  const RCPtr<LIndexedDataWithValueParam> param(new LIndexedDataWithValueParam(nullptr, item, value));
  if (changesState) {
    GetNode(item).checked = value >= 0.5;
    RecountChecked();
  }
  UpdateVisibility(item);
  ShowVisibilityChange(item);
  SelectRange(item, item, !IsMultipleSelection());
  Distribute(LNotification::Obtain(id, RCPtr<LRefCountedObject>(param.Get())));
  return 1;
}

int32_t LTreeView::OnCheckBoxValueChange(const RCPtr<LNotificationDistributor>& source,
                                         const RCPtr<LNotification>&) {
  return ReportCheckBox(source, u"NID_ITEM_CHECK_CHANGE", true);
}

int32_t LTreeView::OnCheckBoxClick(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>&) {
  return ReportCheckBox(source, u"NID_ITEM_CHECKBOX_CLICKED", false);
}

}  // namespace SV
