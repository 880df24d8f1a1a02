#include <gtest/gtest.h>

#include <vector>

#include "Platform/Gui/WheelSteps.h"
#include "tests/Support/CaseName.h"

namespace Platform::Gui {
namespace {

struct WheelCase {
  const char* what;
  std::vector<std::pair<int32_t, int32_t>> deltas;  // axis, delta
  std::vector<int32_t> steps;                        // the answer to each delta
};

class WheelStepsTest : public ::testing::TestWithParam<WheelCase> {};

TEST_P(WheelStepsTest, DeltasBecomeOneStepPerDeltaThatCompletesANotch) {
  WheelSteps wheel;
  std::vector<int32_t> steps;
  for (const auto& [axis, delta] : GetParam().deltas) steps.push_back(wheel.Add(axis, delta));
  EXPECT_EQ(steps, GetParam().steps);
}

constexpr int32_t V = WheelSteps::kVertical;
constexpr int32_t H = WheelSteps::kHorizontal;

INSTANTIATE_TEST_SUITE_P(
    Cases, WheelStepsTest,
    ::testing::Values(
        WheelCase{"forty at a time steps on every third delta", {{V, 40}, {V, 40}, {V, 40}, {V, 40}}, {-1, -1, 1, -1}},
        WheelCase{"three notches at once give one step and leave nothing", {{V, 360}, {V, 119}}, {1, -1}},
        WheelCase{"a hundred up and a hundred down give none", {{V, 100}, {V, -100}, {V, -100}}, {-1, -1, -1}},
        WheelCase{"a notch down", {{V, -120}}, {0}},
        WheelCase{"the axes sum apart", {{V, 100}, {H, 100}, {H, 20}, {V, -220}}, {-1, -1, 3, 0}},
        WheelCase{"a notch left", {{H, -120}}, {2}},
        WheelCase{"a delta beyond sixteen bits is cut as a word", {{V, 65536 + 120}}, {1}}),
    SV::Testing::NameFromWhat());

}  // namespace
}  // namespace Platform::Gui
