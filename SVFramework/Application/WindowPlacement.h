#pragma once
#include <cstdint>
#include <vector>

#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Graphics/RectT.h"

namespace SV {

class IIniFileManager;

// Where the main window was when it closed, as kept in the user settings file: the
// client area's rectangle in screen coordinates (the position only where the
// platform tells it), whether the window was maximised, and the skin it was shown in
// (its size is that skin's: another skin has other sizes). UI thread only.
struct WindowPlacement {
  static constexpr int32_t kUnknownSkin = -1;

  RectT<int32_t> rect{0, 0, 0, 0};
  bool hasPosition = false;
  bool maximized = false;
  int32_t skin = kUnknownSkin;  // a file of an older version holds none

  // Writes the record into an open settings file; the first failed write's result.
  SVRESULT Save(IIniFileManager& settings, int32_t handle) const;
  // Reads a record written by Save. E_FAIL, and the record unchanged, when a value is
  // missing or the size is not at least 1 x 1; a missing skin is kUnknownSkin.
  SVRESULT Load(IIniFileManager& settings, int32_t handle);
  // Whether the stored size suits a window shown in `currentSkin`: it was stored for
  // that skin, or for a skin not known.
  bool SizeSuitsSkin(int32_t currentSkin) const { return skin == kUnknownSkin || skin == currentSkin; }

  // The record moved and shrunk so that it lies on one of the visible screens (their
  // work areas, the primary first): the screen it overlaps most, else the primary;
  // never larger than that screen. Without a position it keeps its size only.
  WindowPlacement ClampedTo(const std::vector<RectT<int32_t>>& screens) const;
};

}  // namespace SV
