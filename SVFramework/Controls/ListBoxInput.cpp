#include <algorithm>

#include "SVFramework/ControlBase/ConditionBits.h"
#include "SVFramework/Controls/ListBox.h"
#include "SVFramework/Controls/Scrollbar.h"
#include "SVFramework/System/Keys/KeyCode.h"
#include "SVFramework/System/Keys/VirtualKeys.h"
#include "SVFramework/Utilities/Holder.h"
#include "SVFramework/notification/Notification.h"

namespace SV {

namespace {
constexpr int32_t kLeftButton = 1;
constexpr int32_t kRightButton = 4;
constexpr int32_t kMouseCtrl = 0x1;
constexpr int32_t kMouseShift = 0x8;
}  // namespace

// The row's button event with its point in the list's own coordinates.
RCPtr<LMouseButtonParam> LListBox::InListCoordinates(const LControl& row, const LMouseButtonParam& param) const {
  return MakeMouseButtonParam(param.button, RowPointToList(row, param), param.modifiers, param.doubleClick,
                              param.buttonsHeld, param.pointerIndex);
}

// --- Keys ---

// The first item from `from` on (towards `step`) that keys may select: shown and selectable.
int32_t LListBox::FindSelectable(int32_t from, int32_t step) const {
  auto* self = const_cast<LListBox*>(this);
  for (int32_t index = from; index >= 0 && index < GetItemCount(); index += step)
    if (!self->GetItem(index).hidden && self->IsItemSelectable(index)) return index;
  return -1;
}

SVRESULT LListBox::HandleArrowKey(bool down, bool shift) {
  if (!down && mCaretItem < 0) return S_OK;
  const int32_t from = down ? (mCaretItem < 0 ? 0 : mCaretItem + 1) : mCaretItem - 1;
  const int32_t item = FindSelectable(from, down ? 1 : -1);
  if (item < 0) return S_OK;
  if (shift && mMultipleSelection)
    SelectRange(mAnchorItem >= 0 ? mAnchorItem : item, item, false);
  else
    SelectRange(item, -1, true);
  return S_OK;
}

SVRESULT LListBox::HandleKey(const RCPtr<LKeyParam>& key) {
  if (!key) return S_FALSE;
  const uint32_t code = key->key.code;
  if ((code & (KeyCode::kCtrl | KeyCode::kAlt | KeyCode::kCmd)) != 0) return S_FALSE;
  const uint32_t virtualKey = key->key.GetVirtualKey();
  if (virtualKey == VirtualKey::kLeft || virtualKey == VirtualKey::kRight) return PassKeyToScrollBars(key, true, false);
  if (virtualKey == VirtualKey::kHome || virtualKey == VirtualKey::kEnd) return PassKeyToScrollBars(key, true, true);
  if (virtualKey == VirtualKey::kPageUp || virtualKey == VirtualKey::kPageDown)
    return PassKeyToScrollBars(key, false, true);
  if (virtualKey != VirtualKey::kUp && virtualKey != VirtualKey::kDown && virtualKey != VirtualKey::kReturn)
    return S_FALSE;
  // The list acts when a key goes down; its release is taken without effect.
  if ((code & KeyCode::kKeyDown) == 0) return S_OK;
  const bool shift = (code & KeyCode::kShift) != 0;
  if (virtualKey == VirtualKey::kReturn) {
    if (shift) return S_FALSE;
    if (mCaretItem >= 0) ActivateItem(mCaretItem);
    return S_OK;
  }
  return HandleArrowKey(virtualKey == VirtualKey::kDown, shift);
}

// Scrolling keys belong to the bars: the first shown bar asked that takes the key.
SVRESULT LListBox::PassKeyToScrollBars(const RCPtr<LKeyParam>& key, bool horizontal, bool vertical) {
  if (horizontal && GetHorizontalScrollBar() && GetHorizontalScrollBar()->HandleKey(key) == S_OK) return S_OK;
  if (vertical && GetVerticalScrollBar() && GetVerticalScrollBar()->HandleKey(key) == S_OK) return S_OK;
  return S_FALSE;
}

// --- Mouse on rows ---

void LListBox::ClickItemExtended(int32_t item, const LMouseButtonParam& param) {
  const bool ctrl = (param.modifiers & kMouseCtrl) != 0;
  const bool shift = (param.modifiers & kMouseShift) != 0;
  if (shift && !ctrl) {
    const int32_t anchor = mAnchorItem >= 0 ? mAnchorItem : item;
    mCaretItem = item;
    SelectRange(anchor, item, true);
  } else if (shift && ctrl) {
    mAnchorItem = mCaretItem = item;
    SelectRange(item, item, false);
  } else if (ctrl) {
    if (IsItemSelected(item))
      Unselect(item);
    else
      SelectRange(item, item, false);
  } else {
    SelectRange(item, item, true);
  }
}

void LListBox::ClickItem(int32_t item, const LMouseButtonParam& param) {
  if (item < 0) return;
  if (!mMultipleSelection) {
    SelectRange(item, item, true);
  } else if (mMultipleSelectionStyle == 1) {
    ClickItemExtended(item, param);
  } else if (IsItemSelected(item)) {
    Unselect(item);
  } else {
    SelectRange(item, item, false);
  }
  if (param.doubleClick != 0) Announce(u"NID_ITEM_DOUBLE_CLICKED", nullptr);
}

void LListBox::RightClickItem(int32_t item, const LMouseButtonParam& param) {
  if (item < 0 || param.doubleClick != 0) return;
  const RCPtr<LHolder<int32_t>> holder = LHolder<int32_t>::Create();
  holder->Value() = item;
  Announce(u"NID_ITEM_RIGHT_CLICK", RCPtr<LRefCountedObject>(holder.Get()));
}

int32_t LListBox::OnRowMouseDown(const RCPtr<LNotificationDistributor>& source,
                                 const RCPtr<LNotification>& notification) {
  const auto* row = dynamic_cast<const LListBoxItem*>(source.Get());
  const auto* param = dynamic_cast<const LMouseButtonParam*>(notification->GetPayload().Get());
  if (row == nullptr || param == nullptr || mDropDownMode) return 0;
  const RCPtr<LMouseButtonParam> inList = InListCoordinates(*row, *param);
  const int32_t item = GetItemIndexOfRow(row);
  if (param->button == kLeftButton) {
    if (!mMultipleSelection) {
      ClickItem(item, *inList);
    } else if (item >= 0 && !IsItemSelected(item)) {
      ClickItem(item, *inList);
      mPendingClickItem = item;
    }
  } else if (param->button == kRightButton) {
    RightClickItem(item, *inList);
  }
  return 0;
}

int32_t LListBox::OnRowMouseUp(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
  const auto* row = dynamic_cast<const LListBoxItem*>(source.Get());
  const auto* param = dynamic_cast<const LMouseButtonParam*>(notification->GetPayload().Get());
  if (row == nullptr || param == nullptr || param->button != kLeftButton || mDropDownMode || !mMultipleSelection)
    return 0;
  const int32_t item = GetItemIndexOfRow(row);
  if (item >= 0 && IsItemSelected(item) && item != mPendingClickItem) {
    ClickItem(item, *InListCoordinates(*row, *param));
  }
  mPendingClickItem = -1;
  return 0;
}

void LListBox::DistributeItemConditions(const LListBoxItem& row, const RCPtr<LNotification>& notification,
                                        const char16_t* id) {
  const auto* conditions = dynamic_cast<const LConditionsParam*>(notification->GetPayload().Get());
  if (conditions == nullptr) return;
  const RCPtr<LItemConditionsParam> payload(new LItemConditionsParam(
      *conditions, GetItemIndexOfRow(&row), row.GetFirstVisibleLookIndex(), row.IsHovered()));
  Announce(id, RCPtr<LRefCountedObject>(payload.Get()));
}

int32_t LListBox::OnRowHoverConditionChange(const RCPtr<LNotificationDistributor>& source,
                                            const RCPtr<LNotification>& notification) {
  const auto* row = dynamic_cast<const LListBoxItem*>(source.Get());
  if (row == nullptr || !row->IsEnabled(true)) return 0;
  const auto* conditions = dynamic_cast<const LConditionsParam*>(notification->GetPayload().Get());
  const bool pointerArrived = conditions != nullptr && (conditions->previous & Condition::kHoverOrChildHover) == 0 &&
                              (conditions->current & Condition::kHoverOrChildHover) != 0;
  if (mDropDownMode && pointerArrived) {
    const int32_t item = GetItemIndexOfRow(row);
    if (item >= 0 && CanPointerPick(item)) SelectRange(item, -1, true);
  }
  DistributeItemConditions(*row, notification, u"NID_ITEM_HOVER_CONDITION_CHANGE");
  return 0;
}

int32_t LListBox::OnRowLeftDragConditionChange(const RCPtr<LNotificationDistributor>& source,
                                               const RCPtr<LNotification>& notification) {
  const auto* row = dynamic_cast<const LListBoxItem*>(source.Get());
  if (row == nullptr || !row->IsEnabled(true)) return 0;
  DistributeItemConditions(*row, notification, u"NID_ITEM_LEFT_DRAG_CONDITION_CHANGE");
  return 0;
}

// --- Mouse on the list (drop-down mode) ---

// A separator is never picked by pointing at it, whatever IsItemSelectable says.
bool LListBox::CanPointerPick(int32_t item) {
  return item >= 0 && item < GetItemCount() && !GetItem(item).separator && IsItemSelectable(item);
}

SVRESULT LListBox::OnMouseMoved(const RCPtr<LPointWithModifiersParam>& param) {
  if (!param || !mDropDownMode || !HasCapture() || (GetConditions() & Condition::kLeftDrag) == 0) return S_FALSE;
  const int32_t item = GetItemAtPoint({param->x, param->y});
  if (item < 0)
    ClearSelection();
  else if (CanPointerPick(item))
    SelectRange(item, -1, true);
  return S_OK;
}

SVRESULT LListBox::OnLeftButtonUp(const RCPtr<LMouseButtonParam>& param) {
  if (!param || !mDropDownMode) return S_FALSE;
  const int32_t item = GetItemAtPoint({param->x, param->y});
  if (item >= 0 && GetParent() != nullptr) ActivateItem(item);
  return S_OK;
}

}  // namespace SV
