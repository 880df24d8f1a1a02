#include "SVFramework/Controls/TreeViewItem.h"

namespace SV {

LTreeViewItem::LTreeViewItem(const RCPtr<LControl>& parent, const String& name) : LCheckedListBoxItem(parent, name) {}

LTreeViewItem::~LTreeViewItem() = default;

void LTreeViewItem::SetIndent(uint32_t depth) {
  const RCPtr<LButton> checkBox = GetCheckBox();
  if (!checkBox || !GetLayout()) return;
  LPlacementSpec placement;
  LSizeSpec size;
  GetLayout()->GetPlacement(LLayoutDescriptor::kAxisX, placement, size);
  placement.abs = static_cast<double>(depth) * checkBox->GetRect().width;
  SetPlacement(LLayoutDescriptor::kAxisX, placement, size);
}

}  // namespace SV
