#include "Platform/Midi/MidiServices.h"

#include "Platform/Midi/FakeMidiBackend.h"
#include "tests/Platform/Midi/MidiCallbackRecorder.h"

#include <gtest/gtest.h>

#include <array>
#include <future>
#include <latch>
#include "tests/Support/CaseName.h"

namespace Platform::Midi {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;
constexpr uint32_t kOpenFlags = CALLBACK_FUNCTION | MIDI_IO_STATUS;

// A capture buffer as a client keeps it: a header over 256 bytes of its own.
struct CaptureBuffer {
  CaptureBuffer() {
    header.lpData = data.data();
    header.dwBufferLength = static_cast<uint32_t>(data.size());
    header.dwUser = reinterpret_cast<uintptr_t>(this);
  }
  std::array<char, 256> data{};
  MIDIHDR header;
};

// A long message as a client sends it.
struct LongMessage {
  explicit LongMessage(Bytes message) : bytes(std::move(message)) {
    header.lpData = reinterpret_cast<char*>(bytes.data());
    header.dwBufferLength = static_cast<uint32_t>(bytes.size());
  }
  Bytes bytes;
  MIDIHDR header;
};

// F0, count - 2 data bytes, F7.
Bytes SystemExclusiveCountingUp(size_t count) {
  Bytes message(count);
  for (size_t index = 0; index < count; ++index) message[index] = static_cast<uint8_t>(index & 0x7F);
  message.front() = 0xF0;
  message.back() = 0xF7;
  return message;
}

std::vector<size_t> RecordedSizes(const std::vector<RecordedCallback>& callbacks) {
  std::vector<size_t> sizes;
  for (const RecordedCallback& callback : callbacks) sizes.push_back(callback.recorded.size());
  return sizes;
}

Bytes Joined(const std::vector<RecordedCallback>& callbacks) {
  Bytes joined;
  for (const RecordedCallback& callback : callbacks) {
    joined.insert(joined.end(), callback.recorded.begin(), callback.recorded.end());
  }
  return joined;
}

class MidiServicesTest : public testing::Test {
protected:
  HMIDIIN OpenInput(uint32_t deviceId = 0) {
    HMIDIIN handle = nullptr;
    EXPECT_EQ(mServices.MidiInOpen(&handle, deviceId, &MidiCallbackRecorder::InputCallback,
                                   mRecorder.Instance(), kOpenFlags),
              MMSYSERR_NOERROR);
    return handle;
  }

  HMIDIOUT OpenOutput(uint32_t deviceId = 0) {
    HMIDIOUT handle = nullptr;
    EXPECT_EQ(mServices.MidiOutOpen(&handle, deviceId, &MidiCallbackRecorder::OutputCallback,
                                    mRecorder.Instance(), CALLBACK_FUNCTION),
              MMSYSERR_NOERROR);
    return handle;
  }

  // Opens and starts the input of mInputPort.
  HMIDIIN StartedInput() {
    mServices.MidiInGetNumDevs();
    HMIDIIN handle = OpenInput();
    EXPECT_EQ(mServices.MidiInStart(handle), MMSYSERR_NOERROR);
    return handle;
  }

  void Arm(HMIDIIN handle, CaptureBuffer& buffer) {
    ASSERT_EQ(mServices.MidiInPrepareHeader(handle, &buffer.header, kMidiHeaderSize), MMSYSERR_NOERROR);
    ASSERT_EQ(mServices.MidiInAddBuffer(handle, &buffer.header, kMidiHeaderSize), MMSYSERR_NOERROR);
  }

  // Makes every returned capture buffer go back into the queue from its callback.
  void ReAddBuffersFromTheCallback(HMIDIIN handle) {
    mRecorder.SetReaction([this, handle](const RecordedCallback& callback) {
      if (callback.message == MIM_LONGDATA) mServices.MidiInAddBuffer(handle, callback.Header(), kMidiHeaderSize);
    });
  }

  MidiInputDrops DropsOf(HMIDIIN handle) {
    MidiInputDrops drops;
    EXPECT_EQ(mServices.MidiInGetDrops(handle, &drops), MMSYSERR_NOERROR);
    return drops;
  }

