#include "SVFramework/Application/FrameworkApp.h"

namespace SV {
namespace {

LFrameworkApp* gApplication = nullptr;

}  // namespace

LFrameworkApp* GetFrameworkApp() { return gApplication; }

void SetFrameworkApp(LFrameworkApp* application) { gApplication = application; }

int32_t GetApplicationTickCount() { return gApplication ? static_cast<int32_t>(gApplication->GetTickCount()) : 0; }

double GetApplicationTime() { return gApplication ? gApplication->GetTime() : 0; }

}  // namespace SV
