#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

class LRootWindow;

// Shows the wait cursor and a status text for the life of the scope: the active root
// window (else root window 0) takes the "UI_CURSOR_WAIT" cursor, the status text is
// shown at once and one idle pass makes both visible before the long work starts. The
// end of the scope, also by an exception, puts the window's cursor back and the status
// text to its default. Without an application object or a root window it changes no
// cursor. UI thread only.
class LWaitCursorScope {
public:
  explicit LWaitCursorScope(const String& statusText);
  ~LWaitCursorScope();
  LWaitCursorScope(const LWaitCursorScope&) = delete;
  LWaitCursorScope& operator=(const LWaitCursorScope&) = delete;

private:
  int32_t mSavedCursor = 0;
  RCPtr<LRootWindow> mWindow;
};

}  // namespace SV
