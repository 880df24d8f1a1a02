#include "SVFramework/Application/ControlTypeRegistration.h"

#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/ObjectBase/Exception.h"

namespace SV {

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
