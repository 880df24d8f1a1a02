#include "DeviceControl/GeneratedCode/Engine/inc/RootModuleEngine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>

#include "DeviceControl/GeneratedCode/Engine/inc/OneByteValue.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamPayloads.h"
#include "SVFramework/Threads/Event.h"
#include "SVFramework/Utilities/Holder.h"
#include "tests/Support/ApplicationStandIn.h"
#include "tests/Support/ParameterByte.h"
#include "tests/Support/TestClientLibrary.h"

namespace SV {
namespace {

using Testing::ApplicationStandIn;
using Testing::DeviceList;
using Testing::TestClientLibrary;
using Entry = Testing::EngineNotificationLog::Entry;

using Testing::Byte;

const uint8_t kDefaults[24] = {0, 40, 0, 59, 1, 64, 11, 65, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

// An engine whose communication interface loads the library at `path`.
class EngineWithLibrary : public LRootModuleEngine {
public:
  explicit EngineWithLibrary(String path) : mPath(std::move(path)) {}

protected:
  RCPtr<LDeviceCommunicationInterface> CreateCommunicationInterface() override {
    return RCPtr<LDeviceCommunicationInterface>(new LDeviceCommunicationInterface(mPath));
  }

private:
  String mPath;
};

RCPtr<LRootModuleEngine> EngineWithoutLibrary() {
  return RCPtr<LRootModuleEngine>(new EngineWithLibrary(String(u"/nonexistent/libDeviceControlClient.so")));
}

ParamValue ChangeOf(const Entry& entry) {
  RCPtr<ParamChangePayload> pair = RCPtr<ParamChangePayload>::DynamicCastFrom(entry.payload);
  EXPECT_TRUE(pair);
  return pair ? ParamValue(pair->GetFirst(), pair->GetSecond()) : ParamValue();
}

class RootModuleEngineTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(app.StartEngine(EngineWithoutLibrary()), 0);
    engine = app.GetRootModuleEngine();
    app.Pump();
    app.log->entries.clear();
  }
  void TearDown() override { engine.Reset(); }

  ApplicationStandIn app;
  RCPtr<LRootModuleEngine> engine;
};

TEST(RootModuleEngineStartUp, WithoutTheLibraryAnnouncesOneSetOfTheDefaultsThenConnected) {
  ApplicationStandIn app;
  ASSERT_EQ(app.StartEngine(EngineWithoutLibrary()), 0);
  app.Pump();
  const std::vector<Entry>& entries = app.log->entries;
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].id, ApplicationStandIn::kStateChange);
  RCPtr<ParamValuesPayload> set = RCPtr<ParamValuesPayload>::DynamicCastFrom(entries[0].payload);
  ASSERT_TRUE(set);
  ASSERT_EQ(set->GetCount(), 24u);
  for (uint32_t i = 0; i < 24; ++i) {
    Variant value, subKey;
    int32_t id = -1;
    ASSERT_EQ(set->GetAt(i, value, id, subKey), 0);
    EXPECT_EQ(id, static_cast<int32_t>(i));
    EXPECT_EQ(value, Byte(kDefaults[i])) << i;
  }
  EXPECT_EQ(entries[1].id, ApplicationStandIn::kConnectionStateChange);
  RCPtr<LHolder<LRootModuleEngine::DeviceConnectionState>> state =
      RCPtr<LHolder<LRootModuleEngine::DeviceConnectionState>>::DynamicCastFrom(entries[1].payload);
  ASSERT_TRUE(state);
  EXPECT_EQ(state->Value(), LRootModuleEngine::Connected);
  EXPECT_EQ(GetRootModuleEngine()->GetFirstParamID(), 0);
}

TEST_F(RootModuleEngineTest, AnnouncesNothingForNoValuesPairsForOneOrTwoAndOneSetForMore) {
  const struct Case {
    uint32_t values;
    size_t notifications;
    bool asPairs;
  } cases[] = {{0, 0, false}, {1, 1, true}, {2, 2, true}, {3, 1, false}};
  for (const Case& c : cases) {
    app.log->entries.clear();
    Array<ParamValue> values;
    for (uint32_t i = 0; i < c.values; ++i) values.Append(ParamValue(ParamDescriptor(static_cast<int32_t>(i)), Byte(7)));
    engine->OnRootModuleChanged(values);
    app.Pump();
    ASSERT_EQ(app.log->entries.size(), c.notifications) << c.values;
    for (size_t n = 0; n < c.notifications; ++n) {
      const RCPtr<LRefCountedObject>& payload = app.log->entries[n].payload;
      EXPECT_EQ(bool(RCPtr<ParamChangePayload>::DynamicCastFrom(payload)), c.asPairs) << c.values;
      EXPECT_EQ(bool(RCPtr<ParamValuesPayload>::DynamicCastFrom(payload)), !c.asPairs) << c.values;
    }
    if (c.values == 2) {
      EXPECT_EQ(ChangeOf(app.log->entries[1]), ParamValue(ParamDescriptor(1), Byte(7)));
    }
  }
}

