#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace Testing::EndToEnd {

// A rectangle on the screen (or in a window), in pixels.
struct ScreenRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool Contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
};

// The points (in `rect`'s coordinates) where two pictures of `rect` differ, outside
// `hidden`. Pictures are 0xAARRGGBB words, row by row, as XSession::Grab takes them. A
// picture of the wrong size (one that could not be taken) shows nothing: every point
// outside `hidden` counts as changed.
inline std::vector<std::pair<int, int>> ChangedPixels(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b,
                                                      const ScreenRect& rect, const ScreenRect& hidden) {
  const size_t count = static_cast<size_t>(rect.width) * static_cast<size_t>(rect.height);
  const bool comparable = a.size() == count && b.size() == count;
  std::vector<std::pair<int, int>> changed;
  for (int y = 0; y < rect.height; ++y)
    for (int x = 0; x < rect.width; ++x) {
      const size_t at = static_cast<size_t>(y) * static_cast<size_t>(rect.width) + static_cast<size_t>(x);
      if (hidden.Contains(rect.x + x, rect.y + y)) continue;
      if (!comparable || a[at] != b[at]) changed.emplace_back(rect.x + x, rect.y + y);
    }
  return changed;
}

}  // namespace Testing::EndToEnd
