#include "SVFramework/Application/ModalLoop.h"

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/Application/IdleRule.h"

namespace SV {

ModalLoop::ModalLoop() : mLoop([](int idleCount) { return RunIdleCall(GetFrameworkApp(), idleCount, false); }) {}

int32_t ModalLoop::Run() { return mLoop.Run(); }

void ModalLoop::End(int32_t result) { mLoop.Quit(result); }

}  // namespace SV
