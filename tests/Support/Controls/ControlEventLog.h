#pragma once
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/PointParam.h"
#include "SVFramework/notification/Notification.h"
#include "SVFramework/notification/NotificationClient.h"

namespace SV::Testing {

// Records "<control>:<ID without NID_>" for the notifications it listens to, with
// "@x,y" for point payloads, and runs an optional action on each. UI (test) thread.
class ControlEventLog : public LNotificationClient {
public:
  void Listen(LControl& control, std::initializer_list<const char16_t*> ids) {
    for (const char16_t* id : ids) Subscribe(RCPtr<LNotificationDistributor>(&control), id);
  }
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override {
    const auto* control = dynamic_cast<const LControl*>(source.Get());
    std::string entry = control ? control->GetName().ToUTF8().GetString() : "?";
    std::string id = String(notification->GetID()).ToUTF8().GetString();
    entry += ":" + id.substr(id.rfind("NID_", 0) == 0 ? 4 : 0);
    if (const auto* point = dynamic_cast<const LPointParam*>(notification->GetPayload().Get()))
      entry += "@" + std::to_string(point->x) + "," + std::to_string(point->y);
    entries.push_back(entry);
    if (onEntry) onEntry(entry);
    return 0;
  }
  size_t Count(const std::string& entry) const {
    size_t count = 0;
    for (const std::string& each : entries) count += each == entry;
    return count;
  }

  std::vector<std::string> entries;
  std::function<void(const std::string&)> onEntry;
};

}  // namespace SV::Testing