  MidiCallbackRecorder mRecorder;  // outlives the services, which call it
  std::shared_ptr<FakeMidiBackend> mBackend = std::make_shared<FakeMidiBackend>();
  FakeMidiBackend::PortId mInputPort = mBackend->AddInputPort(u"Corvex");
  FakeMidiBackend::PortId mOutputPort = mBackend->AddOutputPort(u"Corvex");
  MidiServices mServices{mBackend};
};

// ---- devices ---------------------------------------------------------------------

TEST_F(MidiServicesTest, NumbersTheDevicesOfTheLastListAndFollowsPlugging) {
  const auto other = mBackend->AddInputPort(u"Other keyboard");
  ASSERT_EQ(mServices.MidiInGetNumDevs(), 2u);
  MIDIINCAPS caps;
  ASSERT_EQ(mServices.MidiInGetDevCaps(1u, &caps, sizeof(caps)), MMSYSERR_NOERROR);
  EXPECT_EQ(std::u16string(caps.szPname), u"Other keyboard");

  mBackend->RemovePort(other);
  EXPECT_EQ(mServices.MidiInGetDevCaps(1u, &caps, sizeof(caps)), MMSYSERR_NOERROR)
      << "numbers stay those of the last list until the devices are counted again";
  ASSERT_EQ(mServices.MidiInGetNumDevs(), 1u);
  EXPECT_EQ(mServices.MidiInGetDevCaps(1u, &caps, sizeof(caps)), MMSYSERR_BADDEVICEID);

  MIDIOUTCAPS outputCaps;
  ASSERT_EQ(mServices.MidiOutGetNumDevs(), 1u);
  ASSERT_EQ(mServices.MidiOutGetDevCaps(0u, &outputCaps, sizeof(outputCaps)), MMSYSERR_NOERROR);
  EXPECT_EQ(std::u16string(outputCaps.szPname), u"Corvex");
  EXPECT_EQ(outputCaps.wTechnology, MOD_MIDIPORT);
}

TEST_F(MidiServicesTest, CutsLongProductNamesToTheCapabilitiesField) {
  mBackend->RemovePort(mInputPort);
  mBackend->AddInputPort(std::u16string(30, u'x') + u"\U0001F3B9" + u"tail");
  ASSERT_EQ(mServices.MidiInGetNumDevs(), 1u);
  MIDIINCAPS caps;
  ASSERT_EQ(mServices.MidiInGetDevCaps(0u, &caps, sizeof(caps)), MMSYSERR_NOERROR);
  EXPECT_EQ(std::u16string(caps.szPname), std::u16string(30, u'x'))
      << "cut to 31 units, and never between the halves of a surrogate pair";
}

TEST_F(MidiServicesTest, AnOpenHandlesCapabilitiesTellWhetherThatVeryPortIsStillThere) {
  HMIDIIN input = StartedInput();
  MIDIINCAPS caps;
  EXPECT_EQ(mServices.MidiInGetDevCaps(input, &caps, sizeof(caps)), MMSYSERR_NOERROR);

  mBackend->RemovePort(mInputPort);
  EXPECT_EQ(mServices.MidiInGetDevCaps(input, &caps, sizeof(caps)), MMSYSERR_NODRIVER);
  mBackend->AddInputPort(u"Corvex");
  EXPECT_EQ(mServices.MidiInGetDevCaps(input, &caps, sizeof(caps)), MMSYSERR_NODRIVER)
      << "a device plugged in again is another port";

  ASSERT_EQ(mServices.MidiInClose(input), MMSYSERR_NOERROR);
  EXPECT_EQ(mServices.MidiInGetDevCaps(input, &caps, sizeof(caps)), MMSYSERR_INVALHANDLE);
}

TEST_F(MidiServicesTest, NeverReusesAHandle) {
  mServices.MidiInGetNumDevs();
  HMIDIIN first = OpenInput();
  ASSERT_EQ(mServices.MidiInClose(first), MMSYSERR_NOERROR);
  HMIDIIN second = OpenInput();
  EXPECT_NE(first, second);
  EXPECT_EQ(mServices.MidiInStart(first), MMSYSERR_INVALHANDLE);
  EXPECT_EQ(mServices.MidiInClose(first), MMSYSERR_INVALHANDLE);
}

TEST_F(MidiServicesTest, RefusesBadOpenArguments) {
  mServices.MidiInGetNumDevs();
  HMIDIIN handle = reinterpret_cast<HMIDIIN>(uintptr_t{77});
  EXPECT_EQ(mServices.MidiInOpen(&handle, 5, &MidiCallbackRecorder::InputCallback, 0, kOpenFlags),
            MMSYSERR_BADDEVICEID);
  EXPECT_EQ(handle, nullptr) << "a failed open leaves no handle";
  EXPECT_EQ(mServices.MidiInOpen(&handle, 0, nullptr, 0, CALLBACK_FUNCTION), MMSYSERR_INVALPARAM);
  EXPECT_EQ(mServices.MidiInOpen(&handle, 0, &MidiCallbackRecorder::InputCallback, 0, 0x40000),
            MMSYSERR_INVALFLAG);
  EXPECT_EQ(mServices.MidiInOpen(nullptr, 0, &MidiCallbackRecorder::InputCallback, 0, kOpenFlags),
            MMSYSERR_INVALPARAM);
  EXPECT_EQ(mBackend->OpenInputCount(mInputPort), 0u);
}

// ---- short input -----------------------------------------------------------------

TEST_F(MidiServicesTest, DeliversOpenFirstThenShortMessagesAsPackedWordsWithTimeStamps) {
  const auto started = std::chrono::steady_clock::now();
  HMIDIIN input = StartedInput();
  mBackend->Inject(mInputPort, {0x90, 0x40, 0x7F, 0xC0, 0x05});
  mBackend->Inject(mInputPort, {0xF8});
  const auto data = mRecorder.WaitFor(MIM_DATA, 3);
  const auto elapsed = std::chrono::steady_clock::now() - started;

  const auto all = mRecorder.All();
  ASSERT_FALSE(all.empty());
  EXPECT_EQ(all.front().message, MIM_OPEN);
  ASSERT_EQ(data.size(), 3u);
  EXPECT_EQ(data[0].param1, 0x7F4090u);
  EXPECT_EQ(data[1].param1, 0x05C0u);
  EXPECT_EQ(data[2].param1, 0xF8u);
  EXPECT_EQ(data[0].handle, reinterpret_cast<uintptr_t>(input));
  EXPECT_LE(data[2].param2, static_cast<uintptr_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()))
      << "time stamps count from the start";
}

