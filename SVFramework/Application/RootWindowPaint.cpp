#include <algorithm>
#include <vector>

#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/Controls/Dialog.h"
#include "SVFramework/Renderer/AutoClip.h"
#include "SVFramework/Renderer/RenderContextInfo.h"
#include "SVFramework/Renderer/Renderer.h"
#include "SVFramework/System/WindowOSServices.h"

namespace SV {
namespace {

// The intersection of two rectangles; width and height 0 when they do not meet.
RectT<int32_t> Intersect(const RectT<int32_t>& a, const RectT<int32_t>& b) {
  const int64_t left = std::max<int64_t>(a.x, b.x);
  const int64_t top = std::max<int64_t>(a.y, b.y);
  const int64_t right = std::min<int64_t>(int64_t{a.x} + a.width, int64_t{b.x} + b.width);
  const int64_t bottom = std::min<int64_t>(int64_t{a.y} + a.height, int64_t{b.y} + b.height);
  if (right <= left || bottom <= top) return {static_cast<int32_t>(left), static_cast<int32_t>(top), 0, 0};
  return {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right - left),
          static_cast<int32_t>(bottom - top)};
}

// Where the content of `control`'s parent starts in the window: the parent's position,
// plus the client offset of its current look, minus its scroll offset.
PointT<double> ParentContentOrigin(const LControl& control) {
  const LControl* parent = control.GetParent();
  if (!parent) return {0, 0};
  const PointT<int32_t> position = parent->GetScreenPosition().ToIntPoint();
  const RectT<double> client = parent->GetLookClientRect(-1);
  const PointT<double> scroll = parent->GetScrollOffset();
  return {position.x + client.x - scroll.x, position.y + client.y - scroll.y};
}

}  // namespace

void LRootWindow::InvalidateRect(const RectT<int32_t>& rect) {
  const PointT<int32_t> size = GetClientSize();
  const RectT<int32_t> area = Intersect(rect, {0, 0, size.x, size.y});
  if (area.width < 1 || area.height < 1) return;
  {
    MutexLock lock(mDirtyLock);
    mDirtyRegion.AddRect({area.x, area.y, area.x + area.width, area.y + area.height});
  }
  if (mOSWindow) mOSWindow->InvalidateRect(area);
}

void LRootWindow::RedrawAll() {
  const PointT<int32_t> size = GetClientSize();
  InvalidateRect({0, 0, size.x, size.y});
  if (mOSWindow) mOSWindow->RedrawNow();
}

void LRootWindow::TakeDirtyRegion(Region& out) {
  if (mFullRedrawPending) {
    mFullRedrawPending = false;
    const PointT<int32_t> size = GetClientSize();
    InvalidateRect({0, 0, size.x, size.y});
  }
  MutexLock lock(mDirtyLock);
  out.Clear();
  out.Append(mDirtyRegion);
  mDirtyRegion.Clear();
}

void LRootWindow::Paint(const Region& region) {
  if (!mRootControl || region.IsEmpty() || !mRenderer) return;
  LRenderContextInfo* context = mRenderer->GetCurrentContext();
  if (context && !context->GetSavedStates().empty()) {
    // A paint inside another one would draw with the outer one's states: repaint later.
    if (mOSWindow) mOSWindow->Invalidate();
    return;
  }
  RectT<double> paintRect = mRootControl->GetRect();
  EdgeRect bounds;
  if (region.GetBounds(bounds)) {
    const RectT<int32_t> within = Intersect(paintRect.ToIntRect(), {bounds.left, bounds.top, bounds.right - bounds.left,
                                                                    bounds.bottom - bounds.top});
    paintRect = {static_cast<double>(within.x), static_cast<double>(within.y), static_cast<double>(within.width),
                 static_cast<double>(within.height)};
  }
  const RCPtr<LControl> root = mRootControl;
  CAutoClip clip(mRenderer, {0, 0, paintRect.x + paintRect.width, paintRect.y + paintRect.height}, paintRect, nullptr,
                 false);
  PaintTree(root, region, false);
}

void LRootWindow::PaintPendingNow() {
  if (mOSWindow) mOSWindow->PaintPendingNow();
}

void LRootWindow::PaintTree(const RCPtr<LControl>& control, const Region& region, bool nested) {
  RCPtrArray<LControl, 1, 0>& unclipped = *mUnclippedList;
  unclipped.SetCount(0);
  control->Paint(mRenderer, region, unclipped, nested);
  // The recursion below reuses the list: take the collected controls out first.
  std::vector<RCPtr<LControl>> collected;
  collected.reserve(unclipped.GetCount());
  for (const RCPtr<LControl>& each : unclipped) collected.push_back(each);
  unclipped.SetCount(0);
  std::stable_sort(collected.begin(), collected.end(), [](const RCPtr<LControl>& a, const RCPtr<LControl>& b) {
    const int32_t za = a->GetLayout() ? a->GetLayout()->Z_Order : 0;
    const int32_t zb = b->GetLayout() ? b->GetLayout()->Z_Order : 0;
    return za < zb;
  });
  for (const RCPtr<LControl>& each : collected) PaintUnclipped(each, region);
}

void LRootWindow::PaintUnclipped(const RCPtr<LControl>& control, const Region& region) {
  if (LRenderContextInfo* context = mRenderer->GetCurrentContext()) {
    context->GetState().alpha = control->GetOpacity();
    context->GetState().stencilSet = false;
  }
  const PointT<double> origin = ParentContentOrigin(*control);
  const RectT<double>& rect = control->GetRect();
  mRenderer->PushClip({origin.x, origin.y, rect.x + rect.width, rect.y + rect.height},
                      {origin.x + rect.x, origin.y + rect.y, rect.width, rect.height}, nullptr, false);
  PaintTree(control, region, true);
  mRenderer->PopState();
}

SVRESULT LRootWindow::RequestClose(int32_t result) {
  if (!mOSWindow) return E_FAIL;
  mCloseResult = result;
  mCloseRequested = true;
  return S_OK;
}

// A dialog's close box is its cancel result, which its listeners may veto.
void LRootWindow::OnSystemClose() {
  if (auto* dialog = dynamic_cast<LDialog*>(GetRootControl().Get())) {
    dialog->Close(LDialog::kCancel);
    return;
  }
  if (!mOSWindow) return;
  mCloseResult = 0;
  mCloseRequested = true;
}

bool LRootWindow::Idle(bool idle) {
  const RCPtr<LRootWindow> self(this);
  DispatchQueuedKeys();
  const bool workLeft = Process(idle);
  if (mCloseRequested && mOSWindow) {
    mCloseRequested = false;
    mOSWindow->EndModal(mCloseResult);
  }
  return workLeft;
}

}  // namespace SV
