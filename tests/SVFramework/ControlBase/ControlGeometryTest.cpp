#include "SVFramework/ControlBase/ControlGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/Support/Controls/InstrumentedControl.h"

namespace SV {
namespace {

TEST(ControlGeometryTest, PointsRoundHalfAwayFromZeroAndSaturate) {
  struct Case {
    PointT<double> in;
    PointT<int32_t> out;
  };
  const Case cases[] = {
      {{2.5, -2.5}, {3, -3}},
      {{3e9, -3e9}, {2147483647, INT32_MIN}},
      {{std::nan(""), 0.49}, {INT32_MIN, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(RoundToLongPoint(c.in), c.out) << c.in.x << ", " << c.in.y;
}

TEST(ControlGeometryTest, AControlContainsPointsOfItsUnroundedRectShiftedByTheRoundedOrigin) {
  Testing::LifeRecord life;
  const RCPtr<Testing::InstrumentedControl> control = Testing::InstrumentedControl::Make(life, nullptr, u"c");
  control->SetRectDirect({10.4, 0, 5, 5});
  EXPECT_FALSE(control->ContainsPoint({0, 0})) << "10 lies left of 10.4";
  for (int32_t x = 1; x <= 5; ++x) EXPECT_TRUE(control->ContainsPoint({x, 0})) << x;
  EXPECT_FALSE(control->ContainsPoint({1, 5})) << "the bottom edge is outside";
}

TEST(ControlGeometryTest, ScreenPositionAddsEachAncestorsOriginLessItsScroll) {
  Testing::LifeRecord life;
  const RCPtr<Testing::InstrumentedControl> top = Testing::InstrumentedControl::Make(life, nullptr, u"top");
  const RCPtr<Testing::InstrumentedControl> child = Testing::InstrumentedControl::Make(life, top, u"child");
  top->SetRectDirect({100, 50, 200, 200});
  top->SetScrollOffsetDirect({0, 20});
  child->SetRectDirect({10, 30, 20, 20});
  EXPECT_EQ(child->GetPositionInParentClient(), (PointT<double>{10, 10}));
  EXPECT_EQ(child->GetScreenPosition(), (PointT<double>{110, 60}));
  PointT<int32_t> point{0, 0};
  top->MapPointFromControl(child.Get(), point);
  EXPECT_EQ(point, (PointT<int32_t>{10, 10}));
}

}  // namespace
}  // namespace SV