TEST_F(RootModuleEngineTest, SetParamValueStoresAndAnnouncesAChangeOnce) {
  EXPECT_EQ(engine->SetParamValue(ParamDescriptor(5), Byte(70)), 0);
  EXPECT_EQ(engine->SetParamValue(ParamDescriptor(5), Byte(70)), 0);
  app.Pump();
  ASSERT_EQ(app.log->entries.size(), 1u);
  EXPECT_EQ(ChangeOf(app.log->entries[0]), ParamValue(ParamDescriptor(5), Byte(70)));
  EXPECT_EQ(app.log->entries[0].payload->ToString(), String(u"5"));
}

TEST_F(RootModuleEngineTest, SetParamValueRefusesAValueThatIsNotOneByte) {
  Variant wide;
  wide.SetUInt16(513);
  EXPECT_EQ(engine->SetParamValue(ParamDescriptor(5), wide), -1);
  app.Pump();
  EXPECT_TRUE(app.log->entries.empty());
  Array<ParamValue> values;
  engine->GetParamValues(ParamRange{5, 1}, values, -1);
  EXPECT_EQ(values.GetAt(0).value, Byte(64));
  EXPECT_EQ(engine->GetConnectionState(), LRootModuleEngine::Connected);
}

TEST_F(RootModuleEngineTest, GetParamValuesFillsFromTheStartIndexAndNeverShrinks) {
  engine->SetParamValue(ParamDescriptor(0), Byte(1));
  Array<ParamValue> values;
  values.SetCount(30);
  values.GetAt(0) = ParamValue(ParamDescriptor(99), Byte(99));
  EXPECT_EQ(engine->GetParamValues(ParamRange{0, 24}, values, 2), 0);
  ASSERT_EQ(values.GetCount(), 30u);
  EXPECT_EQ(values.GetAt(0).descriptor.paramID, 99);
  EXPECT_EQ(values.GetAt(2), ParamValue(ParamDescriptor(0), Byte(1)));
  EXPECT_EQ(values.GetAt(25), ParamValue(ParamDescriptor(23), Byte(1)));
  EXPECT_TRUE(values.GetAt(26).value.IsEmpty());

  EXPECT_EQ(engine->GetParamValues(ParamRange{engine->GetFirstParamID(), 24}, values, -1), 0);
  ASSERT_EQ(values.GetCount(), 24u);
  for (uint32_t i = 1; i < 24; ++i) EXPECT_EQ(values.GetAt(i).value, Byte(kDefaults[i])) << i;
}

TEST_F(RootModuleEngineTest, WithoutTheLibraryCommunicationCannotBeEnabled) {
  EXPECT_EQ(engine->SetDeviceCommunicationEnabled(false), 0);
  EXPECT_EQ(engine->SetDeviceCommunicationEnabled(true), E_FAIL);
  EXPECT_EQ(engine->SetDeviceCommunicationEnabled(true), E_FAIL);
  EXPECT_FALSE(engine->IsWorkerBusy());
  Array<Variant> devices;
  EXPECT_LT(engine->GetDeviceList(devices), 0);
}

TEST_F(RootModuleEngineTest, AChangeRequestFromTheCenterIsWritten) {
  app.mCenter->PostNotification(u"NID_PARAM_MODULE_CHANGE_REQ",
                                ParamChangePayload::Create(ParamDescriptor(6), Byte(12)));
  app.Pump();
  app.Pump();
  ASSERT_EQ(app.log->entries.size(), 1u);
  EXPECT_EQ(ChangeOf(app.log->entries[0]), ParamValue(ParamDescriptor(6), Byte(12)));
}