TEST_F(MidiServicesTest, DeliversNothingBeforeStartOrAfterStop) {
  mServices.MidiInGetNumDevs();
  HMIDIIN input = OpenInput();
  mBackend->Inject(mInputPort, {0x90, 0x40, 0x7F});
  ASSERT_EQ(mServices.MidiInStart(input), MMSYSERR_NOERROR);
  mBackend->Inject(mInputPort, {0x90, 0x41, 0x7F});
  ASSERT_EQ(mServices.MidiInStop(input), MMSYSERR_NOERROR);
  mBackend->Inject(mInputPort, {0x90, 0x42, 0x7F});
  mServices.WaitForCallbacks();

  const auto data = mRecorder.AllOf(MIM_DATA);
  ASSERT_EQ(data.size(), 1u);
  EXPECT_EQ(data[0].param1, 0x7F4190u);
}

TEST_F(MidiServicesTest, ReportsBytesThatBeginNoMessageAsErrors) {
  StartedInput();
  mBackend->Inject(mInputPort, {0x40, 0x41});
  const auto errors = mRecorder.WaitFor(MIM_ERROR, 2);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0].param1, 0x40u);
}

// ---- System Exclusive into capture buffers ---------------------------------------

struct SplitCase {
  const char* what;
  size_t length;
  size_t buffersQueued;
  bool reAddedFromTheCallback;
  std::vector<size_t> filled;
  uint64_t droppedBytes;
};

class MidiServicesSplitting : public MidiServicesTest, public testing::WithParamInterface<SplitCase> {};

TEST_P(MidiServicesSplitting, FillsTheQueuedBuffersAsThePlatformDoes) {
  const SplitCase& row = GetParam();
  HMIDIIN input = StartedInput();
  std::array<CaptureBuffer, 3> buffers;
  for (size_t index = 0; index < row.buffersQueued; ++index) Arm(input, buffers[index]);
  if (row.reAddedFromTheCallback) ReAddBuffersFromTheCallback(input);

  const Bytes message = SystemExclusiveCountingUp(row.length);
  mBackend->Inject(mInputPort, message);
  mServices.WaitForCallbacks();

  const auto returned = mRecorder.AllOf(MIM_LONGDATA);
  EXPECT_EQ(RecordedSizes(returned), row.filled) << row.what;
  const Bytes joined = Joined(returned);
  EXPECT_TRUE(std::equal(joined.begin(), joined.end(), message.begin())) << row.what;
  for (const RecordedCallback& callback : returned) {
    EXPECT_EQ(callback.flags & (MHDR_DONE | MHDR_INQUEUE), MHDR_DONE) << row.what;
    EXPECT_EQ(callback.param2, mRecorder.AllOf(MIM_LONGDATA).front().param2) << row.what;
  }
  EXPECT_EQ(DropsOf(input).bytes, row.droppedBytes) << row.what;
  EXPECT_EQ(DropsOf(input).messages, row.droppedBytes > 0 ? 1u : 0u) << row.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, MidiServicesSplitting, testing::Values(
    SplitCase{"600 bytes fill 256, 256 and 88", 600, 3, false, {256, 256, 88}, 0},
    SplitCase{"a message ending exactly at a buffer's end fills one", 256, 3, false, {256}, 0},
    SplitCase{"512 bytes fill two whole buffers", 512, 3, false, {256, 256}, 0},
    SplitCase{"a short message fits one buffer", 32, 3, false, {32}, 0},
    SplitCase{"one buffer re-added in each callback carries any length", 600, 1, true, {256, 256, 88}, 0},
    SplitCase{"what no queued buffer takes is dropped and counted", 600, 1, false, {256}, 344},
    SplitCase{"with no buffer queued the whole message is dropped", 600, 0, false, {}, 600}),
    SV::Testing::NameFromWhat());

