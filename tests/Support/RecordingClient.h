#pragma once
#include <functional>
#include <string>
#include <vector>

#include "SVFramework/notification/Notification.h"
#include "SVFramework/notification/NotificationClient.h"
#include "SVFramework/notification/NotificationDistributor.h"
#include "tests/Support/InstrumentedObject.h"

namespace SV::Testing {

// A notification client that records, in one shared log, its name for every
// notification it receives, runs `onReceive` first when set, and reports its life to a
// LifeRecord. Receive and the log are for one thread at a time.
class RecordingClient : public LNotificationClient, public InstrumentedObject {
public:
  RecordingClient(LifeRecord& record, std::vector<std::string>& log, std::string name)
      : InstrumentedObject(record), mLog(log), mName(std::move(name)) {}

  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override {
    if (onReceive) onReceive(source, notification);
    mLog.push_back(mName);
    received.push_back(notification.Get());
    return 1;
  }

  SVRESULT ReleaseInternalReferences() override {
    InstrumentedObject::ReleaseInternalReferences();
    return LNotificationClient::ReleaseInternalReferences();
  }

  std::function<void(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&)> onReceive;
  std::vector<const LNotification*> received;

private:
  std::vector<std::string>& mLog;
  const std::string mName;
};

// A plain distributor that reports its life to a LifeRecord.
class RecordingDistributor : public LNotificationDistributor, public InstrumentedObject {
public:
  explicit RecordingDistributor(LifeRecord& record) : InstrumentedObject(record) {}
};

// A shared payload that reports its life to a LifeRecord.
class RecordingPayload : public InstrumentedObject {
public:
  explicit RecordingPayload(LifeRecord& record) : InstrumentedObject(record) {}
};

}  // namespace SV::Testing

namespace SV::Testing {

// A payload that says which thread posted it and as which of that thread's posts.
class IndexPayload : public virtual LRefCountedObject {
public:
  IndexPayload(int threadIndex, int postIndex) : thread(threadIndex), index(postIndex) {}
  const int thread;
  const int index;
};

}  // namespace SV::Testing
