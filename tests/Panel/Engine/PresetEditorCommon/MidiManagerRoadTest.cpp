#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <string>
#include <vector>

#include "tests/Panel/Engine/PresetEditorCommon/DeviceRoadFixture.h"
#include "tests/Support/ParameterByte.h"

// The device road end to end against the simulated controller, once on the fake
// backend and once over a real JACK server (the instantiation "Jack" gives those
// tests the ctest label Jack and the JACK server lock).
namespace SV::Testing {
namespace {

using namespace std::chrono_literals;
using ::Testing::Controller::ControllerCore;
using ::Testing::Controller::Firmware;
using HMIDIIN = ::Platform::Midi::HMIDIIN;
using HMIDIOUT = ::Platform::Midi::HMIDIOUT;

using Testing::Byte;

class MidiManagerRoad : public testing::TestWithParam<Wire> {
protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(mRoad.Start(error)) << error;
    ASSERT_TRUE(Manager().IsConnected());
  }

  LMidiManager& Manager() { return *mRoad.mManager; }
  SimulatedController& Controller() { return *mRoad.mController; }
  // The platform handles of the held ports (handles are never reused).
  HMIDIIN InputHandle() {
    const RCPtr<LMidiCapturePort> port = RCPtr<LMidiCapturePort>::DynamicCastFrom(Manager().GetInputPort());
    return port ? port->GetHandle() : nullptr;
  }
  HMIDIOUT OutputHandle() {
    const RCPtr<LMidiRenderPort> port = RCPtr<LMidiRenderPort>::DynamicCastFrom(Manager().GetOutputPort());
    return port ? port->GetHandle() : nullptr;
  }

  // The defaults with three values changed.
  static Preset ChangedPreset() {
    Preset preset = kDefaultPreset;
    preset[3] = 60;
    preset[10] = 0;
    preset[23] = 5;
    return preset;
  }
  static std::vector<ParamValue> ChangesOf(const Preset& preset) {
    std::vector<ParamValue> changes;
    for (int32_t id = 0; id < 24; ++id) {
      if (preset[id] != kDefaultPreset[id]) changes.emplace_back(ParamDescriptor(id), Byte(preset[id]));
    }
    return changes;
  }

  DeviceRoad mRoad{GetParam()};
};

TEST_P(MidiManagerRoad, GetPresetWritesTheDumpIntoTheEngineAndAnnouncesOnlyTheChangedValues) {
  Controller().SetPreset(ChangedPreset());

  EXPECT_EQ(Manager().GetPresetFromMidiDevice(0), 0);
  EXPECT_EQ(mRoad.EngineValues(), ChangedPreset());
  EXPECT_EQ(mRoad.TakeAnnouncedChanges(), ChangesOf(ChangedPreset()));

  EXPECT_EQ(Manager().GetPresetFromMidiDevice(0), 0);
  EXPECT_TRUE(mRoad.TakeAnnouncedChanges().empty()) << "an unchanged preset announces nothing";
  EXPECT_EQ(Controller().RequestCount(ControllerRequest::GetPreset), 2u);
}

// Each row: how the controller answers the first requests and then, how long each
// attempt waits, and what Get Preset gives after how many requests. The doubled
// reply comes last: its second copy may still be under way when the request ends.
TEST_P(MidiManagerRoad, GetPresetRetriesUntilAWholeDumpArrives) {
  struct Case {
    const char* what;
    ReplyBehaviour first;
    int firstCount;
    ReplyBehaviour then;
    int32_t replyWait;
    SVRESULT result;
    size_t requests;
  } cases[] = {
      {"answered at once", ReplyBehaviour::Prompt(), 1, ReplyBehaviour::Prompt(), 1000, 0, 1},
      {"answered during the request", ReplyBehaviour::DuringRequest(), 1, ReplyBehaviour::Silent(), 1000, 0, 1},
      {"answered late, within the wait", ReplyBehaviour::Late(100ms), 1, ReplyBehaviour::Silent(), 1000, 0, 1},
      {"real-time bytes inside the dump", ReplyBehaviour::WithRealtimeBytes(), 1, ReplyBehaviour::Silent(), 1000, 0, 1},
      {"silent twice", ReplyBehaviour::Silent(), 2, ReplyBehaviour::Prompt(), 300, 0, 3},
      {"malformed, then whole", ReplyBehaviour::Malformed(), 1, ReplyBehaviour::Prompt(), 300, 0, 2},
      {"truncated, then whole", ReplyBehaviour::Truncated(), 1, ReplyBehaviour::Prompt(), 300, 0, 2},
      {"late, in the next attempt's wait", ReplyBehaviour::Late(450ms), 1, ReplyBehaviour::Silent(), 300, 0, 2},
      {"malformed every time", ReplyBehaviour::Malformed(), 1, ReplyBehaviour::Malformed(), 150,
       LMidiManager::kNoReply, 4},
      {"answered twice", ReplyBehaviour::Twice(), 1, ReplyBehaviour::Silent(), 1000, 0, 1},
  };
  uint8_t value = 20;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Preset preset = kDefaultPreset;
    preset[7] = ++value;
    Controller().SetPreset(preset);
    Controller().SetBehaviour(ControllerRequest::GetPreset, c.then);
    Controller().SetBehaviourForNext(ControllerRequest::GetPreset, c.firstCount, c.first);
    Manager().SetReplyWait(c.replyWait);
    const size_t before = Controller().RequestCount(ControllerRequest::GetPreset);
    const Preset engineBefore = mRoad.EngineValues();

    EXPECT_EQ(Manager().GetPresetFromMidiDevice(0), c.result);
    EXPECT_EQ(Controller().RequestCount(ControllerRequest::GetPreset) - before, c.requests);
    EXPECT_EQ(mRoad.EngineValues(), c.result == 0 ? preset : engineBefore);
    const std::vector<ParamValue> expected =
        c.result == 0 ? std::vector<ParamValue>{{ParamDescriptor(7), Byte(value)}} : std::vector<ParamValue>{};
    EXPECT_EQ(mRoad.TakeAnnouncedChanges(), expected);
  }
}

