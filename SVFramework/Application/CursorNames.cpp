#include "SVFramework/Application/CursorNames.h"

namespace SV {
namespace {

ICursorNames* gCursorNames = nullptr;

struct NamedCursor {
  const char16_t* name;
  int32_t cursor;
};

constexpr NamedCursor kFrameworkCursors[] = {
    {u"UI_CURSOR_ARROW", kCursorArrow},
    {u"UI_CURSOR_IBEAM", kCursorIBeam},
    {u"UI_CURSOR_WAIT", kCursorWait},
    {u"UI_CURSOR_CROSS", kCursorCross},
    {u"UI_CURSOR_UP_ARROW", kCursorUpArrow},
    {u"UI_CURSOR_SIZE_ALL", kCursorSizeAll},
    {u"UI_CURSOR_SIZE_NWSE", kCursorSizeNwse},
    {u"UI_CURSOR_SIZE_NESW", kCursorSizeNesw},
    {u"UI_CURSOR_SIZE_WE", kCursorSizeWe},
    {u"UI_CURSOR_SIZE_NS", kCursorSizeNs},
    {u"UI_CURSOR_NO_DROP", kCursorNo},
    {u"UI_CURSOR_HAND", kCursorHand},
    {u"UI_CURSOR_APP_STARTING", kCursorAppStarting},
    {u"UI_CURSOR_HELP", kCursorHelp},
};

}  // namespace

ICursorNames* GetCursorNames() { return gCursorNames; }

void SetCursorNames(ICursorNames* names) { gCursorNames = names; }

int32_t GetCursorByName(const String& name) { return gCursorNames ? gCursorNames->GetCursorByName(name) : 0; }

int32_t FrameworkCursorForName(const String& name) {
  for (const NamedCursor& entry : kFrameworkCursors)
    if (name == entry.name) return entry.cursor;
  return kCursorArrow;
}

}  // namespace SV
