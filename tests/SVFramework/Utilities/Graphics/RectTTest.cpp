#include "SVFramework/Utilities/Graphics/RectT.h"

#include <gtest/gtest.h>

namespace SV {
namespace {

TEST(RectConversion, RoundsEachFieldHalfAwayFromZeroAndSaturates) {
  struct Case {
    const char* what;
    RectT<double> input;
    RectT<int32_t> expected;
  };
  const Case cases[] = {
      {"halves round away from zero", {2.5, -2.5, 0.5, -0.5}, {3, -3, 1, -1}},
      {"below a half rounds toward zero", {2.49, -2.49, 10.2, 0.0}, {2, -2, 10, 0}},
      {"the default clip's size saturates", {-5e15, -5e15, 1e16, 1e16}, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.input.ToIntRect(), c.expected) << c.what;
}

TEST(RectConversion, FloatRectanglesConvertLikeDoubleOnes) {
  const RectT<float> rect{1.5f, -1.5f, 3e9f, -3e9f};
  EXPECT_EQ(rect.ToIntRect(), (RectT<int32_t>{2, -2, INT32_MAX, INT32_MIN}));
}

}  // namespace
}  // namespace SV
