#include "SVFramework/ControlBase/Control.h"

// Coordinates and invalidation of LControl.
namespace SV {
PointT<double> LControl::GetPositionInParentClient() const {
  if (!mParent) return {mRect.x, mRect.y};
  const RectT<double> client = mParent->GetLookClientRect(-1);
  return {mRect.x - mParent->mScrollOffset.x + client.x, mRect.y - mParent->mScrollOffset.y + client.y};
}

PointT<double> LControl::GetScreenPosition() const {
  PointT<double> position{mRect.x, mRect.y};
  for (const LControl* ancestor = mParent.Get(); ancestor; ancestor = ancestor->mParent.Get()) {
    const RectT<double> client = ancestor->GetLookClientRect(-1);
    position.x += client.x - ancestor->mScrollOffset.x + ancestor->mRect.x;
    position.y += client.y - ancestor->mScrollOffset.y + ancestor->mRect.y;
  }
  return position;
}

void LControl::MapPointFromControl(const LControl* other, PointT<int32_t>& point) const {
  const PointT<int32_t> from = RoundToLongPoint(other->GetScreenPosition());
  const PointT<int32_t> to = RoundToLongPoint(GetScreenPosition());
  point.x = static_cast<int32_t>(int64_t{point.x} + from.x - to.x);
  point.y = static_cast<int32_t>(int64_t{point.y} + from.y - to.y);
}

bool LControl::ContainsPoint(PointT<int32_t> point) const {
  const PointT<int32_t> inParent = OffsetLongPoint(point, {mRect.x, mRect.y});
  return inParent.x >= mRect.x && inParent.x < mRect.x + mRect.width && inParent.y >= mRect.y &&
         inParent.y < mRect.y + mRect.height;
}

SVRESULT LControl::InvalidateRect(const RectT<double>& rect, bool clip) {
  PointT<double> origin = GetPositionInParentClient();
  if (mParent) {
    const PointT<double> parentOrigin = mParent->GetScreenPosition();
    origin = {origin.x + parentOrigin.x, origin.y + parentOrigin.y};
  }
  return PropagateInvalidRect({rect.x + origin.x, rect.y + origin.y, rect.width, rect.height}, clip, rect);
}

SVRESULT LControl::PropagateInvalidRect(const RectT<double>& windowRect, bool clip, RectT<double> localRect) {
  if (!IsShown()) return S_FALSE;
  if (clip && ClipsToParent()) {
    if (!IntersectDoubleRects(localRect, localRect, GetClipBoundsInLocal())) return S_FALSE;
  } else {
    clip = false;
  }
  if (mParent) {
    const PointT<double> offset = GetPositionInParentClient();
    return mParent->PropagateInvalidRect(
        windowRect, clip, {localRect.x + offset.x, localRect.y + offset.y, localRect.width, localRect.height});
  }
  if (!mRootWindow) return S_OK;
  RectT<double> dirty = windowRect;
  if (clip) IntersectDoubleRects(dirty, windowRect, localRect);
  mRootWindow->InvalidateRect(dirty.ToIntRect());
  return S_OK;
}

RectT<double> LControl::GetClipBoundsInLocal() const {
  if (mParent) {
    const PointT<double> offset = GetPositionInParentClient();
    return {-offset.x, -offset.y, mParent->mRect.width, mParent->mRect.height};
  }
  if (mRootWindow) {
    const PointT<int32_t> size = mRootWindow->GetClientSize();
    return {-mRect.x, -mRect.y, static_cast<double>(size.x), static_cast<double>(size.y)};
  }
  return {0, 0, mRect.width, mRect.height};
}

}  // namespace SV
