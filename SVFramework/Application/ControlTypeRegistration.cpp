#include "SVFramework/Application/ControlTypeRegistration.h"

#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/ObjectBase/Exception.h"

namespace SV {

// Empty until the control library's first widget lands: each widget is added here,
// under its "Framework." class name, as it arrives.
std::span<const ControlTypeEntry> GetFrameworkControlTypes() { return {}; }

void RegisterControlTypes(LControlFactory& factory, std::span<const ControlTypeEntry> entries) {
  for (const ControlTypeEntry& entry : entries) {
    const SVRESULT result =
        entry.className && entry.create ? factory.RegisterControlCreateFunction(entry.className, entry.create) : E_INVALIDARG;
    if (result < 0) {
      const NarrowString name = String(entry.className ? entry.className : u"").ToUTF8();
      SV_RAISE(FailedResultException, FormatResultCode(result) + " : " + name.GetString(),
               "SV::LFrameworkApp::RunApplicationStartup");
    }
  }
}

}  // namespace SV
