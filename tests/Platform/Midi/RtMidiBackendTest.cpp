#include "Platform/Midi/RtMidiBackend.h"

#include "Platform/Midi/JackClientLock.h"
#include "Platform/Midi/MidiServices.h"
#include "tests/Platform/Midi/MidiCallbackRecorder.h"
#include "tests/Support/Midi/JackMidiPeer.h"
#include "tests/Support/Midi/JackServerFixture.h"

#include <gtest/gtest.h>
#include <jack/jack.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <set>
#include <stdexcept>
#include <thread>

namespace Platform::Midi {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;
using Testing::Midi::JackMidiPeer;

Bytes SystemExclusiveInStepsOf7(size_t count) {
  Bytes message(count);
  for (size_t index = 0; index < count; ++index) message[index] = static_cast<uint8_t>(index * 7 & 0x7F);
  message.front() = 0xF0;
  message.back() = 0xF7;
  return message;
}

std::vector<std::u16string> NamesOf(const std::vector<MidiPortDescription>& ports) {
  std::vector<std::u16string> names;
  for (const MidiPortDescription& port : ports) names.push_back(port.name);
  std::sort(names.begin(), names.end());
  return names;
}

// A plain JACK client of the test's own that tells which client is connected to a
// port, and that client's UUID (a client closed and made anew under the same name
// gets a new one).
class JackClientLook {
public:
  JackClientLook() : mClient(OpenClient()) {}
  ~JackClientLook() {
    std::lock_guard lock(JackClientLock());
    if (mClient != nullptr) jack_client_close(mClient);
  }
  bool Works() const { return mClient != nullptr; }

  // The UUID of the one client connected to the port, or "" when not exactly one is.
  std::string ClientConnectedTo(const std::string& portName) const {
    const char** connections = jack_port_get_all_connections(mClient, jack_port_by_name(mClient, portName.c_str()));
    if (connections == nullptr) return "";
    const bool one = connections[0] != nullptr && connections[1] == nullptr;
    const std::string port = one ? connections[0] : "";
    jack_free(connections);
    if (!one) return "";
    char* uuid = jack_get_uuid_for_client_name(mClient, port.substr(0, port.find(':')).c_str());
    const std::string text = uuid != nullptr ? uuid : "";
    jack_free(uuid);
    return text;
  }

private:
  static jack_client_t* OpenClient() {
    std::lock_guard lock(JackClientLock());
    return jack_client_open("Test Look", JackNoStartServer, nullptr);
  }

  jack_client_t* mClient;
};

// Every case runs against its own JACK server with a peer named like the
// controller, and reaches it through RtMidi's JACK API only.
class JackRtMidiBackend : public Testing::Midi::JackServerFixture {
protected:
  void SetUp() override {
    JackServerFixture::SetUp();
    if (HasFatalFailure()) return;
    std::string error;
    mPeer = JackMidiPeer::Create("Corvex", error);
    ASSERT_NE(mPeer, nullptr) << error;
    mBackend = std::make_shared<RtMidiBackend>(RtMidiBackend::Options{{MidiPortApi::Jack}});
    mServices = std::make_unique<MidiServices>(mBackend);
  }

  void TearDown() override {
    mServices.reset();
    mBackend.reset();
    mPeer.reset();
    JackServerFixture::TearDown();
  }

  // The device number of the peer's port among the inputs or outputs.
  template <typename Caps>
  uint32_t DeviceNamed(const std::u16string& name, uint32_t count,
                       MMRESULT (MidiServices::*getCaps)(uint32_t, Caps*, uint32_t)) {
    for (uint32_t device = 0; device < count; ++device) {
      Caps caps;
      if ((mServices.get()->*getCaps)(device, &caps, sizeof(caps)) == MMSYSERR_NOERROR && caps.szPname == name) {
        return device;
      }
    }
    ADD_FAILURE() << "no device of that name";
    return 0;
  }

