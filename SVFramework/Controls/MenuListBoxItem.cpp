#include "SVFramework/Controls/MenuListBoxItem.h"

#include "SVFramework/ControlBase/Look.h"

namespace SV {

LMenuListBoxItem::LMenuListBoxItem(const RCPtr<LControl>& parent, const String& name)
    : LCheckedListBoxItem(parent, name) {}

SVRESULT LMenuListBoxItem::Initialize() {
  const SVRESULT result = LCheckedListBoxItem::Initialize();
  SetNotFocusable(true);
  // The key text only shows the entry's key: the pointer passes through it to the row.
  if (const RCPtr<LControl> label = GetHotKeyLabel()) {
    label->SetHitTestExcluded(true);
    label->SetNotFocusable(true);
  }
  return result;
}

bool LMenuListBoxItem::SetLook(int32_t look, bool exclusive) {
  LCheckedListBoxItem::SetLook(look, exclusive);
  return true;
}

RCPtr<LControl> LMenuListBoxItem::GetHotKeyLabel() const { return FindChild(u"hotKeyLabel"); }

void LMenuListBoxItem::SetHotKeyText(const String& text) {
  if (const RCPtr<LControl> label = GetHotKeyLabel()) label->SetText(text);
}

String LMenuListBoxItem::GetHotKeyText() const {
  const RCPtr<LControl> label = GetHotKeyLabel();
  return label ? label->GetText() : String();
}

void LMenuListBoxItem::SetHotKeyLabelColorizer(const RCPtr<LVisualPart>& part) {
  const RCPtr<LControl> label = GetHotKeyLabel();
  if (label && part) label->SetLookForegroundPart(part, -1);
}

int32_t LMenuListBoxItem::GetCheckBoxLook() const {
  const RCPtr<LButton> box = GetCheckBox();
  return box ? box->GetFirstVisibleLookIndex() : -1;
}

}  // namespace SV
