#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/CreateParams.h"

// The initialisation of LControl from its create parameters and string table.
namespace SV {

SVRESULT LControl::Initialize() {
  EnsureHandlers();
  ApplyCreateParams();
  if (GetStringTable()) GetStringTable()->GetString(u"TOOLTIP", mTooltipText);
  return S_OK;
}

SVRESULT LControl::ApplyCreateParams() {
  const LStringTable* parameters = mDescriptor ? mDescriptor->CreateParams.Get() : nullptr;
  double initialValue = 0;
  if (LCreateParams::ReadReal(parameters, u"INITIAL_VALUE", initialValue)) SetNormalizedValue(initialValue);
  bool notFocusable = mLayout && mLayout->TabStop < 0;
  LCreateParams::ReadBoolean(parameters, u"NOT_FOCUSABLE", notFocusable);
  SetNotFocusable(notFocusable);
  LCreateParams::ReadBoolean(parameters, u"USE_PARENT_TOOLTIP", mUseParentTooltip);
  LCreateParams::ReadBoolean(parameters, u"WANTS_TAB", mWantsTab);
  return S_OK;
}

}  // namespace SV
