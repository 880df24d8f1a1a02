#include "DeviceControl/GeneratedCode/Engine/inc/DeviceCommunicationInterface.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "DeviceControl/GeneratedCode/Engine/inc/DeviceCommunicationReceiver.h"
#include "DeviceControl/GeneratedCode/Engine/inc/OneByteValue.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamValues.h"
#include "SVFramework/Threads/Event.h"
#include "tests/Support/TestClientLibrary.h"

namespace SV {
namespace {

using Testing::DeviceList;
using Testing::TestClientLibrary;

// Records the ParamIDs of every set it receives and lets a test wait for a number
// of sets; may hold a hand-over until released.
class RecordingReceiver : public DeviceCommunicationReceiver {
public:
  void ReceiveParamValues(const ParamValues& values) override {
    std::unique_lock lock(mLock);
    Variant value, subKey;
    int32_t id = 0;
    values.GetAt(0, value, id, subKey);
    firstIDs.push_back(id);
    lastValue.Assign(value);
    handingOver.Set();
    mChanged.notify_all();
    mChanged.wait(lock, [this] { return !holdHandOver; });
  }
  SVRESULT ReceiveOther(int32_t, int32_t, int32_t) override { return E_FAIL; }

  bool WaitForSets(size_t count) {
    std::unique_lock lock(mLock);
    return mChanged.wait_for(lock, std::chrono::seconds(20), [&] { return firstIDs.size() >= count; });
  }
  void Release() {
    std::lock_guard lock(mLock);
    holdHandOver = false;
    mChanged.notify_all();
  }
  size_t Count() {
    std::lock_guard lock(mLock);
    return firstIDs.size();
  }

  std::vector<int32_t> firstIDs;
  Variant lastValue;
  bool holdHandOver = false;
  Event handingOver{false};

private:
  std::mutex mLock;
  std::condition_variable mChanged;
};

ParamValues SetOf(int32_t paramID) {
  ParamValues values;
  values.SetSingleValue(ParamDescriptor(paramID), OneByteValue::Make(static_cast<uint8_t>(paramID & 0x7F)));
  return values;
}

TEST(DeviceCommunicationInterface, WithoutTheLibraryItStillInitialisesButForwardsNothing) {
  RCPtr<LDeviceCommunicationInterface> communication(
      new LDeviceCommunicationInterface(String(u"/nonexistent/libDeviceControlClient.so")));
  RecordingReceiver receiver;
  communication->SetReceiver(&receiver);
  Variant value;
  EXPECT_EQ(communication->GetParamValue(ParamDescriptor(-9), value), 0) << "answered locally before Initialize";
  EXPECT_STREQ(value.GetString(), "Varkon");
  EXPECT_EQ(communication->GetParamValue(ParamDescriptor(-10), value), 0);
  EXPECT_STREQ(value.GetString(), "Corvex Editor");
  EXPECT_EQ(communication->GetParamValue(ParamDescriptor(-2), value), 0);
  EXPECT_TRUE(value.GetBool());
  EXPECT_EQ(communication->GetParamValue(ParamDescriptor(-8), value), -1);
  EXPECT_EQ(communication->GetParamValue(ParamDescriptor(5), value), E_FAIL);
  EXPECT_EQ(communication->ConnectDevice(Variant()), -1);
  EXPECT_EQ(communication->CheckConnection(), -1);

  EXPECT_EQ(communication->Initialize(), 0);
  EXPECT_EQ(communication->Initialize(), 1);
  EXPECT_EQ(communication->GetParamValue(ParamDescriptor(-9), value), -1) << "now the missing library answers";
  EXPECT_EQ(communication->GetParamValue(ParamDescriptor(-2), value), -1);
  EXPECT_EQ(communication->ConnectDevice(Variant()), -1);
  EXPECT_EQ(communication->DisconnectDevice(), -1);
  EXPECT_EQ(communication->SetParamValue(ParamDescriptor(3), value), -1);
  EXPECT_EQ(communication->SetParamValue(ParamDescriptor(-13), value), E_FAIL);
  Array<Variant> devices;
  EXPECT_EQ(communication->WaitForDeviceListChange(Array<Guid>(), devices, 0), E_FAIL);
  EXPECT_EQ(communication->EnumerateDevices(Array<Guid>(), devices), 0);
  ASSERT_EQ(devices.GetCount(), 1u);
  EXPECT_TRUE(devices.GetAt(0).IsEmpty());
  EXPECT_TRUE(communication->IsConnected());
  EXPECT_EQ(communication->CheckConnection(), 0);
}

TEST(DeviceCommunicationInterface, SetParamValueNeedsAReceiverAndSelectsForMinusFour) {
  RCPtr<LDeviceCommunicationInterface> communication(new LDeviceCommunicationInterface);
  Variant device;
  device.SetInt32(7);
  EXPECT_EQ(communication->SetParamValue(ParamDescriptor(-4), device), E_FAIL);
  RecordingReceiver receiver;
  communication->SetReceiver(&receiver);
  EXPECT_EQ(communication->SetParamValue(ParamDescriptor(-4), device), 0);
  ASSERT_EQ(receiver.firstIDs, std::vector<int32_t>{-4});
  Variant id, ready;
  receiver.lastValue.GetArrayItem(0, id);
  receiver.lastValue.GetArrayItem(1, ready);
  EXPECT_EQ(id.GetTag(), VariantTag::Int64);
  EXPECT_EQ(id.GetInt64(), 7);
  EXPECT_EQ(ready.GetTag(), VariantTag::Bool);
  EXPECT_TRUE(ready.GetBool());
}

// An interface over the recording test library, with a receiver and delivery on.
class WithTestLibrary : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(library.IsLoaded());
    communication = new LDeviceCommunicationInterface(library.Path());
    communication->Initialize();
    communication->SetReceiver(&receiver);
    communication->SetDeliveryEnabled(true);
  }
  void TearDown() override {
    receiver.Release();
    if (communication) communication->SetDeliveryEnabled(false);
    communication.Reset();
  }

