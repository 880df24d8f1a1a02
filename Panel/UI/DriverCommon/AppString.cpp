#include "Panel/UI/DriverCommon/AppString.h"

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ControlBase/StringTable.h"

namespace SV {

String GetAppString(const char16_t* key) {
  String text;
  LFrameworkApp* application = GetFrameworkApp();
  if (!application || !key) return text;
  const RCPtr<LStringTable>& table = application->GetApplicationStringTable();
  if (!table || !table->GetString(key, text)) text = String();
  return text;
}

}  // namespace SV
