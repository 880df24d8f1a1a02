#include "SVFramework/Controls/ListBoxItem.h"

#include <cmath>

#include "SVFramework/ControlBase/ConditionBits.h"
#include "SVFramework/Controls/ListBoxGeometry.h"

namespace SV {

namespace {
constexpr int32_t kAlternateOffset = 3;
}  // namespace

LListBoxItem::LListBoxItem(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {}

void LListBoxItem::OnValueChanged() { UpdateLook(); }

void LListBoxItem::OnConditionsChanged(const RCPtr<LConditionsParam>&) { UpdateLook(); }

void LListBoxItem::OnDescriptorApplied() {
  SetNotFocusable(true);
  UpdateLook();
}

String LListBoxItem::GetTooltipText() {
  if (IsTextTruncated()) return GetText();
  return LControl::GetTooltipText();
}

SVRESULT LListBoxItem::OnDragStart(int32_t button, int32_t x, int32_t y) {
  LControl* parent = GetParent();
  if (!mForwardDrag || parent == nullptr) return LControl::OnDragStart(button, x, y);
  const RectT<double> place = GetRectInParent(*this);
  const auto px = static_cast<int32_t>(std::lround(place.x));
  const auto py = static_cast<int32_t>(std::lround(place.y));
  return static_cast<UITarget*>(parent)->OnDragStart(button, x + px, y + py);
}

int32_t LListBoxItem::GetUnselectedLookIndex() const {
  const uint32_t conditions = GetConditions();
  const bool pointerOver = (conditions & Condition::kHoverOrChildHover) != 0;
  int32_t look = 0;
  if ((conditions & Condition::kCapture) != 0 && (conditions & Condition::kLeftDrag) != 0)
    look = pointerOver ? 2 : 1;
  else if (pointerOver && (conditions & Condition::kCapture) == 0)
    look = 1;
  return mAlternate ? look + kAlternateOffset : look;
}

int32_t LListBoxItem::GetLookIndex() {
  if (mSeparator) return kSeparatorLook;
  if (!IsEnabled(true)) return IsSelected() ? kSeparatorLook : kDisabledLook;
  const int32_t look = GetUnselectedLookIndex();
  return IsSelected() ? look + kSelectedOffset : look;
}

void LListBoxItem::UpdateLook() {
  SetExclusiveLook(GetLookIndex());
  InvalidateRect({0, 0, GetRect().width, GetRect().height}, ClipsToParent());
}

void LListBoxItem::SetSeparator(bool separator) {
  if (separator == mSeparator) return;
  mSeparator = separator;
  if (separator) SetText(String(u""));
  UpdateLook();
}

}  // namespace SV
