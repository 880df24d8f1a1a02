#include "SVFramework/Controls/Label.h"

namespace SV {

LLabel::LLabel(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {}

LLabel::~LLabel() = default;

void LLabel::OnDescriptorApplied() { SetNotFocusable(true); }

String LLabel::GetTooltipText() {
  if (IsTextTruncated()) return GetText();
  return LControl::GetTooltipText();
}

}  // namespace SV
