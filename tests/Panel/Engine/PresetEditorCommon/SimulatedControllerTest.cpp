#include "tests/Support/Controller/SimulatedController.h"

#include "Platform/Midi/FakeMidiBackend.h"
#include "Platform/Midi/RtMidiBackend.h"
#include "tests/Support/Midi/JackServerFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

namespace Testing::Controller {
namespace {

using namespace std::chrono_literals;
using Platform::Midi::FakeMidiBackend;
using Platform::Midi::MidiBackend;
using Platform::Midi::MidiPortDescription;

const Bytes kGetPreset{0xF0, 0x7D, 0x7F, 0x31, 0x66, 0x00, 0x01, 0x00, 0xF7};
const Bytes kIdentityRequest{0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};

Preset CountingPreset(uint8_t first) {
  Preset preset{};
  for (size_t index = 0; index < preset.size(); ++index) preset[index] = static_cast<uint8_t>(first + index);
  return preset;
}

Bytes Dump(const Preset& preset) {
  Bytes dump{0xF0, 0x7D, 0x7F, 0x31, 0x53, 0x00, 0x19};
  dump.reserve(32);
  dump.insert(dump.end(), preset.begin(), preset.end());
  dump.push_back(0xF7);
  return dump;
}

Bytes SendPreset(const Preset& preset) {
  Bytes message = Dump(preset);
  message[4] = 0x5E;
  return message;
}

bool IsListed(const std::vector<MidiPortDescription>& ports, const std::u16string& name) {
  for (const MidiPortDescription& port : ports) {
    if (port.name == name) return true;
  }
  return false;
}

// The editor's end of the cable, straight on a MIDI backend: the controller's ports
// opened by name, messages sent whole, System Exclusive received as raw bytes
// (real-time bytes inside kept), one message from F0 to F7.
class EditorEnd final : public Platform::Midi::MidiInputSink {
public:
  EditorEnd(MidiBackend& backend, const std::u16string& name, std::string& error) {
    if (OpenInput(backend, name) && OpenOutput(backend, name)) return;
    error = "the controller's ports could not be opened";
  }
  ~EditorEnd() {
    mInput.reset();
    mOutput.reset();
  }

  bool IsOpen() const { return mInput && mOutput; }

  bool Send(const Bytes& message) {
    return mOutput->Send(message.data(), message.size()).result == Platform::Midi::MMSYSERR_NOERROR;
  }

  // All messages once at least `count` have come (at most the limit).
  std::vector<Bytes> WaitForMessages(size_t count, std::chrono::milliseconds limit = 10s) {
    std::unique_lock lock(mMutex);
    mChanged.wait_for(lock, limit, [&] { return mMessages.size() >= count; });
    return mMessages;
  }

  void OnMidiInput(const uint8_t* bytes, size_t count) override {
    std::lock_guard lock(mMutex);
    for (size_t index = 0; index < count; ++index) Take(bytes[index]);
    mChanged.notify_all();
  }

private:
  bool OpenInput(MidiBackend& backend, const std::u16string& name) {
    for (const MidiPortDescription& port : backend.ListInputs()) {
      if (port.name == name) return backend.OpenInput(port.identity, *this, mInput) == Platform::Midi::MMSYSERR_NOERROR;
    }
    return false;
  }
  bool OpenOutput(MidiBackend& backend, const std::u16string& name) {
    for (const MidiPortDescription& port : backend.ListOutputs()) {
      if (port.name == name) return backend.OpenOutput(port.identity, mOutput) == Platform::Midi::MMSYSERR_NOERROR;
    }
    return false;
  }
  void Take(uint8_t byte) {
    if (byte == 0xF0) {
      mPending = {byte};
      mInSystemExclusive = true;
    } else if (mInSystemExclusive) {
      mPending.push_back(byte);
      if (byte == 0xF7) {
        mMessages.push_back(mPending);
        mInSystemExclusive = false;
      }
    }
  }

