#include <algorithm>
#include <cmath>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/notification/Notification.h"

// Mouse input of LControl: hover, press and capture, drags by threshold, release and
// clicks, and the wheel.
namespace SV {
namespace {

bool IsValidButton(int32_t button) { return button == 1 || button == 2 || button == 4; }

int32_t ButtonIndex(int32_t button) { return button == 1 ? 0 : button == 2 ? 1 : 2; }

double LimitCoordinate(double value) { return std::clamp(value, -kCoordinateLimit, kCoordinateLimit); }

void DistributeWith(LNotificationDistributor& distributor, const char16_t* id, const LRefCountedObject* payload) {
  distributor.Distribute(LNotification::Obtain(id, RCPtr<LRefCountedObject>(const_cast<LRefCountedObject*>(payload))));
}

}  // namespace

SVRESULT LControl::OnMouseEnter(const RCPtr<LPointWithModifiersParam>&) {
  mHover = true;
  UpdateConditions();
  return S_OK;
}

SVRESULT LControl::OnMouseLeave(const RCPtr<LPointWithModifiersParam>&) {
  mHover = false;
  UpdateConditions();
  return S_OK;
}

bool LControl::AcceptsInput() const {
  return IsVisible(true) && IsEnabled(false) && (!mParent || mParent->IsEnabled(true));
}

SVRESULT LControl::OnMouseDown(const RCPtr<LMouseButtonParam>& param) {
  if (!param || !IsValidButton(param->button)) return E_INVALIDARG;
  if (!mCapture && !AcceptsInput()) return S_FALSE;
  const RCPtr<LControl> self(this);
  const bool pressStartsHere = !mCapture;
  if (pressStartsHere) {
    if (!IsNotFocusable(true)) {
      SetFocus(true);
    } else if (mParent) {
      mParent->RequestFocusOnClick(this);
    }
  }
  if (param->button == 1) OnLeftButtonDown(param);
  if (param->button == 2) OnMiddleButtonDown(param);
  if (param->button == 4) OnRightButtonDown(param);
  DistributeWith(*this, u"NID_MOUSE_DOWN", param.Get());
  if (pressStartsHere) static_cast<UITarget*>(this)->OnDragStart(param->button, param->x, param->y);
  return S_OK;
}

SVRESULT LControl::OnDragStart(int32_t button, int32_t x, int32_t y) {
  // Outside a shown tree there is no window to hold the capture.
  LRootWindow* rootWindow = GetRootWindow();
  if (!AcceptsInput() || mCapture || !rootWindow) return S_FALSE;
  if (button != 0) {
    if (!IsValidButton(button) || (rootWindow->GetMouseButtons() & button) == 0) return S_FALSE;
    mPressPoint = {LimitCoordinate(x) + mRect.x, LimitCoordinate(y) + mRect.y};
    mDragDelta = {};
  }
  const RCPtr<LControl> self(this);
  StopFlings();
  mCapture = true;
  mLastMoveTime = GetApplicationTickCount();
  mDragVelocity = {};
  rootWindow->BeginDrag(self);
  if (button != 0) SetButtonDown(button);
  UpdateConditions();
  if (button != 0 && mDragThreshold <= 0 && mCapture) {
    SetButtonFlags(ButtonIndex(button), false, true);
    UpdateConditions();
    if (mLeftDrag && mDragMode != 0) DragTo(MakePointWithModifiersParam({x, y}, 0, 0));
  }
  return S_OK;
}

void LControl::SetButtonDown(int32_t button) {
  if (button == 1) mDragMode = 0;
  SetButtonFlags(ButtonIndex(button), true, false);
}

SVRESULT LControl::OnMouseMove(const RCPtr<LPointWithModifiersParam>& param) {
  if (!param) return E_INVALIDARG;
  const RCPtr<LControl> self(this);
  mMoveTime = GetApplicationTickCount();
  if (mLeftDown || mMiddleDown || mRightDown) BeginDragFromPress(param);
  OnMouseMoved(param);
  DistributeWith(*this, u"NID_MOUSE_MOVE", param.Get());
  if (mLeftDrag && mDragMode != 0) DragTo(param);
  mLastMoveTime = mMoveTime;
  return S_OK;
}

// A held button that moved at least the threshold from its press becomes a drag; the
// listeners first see a move to the press point. That move never converts again, so
// the conversion happens once also with a threshold of 0.
void LControl::BeginDragFromPress(const RCPtr<LPointWithModifiersParam>& param) {
  if (mConvertingPress) return;
  const PointT<int32_t> press = RoundToLongPoint({mPressPoint.x - mRect.x, mPressPoint.y - mRect.y});
  const int64_t distance =
      std::max(std::llabs(int64_t{param->x} - press.x), std::llabs(int64_t{param->y} - press.y));
  if (distance < mDragThreshold) return;
  mConvertingPress = true;
  static_cast<UITarget*>(this)->OnMouseMove(MakePointWithModifiersParam(press, param->modifiers, 0));
  mConvertingPress = false;
  if (!mLeftDown && !mMiddleDown && !mRightDown) return;
  const int32_t button = mLeftDown ? 0 : mMiddleDown ? 1 : 2;
  mLeftDown = mMiddleDown = mRightDown = false;
  SetButtonFlags(button, false, true);
  UpdateConditions();
}

SVRESULT LControl::OnMouseUp(const RCPtr<LMouseButtonParam>& param) {
  if (!param || !IsValidButton(param->button)) return E_INVALIDARG;
  if (!mCapture && !AcceptsInput()) return S_FALSE;
  const RCPtr<LControl> self(this);
  if (param->button == 1) OnLeftButtonUp(param);
  if (param->button == 2) OnMiddleButtonUp(param);
  if (param->button == 4) OnRightButtonUp(param);
  const bool clicked = ClickedBy(param->button);
  if (param->button == 1 && mLeftDrag && mDragMode == 6) StartFling();
  DistributeWith(*this, u"NID_MOUSE_UP", param.Get());
  if (mCapture && param->buttonsHeld == 0) static_cast<UITarget*>(this)->OnCaptureLost();
  if (clicked && IsEnabled(false) && (!mParent || mParent->IsEnabled(true))) OnClick(param);
  return S_OK;
}

bool LControl::ClickedBy(int32_t button) const {
  if (!mHover) return false;
  if (button == 1) return mLeftDown || (mLeftDrag && mDragMode == 0);
  if (button == 2) return mMiddleDown || (mMiddleDrag && mDragMode == 0);
  return mRightDown || (mRightDrag && mDragMode == 0);
}

SVRESULT LControl::OnCaptureLost() {
  if (!mCapture) return S_FALSE;
  const RCPtr<LControl> self(this);
  mCapture = false;
  for (int32_t button = 0; button < 3; ++button) SetButtonFlags(button, false, false);
  LRootWindow* rootWindow = GetRootWindow();
  const SVRESULT result = rootWindow ? rootWindow->EndDrag(this) : S_OK;
  UpdateConditions();
  return result;
}

SVRESULT LControl::OnClick(const RCPtr<LMouseButtonParam>& param) {
  if (!param || !IsValidButton(param->button)) return E_INVALIDARG;
  if (param->button == 1) return OnLeftClick(param);
  if (param->button == 2) return OnMiddleClick(param);
  return OnRightClick(param);
}

SVRESULT LControl::OnLeftClick(const RCPtr<LMouseButtonParam>& param) {
  if (!param) return E_INVALIDARG;
  OnBeforeLeftClick(param);
  DistributeWith(*this, u"NID_LEFT_CLICK", param.Get());
  return S_OK;
}

SVRESULT LControl::OnMiddleClick(const RCPtr<LMouseButtonParam>& param) {
  if (!param) return E_INVALIDARG;
  OnBeforeMiddleClick(param);
  DistributeWith(*this, u"NID_MIDDLE_CLICK", param.Get());
  return S_OK;
}

SVRESULT LControl::OnRightClick(const RCPtr<LMouseButtonParam>& param) {
  if (!param) return E_INVALIDARG;
  const RCPtr<LControl> self(this);
  OnBeforeRightClick(param);
  DistributeWith(*this, u"NID_RIGHT_CLICK", param.Get());
  if (const RCPtr<LMenuDescriptor> menu = GetMenuDescriptor()) OpenContextMenu(menu);
  return S_OK;
}

SVRESULT LControl::RequestFocusOnClick(LControl*) {
  if (!IsNotFocusable(true)) {
    SetFocus(true);
  } else if (mParent) {
    mParent->RequestFocusOnClick(this);
  }
  return S_OK;
}

SVRESULT LControl::SetDragThreshold(int32_t pixels) {
  if (pixels < 0) return E_INVALIDARG;
  mDragThreshold = pixels;
  return S_OK;
}

bool LControl::IsUnclipped(bool recursive) const {
  for (const LControl* control = this; control; control = recursive ? control->mParent.Get() : nullptr)
    if (!control->ClipsToParent()) return true;
  return false;
}

SVRESULT LControl::HandleMouseWheel(const RCPtr<LMouseWheelParam>& param) {
  if (!param) return -1;
  RCPtr<LControl> candidate(this);
  RCPtrArray<LControl, 1, 0> tried;
  SVRESULT result = S_FALSE;
  while (candidate) {
    result = param->IsVertical() ? candidate->OnMouseWheel(*param) : candidate->OnMouseHWheel(*param);
    if (result != S_FALSE) break;
    if (!candidate->IsUnclipped(true)) {
      candidate = RCPtr<LControl>(candidate->mParent.Get());
      continue;
    }
    LRootWindow* rootWindow = candidate->GetRootWindow();
    // A control already tried would pass the step around in a circle.
    for (uint32_t index = 0; index < tried.GetCount(); ++index)
      if (tried[index] == candidate) rootWindow = nullptr;
    if (!rootWindow) break;
    tried.Append(candidate);
    for (uint32_t index = 0; index < tried.GetCount(); ++index) tried[index]->mHitTestExcluded = true;
    PointT<int32_t> local;
    candidate = rootWindow->ControlAtPoint({param->x, param->y}, local, true);
    for (uint32_t index = 0; index < tried.GetCount(); ++index) tried[index]->mHitTestExcluded = false;
  }
  return result;
}

}  // namespace SV
