#include "SVFramework/Midi/MidiCapturePort.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "tests/SVFramework/Midi/FakeMidiFixture.h"

namespace SV {
namespace {

using namespace ::Platform::Midi;
using Testing::SystemExclusive;
using Bytes = std::vector<uint8_t>;

// A tune request ends each case: it comes after everything the case produced, so
// once it has arrived nothing of the case is still on its way.
const Bytes kMarker = {0xF6};

Bytes Filled(size_t count, uint8_t first, uint8_t value) {
  Bytes bytes(count, value);
  if (count > 0) bytes.front() = first;
  return bytes;
}

class MidiCapturePortTest : public Testing::FakeMidiFixture {
protected:
  void SetUp() override {
    mInput = mBackend->AddInputPort(u"Corvex");
    mCallsBeforeOpen = CallCount();
    ASSERT_EQ(mManager->OpenCapturePort(u"Corvex", mPort), S_OK);
  }

  LMidiCapturePort& Port() { return dynamic_cast<LMidiCapturePort&>(*mPort); }

  // What arrived up to (without) the marker, which is sent through the device.
  std::vector<Bytes> ReceivedUpToMarker() {
    mBackend->Inject(mInput, kMarker);
    return WaitForMarker();
  }

  // What the input brings, up to the marker; later cases start with a fresh recorder.
  std::vector<Bytes> ReceivedFromDevice(const Bytes& input) {
    mBackend->Inject(mInput, input);
    std::vector<Bytes> received = ReceivedUpToMarker();
    SettleCallbacks();
    mRecorder = Testing::CapturedMessageRecorder::SubscribedTo(mManager);
    return received;
  }

  // The same, with the marker handed straight to the port as the callback would.
  std::vector<Bytes> ReceivedUpToDirectMarker() {
    {
      MutexLock lock(mManager->GetPortLock());
      Port().OnShortMessage(kMarker[0], 0);
    }
    return WaitForMarker();
  }

  std::vector<Bytes> WaitForMarker() {
    for (size_t count = 1;; ++count) {
      std::vector<Bytes> received = mRecorder->WaitForBytes(count);
      if (received.size() < count) return {};
      if (received.back() == kMarker) {
        received.pop_back();
        return received;
      }
    }
  }

  // Hands the buffers to the port as the input callback would, in order.
  void Feed(const std::vector<std::pair<Bytes, bool>>& buffers) {
    MutexLock lock(mManager->GetPortLock());
    for (const auto& [bytes, complete] : buffers) {
      Port().OnSysExData(reinterpret_cast<const char*>(bytes.data()), static_cast<int32_t>(bytes.size()), complete);
    }
  }

  FakeMidiBackend::PortId mInput = 0;
  size_t mCallsBeforeOpen = 0;
  RCPtr<LRefCountedObject> mPort;
};

// ---- short messages --------------------------------------------------------------

TEST_F(MidiCapturePortTest, DeliversShortMessagesWithTheirPortAndTimeStamp) {
  const auto started = std::chrono::steady_clock::now();
  mBackend->Inject(mInput, {0x90, 0x40, 0x7F, 0xC0, 0x05, 0xF8});
  const auto received = mRecorder->WaitFor(3);
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);

  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[0].bytes, (Bytes{0x90, 0x40, 0x7F}));
  EXPECT_EQ(received[1].bytes, (Bytes{0xC0, 0x05}));
  EXPECT_EQ(received[2].bytes, (Bytes{0xF8}));
  for (const auto& message : received) {
    EXPECT_EQ(message.port, mPort.Get());
    EXPECT_EQ(std::u16string(message.portName.GetString()), u"Corvex");
    EXPECT_LE(message.timestamp, static_cast<uint32_t>(elapsed.count()));
  }
}

TEST_F(MidiCapturePortTest, CutsEachShortMessageWordToItsCapturedLength) {
  struct Row {
    uint32_t word;
    Bytes bytes;
    const char* what;
  };
  const Row rows[] = {
      {0x007F4090, {0x90, 0x40, 0x7F}, "note on: 3 bytes"},
      {0x000005C0, {0xC0, 0x05}, "program change: 2 bytes"},
      {0x000000F8, {0xF8}, "clock: 1 byte"},
      {0x000201F2, {0xF2}, "song position: 1 byte"},
      {0x00007F40, {0x40}, "a data byte first: 1 byte, no running status"},
  };
  {
    MutexLock lock(mManager->GetPortLock());
    for (const Row& row : rows) Port().OnShortMessage(row.word, 1234);
  }
  const auto received = mRecorder->WaitFor(std::size(rows));
  ASSERT_EQ(received.size(), std::size(rows));
  for (size_t index = 0; index < std::size(rows); ++index) {
    EXPECT_EQ(received[index].bytes, rows[index].bytes) << rows[index].what;
    EXPECT_EQ(received[index].timestamp, 1234u) << rows[index].what;
  }
}