  std::unique_ptr<Platform::Midi::MidiInputConnection> mInput;
  std::unique_ptr<Platform::Midi::MidiOutputConnection> mOutput;
  std::mutex mMutex;
  std::condition_variable mChanged;
  Bytes mPending;
  bool mInSystemExclusive = false;
  std::vector<Bytes> mMessages;
};

// The simulated controller on one transport, with the backend the editor reaches it by.
class Rig {
public:
  virtual ~Rig() = default;
  virtual bool Start(std::string& error) = 0;
  virtual MidiBackend& Backend() = 0;
  SimulatedController& Controller() { return *mController; }

protected:
  std::unique_ptr<SimulatedController> mController;
};

// The controller in memory, as ports of a fake backend.
class FakeRig final : public Rig {
public:
  bool Start(std::string&) override {
    mBackend = std::make_shared<FakeMidiBackend>();
    mController = SimulatedController::OnFakeBackend(mBackend);
    return mController != nullptr;
  }
  MidiBackend& Backend() override { return *mBackend; }

private:
  std::shared_ptr<FakeMidiBackend> mBackend;
};

// The controller as a JACK client of a JACK server of the test's own, reached
// through RtMidi's JACK API.
class JackRig final : public Rig {
public:
  ~JackRig() override {
    mBackend.reset();
    mController.reset();
    mServer.reset();
  }
  bool Start(std::string& error) override {
    mServer = Midi::JackServer::Start(error);
    if (!mServer) return false;
    mController = SimulatedController::OnJack(error);
    if (!mController) return false;
    mBackend = std::make_shared<Platform::Midi::RtMidiBackend>(
        Platform::Midi::RtMidiBackend::Options{{Platform::Midi::MidiPortApi::Jack}});
    return true;
  }
  MidiBackend& Backend() override { return *mBackend; }

private:
  std::unique_ptr<Midi::JackServer> mServer;
  std::shared_ptr<Platform::Midi::RtMidiBackend> mBackend;
};

enum class Transport { FakeBackend, Jack };

void PrintTo(Transport transport, std::ostream* stream) {
  *stream << (transport == Transport::Jack ? "Jack" : "FakeBackend");
}

std::string TransportName(const testing::TestParamInfo<Transport>& info) {
  return info.param == Transport::Jack ? "Jack" : "FakeBackend";
}

// Every case runs on the transport of its parameter. Suites whose names begin with
// "Jack" run one at a time (ctest resource lock).
class SimulatedControllerBehaviour : public testing::TestWithParam<Transport> {
protected:
  void SetUp() override {
    if (GetParam() == Transport::Jack) {
      mRig = std::make_unique<JackRig>();
    } else {
      mRig = std::make_unique<FakeRig>();
    }
    std::string error;
    ASSERT_TRUE(mRig->Start(error)) << error;
    OpenEditor();
  }
  void TearDown() override {
    mEditor.reset();
    mRig.reset();
  }

  void OpenEditor() {
    std::string error;
    mEditor = std::make_unique<EditorEnd>(mRig->Backend(), u"Corvex", error);
    ASSERT_TRUE(mEditor->IsOpen()) << error;
  }
  SimulatedController& Controller() { return mRig->Controller(); }

  // Sends the request and returns the messages that came after it, once `count` have.
  std::vector<Bytes> Ask(const Bytes& request, size_t count) {
    const size_t before = mEditor->WaitForMessages(0).size();
    EXPECT_TRUE(mEditor->Send(request));
    const std::vector<Bytes> all = mEditor->WaitForMessages(before + count);
    return {all.begin() + static_cast<std::ptrdiff_t>(before), all.end()};
  }

