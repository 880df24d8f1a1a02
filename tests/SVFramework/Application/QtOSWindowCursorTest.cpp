#include <gtest/gtest.h>

#include <string>

#include <QImage>

#include "Platform/Gui/ImageCursors.h"
#include "SVFramework/Application/CursorNames.h"
#include "SVFramework/Application/QtOSWindowCursor.h"
#include "tests/Support/Renderer/GuiTestApplication.h"
#include "tests/Support/TemporaryFolder.h"

namespace SV {
namespace {

struct NamedShape {
  const char16_t* name;
  Qt::CursorShape shape;
  std::string label;
};

class QtOSWindowCursorTest : public ::testing::TestWithParam<NamedShape> {};

TEST_P(QtOSWindowCursorTest, TheTablesCursorOfANameShowsAsTheMatchingQtShape) {
  EXPECT_EQ(QtCursorShape(FrameworkCursorForName(GetParam().name)), GetParam().shape);
}

INSTANTIATE_TEST_SUITE_P(
    CursorTable, QtOSWindowCursorTest,
    ::testing::Values(NamedShape{u"UI_CURSOR_ARROW", Qt::ArrowCursor, "Arrow"},
                      NamedShape{u"UI_CURSOR_IBEAM", Qt::IBeamCursor, "IBeam"},
                      NamedShape{u"UI_CURSOR_WAIT", Qt::WaitCursor, "Wait"},
                      NamedShape{u"UI_CURSOR_SIZE_NWSE", Qt::SizeFDiagCursor, "SizeNwse"},
                      NamedShape{u"UI_CURSOR_SIZE_WE", Qt::SizeHorCursor, "SizeWe"},
                      NamedShape{u"UI_CURSOR_NO_DROP", Qt::ForbiddenCursor, "NoDrop"},
                      NamedShape{u"UI_CURSOR_HAND", Qt::PointingHandCursor, "Hand"},
                      NamedShape{u"UI_CURSOR_DROP_MOVE", Qt::ArrowCursor, "UnlistedName"}),
    [](const ::testing::TestParamInfo<NamedShape>& info) { return info.param.label; });

TEST(QtOSWindowCursor, AnIdTheTableDoesNotHandOutShowsTheArrow) {
  EXPECT_EQ(QtCursorShape(0), Qt::ArrowCursor);
  EXPECT_EQ(QtCursorShape(Qt::PointingHandCursor), Qt::ArrowCursor);
}

TEST(QtOSWindowCursor, ARegisteredImageShowsAsABitmapCursorWithItsHotSpotAndAnUnreadableOneAsTheShape) {
  Testing::EnsureGuiApplication();
  Testing::TemporaryFolder folder;
  const std::string path = folder.Path() + "/Drop.png";
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::black);
  ASSERT_TRUE(image.save(QString::fromStdString(path)));
  ::Platform::Gui::RegisterImageCursor(102, path, 3, 4);
  ::Platform::Gui::RegisterImageCursor(103, folder.Path() + "/Missing.png", 0, 0);
  const QCursor drop = QtCursor(102);
  EXPECT_EQ(drop.shape(), Qt::BitmapCursor);
  EXPECT_EQ(drop.hotSpot(), QPoint(3, 4));
  EXPECT_EQ(QtCursor(103).shape(), Qt::ArrowCursor);
  EXPECT_EQ(QtCursor(kCursorHand).shape(), Qt::PointingHandCursor);
  ::Platform::Gui::ForgetImageCursors();
  EXPECT_FALSE(::Platform::Gui::HasImageCursor(102));
  EXPECT_EQ(QtCursor(102).shape(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace SV
