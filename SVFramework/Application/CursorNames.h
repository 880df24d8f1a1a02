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

}  // namespace SV
