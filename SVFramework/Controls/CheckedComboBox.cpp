#include "SVFramework/Controls/CheckedComboBox.h"

#include "SVFramework/Controls/IndexedDataParam.h"
#include "SVFramework/Utilities/Graphics/Bitmap.h"

namespace SV {

namespace {
constexpr const char16_t* kCheckChange = u"NID_ITEM_CHECK_CHANGE";
}  // namespace

LCheckedComboBox::LCheckedComboBox(const RCPtr<LControl>& parent, const String& name) : LComboBox(parent, name) {}

LCheckedComboBox::~LCheckedComboBox() { mCheckedComboHandlers = nullptr; }

SVRESULT LCheckedComboBox::ReleaseInternalReferences() {
  mCheckedList = nullptr;
  return LComboBox::ReleaseInternalReferences();
}

int32_t LCheckedComboBox::Receive(const RCPtr<LNotificationDistributor>& source,
                                  const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mCheckedComboHandlers) {
    const int32_t handled = mCheckedComboHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LComboBox::Receive(source, notification);
}

SVRESULT LCheckedComboBox::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  if (mCheckedComboHandlers) mCheckedComboHandlers->RemoveHandler(source.Get(), idText);
  return LComboBox::UnsubscribeVirtual(source, idText);
}

RCPtr<LButton> LCheckedComboBox::GetCheckBox() const {
  return RCPtr<LButton>(dynamic_cast<LButton*>(FindChild(String(u"checkBox")).Get()));
}

SVRESULT LCheckedComboBox::Initialize() {
  mCheckedList = RCPtr<LCheckedListBox>(dynamic_cast<LCheckedListBox*>(FindChild(String(u"listBox")).Get()));
  if (LComboBox::Initialize() < 0 || !mCheckedList) return E_FAIL;
  if (const RCPtr<LButton> checkBox = GetCheckBox()) checkBox->SetUseParentTooltip(true);
  mCheckedList->SetDropDownMode(true);
  if (mCheckedList->GetItemImageCount() > 0) SetCheckBoxDisplayOnly(true);
  if (!mCheckedComboHandlers) mCheckedComboHandlers = CheckedComboHandlers::Create(this);
  mCheckedComboHandlers->AddHandler(&LCheckedComboBox::OnItemCheckChange,
                                    RCPtr<LNotificationDistributor>(mCheckedList.Get()), kCheckChange);
  return S_OK;
}

void LCheckedComboBox::OnDescriptorApplied() {
  ShowItemOnCheckBox(GetSelectedIndex());
  LComboBox::OnDescriptorApplied();
}

void LCheckedComboBox::ShowImageOnCheckBox(const RCPtr<LBitmap>& image) {
  const RCPtr<LButton> checkBox = GetCheckBox();
  if (!checkBox) return;
  for (int32_t look = static_cast<int32_t>(checkBox->GetLookCount()) - 1; look >= 0; --look)
    checkBox->SetLookPart(image, ResizeType::Center, look, false);
}

// The button shows the item's check state and image; no item leaves the state and
// clears the image.
void LCheckedComboBox::ShowItemOnCheckBox(int32_t index) {
  const RCPtr<LButton> checkBox = GetCheckBox();
  if (!checkBox) return;
  RCPtr<LBitmap> image;
  if (mCheckedList && index >= 0 && index < mCheckedList->GetItemCount()) {
    checkBox->SetNormalizedValue(mCheckedList->IsItemChecked(index) ? 1.0 : 0.0);
    image = mCheckedList->GetItemImage(index);
  }
  ShowImageOnCheckBox(image);
}

int32_t LCheckedComboBox::SetSelectedIndex(int32_t index) {
  ShowItemOnCheckBox(index);
  return LComboBox::SetSelectedIndex(index);
}

SVRESULT LCheckedComboBox::SetItemCount(int32_t count) {
  const SVRESULT result = LComboBox::SetItemCount(count);
  UpdateLook();
  return result;
}

void LCheckedComboBox::UpdateLook() {
  int32_t look = 13;
  if (IsEnabled(true)) {
    if (IsDropDownOpen())
      look = IsHovered() ? 12 : 11;
    else
      look = kCheckedLookOffset + (IsHovered() ? 2 : 0) + (HasFocus() || ContainsFocus() ? 1 : 0);
  }
  if (!mCheckedList || mCheckedList->GetCheckedCount() <= 0) look -= kCheckedLookOffset;
  SetExclusiveLook(look);
}

void LCheckedComboBox::SetCheckBoxDisplayOnly(bool displayOnly) {
  mCheckBoxDisplayOnly = displayOnly;
  if (const RCPtr<LButton> checkBox = GetCheckBox()) checkBox->SetPassThrough(displayOnly);
}

int32_t LCheckedComboBox::OnItemCheckChange(const RCPtr<LNotificationDistributor>&,
                                            const RCPtr<LNotification>& notification) {
  if (!mCheckedList) return 1;
  const int32_t checked = mCheckedList->GetCheckedCount();
  if (checked == 0 || checked == 1) UpdateLook();
  const auto* param = dynamic_cast<const LIndexedDataWithValueParam*>(notification->GetPayload().Get());
  const RCPtr<LButton> checkBox = GetCheckBox();
  if (param && checkBox && param->index == GetSelectedIndex())
    checkBox->SetNormalizedValue(mCheckedList->IsItemChecked(param->index) ? 1.0 : 0.0);
  Distribute(LNotification::Obtain(kCheckChange, notification->GetPayload()));
  return 1;
}

}  // namespace SV
