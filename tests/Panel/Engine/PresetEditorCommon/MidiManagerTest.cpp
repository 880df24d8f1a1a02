#include "Panel/Engine/PresetEditorCommon/MidiManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/Panel/Engine/PresetEditorCommon/DeviceRoadFixture.h"
#include "tests/SVFramework/Midi/CapturedMessageRecorder.h"
#include "tests/Support/Controller/ControllerCore.h"
#include "tests/Support/Midi/ByteArray.h"

// The device protocol's failures, framing and bindings, on the fake backend.
namespace SV::Testing {
namespace {

using ::Platform::Midi::MidiSendCompletion;
using ::Testing::Controller::Bytes;
using ::Testing::Controller::ControllerCore;

using Testing::ArrayOf;

class MidiManagerTest : public testing::Test {
protected:
  void Start(bool withController = true) {
    std::string error;
    ASSERT_TRUE(mRoad.Start(error, withController)) << error;
  }

  LMidiManager& Manager() { return *mRoad.mManager; }
  SimulatedController& Controller() { return *mRoad.mController; }
  size_t ReceivedByController() { return Controller().Received().size(); }

  DeviceRoad mRoad{Wire::Fake};
};

TEST_F(MidiManagerTest, SendSysExFramesWhatItSendsAndSendsNothingItCannotFrame) {
  Start();
  Controller().SetBehaviour(ReplyBehaviour::Silent());
  const Bytes request{0xF0, 0x7D, 0x7F, 0x31, 0x66, 0x00, 0x01, 0x00, 0xF7};
  struct Case {
    const char* what;
    Bytes message;
    SVRESULT result;
    Bytes sent;  // empty: nothing
  } cases[] = {
      {"request without its frame", {0x7D, 0x7F, 0x31, 0x66, 0x00, 0x01, 0x00}, 9, request},
      {"request already framed", request, 9, request},
      {"a single data byte", {0x42}, 3, {0xF0, 0x42, 0xF7}},
      {"a single F7", {0xF7}, E_FAIL, {}},
      {"a single F0", {0xF0}, E_FAIL, {}},
      {"nothing", {}, E_FAIL, {}},
      {"a status byte inside", {0x7D, 0x7F, 0x31, 0x5E, 0x80, 0x00}, E_INVALIDARG, {}},
      {"a system reset inside", {0xF0, 0x7D, 0xFF, 0x00, 0xF7}, E_INVALIDARG, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const size_t before = ReceivedByController();
    Array<signed char> message = ArrayOf(c.message);
    EXPECT_EQ(Manager().SendSysEx(message, Manager().GetOutputPort()), c.result);
    const std::vector<Bytes> received = Controller().Received();
    if (c.sent.empty()) {
      EXPECT_EQ(received.size(), before);
    } else {
      ASSERT_EQ(received.size(), before + 1);
      EXPECT_EQ(received.back(), c.sent);
    }
  }
  Array<signed char> message = ArrayOf({0x42});
  EXPECT_EQ(Manager().SendSysEx(message, nullptr), -1);
}

TEST_F(MidiManagerTest, APresetValueTheControllerWouldReadAsAStatusByteFailsTheSendAndSendsNothing) {
  Start();
  const struct Case {
    int32_t paramID;
    uint8_t value;
  } cases[] = {{0, 0x80}, {12, 0xF7}, {23, 0xFF}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.paramID);
    mRoad.SetEngineValue(c.paramID, c.value);
    EXPECT_EQ(Manager().SendPresetToDevice(-1), -1);
    mRoad.SetEngineValue(c.paramID, kDefaultPreset[c.paramID]);
  }
  EXPECT_EQ(ReceivedByController(), 0u);
  EXPECT_EQ(Manager().SendPresetToDevice(-1), 32) << "the restored preset goes out";
}

// The platform takes the message but never confirms it: within the (shortened)
// completion wait the send is taken back and reported failed.
TEST_F(MidiManagerTest, ASendWhoseCompletionIsNotConfirmedInTimeFails) {
  Start();
  Controller().SetBehaviour(ReplyBehaviour::Silent());
  mRoad.mBackend->SetSendCompletion(MidiSendCompletion::Never);
  RCPtr<LMidiComm>::DynamicCastFrom(Manager().GetPortManager())->SetSendWaits(100, 100);

  EXPECT_EQ(Manager().SendPresetToDevice(-1), -1);
  EXPECT_EQ(Manager().SendNonPresetParameter(String(u"WHITE KEY CURVE"), 3, 1), -1);
  EXPECT_EQ(Manager().GetPresetFromMidiDevice(0), -1);
  EXPECT_EQ(Controller().RequestCount(ControllerRequest::GetPreset), 1u) << "a failed send ends Get Preset";
  String version(u"untouched");
  EXPECT_EQ(Manager().RequestFirmwareVersion(version), -1);
  EXPECT_EQ(Controller().RequestCount(ControllerRequest::Identity), 4u) << "each attempt sends again";
  EXPECT_EQ(version, String(u"untouched"));
}

// Unplugged while presence polling is off: the ports are still held, and every send
// through them fails.
TEST_F(MidiManagerTest, AControllerUnpluggedBeforePresenceNoticesFailsEverySend) {
  Start();
  Controller().Disappear();
  ASSERT_TRUE(Manager().IsConnected());

  EXPECT_EQ(Manager().SendPresetToDevice(-1), -1);
  EXPECT_EQ(Manager().SendNonPresetParameter(String(u"BLACK KEY CURVE"), 3, 1), -1);
  EXPECT_EQ(Manager().GetPresetFromMidiDevice(0), -1);
  String version;
  EXPECT_EQ(Manager().RequestFirmwareVersion(version), -1);
}

TEST_F(MidiManagerTest, WithoutTheControllersPortsEveryRequestFailsAndPollingStaysAsItWas) {
  Start(false);
  ASSERT_FALSE(Manager().IsConnected());
  for (const bool polling : {false, true}) {
    SCOPED_TRACE(polling ? "polling on" : "polling off");
    if (polling) Manager().ResumeStatusPolling();
    EXPECT_EQ(Manager().GetPresetFromMidiDevice(0), -1);
    EXPECT_EQ(Manager().SendPresetToDevice(-1), -1);
    EXPECT_EQ(Manager().SendNonPresetParameter(String(u"WHITE KEY CURVE"), 1, 1), -1);
    String version(u"untouched");
    EXPECT_EQ(Manager().RequestFirmwareVersion(version), E_FAIL);
    EXPECT_EQ(version, String(u"untouched"));
    EXPECT_EQ(Manager().RequestNonPresetParameterFromDevice(String(u"WHITE KEY CURVE"), 0), E_FAIL);
    EXPECT_FALSE(Manager().IsDeviceFirmwareVersionUseable());
    EXPECT_EQ(Manager().SendRawMessage(ArrayOf({0xF0, 0x42, 0xF7})), -1);
    EXPECT_EQ(Manager().IsStatusPollingOn(), polling);
  }
  EXPECT_TRUE(mRoad.mBackend->Sent().empty());
}

TEST_F(MidiManagerTest, GetPresetWithOnlyTheInputPortOpenSendsNothing) {
  Start(false);
  mRoad.mBackend->AddInputPort(u"Corvex");
  EXPECT_EQ(Manager().OpenPorts(), E_FAIL);
  ASSERT_TRUE(Manager().GetInputPort());
  EXPECT_EQ(Manager().GetPresetFromMidiDevice(0), -1);
  EXPECT_EQ(Manager().SendPresetToDevice(-1), -1);
  EXPECT_TRUE(mRoad.mBackend->Sent().empty());
}

// Neither has a reply that counts: the firmware check waits out its four attempts,
// and the non-preset request sends nothing at all.
TEST_F(MidiManagerTest, TheFirmwareCheckAndTheNonPresetRequestKeepTheirBindingsAndResults) {
  Start();
  Manager().SetReplyWait(DeviceRoad::kShortReplyWait);
  Manager().ResumeStatusPolling();

  EXPECT_FALSE(Manager().IsDeviceFirmwareVersionUseable());
  EXPECT_EQ(Controller().RequestCount(ControllerRequest::Identity), 4u);
  EXPECT_EQ(Manager().RequestNonPresetParameterFromDevice(String(u"WHITE KEY CURVE"), 0), 0);
  EXPECT_EQ(ReceivedByController(), 4u);
  EXPECT_EQ(Manager().GetPortManager()->GetRegistrationCount(), 0) << "no binding outlives its request";
  EXPECT_TRUE(Manager().IsStatusPollingOn());
}

// Outside a request no reply handler is bound: a dump the controller sends unasked
// changes nothing.
TEST_F(MidiManagerTest, ADumpOutsideARequestIsNotWritten) {
  Start();
  Controller().SetPreset(kDefaultPreset);
  ASSERT_EQ(Manager().GetPresetFromMidiDevice(0), 0);
  EXPECT_EQ(Manager().GetPortManager()->GetRegistrationCount(), 0);
  const RCPtr<CapturedMessageRecorder> recorder = CapturedMessageRecorder::SubscribedTo(
      RCPtr<LNotificationDistributor>(Manager().GetPortManager()));
  Preset changed = kDefaultPreset;
  changed[5] = 99;
  ASSERT_TRUE(Controller().SendMessage(ControllerCore::PresetDumpOf(changed)));
  ASSERT_EQ(recorder->WaitFor(1).size(), 1u);
  EXPECT_EQ(mRoad.EngineValues(), kDefaultPreset);
  recorder->UnsubscribeAll();
}

// Duplicate replies are handled on the port manager's worker while the request
// copies the text: the text is kept under one lock (ThreadSanitizer watches).
TEST_F(MidiManagerTest, RepeatedFirmwareRequestsWithDuplicateRepliesAlwaysGiveTheVersion) {
  Start();
  Controller().SetBehaviour(ControllerRequest::Identity, ReplyBehaviour::Twice());
  for (int request = 0; request < 20; ++request) {
    String version;
    ASSERT_EQ(Manager().RequestFirmwareVersion(version), 0);
    EXPECT_EQ(version, String(u"01.12"));
  }
}

TEST_F(MidiManagerTest, ARawMessageGoesOutUnframedOnlyWhileEveryWatchedOutputIsThere) {
  Start();
  const Bytes raw{0xB0, 0x07, 0x64};
  EXPECT_EQ(Manager().SendRawMessage(ArrayOf(raw)), -1) << "\"Corvex USB\" is not there";
  mRoad.mBackend->AddOutputPort(u"Corvex USB");
  EXPECT_EQ(Manager().SendRawMessage(ArrayOf(raw)), 3);
  ASSERT_EQ(ReceivedByController(), 1u);
  EXPECT_EQ(Controller().Received().back(), raw);
}

TEST_F(MidiManagerTest, ReleasingTheManagerStopsPollingAndLetsGoOfItsPortsAndSubscriptions) {
  Start();
  const RCPtr<LNotificationCenter> center = GetApplicationNotificationCenter();
  ASSERT_EQ(Manager().ResumeStatusPolling(), S_OK);
  const RCPtr<LMidiComm> portManager = RCPtr<LMidiComm>::DynamicCastFrom(Manager().GetPortManager());
  const int32_t centerRegistrations = center->GetRegistrationCount();

  mRoad.mManager.Reset();
  EXPECT_EQ(center->GetRegistrationCount(), centerRegistrations - 2);
  EXPECT_EQ(portManager->GetCapturePortCount(), 0u);
  EXPECT_EQ(portManager->GetRenderPortCount(), 0u);
}

}  // namespace
}  // namespace SV::Testing
