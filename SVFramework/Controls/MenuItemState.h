#pragma once
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The state of one menu entry as the popup and the owning control exchange it.
struct LMenuItemState {
  bool Enabled = false;
  bool Checked = false;
  String Label;

  bool operator==(const LMenuItemState& other) const {
    return Enabled == other.Enabled && Checked == other.Checked && Label == other.Label;
  }
};

}  // namespace SV
