#include "SVFramework/Application/AppMessageBox.h"

#include "SVFramework/Application/FrameworkApp.h"

namespace SV {

int32_t ShowAppMessageBox(const String& text, const String& caption, uint32_t flags) {
  LFrameworkApp* application = GetFrameworkApp();
  return application ? application->MessageBox(text, caption, flags) : 0;
}

}  // namespace SV
