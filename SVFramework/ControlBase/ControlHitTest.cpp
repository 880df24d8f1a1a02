#include <climits>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ControlGeometry.h"

// Hit testing of LControl: which control lies under a point. Children are asked from
// the top of the paint order down, through each visible look's client area; children
// that do not clip are asked wherever they are, the highest effective Z order winning.
namespace SV {
namespace {

bool Contains(const RectT<int32_t>& rect, PointT<int32_t> point) {
  return int64_t{point.x} >= rect.x && int64_t{point.x} < int64_t{rect.x} + rect.width &&
         int64_t{point.y} >= rect.y && int64_t{point.y} < int64_t{rect.y} + rect.height;
}

PointT<int32_t> Subtract(PointT<int32_t> point, PointT<int32_t> delta) {
  return {static_cast<int32_t>(int64_t{point.x} - delta.x), static_cast<int32_t>(int64_t{point.y} - delta.y)};
}

}  // namespace

RCPtr<LControl> LControl::HitTest(PointT<int32_t> point, bool insideAncestors, PointT<int32_t>& local,
                                  int32_t& depth) {
  local = {};
  if (!IsShown()) return nullptr;
  const bool inside = ContainsPoint(point);
  if (!inside && mUnclippedDescendants == 0) return nullptr;
  const RCPtr<LControl> self(this);
  if (RCPtr<LControl> found = HitTestChildren(point, inside, insideAncestors, local, depth)) {
    depth = found->GetEffectiveZOrder();
    return found;
  }
  if (!HitsItself(point, inside, insideAncestors, depth)) return nullptr;
  local = point;
  depth = GetEffectiveZOrder();
  return self;
}

RCPtr<LControl> LControl::HitTestChildren(PointT<int32_t> point, bool inside, bool insideAncestors,
                                          PointT<int32_t>& local, int32_t& depth) {
  RCPtr<LControl> found;
  if (mChildren.GetCount() == 0) return found;
  const PointT<int32_t> scroll = RoundToLongPoint(mScrollOffset);
  for (uint32_t index = 0; index < mLooks.GetCount(); ++index) {
    if (!IsLookVisible(index)) continue;
    const RectT<int32_t> client = GetLookClientRect(static_cast<int32_t>(index)).ToIntRect();
    const bool inClient = Contains(client, point);
    const PointT<int32_t> inContent = Subtract(Subtract(point, {client.x, client.y}), {-scroll.x, -scroll.y});
    for (uint32_t position = mChildren.GetCount(); position-- > 0;) {
      if (position >= mChildren.GetCount()) continue;
      const RCPtr<LControl> child = mChildren.GetAt(position, ChildOrder::PaintOrder);
      const int32_t z = child->GetEffectiveZOrder();
      const bool eligible = inside && insideAncestors && (inClient || child->DockedAxisCount() == 2);
      const bool ask = (!found && (eligible || z > INT32_MIN)) || !child->ClipsToParent() ||
                       child->mUnclippedDescendants > 0;
      if (!ask) continue;
      PointT<int32_t> childLocal;
      const PointT<int32_t> childPoint = Subtract(inContent, RoundToLongPoint({child->mRect.x, child->mRect.y}));
      RCPtr<LControl> hit = child->HitTest(childPoint, insideAncestors && inside, childLocal, depth);
      if (!hit || (found && hit->GetEffectiveZOrder() <= found->GetEffectiveZOrder())) continue;
      found = hit;
      local = childLocal;
    }
  }
  return found;
}

bool LControl::HitsItself(PointT<int32_t> point, bool inside, bool insideAncestors, int32_t depth) {
  const int32_t z = GetEffectiveZOrder();
  bool outside = false;
  if (mParent && DockedAxisCount() != 2 && ClipsToParent()) {
    PointT<int32_t> inParent = point;
    mParent->MapPointFromControl(this, inParent);
    outside = !Contains(mParent->GetLookClientRect(-1).ToIntRect(), inParent);
  }
  if (IsTransparentAt(point) || mHitTestExcluded || !inside || outside) return false;
  return (z == INT32_MIN && insideAncestors) || (z > INT32_MIN && z > depth);
}

}  // namespace SV