TEST_F(RootModuleEngineTest, ReleasingTheLastReferenceLeavesTheCenterAndDestroysTheEngine) {
  engine.Reset();
  app.ReleaseEngine();
  EXPECT_FALSE(GetRootModuleEngine());
  app.mCenter->PostNotification(u"NID_PARAM_MODULE_CHANGE_REQ",
                                ParamChangePayload::Create(ParamDescriptor(6), Byte(12)));
  app.Pump();
  app.Pump();
  EXPECT_TRUE(app.log->entries.empty());
}

constexpr int32_t kGenerousWait = 10000;

bool Signalled(Event& event) { return event.Wait(kGenerousWait) == Platform::WaitSignalled; }

// An engine without the library whose thread, once triggered, holds back its loop
// until the release hook runs (or a generous wait ends), and which signals its
// destruction.
class EngineWithHeldLoop : public EngineWithLibrary {
public:
  explicit EngineWithHeldLoop(std::shared_ptr<Event> destroyed)
      : EngineWithLibrary(String(u"/nonexistent/libDeviceControlClient.so")), mDestroyed(std::move(destroyed)) {}
  ~EngineWithHeldLoop() override { mDestroyed->Set(); }

  SVRESULT Run(const RCPtr<LRefCountedObject>& argument) override {
    mLoopGate.Wait(kGenerousWait);
    return LRootModuleEngine::Run(argument);
  }
  SVRESULT ReleaseInternalReferences() override {
    mLoopGate.Set();
    return LRootModuleEngine::ReleaseInternalReferences();
  }
  void LetTheLoopGo() { mLoopGate.Set(); }

private:
  Event mLoopGate{false};
  std::shared_ptr<Event> mDestroyed;
};

TEST(RootModuleEngineWorker, ReleasingTheEngineBeforeItsLoopStartedStillStopsTheLoopAndFreesIt) {
  ApplicationStandIn app;
  auto destroyed = std::make_shared<Event>(false);
  EngineWithHeldLoop* const held = new EngineWithHeldLoop(destroyed);
  ASSERT_EQ(app.StartEngine(RCPtr<LRootModuleEngine>(held)), 0);
  ASSERT_EQ(held->StartWorker(), 0);

  app.ReleaseEngine();
  const bool freed = destroyed->Wait(0) == Platform::WaitSignalled;
  EXPECT_TRUE(freed) << "the triggered loop kept the released engine";
  if (!freed) {
    held->LetTheLoopGo();
    held->RequestWorkerStop();
    Signalled(*destroyed);
  }
}

// A communication interface with one device, always available and never reported
// connected. The engine thread's wait for a list change stays until the caller of
// SelectDevice asks, under the engine lock, whether the device is available; then it
// takes the engine lock itself, as a loop that is being stopped may still do.
class CommunicationWithHeldListWait : public LDeviceCommunicationInterface {
public:
  explicit CommunicationWithHeldListWait(LRootModuleEngine& engine)
      : LDeviceCommunicationInterface(String(u"/nonexistent/libDeviceControlClient.so")), mEngine(engine) {}

  SVRESULT Initialize() override { return S_OK; }
  SVRESULT EnumerateDevices(const Array<Guid>&, Array<Variant>& devices) override {
    devices.RemoveAll();
    return S_OK;
  }
  SVRESULT WaitForDeviceListChange(const Array<Guid>&, Array<Variant>&, uint32_t timeoutMilliseconds) override {
    if (timeoutMilliseconds == 0) return S_OK;
    loopWaits.Set();
    mAvailabilityAsked.Wait(kGenerousWait);
    mEngine.IsSelectedDeviceAvailable();
    return S_FALSE;
  }
  SVRESULT FindRemoteDevices(const Array<Guid>&, Array<Variant>&) override { return S_OK; }
  SVRESULT ConnectDevice(const Variant&) override { return S_OK; }
  SVRESULT DisconnectDevice() override { return S_OK; }
  bool IsConnected() override { return false; }
  SVRESULT GetDeviceInfo(const Variant&, DeviceInfoRecord& record) override {
    record.bytes[DeviceInfoRecord::kAvailableOffset] = 1;
    mAvailabilityAsked.Set();
    return S_OK;
  }

  Event loopWaits{false};

private:
  LRootModuleEngine& mEngine;
  Event mAvailabilityAsked{false};
};

