#include "Panel/Engine/PresetEditorCommon/MidiDeviceStatusChecker.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/Panel/Engine/PresetEditorCommon/DeviceRoadFixture.h"

namespace SV::Testing {
namespace {

using ::Platform::Midi::FakeMidiBackend;
using ::Platform::Midi::MidiCall;
using ::Platform::Midi::MidiServices;
using Entry = StatusNotificationLog::Entry;

class MidiDeviceStatusCheckerTest : public testing::Test {
protected:
  void TearDown() override { mLog->UnsubscribeAll(); }

  // What the "application" center delivered since the last call.
  std::vector<Entry> Announced() {
    mApp.Pump();
    std::vector<Entry> entries = std::move(mLog->entries);
    mLog->entries.clear();
    return entries;
  }

  static StringArrayT<char16_t, char> Names(std::initializer_list<const char16_t*> names) {
    StringArrayT<char16_t, char> array;
    for (const char16_t* name : names) array.Append(String(name));
    return array;
  }

  ApplicationStandIn mApp;
  std::shared_ptr<FakeMidiBackend> mBackend = std::make_shared<FakeMidiBackend>();
  RCPtr<LMidiComm> mPortManager = LMidiComm::Create(std::make_shared<MidiServices>(mBackend));
  RCPtr<LMidiDeviceStatusChecker> mChecker = LMidiDeviceStatusChecker::Create(mPortManager);
  RCPtr<StatusNotificationLog> mLog = StatusNotificationLog::Subscribed();
};

// The same story on each side: the first look is not announced, every later change is,
// once; a check is true only while every watched port is there.
TEST_F(MidiDeviceStatusCheckerTest, AnnouncesEveryChangeAfterTheFirstLookOnce) {
  for (const bool input : {true, false}) {
    SCOPED_TRACE(input ? "inputs" : "outputs");
    const auto addPort = [&](const char16_t* name) {
      return input ? mBackend->AddInputPort(name) : mBackend->AddOutputPort(name);
    };
    const auto check = [&] { return input ? mChecker->CheckInputDevices() : mChecker->CheckOutputDevices(); };
    const FakeMidiBackend::PortId corvex = addPort(u"Corvex");
    const StringArrayT<char16_t, char> watched = Names({u"Corvex", u"Corvex USB"});
    input ? mChecker->SetInputDeviceNames(watched) : mChecker->SetOutputDeviceNames(watched);
    const Array<LMidiDeviceStatusChecker::DeviceInfo> devices =
        input ? mChecker->GetInputDevices() : mChecker->GetOutputDevices();
    ASSERT_EQ(devices.GetCount(), 2u);
    EXPECT_TRUE(devices[0].connected);
    EXPECT_FALSE(devices[1].connected);

    EXPECT_FALSE(check()) << "\"Corvex USB\" is not there";
    EXPECT_TRUE(Announced().empty());

    const FakeMidiBackend::PortId usb = addPort(u"Corvex USB");
    EXPECT_TRUE(check());
    EXPECT_EQ(Announced(), (std::vector<Entry>{{input, u"Corvex USB", 0}}));
    EXPECT_TRUE(check());
    EXPECT_TRUE(Announced().empty());

    mBackend->RemovePort(usb);
    EXPECT_FALSE(check());
    mBackend->RemovePort(corvex);
    EXPECT_FALSE(check());
    EXPECT_EQ(Announced(), (std::vector<Entry>{{input, u"Corvex USB", 1}, {input, u"Corvex", 1}}));
  }
}

TEST_F(MidiDeviceStatusCheckerTest, AnEmptyListIsAllThere) {
  EXPECT_TRUE(mChecker->CheckInputDevices());
  EXPECT_TRUE(mChecker->CheckOutputDevices());
}

TEST_F(MidiDeviceStatusCheckerTest, ALookKeepsNoPortOpenThatNobodyHolds) {
  const FakeMidiBackend::PortId input = mBackend->AddInputPort(u"Corvex");
  const FakeMidiBackend::PortId output = mBackend->AddOutputPort(u"Corvex");
  EXPECT_TRUE(LMidiDeviceStatusChecker::IsInputDevicePresent(mPortManager, String(u"Corvex")));
  EXPECT_TRUE(LMidiDeviceStatusChecker::IsOutputDevicePresent(mPortManager, String(u"Corvex")));
  EXPECT_EQ(mBackend->OpenInputCount(input), 0u);
  EXPECT_EQ(mBackend->OpenOutputCount(output), 0u);

  RCPtr<LRefCountedObject> held;
  ASSERT_EQ(mPortManager->OpenCapturePort(String(u"Corvex"), held), S_OK);
  EXPECT_TRUE(LMidiDeviceStatusChecker::IsInputDevicePresent(mPortManager, String(u"Corvex")));
  EXPECT_EQ(mBackend->OpenInputCount(input), 1u) << "the open port is found, not opened again";
  EXPECT_FALSE(LMidiDeviceStatusChecker::IsInputDevicePresent(mPortManager, String(u"Corvex USB")));
}

// A look only lists: it makes no port (over JACK, no client) and takes no new device
// list, whose numbers another thread may be about to open by.
TEST_F(MidiDeviceStatusCheckerTest, ALookOpensNothingAndLeavesTheDeviceNumbersAlone) {
  mBackend->AddInputPort(u"Corvex");
  mBackend->AddOutputPort(u"Corvex");
  mChecker->SetInputDeviceNames(Names({u"Corvex", u"Corvex USB"}));
  mChecker->SetOutputDeviceNames(Names({u"Corvex", u"Corvex USB"}));
  for (int look = 0; look < 3; ++look) {
    EXPECT_FALSE(mChecker->CheckInputDevices());
    EXPECT_FALSE(mChecker->CheckOutputDevices());
  }
  EXPECT_EQ(mChecker->GetInputDevices()[0].connected, true);
  EXPECT_EQ(mChecker->GetOutputDevices()[0].connected, true);
  for (const MidiCall call : {MidiCall::InOpen, MidiCall::OutOpen, MidiCall::InGetNumDevs, MidiCall::OutGetNumDevs}) {
    EXPECT_EQ(mBackend->CountCalls(call), 0u) << static_cast<int>(call);
  }
  EXPECT_EQ(mBackend->CountCalls(MidiCall::InListDevices), 4u) << "one list per look, the first one included";
}

TEST_F(MidiDeviceStatusCheckerTest, WithoutAPortManagerNothingIsThere) {
  mBackend->AddInputPort(u"Corvex");
  const RCPtr<LMidiDeviceStatusChecker> checker = LMidiDeviceStatusChecker::Create(nullptr);
  checker->SetInputDeviceNames(Names({u"Corvex"}));
  EXPECT_FALSE(checker->CheckInputDevices());
  EXPECT_TRUE(Announced().empty());
}

}  // namespace
}  // namespace SV::Testing