  HMIDIIN OpenPeersOutputAsInput() {
    const uint32_t device = DeviceNamed<MIDIINCAPS>(u"Corvex", mServices->MidiInGetNumDevs(), &MidiServices::MidiInGetDevCaps);
    HMIDIIN handle = nullptr;
    EXPECT_EQ(mServices->MidiInOpen(&handle, device, &MidiCallbackRecorder::InputCallback, mRecorder.Instance(),
                                    CALLBACK_FUNCTION | MIDI_IO_STATUS),
              MMSYSERR_NOERROR);
    return handle;
  }

  HMIDIOUT OpenPeersInputAsOutput() {
    const uint32_t device = DeviceNamed<MIDIOUTCAPS>(u"Corvex", mServices->MidiOutGetNumDevs(), &MidiServices::MidiOutGetDevCaps);
    HMIDIOUT handle = nullptr;
    EXPECT_EQ(mServices->MidiOutOpen(&handle, device, &MidiCallbackRecorder::OutputCallback, mRecorder.Instance(),
                                     CALLBACK_FUNCTION),
              MMSYSERR_NOERROR);
    return handle;
  }

  MidiCallbackRecorder mRecorder;  // outlives the services, which call it
  std::unique_ptr<JackMidiPeer> mPeer;
  std::shared_ptr<RtMidiBackend> mBackend;
  std::unique_ptr<MidiServices> mServices;
};

TEST_F(JackRtMidiBackend, ListsThePeersPortsUnderTheControllersNamesAndNeverItsOwn) {
  std::string error;
  auto usbPeer = JackMidiPeer::Create("Corvex USB", error);
  ASSERT_NE(usbPeer, nullptr) << error;

  EXPECT_EQ(NamesOf(mBackend->ListInputs()), (std::vector<std::u16string>{u"Corvex", u"Corvex USB"}));
  EXPECT_EQ(NamesOf(mBackend->ListOutputs()), (std::vector<std::u16string>{u"Corvex", u"Corvex USB"}));
  const auto inputs = mBackend->ListInputs();
  EXPECT_TRUE(std::any_of(inputs.begin(), inputs.end(), [&](const MidiPortDescription& port) {
    return port.identity == "jack:" + mPeer->OutputPortName();
  }));

  HMIDIIN input = OpenPeersOutputAsInput();
  HMIDIOUT output = OpenPeersInputAsOutput();
  ASSERT_NE(input, nullptr);
  ASSERT_NE(output, nullptr);
  EXPECT_EQ(NamesOf(mBackend->ListInputs()), (std::vector<std::u16string>{u"Corvex", u"Corvex USB"}))
      << "our own open ports are not listed";
  EXPECT_EQ(NamesOf(mBackend->ListOutputs()), (std::vector<std::u16string>{u"Corvex", u"Corvex USB"}));
  EXPECT_EQ(mServices->MidiOutClose(output), MMSYSERR_NOERROR);
  EXPECT_EQ(mServices->MidiInClose(input), MMSYSERR_NOERROR);
}

TEST_F(JackRtMidiBackend, SendsShortAndSystemExclusiveMessagesToThePeer) {
  HMIDIOUT output = OpenPeersInputAsOutput();
  ASSERT_NE(output, nullptr);
  const Bytes sysex = SystemExclusiveInStepsOf7(600);
  MIDIHDR header{};
  header.lpData = reinterpret_cast<char*>(const_cast<uint8_t*>(sysex.data()));
  header.dwBufferLength = static_cast<uint32_t>(sysex.size());

  ASSERT_EQ(mServices->MidiOutShortMsg(output, 0x7F4090), MMSYSERR_NOERROR);
  ASSERT_EQ(mServices->MidiOutPrepareHeader(output, &header, kMidiHeaderSize), MMSYSERR_NOERROR);
  ASSERT_EQ(mServices->MidiOutLongMsg(output, &header, kMidiHeaderSize), MMSYSERR_NOERROR);
  ASSERT_EQ(mRecorder.WaitFor(MOM_DONE, 1).size(), 1u);

  const auto received = mPeer->WaitForReceived(2);
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0], (Bytes{0x90, 0x40, 0x7F}));
  EXPECT_EQ(received[1], sysex);
  EXPECT_EQ(mServices->MidiOutUnprepareHeader(output, &header, kMidiHeaderSize), MMSYSERR_NOERROR);
  EXPECT_EQ(mServices->MidiOutClose(output), MMSYSERR_NOERROR);
}

