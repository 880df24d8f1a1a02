#pragma once
#include "SVFramework/ControlBase/Control.h"

namespace SV {

// The rectangle of `child` in its parent's own coordinates: its place in the parent's
// content less the parent's scroll offset plus the parent's client origin. The one
// conversion that a list's drag starts, row-to-list points and item-at-point share, so
// they agree on a scrolled list. A child without a parent gives its own rectangle.
// UI thread only.
RectT<double> GetRectInParent(const LControl& child);

}  // namespace SV
