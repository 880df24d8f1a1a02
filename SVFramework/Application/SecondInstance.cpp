#include "SVFramework/Application/SecondInstance.h"

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/System/WindowOSServices.h"

namespace SV {

void DeliverSecondInstance(LFrameworkApp* application, std::string_view commandLine) {
  if (!application) return;
  if (application->GetRootWindows().GetCount() > 0) {
    const RCPtr<LRootWindow> main = application->GetRootWindows().GetAt(0);
    if (IWindowOSServices* const osWindow = main->GetOSWindow()) osWindow->Raise();
  }
  if (commandLine.empty()) return;
  String text;
  text.AssignUTF8(commandLine.data(), static_cast<int32_t>(commandLine.size()));
  application->OnSecondInstance(text);
}

}  // namespace SV
