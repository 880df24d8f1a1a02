#include "SVFramework/Application/WaitCursorScope.h"

#include "SVFramework/Application/CursorNames.h"
#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/Application/RootWindow.h"

namespace SV {
namespace {

RCPtr<LRootWindow> WindowForCursor(const LFrameworkApp& application) {
  RCPtr<LRootWindow> window = application.GetActiveRootWindow();
  if (!window && application.GetRootWindows().GetCount() > 0) window = application.GetRootWindows().GetAt(0);
  return window;
}

}  // namespace

LWaitCursorScope::LWaitCursorScope(const String& statusText) {
  LFrameworkApp* const application = GetFrameworkApp();
  if (!application) return;
  mWindow = WindowForCursor(*application);
  if (mWindow) mSavedCursor = mWindow->SetCursor(GetCursorByName(u"UI_CURSOR_WAIT"));
  application->SetStatusText(statusText, true);
  application->Idle(true);
}

LWaitCursorScope::~LWaitCursorScope() {
  if (mWindow) mWindow->SetCursor(mSavedCursor);
  if (LFrameworkApp* const application = GetFrameworkApp()) application->ResetStatusText(false);
}

}  // namespace SV
