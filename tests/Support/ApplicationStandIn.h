#pragma once
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "DeviceControl/GeneratedCode/Engine/inc/RootModuleEngine.h"
#include "SVFramework/notification/Notification.h"
#include "SVFramework/notification/NotificationCenterManager.h"
#include "SVFramework/notification/NotificationClient.h"

namespace SV::Testing {

// Records, in order, every notification the "application" center delivers for the
// engine's three announcement IDs. UI (test) thread only.
class EngineNotificationLog : public LNotificationClient {
public:
  struct Entry {
    std::u16string id;
    RCPtr<LRefCountedObject> payload;
  };

  int32_t Receive(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& notification) override {
    entries.push_back({notification->GetID(), notification->GetPayload()});
    return 1;
  }

  size_t CountOf(const std::u16string& id) const {
    size_t count = 0;
    for (const Entry& entry : entries) count += entry.id == id;
    return count;
  }

  std::vector<Entry> entries;
};

// A small stand-in of the application object: makes the "application" center,
// owns the engine and answers GetRootModuleEngine, pumps the center by hand, and
// on destruction releases the engine and then the center manager.
class ApplicationStandIn : public IRootModuleEngineOwner {
public:
  static constexpr const char16_t* kStateChange = u"NID_PARAM_MODULE_STATE_CHANGE";
  static constexpr const char16_t* kConnectionStateChange = u"NID_DEVICE_CONNECTION_STATE_CHANGE";
  static constexpr const char16_t* kDeviceListChange = u"NID_REMOTE_DEVICE_LIST_CHANGE";

  ApplicationStandIn() : mCenter(GetApplicationNotificationCenter()), log(new EngineNotificationLog) {
    for (const char16_t* id : {kStateChange, kConnectionStateChange, kDeviceListChange})
      log->Subscribe(RCPtr<LNotificationDistributor>(mCenter), id, 0);
    SetRootModuleEngineOwner(this);
  }
  ~ApplicationStandIn() override {
    mEngine.Reset();
    SetRootModuleEngineOwner(nullptr);
    log->UnsubscribeAll();
    log.Reset();
    mCenter.Reset();
    LNotificationCenterManager::ReleaseInstance();
  }
  ApplicationStandIn(const ApplicationStandIn&) = delete;
  ApplicationStandIn& operator=(const ApplicationStandIn&) = delete;

  RCPtr<LRootModuleEngine> GetRootModuleEngine() const override { return mEngine; }

  // Stores the engine and initialises it with the first ParamID 0, as the
  // application's start-up does.
  SVRESULT StartEngine(const RCPtr<LRootModuleEngine>& engine) {
    mEngine = engine;
    return mEngine->Initialize(0);
  }
  void ReleaseEngine() { mEngine.Reset(); }

  // One pass of the center: delivers what was queued when it began.
  void Pump() { LNotificationCenterManager::GetInstance()->Process(false); }
  // Pumps until `done` holds or `limit` passed; whether it holds.
  bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
      Pump();
      if (done()) return true;
      if (std::chrono::steady_clock::now() > end) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  RCPtr<LNotificationCenter> mCenter;
  RCPtr<EngineNotificationLog> log;

private:
  RCPtr<LRootModuleEngine> mEngine;
};

}  // namespace SV::Testing
