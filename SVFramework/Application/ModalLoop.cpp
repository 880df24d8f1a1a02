#include "SVFramework/Application/ModalLoop.h"

#include <optional>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/Application/IdleRule.h"

namespace SV {

ModalLoop::ModalLoop() : mLoop([](int idleCount) { return RunIdleCall(GetFrameworkApp(), idleCount, false); }) {}

int32_t ModalLoop::Run() {
  // Outside the main loop (say, a box at start-up) the modal loop wakes itself.
  std::optional<::Platform::Gui::WakeTimer> ownWakes;
  if (!::Platform::Gui::WakeTimer::Exists()) ownWakes.emplace();
  return mLoop.Run();
}

void ModalLoop::End(int32_t result) { mLoop.Quit(result); }

}  // namespace SV
