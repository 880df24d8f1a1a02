#include <algorithm>
#include <cmath>

#include "SVFramework/Application/CursorNames.h"
#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ControlBase/Control.h"

// Dragging of LControl: moving and resizing within limits, edge auto-scroll, scrolling
// the content with the pointer and its fling, and drag and drop over other controls.
namespace SV {
namespace {

constexpr int32_t kRightEdge = 4;
constexpr int32_t kLeftEdge = 8;
constexpr int32_t kTopEdge = 0x10;
constexpr int32_t kBottomEdge = 0x20;
constexpr double kEdgeMargin = 30;

enum DragMode { kNone = 0, kDragAndDrop = 1, kMove = 2, kMoveScroll = 3, kResize = 4, kResizeScroll = 5, kScroll = 6 };

double Limit(double value) { return std::clamp(value, -kCoordinateLimit, kCoordinateLimit); }

int32_t Elapsed(int32_t later, int32_t earlier) {
  return static_cast<int32_t>(static_cast<uint32_t>(later) - static_cast<uint32_t>(earlier));
}

bool Contains(const RCPtrArray<LControl, 1, 0>& list, const LControl* control) {
  for (uint32_t index = 0; index < list.GetCount(); ++index)
    if (list[index].Get() == control) return true;
  return false;
}

}  // namespace

SVRESULT LControl::SetDragMode(int32_t mode, int32_t flags) {
  mDragMode = mode;
  mDragFlags = flags;
  return S_OK;
}

SVRESULT LControl::BeginDrag() {
  if (!mLayout) mLayout = LLayoutDescriptor::Create();
  const RCPtr<LControl> self(this);
  if (mLeftDrag) {
    mDragStartSize = {mRect.width, mRect.height};
    mDragParentScroll = mParent ? mParent->mScrollOffset : PointT<double>{};
    if (mDragMode == kDragAndDrop) {
      mDropTarget.Reset();
      mCarrying = true;
      mDragRestoreClip = ClipsToParent();
      SetClipToParent(false);
      for (int32_t axis = 0; axis < 2; ++axis) {
        mDragWasDocked[axis] = mLayout->Placement[axis].docked;
        if (!mDragWasDocked[axis]) PlaceDockedForCarry(axis, true);
      }
    }
  }
  TakeDragSnapshots();
  return S_OK;
}

// Carried controls are docked so that a scroll of the parent does not move them on the
// screen; at the drop they go back into the parent's content at the same place.
void LControl::PlaceDockedForCarry(int32_t axis, bool docked) {
  LPlacementSpec placement = mLayout->Placement[axis];
  const double parentScroll = mParent ? Axis(mParent->mScrollOffset, axis) : 0;
  placement.docked = docked;
  placement.abs = docked ? (axis == 0 ? mRect.x : mRect.y) - parentScroll : placement.abs + parentScroll;
  SetPlacement(axis, placement, mLayout->Size[axis]);
}

void LControl::TakeDragSnapshots() {
  mDragStartPlacement[0] = mLayout->Placement[0].abs;
  mDragStartPlacement[1] = mLayout->Placement[1].abs;
  mDragStartPlacement[2] = mLayout->Size[0].abs;
  mDragStartPlacement[3] = mLayout->Size[1].abs;
}

void LControl::RebaseDrag() {
  if (!mLayout) mLayout = LLayoutDescriptor::Create();
  mPressPoint = {mPressPoint.x + mDragDelta.x, mPressPoint.y + mDragDelta.y};
  mDragStartSize = {mRect.width, mRect.height};
  mDragParentScroll = mParent ? mParent->mScrollOffset : PointT<double>{};
  TakeDragSnapshots();
}

SVRESULT LControl::DragTo(const RCPtr<LPointWithModifiersParam>& pointer) {
  if (!pointer) return E_INVALIDARG;
  if (mInDragTo) return S_FALSE;
  if (!mLayout) mLayout = LLayoutDescriptor::Create();
  const RCPtr<LControl> self(this);
  mInDragTo = true;
  const double x = Limit(pointer->x), y = Limit(pointer->y);
  const PointT<double> screen = GetScreenPosition();
  double dx = mRect.x + x - mPressPoint.x;
  double dy = mRect.y + y - mPressPoint.y;
  RCPtr<LControl> scroller(mParent.Get());
  int32_t edges[2] = {0, 0};
  double amounts[2] = {0, 0};
  if (mDragMode != kDragAndDrop && mParent) LimitDrag(dx, dy, edges, amounts);
  if (mDragMode >= kDragAndDrop && mDragMode <= kResizeScroll) ApplyMoveOrResize(dx, dy);
  if (mDragMode == kScroll) ApplyContentScroll(dx, dy);
  if (mDragMode == kDragAndDrop) TrackDropTarget({x + screen.x, y + screen.y}, edges, amounts, scroller);
  AutoScroll(scroller, edges, amounts);
  ApplyDrag(pointer);
  mInDragTo = false;
  return S_OK;
}

// The pointer stays inside the parent's visible content (or what GetDragLimits makes of
// it); a resize keeps at least one pixel; modes 3 and 5 find the edge the pointer is in.
void LControl::LimitDrag(double& dx, double& dy, int32_t edges[2], double amounts[2]) {
  const RectT<double> visible = mParent->GetVisibleRect();
  const PointT<double> parentScroll = mParent->mScrollOffset;
  const double left = parentScroll.x + visible.x, top = parentScroll.y + visible.y;
  RectT<double> limits{left, top, visible.width, visible.height};
  GetDragLimits(limits);
  double low[2] = {limits.x - mPressPoint.x, limits.y - mPressPoint.y};
  double high[2] = {limits.x + limits.width - mPressPoint.x, limits.y + limits.height - mPressPoint.y};
  if (mDragMode == kResize || mDragMode == kResizeScroll) {
    const double startSize[2] = {mDragStartSize.x, mDragStartSize.y};
    const int32_t farEdge[2] = {kRightEdge, kBottomEdge}, nearEdge[2] = {kLeftEdge, kTopEdge};
    for (int32_t axis = 0; axis < 2; ++axis) {
      if ((mDragFlags & farEdge[axis]) != 0) {
        if (low[axis] <= -startSize[axis]) low[axis] = 1 - startSize[axis];
      } else if ((mDragFlags & nearEdge[axis]) != 0 && high[axis] >= startSize[axis]) {
        high[axis] = startSize[axis] - 1;
      }
    }
  }
  double* deltas[2] = {&dx, &dy};
  if (mDragMode == kMoveScroll || mDragMode == kResizeScroll) {
    PointT<int32_t> inParent = RoundToLongPoint({*deltas[0] + mPressPoint.x - mRect.x, *deltas[1] + mPressPoint.y - mRect.y});
    mParent->MapPointFromControl(this, inParent);
    const double pointerInContent[2] = {inParent.x + parentScroll.x, inParent.y + parentScroll.y};
    const double start[2] = {left, top}, extent[2] = {visible.width, visible.height};
    const double limitStart[2] = {limits.x, limits.y}, limitExtent[2] = {limits.width, limits.height};
    const double pressed[2] = {mPressPoint.x, mPressPoint.y};
    const int32_t axisBits[2] = {1 | kRightEdge | kLeftEdge, 2 | kTopEdge | kBottomEdge};
    for (int32_t axis = 0; axis < 2; ++axis) {
      if ((mDragFlags & axisBits[axis]) == 0) continue;
      const double delta = *deltas[axis];
      if (pointerInContent[axis] > start[axis] + extent[axis] * 0.5) {
        const double margin = std::clamp(kEdgeMargin + std::trunc(start[axis] + extent[axis]) -
                                             std::trunc(limitStart[axis] + limitExtent[axis]), 0.0, kEdgeMargin);
        const double threshold = start[axis] + extent[axis] - pressed[axis] - margin;
        if (delta >= threshold) {
          edges[axis] = axis == 0 ? kRightEdge : kBottomEdge;
          amounts[axis] = delta - threshold;
        }
      } else {
        const double margin =
            std::clamp(kEdgeMargin - std::trunc(std::trunc(start[axis]) - limitStart[axis]), 0.0, kEdgeMargin);
        const double threshold = start[axis] - pressed[axis] + margin;
        if (threshold >= delta) {
          edges[axis] = axis == 0 ? kLeftEdge : kTopEdge;
          amounts[axis] = threshold - delta;
        }
      }
    }
  }
  if (mDragMode >= kMove && mDragMode <= kResizeScroll) {
    for (int32_t axis = 0; axis < 2; ++axis) {
      const double before = *deltas[axis];
      if (*deltas[axis] < low[axis]) *deltas[axis] = low[axis];
      if (*deltas[axis] > high[axis]) *deltas[axis] = high[axis];
      if (*deltas[axis] != before) edges[axis] = 0;
    }
    mDragDelta = {dx, dy};
  }
}

void LControl::ApplyMoveOrResize(double dx, double dy) {
  const double deltas[2] = {dx, dy};
  const bool resize = mDragMode == kResize || mDragMode == kResizeScroll;
  const int32_t moveBit[2] = {1, 2}, farEdge[2] = {kRightEdge, kBottomEdge}, nearEdge[2] = {kLeftEdge, kTopEdge};
  for (int32_t axis = 0; axis < 2; ++axis) {
    LPlacementSpec placement = mLayout->Placement[axis];
    LSizeSpec size = mLayout->Size[axis];
    const double scrolled =
        placement.docked && mParent ? Axis(mParent->mScrollOffset, axis) - Axis(mDragParentScroll, axis) : 0;
    const double position = mDragStartPlacement[axis] + deltas[axis] - scrolled;
    if (!resize) {
      if ((mDragFlags & moveBit[axis]) == 0) continue;
      placement.abs = position;
    } else if ((mDragFlags & farEdge[axis]) != 0) {
      size.abs = mDragStartPlacement[2 + axis] + deltas[axis];
    } else if ((mDragFlags & nearEdge[axis]) != 0) {
      placement.abs = position;
      size.abs = mDragStartPlacement[2 + axis] - deltas[axis];
    } else {
      continue;
    }
    SetPlacement(axis, placement, size);
  }
}

// The content follows the pointer within the control's own scroll limits, and the
// smoothed speed of the last steps is kept for the fling.
void LControl::ApplyContentScroll(double dx, double dy) {
  const RectT<double> limits = GetScrollLimits(RCPtr<LControl>(this));
  const double seconds = Elapsed(mMoveTime, mLastMoveTime) / 1000.0;
  if (!(seconds > 0)) return;
  const double deltas[2] = {dx, dy};
  double* velocities[2] = {&mDragVelocity.x, &mDragVelocity.y};
  const int32_t axisBit[2] = {1, 2};
  for (int32_t axis = 0; axis < 2; ++axis) {
    const double step = Axis(mDragDelta, axis) - deltas[axis];
    double velocity = step / seconds;
    if (*velocities[axis] != 0 && seconds < 0.2) velocity = velocity * 0.5 + *velocities[axis] * 0.5;
    *velocities[axis] = velocity;
    if ((mDragFlags & axisBit[axis]) == 0 || step == 0) continue;
    PointT<double> offset = mScrollOffset;
    if (axis == 0) {
      offset.x = std::clamp(offset.x + step, limits.x, std::max(limits.x, limits.x + limits.width));
    } else {
      offset.y = std::clamp(offset.y + step, limits.y, std::max(limits.y, limits.y + limits.height));
    }
    SetScrollOffset(offset);
  }
  mDragDelta = {dx, dy};
}

void LControl::TrackDropTarget(PointT<double> pointer, int32_t edges[2], double amounts[2],
                               RCPtr<LControl>& scroller) {
  LRootWindow* rootWindow = GetRootWindow();
  if (!rootWindow) return;
  const RCPtr<LControl> self(this);
  const PointT<int32_t> point = RoundToLongPoint(pointer);
  PointT<int32_t> local;
  mHitTestExcluded = true;
  const RCPtr<LControl> hit = rootWindow->ControlAtPoint(point, local, false);
  mHitTestExcluded = false;
  const RCPtr<LControl> target = hit ? hit->FindDropTarget(self, point) : nullptr;
  if (target && target != hit) target->MapPointFromControl(hit.Get(), local);
  if (target == mDropTarget) {
    if (target) target->OnDragOver(self, local);
  } else {
    if (const RCPtr<LControl> old = mDropTarget) {
      old->StopAllScrollAnimations();
      old->OnDragLeave(self);
    }
    mDropTarget = target;
    rootWindow->SetCursor(GetCursorByName(target ? u"UI_CURSOR_DROP_MOVE" : u"UI_CURSOR_NO_DROP"));
    if (target) {
      target->OnDragEnter(self);
      target->OnDragOver(self, local);
    }
  }
  if (!target || target != mDropTarget) return;
  scroller = target;
  const int32_t mask = target->GetDropScrollEdges(self);
  if (mask == 0) return;
  const RectT<double> client = target->GetLookClientRect(-1);
  const PointT<double> scroll = target->mScrollOffset;
  const double inContent[2] = {local.x + scroll.x - client.x, local.y + scroll.y - client.y};
  const double start[2] = {scroll.x, scroll.y}, extent[2] = {client.width, client.height};
  const int32_t farEdge[2] = {kRightEdge, kBottomEdge}, nearEdge[2] = {kLeftEdge, kTopEdge};
  for (int32_t axis = 0; axis < 2; ++axis) {
    const double farLine = start[axis] + extent[axis] - kEdgeMargin, nearLine = start[axis] + kEdgeMargin;
    if ((mask & farEdge[axis]) != 0 && inContent[axis] >= farLine) {
      edges[axis] = farEdge[axis];
      amounts[axis] = inContent[axis] - farLine;
    } else if ((mask & nearEdge[axis]) != 0 && inContent[axis] <= nearLine) {
      edges[axis] = nearEdge[axis];
      amounts[axis] = nearLine - inContent[axis];
    }
  }
}

// An active edge scrolls the scroller at 15 pixels per second plus 15 per pixel of
// depth into the margin, dragging this control along after each step.
void LControl::AutoScroll(const RCPtr<LControl>& scroller, const int32_t edges[2], const double amounts[2]) {
  if (!scroller) return;
  if (edges[0] == 0 && edges[1] == 0) {
    scroller->StopAllScrollAnimations();
    return;
  }
  const RCPtr<LControl> self(this);
  const RectT<double> limits = scroller->GetScrollLimits(self);
  const double minimum[2] = {limits.x, limits.y};
  const double maximum[2] = {limits.x + limits.width, limits.y + limits.height};
  for (int32_t axis = 0; axis < 2; ++axis) {
    if (edges[axis] == 0) {
      scroller->StopScrollAnimation(axis);
      continue;
    }
    const bool towardsStart = edges[axis] == kLeftEdge || edges[axis] == kTopEdge;
    const double speed = (amounts[axis] + 1) * 15.0;
    scroller->StartScrollAnimation(axis, towardsStart ? -speed : speed, maximum[axis], minimum[axis], self);
  }
}

void LControl::StartFling() {
  mReleaseTime = GetApplicationTickCount();
  if (Elapsed(mReleaseTime, mLastMoveTime) >= 100) return;
  const RectT<double> limits = GetScrollLimits(RCPtr<LControl>(this));
  const double velocity[2] = {mDragVelocity.x, mDragVelocity.y};
  const double extent[2] = {limits.width, limits.height};
  const int32_t axisBit[2] = {1, 2};
  for (int32_t axis = 0; axis < 2; ++axis) {
    const bool enabled = mDragFlags == 3 || mDragFlags == axisBit[axis];
    if (!enabled || std::fabs(velocity[axis]) < 1000.0) continue;
    StartScrollAnimation(axis, velocity[axis], extent[axis], 0, nullptr);
    SetScrollAnimationFling(axis);
  }
}

SVRESULT LControl::EndDrag() {
  const RCPtr<LControl> self(this);
  if (!mCarrying) {
    if (mParent) RCPtr<LControl>(mParent.Get())->StopAllScrollAnimations();
    return S_OK;
  }
  mCarrying = false;
  if (LRootWindow* rootWindow = GetRootWindow()) rootWindow->SetCursor(GetCursorByName(u"UI_CURSOR_ARROW"));
  if (mDragRestoreClip) SetClipToParent(true);
  for (int32_t axis = 0; axis < 2; ++axis)
    if (!mDragWasDocked[axis] && mLayout) PlaceDockedForCarry(axis, false);
  if (const RCPtr<LControl> target = mDropTarget) {
    target->StopAllScrollAnimations();
    target->AcceptDrop(self);
    target->OnDragLeave(self);
    mDropTarget.Reset();
  }
  return S_OK;
}

RCPtr<LControl> LControl::FindDropTarget(const RCPtr<LControl>& dragged, PointT<int32_t> pointer) {
  RCPtr<LControl> candidate(this);
  RCPtrArray<LControl, 1, 0> tried;
  while (candidate && !candidate->CanAcceptDrop(dragged)) {
    if (candidate->ClipsToParent()) {
      candidate = RCPtr<LControl>(candidate->mParent.Get());
      continue;
    }
    LRootWindow* rootWindow = candidate->GetRootWindow();
    if (Contains(tried, candidate.Get()) || !rootWindow) return nullptr;
    RCPtrArray<LControl, 1, 0> descendants;
    candidate->CollectDescendants(descendants);
    tried.Append(candidate);
    tried.Append(descendants);
    if (dragged) dragged->mHitTestExcluded = true;
    for (uint32_t index = 0; index < tried.GetCount(); ++index) tried[index]->mHitTestExcluded = true;
    PointT<int32_t> local;
    RCPtr<LControl> hit = rootWindow->ControlAtPoint(pointer, local, true);
    for (uint32_t index = 0; index < tried.GetCount(); ++index) tried[index]->mHitTestExcluded = false;
    if (dragged) dragged->mHitTestExcluded = false;
    candidate = Contains(tried, hit.Get()) ? nullptr : hit;
  }
  return candidate;
}

}  // namespace SV