TEST_F(MidiServicesTest, HandsOutBuffersFirstInFirstOut) {
  HMIDIIN input = StartedInput();
  std::array<CaptureBuffer, 3> buffers;
  for (CaptureBuffer& buffer : buffers) Arm(input, buffer);
  mBackend->Inject(mInputPort, SystemExclusiveCountingUp(10));
  mBackend->Inject(mInputPort, SystemExclusiveCountingUp(20));
  const auto returned = mRecorder.WaitFor(MIM_LONGDATA, 2);
  ASSERT_EQ(returned.size(), 2u);
  EXPECT_EQ(returned[0].Header(), &buffers[0].header);
  EXPECT_EQ(returned[1].Header(), &buffers[1].header);
  EXPECT_EQ(returned[1].Header()->dwUser, reinterpret_cast<uintptr_t>(&buffers[1]));
}

TEST_F(MidiServicesTest, CountsSystemExclusiveBeyondTheLengthLimitAsDropped) {
  HMIDIIN input = StartedInput();
  CaptureBuffer buffer;
  Arm(input, buffer);
  ReAddBuffersFromTheCallback(input);
  mBackend->Inject(mInputPort, SystemExclusiveCountingUp(70000));
  mServices.WaitForCallbacks();

  const Bytes joined = Joined(mRecorder.AllOf(MIM_LONGDATA));
  EXPECT_EQ(joined.size(), MidiInputParser::kSystemExclusiveLimit);
  EXPECT_EQ(joined.back(), 0xF7);
  EXPECT_EQ(DropsOf(input).bytes, 70000 - MidiInputParser::kSystemExclusiveLimit);
}

// ---- buffer life cycle -----------------------------------------------------------

TEST_F(MidiServicesTest, RefusesBuffersThatAreNotPreparedOrAlreadyQueued) {
  HMIDIIN input = StartedInput();
  CaptureBuffer buffer;
  EXPECT_EQ(mServices.MidiInAddBuffer(input, &buffer.header, kMidiHeaderSize), MIDIERR_UNPREPARED);
  Arm(input, buffer);
  EXPECT_EQ(mServices.MidiInAddBuffer(input, &buffer.header, kMidiHeaderSize), MIDIERR_STILLPLAYING);
  EXPECT_EQ(mServices.MidiInAddBuffer(input, &buffer.header, kMidiHeaderSize - 1), MMSYSERR_INVALPARAM);
  EXPECT_EQ(buffer.header.dwFlags, MHDR_PREPARED | MHDR_INQUEUE);
}

TEST_F(MidiServicesTest, StopKeepsTheBuffersQueuedSoTheyCanBeNeitherUnpreparedNorClosedOn) {
  HMIDIIN input = StartedInput();
  CaptureBuffer buffer;
  Arm(input, buffer);
  ASSERT_EQ(mServices.MidiInStop(input), MMSYSERR_NOERROR);
  EXPECT_EQ(mServices.MidiInUnprepareHeader(input, &buffer.header, kMidiHeaderSize), MIDIERR_STILLPLAYING);
  EXPECT_EQ(mServices.MidiInClose(input), MIDIERR_STILLPLAYING);

  ASSERT_EQ(mServices.MidiInStart(input), MMSYSERR_NOERROR);
  mBackend->Inject(mInputPort, SystemExclusiveCountingUp(40));
  EXPECT_EQ(RecordedSizes(mRecorder.WaitFor(MIM_LONGDATA, 1)), std::vector<size_t>{40})
      << "the buffer queued before the stop serves after the restart";
}

TEST_F(MidiServicesTest, ResetHandsBackEveryQueuedBufferMarkedDoneAndThenAllowsClosing) {
  HMIDIIN input = StartedInput();
  std::array<CaptureBuffer, 3> buffers;
  for (CaptureBuffer& buffer : buffers) Arm(input, buffer);

  ASSERT_EQ(mServices.MidiInReset(input), MMSYSERR_NOERROR);
  const auto returned = mRecorder.AllOf(MIM_LONGDATA);
  ASSERT_EQ(returned.size(), 3u) << "handed back before the reset returns";
  for (CaptureBuffer& buffer : buffers) {
    EXPECT_EQ(buffer.header.dwFlags, MHDR_PREPARED | MHDR_DONE);
    EXPECT_EQ(mServices.MidiInUnprepareHeader(input, &buffer.header, kMidiHeaderSize), MMSYSERR_NOERROR);
  }
  for (size_t index = 0; index < returned.size(); ++index) {
    EXPECT_EQ(returned[index].Header(), &buffers[index].header);
    EXPECT_TRUE(returned[index].recorded.empty());
  }
  EXPECT_EQ(mServices.MidiInClose(input), MMSYSERR_NOERROR);
}

