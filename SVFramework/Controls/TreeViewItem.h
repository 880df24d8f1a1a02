#pragma once
#include <cstdint>

#include "SVFramework/Controls/CheckedListBoxItem.h"

namespace SV {

// The row of a tree view: a checked row whose check box is the node's expander. The
// tree indents it by the node's depth. UI thread only.
class LTreeViewItem : public LCheckedListBoxItem {
public:
  LTreeViewItem(const RCPtr<LControl>& parent, const String& name);
  ~LTreeViewItem() override;

  // Moves the row right by depth times the width of its "checkBox" child (nothing
  // without one); the rest of its X placement stays.
  void SetIndent(uint32_t depth);
};

}  // namespace SV