  std::unique_ptr<Rig> mRig;
  std::unique_ptr<EditorEnd> mEditor;
};


TEST_P(SimulatedControllerBehaviour, AnswersTheGetPresetRequestWithADumpOfItsPreset) {
  Controller().SetPreset(CountingPreset(0x10));
  EXPECT_EQ(Ask(kGetPreset, 1), std::vector<Bytes>{Dump(CountingPreset(0x10))});
  EXPECT_EQ(Controller().RequestCount(ControllerRequest::GetPreset), 1u);
}

TEST_P(SimulatedControllerBehaviour, AnswersTheIdentityRequestWithItsFirmwareVersion) {
  Controller().SetFirmware({1, 10, 0, 5});
  const std::vector<Bytes> replies = Ask(kIdentityRequest, 1);
  ASSERT_EQ(replies.size(), 1u);
  const Bytes& reply = replies[0];
  ASSERT_EQ(reply.size(), 35u);
  EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 5), (Bytes{0xF0, 0x7E, 0x00, 0x06, 0x02}));
  EXPECT_EQ(Bytes(reply.begin() + 9, reply.begin() + 13), (Bytes{1, 10, 0, 5}));
  EXPECT_EQ(reply.back(), 0xF7);
}

TEST_P(SimulatedControllerBehaviour, StoresAPresetAndRecordsGlobalSettingsItIsSent) {
  Bytes broken = SendPreset(CountingPreset(0x40));
  broken[12] = 0x90;
  ASSERT_TRUE(mEditor->Send(SendPreset(CountingPreset(0x20))));
  ASSERT_TRUE(mEditor->Send({0xF0, 0x7D, 0x7F, 0x31, 0x0C, 0x00, 0x01, 0x64, 0xF7}));
  ASSERT_TRUE(mEditor->Send(broken));
  ASSERT_TRUE(Controller().WaitForReceived(3));

  EXPECT_EQ(Controller().PresetsStored(), 1u);
  EXPECT_EQ(Controller().UnrecognisedCount(), 1u) << "a status byte inside breaks the message";
  EXPECT_EQ(Controller().GlobalSettings(), (std::vector<GlobalSettingRecord>{{0x0C, 0x64}}));
  EXPECT_EQ(Ask(kGetPreset, 1), std::vector<Bytes>{Dump(CountingPreset(0x20))});
}

TEST_P(SimulatedControllerBehaviour, MisbehavesOnCommand) {
  const Preset preset = CountingPreset(0x30);
  Controller().SetPreset(preset);
  const Bytes dump = Dump(preset);
  Bytes malformed = dump;
  malformed[4] = 0x54;
  Bytes truncated(dump.begin(), dump.begin() + 10);
  truncated.push_back(0xF7);
  Bytes withRealtime = dump;
  withRealtime.insert(withRealtime.end() - 1, 0xF8);
  withRealtime.insert(withRealtime.begin() + 13, 0xFE);
  withRealtime.insert(withRealtime.begin() + 5, 0xF8);

  struct Case {
    const char* what;
    ReplyBehaviour behaviour;
    std::vector<Bytes> replies;
  };
  const Case cases[] = {
      {"twice", ReplyBehaviour::Twice(), {dump, dump}},
      {"malformed", ReplyBehaviour::Malformed(), {malformed}},
      {"truncated", ReplyBehaviour::Truncated(10), {truncated}},
      {"real-time bytes inside", ReplyBehaviour::WithRealtimeBytes(), {withRealtime}},
      {"prompt again", ReplyBehaviour::Prompt(), {dump}},
  };
  for (const Case& test : cases) {
    Controller().SetBehaviour(test.behaviour);
    EXPECT_EQ(Ask(kGetPreset, test.replies.size()), test.replies) << test.what;
  }
}

TEST_P(SimulatedControllerBehaviour, StaysSilentForTheRequestsItIsToldTo) {
  Controller().SetBehaviourForNext(ControllerRequest::GetPreset, 2, ReplyBehaviour::Silent());
  ASSERT_TRUE(mEditor->Send(kGetPreset));
  ASSERT_TRUE(mEditor->Send(kGetPreset));
  // Replies go out in order, so the identity reply coming first shows the silence.
  EXPECT_EQ(Ask(kIdentityRequest, 1).at(0).size(), 35u);
  EXPECT_EQ(Controller().RequestCount(ControllerRequest::GetPreset), 2u);
  EXPECT_EQ(Ask(kGetPreset, 1).at(0).size(), 32u) << "the third request is answered";
}

