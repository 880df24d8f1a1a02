#pragma once
#include <cstdint>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The application's table of cursors by name ("UI_CURSOR_ARROW", "UI_CURSOR_DROP_MOVE",
// "UI_CURSOR_NO_DROP"). The application shell installs one; tests install stand-ins.
// UI thread only.
class ICursorNames {
public:
  virtual ~ICursorNames() = default;
  // The cursor id of `name`; 0 when the name is unknown.
  virtual int32_t GetCursorByName(const String& name) = 0;
};

// The installed table, or null before one is set.
ICursorNames* GetCursorNames();
void SetCursorNames(ICursorNames* names);

// The cursor id of `name` from the installed table; 0 without one.
int32_t GetCursorByName(const String& name);

// The platform-neutral cursor ids (the values the skins' platform used).
enum CursorId : int32_t {
  kCursorArrow = 32512,
  kCursorIBeam = 32513,
  kCursorWait = 32514,
  kCursorCross = 32515,
  kCursorUpArrow = 32516,
  kCursorSizeNwse = 32642,
  kCursorSizeNesw = 32643,
  kCursorSizeWe = 32644,
  kCursorSizeNs = 32645,
  kCursorSizeAll = 32646,
  kCursorNo = 32648,
  kCursorHand = 32649,
  kCursorAppStarting = 32650,
  kCursorHelp = 32651,
};

// The framework's table: the cursor of a "UI_CURSOR_" name, compared by content; the
// arrow for any name it does not list (the drop, split, rotate and magnifier names
// among them, which an application maps itself). Any thread.
int32_t FrameworkCursorForName(const String& name);

}  // namespace SV