// An engine on that interface that signals each start of its loop.
class EngineCountingLoops : public LRootModuleEngine {
public:
  SVRESULT Run(const RCPtr<LRefCountedObject>& argument) override {
    if (loops.fetch_add(1) + 1 == 2) secondLoop.Set();
    return LRootModuleEngine::Run(argument);
  }
  RCPtr<CommunicationWithHeldListWait> communication;
  std::atomic<int> loops{0};
  Event secondLoop{false};

protected:
  RCPtr<LDeviceCommunicationInterface> CreateCommunicationInterface() override {
    communication = new CommunicationWithHeldListWait(*this);
    return communication;
  }
};

TEST(RootModuleEngineWorker, SelectingADeviceWhileTheLoopStopsStartsItAgainOnceTheOldOneEnded) {
  ApplicationStandIn app;
  RCPtr<EngineCountingLoops> engine(new EngineCountingLoops);
  ASSERT_EQ(app.StartEngine(engine), 0);
  ASSERT_EQ(engine->SetDeviceCommunicationEnabled(true), 0);
  ASSERT_TRUE(Signalled(engine->communication->loopWaits));
  // Nothing needs the loop any more: it is told to stop and ends after its wait.
  ASSERT_EQ(engine->SetDeviceCommunicationEnabled(false), 0);

  Variant device;
  device.SetInt64(7);
  EXPECT_EQ(engine->SelectDevice(device, false), 0);
  EXPECT_TRUE(Signalled(engine->secondLoop)) << "the selected device got no loop";
}

// With the recording test library: the device loop runs while communication is on.
class RootModuleEngineWithLibrary : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(library.IsLoaded());
    ASSERT_EQ(app.StartEngine(RCPtr<LRootModuleEngine>(new EngineWithLibrary(library.Path()))), 0);
    engine = app.GetRootModuleEngine();
  }
  void TearDown() override { engine.Reset(); }

  TestClientLibrary library;
  ApplicationStandIn app;
  RCPtr<LRootModuleEngine> engine;
};

TEST_F(RootModuleEngineWithLibrary, StartUpConnectsTheEnumeratedDeviceAndRequestsThePreset) {
  app.Pump();
  ASSERT_EQ(app.log->entries.size(), 2u);
  EXPECT_EQ(app.log->entries[1].id, ApplicationStandIn::kConnectionStateChange);
  EXPECT_EQ(library.CallCount("TAVI_ConnectDevice"), 1);
  EXPECT_EQ(library.CallCount("TAVI_RequestParamRanges"), 1);
  EXPECT_EQ(library.CallCount("TAVI_RequestParamValues"), 1);
  EXPECT_EQ(engine->SetParamValue(ParamDescriptor(2), Byte(1)), 0);
  Variant device, sent;
  library.LastArguments("TAVI_SetParamValue", device, sent);
  Variant id, value;
  sent.GetArrayItem(0, id);
  sent.GetArrayItem(1, value);
  EXPECT_EQ(id.GetInt32(), 2);
  EXPECT_EQ(value, Byte(1));
}

TEST_F(RootModuleEngineWithLibrary, TheLoopAnnouncesADeviceListChangeAndStopsWhenCommunicationIsDisabled) {
  library.SetDevices(DeviceList({7, 9}));
  EXPECT_GE(engine->SetDeviceCommunicationEnabled(true), 0);
  EXPECT_TRUE(engine->IsWorkerBusy());
  ASSERT_TRUE(app.PumpUntil([&] { return app.log->CountOf(ApplicationStandIn::kDeviceListChange) > 0; }));
  const Entry& change = app.log->entries.back();
  RCPtr<LHolder<unsigned int>> count = RCPtr<LHolder<unsigned int>>::DynamicCastFrom(change.payload);
  ASSERT_TRUE(count);
  EXPECT_EQ(count->Value(), 2u);
  Array<Variant> devices;
  EXPECT_EQ(engine->GetDeviceList(devices), 0);
  ASSERT_EQ(devices.GetCount(), 2u);
  EXPECT_EQ(devices.GetAt(0).GetInt64(), 7);

  EXPECT_EQ(engine->StartWorker(), 1) << "the running loop is not triggered again";
  EXPECT_EQ(engine->SetDeviceCommunicationEnabled(false), 0);
  ASSERT_TRUE(app.PumpUntil([&] { return !engine->IsWorkerBusy(); })) << "the loop ends at its next wait";
}

}  // namespace
}  // namespace SV