// Short System Exclusive messages sent back to back (four global settings) all reach
// the peer, in order, however many fall into one cycle of the server.
TEST_F(JackRtMidiBackend, SystemExclusiveMessagesSentBackToBackAllArriveInOrder) {
  HMIDIOUT output = OpenPeersInputAsOutput();
  ASSERT_NE(output, nullptr);
  std::vector<Bytes> sent;
  for (uint8_t command = 0x0A; command <= 0x0D; ++command)
    sent.push_back(Bytes{0xF0, 0x7D, 0x7F, 0x31, command, 0x00, 0x01, 0x00, 0xF7});
  std::vector<MIDIHDR> headers(sent.size());
  for (size_t index = 0; index < sent.size(); ++index) {
    headers[index].lpData = reinterpret_cast<char*>(sent[index].data());
    headers[index].dwBufferLength = static_cast<uint32_t>(sent[index].size());
    ASSERT_EQ(mServices->MidiOutPrepareHeader(output, &headers[index], kMidiHeaderSize), MMSYSERR_NOERROR);
    ASSERT_EQ(mServices->MidiOutLongMsg(output, &headers[index], kMidiHeaderSize), MMSYSERR_NOERROR);
    ASSERT_EQ(mRecorder.WaitFor(MOM_DONE, index + 1).size(), index + 1);
  }
  EXPECT_EQ(mPeer->WaitForReceived(sent.size()), sent);
  for (MIDIHDR& header : headers)
    EXPECT_EQ(mServices->MidiOutUnprepareHeader(output, &header, kMidiHeaderSize), MMSYSERR_NOERROR);
  EXPECT_EQ(mServices->MidiOutClose(output), MMSYSERR_NOERROR);
}

TEST_F(JackRtMidiBackend, ReceivesALongSystemExclusiveMessageAcrossCaptureBuffers) {
  HMIDIIN input = OpenPeersOutputAsInput();
  ASSERT_NE(input, nullptr);
  struct Buffer {
    std::array<char, 256> data{};
    MIDIHDR header{data.data(), 256, 0, 0, 0};
  };
  std::array<Buffer, 3> buffers;
  for (Buffer& buffer : buffers) {
    ASSERT_EQ(mServices->MidiInPrepareHeader(input, &buffer.header, kMidiHeaderSize), MMSYSERR_NOERROR);
    ASSERT_EQ(mServices->MidiInAddBuffer(input, &buffer.header, kMidiHeaderSize), MMSYSERR_NOERROR);
  }
  mRecorder.SetReaction([&](const RecordedCallback& callback) {
    if (callback.message == MIM_LONGDATA) mServices->MidiInAddBuffer(input, callback.Header(), kMidiHeaderSize);
  });
  ASSERT_EQ(mServices->MidiInStart(input), MMSYSERR_NOERROR);

  const Bytes sysex = SystemExclusiveInStepsOf7(1000);
  mPeer->Send(sysex);
  mPeer->Send({0x90, 0x40, 0x7F});
  const auto notes = mRecorder.WaitFor(MIM_DATA, 1);
  const auto returned = mRecorder.AllOf(MIM_LONGDATA);

  std::vector<size_t> sizes;
  Bytes joined;
  for (const RecordedCallback& callback : returned) {
    sizes.push_back(callback.recorded.size());
    joined.insert(joined.end(), callback.recorded.begin(), callback.recorded.end());
  }
  EXPECT_EQ(sizes, (std::vector<size_t>{256, 256, 256, 232}));
  EXPECT_EQ(joined, sysex);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].param1, 0x7F4090u);

  mRecorder.SetReaction(nullptr);
  EXPECT_EQ(mServices->MidiInReset(input), MMSYSERR_NOERROR);
  for (Buffer& buffer : buffers) {
    EXPECT_EQ(mServices->MidiInUnprepareHeader(input, &buffer.header, kMidiHeaderSize), MMSYSERR_NOERROR);
  }
  EXPECT_EQ(mServices->MidiInClose(input), MMSYSERR_NOERROR);
}

