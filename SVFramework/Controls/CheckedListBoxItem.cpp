#include "SVFramework/Controls/CheckedListBoxItem.h"

#include "SVFramework/ControlBase/ConditionBits.h"
#include "SVFramework/ControlBase/ConditionsParam.h"

namespace SV {

LCheckedListBoxItem::LCheckedListBoxItem(const RCPtr<LControl>& parent, const String& name)
    : LListBoxItem(parent, name) {}

LCheckedListBoxItem::~LCheckedListBoxItem() { mRowHandlers = nullptr; }

SVRESULT LCheckedListBoxItem::Initialize() {
  const SVRESULT result = LListBoxItem::Initialize();
  if (!mRowHandlers) mRowHandlers = RowHandlers::Create(this);
  const RCPtr<LButton> checkBox = GetCheckBox();
  if (!checkBox) return result;
  mRowHandlers->AddHandler(&LCheckedListBoxItem::OnCheckBoxHoverConditionChange,
                           RCPtr<LNotificationDistributor>(checkBox.Get()), u"NID_HOVER_CONDITION_CHANGE");
  checkBox->SetNotFocusable(true);
  checkBox->SetUseParentTooltip(true);
  return result;
}

int32_t LCheckedListBoxItem::Receive(const RCPtr<LNotificationDistributor>& source,
                                     const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mRowHandlers) {
    const int32_t handled = mRowHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LListBoxItem::Receive(source, notification);
}

SVRESULT LCheckedListBoxItem::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source,
                                                 const char16_t* idText) {
  if (mRowHandlers) mRowHandlers->RemoveHandler(source.Get(), idText);
  return LListBoxItem::UnsubscribeVirtual(source, idText);
}

int32_t LCheckedListBoxItem::OnCheckBoxHoverConditionChange(const RCPtr<LNotificationDistributor>&,
                                                            const RCPtr<LNotification>& notification) {
  const auto* conditions = dynamic_cast<const LConditionsParam*>(notification->GetPayload().Get());
  if (conditions == nullptr) return 1;
  const bool was = (conditions->previous & Condition::kHover) != 0;
  const bool now = (conditions->current & Condition::kHover) != 0;
  if (was != now) SetChildHover(now);
  return 1;
}

bool LCheckedListBoxItem::SetLook(int32_t look, bool exclusive) {
  if (SetLookWeight(look, 1.0f, exclusive) < 0) return false;
  if (IsCreated() && mLookMirroring) {
    if (const RCPtr<LButton> checkBox = GetCheckBox()) checkBox->SetExclusiveLook(look);
  }
  return true;
}

RCPtr<LButton> LCheckedListBoxItem::GetCheckBox() const {
  return RCPtr<LButton>(dynamic_cast<LButton*>(FindChild(String(kCheckBoxName)).Get()));
}

SVRESULT LCheckedListBoxItem::SetCheckBoxLook(int32_t look, bool exclusive) {
  if (!IsCreated()) return S_FALSE;
  const RCPtr<LButton> checkBox = GetCheckBox();
  if (!checkBox) return E_FAIL;
  return exclusive ? checkBox->SetExclusiveLook(look) : checkBox->SetLookWeight(look, 1.0f, false);
}

void LCheckedListBoxItem::SetCheckBoxValue(bool checked) {
  if (const RCPtr<LButton> checkBox = GetCheckBox()) checkBox->SetNormalizedValue(checked ? 1.0 : 0.0);
}

void LCheckedListBoxItem::SetCheckBoxImage(const RCPtr<LBitmap>& bitmap) {
  const RCPtr<LButton> checkBox = GetCheckBox();
  if (!checkBox) return;
  for (auto look = static_cast<int32_t>(checkBox->GetLookCount()); look-- > 0;)
    checkBox->SetLookPart(bitmap, ResizeType::Center, look, false);
}

void LCheckedListBoxItem::SetCheckBoxVisible(bool visible) {
  if (const RCPtr<LButton> checkBox = GetCheckBox()) checkBox->SetVisible(visible);
}

}  // namespace SV
