#include "SVFramework/notification/NotificationHandler.h"

#include <ostream>

#include "SVFramework/Utilities/DebugLog.h"

namespace SV {

void ReportNotificationRestoreFailure(const std::string& function, SVRESULT result) {
  try {
    DebugLog::Instance().Narrow() << "Failed Result : " << FormatResultCode(result) << " : " << function
                                  << " : the notification binding was not restored" << std::endl;
  } catch (...) {
    // The report is best effort: a destructor must not throw.
  }
}

}  // namespace SV