TEST_P(MidiManagerRoad, ASilentControllerGivesNoReplyAfterFourBoundedAttempts) {
  Controller().SetBehaviour(ReplyBehaviour::Silent());
  Manager().SetReplyWait(DeviceRoad::kShortReplyWait);

  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Manager().GetPresetFromMidiDevice(0), LMidiManager::kNoReply);
  String version(u"unchanged");
  EXPECT_EQ(Manager().RequestFirmwareVersion(version), E_FAIL);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 20s) << "bounded, never a hang";

  EXPECT_EQ(Controller().RequestCount(ControllerRequest::GetPreset), 4u);
  EXPECT_EQ(Controller().RequestCount(ControllerRequest::Identity), 4u);
  EXPECT_EQ(version, String(u"unchanged"));
  EXPECT_EQ(mRoad.EngineValues(), kDefaultPreset);
  EXPECT_TRUE(mRoad.TakeAnnouncedChanges().empty());
}

TEST_P(MidiManagerRoad, SendPresetStoresTheEnginesValuesInTheController) {
  mRoad.SetEngineValue(0, 12);
  mRoad.SetEngineValue(17, 0x7F);
  const Preset sent = mRoad.EngineValues();

  EXPECT_EQ(Manager().SendPresetToDevice(-1), 32);
  ASSERT_TRUE(Controller().WaitForReceived(1));
  EXPECT_EQ(Controller().PresetsStored(), 1u);
  EXPECT_EQ(Controller().GetPreset(), sent);
}

TEST_P(MidiManagerRoad, GlobalSettingsReachTheControllerAndRefusedOnesSendNothing) {
  struct Case {
    const char16_t* name;
    int32_t value;
    SVRESULT result;
  } cases[] = {
      {u"WHITE KEY CURVE", 6, 9},         {u"WHITE KEY CURVE", 7, -1},
      {u"BLACK KEY CURVE", 0, 9},         {u"BLACK KEY CURVE", -1, -1},
      {u"WHITE KEY SENSITIVITY", 100, 9}, {u"WHITE KEY SENSITIVITY", 101, -1},
      {u"WHITE KEY SENSITIVITY", -128, -1}, {u"white key curve", 3, -1},
      {u"BLACK KEY SENSITIVITY", 55, 9},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Manager().SendNonPresetParameter(String(c.name), c.value, 1), c.result)
        << String(c.name).ToUTF8().GetString() << " " << c.value;
  }
  using Record = ::Testing::Controller::GlobalSettingRecord;
  ASSERT_TRUE(Controller().WaitForReceived(4));
  EXPECT_EQ(Controller().GlobalSettings(), (std::vector<Record>{{0x0A, 6}, {0x0B, 0}, {0x0C, 100}, {0x0D, 55}}));
  EXPECT_EQ(Controller().Received().size(), 4u) << "nothing was sent for a refused setting";
}

