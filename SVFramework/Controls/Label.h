#pragma once

#include "SVFramework/ControlBase/Control.h"

namespace SV {

// Static text: shows its "LABEL" text through its look, never takes the focus (whatever
// its skin says), and offers its own text as tooltip while the text does not fit its
// look's text rectangle. Created for "Framework.Label". UI thread only.
class LLabel : public LControl {
public:
  LLabel(const RCPtr<LControl>& parent, const String& name);
  ~LLabel() override;

  // Marks the label not focusable.
  void OnDescriptorApplied() override;
  // The label's own text while it is truncated, else the "TOOLTIP" string.
  String GetTooltipText() override;
};

}  // namespace SV
