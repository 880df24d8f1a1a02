#include <cmath>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/ControlBase/PointParam.h"
#include "SVFramework/System/WindowOSServices.h"

namespace SV {
namespace {

bool IsKnownButton(int32_t button) { return button == 1 || button == 2 || button == 4; }

// `point` minus the control's position in the window, rounded half away from zero.
PointT<int32_t> RelativeTo(const LControl& control, PointT<int32_t> point) {
  const PointT<double> origin = control.GetScreenPosition();
  return PointT<double>{point.x - origin.x, point.y - origin.y}.ToIntPoint();
}

// The control whose tooltip shows while `hover` is hovered: controls without a text
// of their own that use their parent's pass the question up. Null when the answer
// has no text.
RCPtr<LControl> TooltipOwnerOf(const RCPtr<LControl>& hover) {
  LControl* candidate = hover.Get();
  while (candidate && candidate->GetParent() && candidate->UsesParentTooltip() &&
         candidate->GetTooltipText().IsEmpty())
    candidate = candidate->GetParent();
  if (!candidate || candidate->GetTooltipText().IsEmpty()) return nullptr;
  return RCPtr<LControl>(candidate);
}

}  // namespace

bool LRootWindow::IsInputAccepted() const { return mOSWindow && mOSWindow->IsActive(); }

PointT<int32_t> LRootWindow::RelativeToCapture(PointT<int32_t> point) const { return RelativeTo(*mCapture, point); }

RCPtr<LControl> LRootWindow::HitTest(PointT<int32_t> point, PointT<int32_t>& relative, bool updateHover) {
  relative = {0, 0};
  if (!mRootControl) return nullptr;
  const RCPtr<LControl> root = mRootControl;
  int32_t bestZOrder = INT32_MIN;
  const RCPtr<LControl> found = root->HitTest(RelativeTo(*root, point), true, relative, bestZOrder);
  if (updateHover) SetHoverControl(found);
  return found;
}

RCPtr<LControl> LRootWindow::ControlAtPoint(PointT<int32_t> point, PointT<int32_t>& relative, bool updateHover) {
  return HitTest(point, relative, updateHover);
}

void LRootWindow::OnMouseButton(int32_t kind, int32_t button, int32_t modifiers, PointT<int32_t> point,
                                int32_t pointer) {
  if (!IsInputAccepted()) return;
  if (point != GetCursorPosition()) OnMouseMove(point, modifiers, pointer);
  SwitchTooltipOff();
  if (kind == 1)
    OnButtonRelease(button, modifiers, point, pointer);
  else if (kind == 0 || kind == 2)
    OnButtonPress(button, modifiers, point, pointer, kind == 2);
}

RCPtr<LControl> LRootWindow::FindPressTarget(PointT<int32_t> point, PointT<int32_t>& relative) {
  if (mCapture) {
    relative = RelativeToCapture(point);
    return mCapture;
  }
  return HitTest(point, relative, true);
}

void LRootWindow::OnButtonPress(int32_t button, int32_t modifiers, PointT<int32_t> point, int32_t pointer,
                                bool doubleClick) {
  if (!doubleClick && pointer >= 0 && pointer < 10) mButtonsDown[pointer] |= static_cast<uint32_t>(button);
  PointT<int32_t> relative;
  const RCPtr<LControl> target = FindPressTarget(point, relative);
  if (!target || !IsKnownButton(button)) return;
  const RCPtr<LMouseButtonParam> param = MakeMouseButtonParam(
      button, relative, modifiers, doubleClick ? 1 : 0, static_cast<int32_t>(GetMouseButtons()), pointer);
  if (doubleClick)
    mDoubleClickButtons |= static_cast<uint32_t>(button);
  else
    mDoubleClickButtons &= ~static_cast<uint32_t>(button);
  target->OnMouseDown(param);
}

void LRootWindow::OnButtonRelease(int32_t button, int32_t modifiers, PointT<int32_t> point, int32_t pointer) {
  if (pointer >= 0 && pointer < 10) mButtonsDown[pointer] &= ~static_cast<uint32_t>(button);
  if (!mCapture || !IsKnownButton(button)) return;
  const RCPtr<LControl> capture = mCapture;
  const int32_t doubleClick = (mDoubleClickButtons & static_cast<uint32_t>(button)) ? 1 : 0;
  mDoubleClickButtons &= ~static_cast<uint32_t>(button);
  capture->OnMouseUp(MakeMouseButtonParam(button, RelativeToCapture(point), modifiers, doubleClick,
                                          static_cast<int32_t>(GetMouseButtons()), pointer));
}

void LRootWindow::OnMouseMove(PointT<int32_t> point, int32_t modifiers, int32_t pointer) {
  if (!IsInputAccepted()) return;
  PointT<int32_t> relative;
  const RCPtr<LControl> found = HitTest(point, relative, true);
  if (mCapture) {
    const RCPtr<LControl> capture = mCapture;
    capture->OnMouseMove(MakePointWithModifiersParam(RelativeToCapture(point), modifiers, pointer));
  } else if (found) {
    found->OnMouseMove(MakePointWithModifiersParam(relative, modifiers, pointer));
  }
}

void LRootWindow::OnMouseWheel(PointT<int32_t> point, int32_t modifiers, int32_t direction) {
  if (!IsInputAccepted()) return;
  SwitchTooltipOff();
  PointT<int32_t> relative;
  const RCPtr<LControl> target = mCapture ? mCapture : HitTest(point, relative, true);
  if (!target) return;
  const RCPtr<LMouseWheelParam> param = MakeMouseWheelParam(point, modifiers, direction);
  const auto deliver = [&](LControl& control) {
    UITarget& input = control;
    return param->IsVertical() ? input.OnMouseWheel(param) : input.OnMouseHWheel(param);
  };
  if (deliver(*target) != S_FALSE || !mFocus || mFocus == target) return;
  const RCPtr<LControl> focus = mFocus;
  deliver(*focus);
}

void LRootWindow::OnKey(const RCPtr<LKeyParam>& key) {
  SwitchTooltipOff();
  if (!mFocus) return;
  const RCPtr<LControl> focus = mFocus;
  focus->OnKeyPress(key);
}

void LRootWindow::SwitchTooltipOff() {
  if (!mTooltipOwner) return;
  const RCPtr<LControl> owner = mTooltipOwner;
  owner->ShowTooltip(false);
}

void LRootWindow::ChangeTooltipOwner(const RCPtr<LControl>& hover) {
  const RCPtr<LControl> owner = hover && hover != mCapture ? TooltipOwnerOf(hover) : nullptr;
  if (owner == mTooltipOwner) return;
  const RCPtr<LControl> previous = mTooltipOwner;
  if (previous) previous->ShowTooltip(false);
  mTooltipOwner = owner;
  if (owner) owner->ShowTooltip(true);
}

void LRootWindow::SetHoverControl(const RCPtr<LControl>& control) {
  const RCPtr<LControl> next = !mCapture || control == mCapture ? control : nullptr;
  if (next == mHover) return;
  ChangeTooltipOwner(next);
  const RCPtr<LControl> previous = mHover;
  mHover = next;
  const PointT<int32_t> cursor = GetCursorPosition();
  const int32_t modifiers = GetModifierKeys();
  // A control that left its tree meanwhile is only let go.
  if (previous && (previous->GetParent() || previous->GetRootWindow()))
    previous->OnMouseLeave(MakePointWithModifiersParam(RelativeTo(*previous, cursor), modifiers, 0));
  if (next && mHover == next) next->OnMouseEnter(MakePointWithModifiersParam(RelativeTo(*next, cursor), modifiers, 0));
}

void LRootWindow::TabToNextWindow(const RCPtr<LKeyParam>& key) {
  if (!mOSWindow || !mOSWindow->IsActive() || mOSWindow->IsModal()) return;
  const bool backward = key && (key->key.code & KeyCode::kShift) != 0;
  LFrameworkApp* application = GetFrameworkApp();
  const int32_t count = application ? static_cast<int32_t>(application->GetRootWindowCount()) : 1;
  if (count < 2) {
    if (!mRootControl) return;
    const RCPtr<LControl> root = mRootControl;
    root->OnFocusLost();
    root->SetFocus(!backward);
    return;
  }
  int32_t next = application->FindRootWindowIndex(this) + (backward ? -1 : 1);
  if (next < 0) next = count - 1;
  if (next >= count) next = 0;
  const RCPtr<LRootWindow> other = application->GetRootWindow(static_cast<uint32_t>(next));
  IWindowOSServices* otherWindow = other ? other->GetOSWindow() : nullptr;
  if (otherWindow && !otherWindow->IsActive()) otherWindow->SetFocus();
}

}  // namespace SV