TEST_P(MidiManagerRoad, TheFirmwareVersionComesFromTheIdentityReply) {
  struct Case {
    const char* what;
    Firmware firmware;
    ReplyBehaviour behaviour;
    const char16_t* version;
    size_t requests;
  } cases[] = {
      {"answered at once", {0, 1, 1, 2}, ReplyBehaviour::Prompt(), u"01.12", 1},
      {"answered during the request", {1, 10, 0, 5}, ReplyBehaviour::DuringRequest(), u"110.05", 1},
      {"real-time bytes inside", {0, 1, 2, 3}, ReplyBehaviour::WithRealtimeBytes(), u"01.23", 1},
      {"malformed, then whole", {0, 1, 1, 2}, ReplyBehaviour::Malformed(), u"01.12", 2},
      {"truncated, then whole", {0, 1, 1, 2}, ReplyBehaviour::Truncated(), u"01.12", 2},
      {"answered twice (last: its second copy may still be under way)", {0, 2, 0, 0}, ReplyBehaviour::Twice(),
       u"02.00", 1},
  };
  Manager().SetReplyWait(300);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Controller().SetFirmware(c.firmware);
    Controller().SetBehaviour(ControllerRequest::Identity, ReplyBehaviour::Prompt());
    Controller().SetBehaviourForNext(ControllerRequest::Identity, 1, c.behaviour);
    const size_t before = Controller().RequestCount(ControllerRequest::Identity);
    String version;
    EXPECT_EQ(Manager().RequestFirmwareVersion(version), 0);
    EXPECT_EQ(version, String(c.version));
    EXPECT_EQ(Controller().RequestCount(ControllerRequest::Identity) - before, c.requests);
  }
}

TEST_P(MidiManagerRoad, TheControllerLeavingAndComingBackIsAnnouncedAndThePortsReopen) {
  const RCPtr<StatusNotificationLog> log = StatusNotificationLog::Subscribed();
  using Entry = StatusNotificationLog::Entry;
  ASSERT_EQ(Manager().ResumeStatusPolling(), S_OK);

  // Each side is looked at on its own, so the two sides may be seen in either order.
  const auto sorted = [&](size_t from) {
    std::vector<Entry> entries(log->entries.begin() + static_cast<std::ptrdiff_t>(from), log->entries.end());
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.input > b.input; });
    return entries;
  };

  Controller().Disappear();
  ASSERT_TRUE(mRoad.PumpUntil([&] { return log->entries.size() >= 2; }));
  EXPECT_EQ(sorted(0), (std::vector<Entry>{{true, u"Corvex", 1}, {false, u"Corvex", 1}}));
  EXPECT_FALSE(Manager().IsConnected());
  EXPECT_EQ(Manager().GetPresetFromMidiDevice(0), -1);
  EXPECT_EQ(Manager().SendPresetToDevice(-1), -1);
  EXPECT_EQ(Manager().SendNonPresetParameter(String(u"WHITE KEY CURVE"), 1, 1), -1);

  std::string error;
  ASSERT_TRUE(Controller().ComeBack(error)) << error;
  ASSERT_TRUE(mRoad.PumpUntil([&] { return log->entries.size() >= 4; }));
  EXPECT_EQ(sorted(2), (std::vector<Entry>{{true, u"Corvex", 0}, {false, u"Corvex", 0}}));
  EXPECT_EQ(log->entries.size(), 4u);
  EXPECT_TRUE(Manager().IsConnected());
  Controller().SetPreset(ChangedPreset());
  EXPECT_EQ(Manager().GetPresetFromMidiDevice(0), 0);
  EXPECT_EQ(mRoad.EngineValues(), ChangedPreset());
  EXPECT_TRUE(Manager().IsStatusPollingOn());
  log->UnsubscribeAll();
}

