#include "SVFramework/Utilities/PointT.h"

#include <gtest/gtest.h>

#include <limits>

namespace SV {
namespace {

struct PointCase {
  const char* what;
  PointT<double> input;
  PointT<int32_t> expected;
};

class PointConversion : public testing::TestWithParam<PointCase> {};

TEST_P(PointConversion, RoundsHalfAwayFromZeroAndClampsToTheIntRange) {
  EXPECT_EQ(GetParam().input.ToIntPoint(), GetParam().expected) << GetParam().what;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(Cases, PointConversion, testing::Values(
    PointCase{"halves round away from zero", {2.5, -2.5}, {3, -3}},
    PointCase{"below a half rounds toward zero", {2.4, -2.4}, {2, -2}},
    PointCase{"a half on both sides of zero", {0.5, -0.5}, {1, -1}},
    PointCase{"far outside the range clamps", {1e10, -1e10}, {INT32_MAX, INT32_MIN}},
    PointCase{"the range's own ends stay", {2147483647.0, -2147483648.0}, {INT32_MAX, INT32_MIN}},
    PointCase{"not a number gives the lowest value", {kNaN, kNaN}, {INT32_MIN, INT32_MIN}}));

TEST(PointConversion, LeavesTheDoublePointUnchanged) {
  const PointT<double> point{1.25, -7.75};
  (void)point.ToIntPoint();
  EXPECT_EQ(point, (PointT<double>{1.25, -7.75}));
}

}  // namespace
}  // namespace SV
