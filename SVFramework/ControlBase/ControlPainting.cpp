#include <optional>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ControlGeometry.h"
#include "SVFramework/Renderer/AutoClip.h"

// Painting of LControl. Every state pushed here is popped before the call returns
// (CAutoClip scopes). Loops over children check the position against the current count
// at every step: a hook run from inside may remove children.
namespace SV {

SVRESULT LControl::Paint(const RCPtr<LRenderer>& renderer, const Region& dirty, RCPtrArray<LControl, 1, 0>& unclipped,
                         bool unclippedPass) {
  if (unclippedPass == ClipsToParent()) return E_INVALIDARG;
  if (!IsShown()) return S_OK;
  LRenderContextInfo* const context = renderer->GetCurrentContext();
  if (context == nullptr) return S_FALSE;
  RectT<double> visible = mRect;
  if (!unclippedPass) IntersectDoubleRects(visible, mRect, context->GetState().clip);
  if (!HasArea(visible)) {
    CollectUnclippedBelow(unclipped);
    return S_OK;
  }
  // A control the dirty region misses is left before a drawing state is pushed for it:
  // the push below moves the origin to `placed`.
  const RectT<double> placed = ToDoubleRect(mRect.ToIntRect());
  const PointT<double> parentOffset = context->GetState().offset;
  if (!dirty.IntersectsOffsetRect(placed.x, placed.y, mRect.width, mRect.height, parentOffset.x, parentOffset.y)) {
    CollectUnclippedBelow(unclipped);
    return S_OK;
  }
  const RCPtr<LControl> self(this);
  CAutoClip scope(renderer, placed, visible, nullptr);
  context->GetState().alpha *= mOpacity;
  PaintLooks(renderer, dirty, true);
  PaintLooks(renderer, dirty, false);
  PaintPerDirtyRect(renderer, dirty, false);
  PaintLabelsAndChildren(renderer, dirty, unclipped);
  PaintPerDirtyRect(renderer, dirty, true);
  AppendUnclippedChildren(unclipped);
  return S_OK;
}

void LControl::CollectUnclippedBelow(RCPtrArray<LControl, 1, 0>& unclipped) {
  if (mUnclippedDescendants > 0) CollectUnclippedDescendants(unclipped, true, false);
}

void LControl::PaintLooks(const RCPtr<LRenderer>& renderer, const Region& dirty, bool clientParts) {
  for (uint32_t index = 0; index < mLooks.GetCount(); ++index) {
    if (!IsLookVisible(index)) continue;
    const RCPtr<LLook> look = mLooks[index];
    CAutoClip state(renderer);
    renderer->GetCurrentContext()->GetState().alpha *= mLookWeights[index];
    if (clientParts) {
      look->DrawClientPart(renderer, dirty);
    } else {
      look->DrawNonClientParts(renderer, dirty);
    }
  }
}

// Content and overlay hooks run once per dirty rectangle, clipped to it.
void LControl::PaintPerDirtyRect(const RCPtr<LRenderer>& renderer, const Region& dirty, bool overlay) {
  LRenderContextInfo* const context = renderer->GetCurrentContext();
  const PointT<double> offset = context->GetState().offset;
  const RectT<double> controlClip = context->GetState().clip;
  for (const RegionNode* node = dirty.GetFirst(); node; node = node->next) {
    const RectT<double> rect{node->left - offset.x, node->top - offset.y, double(node->right) - node->left,
                             double(node->bottom) - node->top};
    RectT<double> clip;
    if (!IntersectDoubleRects(clip, rect, controlClip)) continue;
    CAutoClip scope(renderer, RectT<double>{0, 0, mRect.width, mRect.height}, clip, nullptr);
    if (overlay) {
      PaintOverlay(renderer, clip);
    } else {
      PaintContent(renderer, clip);
    }
  }
}

// Children are drawn once per visible look, through that look's client area and at
// that look's weight. An empty look slot draws nothing, its children included.
void LControl::PaintLabelsAndChildren(const RCPtr<LRenderer>& renderer, const Region& dirty,
                                      RCPtrArray<LControl, 1, 0>& unclipped) {
  const PointT<double> textOrigin = mTextFollowsScroll ? mScrollOffset : PointT<double>{0, 0};
  for (uint32_t index = 0; index < mLooks.GetCount(); ++index) {
    if (!IsLookVisible(index)) continue;
    const RCPtr<LLook> look = mLooks[index];
    CAutoClip state(renderer);
    renderer->GetCurrentContext()->GetState().alpha *= mLookWeights[index];
    look->DrawLabelText(renderer, dirty, textOrigin);
    if (mChildren.GetCount() > 0) PaintChildren(renderer, dirty, static_cast<int32_t>(index), unclipped);
  }
}

void LControl::PaintChildren(const RCPtr<LRenderer>& renderer, const Region& dirty, int32_t lookIndex,
                             RCPtrArray<LControl, 1, 0>& unclipped) {
  uint32_t position = 0;
  const ClipRequest scrolling = MakeChildClipRequest(true, lookIndex);
  PaintScrollingChildren(renderer, dirty, scrolling, position, unclipped);
  if (position < mChildren.GetCount()) PaintSingleDockedChildren(renderer, dirty, scrolling, position, unclipped);
  if (position < mChildren.GetCount())
    PaintFixedChildren(renderer, dirty, MakeChildClipRequest(false, lookIndex), position, unclipped);
}

void LControl::PaintScrollingChildren(const RCPtr<LRenderer>& renderer, const Region& dirty,
                                      const ClipRequest& request, uint32_t& position,
                                      RCPtrArray<LControl, 1, 0>& unclipped) {
  PaintRun(renderer, dirty, request, 0, true, position, unclipped);
}

void LControl::PaintSingleDockedChildren(const RCPtr<LRenderer>& renderer, const Region& dirty,
                                         const ClipRequest& request, uint32_t& position,
                                         RCPtrArray<LControl, 1, 0>& unclipped) {
  PaintRun(renderer, dirty, request, 1, true, position, unclipped);
}

// Children docked on both axes carry the scroll offset in their own position: only
// the control's clip limits them.
void LControl::PaintFixedChildren(const RCPtr<LRenderer>& renderer, const Region& dirty, const ClipRequest& request,
                                  uint32_t& position, RCPtrArray<LControl, 1, 0>& unclipped) {
  PaintRun(renderer, dirty, request, 2, false, position, unclipped);
}

// One run: the clipping children docked on `dockedAxes` axes, from `position` on in
// paint order. A clip that misses the current one only collects their unclipped
// descendants.
void LControl::PaintRun(const RCPtr<LRenderer>& renderer, const Region& dirty, const ClipRequest& request,
                        int32_t dockedAxes, bool testOverlap, uint32_t& position,
                        RCPtrArray<LControl, 1, 0>& unclipped) {
  const bool drawn = !testOverlap || (HasArea(request.clipRect) &&
                                      RectsOverlap(request.clipRect, renderer->GetCurrentContext()->GetState().clip));
  std::optional<CAutoClip> scope;
  if (drawn) scope.emplace(renderer, request);
  for (; position < mChildren.GetCount(); ++position) {
    const RCPtr<LControl> child = mChildren.GetAt(position, ChildOrder::PaintOrder);
    if (!child->ClipsToParent() || child->DockedAxisCount() != dockedAxes) break;
    if (drawn) {
      child->Paint(renderer, dirty, unclipped, false);
    } else {
      child->CollectUnclippedBelow(unclipped);
    }
  }
}

ClipRequest LControl::MakeChildClipRequest(bool scrolling, int32_t lookIndex) const {
  const LLook* look =
      lookIndex >= 0 && static_cast<uint32_t>(lookIndex) < mLooks.GetCount() ? mLooks[lookIndex].Get() : nullptr;
  const RectT<double> client =
      look ? ToDoubleRect(look->GetClientRect()) : ToDoubleRect(RectT<double>{0, 0, mRect.width, mRect.height}.ToIntRect());
  ClipRequest request;
  if (!scrolling) {
    request.flavor = ClipFlavor::Offset;
    request.offset = {client.x - mScrollOffset.x, client.y - mScrollOffset.y};
    return request;
  }
  request.flavor = ClipFlavor::Clip;
  request.rect = {client.x - mScrollOffset.x, client.y - mScrollOffset.y, client.width + mScrollOffset.x,
                  client.height + mScrollOffset.y};
  request.clipRect = client;
  if (look) request.stencil = look->GetStencil();
  request.relative = true;
  return request;
}

void LControl::AppendUnclippedChildren(RCPtrArray<LControl, 1, 0>& unclipped) {
  for (uint32_t position = 0; position < mChildren.GetCount(); ++position) {
    const RCPtr<LControl> child = mChildren.GetAt(position, ChildOrder::PaintOrder);
    if (child->IsShown() && !child->ClipsToParent()) unclipped.Append(child);
  }
}

}  // namespace SV
