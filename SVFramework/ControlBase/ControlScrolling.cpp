#include <cmath>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/notification/Notification.h"

// Scrolling of LControl: the scroll offset, the docked children it moves, and the
// idle-driven scroll animation with the deceleration of a fling.
namespace SV {
namespace {

constexpr double kUnbounded = 4503599627370496.0;

double RoundHalfAwayBelowUnbounded(double value) {
  if (!(std::fabs(value) < kUnbounded)) return value != value ? 0 : value;
  return static_cast<double>(static_cast<int64_t>(value < 0 ? value - 0.5 : value + 0.5));
}

bool IsAxis(int32_t axis) { return axis == 0 || axis == 1; }

}  // namespace

PointT<double> LControl::SetScrollOffset(PointT<double> offset) {
  const PointT<double> rounded{RoundHalfAwayBelowUnbounded(offset.x), RoundHalfAwayBelowUnbounded(offset.y)};
  if (rounded.x == mScrollOffset.x && rounded.y == mScrollOffset.y) return mScrollOffset;
  const RCPtr<LControl> self(this);
  mScrolling = true;
  InvalidateUnclipped();
  const PointT<double> previous = mScrollOffset;
  mScrollOffset = rounded;
  for (uint32_t position = 0; position < mChildren.GetCount(); ++position) {
    const RCPtr<LControl> child = mChildren.GetAt(position, ChildOrder::InsertionOrder);
    child->RelayoutIfDocked(previous, rounded);
  }
  InvalidateRect({0, 0, mRect.width, mRect.height}, ClipsToParent());
  ScrollCachedContent(previous, rounded);
  Distribute(LNotification::Obtain(u"NID_SCROLL_OFFSET_CHANGE", nullptr));
  RefreshHoverAfterScroll();
  mScrolling = false;
  return mScrollOffset;
}

// Content moved under a resting pointer: the control now under it becomes the hover.
void LControl::RefreshHoverAfterScroll() {
  LRootWindow* rootWindow = GetRootWindow();
  if (!rootWindow || !rootWindow->GetHoverControl()) return;
  const PointT<int32_t> cursor = rootWindow->GetCursorPosition();
  PointT<int32_t> inside = cursor;
  const RCPtr<LControl> top = GetTopLevelControl();
  MapPointFromControl(top.Get(), inside);
  const PointT<int32_t> size = RoundToLongPoint({mRect.width, mRect.height});
  if (inside.x < 0 || inside.y < 0 || inside.x >= size.x || inside.y >= size.y) return;
  PointT<int32_t> local;
  rootWindow->ControlAtPoint(cursor, local, true);
}

SVRESULT LControl::RelayoutIfDocked(PointT<double>, PointT<double>) {
  if (DockedAxisCount() > 0) RecomputePlacement();
  return S_OK;
}

RectT<double> LControl::GetScrollLimits(const RCPtr<LControl>&) { return {0, 0, kUnbounded, kUnbounded}; }

// Relative to the scroll offset: the client area's size at the origin.
RectT<double> LControl::GetVisibleRect() {
  const RectT<double> client = GetLookClientRect(-1);
  return {0, 0, client.width, client.height};
}

SVRESULT LControl::StartScrollAnimation(int32_t axis, double velocity, double maximum, double minimum,
                                        const RCPtr<LControl>& dragTarget) {
  if (!IsAxis(axis)) return E_INVALIDARG;
  ScrollAnimation& animation = mScrollAnimation[axis];
  animation.velocity = velocity;
  animation.maximum = maximum;
  animation.minimum = minimum;
  if (animation.dragTarget != dragTarget) animation.dragTarget = dragTarget;
  if (animation.active) return S_OK;
  animation.active = true;
  animation.time = GetApplicationTime();
  AcquireIdle();
  return S_OK;
}

SVRESULT LControl::StopScrollAnimation(int32_t axis) {
  if (!IsAxis(axis)) return E_INVALIDARG;
  ScrollAnimation& animation = mScrollAnimation[axis];
  const RCPtr<LControl> released = animation.dragTarget;
  animation.dragTarget.Reset();
  if (!animation.active) return S_FALSE;
  animation.active = false;
  animation.fling = false;
  ReleaseIdle();
  return S_OK;
}

bool LControl::IsScrollAnimating(int32_t axis) const { return IsAxis(axis) && mScrollAnimation[axis].active; }

void LControl::SetScrollAnimationFling(int32_t axis) {
  if (IsAxis(axis) && mScrollAnimation[axis].active) mScrollAnimation[axis].fling = true;
}

void LControl::StopAllScrollAnimations() {
  StopScrollAnimation(0);
  StopScrollAnimation(1);
}

void LControl::StopFlings() {
  for (int32_t axis = 0; axis < 2; ++axis)
    if (mScrollAnimation[axis].fling) StopScrollAnimation(axis);
}

void LControl::StepScrollAnimation(int32_t axis) {
  ScrollAnimation& animation = mScrollAnimation[axis];
  const double now = GetApplicationTime();
  const double elapsed = now - animation.time;
  const double step = RoundHalfAwayBelowUnbounded(animation.velocity * elapsed);
  animation.time = now;
  if (step != 0) {
    PointT<double> offset = mScrollOffset;
    double& value = axis == 0 ? offset.x : offset.y;
    value += step;
    if (value < animation.minimum) {
      value = animation.minimum;
    } else if (value > animation.maximum) {
      value = animation.maximum;
    }
    SetScrollOffset(offset);
    const RCPtr<LControl> target = mScrollAnimation[axis].dragTarget;
    LRootWindow* rootWindow = GetRootWindow();
    if (target && rootWindow) {
      const PointT<int32_t> cursor = rootWindow->GetCursorPosition();
      const PointT<int32_t> origin = RoundToLongPoint(target->GetScreenPosition());
      const PointT<int32_t> pointer{static_cast<int32_t>(int64_t{cursor.x} - origin.x),
                                    static_cast<int32_t>(int64_t{cursor.y} - origin.y)};
      target->DragTo(MakePointWithModifiersParam(pointer, rootWindow->GetModifierKeys(), 0));
    }
  }
  const int32_t sinceRelease = static_cast<int32_t>(static_cast<uint32_t>(GetApplicationTickCount()) - static_cast<uint32_t>(mReleaseTime));
  if (!animation.active || !animation.fling || sinceRelease <= 1000) return;
  const double loss = RoundHalfAwayBelowUnbounded(kFlingDeceleration * elapsed);
  const double velocity = animation.velocity;
  if (velocity > 0 ? velocity > loss : velocity < -loss) {
    animation.velocity = velocity > 0 ? velocity - loss : velocity + loss;
  } else {
    StopScrollAnimation(axis);
  }
}

}  // namespace SV