// ---- System Exclusive in capture buffers -------------------------------------------

TEST_F(MidiCapturePortTest, AssemblesSystemExclusiveFromTheBuffersItFillsAndReAddsEachBuffer) {
  struct Row {
    size_t length;
    size_t delivered;
    size_t buffers;
    const char* what;
  };
  const Row rows[] = {
      {32, 32, 1, "one buffer"},
      {256, 256, 1, "ends exactly at the end of a buffer: F7 completes it"},
      {512, 512, 2, "ends exactly at the end of the second buffer"},
      {600, 600, 3, "256, 256 and 88"},
      {70000, 64 * 1024, 256, "the services keep 64 KiB, which the port takes whole"},
  };
  for (const Row& row : rows) {
    const size_t addsBefore = mBackend->CountCalls(MidiCall::InAddBuffer);
    const Bytes message = SystemExclusive(row.length);
    const std::vector<Bytes> received = ReceivedFromDevice(message);

    ASSERT_EQ(received.size(), 1u) << row.what;
    EXPECT_EQ(received[0].size(), row.delivered) << row.what;
    EXPECT_TRUE(std::equal(received[0].begin(), received[0].end() - 1, message.begin())) << row.what;
    EXPECT_EQ(received[0].back(), 0xF7) << row.what;
    EXPECT_EQ(mBackend->CountCalls(MidiCall::InAddBuffer) - addsBefore, row.buffers) << row.what;
  }
  EXPECT_EQ(Port().GetDroppedByteCount(), 0u);
}

TEST_F(MidiCapturePortTest, AssemblesBuffersIntoMessagesByTheirCompleteMark) {
  using Buffers = std::vector<std::pair<Bytes, bool>>;
  struct Row {
    Buffers buffers;
    std::vector<size_t> delivered;  // lengths
    const char* what;
  };
  const Bytes full = Filled(256, 0xF0, 0x11);
  const Bytes fullContinued = Filled(256, 0x22, 0x22);
  const Bytes last = Filled(88, 0x33, 0x33);
  const Bytes whole = SystemExclusive(32);
  const Row rows[] = {
      {{{whole, true}}, {32}, "a complete buffer that begins with F0 is one message"},
      {{{full, false}, {fullContinued, false}, {last, true}}, {600}, "full buffers wait for the one that completes"},
      {{{Filled(20, 0x01, 0x01), true}}, {}, "no F0 and nothing pending: dropped"},
      {{{fullContinued, false}, {last, true}}, {344}, "a full buffer starts a message whatever its first byte"},
      {{{full, false}, {whole, true}}, {32}, "a new F0 while a message is pending drops that one and starts anew"},
      {{{Bytes{}, true}}, {}, "an empty buffer does nothing"},
  };
  for (const Row& row : rows) {
    Feed(row.buffers);
    const std::vector<Bytes> received = ReceivedUpToDirectMarker();
    mRecorder = Testing::CapturedMessageRecorder::SubscribedTo(mManager);
    std::vector<size_t> lengths;
    for (const Bytes& message : received) lengths.push_back(message.size());
    EXPECT_EQ(lengths, row.delivered) << row.what;
  }
}

// A status byte may cut a message just where a capture buffer ends: the buffer then
// comes back full and without F7, and only the next message's F0 shows that the cut
// one is over.
TEST_F(MidiCapturePortTest, AMessageCutByAStatusByteNeverSwallowsTheDumpThatFollows) {
  struct Row {
    size_t cutAt;
    Bytes between;
    bool cutDelivered;
    const char* what;
  };
  const Row rows[] = {
      {100, {}, true, "cut inside the first buffer: delivered as it came"},
      {256, {}, false, "cut at the end of the first buffer: dropped"},
      {300, {}, true, "cut inside the second buffer: delivered as it came"},
      {512, {}, false, "cut at the end of the second buffer: dropped"},
      {256, {0x90, 0x40, 0x7F}, false, "cut by a note-on at the end of a buffer: dropped, the note-on delivered"},
  };
  const Bytes dump = SystemExclusive(32);
  for (const Row& row : rows) {
    const uint64_t droppedBytesBefore = Port().GetDroppedByteCount();
    const uint64_t droppedMessagesBefore = Port().GetDroppedMessageCount();
    const Bytes cut = Filled(row.cutAt, 0xF0, 0x11);
    Bytes input = cut;
    input.insert(input.end(), row.between.begin(), row.between.end());
    input.insert(input.end(), dump.begin(), dump.end());
    const std::vector<Bytes> received = ReceivedFromDevice(input);

    std::vector<Bytes> expected;
    if (row.cutDelivered) expected.push_back(cut);
    if (!row.between.empty()) expected.push_back(row.between);
    expected.push_back(dump);
    EXPECT_EQ(received, expected) << row.what;
    EXPECT_EQ(Port().GetDroppedByteCount() - droppedBytesBefore, row.cutDelivered ? 0u : row.cutAt) << row.what;
    EXPECT_EQ(Port().GetDroppedMessageCount() - droppedMessagesBefore, row.cutDelivered ? 0u : 1u) << row.what;
  }
}

