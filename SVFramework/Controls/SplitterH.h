#pragma once
#include "SVFramework/Controls/SplitterBase.h"

namespace SV {

// A horizontal bar between panes stacked vertically, dragged up and down.
class LSplitterH : public LSplitterBase {
public:
  LSplitterH(const RCPtr<LControl>& parent, const String& name) : LSplitterBase(parent, name, 0) {}
};

}  // namespace SV