// Gone and back between two looks: no change is seen, but the looks find the old
// ports' device gone, two in a row, and have them opened again, so the preset comes
// through.
TEST_P(MidiManagerRoad, TheControllerComingBackBetweenTwoLooksStillAnswers) {
  Controller().Disappear();
  std::string error;
  ASSERT_TRUE(Controller().ComeBack(error)) << error;
  ASSERT_EQ(Manager().ResumeStatusPolling(), S_OK);
  const uint32_t polls = Manager().GetPollCount();
  ASSERT_TRUE(mRoad.PumpUntil([&] { return Manager().GetPollCount() >= polls + 3; }));

  Controller().SetPreset(ChangedPreset());
  EXPECT_EQ(Manager().GetPresetFromMidiDevice(0), 0);
  EXPECT_EQ(mRoad.EngineValues(), ChangedPreset());
}

// A status notification whatever its news: the ports close and open again although
// the controller never left, and the next Get Preset goes through the new ones.
TEST_P(MidiManagerRoad, AStatusChangeWhileTheControllerStaysReopensThePortsAndGetPresetStillWorks) {
  const RCPtr<StatusNotificationLog> log = StatusNotificationLog::Subscribed();
  for (const bool input : {true, false}) {
    SCOPED_TRACE(input ? "input status" : "output status");
    const char16_t* idText =
        input ? LMidiDeviceStatusChecker::kInputStatusChangedID : LMidiDeviceStatusChecker::kOutputStatusChangedID;
    const size_t before = log->entries.size();
    const HMIDIIN oldInput = InputHandle();
    const HMIDIOUT oldOutput = OutputHandle();
    GetApplicationNotificationCenter()->PostNotification(
        idText, LMidiDeviceConnectionStatusChangedNotification::Create(
                    String(u"Corvex"), LMidiDeviceConnectionStatusChangedNotification::Appeared));
    ASSERT_TRUE(mRoad.PumpUntil([&] { return log->entries.size() > before; }));

    ASSERT_TRUE(Manager().IsConnected());
    EXPECT_NE(InputHandle(), oldInput) << "the input port was not opened again";
    EXPECT_NE(OutputHandle(), oldOutput) << "the output port was not opened again";
    Preset preset = kDefaultPreset;
    preset[5] = input ? 70 : 71;
    Controller().SetPreset(preset);
    EXPECT_EQ(Manager().GetPresetFromMidiDevice(0), 0);
    EXPECT_EQ(mRoad.EngineValues(), preset);
  }
  log->UnsubscribeAll();
}

// A dump nobody asked for (from the controller's panel) that comes while the firmware
// request waits: the request still gets its version, and the engine keeps the user's
// values; the next Get Preset works as ever.
TEST_P(MidiManagerRoad, ADumpDuringTheFirmwareRequestChangesNothingAndTheVersionStillComes) {
  Controller().SetFirmware({0, 1, 1, 2});
  Controller().SetBehaviour(ControllerRequest::Identity, ReplyBehaviour::Late(300ms));
  Controller().SetPreset(ChangedPreset());
  auto panelDump = std::async(std::launch::async, [&] {
    return Controller().WaitForReceived(1) && Controller().SendMessage(ControllerCore::PresetDumpOf(ChangedPreset()));
  });

  String version;
  EXPECT_EQ(Manager().RequestFirmwareVersion(version), 0);
  ASSERT_TRUE(panelDump.get()) << "the dump was not sent during the request";
  EXPECT_EQ(version, String(u"01.12"));
  EXPECT_EQ(Controller().RequestCount(ControllerRequest::Identity), 1u);
  EXPECT_EQ(mRoad.EngineValues(), kDefaultPreset) << "an unasked dump overwrote the engine's values";
  EXPECT_TRUE(mRoad.TakeAnnouncedChanges().empty());

  EXPECT_EQ(Manager().GetPresetFromMidiDevice(0), 0);
  EXPECT_EQ(mRoad.EngineValues(), ChangedPreset());
  EXPECT_EQ(mRoad.TakeAnnouncedChanges(), ChangesOf(ChangedPreset()));
}

INSTANTIATE_TEST_SUITE_P(Fake, MidiManagerRoad, testing::Values(Wire::Fake), WireName);
INSTANTIATE_TEST_SUITE_P(Jack, MidiManagerRoad, testing::Values(Wire::Jack), WireName);

}  // namespace
}  // namespace SV::Testing