TEST_P(SimulatedControllerBehaviour, AnswersNoSoonerThanItIsToldTo) {
  Controller().SetBehaviour(ControllerRequest::Identity, ReplyBehaviour::Late(300ms));
  const auto asked = std::chrono::steady_clock::now();
  EXPECT_EQ(Ask(kIdentityRequest, 1).size(), 1u);
  EXPECT_GE(std::chrono::steady_clock::now() - asked, 300ms);
}

TEST_P(SimulatedControllerBehaviour, SendsItsOwnMessagesUnasked) {
  Controller().SetPreset(CountingPreset(0x01));
  ASSERT_TRUE(Controller().SendMessage(Dump(CountingPreset(0x01))));
  EXPECT_EQ(mEditor->WaitForMessages(1), std::vector<Bytes>{Dump(CountingPreset(0x01))});
}

TEST_P(SimulatedControllerBehaviour, DisappearsAndComesBack) {
  Controller().Disappear();
  EXPECT_FALSE(Controller().IsPresent());
  EXPECT_FALSE(IsListed(mRig->Backend().ListInputs(), u"Corvex"));
  EXPECT_FALSE(IsListed(mRig->Backend().ListOutputs(), u"Corvex"));
  EXPECT_FALSE(Controller().SendMessage(kGetPreset));

  std::string error;
  ASSERT_TRUE(Controller().ComeBack(error)) << error;
  EXPECT_TRUE(Controller().IsPresent());
  mEditor.reset();
  OpenEditor();
  Controller().SetPreset(CountingPreset(0x05));
  EXPECT_EQ(Ask(kGetPreset, 1), std::vector<Bytes>{Dump(CountingPreset(0x05))});
}

INSTANTIATE_TEST_SUITE_P(Fake, SimulatedControllerBehaviour, testing::Values(Transport::FakeBackend), TransportName);
INSTANTIATE_TEST_SUITE_P(Jack, SimulatedControllerBehaviour, testing::Values(Transport::Jack), TransportName);

TEST(SimulatedControllerOnFakeBackend, AnswersInsideTheSendWhenToldTo) {
  auto backend = std::make_shared<FakeMidiBackend>();
  auto controller = SimulatedController::OnFakeBackend(backend);
  controller->SetBehaviour(ReplyBehaviour::DuringRequest());
  std::string error;
  EditorEnd editor(*backend, u"Corvex", error);
  ASSERT_TRUE(editor.IsOpen()) << error;

  ASSERT_TRUE(editor.Send(kIdentityRequest));
  EXPECT_EQ(editor.WaitForMessages(1, 0ms).size(), 1u) << "the reply is there when the send returns";
}

TEST(SimulatedControllerOnFakeBackend, HearsOnlyWhatIsSentToItsOwnPort) {
  auto backend = std::make_shared<FakeMidiBackend>();
  backend->AddOutputPort(u"Corvex");  // another device of a similar name
  auto controller = SimulatedController::OnFakeBackend(backend, u"Corvex USB");
  for (const MidiPortDescription& port : backend->ListOutputs()) {
    std::unique_ptr<Platform::Midi::MidiOutputConnection> output;
    ASSERT_EQ(backend->OpenOutput(port.identity, output), Platform::Midi::MMSYSERR_NOERROR);
    ASSERT_EQ(output->Send(kGetPreset.data(), kGetPreset.size()).result, Platform::Midi::MMSYSERR_NOERROR);
  }
  // The fake tells the controller inside the send, so nothing is still on its way.
  EXPECT_EQ(controller->Received(), std::vector<Bytes>{kGetPreset});
  EXPECT_EQ(backend->Sent().size(), 2u);
}

}  // namespace
}  // namespace Testing::Controller
