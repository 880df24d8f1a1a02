#pragma once
#include <cstdint>
#include <vector>

#include "SVFramework/Renderer/WindowTarget.h"

namespace SV::Testing {

// A window that records the rectangles presented to it and keeps the pixels they
// carried on a screen of its own (premultiplied words, 0 where nothing arrived).
class RecordingWindowTarget : public IWindowTarget {
public:
  RecordingWindowTarget(int32_t width, int32_t height)
      : width(width), height(height), screen(static_cast<size_t>(width) * height, 0) {}

  void BeginPresent() override { ++presents; }
  void CopyArea(const IPixelBuffer<uint32_t>& surface, const RectT<int32_t>& area) override {
    rects.push_back(area);
    for (int32_t y = area.y; y < area.y + area.height; ++y) {
      for (int32_t x = area.x; x < area.x + area.width; ++x) {
        if (x < width && y < height) screen[static_cast<size_t>(y) * width + x] = *surface.GetPixelAddress(x, y);
      }
    }
  }
  void EndPresent() override { ++flushes; }

  uint32_t At(int32_t x, int32_t y) const { return screen[static_cast<size_t>(y) * width + x]; }

  int32_t width;
  int32_t height;
  std::vector<uint32_t> screen;
  std::vector<RectT<int32_t>> rects;
  int presents = 0;
  int flushes = 0;
};

}  // namespace SV::Testing
