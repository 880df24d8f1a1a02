#include "SVFramework/Controls/MenuDescriptor.h"

namespace SV {

LMenuDescriptor::~LMenuDescriptor() {
  RemoveAll();
}

RCPtr<LMenuItemDescriptor> LMenuDescriptor::MakeItem(const String& label, const String& notificationID, bool enabled,
                                                     bool checked) {
  return RCPtr<LMenuItemDescriptor>(new LMenuItemDescriptor(label, notificationID, enabled, checked, false));
}

RCPtr<LMenuItemDescriptor> LMenuDescriptor::MakeSeparator() {
  return RCPtr<LMenuItemDescriptor>(new LMenuItemDescriptor(String(), String(), true, false, true));
}

int32_t LMenuDescriptor::InsertAt(uint32_t index, const RCPtr<LMenuItemDescriptor>& item) {
  const int32_t result = Items.InsertAt(index, item);
  if (result >= 0 && item) item->SetParent(this);
  return result;
}

int32_t LMenuDescriptor::InsertItem(uint32_t index, const String& label, const String& notificationID, bool enabled,
                                    bool checked) {
  return InsertAt(index, MakeItem(label, notificationID, enabled, checked));
}

int32_t LMenuDescriptor::InsertSeparator(uint32_t index) {
  return InsertAt(index, MakeSeparator());
}

SVRESULT LMenuDescriptor::GetItemState(uint32_t index, LMenuItemState& state) const {
  state = LMenuItemState();
  if (index >= Items.GetCount()) return E_INVALIDARG;
  const RCPtr<LMenuItemDescriptor>& item = Items[index];
  if (!item) return E_INVALIDARG;
  state.Enabled = item->Enabled;
  state.Checked = item->Checked;
  state.Label = item->Label;
  return S_OK;
}

SVRESULT LMenuDescriptor::RemoveAll() {
  for (uint32_t count = Items.GetCount(); count > 0; --count) {
    const RCPtr<LMenuItemDescriptor> item = Items[count - 1];
    if (item && item->GetParent() == this) item->SetParent(nullptr);
    Items.RemoveItems(count - 1, 1);
  }
  SetParent(nullptr);
  return S_OK;
}

SVRESULT LMenuDescriptor::ReleaseInternalReferences() {
  return RemoveAll();
}

// The internal count of the old parent goes down before its reference is dropped, so
// that dropping it is judged against the links that remain.
void LMenuDescriptor::SetParent(LMenuDescriptor* parent) {
  if (mParent.Get() == parent) return;
  const RCPtr<LMenuDescriptor> old = mParent;
  if (parent) parent->AddInternalReferences(1);
  mParent = RCPtr<LMenuDescriptor>(parent);
  if (old) old->AddInternalReferences(-1);
}

RCPtr<LMenuDescriptor> LMenuDescriptor::Clone() const {
  RCPtr<LMenuDescriptor> copy(new LMenuDescriptor);
  CloneItemsInto(*copy);
  return copy;
}

void LMenuDescriptor::CloneItemsInto(LMenuDescriptor& copy) const {
  for (uint32_t index = 0; index < Items.GetCount(); ++index) {
    if (!Items[index]) continue;
    const RCPtr<LMenuDescriptor> item = Items[index]->Clone();
    copy.InsertAt(copy.Items.GetCount(), RCPtr<LMenuItemDescriptor>(static_cast<LMenuItemDescriptor*>(item.Get())));
  }
}

RCPtr<LMenuDescriptor> LMenuItemDescriptor::Clone() const {
  RCPtr<LMenuItemDescriptor> copy(new LMenuItemDescriptor(Label, CommandID, Enabled, Checked, Separator));
  CloneItemsInto(*copy);
  copy->Description = Description;
  copy->HotKeyText = HotKeyText;
  return RCPtr<LMenuDescriptor>(copy.Get());
}

}  // namespace SV
