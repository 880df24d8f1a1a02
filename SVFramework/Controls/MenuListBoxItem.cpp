#include "SVFramework/Controls/MenuListBoxItem.h"

#include "SVFramework/ControlBase/Look.h"

namespace SV {

LMenuListBoxItem::LMenuListBoxItem(const RCPtr<LControl>& parent, const String& name) : LListBoxItem(parent, name) {}

SVRESULT LMenuListBoxItem::Initialize() {
  const SVRESULT result = LListBoxItem::Initialize();
  SetNotFocusable(true);
  // The check box only shows the entry's state: the pointer passes through it to the row.
  for (const RCPtr<LControl>& part : {GetCheckBox(), GetHotKeyLabel()}) {
    if (!part) continue;
    part->SetHitTestExcluded(true);
    part->SetNotFocusable(true);
  }
  return result;
}

RCPtr<LControl> LMenuListBoxItem::GetCheckBox() const { return FindChild(u"checkBox"); }

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

void LMenuListBoxItem::SetCheckBoxLook(int32_t look) {
  mCheckBoxLook = look;
  const RCPtr<LControl> box = GetCheckBox();
  if (box && look >= 0 && static_cast<uint32_t>(look) < box->GetLookCount()) box->SetLookWeight(look, 1.0f, true);
}

}  // namespace SV
