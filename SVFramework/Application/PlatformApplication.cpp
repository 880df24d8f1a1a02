#include "SVFramework/Application/PlatformApplication.h"

namespace SV {
namespace {

IPlatformApplication* gPlatformApplication = nullptr;

}  // namespace

IPlatformApplication* GetPlatformApplication() { return gPlatformApplication; }

void SetPlatformApplication(IPlatformApplication* platform) { gPlatformApplication = platform; }

}  // namespace SV
