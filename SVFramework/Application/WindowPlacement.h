#pragma once
#include <cstdint>
#include <vector>

#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Graphics/RectT.h"

namespace SV {

class IIniFileManager;

// Where the main window was when it closed, as kept in the user settings file: the
// client area's rectangle in screen coordinates (the position only where the
// platform tells it), and whether the window was maximised. UI thread only.
struct WindowPlacement {
  RectT<int32_t> rect{0, 0, 0, 0};
  bool hasPosition = false;
  bool maximized = false;

  // Writes the record into an open settings file; the first failed write's result.
  SVRESULT Save(IIniFileManager& settings, int32_t handle) const;
  // Reads a record written by Save. E_FAIL, and the record unchanged, when a value is
  // missing or the size is not at least 1 x 1.
  SVRESULT Load(IIniFileManager& settings, int32_t handle);

  // The record moved and shrunk so that it lies on one of the visible screens (their
  // work areas, the primary first): the screen it overlaps most, else the primary;
  // never larger than that screen. Without a position it keeps its size only.
  WindowPlacement ClampedTo(const std::vector<RectT<int32_t>>& screens) const;
};

}  // namespace SV
