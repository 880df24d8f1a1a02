#include <gtest/gtest.h>

#include <string>

#include "SVFramework/Application/CursorNames.h"
#include "SVFramework/Application/QtOSWindowCursor.h"

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

}  // namespace
}  // namespace SV
