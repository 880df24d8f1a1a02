#pragma once
#include <functional>
#include <string>
#include <vector>

#include "SVFramework/notification/Notification.h"
#include "SVFramework/notification/NotificationClient.h"
#include "SVFramework/notification/NotificationDistributor.h"

namespace SV::Testing {

// Records the notifications of the (source, ID) pairs it listens to, as the ID's text
// followed by what `describe` says of the payload ("NID_VALUE_CHANGE" or
// "NID_VALUE_CHANGE 0.5"). Hold it in an RCPtr; call StopListening before the sources
// go. Test thread only.
class NotificationLog : public LNotificationClient {
public:
  using Describe = std::function<std::string(const RCPtr<LNotification>&)>;

  static RCPtr<NotificationLog> Create() { return RCPtr<NotificationLog>(new NotificationLog); }

  void Listen(const RCPtr<LNotificationDistributor>& source, const char16_t* id, Describe describe = {}) {
    Subscribe(source, id);
    if (describe) mDescribers.emplace_back(InternNotificationID(id), std::move(describe));
  }
  void StopListening() { UnsubscribeAll(); }

  int32_t Receive(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& notification) override {
    std::string line = String(notification->GetID()).ToUTF8().GetString();
    for (const auto& [id, describe] : mDescribers)
      if (id == notification->GetID()) line += " " + describe(notification);
    lines.push_back(line);
    payloads.push_back(notification->GetPayload());
    return answer;
  }
  SVRESULT ReleaseInternalReferences() override {
    payloads.clear();
    return LNotificationClient::ReleaseInternalReferences();
  }

  std::vector<std::string> lines;
  std::vector<RCPtr<LRefCountedObject>> payloads;
  int32_t answer = 0;  // what Receive answers: 0 lets later handlers see it too

private:
  NotificationLog() = default;
  std::vector<std::pair<NotificationID, Describe>> mDescribers;
};

}  // namespace SV::Testing
