#include "SVFramework/Midi/MidiCommInterface.h"

#include <gtest/gtest.h>

#include <climits>
#include <future>
#include <thread>
#include <vector>

#include "SVFramework/notification/NotificationCenter.h"
#include "tests/SVFramework/Midi/FakeMidiFixture.h"

namespace SV {
namespace {

using namespace ::Platform::Midi;
using Testing::CapturedMessageRecorder;
using Testing::SystemExclusive;
using Bytes = std::vector<uint8_t>;
using namespace std::chrono_literals;

class MidiCommInterfaceTest : public Testing::FakeMidiFixture {
protected:
  void SetUp() override {
    mInput = mBackend->AddInputPort(u"Corvex");
    ASSERT_EQ(mManager->OpenCapturePort(u"Corvex", mPort), S_OK);
  }

  void TearDown() override {
    mOther->UnsubscribeAll();
    FakeMidiFixture::TearDown();
  }

  FakeMidiBackend::PortId mInput = 0;
  RCPtr<LRefCountedObject> mPort;
  RCPtr<CapturedMessageRecorder> mOther = CapturedMessageRecorder::SubscribedTo(mManager);
};

// A client that leaves the port manager from its first delivery.
class LeavingClient : public LNotificationClient {
public:
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>&) override {
    ++received;
    Unsubscribe(source, LMidiCommInterface::kMidiDataCapturedID);
    return 1;
  }
  int received = 0;
};

// A client whose handler holds the delivery (and with it the filter lock) until the
// test lets it go.
class BlockingClient : public LNotificationClient {
public:
  int32_t Receive(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) override {
    std::call_once(mEnteredOnce, [this] { mEntered.set_value(); });
    mReleased.wait_for(10s);
    return 1;
  }
  bool WaitUntilEntered() { return mEntered.get_future().wait_for(10s) == std::future_status::ready; }
  void LetGo() { mRelease.set_value(); }

private:
  std::once_flag mEnteredOnce;
  std::promise<void> mEntered;
  std::promise<void> mRelease;
  std::shared_future<void> mReleased = mRelease.get_future().share();
};

TEST_F(MidiCommInterfaceTest, DeliversEveryMessageInOrderToEachSubscriberOnThePoolWorker) {
  const std::vector<Bytes> messages = {{0x90, 0x40, 0x7F}, SystemExclusive(600), {0x80, 0x40, 0x00}};
  for (const Bytes& message : messages) mBackend->Inject(mInput, message);

  const auto first = mRecorder->WaitFor(messages.size());
  const auto other = mOther->WaitFor(messages.size());
  ASSERT_EQ(first.size(), messages.size());
  ASSERT_EQ(other.size(), messages.size());
  for (size_t index = 0; index < messages.size(); ++index) {
    EXPECT_EQ(first[index].bytes, messages[index]);
    EXPECT_EQ(other[index].bytes, messages[index]);
    EXPECT_EQ(first[index].notification, other[index].notification) << "one notification serves every client";
    EXPECT_EQ(first[index].source, mManager.Get());
    EXPECT_EQ(first[index].thread, first[0].thread) << "one worker delivers everything";
    EXPECT_EQ(other[index].thread, first[0].thread);
  }
  EXPECT_NE(first[0].thread, std::this_thread::get_id());
}

TEST_F(MidiCommInterfaceTest, AFilterThatRejectsAMessageSkipsOnlyItsClient) {
  mManager->SetFilter(mOther.Get(), LIMidiFilterByIncludePrefixList::Create({{0xF0}}));
  mBackend->Inject(mInput, {0x90, 0x40, 0x7F});
  mBackend->Inject(mInput, SystemExclusive(12));

  const auto all = mRecorder->WaitFor(2);
  const auto filtered = mOther->WaitFor(1);
  ASSERT_EQ(all.size(), 2u);
  ASSERT_EQ(filtered.size(), 1u);
  EXPECT_EQ(filtered[0].bytes, SystemExclusive(12));
  EXPECT_EQ(filtered[0].notification, all[1].notification);
}

TEST_F(MidiCommInterfaceTest, KeepsItsOwnCopyOfEachClientsFilter) {
  RCPtr<LIMidiFilterByIncludePrefixList> filter = LIMidiFilterByIncludePrefixList::Create({{0xF0, 0x7E}});
  RCPtr<LIMidiFilterByIncludePrefixList> read;
  mManager->GetFilter(read, mOther.Get());
  EXPECT_FALSE(read) << "no filter yet";

  EXPECT_EQ(mManager->SetFilter(mOther.Get(), filter), S_OK);
  filter->AddPrefix({0x90});
  mManager->GetFilter(read, mOther.Get());
  ASSERT_TRUE(read);
  EXPECT_NE(read, filter);
  EXPECT_EQ(read->GetPrefixes(), (std::vector<LIMidiFilterByIncludePrefixList::Prefix>{{0xF0, 0x7E}}))
      << "later changes to the caller's filter do not reach the manager's copy";

  mManager->SetFilter(mOther.Get(), filter);
  mManager->GetFilter(read, mOther.Get());
  EXPECT_EQ(read->GetPrefixes().size(), 2u) << "setting again replaces the copy";

  mManager->SetFilter(mOther.Get(), nullptr);
  mManager->GetFilter(read, mOther.Get());
  EXPECT_FALSE(read) << "a null filter removes the entry";
}

TEST_F(MidiCommInterfaceTest, AFilterPassesMessagesThatBeginWithOneOfItsPrefixes) {
  struct Row {
    std::vector<LIMidiFilterByIncludePrefixList::Prefix> prefixes;
    Bytes message;
    bool passes;
    const char* what;
  };
  const Row rows[] = {
      {{{0xF0, 0x7E}}, {0xF0, 0x7E, 0x7F, 0xF7}, true, "begins with the prefix"},
      {{{0xF0, 0x7E}}, {0xF0, 0x43, 0xF7}, false, "differs in the second byte"},
      {{{0x90}, {0xF0}}, {0xF0, 0xF7}, true, "any prefix of the list"},
      {{{0xF0, 0x7E, 0x7F}}, {0xF0, 0x7E}, false, "shorter than the prefix"},
      {{{}}, {0x80, 0x40, 0x00}, true, "an empty prefix passes everything"},
      {{}, {0x80, 0x40, 0x00}, false, "no prefix passes nothing"},
  };
  for (const Row& row : rows) {
    const auto filter = LIMidiFilterByIncludePrefixList::Create(row.prefixes);
    EXPECT_EQ(filter->Passes(reinterpret_cast<const int8_t*>(row.message.data()),
                             static_cast<uint32_t>(row.message.size())),
              row.passes)
        << row.what;
  }
}

TEST_F(MidiCommInterfaceTest, DeliveryAnswersOneWhenNobodyIsSubscribed) {
  const RCPtr<LMidiComm> manager = LMidiComm::Create(mServices);
  const auto message = LMidiCaptureNotificationData::Create(u"Corvex", nullptr);
  EXPECT_EQ(manager->Deliver(message), S_FALSE);

  const auto recorder = CapturedMessageRecorder::SubscribedTo(manager);
  EXPECT_EQ(manager->Deliver(message), S_OK);
  EXPECT_EQ(recorder->All().size(), 1u) << "delivery is synchronous";
  recorder->UnsubscribeAll();
  EXPECT_EQ(manager->Deliver(message), S_FALSE);
}

TEST_F(MidiCommInterfaceTest, AClientThatLeavesDuringDeliveryDoesNotStopTheOthers) {
  const RCPtr<LeavingClient> leaving(new LeavingClient);
  leaving->Subscribe(mManager, LMidiCommInterface::kMidiDataCapturedID);
  mBackend->Inject(mInput, {0x90, 0x40, 0x7F});
  mBackend->Inject(mInput, {0x80, 0x40, 0x00});

  EXPECT_EQ(mRecorder->WaitFor(2).size(), 2u);
  EXPECT_EQ(mOther->WaitFor(2).size(), 2u);
  EXPECT_EQ(leaving->received, 1);
}

TEST_F(MidiCommInterfaceTest, PostsEveryCapturedMessageToItsCenterWhenOneIsSet) {
  const RCPtr<LNotificationCenter> center = LNotificationCenter::Create(u"MIDI test center");
  const auto centerRecorder = CapturedMessageRecorder::SubscribedTo(center);
  mManager->SetNotificationCenter(center);
  mBackend->Inject(mInput, {0xC0, 0x05});
  ASSERT_EQ(mRecorder->WaitFor(1).size(), 1u);

  EXPECT_EQ(center->GetQueuedCount(), 1) << "posted before the direct delivery";
  center->Process(false);
  const auto posted = centerRecorder->All();
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].bytes, (Bytes{0xC0, 0x05}));
  mManager->SetNotificationCenter(nullptr);
  centerRecorder->UnsubscribeAll();
}

