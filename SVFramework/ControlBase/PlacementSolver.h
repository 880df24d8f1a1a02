#pragma once
#include <functional>

#include "SVFramework/ControlBase/LayoutDescriptor.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/PointT.h"

namespace SV {

// One axis of a control named in a placement: its position (already reduced by the
// parent's scroll offset when it is docked on that axis) and its size.
struct LNamedSpan {
  double position = 0;
  double size = 0;
};

// What a placement is solved against, per axis (index 0 X, 1 Y): the parent's origin
// offset from the client origin, the parent's size, the client size, the parent's
// scroll offset, and the lookup of a named sibling (or, for a top-level control, the
// pointer), which answers a zero span when nothing has the name.
struct LPlacementFrame {
  double parentOrigin[2] = {0, 0};
  double parentSize[2] = {0, 0};
  double clientSize[2] = {0, 0};
  double scroll[2] = {0, 0};
  std::function<LNamedSpan(const String& name, int32_t axis)> findNamed;
};

// Solves the record's position and size on both axes against `frame` and snaps the
// edges to whole pixels. 0, or E_INVALIDARG without a record. Any thread.
SVRESULT SolvePlacement(const LLayoutDescriptor* layout, const LPlacementFrame& frame, RectT<double>& out);

}  // namespace SV
