#include "SVFramework/ControlBase/PixelRounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace SV {
namespace {

TEST(PixelRounding, HalvesRoundAwayFromZero) {
  struct Case {
    double value;
    double rounded;
  };
  const Case cases[] = {
      {8.5, 9.0},   {-8.5, -9.0}, {8.4999, 8.0}, {-8.4999, -8.0}, {0.5, 1.0},
      {-0.5, -1.0}, {2.0, 2.0},   {-2.0, -2.0},  {1e300, 1e300}, {-4503599627370497.0, -4503599627370497.0},
  };
  for (const Case& c : cases) EXPECT_EQ(RoundHalfAwayFromZero(c.value), c.rounded) << c.value;
}

TEST(PixelRounding, NegativeZeroRoundsToPositiveZero) {
  const double rounded = RoundHalfAwayFromZero(-0.0);
  EXPECT_EQ(rounded, 0.0);
  EXPECT_FALSE(std::signbit(rounded));
}

TEST(PixelRounding, InfinitiesAndNaNComeBackUnchanged) {
  EXPECT_EQ(RoundHalfAwayFromZero(std::numeric_limits<double>::infinity()), std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isnan(RoundHalfAwayFromZero(std::nan(""))));
}

}  // namespace
}  // namespace SV

namespace SV {
namespace {

TEST(PixelRounding, SnappingRoundsTheEdgesSoAdjacentRectanglesStayAdjacent) {
  struct Case {
    RectT<double> in;
    RectT<double> out;
  };
  const Case cases[] = {
      {{0.4, 0.6, 10.2, 10.2}, {0, 1, 11, 10}},      // right 10.6 -> 11, bottom 10.8 -> 11
      {{10.6, 0, 10.0, 1.5}, {11, 0, 10, 2}},        // starts where the first one ends
      {{-8.5, -0.5, 1.0, 1.0}, {-9, -1, 1, 2}},      // halves away from zero on every edge
  };
  for (const Case& c : cases) {
    RectT<double> rect = c.in;
    SnapRectToPixels(rect);
    EXPECT_EQ(rect, c.out) << c.in.x << "," << c.in.y;
  }
}

TEST(PixelRounding, NormalisingFlipsNegativeExtentsAndFloorsWithTolerance) {
  struct Case {
    RectT<double> in;
    RectT<double> out;
  };
  const Case cases[] = {
      {{10, 10, -4, 5}, {6, 10, 4, 5}},
      {{2.9999999999999996, 0, 1, 1}, {3, 0, 1, 1}},
      {{-2.5, 0, 1, 1}, {-3, 0, 1, 1}},  // right edge -1.5 floors to -2
      {{0, 5, 1, -2.5}, {0, 2, 1, 3}},
  };
  for (const Case& c : cases) {
    RectT<double> rect = c.in;
    NormalizeAndFloorRect(rect);
    EXPECT_EQ(rect, c.out) << c.in.x << "," << c.in.y << "," << c.in.width << "," << c.in.height;
  }
}

}  // namespace
}  // namespace SV