TEST_F(MidiCommInterfaceTest, EchoReturnsEveryValueUnchanged) {
  const RCPtr<LMidiCommInterface> manager(mManager.Get());
  for (const int32_t value : {0, 1, -1, 0x3C9, INT32_MIN, INT32_MAX}) {
    const int32_t given = value;
    EXPECT_EQ(manager->Echo(given), value);
    EXPECT_EQ(given, value);
  }
}

// Echo must answer whatever the manager is busy with: here a delivery holds the
// filter lock on the worker and another thread holds the port lock.
TEST_F(MidiCommInterfaceTest, EchoAnswersWhileADeliveryRunsAndThePortLockIsHeldElsewhere) {
  const RCPtr<BlockingClient> blocking(new BlockingClient);
  blocking->Subscribe(mManager, LMidiCommInterface::kMidiDataCapturedID);
  mBackend->Inject(mInput, {0x90, 0x40, 0x7F});
  ASSERT_TRUE(blocking->WaitUntilEntered());
  std::promise<void> portLockHeld;
  std::promise<void> letPortLockGo;
  std::thread holder([&] {
    MutexLock lock(mManager->GetPortLock());
    portLockHeld.set_value();
    letPortLockGo.get_future().wait_for(10s);
  });
  portLockHeld.get_future().wait();

  auto echoed = std::async(std::launch::async, [&] { return mManager->Echo(42); });
  const bool answered = echoed.wait_for(2s) == std::future_status::ready;
  letPortLockGo.set_value();
  holder.join();
  blocking->LetGo();
  EXPECT_TRUE(answered);
  EXPECT_EQ(echoed.get(), 42);
  blocking->UnsubscribeAll();
}

}  // namespace
}  // namespace SV
