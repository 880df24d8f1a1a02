#include "SVFramework/Controls/CheckedListBox.h"

#include <algorithm>
#include <typeinfo>

#include "SVFramework/ControlBase/DockedPart.h"
#include "SVFramework/ControlBase/Look.h"
#include "SVFramework/ControlBase/LookDescriptor.h"
#include "SVFramework/ControlBase/VisualPart.h"
#include "SVFramework/notification/NotificationNames.h"

namespace SV {

LCheckedListBox::LCheckedListBox(const RCPtr<LControl>& parent, const String& name) : LListBox(parent, name) {}

LCheckedListBox::~LCheckedListBox() { mCheckedHandlers = nullptr; }

SVRESULT LCheckedListBox::ReleaseInternalReferences() {
  mCheckedItems.clear();
  mItemImages.clear();
  return LListBox::ReleaseInternalReferences();
}

int32_t LCheckedListBox::Receive(const RCPtr<LNotificationDistributor>& source,
                                 const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mCheckedHandlers) {
    const int32_t handled = mCheckedHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LListBox::Receive(source, notification);
}

SVRESULT LCheckedListBox::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  if (mCheckedHandlers) mCheckedHandlers->RemoveHandler(source.Get(), idText);
  return LListBox::UnsubscribeVirtual(source, idText);
}

// --- Creation ---

SVRESULT LCheckedListBox::Initialize() {
  if (!mCheckedHandlers) mCheckedHandlers = CheckedHandlers::Create(this);
  const SVRESULT result = LListBox::Initialize();
  // Lists derived from this one (menus, trees) use their fourth look otherwise.
  if (typeid(*this) == typeid(LCheckedListBox) && GetLookCount() > static_cast<uint32_t>(kIconLook) &&
      GetLook(kIconLook)) {
    LoadIconsFromLook();
    SetCheckBoxesDisplayOnly(true);
  }
  return result;
}

void LCheckedListBox::LoadIconsFromLook() {
  const RCPtr<LLook> look = GetLook(kIconLook);
  const RCPtr<LLookDescriptor>& descriptor = look->GetDescriptor();
  if (!descriptor) return;
  for (uint32_t index = 0; index < descriptor->NonClientParts.GetCount(); ++index) {
    const RCPtr<LDockedPart>& docked = descriptor->NonClientParts[index];
    const RCPtr<LVisualPart> part = docked ? docked->GetVisualPart() : nullptr;
    if (part && part->GetBitmap()) mItemImages.push_back(part->GetBitmap());
  }
  RebindRowsFrom(0);
}

// --- Records ---

int32_t LCheckedListBox::GetItemCount() const { return static_cast<int32_t>(mCheckedItems.size()); }

LCheckedListBoxItemRecord& LCheckedListBox::GetCheckedItem(int32_t index) {
  return mCheckedItems[static_cast<size_t>(index)];
}

void LCheckedListBox::InsertItemRecord(int32_t index) {
  mCheckedItems.insert(mCheckedItems.begin() + index, LCheckedListBoxItemRecord{});
}

// The checked count follows the records, so that it never counts a removed item.
void LCheckedListBox::EraseItemRecord(int32_t index) {
  if (mCheckedItems[static_cast<size_t>(index)].checked) --mCheckedCount;
  mCheckedItems.erase(mCheckedItems.begin() + index);
}

SVRESULT LCheckedListBox::SwapItems(int32_t a, int32_t b) {
  std::swap(mCheckedItems[static_cast<size_t>(a)], mCheckedItems[static_cast<size_t>(b)]);
  return S_OK;
}

int32_t LCheckedListBox::SetItemCount(int32_t count) {
  const int32_t result = LListBox::SetItemCount(count);
  RecountChecked();
  return result;
}

// Through the virtual records, so that a list keeping records of its own counts them.
void LCheckedListBox::RecountChecked() {
  int32_t count = 0;
  for (int32_t index = 0; index < GetItemCount(); ++index)
    if (GetCheckedItem(index).checked) ++count;
  mCheckedCount = count;
}

void LCheckedListBox::SetItemChecked(int32_t index, bool checked) {
  if (index < 0 || index >= GetItemCount() || GetCheckedItem(index).checked == checked) return;
  GetCheckedItem(index).checked = checked;
  mCheckedCount += checked ? 1 : -1;
  UpdateRow(index);
}

bool LCheckedListBox::IsItemChecked(int32_t index) const {
  // Through the virtual records, as RecountChecked.
  return index >= 0 && index < GetItemCount() && const_cast<LCheckedListBox*>(this)->GetCheckedItem(index).checked;
}

RCPtr<LBitmap> LCheckedListBox::GetItemImage(int32_t index) {
  if (index < 0 || index >= GetItemCount()) return nullptr;
  if (!mItemImages.empty()) return mItemImages[static_cast<size_t>(index) % mItemImages.size()];
  return GetCheckedItem(index).image;
}

void LCheckedListBox::SetItemImage(int32_t index, const RCPtr<LBitmap>& image) {
  if (index < 0 || index >= GetItemCount()) return;
  GetCheckedItem(index).image = image;
  UpdateRow(index);
}

// --- Rows ---

RCPtr<LCheckedListBoxItem> LCheckedListBox::GetCheckedRow(uint32_t rowIndex) const {
  return RCPtr<LCheckedListBoxItem>(dynamic_cast<LCheckedListBoxItem*>(GetRow(rowIndex).Get()));
}

