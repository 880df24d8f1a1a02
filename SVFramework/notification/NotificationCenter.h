#pragma once
#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/notification/NotificationDistributor.h"
#include "SVFramework/notification/NotificationQueue.h"

namespace SV {

// A named distributor with a queue aimed at itself: what is posted to it from any
// thread is delivered to its own clients when the UI thread pumps it. Made and kept by
// the center manager. When its last outside reference goes, its clients leave it and
// its queue detaches, dropping what is still queued.
class LNotificationCenter : public LNotificationDistributor, public LNotificationQueue {
public:
  // A center whose queue is aimed at its own distributor.
  static RCPtr<LNotificationCenter> Create(const String& name);

  const String& GetName() const { return mName; }

  // Makes every client leave, then detaches the queue.
  SVRESULT ReleaseInternalReferences() override;

private:
  explicit LNotificationCenter(const String& name) : mName(name) {}

  const String mName;
};

}  // namespace SV