  TestClientLibrary library;
  RecordingReceiver receiver;
  RCPtr<LDeviceCommunicationInterface> communication;
};

TEST_F(WithTestLibrary, SetsDeliveredFromTheLibrarysThreadReachTheReceiverInOrderPastTheRing) {
  Variant device;
  device.SetInt64(3);
  ASSERT_EQ(communication->ConnectDevice(device), 0);
  std::vector<ParamValues> sets;
  for (int32_t i = 0; i < 300; ++i) sets.push_back(SetOf(i));
  receiver.holdHandOver = true;  // the drain stops at the first set, so the rest queue up
  ASSERT_EQ(library.DeliverFromOwnThread(sets.data(), static_cast<uint32_t>(sets.size())), 0);
  receiver.Release();
  ASSERT_TRUE(receiver.WaitForSets(300));
  std::vector<int32_t> expected;
  for (int32_t i = 0; i < 300; ++i) expected.push_back(i);
  EXPECT_EQ(receiver.firstIDs, expected);
  Variant connected, unused;
  library.LastArguments("TAVI_ConnectDevice", connected, unused);
  EXPECT_EQ(connected, device);
}

TEST_F(WithTestLibrary, DisablingDeliveryReturnsOnlyAfterAHandOverInProgress) {
  ASSERT_EQ(communication->ConnectDevice(Variant()), 0);
  receiver.holdHandOver = true;
  const ParamValues first = SetOf(1);
  ASSERT_EQ(library.DeliverFromOwnThread(&first, 1), 0);
  ASSERT_EQ(receiver.handingOver.Wait(20000), 0);
  std::atomic<bool> disabled{false};
  std::thread disabler([&] {
    communication->SetDeliveryEnabled(false);
    disabled.store(true);
  });
  EXPECT_FALSE(disabled.load());
  receiver.Release();
  disabler.join();
  EXPECT_TRUE(disabled.load());
  EXPECT_EQ(receiver.Count(), 1u);
}

TEST_F(WithTestLibrary, WaitingForAListChangeLooksOnceWithoutTimeAndReturnsWhenTheListChanges) {
  Array<Variant> devices;
  EXPECT_EQ(communication->WaitForDeviceListChange(Array<Guid>(), devices, 0), 1);
  EXPECT_EQ(library.CallCount("TAVI_FindRemoteDevices"), 1);

  library.SetDevices(DeviceList({5, 6}), 3);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(communication->WaitForDeviceListChange(Array<Guid>(), devices, 1500), 0);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_GE(elapsed, std::chrono::milliseconds(450));
  ASSERT_EQ(devices.GetCount(), 2u);
  EXPECT_EQ(devices.GetAt(1).GetInt64(), 6);
  EXPECT_EQ(library.CallCount("TAVI_FindRemoteDevices"), 4);

  library.SetStatus("TAVI_FindRemoteDevices", -7);
  EXPECT_EQ(communication->WaitForDeviceListChange(Array<Guid>(), devices, 0), E_FAIL);
}

TEST_F(WithTestLibrary, AFullEnumerationPassesTheLibrarysResultAndList) {
  library.SetDevices(DeviceList({9}));
  library.SetStatus("TAVI_FindRemoteDevices", 1);
  Array<Variant> devices;
  EXPECT_EQ(communication->FindRemoteDevices(Array<Guid>(), devices), 1);
  ASSERT_EQ(devices.GetCount(), 1u);
  EXPECT_EQ(devices.GetAt(0).GetInt64(), 9);
  Variant unused, mode;
  library.LastArguments("TAVI_FindRemoteDevices", unused, mode);
  EXPECT_EQ(mode.GetInt32(), 1);
}

TEST_F(WithTestLibrary, CallsCarryTheConnectedDeviceAndTheDestructorDisconnectsIt) {
  Variant device;
  device.SetInt64(12);
  communication->ConnectDevice(device);
  EXPECT_EQ(communication->RequestParamValue(ParamDescriptor(-8)), 0);
  Variant seen, list;
  library.LastArguments("TAVI_RequestParamValues", seen, list);
  EXPECT_EQ(seen, device);
  Variant text;
  EXPECT_EQ(communication->GetDeviceText(text), 0);
  EXPECT_EQ(text.GetInt32(), -8) << "the test library answers the ParamID";
  communication->SetDeliveryEnabled(false);
  communication.Reset();
  EXPECT_EQ(library.CallCount("TAVI_DisconnectDevice"), 1);
  library.LastArguments("TAVI_DisconnectDevice", seen, list);
  EXPECT_EQ(seen, device);
  EXPECT_EQ(library.CallCount("TAVI_ReleaseAll"), 1);
}

}  // namespace
}  // namespace SV
