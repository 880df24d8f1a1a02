#pragma once
#include "SVFramework/Controls/SplitterBase.h"

namespace SV {

// A vertical bar between panes side by side, dragged left and right.
class LSplitterV : public LSplitterBase {
public:
  LSplitterV(const RCPtr<LControl>& parent, const String& name) : LSplitterBase(parent, name, 1) {}
};

}  // namespace SV
