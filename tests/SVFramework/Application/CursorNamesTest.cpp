#include "SVFramework/Application/CursorNames.h"

#include <gtest/gtest.h>

namespace SV {
namespace {

TEST(CursorNamesTest, FrameworkTableMapsEachNameByContentAndEverythingElseToTheArrow) {
  struct Case {
    const char16_t* name;
    int32_t cursor;
  };
  const Case cases[] = {
      {u"UI_CURSOR_ARROW", kCursorArrow},       {u"UI_CURSOR_IBEAM", kCursorIBeam},
      {u"UI_CURSOR_WAIT", kCursorWait},         {u"UI_CURSOR_CROSS", kCursorCross},
      {u"UI_CURSOR_UP_ARROW", kCursorUpArrow},  {u"UI_CURSOR_SIZE_ALL", kCursorSizeAll},
      {u"UI_CURSOR_SIZE_NWSE", kCursorSizeNwse}, {u"UI_CURSOR_SIZE_NESW", kCursorSizeNesw},
      {u"UI_CURSOR_SIZE_WE", kCursorSizeWe},    {u"UI_CURSOR_SIZE_NS", kCursorSizeNs},
      {u"UI_CURSOR_NO_DROP", kCursorNo},        {u"UI_CURSOR_HAND", kCursorHand},
      {u"UI_CURSOR_APP_STARTING", kCursorAppStarting}, {u"UI_CURSOR_HELP", kCursorHelp},
      {u"UI_CURSOR_DROP_MOVE", kCursorArrow},   {u"UI_CURSOR_SPLIT_V", kCursorArrow},
      {u"UI_CURSOR_ROTATE", kCursorArrow},      {u"ui_cursor_ibeam", kCursorArrow},
      {u"", kCursorArrow},
  };
  for (const Case& c : cases) {
    // A copy, so that the match is by content and not by the table's address.
    const String name = String(c.name) + String(u"");
    EXPECT_EQ(FrameworkCursorForName(name), c.cursor) << String(c.name).ToUTF8().GetString();
  }
}

}  // namespace
}  // namespace SV
