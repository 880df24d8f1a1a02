#include "SVFramework/Application/IdleRule.h"

#include "SVFramework/Application/FrameworkApp.h"

namespace SV {

bool RunIdleCall(LFrameworkApp* application, int idleCount, bool stopWhenExiting) {
  if (!application || (stopWhenExiting && application->IsExiting())) return false;
  const bool workLeft = application->Idle(idleCount == 0);
  return workLeft && idleCount < 2;
}

}  // namespace SV