SVRESULT LCheckedListBox::AddRow() {
  const SVRESULT result = LListBox::AddRow();
  if (result < 0 || GetRowCount() == 0) return result;
  const RCPtr<LCheckedListBoxItem> row = GetCheckedRow(GetRowCount() - 1);
  if (!row) return result;
  row->SetLookMirroring(mLookMirroring);
  if (const RCPtr<LButton> checkBox = row->GetCheckBox()) {
    checkBox->SetPassThrough(mDisplayOnly);
    checkBox->SetAutoValueSet(mAutoValue);
    BindCheckBox(checkBox);
  }
  return result;
}

void LCheckedListBox::BindCheckBox(const RCPtr<LButton>& checkBox) {
  if (!mCheckedHandlers) mCheckedHandlers = CheckedHandlers::Create(this);
  const RCPtr<LNotificationDistributor> source(checkBox.Get());
  if (mAutoValue)
    mCheckedHandlers->AddHandler(&LCheckedListBox::OnCheckBoxValueChange, source, NotificationName::kValueChange);
  else
    mCheckedHandlers->AddHandler(&LCheckedListBox::OnCheckBoxLeftClick, source, NotificationName::kLeftClick);
}

void LCheckedListBox::UnbindCheckBox(const RCPtr<LButton>& checkBox, const char16_t* id) {
  if (!mCheckedHandlers) return;
  const RCPtr<LNotificationDistributor> source(checkBox.Get());
  if (mCheckedHandlers->RemoveHandler(source.Get(), id)) Unsubscribe(source, id);
}

void LCheckedListBox::SetCheckBoxAutoValue(bool autoValue) {
  if (autoValue == mAutoValue) return;
  mAutoValue = autoValue;
  for (uint32_t rowIndex = 0; rowIndex < GetRowCount(); ++rowIndex) {
    const RCPtr<LCheckedListBoxItem> row = GetCheckedRow(rowIndex);
    const RCPtr<LButton> checkBox = row ? row->GetCheckBox() : nullptr;
    if (!checkBox) continue;
    checkBox->SetAutoValueSet(autoValue);
    UnbindCheckBox(checkBox, autoValue ? NotificationName::kLeftClick : NotificationName::kValueChange);
    BindCheckBox(checkBox);
  }
}

void LCheckedListBox::SetCheckBoxesDisplayOnly(bool displayOnly) {
  mDisplayOnly = displayOnly;
  for (uint32_t rowIndex = 0; rowIndex < GetRowCount(); ++rowIndex) {
    const RCPtr<LCheckedListBoxItem> row = GetCheckedRow(rowIndex);
    if (const RCPtr<LButton> checkBox = row ? row->GetCheckBox() : nullptr) checkBox->SetPassThrough(displayOnly);
  }
}

// Binding a row is no user action: the check box's value binding is taken out while
// the value is set, so no "NID_ITEM_CHECK_CHANGE" results.
void LCheckedListBox::SetRowCheckBoxValueQuietly(LCheckedListBoxItem& row, bool checked) {
  const RCPtr<LButton> checkBox = row.GetCheckBox();
  if (!checkBox) return;
  const RCPtr<LNotificationDistributor> source(checkBox.Get());
  if (mAutoValue && mCheckedHandlers && mCheckedHandlers->HasHandler(source.Get(), NotificationName::kValueChange)) {
    CAutoNotificationDisabler<LCheckedListBox> disabler(mCheckedHandlers, source, NotificationName::kValueChange);
    row.SetCheckBoxValue(checked);
    return;
  }
  row.SetCheckBoxValue(checked);
}

void LCheckedListBox::BindCheckedRow(LCheckedListBoxItem& row, int32_t index) {
  const bool isItem = index >= 0 && index < GetItemCount();
  SetRowCheckBoxValueQuietly(row, isItem && GetCheckedItem(index).checked);
  row.SetCheckBoxImage(isItem ? GetItemImage(index) : nullptr);
  row.SetCheckBoxVisible(isItem);
}

SVRESULT LCheckedListBox::UpdateRow(int32_t index, int32_t& rowIndex) {
  const SVRESULT result = LListBox::UpdateRow(index, rowIndex);
  if (result < 0 || rowIndex < 0) return result;
  if (const RCPtr<LCheckedListBoxItem> row = GetCheckedRow(static_cast<uint32_t>(rowIndex)))
    BindCheckedRow(*row, index);
  return result;
}

// --- Check box handlers ---

int32_t LCheckedListBox::ReportCheckBox(const RCPtr<LNotificationDistributor>& source, const char16_t* id,
                                        bool countChange) {
  const auto* checkBox = dynamic_cast<const LControl*>(source.Get());
  const int32_t item = checkBox ? GetItemIndexOfRow(checkBox->GetParent()) : -1;
  if (item < 0) return 1;
  const double value = checkBox->GetNormalizedValue();
  const RCPtr<LIndexedDataWithValueParam> param(new LIndexedDataWithValueParam(nullptr, item, value));
  if (countChange) {
    const bool checked = value >= 0.5;
    if (GetCheckedItem(item).checked != checked) mCheckedCount += checked ? 1 : -1;
    GetCheckedItem(item).checked = checked;
  }
  SelectRange(item, item, !IsMultipleSelection());
  Distribute(LNotification::Obtain(id, RCPtr<LRefCountedObject>(param.Get())));
  return 1;
}

int32_t LCheckedListBox::OnCheckBoxValueChange(const RCPtr<LNotificationDistributor>& source,
                                               const RCPtr<LNotification>&) {
  return ReportCheckBox(source, u"NID_ITEM_CHECK_CHANGE", true);
}

int32_t LCheckedListBox::OnCheckBoxLeftClick(const RCPtr<LNotificationDistributor>& source,
                                             const RCPtr<LNotification>&) {
  return ReportCheckBox(source, u"NID_ITEM_CHECKBOX_CLICKED", false);
}

}  // namespace SV
