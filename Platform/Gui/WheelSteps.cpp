#include "Platform/Gui/WheelSteps.h"

namespace Platform::Gui {

int32_t WheelSteps::Add(int32_t axis, int32_t delta) {
  int32_t& sum = mSum[axis == kHorizontal ? 1 : 0];
  // The platform's deltas are 16-bit words: a larger one is cut as it would be there.
  sum += static_cast<int16_t>(delta);
  if (sum > -120 && sum < 120) return -1;
  const bool vertical = axis != kHorizontal;
  if (sum >= 120) {
    while (sum > 119) sum -= 120;
    return vertical ? 1 : 3;
  }
  while (sum < -119) sum += 120;
  return vertical ? 0 : 2;
}

}  // namespace Platform::Gui
