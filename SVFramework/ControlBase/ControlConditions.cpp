#include "SVFramework/Application/CursorNames.h"

#include "SVFramework/ControlBase/ConditionBits.h"
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/notification/Notification.h"

// The conditions word of LControl, its enabled and visible state and its cursor.
namespace SV {
namespace {

struct ConditionGroup {
  uint32_t bits;
  const char16_t* id;
};

// One notification per group whose bits changed, in this order.
constexpr ConditionGroup kGroups[] = {
    {Condition::kFocus, u"NID_HAS_FOCUS_CONDITION_CHANGE"},
    {Condition::kContainsFocus, u"NID_CONTAINS_FOCUS_CONDITION_CHANGE"},
    {Condition::kHoverOrChildHover, u"NID_HOVER_CONDITION_CHANGE"},
    {Condition::kCapture, u"NID_CAPTURE_CONDITION_CHANGE"},
    {0x10 | 0x80, u"NID_LEFT_DRAG_CONDITION_CHANGE"},
    {0x20 | 0x100, u"NID_MIDDLE_DRAG_CONDITION_CHANGE"},
    {0x40 | 0x200, u"NID_RIGHT_DRAG_CONDITION_CHANGE"},
    {Condition::kEnabled, u"NID_ENABLED_CONDITION_CHANGE"},
    {Condition::kVisible, u"NID_VISIBLITY_CONDITION_CHANGE"},
};

bool Set(uint32_t word, uint32_t bits) { return (word & bits) != 0; }

}  // namespace

uint32_t LControl::GetConditions() const {
  const bool flags[] = {mHasFocus, mContainsFocus, mHover,    mCapture,    mLeftDown,  mMiddleDown,
                        mRightDown, mLeftDrag,     mMiddleDrag, mRightDrag, IsEnabled(true), IsVisible(true),
                        mHover || mChildHover};
  uint32_t word = 0;
  for (uint32_t bit = 0; bit < std::size(flags); ++bit)
    if (flags[bit]) word |= 1u << bit;
  return word;
}

bool LControl::IsEnabled(bool recursive) const {
  for (const LControl* control = this; control; control = recursive ? control->mParent.Get() : nullptr)
    if (control->mLayout && !control->mLayout->IsEnabled) return false;
  return true;
}

bool LControl::IsVisible(bool recursive) const {
  for (const LControl* control = this; control; control = recursive ? control->mParent.Get() : nullptr) {
    const bool flag = !control->mLayout || control->mLayout->IsVisible;
    if (!flag || !(control->mRect.width > 0) || !(control->mRect.height > 0)) return false;
  }
  return true;
}

void LControl::UpdateConditions() {
  const uint32_t current = GetConditions();
  const uint32_t previous = mConditionsParam->current;
  if (current == previous) return;
  mConditionsParam->previous = previous;
  mConditionsParam->current = current;
  mConditionsParam->point = mPressPoint;
  const RCPtr<LControl> self(this);
  UpdateCursorForChange(previous, current);
  if (mDragMode != 0 && Set(previous, Condition::kLeftDrag) && !Set(current, Condition::kLeftDrag)) EndDrag();
  OnConditionsChanged(mConditionsParam);
  DistributeConditionChanges(previous, current);
  if (mDragMode != 0 && !Set(previous, Condition::kLeftDrag) && Set(current, Condition::kLeftDrag)) BeginDrag();
  ReevaluateHover(previous, current);
  if (Set(previous ^ current, Condition::kEnabled | Condition::kVisible)) UpdateChildrenConditions();
}

void LControl::UpdateCursorForChange(uint32_t previous, uint32_t current) {
  if (mCursor == 0) return;
  const bool hoverBegan = Set(current, Condition::kHover) && !Set(previous, Condition::kHover);
  const bool hoverEnded = !Set(current, Condition::kHover) && Set(previous, Condition::kHover);
  const bool captureEnded = !Set(current, Condition::kCapture) && Set(previous, Condition::kCapture);
  if (hoverBegan && !mCapture) {
    mSavedCursor = ApplyCursor();
  } else if ((hoverEnded && !mCapture) || (captureEnded && !mHover)) {
    if (LRootWindow* rootWindow = GetRootWindow()) rootWindow->SetCursor(mSavedCursor);
  }
}

void LControl::DistributeConditionChanges(uint32_t previous, uint32_t current) {
  const RCPtr<LRefCountedObject> payload(mConditionsParam.Get());
  Distribute(LNotification::Obtain(u"NID_CONDITION_CHANGE", payload));
  for (const ConditionGroup& group : kGroups)
    if (Set(previous ^ current, group.bits)) Distribute(LNotification::Obtain(group.id, payload));
}

void LControl::ReevaluateHover(uint32_t previous, uint32_t current) {
  const bool hoveredVanished = mHover && Set(previous ^ current, Condition::kVisible) && !IsVisible(true) && !mCapture;
  const bool captureEnded = !Set(current, Condition::kCapture) && Set(previous, Condition::kCapture) && !mHover;
  if (!hoveredVanished && !captureEnded) return;
  LRootWindow* rootWindow = GetRootWindow();
  if (!rootWindow) return;
  PointT<int32_t> local;
  rootWindow->ControlAtPoint(rootWindow->GetCursorPosition(), local, true);
}

void LControl::UpdateChildrenConditions() {
  for (uint32_t position = mChildren.GetCount(); position-- > 0;) {
    if (position >= mChildren.GetCount()) continue;
    const RCPtr<LControl> child = mChildren.GetAt(position, ChildOrder::InsertionOrder);
    child->UpdateConditions();
  }
}

void LControl::SetEnabled(bool enabled) {
  if (!mLayout) mLayout = LLayoutDescriptor::Create();
  if (mLayout->IsEnabled == enabled) return;
  const RCPtr<LControl> self(this);
  mLayout->IsEnabled = enabled;
  if (!enabled && (mHasFocus || mContainsFocus) && mParent) mParent->SetFocus(true);
  if (TakesFocusWhenParentHasIt()) SetFocus(true);
  UpdateConditions();
  InvalidateWhole();
}

bool LControl::SetVisible(bool visible) {
  if (!mLayout) mLayout = LLayoutDescriptor::Create();
  if (mLayout->IsVisible != visible) {
    const RCPtr<LControl> self(this);
    if (!visible) InvalidateWhole();
    mLayout->IsVisible = visible;
    if (visible) {
      if (TakesFocusWhenParentHasIt()) SetFocus(true);
      InvalidateWhole();
    }
    if (!visible && (mHasFocus || mContainsFocus) && mParent) mParent->SetFocus(true);
    UpdateConditions();
  }
  return IsVisible(true);
}

bool LControl::TakesFocusWhenParentHasIt() {
  return (!mNotFocusable || ContainsFocusableChild()) && mParent && mParent->mHasFocus;
}

void LControl::InvalidateWhole() {
  InvalidateRect({0, 0, mRect.width, mRect.height}, ClipsToParent());
  InvalidateUnclipped();
}

void LControl::InvalidateUnclipped() {
  if (mUnclippedDescendants == 0) {
    if (!ClipsToParent()) InvalidateRect({0, 0, mRect.width, mRect.height}, false);
    return;
  }
  // One list for every call: invalidation never re-enters it.
  static RCPtrArray<LControl, 1, 0> collected;
  CollectUnclippedDescendants(collected, true, true);
  for (uint32_t index = collected.GetCount(); index-- > 0;) {
    const LControl& control = *collected[index];
    collected[index]->InvalidateRect({0, 0, control.mRect.width, control.mRect.height}, control.ClipsToParent());
  }
  collected.SetCount(0);
}

void LControl::SetChildHover(bool childHover) {
  if (mChildHover == childHover) return;
  mChildHover = childHover;
  UpdateConditions();
}

void LControl::SetCursor(int32_t cursorId) {
  if (cursorId == mCursor) return;
  const int32_t previousId = mCursor;
  mCursor = cursorId;
  if (!mHover) return;
  if (previousId != 0) {
    ApplyCursor();
  } else {
    mSavedCursor = ApplyCursor();
  }
}

int32_t LControl::ApplyCursor() {
  LRootWindow* rootWindow = GetRootWindow();
  if (!rootWindow) return 0;
  return rootWindow->SetCursor(mCursor != 0 ? mCursor : GetCursorByName(u"UI_CURSOR_ARROW"));
}

void LControl::SetButtonFlags(int32_t button, bool down, bool dragging) {
  bool* downFlags[] = {&mLeftDown, &mMiddleDown, &mRightDown};
  bool* dragFlags[] = {&mLeftDrag, &mMiddleDrag, &mRightDrag};
  if (button < 0 || button > 2) return;
  *downFlags[button] = down && !dragging;
  *dragFlags[button] = dragging;
}

}  // namespace SV