// Holds the callback thread inside a callback of another input until released, so
// that what happens meanwhile is queued behind it.
class CallbackThreadBlocker {
public:
  CallbackThreadBlocker(MidiServices& services, FakeMidiBackend& backend) : mServices(services) {
    const auto port = backend.AddInputPort(u"Blocker");
    const uint32_t deviceId = services.MidiInGetNumDevs() - 1;
    EXPECT_EQ(services.MidiInOpen(&mHandle, deviceId, &CallbackThreadBlocker::Callback,
                                  reinterpret_cast<uintptr_t>(this), CALLBACK_FUNCTION),
              MMSYSERR_NOERROR);
    services.MidiInStart(mHandle);
    backend.Inject(port, {0xFE});
    mEntered.wait();
  }
  ~CallbackThreadBlocker() {
    Release();
    mServices.WaitForCallbacks();
    mServices.MidiInClose(mHandle);
  }
  void Release() {
    if (!mReleased.exchange(true)) mRelease.count_down();
  }

private:
  static void Callback(HMIDIIN, uint32_t message, uintptr_t instance, uintptr_t, uintptr_t) {
    auto& self = *reinterpret_cast<CallbackThreadBlocker*>(instance);
    if (message != MIM_DATA) return;
    self.mEntered.count_down();
    self.mRelease.wait();
  }

  MidiServices& mServices;
  HMIDIIN mHandle = nullptr;
  std::latch mEntered{1};
  std::latch mRelease{1};
  std::atomic<bool> mReleased{false};
};

TEST_F(MidiServicesTest, ResetDropsWhatWasReceivedButNotYetDelivered) {
  HMIDIIN input = StartedInput();
  CaptureBuffer buffer;
  Arm(input, buffer);
  {
    CallbackThreadBlocker blocker(mServices, *mBackend);
    mBackend->Inject(mInputPort, {0x90, 0x40, 0x7F});
    mBackend->Inject(mInputPort, SystemExclusiveCountingUp(50));
    ASSERT_EQ(mServices.MidiInReset(input), MMSYSERR_NOERROR);
  }
  mServices.WaitForCallbacks();
  EXPECT_TRUE(mRecorder.AllOf(MIM_DATA).empty());
  const auto returned = mRecorder.AllOf(MIM_LONGDATA);
  ASSERT_EQ(returned.size(), 1u);
  EXPECT_TRUE(returned[0].recorded.empty()) << "the buffer comes back empty, as the reset handed it";
}

TEST_F(MidiServicesTest, StartsNoCallbackForAHandleOnceItsCloseHasReturned) {
  HMIDIIN input = StartedInput();
  mServices.MidiOutGetNumDevs();
  HMIDIOUT output = OpenOutput();
  mBackend->SetSendCompletion(MidiSendCompletion::Delayed, 1ms);
  LongMessage message(SystemExclusiveCountingUp(9));
  ASSERT_EQ(mServices.MidiOutPrepareHeader(output, &message.header, kMidiHeaderSize), MMSYSERR_NOERROR);
  {
    CallbackThreadBlocker blocker(mServices, *mBackend);
    for (int index = 0; index < 100; ++index) mBackend->Inject(mInputPort, {0x90, 0x40, 0x7F});
    ASSERT_EQ(mServices.MidiOutLongMsg(output, &message.header, kMidiHeaderSize), MMSYSERR_NOERROR);
    ASSERT_EQ(mServices.MidiOutReset(output), MMSYSERR_NOERROR);
    ASSERT_EQ(mServices.MidiInClose(input), MMSYSERR_NOERROR);
    ASSERT_EQ(mServices.MidiOutClose(output), MMSYSERR_NOERROR);
  }
  mServices.WaitForCallbacks();
  std::vector<uint32_t> messages;
  for (const RecordedCallback& callback : mRecorder.All()) messages.push_back(callback.message);
  EXPECT_EQ(messages, (std::vector<uint32_t>{MIM_OPEN, MOM_OPEN, MOM_DONE}))
      << "only the opens and the reset's hand-back came before the closes";
}

TEST_F(MidiServicesTest, WaitForCallbacksReturnsAtOnceInsideACallback) {
  HMIDIIN input = StartedInput();
  std::promise<void> waited;
  mRecorder.SetReaction([&](const RecordedCallback& callback) {
    if (callback.message != MIM_DATA) return;
    mServices.WaitForCallbacks();
    waited.set_value();
  });
  mBackend->Inject(mInputPort, {0xF8});
  EXPECT_EQ(waited.get_future().wait_for(10s), std::future_status::ready);
  mRecorder.SetReaction(nullptr);
  EXPECT_EQ(mServices.MidiInStop(input), MMSYSERR_NOERROR);
}

