#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "DeviceControl/GeneratedCode/Engine/inc/OneByteValue.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamPayloads.h"
#include "DeviceControl/GeneratedCode/Engine/inc/RootModuleEngine.h"
#include "Panel/Engine/PresetEditorCommon/MidiDeviceConnectionStatusChangedNotification.h"
#include "Panel/Engine/PresetEditorCommon/MidiDeviceStatusChecker.h"
#include "Panel/Engine/PresetEditorCommon/MidiManager.h"
#include "Platform/Midi/FakeMidiBackend.h"
#include "Platform/Midi/MidiServices.h"
#include "Platform/Midi/RtMidiBackend.h"
#include "SVFramework/Midi/DefaultMidiServices.h"
#include "SVFramework/Midi/MidiComm.h"
#include "tests/Support/ApplicationStandIn.h"
#include "tests/Support/Controller/SimulatedController.h"
#include "tests/Support/Midi/JackServerFixture.h"
#include "tests/Support/Midi/MidiServicesWatch.h"

namespace SV::Testing {

// Where the simulated controller lives: ports of the fake backend, or a JACK client
// on a JACK server of the test's own (reached through RtMidi, as the program does).
enum class Wire { Fake, Jack };

inline std::string WireName(const testing::TestParamInfo<Wire>& info) {
  return info.param == Wire::Fake ? "FakeBackend" : "JackServer";
}

using ::Testing::Controller::ControllerRequest;
using ::Testing::Controller::Preset;
using ::Testing::Controller::ReplyBehaviour;
using ::Testing::Controller::SimulatedController;

// The engine's defaults, in ParamID order.
inline const Preset kDefaultPreset{0, 40, 0, 59, 1, 64, 11, 65, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

// The whole device road: the "application" center and the engine (without the
// client library, so connected), the simulated controller on the chosen wire, and
// the device protocol made as the application makes it, on the default MIDI
// services. Presence polling stays off unless a test resumes it. The test thread is
// the UI thread.
class DeviceRoad {
public:
  // Replies a test expects not to come are awaited this long per attempt.
  static constexpr int32_t kShortReplyWait = 150;

  explicit DeviceRoad(Wire wire) : mWire(wire) {}

  // Starts everything; false, with the reason in `error`, when something could not start.
  bool Start(std::string& error, bool withController = true) {
    if (mWire == Wire::Jack) {
      mServer = ::Testing::Midi::JackServer::Start(error);
      if (!mServer) return false;
      mServices = mServicesWatch.Make(std::make_shared<::Platform::Midi::RtMidiBackend>(
          ::Platform::Midi::RtMidiBackend::Options{{::Platform::Midi::MidiPortApi::Jack}}));
    } else {
      mServices = mServicesWatch.Make(mBackend);
    }
    SetDefaultMidiServices(mServices);
    if (withController && !AddController(error)) return false;
    if (mApp.StartEngine(RCPtr<LRootModuleEngine>(new EngineWithoutLibrary())) < 0) {
      error = "the engine did not start";
      return false;
    }
    mApp.Pump();
    mApp.log->entries.clear();
    mManager = LMidiManager::Create();
    return true;
  }

  // The manager, the controller and the services go before the server.
  ~DeviceRoad() {
    mManager.Reset();
    mApp.ReleaseEngine();
    SetDefaultMidiServices(nullptr);
    WaitUntilDestroyed();
    mController.reset();
    mServer.reset();
  }

  bool AddController(std::string& error) {
    mController = mWire == Wire::Jack ? SimulatedController::OnJack(error)
                                      : SimulatedController::OnFakeBackend(mBackend);
    return mController != nullptr;
  }

  // The engine's values, one byte each, in ParamID order.
  Preset EngineValues() {
    Array<ParamValue> values;
    RCPtr<LRootModuleEngine> engine = GetRootModuleEngine();
    engine->GetParamValues(ParamRange{0, 24}, values, -1);
    Preset preset{};
    for (uint32_t index = 0; index < 24; ++index) {
      uint32_t size = 0;
      const void* data = values.GetAt(index).value.GetData(size);
      preset[index] = size == 1 ? *static_cast<const uint8_t*>(data) : 0xFF;
    }
    return preset;
  }

  void SetEngineValue(int32_t paramID, uint8_t value) {
    ASSERT_GE(GetRootModuleEngine()->SetParamValue(ParamDescriptor(paramID), OneByteValue::Make(value)), 0);
  }

  // The changes the engine announced since the last call, pumping the center first.
  std::vector<ParamValue> TakeAnnouncedChanges() {
    mApp.Pump();
    std::vector<ParamValue> changes;
    for (const EngineNotificationLog::Entry& entry : mApp.log->entries) {
      if (entry.id != ApplicationStandIn::kStateChange) continue;
      RCPtr<ParamChangePayload> pair = RCPtr<ParamChangePayload>::DynamicCastFrom(entry.payload);
      EXPECT_TRUE(pair) << "one change at a time is announced as a pair";
      if (pair) changes.emplace_back(pair->GetFirst(), pair->GetSecond());
    }
    mApp.log->entries.clear();
    return changes;
  }

  // Pumps the center until the condition holds (bounded); whether it holds.
  bool PumpUntil(const std::function<bool()>& done) { return mApp.PumpUntil(done); }

  Wire mWire;
  ApplicationStandIn mApp;
  std::unique_ptr<::Testing::Midi::JackServer> mServer;
  std::shared_ptr<::Platform::Midi::FakeMidiBackend> mBackend = std::make_shared<::Platform::Midi::FakeMidiBackend>();
  std::shared_ptr<::Platform::Midi::MidiServices> mServices;
  std::unique_ptr<SimulatedController> mController;
  RCPtr<LMidiManager> mManager;

private:
  class EngineWithoutLibrary : public LRootModuleEngine {
  protected:
    RCPtr<LDeviceCommunicationInterface> CreateCommunicationInterface() override {
      return RCPtr<LDeviceCommunicationInterface>(
          new LDeviceCommunicationInterface(String(u"/nonexistent/libDeviceControlClient.so")));
    }
  };

  // The port manager's worker may hold the manager, and so the services, a moment
  // after its last job; JACK clients must be closed before the server stops, that is
  // once the services' destructor has ended, not when they were last let go. The
  // bound is generous: a sanitizer build on a busy two-core machine closes clients
  // slowly, and a server stopped under a closing client brings the JACK library down.
  void WaitUntilDestroyed() {
    mServices.reset();
    EXPECT_TRUE(mServicesWatch.WaitUntilDestroyed(std::chrono::seconds(60)))
        << "the MIDI services outlived the device protocol";
  }

  ::Testing::Midi::MidiServicesWatch mServicesWatch;
};

// Status notifications the "application" center delivered, in order.
class StatusNotificationLog : public LNotificationClient {
public:
  struct Entry {
    bool input;
    std::u16string name;
    int32_t status;
    bool operator==(const Entry&) const = default;
  };

  static RCPtr<StatusNotificationLog> Subscribed() {
    RCPtr<StatusNotificationLog> log(new StatusNotificationLog());
    const RCPtr<LNotificationDistributor> center(GetApplicationNotificationCenter());
    log->Subscribe(center, LMidiDeviceStatusChecker::kInputStatusChangedID, 0);
    log->Subscribe(center, LMidiDeviceStatusChecker::kOutputStatusChangedID, 0);
    return log;
  }

  int32_t Receive(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& notification) override {
    const auto payload =
        RCPtr<LMidiDeviceConnectionStatusChangedNotification>::DynamicCastFrom(notification->GetPayload());
    if (!payload) return 0;
    const bool input = std::u16string(notification->GetID()) == LMidiDeviceStatusChecker::kInputStatusChangedID;
    entries.push_back({input, payload->GetPortName().GetString(), payload->GetStatus()});
    return 1;
  }

  std::vector<Entry> entries;
};

}  // namespace SV::Testing