TEST_F(JackRtMidiBackend, AnOpenPortIsPresentUntilThePeerLeaves) {
  HMIDIIN input = OpenPeersOutputAsInput();
  ASSERT_NE(input, nullptr);
  MIDIINCAPS caps;
  ASSERT_EQ(mServices->MidiInGetDevCaps(input, &caps, sizeof(caps)), MMSYSERR_NOERROR);
  EXPECT_EQ(std::u16string(caps.szPname), u"Corvex");

  mPeer.reset();
  EXPECT_EQ(mServices->MidiInGetDevCaps(input, &caps, sizeof(caps)), MMSYSERR_NODRIVER);
  EXPECT_EQ(mServices->MidiInGetNumDevs(), 0u);
  EXPECT_EQ(mServices->MidiInClose(input), MMSYSERR_NOERROR);
}

// JACK keeps a port's name when its client leaves and comes back under the same
// name, and may even hand it the same port identifier; the connections opened on
// the old port dropped with it, so their handles read as gone.
TEST_F(JackRtMidiBackend, HandlesOnAPeerThatLeftAndCameBackUnderTheSameNameAreGone) {
  HMIDIIN input = OpenPeersOutputAsInput();
  HMIDIOUT output = OpenPeersInputAsOutput();
  ASSERT_NE(input, nullptr);
  ASSERT_NE(output, nullptr);

  mPeer.reset();
  std::string error;
  mPeer = JackMidiPeer::Create("Corvex", error);
  ASSERT_NE(mPeer, nullptr) << error;

  MIDIINCAPS inputCaps;
  MIDIOUTCAPS outputCaps;
  EXPECT_EQ(mServices->MidiInGetDevCaps(input, &inputCaps, sizeof(inputCaps)), MMSYSERR_NODRIVER);
  EXPECT_EQ(mServices->MidiOutGetDevCaps(output, &outputCaps, sizeof(outputCaps)), MMSYSERR_NODRIVER);
  EXPECT_EQ(mServices->MidiOutClose(output), MMSYSERR_NOERROR);
  EXPECT_EQ(mServices->MidiInClose(input), MMSYSERR_NOERROR);

  input = OpenPeersOutputAsInput();
  output = OpenPeersInputAsOutput();
  EXPECT_EQ(mServices->MidiInGetDevCaps(input, &inputCaps, sizeof(inputCaps)), MMSYSERR_NOERROR)
      << "handles opened on the new peer stand";
  EXPECT_EQ(mServices->MidiOutGetDevCaps(output, &outputCaps, sizeof(outputCaps)), MMSYSERR_NOERROR);
  EXPECT_EQ(mServices->MidiOutClose(output), MMSYSERR_NOERROR);
  EXPECT_EQ(mServices->MidiInClose(input), MMSYSERR_NOERROR);
}

// A closed port's RtMidi object, with its JACK client, is kept for the next open
// rather than destroyed while its process callback may run: the port opened again
// belongs to the same client, and messages still flow both ways through it.
TEST_F(JackRtMidiBackend, PortsOpenedAgainUseTheClientOfTheClosedOnesAndCarryMessages) {
  const JackClientLook look;
  ASSERT_TRUE(look.Works());
  std::vector<std::string> inputClients;
  std::vector<std::string> outputClients;
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    HMIDIOUT output = OpenPeersInputAsOutput();
    HMIDIIN input = OpenPeersOutputAsInput();
    ASSERT_NE(output, nullptr);
    ASSERT_NE(input, nullptr);
    ASSERT_EQ(mServices->MidiInStart(input), MMSYSERR_NOERROR);
    outputClients.push_back(look.ClientConnectedTo(mPeer->InputPortName()));
    inputClients.push_back(look.ClientConnectedTo(mPeer->OutputPortName()));
    ASSERT_NE(outputClients.back(), "");
    ASSERT_NE(inputClients.back(), "");

    const uint8_t velocity = static_cast<uint8_t>(0x10 + round);
    ASSERT_EQ(mServices->MidiOutShortMsg(output, 0x000090 | velocity << 16 | 0x3C << 8), MMSYSERR_NOERROR);
    const auto received = mPeer->WaitForReceived(static_cast<size_t>(round) + 1);
    ASSERT_EQ(received.size(), static_cast<size_t>(round) + 1);
    EXPECT_EQ(received.back(), (Bytes{0x90, 0x3C, velocity}));
    mPeer->Send({0x80, 0x3C, velocity});
    const auto captured = mRecorder.WaitFor(MIM_DATA, static_cast<size_t>(round) + 1);
    ASSERT_EQ(captured.size(), static_cast<size_t>(round) + 1);
    EXPECT_EQ(captured.back().param1, 0x000080u | velocity << 16 | 0x3C << 8);

    EXPECT_EQ(mServices->MidiOutClose(output), MMSYSERR_NOERROR);
    EXPECT_EQ(mServices->MidiInClose(input), MMSYSERR_NOERROR);
  }
  EXPECT_EQ(std::set<std::string>(outputClients.begin(), outputClients.end()).size(), 1u)
      << "each open of the output made a JACK client of its own";
  EXPECT_EQ(std::set<std::string>(inputClients.begin(), inputClients.end()).size(), 1u)
      << "each open of the input made a JACK client of its own";
}