TEST_F(MidiCapturePortTest, KeepsAtMost64KiBOfAMessageThatNeverEnds) {
  const size_t fullBuffers = 300;
  for (size_t index = 0; index < fullBuffers; ++index) Feed({{Filled(256, index == 0 ? 0xF0 : 0x10, 0x10), false}});
  Bytes end = Filled(10, 0x10, 0x10);
  end.back() = 0xF7;
  Feed({{end, true}});

  const std::vector<Bytes> received = ReceivedUpToDirectMarker();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].size(), LMidiCapturePort::kMaximumSystemExclusiveLength);
  EXPECT_EQ(received[0].front(), 0xF0);
  EXPECT_EQ(received[0].back(), 0xF7) << "a cut message keeps its end";
  EXPECT_EQ(Port().GetDroppedByteCount(), fullBuffers * 256 + 10 - LMidiCapturePort::kMaximumSystemExclusiveLength);
}

// ---- the buffers' life -----------------------------------------------------------

TEST_F(MidiCapturePortTest, OpenArmsThreeBuffersBeforeInputStarts) {
  const std::vector<MidiCall> armOne = {MidiCall::InPrepareHeader, MidiCall::InPrepareHeader, MidiCall::InAddBuffer};
  std::vector<MidiCall> expected = {MidiCall::InOpen};
  for (int buffer = 0; buffer < 3; ++buffer) expected.insert(expected.end(), armOne.begin(), armOne.end());
  expected.push_back(MidiCall::InStart);
  EXPECT_EQ(CallsSince(mCallsBeforeOpen), expected);
}

TEST_F(MidiCapturePortTest, ClosingStopsResetsUnpreparesAndClosesWithoutReAddingABuffer) {
  const size_t before = CallCount();
  mPort.Reset();
  EXPECT_EQ(CallsSince(before),
            (std::vector<MidiCall>{MidiCall::InStop, MidiCall::InReset, MidiCall::InUnprepareHeader,
                                   MidiCall::InUnprepareHeader, MidiCall::InUnprepareHeader, MidiCall::InClose}));
  for (const auto& call : mBackend->Calls()) {
    if (call.call == MidiCall::InUnprepareHeader || call.call == MidiCall::InClose) {
      EXPECT_EQ(call.result, 0u);
    }
  }
  EXPECT_EQ(mBackend->OpenInputCount(mInput), 0u);
  EXPECT_EQ(mManager->GetCapturePortCount(), 0u);
}

TEST_F(MidiCapturePortTest, StoppedInputKeepsItsBuffersForWhenItStartsAgain) {
  ASSERT_EQ(mServices->MidiInStop(Port().GetHandle()), MMSYSERR_NOERROR);
  mBackend->Inject(mInput, SystemExclusive(600));
  ASSERT_EQ(mServices->MidiInStart(Port().GetHandle()), MMSYSERR_NOERROR);
  mBackend->Inject(mInput, SystemExclusive(300));

  const std::vector<Bytes> received = ReceivedUpToMarker();
  ASSERT_EQ(received.size(), 1u) << "what came while stopped is not delivered";
  EXPECT_EQ(received[0], SystemExclusive(300));
}

TEST_F(MidiCapturePortTest, ReAddsOnlyItsOwnBuffersAndNoneOnceClosing) {
  MutexLock lock(mManager->GetPortLock());
  char data[256] = {};
  MIDIHDR foreign;
  foreign.lpData = data;
  foreign.dwBufferLength = sizeof(data);
  foreign.dwUser = reinterpret_cast<uintptr_t>(&foreign);
  EXPECT_EQ(Port().ReAddBuffer(&foreign), MMSYSERR_ERROR);
  EXPECT_EQ(Port().ReAddBuffer(nullptr), MMSYSERR_ERROR);

  Port().Close();
  EXPECT_EQ(Port().ReAddBuffer(&foreign), MMSYSERR_HANDLEBUSY);
  EXPECT_EQ(Port().AddBuffers(), MMSYSERR_ERROR);
  EXPECT_EQ(Port().GetHandle(), nullptr);
}

TEST_F(MidiCapturePortTest, ClosingDropsAMessageUnderAssembly) {
  Feed({{Filled(256, 0xF0, 0x10), false}});
  {
    MutexLock lock(mManager->GetPortLock());
    ASSERT_EQ(Port().Open(), MMSYSERR_NOERROR) << "opening again closes first";
  }
  ASSERT_EQ(mServices->MidiInStart(Port().GetHandle()), MMSYSERR_NOERROR);
  mBackend->Inject(mInput, SystemExclusive(40));
  EXPECT_EQ(ReceivedUpToMarker(), (std::vector<Bytes>{SystemExclusive(40)}));
}

}  // namespace
}  // namespace SV
