#include "SVFramework/Controls/ListBoxGeometry.h"

namespace SV {

RectT<double> GetRectInParent(const LControl& child) {
  RectT<double> rect = child.GetRect();
  const LControl* parent = child.GetParent();
  if (parent == nullptr) return rect;
  const RectT<double> client = parent->GetLookClientRect(-1);
  const PointT<double> scroll = parent->GetScrollOffset();
  rect.x += client.x - scroll.x;
  rect.y += client.y - scroll.y;
  return rect;
}

}  // namespace SV
