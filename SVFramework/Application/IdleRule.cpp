#include "SVFramework/Application/IdleRule.h"

#include "Platform/Gui/EventLoop.h"
#include "SVFramework/Application/FrameworkApp.h"

namespace SV {

bool RunIdleCall(LFrameworkApp* application, int idleCount, bool stopWhenExiting) {
  if (!application || (stopWhenExiting && application->IsExiting())) return false;
  const bool workLeft = application->Idle(idleCount == 0);
  // Work left for later keeps the loop's wakes brisk, so that it is not left waiting.
  if (workLeft) ::Platform::Gui::WakeTimer::NoteActivity();
  return workLeft && idleCount < 2;
}

}  // namespace SV
