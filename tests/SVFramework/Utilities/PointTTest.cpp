#include "SVFramework/Utilities/PointT.h"

#include <gtest/gtest.h>

#include <limits>

namespace SV {
namespace {

TEST(PointConversion, RoundsHalfAwayFromZeroAndClampsToTheIntRange) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* what;
    PointT<double> input;
    PointT<int32_t> expected;
  };
  const Case cases[] = {
      {"halves round away from zero", {2.5, -2.5}, {3, -3}},
      {"below a half rounds toward zero", {2.4, -2.4}, {2, -2}},
      {"a half on both sides of zero", {0.5, -0.5}, {1, -1}},
      {"far outside the range clamps", {1e10, -1e10}, {INT32_MAX, INT32_MIN}},
      {"the range's own ends stay", {2147483647.0, -2147483648.0}, {INT32_MAX, INT32_MIN}},
      {"just inside the ends rounds inward", {2147483646.6, -2147483647.6}, {INT32_MAX, INT32_MIN}},
      {"not a number gives the lowest value", {kNaN, kNaN}, {INT32_MIN, INT32_MIN}},
  };
  for (const Case& c : cases) {
    const PointT<int32_t> actual = c.input.ToIntPoint();
    EXPECT_EQ(actual.x, c.expected.x) << c.what;
    EXPECT_EQ(actual.y, c.expected.y) << c.what;
  }
}

}  // namespace
}  // namespace SV
