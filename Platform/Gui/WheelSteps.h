#pragma once
#include <cstdint>

namespace Platform::Gui {

// Sums wheel deltas (120 per notch) per axis and tells when notches are completed.
// However many notches one delta completes, it gives one step; the remainder stays
// for the next delta. The two axes are independent. Belongs to one window.
class WheelSteps {
public:
  static constexpr int32_t kVertical = 0;
  static constexpr int32_t kHorizontal = 1;

  // Adds `delta` (up and right positive) on the axis; the direction of the completed
  // notches (0 down, 1 up, 2 left, 3 right), or -1 when none was completed.
  int32_t Add(int32_t axis, int32_t delta);
  void Clear() { mSum[0] = mSum[1] = 0; }

private:
  int32_t mSum[2] = {0, 0};
};

}  // namespace Platform::Gui
