#include "SVFramework/Application/FrameworkApp.h"

namespace SV {
namespace {

LFrameworkApp* gApplication = nullptr;

}  // namespace

LFrameworkApp* GetFrameworkApp() { return gApplication; }

void SetFrameworkApp(LFrameworkApp* application) { gApplication = application; }

}  // namespace SV
