#include "SVFramework/ControlBase/Control.h"

// Keyboard focus of LControl: who may take it, how it moves and how a loss travels
// down the focus chain. Loops over children check the position against the current
// count at every step: a handler run from inside may remove children.
namespace SV {

bool LControl::IsNotFocusable(bool recursive) const {
  for (const LControl* control = this; control; control = control->mParent.Get()) {
    if (control->mNotFocusable) return true;
    if (!recursive || control->mFocusBoundary) return false;
  }
  return false;
}

bool LControl::IsFocusable() {
  if (!AcceptsInput() || mNotFocusable || ContainsFocusableChild()) return false;
  return mFocusBoundary || !mParent || !mParent->IsNotFocusable(true);
}

bool LControl::ContainsFocusableChild() {
  if (!AcceptsInput() || mNotFocusable) return false;
  for (uint32_t position = mChildren.GetCount(); position-- > 0;) {
    if (position >= mChildren.GetCount()) continue;
    const RCPtr<LControl> child = mChildren.GetAt(position, ChildOrder::InsertionOrder);
    if (child->IsFocusable() || child->ContainsFocusableChild()) return true;
  }
  return false;
}

RCPtr<LControl> LControl::GetFocusedChild() const {
  for (uint32_t position = mChildren.GetCount(); position-- > 0;) {
    const RCPtr<LControl>& child = mChildren.GetChildren()[position];
    if (child->mHasFocus || child->mContainsFocus) return child;
  }
  return nullptr;
}

RCPtr<LControl> LControl::GetFirstFocusableChild() {
  for (uint32_t position = 0; position < mChildren.GetCount(); ++position) {
    const RCPtr<LControl> child = mChildren.GetAt(position, ChildOrder::TabOrder);
    if (child->IsFocusable() || child->ContainsFocusableChild()) return child;
  }
  return nullptr;
}

RCPtr<LControl> LControl::GetLastFocusableChild() {
  for (uint32_t position = mChildren.GetCount(); position-- > 0;) {
    if (position >= mChildren.GetCount()) continue;
    const RCPtr<LControl> child = mChildren.GetAt(position, ChildOrder::TabOrder);
    if (child->IsFocusable() || child->ContainsFocusableChild()) return child;
  }
  return nullptr;
}

SVRESULT LControl::SetFocus(bool first) {
  const RCPtr<LControl> self(this);
  LRootWindow* rootWindow = GetRootWindow();
  if (!mHasFocus && rootWindow)
    if (const RCPtr<LControl> focus = rootWindow->GetFocusControl(); focus && !focus->CanLoseFocus()) return E_FAIL;
  const bool focusable = IsFocusable();
  if (mHasFocus && focusable) return S_OK;
  if (ContainsFocusableChild()) {
    RCPtr<LControl> target;
    if (mContainsFocus) {
      target = GetFocusedChild();
      if (!target) return E_FAIL;
      if (!target->IsFocusable() && !target->ContainsFocusableChild()) target.Reset();
    }
    if (!target) target = first ? GetFirstFocusableChild() : GetLastFocusableChild();
    return target ? target->SetFocus(first) : E_FAIL;
  }
  if (focusable) {
    SVRESULT result = S_OK;
    if (!mContainsFocus) {
      mHasFocus = true;
      if (mParent) result = mParent->MarkFocusPath(this);
    } else {
      mHasFocus = true;
      mContainsFocus = false;
      const RCPtr<LControl> child = GetFocusedChild();
      result = child ? child->OnFocusLost() : E_FAIL;
    }
    if (rootWindow) rootWindow->SetFocusControl(self);
    UpdateConditions();
    return result;
  }
  const RCPtr<LControl> top = GetTopLevelControl();
  if (mHasFocus || !top) return E_FAIL;
  if (!top->mHasFocus && !top->mContainsFocus) return S_FALSE;
  // The walk came back to the top with nothing left that can take the focus: the top
  // gives it up instead of handing the call to itself again.
  if (top.Get() == this) {
    OnFocusLost();
    if (rootWindow && rootWindow->GetFocusControl()) rootWindow->ClearFocusControl(this);
    return E_FAIL;
  }
  return top->SetFocus(true);
}

SVRESULT LControl::MarkFocusPath(LControl* child) {
  const RCPtr<LControl> self(this);
  if (mContainsFocus) {
    for (uint32_t position = mChildren.GetCount(); position-- > 0;) {
      if (position >= mChildren.GetCount()) continue;
      const RCPtr<LControl> other = mChildren.GetAt(position, ChildOrder::InsertionOrder);
      if (other.Get() != child && (other->mHasFocus || other->mContainsFocus))
        return other->OnFocusLost() >= 0 ? S_OK : E_FAIL;
    }
    return S_OK;
  }
  mContainsFocus = true;
  if (mHasFocus) {
    mHasFocus = false;
    UpdateConditions();
    return S_FALSE;
  }
  const SVRESULT result = mParent ? mParent->MarkFocusPath(this) : S_OK;
  UpdateConditions();
  return result >= 0 ? S_OK : E_FAIL;
}

SVRESULT LControl::OnFocusLost() {
  const RCPtr<LControl> self(this);
  if (mHasFocus) {
    mHasFocus = false;
    UpdateConditions();
    if (LRootWindow* rootWindow = GetRootWindow()) rootWindow->ClearFocusControl(this);
    return S_FALSE;
  }
  if (!mContainsFocus) return E_FAIL;
  mContainsFocus = false;
  const RCPtr<LControl> child = GetFocusedChild();
  const SVRESULT result = child ? child->OnFocusLost() : E_FAIL;
  UpdateConditions();
  return result >= 0 ? S_OK : E_FAIL;
}

void LControl::SetNotFocusable(bool notFocusable) {
  const bool signAgrees = !mLayout || ((mLayout->TabStop < 0) == notFocusable);
  if (mNotFocusable == notFocusable && signAgrees) return;
  const RCPtr<LControl> self(this);
  mNotFocusable = notFocusable;
  if (!signAgrees) mLayout->TabStop = mLayout->TabStop == 0 ? -1 : -mLayout->TabStop;
  MarkParentOrderChanged();
  if (TakesFocusWhenParentHasIt()) {
    SetFocus(true);
    return;
  }
  if (notFocusable && mHasFocus && mParent) mParent->SetFocus(true);
}

// Focus flags never cross between trees. A control that leaves its parent with the focus
// inside takes the focus out of its tree; one that joins a parent whose focus chain does
// not expect it drops the flags it brings (it took them while detached).
void LControl::DropFocusForMove(LControl* newParent) {
  if (!mHasFocus && !mContainsFocus) return;
  const RCPtr<LControl> self(this);
  if (mParent) {
    GetTopLevelControl()->OnFocusLost();
  } else if (newParent && newParent->mContainsFocus && !newParent->GetFocusedChild()) {
    return;
  }
  if (mHasFocus || mContainsFocus) OnFocusLost();
}

RCPtr<LControl> LControl::GetNextFocusableChild(LControl* child, bool backwards) {
  if (!child || child->mParent.Get() != this) return nullptr;
  const int32_t start = IndexOfChild(child, ChildOrder::TabOrder);
  const int32_t count = static_cast<int32_t>(mChildren.GetCount());
  if (start < 0 || count == 0) return nullptr;
  for (int32_t step = 1; step <= count; ++step) {
    const int32_t position = ((backwards ? start - step : start + step) % count + count) % count;
    if (position >= static_cast<int32_t>(mChildren.GetCount())) continue;
    const RCPtr<LControl> next = mChildren.GetAt(static_cast<uint32_t>(position), ChildOrder::TabOrder);
    if (next->AcceptsInput()) return next;
  }
  return nullptr;
}

}  // namespace SV
