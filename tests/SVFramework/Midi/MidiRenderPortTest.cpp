#include "SVFramework/Midi/MidiRenderPort.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <future>
#include <thread>
#include <vector>

#include "SVFramework/Utilities/Storage/BufferT.h"
#include "tests/SVFramework/Midi/FakeMidiFixture.h"
#include "tests/Support/Midi/ByteArray.h"

namespace SV {
namespace {

using namespace ::Platform::Midi;
using namespace std::chrono_literals;
using Testing::SystemExclusive;
using Bytes = std::vector<uint8_t>;

using Testing::ArrayOf;

class MidiRenderPortTest : public Testing::FakeMidiFixture {
protected:
  void SetUp() override {
    mOutput = mBackend->AddOutputPort(u"Corvex");
    mBackend->AddInputPort(u"Corvex");
    ASSERT_EQ(mManager->OpenRenderPort(u"Corvex", mPort), S_OK);
  }

  LMidiRenderPort& Port() { return dynamic_cast<LMidiRenderPort&>(*mPort); }
  int32_t Send(const Bytes& bytes) { return mManager->SendByteArray(mPort, ArrayOf(bytes)); }

  FakeMidiBackend::PortId mOutput = 0;
  RCPtr<LRefCountedObject> mPort;
};

TEST_F(MidiRenderPortTest, SendsAndReturnsTheLengthSent) {
  struct Row {
    Bytes bytes;
    int32_t result;
    Bytes sent;
    const char* what;
  };
  const Row rows[] = {
      {{0x90, 0x40, 0x7F}, 3, {0x90, 0x40, 0x7F}, "note on"},
      {{0xC0, 0x05}, 2, {0xC0, 0x05}, "program change"},
      {{0xF8}, 1, {0xF8}, "clock"},
      {{0x90, 0x40, 0x7F, 0x00, 0x11}, 3, {0x90, 0x40, 0x7F}, "a short message goes out at its own length"},
      {SystemExclusive(9), 9, SystemExclusive(9), "System Exclusive, once completed"},
      {SystemExclusive(600), 600, SystemExclusive(600), "a long System Exclusive message"},
  };
  for (const Row& row : rows) {
    const size_t sentBefore = mBackend->Sent().size();
    EXPECT_EQ(Send(row.bytes), row.result) << row.what;
    const auto sent = mBackend->Sent();
    ASSERT_EQ(sent.size(), sentBefore + 1) << row.what;
    EXPECT_EQ(sent.back().bytes, row.sent) << row.what;
    EXPECT_EQ(sent.back().port, mOutput) << row.what;
    EXPECT_TRUE(Port().GetGate().IsGreen()) << row.what;
  }
}

TEST_F(MidiRenderPortTest, SendsTheBytesOfABuffer) {
  const RCPtr<LIBuffer> buffer = LByteBuffer::Create(3, 0, false);
  const uint8_t noteOn[] = {0x90, 0x40, 0x7F};
  std::memcpy(buffer->GetData(), noteOn, sizeof(noteOn));
  EXPECT_EQ(mManager->SendBuffer(mPort, buffer), 3);
  EXPECT_EQ(mManager->SendBuffer(mPort, nullptr), E_INVALIDARG);
}

TEST_F(MidiRenderPortTest, RefusesWhatIsNoRenderPortOrHasNoBytes) {
  RCPtr<LRefCountedObject> input;
  ASSERT_EQ(mManager->OpenCapturePort(u"Corvex", input), S_OK);
  const Array<int8_t> noteOn = ArrayOf({0x90, 0x40, 0x7F});
  EXPECT_EQ(mManager->SendByteArray(mPort, Array<int8_t>()), E_INVALIDARG);
  EXPECT_EQ(mManager->SendByteArray(nullptr, noteOn), E_INVALIDARG);
  EXPECT_EQ(mManager->SendByteArray(input, noteOn), E_INVALIDARG);
  EXPECT_EQ(mManager->SendBytes(mPort, nullptr, 3), E_INVALIDARG);
  EXPECT_TRUE(mBackend->Sent().empty());
}

TEST_F(MidiRenderPortTest, AMessageThePlatformRefusesFailsAndLeavesTheGateGreen) {
  struct Row {
    MidiCall refused;
    Bytes bytes;
    const char* what;
  };
  const Row rows[] = {
      {MidiCall::OutShortMsg, {0x90, 0x40, 0x7F}, "a short message"},
      {MidiCall::OutPrepareHeader, SystemExclusive(9), "the header of a long message"},
      {MidiCall::OutLongMsg, SystemExclusive(9), "a long message"},
  };
  for (const Row& row : rows) {
    mBackend->InjectFailure(row.refused, MMSYSERR_NOMEM);
    EXPECT_EQ(Send(row.bytes), E_FAIL) << row.what;
    EXPECT_TRUE(Port().GetGate().IsGreen()) << row.what;
    EXPECT_EQ(Send(row.bytes), static_cast<int32_t>(row.bytes.size())) << row.what << ": the next one goes out";
  }
}

TEST_F(MidiRenderPortTest, ALongMessageNotConfirmedInTimeFailsAndIsTakenBackBeforeItsHeaderIsFreed) {
  mBackend->SetSendCompletion(MidiSendCompletion::Never);
  mManager->SetSendWaits(10000, 50);
  const size_t before = CallCount();

  EXPECT_EQ(Send(SystemExclusive(9)), E_FAIL);
  EXPECT_EQ(CallsSince(before), (std::vector<MidiCall>{MidiCall::OutPrepareHeader, MidiCall::OutLongMsg,
                                                       MidiCall::OutReset, MidiCall::OutUnprepareHeader}));
  EXPECT_EQ(mBackend->Calls().back().result, MMSYSERR_NOERROR) << "the header came back before it was unprepared";
  EXPECT_TRUE(Port().GetGate().IsGreen());

  mBackend->SetSendCompletion(MidiSendCompletion::Immediate);
  EXPECT_EQ(Send(SystemExclusive(9)), 9);
}

TEST_F(MidiRenderPortTest, ALongMessageConfirmedWithinTheWaitSucceeds) {
  mBackend->SetSendCompletion(MidiSendCompletion::Delayed, 30ms);
  EXPECT_EQ(Send(SystemExclusive(9)), 9);
  EXPECT_EQ(mBackend->CountCalls(MidiCall::OutReset), 0u);
}

// The device goes while a long message is out; opening the port again closes it,
// which takes the message back. The sender must learn of it then, not after the
// whole completion wait.
TEST_F(MidiRenderPortTest, ClosingThePortWhileALongMessageWaitsFailsThatSendAtOnce) {
  mBackend->SetSendCompletion(MidiSendCompletion::Never);
  std::promise<void> handedOver;
  std::once_flag once;
  const auto observer = mBackend->AddSendObserver(
      [&](FakeMidiBackend::PortId, const Bytes&) { std::call_once(once, [&] { handedOver.set_value(); }); });
  auto send = std::async(std::launch::async, [&] { return Send(SystemExclusive(9)); });
  ASSERT_EQ(handedOver.get_future().wait_for(5s), std::future_status::ready);
  mBackend->RemoveSendObserver(observer);

  mBackend->RemovePort(mOutput);
  mBackend->AddOutputPort(u"Corvex");
  RCPtr<LRefCountedObject> reopened;
  ASSERT_EQ(mManager->OpenRenderPort(u"Corvex", reopened), S_OK);
  EXPECT_EQ(reopened.Get(), mPort.Get()) << "the same port, opened again";

  ASSERT_EQ(send.wait_for(2s), std::future_status::ready) << "the sender still waits for its completion";
  EXPECT_EQ(send.get(), E_FAIL) << "the message was taken back, not sent";
  EXPECT_TRUE(Port().GetGate().IsGreen());
  mBackend->SetSendCompletion(MidiSendCompletion::Immediate);
  EXPECT_EQ(Send(SystemExclusive(9)), 9) << "the reopened port sends";
}

// One completion must not release another sender's wait: sends through one port go
// one at a time, so each long message is confirmed by its own MOM_DONE.
TEST_F(MidiRenderPortTest, SendersOnSeveralThreadsEachSeeTheirOwnMessageConfirmed) {
  mBackend->SetSendCompletion(MidiSendCompletion::Delayed, 2ms);
  constexpr int kSenders = 3;
  constexpr int kSendsEach = 10;
  std::vector<std::thread> senders;
  std::vector<std::vector<int32_t>> results(kSenders);
  for (int sender = 0; sender < kSenders; ++sender) {
    senders.emplace_back([&, sender] {
      for (int send = 0; send < kSendsEach; ++send) results[sender].push_back(Send(SystemExclusive(20 + sender)));
    });
  }
  for (std::thread& sender : senders) sender.join();
  for (int sender = 0; sender < kSenders; ++sender) {
    EXPECT_EQ(results[sender], std::vector<int32_t>(kSendsEach, 20 + sender));
  }
  EXPECT_EQ(mBackend->Sent().size(), static_cast<size_t>(kSenders * kSendsEach));
  EXPECT_EQ(mBackend->CountCalls(MidiCall::OutReset), 0u);
}

}  // namespace
}  // namespace SV
