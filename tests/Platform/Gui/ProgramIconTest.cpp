#include <gtest/gtest.h>

#include <QColor>

#include <algorithm>

#include "Platform/Gui/ProgramIcon.h"

namespace Platform::Gui {
namespace {

int Alpha(const QImage& image, double x, double y) {
  return qAlpha(image.pixel(static_cast<int>(x * image.width()), static_cast<int>(y * image.height())));
}

TEST(ProgramIconTest, EachSizeIsASquareKeyboardOnATransparentGround) {
  for (const int size : {16, 32, 48, 256}) {
    SCOPED_TRACE(size);
    const QImage image = DrawProgramIcon(size);
    ASSERT_EQ(image.size(), QSize(size, size));
    EXPECT_EQ(Alpha(image, 0, 0), 0) << "the corner stays transparent";
    EXPECT_EQ(Alpha(image, 0.5, 0.05), 0) << "above the body";
    EXPECT_EQ(Alpha(image, 0.5, 0.5), 255) << "the body is opaque";
    int lightest = 0;
    for (int x = size / 3; x < size * 2 / 3; ++x)
      lightest = std::max(lightest, QColor::fromRgba(image.pixel(x, size * 7 / 10)).lightness());
    EXPECT_GT(lightest, 200) << "white keys along the lower half";
  }
}

TEST(ProgramIconTest, ASizeBelowOneGivesAOnePixelImage) {
  EXPECT_EQ(DrawProgramIcon(0).size(), QSize(1, 1));
  EXPECT_EQ(DrawProgramIcon(-5).size(), QSize(1, 1));
}

}  // namespace
}  // namespace Platform::Gui