TEST_F(JackRtMidiBackend, HasNoPortsOnceTheServerHasStopped) {
  ASSERT_EQ(mBackend->ListInputs().size(), 1u);
  mPeer.reset();
  mServer->Stop();
  // The server's end reaches the backend through the JACK library's own thread.
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  while (!mBackend->ListInputs().empty() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(20ms);
  }
  EXPECT_TRUE(mBackend->ListInputs().empty());
  EXPECT_TRUE(mBackend->ListOutputs().empty());
}

TEST(RtMidiBackend, HasNoJackPortsWithoutAServerAndPrintsNothing) {
  const std::string absent = "corvex-test-absent-" + std::to_string(getpid());
  setenv("JACK_DEFAULT_SERVER", absent.c_str(), 1);
  setenv("JACK_NO_START_SERVER", "1", 1);
  testing::internal::CaptureStderr();
  testing::internal::CaptureStdout();
  {
    RtMidiBackend jackOnly(RtMidiBackend::Options{{MidiPortApi::Jack}});
    EXPECT_TRUE(jackOnly.ListInputs().empty());
    EXPECT_TRUE(jackOnly.ListOutputs().empty());
    MidiServices services(std::make_shared<RtMidiBackend>());
    services.MidiInGetNumDevs();
    services.MidiOutGetNumDevs();
  }
  const std::string printed = testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr();
  EXPECT_EQ(printed, "");
}

// Without a server each look would pay the JACK library's set-up, twice a second for
// as long as the program runs; a server that comes is found at the next look due.
TEST(JackRtMidiBackendRetry, AServerThatAppearsIsAskedForAgainOnlyOnceTheRetryIntervalHasPassed) {
  const std::string absent = "corvex-test-absent-" + std::to_string(getpid());
  setenv("JACK_DEFAULT_SERVER", absent.c_str(), 1);
  std::chrono::steady_clock::time_point now{};
  RtMidiBackend::Options options{{MidiPortApi::Jack}};
  options.jackRetry = {.interval = 5s, .now = [&now] { return now; }};
  auto backend = std::make_unique<RtMidiBackend>(options);
  EXPECT_TRUE(backend->ListInputs().empty());

  std::string error;
  const std::unique_ptr<Testing::Midi::JackServer> server = Testing::Midi::JackServer::Start(error);
  ASSERT_NE(server, nullptr) << error;
  std::unique_ptr<JackMidiPeer> peer = JackMidiPeer::Create("Corvex", error);
  ASSERT_NE(peer, nullptr) << error;
  now += 4s;
  EXPECT_TRUE(backend->ListInputs().empty());
  now += 1s;
  EXPECT_EQ(backend->ListInputs().size(), 1u);

  backend.reset();
  peer.reset();
}

TEST(RtMidiBackend, RefusesAClientNameThatContainsTheControllersName) {
  EXPECT_THROW(RtMidiBackend(RtMidiBackend::Options{{MidiPortApi::Jack}, "My CORVEX tool"}), std::invalid_argument);
}

}  // namespace
}  // namespace Platform::Midi
