#pragma once
#include <algorithm>
#include <vector>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/Renderer/AutoClip.h"

namespace SV::Testing {

// Paints a control tree the way a root window paints a frame: the root control inside
// an absolute clip limited to the dirty region's bounds, then the controls collected for
// the unclipped pass in Z order, each from its parent's content origin. Returns the
// controls of the second pass. The context must be started; UI thread only.
inline std::vector<LControl*> PaintFrame(const RCPtr<LRenderer>& renderer, const RCPtr<LControl>& root,
                                         const Region& dirty) {
  EdgeRect bounds;
  dirty.GetBounds(bounds);
  const RectT<double> limit{double(bounds.left), double(bounds.top), double(bounds.right) - bounds.left,
                            double(bounds.bottom) - bounds.top};
  RCPtrArray<LControl, 1, 0> unclipped;
  {
    RectT<double> clip;
    IntersectDoubleRects(clip, root->GetRect(), limit);
    CAutoClip scope(renderer, RectT<double>{0, 0, limit.width, limit.height}, clip, nullptr, false);
    root->Paint(renderer, dirty, unclipped, false);
  }
  std::vector<LControl*> second;
  for (uint32_t index = 0; index < unclipped.GetCount(); ++index) second.push_back(unclipped[index].Get());
  std::stable_sort(second.begin(), second.end(), [](const LControl* a, const LControl* b) {
    return a->GetLayout()->Z_Order < b->GetLayout()->Z_Order;
  });
  for (LControl* control : second) {
    const PointT<double> screen = control->GetScreenPosition();
    const PointT<double> origin{screen.x - control->GetRect().x, screen.y - control->GetRect().y};
    const RectT<double> clip{limit.x - origin.x, limit.y - origin.y, limit.width, limit.height};
    CAutoClip scope(renderer, RectT<double>{origin.x, origin.y, limit.width, limit.height}, clip, nullptr, false);
    control->Paint(renderer, dirty, unclipped, true);
  }
  return second;
}

}  // namespace SV::Testing
