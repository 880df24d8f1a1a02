#pragma once
#include <vector>

#include "SVFramework/notification/Notification.h"
#include "SVFramework/notification/NotificationCenterManager.h"
#include "SVFramework/notification/NotificationClient.h"
#include "SVFramework/notification/NotificationDistributor.h"
#include "SVFramework/notification/NotificationQueue.h"

namespace SV::Testing {

// A root window's notification side: a distributor and a queue aimed at it, pumped in
// the root window's own idle pass. Its release hook makes its clients leave and
// detaches its queue.
class FakeRootWindow : public LNotificationDistributor, public LNotificationQueue {
public:
  static RCPtr<FakeRootWindow> Create() {
    RCPtr<FakeRootWindow> window(new FakeRootWindow);
    window->SetTarget(window);
    return window;
  }

  // The root window's idle pass, as far as notifications go: its own queue.
  bool Idle(bool idle) { return Process(idle); }

  SVRESULT ReleaseInternalReferences() override {
    RemoveAllClients();
    Detach();
    return LRefCountedObject::ReleaseInternalReferences();
  }

private:
  FakeRootWindow() = default;
};

// Does with the notification system what the application object does: makes the
// "application" center when it is built, switches recycling on at start-up, runs the
// idle pass (the center manager, then every root window from the last to the first)
// and, at shut-down, leaves its subscriptions, releases the center manager and switches
// recycling off. UI thread only, like the application object.
class FakeFrameworkApp : public LNotificationClient {
public:
  FakeFrameworkApp() : mApplicationCenter(GetApplicationNotificationCenter()) {}

  void RunApplicationStartup() { LNotification::SetPoolingEnabled(true); }

  bool Idle(bool idle) {
    bool entriesRemain = LNotificationCenterManager::GetInstance()->Process(idle);
    for (auto window = mRootWindows.rbegin(); window != mRootWindows.rend(); ++window)
      if ((*window)->Idle(idle)) entriesRemain = true;
    return entriesRemain;
  }

  // What the platform idle handler does after a message: a first call with the idle
  // flag, and one more while work is left. Returns the number of idle calls made.
  int OnPlatformIdle() {
    int calls = 0;
    while (calls < 2) {
      const bool workLeft = Idle(calls == 0);
      ++calls;
      if (!workLeft) break;
    }
    return calls;
  }

  RCPtr<FakeRootWindow> AddRootWindow() {
    mRootWindows.push_back(FakeRootWindow::Create());
    return mRootWindows.back();
  }

  const RCPtr<LNotificationCenter>& GetApplicationCenter() const { return mApplicationCenter; }

  // The shut-down steps of the application object's destructor.
  void ShutDown() {
    UnsubscribeAll();
    mRootWindows.clear();
    mApplicationCenter.Reset();
    LNotificationCenterManager::ReleaseInstance();
    LNotification::SetPoolingEnabled(false);
  }

private:
  RCPtr<LNotificationCenter> mApplicationCenter;
  std::vector<RCPtr<FakeRootWindow>> mRootWindows;
};

}  // namespace SV::Testing