TEST_F(MidiServicesTest, DropsAndCountsInputBeyondTheDeliveryBacklog) {
  HMIDIIN input = StartedInput();
  const size_t messages = MidiServices::kDeliveryBacklogLimit / 60000 + 3;
  {
    CallbackThreadBlocker blocker(mServices, *mBackend);
    for (size_t index = 0; index < messages; ++index) mBackend->Inject(mInputPort, SystemExclusiveCountingUp(60000));
    EXPECT_GT(DropsOf(input).messages, 0u);
  }
  mServices.WaitForCallbacks();
  mBackend->Inject(mInputPort, {0xF8});
  EXPECT_EQ(mRecorder.WaitFor(MIM_DATA, 1).size(), 1u) << "input flows again once delivered";
}

TEST_F(MidiServicesTest, ClosesWhatIsStillOpenWhenDestroyed) {
  {
    MidiServices services(mBackend);
    services.MidiInGetNumDevs();
    services.MidiOutGetNumDevs();
    HMIDIIN input = nullptr;
    HMIDIOUT output = nullptr;
    ASSERT_EQ(services.MidiInOpen(&input, 0, nullptr, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    ASSERT_EQ(services.MidiOutOpen(&output, 0, nullptr, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    services.MidiInStart(input);
    mBackend->Inject(mInputPort, {0x90, 0x40, 0x7F});
    EXPECT_EQ(mBackend->OpenInputCount(mInputPort), 1u);
  }
  EXPECT_EQ(mBackend->OpenInputCount(mInputPort), 0u);
  EXPECT_EQ(mBackend->OpenOutputCount(mOutputPort), 0u);
}

// ---- output ----------------------------------------------------------------------

struct ShortSendCase {
  const char* what;
  uint32_t word;
  MMRESULT result;
  Bytes sent;
};

class MidiServicesShortSends : public MidiServicesTest, public testing::WithParamInterface<ShortSendCase> {};

TEST_P(MidiServicesShortSends, SendsAsManyBytesAsTheStatusByteSays) {
  mServices.MidiOutGetNumDevs();
  HMIDIOUT output = OpenOutput();
  EXPECT_EQ(mServices.MidiOutShortMsg(output, GetParam().word), GetParam().result) << GetParam().what;
  const auto sent = mBackend->Sent();
  if (GetParam().sent.empty()) {
    EXPECT_TRUE(sent.empty()) << GetParam().what;
  } else {
    ASSERT_EQ(sent.size(), 1u) << GetParam().what;
    EXPECT_EQ(sent[0].bytes, GetParam().sent) << GetParam().what;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, MidiServicesShortSends, testing::Values(
    ShortSendCase{"note on", 0x7F4090, MMSYSERR_NOERROR, {0x90, 0x40, 0x7F}},
    ShortSendCase{"program change ignores the third byte", 0x7F05C0, MMSYSERR_NOERROR, {0xC0, 0x05}},
    ShortSendCase{"clock", 0xF8, MMSYSERR_NOERROR, {0xF8}},
    ShortSendCase{"song position", 0x0201F2, MMSYSERR_NOERROR, {0xF2, 0x01, 0x02}},
    ShortSendCase{"running status is not supported", 0x7F40, MMSYSERR_INVALPARAM, {}},
    ShortSendCase{"System Exclusive is no short message", 0xF7F0, MMSYSERR_INVALPARAM, {}}),
    SV::Testing::NameFromWhat());

TEST_F(MidiServicesTest, SendsALongMessageAndHandsItBackWithMomDone) {
  mServices.MidiOutGetNumDevs();
  HMIDIOUT output = OpenOutput();
  LongMessage message(SystemExclusiveCountingUp(600));
  EXPECT_EQ(mServices.MidiOutLongMsg(output, &message.header, kMidiHeaderSize), MIDIERR_UNPREPARED);
  ASSERT_EQ(mServices.MidiOutPrepareHeader(output, &message.header, kMidiHeaderSize), MMSYSERR_NOERROR);
  ASSERT_EQ(mServices.MidiOutLongMsg(output, &message.header, kMidiHeaderSize), MMSYSERR_NOERROR);

  const auto done = mRecorder.WaitFor(MOM_DONE, 1);
  ASSERT_EQ(done.size(), 1u);
  EXPECT_EQ(done[0].Header(), &message.header);
  EXPECT_EQ(done[0].flags, MHDR_PREPARED | MHDR_DONE);
  EXPECT_EQ(mRecorder.All().front().message, MOM_OPEN);
  ASSERT_EQ(mBackend->Sent().size(), 1u);
  EXPECT_EQ(mBackend->Sent()[0].bytes, message.bytes);
  EXPECT_EQ(mServices.MidiOutUnprepareHeader(output, &message.header, kMidiHeaderSize), MMSYSERR_NOERROR);
  EXPECT_EQ(mServices.MidiOutClose(output), MMSYSERR_NOERROR);
}

TEST_F(MidiServicesTest, HandsALongMessageBackOnlyAfterTheBackendsDelay) {
  mBackend->SetSendCompletion(MidiSendCompletion::Delayed, 100ms);
  mServices.MidiOutGetNumDevs();
  HMIDIOUT output = OpenOutput();
  LongMessage message(SystemExclusiveCountingUp(9));
  ASSERT_EQ(mServices.MidiOutPrepareHeader(output, &message.header, kMidiHeaderSize), MMSYSERR_NOERROR);
  const auto sent = std::chrono::steady_clock::now();
  ASSERT_EQ(mServices.MidiOutLongMsg(output, &message.header, kMidiHeaderSize), MMSYSERR_NOERROR);
  ASSERT_EQ(mRecorder.WaitFor(MOM_DONE, 1).size(), 1u);
  EXPECT_GE(std::chrono::steady_clock::now() - sent, 100ms);
}

TEST_F(MidiServicesTest, KeepsALongMessageThatNeverCompletesUntilReset) {
  mBackend->SetSendCompletion(MidiSendCompletion::Never);
  mServices.MidiOutGetNumDevs();
  HMIDIOUT output = OpenOutput();
  LongMessage message(SystemExclusiveCountingUp(9));
  ASSERT_EQ(mServices.MidiOutPrepareHeader(output, &message.header, kMidiHeaderSize), MMSYSERR_NOERROR);
  ASSERT_EQ(mServices.MidiOutLongMsg(output, &message.header, kMidiHeaderSize), MMSYSERR_NOERROR);
  EXPECT_EQ(mServices.MidiOutLongMsg(output, &message.header, kMidiHeaderSize), MIDIERR_STILLPLAYING);
  EXPECT_EQ(mServices.MidiOutUnprepareHeader(output, &message.header, kMidiHeaderSize), MIDIERR_STILLPLAYING);
  EXPECT_EQ(mServices.MidiOutClose(output), MIDIERR_STILLPLAYING);

  ASSERT_EQ(mServices.MidiOutReset(output), MMSYSERR_NOERROR);
  EXPECT_EQ(message.header.dwFlags, MHDR_PREPARED | MHDR_DONE);
  EXPECT_EQ(mRecorder.AllOf(MOM_DONE).size(), 1u) << "handed back before the reset returns";
  EXPECT_EQ(mServices.MidiOutUnprepareHeader(output, &message.header, kMidiHeaderSize), MMSYSERR_NOERROR);
  EXPECT_EQ(mServices.MidiOutClose(output), MMSYSERR_NOERROR);
}

TEST_F(MidiServicesTest, ReportsASendToAPortThatHasGone) {
  mServices.MidiOutGetNumDevs();
  HMIDIOUT output = OpenOutput();
  mBackend->RemovePort(mOutputPort);
  LongMessage message(SystemExclusiveCountingUp(9));
  ASSERT_EQ(mServices.MidiOutPrepareHeader(output, &message.header, kMidiHeaderSize), MMSYSERR_NOERROR);
  EXPECT_EQ(mServices.MidiOutLongMsg(output, &message.header, kMidiHeaderSize), MMSYSERR_NODRIVER);
  EXPECT_EQ(message.header.dwFlags, MHDR_PREPARED) << "a refused message is not queued";
  EXPECT_EQ(mServices.MidiOutShortMsg(output, 0x7F4090), MMSYSERR_NODRIVER);
  EXPECT_EQ(mServices.MidiOutClose(output), MMSYSERR_NOERROR);
}

// ---- failure injection -----------------------------------------------------------

struct InjectedCall {
  MidiCall call;
  std::function<MMRESULT(MidiServices&, HMIDIIN, HMIDIOUT, MIDIHDR&)> make;
};

TEST_F(MidiServicesTest, FailsEveryCallWithTheInjectedResultAndRecordsIt) {
  const InjectedCall calls[] = {
      {MidiCall::InGetDevCaps,
       [](MidiServices& s, HMIDIIN, HMIDIOUT, MIDIHDR&) {
         MIDIINCAPS caps;
         return s.MidiInGetDevCaps(0u, &caps, sizeof(caps));
       }},
      {MidiCall::InOpen,
       [](MidiServices& s, HMIDIIN, HMIDIOUT, MIDIHDR&) {
         HMIDIIN handle = nullptr;
         const MMRESULT result = s.MidiInOpen(&handle, 0, nullptr, 0, CALLBACK_NULL);
         return handle == nullptr ? result : MMSYSERR_NOERROR;
       }},
      {MidiCall::InPrepareHeader, [](MidiServices& s, HMIDIIN in, HMIDIOUT,
                                     MIDIHDR& h) { return s.MidiInPrepareHeader(in, &h, kMidiHeaderSize); }},
      {MidiCall::InAddBuffer,
       [](MidiServices& s, HMIDIIN in, HMIDIOUT, MIDIHDR& h) { return s.MidiInAddBuffer(in, &h, kMidiHeaderSize); }},
      {MidiCall::InStart, [](MidiServices& s, HMIDIIN in, HMIDIOUT, MIDIHDR&) { return s.MidiInStart(in); }},
      {MidiCall::InStop, [](MidiServices& s, HMIDIIN in, HMIDIOUT, MIDIHDR&) { return s.MidiInStop(in); }},
      {MidiCall::InReset, [](MidiServices& s, HMIDIIN in, HMIDIOUT, MIDIHDR&) { return s.MidiInReset(in); }},
      {MidiCall::InUnprepareHeader, [](MidiServices& s, HMIDIIN in, HMIDIOUT,
                                       MIDIHDR& h) { return s.MidiInUnprepareHeader(in, &h, kMidiHeaderSize); }},
      {MidiCall::InClose, [](MidiServices& s, HMIDIIN in, HMIDIOUT, MIDIHDR&) { return s.MidiInClose(in); }},
      {MidiCall::OutGetDevCaps,
       [](MidiServices& s, HMIDIIN, HMIDIOUT out, MIDIHDR&) {
         MIDIOUTCAPS caps;
         return s.MidiOutGetDevCaps(out, &caps, sizeof(caps));
       }},
      {MidiCall::OutOpen,
       [](MidiServices& s, HMIDIIN, HMIDIOUT, MIDIHDR&) {
         HMIDIOUT handle = nullptr;
         const MMRESULT result = s.MidiOutOpen(&handle, 0, nullptr, 0, CALLBACK_NULL);
         return handle == nullptr ? result : MMSYSERR_NOERROR;
       }},
      {MidiCall::OutShortMsg,
       [](MidiServices& s, HMIDIIN, HMIDIOUT out, MIDIHDR&) { return s.MidiOutShortMsg(out, 0x7F4090); }},
      {MidiCall::OutPrepareHeader, [](MidiServices& s, HMIDIIN, HMIDIOUT out,
                                      MIDIHDR& h) { return s.MidiOutPrepareHeader(out, &h, kMidiHeaderSize); }},
      {MidiCall::OutLongMsg,
       [](MidiServices& s, HMIDIIN, HMIDIOUT out, MIDIHDR& h) { return s.MidiOutLongMsg(out, &h, kMidiHeaderSize); }},
      {MidiCall::OutUnprepareHeader, [](MidiServices& s, HMIDIIN, HMIDIOUT out,
                                        MIDIHDR& h) { return s.MidiOutUnprepareHeader(out, &h, kMidiHeaderSize); }},
      {MidiCall::OutReset, [](MidiServices& s, HMIDIIN, HMIDIOUT out, MIDIHDR&) { return s.MidiOutReset(out); }},
      {MidiCall::OutClose, [](MidiServices& s, HMIDIIN, HMIDIOUT out, MIDIHDR&) { return s.MidiOutClose(out); }},
  };
  mServices.MidiInGetNumDevs();
  mServices.MidiOutGetNumDevs();
  HMIDIIN input = OpenInput();
  HMIDIOUT output = OpenOutput();
  char data[4] = {};
  MIDIHDR header{data, sizeof(data), 0, 0, 0};
  constexpr MMRESULT kInjected = MIDIERR_NOTREADY;

  for (const InjectedCall& row : calls) {
    mBackend->InjectFailure(row.call, kInjected);
    EXPECT_EQ(row.make(mServices, input, output, header), kInjected) << static_cast<int>(row.call);
    EXPECT_EQ(mBackend->Calls().back().call, row.call);
    EXPECT_EQ(mBackend->Calls().back().result, kInjected);
  }
  EXPECT_EQ(header.dwFlags, 0u) << "a failed call changes nothing";
  EXPECT_EQ(mBackend->OpenInputCount(mInputPort), 1u);
  EXPECT_TRUE(mBackend->Sent().empty());
  EXPECT_EQ(mServices.MidiInStart(input), MMSYSERR_NOERROR) << "an injected failure is used up";
}

TEST_F(MidiServicesTest, AnInjectedFailureCanLastUntilCleared) {
  mBackend->InjectFailure(MidiCall::InGetNumDevs, MMSYSERR_ERROR, FakeMidiBackend::kAlways);
  EXPECT_EQ(mServices.MidiInGetNumDevs(), 0u);
  EXPECT_EQ(mServices.MidiInGetNumDevs(), 0u);
  mBackend->ClearFailures();
  EXPECT_EQ(mServices.MidiInGetNumDevs(), 1u);
  EXPECT_EQ(mBackend->CountCalls(MidiCall::InGetNumDevs), 3u);
}

}  // namespace
}  // namespace Platform::Midi
