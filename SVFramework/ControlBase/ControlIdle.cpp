#include "SVFramework/ControlBase/Control.h"

// Idle ticks and deferred destruction of LControl.
namespace SV {
namespace {

constexpr const char16_t* kIdle = u"NID_IDLE";

}  // namespace

SVRESULT LControl::SubscribeIdle(LRootWindow* rootWindow) {
  const SVRESULT result =
      EnsureHandlers().AddHandler(&LControl::IdlePass, RCPtr<LNotificationDistributor>(rootWindow), kIdle, 0);
  if (result < 0) mIdleCount = 0;
  return result;
}

SVRESULT LControl::AcquireIdle() {
  if (mIdleCount++ > 0) return S_OK;
  LRootWindow* rootWindow = GetRootWindow();
  if (!rootWindow) return S_OK;
  return SubscribeIdle(rootWindow);
}

SVRESULT LControl::ReleaseIdle() {
  // A release without a unit would drive the count negative and strand the subscription.
  if (mIdleCount <= 0) return S_FALSE;
  if (mIdleCount-- != 1) return S_OK;
  LRootWindow* rootWindow = GetRootWindow();
  if (!rootWindow) return S_OK;
  const SVRESULT result = Unsubscribe(RCPtr<LNotificationDistributor>(rootWindow), kIdle);
  const bool removed = mHandlers && mHandlers->RemoveHandler(rootWindow, kIdle);
  return removed ? result : E_FAIL;
}

void LControl::OnRootWindowChanged() {
  LRootWindow* rootWindow = GetRootWindow();
  if (mIdleCount > 0 && rootWindow) SubscribeIdle(rootWindow);
  for (uint32_t position = mChildren.GetCount(); position-- > 0;) {
    if (position >= mChildren.GetCount()) continue;
    const RCPtr<LControl> child = mChildren.GetAt(position, ChildOrder::InsertionOrder);
    child->OnRootWindowChanged();
  }
}

int32_t LControl::IdlePass(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  const RCPtr<LControl> self(this);
  for (int32_t axis = 0; axis < 2; ++axis)
    if (mScrollAnimation[axis].active) StepScrollAnimation(axis);
  DestroyPendingChildren();
  OnIdle();
  return 0;
}

SVRESULT LControl::DestroyChildLater(const RCPtr<LControl>& child) {
  if (!child || child->mParent.Get() != this) return E_INVALIDARG;
  if (child->mCapture) child->OnCaptureLost();
  child->SetVisible(false);
  if (mPendingDestruction.Append(child) < 0) return E_INVALIDARG;
  if (mPendingDestruction.GetCount() == 1) AcquireIdle();
  return S_OK;
}

SVRESULT LControl::DestroyPendingChildren() {
  const uint32_t queued = mPendingDestruction.GetCount();
  if (queued == 0) return S_OK;
  const RCPtr<LControl> self(this);
  for (uint32_t step = 0; step < queued && mPendingDestruction.GetCount() > 0; ++step) {
    const RCPtr<LControl> child = mPendingDestruction[0];
    child->Detach();
    RCPtr<LControl> removed;
    mPendingDestruction.RemoveItem(0, removed);
  }
  if (mPendingDestruction.GetCount() == 0) ReleaseIdle();
  return S_OK;
}

}  // namespace SV
