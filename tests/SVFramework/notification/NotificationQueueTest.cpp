#include "SVFramework/notification/NotificationQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "SVFramework/Threads/Event.h"
#include "SVFramework/notification/NotificationDistributor.h"
#include "tests/Support/FakeFrameworkApp.h"
#include "tests/Support/RecordingClient.h"

namespace SV {
namespace {

using Testing::FakeRootWindow;
using Testing::LifeRecord;
using Testing::RecordingClient;
using Testing::RecordingDistributor;
using Log = std::vector<std::string>;

constexpr const char16_t* kStatus = u"NID_SET_STATUS_TEXT";

// A queue aimed at its own distributor part, as a root window's is.
class QueueTest : public ::testing::Test {
protected:
  void TearDown() override { LNotification::SetPoolingEnabled(false); }
  RCPtr<RecordingClient> Subscribed(const std::string& name, const char16_t* id = kStatus, int32_t flags = 0) {
    RCPtr<RecordingClient> client(new RecordingClient(clients, log, name));
    client->Subscribe(window, id, flags);
    return client;
  }
  RCPtr<LNotification> Notification(const char16_t* id = kStatus) { return LNotification::Obtain(id, nullptr); }

  LifeRecord clients;
  Log log;
  RCPtr<FakeRootWindow> window = FakeRootWindow::Create();
};

TEST_F(QueueTest, ANotificationCanBeQueuedOnceAtATime) {
  const RCPtr<RecordingClient> client = Subscribed("A");
  const RCPtr<LNotification> notification = Notification();
  EXPECT_EQ(window->Post(notification), S_OK);
  EXPECT_TRUE(notification->IsPosted());
  EXPECT_EQ(window->Post(notification), E_INVALIDARG);
  EXPECT_EQ(window->Post(nullptr), E_INVALIDARG);

  EXPECT_FALSE(window->Process(false));
  EXPECT_FALSE(notification->IsPosted());
  EXPECT_EQ(window->Post(notification), S_OK);
  window->Process(false);
  EXPECT_EQ(log, (Log{"A", "A"}));
}

TEST_F(QueueTest, APlainSubscriberGetsEveryPostOldestFirstAndALatestOnlyOneOnlyTheLast) {
  const RCPtr<RecordingClient> plain = Subscribed("plain");
  const RCPtr<RecordingClient> latest = Subscribed("latest", kStatus, LNotificationClient::LatestOnly);
  std::vector<RCPtr<LNotification>> posted;
  for (int i = 0; i < 5; ++i) {
    posted.push_back(Notification());
    window->Post(posted.back());
  }

  window->Process(false);
  ASSERT_EQ(plain->received.size(), 5u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(plain->received[i], posted[i].Get());
  ASSERT_EQ(latest->received.size(), 1u);
  EXPECT_EQ(latest->received[0], posted[4].Get());
}

TEST_F(QueueTest, APassDeliversOnlyWhatWasQueuedWhenItBegan) {
  const RCPtr<RecordingClient> client = Subscribed("A");
  client->onReceive = [&](const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
    if (client->received.empty()) window->Post(Notification());
  };
  window->Post(Notification());

  EXPECT_TRUE(window->Process(false));
  EXPECT_EQ(log.size(), 1u);
  EXPECT_FALSE(window->Process(false));
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(QueueTest, ANestedPassDeliversNoQueuedEntryButStillDistributesIdle) {
  const RCPtr<RecordingClient> client = Subscribed("status");
  const RCPtr<RecordingClient> idle = Subscribed("idle", u"NID_IDLE");
  client->onReceive = [&](const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
    if (client->received.empty()) {
      EXPECT_TRUE(window->Process(true));
    }
  };
  window->Post(Notification());
  window->Post(Notification());

  window->Process(false);
  EXPECT_EQ(log, (Log{"idle", "status", "status"}));
}

TEST_F(QueueTest, IdleIsDistributedOnlyWithTheIdleFlagAndNeverToALatestOnlySubscription) {
  const RCPtr<RecordingClient> idle = Subscribed("idle", u"NID_IDLE");
  const RCPtr<RecordingClient> latest = Subscribed("latest", u"NID_IDLE", LNotificationClient::LatestOnly);
  window->Process(false);
  EXPECT_TRUE(log.empty());
  window->Process(true);
  EXPECT_EQ(log, (Log{"idle"}));
}

TEST_F(QueueTest, ATargetIsSetOnce) {
  LifeRecord distributors;
  RCPtr<RecordingDistributor> target(new RecordingDistributor(distributors));
  RCPtr<LNotificationQueue> queue(new LNotificationQueue);
  EXPECT_EQ(queue->Post(Notification()), E_FAIL);
  EXPECT_EQ(queue->SetTarget(nullptr), S_OK);
  EXPECT_EQ(queue->SetTarget(target), S_OK);
  EXPECT_EQ(queue->SetTarget(target), E_FAIL);
  EXPECT_EQ(window->SetTarget(target), E_FAIL);
}

TEST_F(QueueTest, AfterDetachingNothingIsPostedDeliveredOrPumped) {
  const RCPtr<RecordingClient> client = Subscribed("A");
  const RCPtr<RecordingClient> idle = Subscribed("idle", u"NID_IDLE");
  const auto receiver = window->GetPostingReceiver();
  const RCPtr<LNotification> pending = Notification();
  window->Post(pending);

  window->Detach();
  EXPECT_FALSE(pending->IsPosted());
  EXPECT_EQ(window->GetPostingReceiver(), nullptr);
  EXPECT_EQ(window->Post(Notification()), E_FAIL);
  EXPECT_EQ(window->SetTarget(window), E_FAIL);
  receiver->Receive(nullptr, Notification());
  EXPECT_FALSE(window->Process(true));
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(window->GetQueuedCount(), 0);
}

// A payload that runs `onDestroyed` when its last reference goes.
class PayloadWithFarewell : public LRefCountedObject {
public:
  explicit PayloadWithFarewell(std::function<void()> onDestroyed) : mOnDestroyed(std::move(onDestroyed)) {}
  ~PayloadWithFarewell() override { mOnDestroyed(); }

private:
  std::function<void()> mOnDestroyed;
};

// A post replaces the notification that a latest-only entry remembers; when that was
// the last reference, its payload goes in the middle of the post, and here the payload
// detaches the queue: the post then meets a detach after it found the target.
TEST_F(QueueTest, APostThatMeetsADetachIsRefusedAndLeavesTheNotificationUnposted) {
  const RCPtr<RecordingClient> latest = Subscribed("latest", kStatus, LNotificationClient::LatestOnly);
  RCPtr<LNotification> remembered =
      LNotification::Obtain(kStatus, new PayloadWithFarewell([this] { window->Detach(); }));
  ASSERT_EQ(window->Post(remembered), S_OK);
  window->Drain();
  remembered.Reset();

  const RCPtr<LNotification> notification = Notification();
  EXPECT_EQ(window->Post(notification), E_FAIL);
  EXPECT_FALSE(notification->IsPosted());
  EXPECT_EQ(window->GetQueuedCount(), 0);
}

// Each round races one post against a detach: whichever comes first, a post that was
// accepted was drained by the detach, and a refused one is left unposted.
TEST_F(QueueTest, APostRacingADetachIsEitherDrainedOrRefusedNeverStranded) {
  constexpr int kRounds = 300;
  for (int round = 0; round < kRounds; ++round) {
    const RCPtr<FakeRootWindow> target = FakeRootWindow::Create();
    RCPtr<RecordingClient> client(new RecordingClient(clients, log, "latest"));
    client->Subscribe(target, kStatus, LNotificationClient::LatestOnly);
    const RCPtr<LNotification> notification = Notification();
    std::atomic<bool> ready{false}, go{false};
    std::thread poster([&] {
      ready.store(true);
      while (!go.load()) std::this_thread::yield();
      target->Post(notification);
    });
    while (!ready.load()) std::this_thread::yield();
    go.store(true);
    target->Detach();
    poster.join();
    ASSERT_FALSE(notification->IsPosted()) << "round " << round;
    ASSERT_EQ(target->GetQueuedCount(), 0) << "round " << round;
    client->UnsubscribeAll();
  }
}

TEST_F(QueueTest, ThePostingReceiverQueuesACopyAndLeavesTheReceivedNotificationFree) {
  const RCPtr<RecordingClient> client = Subscribed("A");
  LifeRecord payloads;
  const RCPtr<LRefCountedObject> payload(new Testing::RecordingPayload(payloads));
  const RCPtr<LNotification> original = LNotification::Obtain(kStatus, payload);

  EXPECT_EQ(window->GetPostingReceiver()->Receive(nullptr, original), 0);
  EXPECT_FALSE(original->IsPosted());
  EXPECT_EQ(window->Post(original), S_OK);
  EXPECT_EQ(window->GetPostingReceiver()->UnsubscribeVirtual(window, kStatus), E_FAIL);

  window->Process(false);
  ASSERT_EQ(client->received.size(), 2u);
  EXPECT_NE(client->received[0], original.Get());
  EXPECT_EQ(client->received[1], original.Get());
}

TEST_F(QueueTest, TheRingGrowsUnderABurstAndLosesNothing) {
  const RCPtr<RecordingClient> client = Subscribed("A");
  std::vector<RCPtr<LNotification>> posted;
  for (int i = 0; i < 600; ++i) {
    posted.push_back(Notification());
    ASSERT_EQ(window->Post(posted.back()), S_OK);
  }
  EXPECT_FALSE(window->Process(false));
  ASSERT_EQ(client->received.size(), 600u);
  for (int i = 0; i < 600; ++i) ASSERT_EQ(client->received[i], posted[i].Get());
}

// A handler that throws must not leave the queue stuck as processing nor the
// notification in flight marked posted: with recycling on, that notification comes
// back for the next request, which must still be delivered.
TEST_F(QueueTest, AHandlerThatThrowsLeavesTheQueueWorkingAndTheUntakenEntriesQueued) {
  LNotification::SetPoolingEnabled(true);
  const RCPtr<RecordingClient> client = Subscribed("exit", u"NID_APP_EXIT_REQ");
  bool fail = true;
  client->onReceive = [&](const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
    if (fail) throw std::runtime_error("handler failed");
  };
  window->PostNotification(u"NID_APP_EXIT_REQ", nullptr);
  window->PostNotification(u"NID_APP_EXIT_REQ", nullptr);

  EXPECT_THROW(window->Process(false), std::runtime_error);
  EXPECT_FALSE(window->IsProcessing());
  EXPECT_EQ(window->GetQueuedCount(), 1);

  fail = false;
  EXPECT_EQ(window->PostNotification(u"NID_APP_EXIT_REQ", nullptr), S_OK);
  EXPECT_FALSE(window->Process(false));
  EXPECT_EQ(log, (Log{"exit", "exit"}));
}

TEST_F(QueueTest, AFailedDeliveryClearsThePostedMarkOfTheNotificationInFlight) {
  const RCPtr<RecordingClient> client = Subscribed("A");
  client->onReceive = [](const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
    throw std::runtime_error("handler failed");
  };
  const RCPtr<LNotification> notification = Notification();
  window->Post(notification);
  EXPECT_THROW(window->Process(false), std::runtime_error);
  EXPECT_FALSE(notification->IsPosted());
}

TEST_F(QueueTest, AHandlerThatDetachesTheQueueEndsThePassQuietly) {
  const RCPtr<RecordingClient> client = Subscribed("A");
  client->onReceive = [&](const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) { window->Detach(); };
  window->Post(Notification());
  window->Post(Notification());
  EXPECT_FALSE(window->Process(true));
  EXPECT_EQ(log, (Log{"A"}));
}

TEST_F(QueueTest, AHandlerReleasingTheLastOutsideReferenceLetsThePassFinishThenFreesTheQueue) {
  const RCPtr<RecordingClient> client = Subscribed("A");
  client->onReceive = [&](const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) { window.Reset(); };
  window->Post(Notification());
  window->Post(Notification());
  FakeRootWindow* const pumped = window.Get();
  EXPECT_FALSE(pumped->Process(false));
  EXPECT_EQ(log, (Log{"A", "A"}));
  EXPECT_EQ(client->GetRegistrationCount(), 0);
  EXPECT_EQ(client->GetRefCount(), 1);
}

TEST_F(QueueTest, ThreeHundredPostsFromAnotherThreadAreDeliveredInOnePassInOrder) {
  const RCPtr<RecordingClient> client = Subscribed("A");
  std::vector<RCPtr<LNotification>> posted(300);
  std::thread worker([&] {
    for (auto& notification : posted) {
      notification = Notification();
      EXPECT_EQ(window->Post(notification), S_OK);
    }
  });
  worker.join();

  EXPECT_FALSE(window->Process(false));
  ASSERT_EQ(client->received.size(), 300u);
  for (size_t i = 0; i < posted.size(); ++i) ASSERT_EQ(client->received[i], posted[i].Get());
}

TEST_F(QueueTest, PostsFromSeveralThreadsWhilePumpingAllArriveInEachThreadsOrder) {
  LNotification::SetPoolingEnabled(true);
  const RCPtr<RecordingClient> client = Subscribed("A");
  constexpr int kThreads = 3, kPosts = 1000;
  std::vector<int> lastSeen(kThreads, -1);
  bool inOrder = true;
  client->onReceive = [&](const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& notification) {
    const auto holder = RCPtr<Testing::IndexPayload>::DynamicCastFrom(notification->GetPayload());
    if (holder->index <= lastSeen[holder->thread]) inOrder = false;
    lastSeen[holder->thread] = holder->index;
  };
  std::atomic<int> finished{0};
  std::vector<std::thread> workers;
  for (int t = 0; t < kThreads; ++t)
    workers.emplace_back([&, t] {
      for (int i = 0; i < kPosts; ++i) window->PostNotification(kStatus, new Testing::IndexPayload(t, i));
      finished.fetch_add(1);
    });
  // Pumps while the threads post; once they are done one more pass must deliver the rest.
  while (finished.load() < kThreads) window->Process(false);
  for (auto& worker : workers) worker.join();
  window->Process(false);

  EXPECT_EQ(client->received.size(), static_cast<size_t>(kThreads * kPosts));
  EXPECT_TRUE(inOrder);
  EXPECT_EQ(window->GetQueuedCount(), 0);
}

// --- reference accounting ----------------------------------------------------------

TEST(QueueReferences, AQueueAimedAtItselfIsHeldOnlyInternallyBesidesItsOwner) {
  RCPtr<FakeRootWindow> window = FakeRootWindow::Create();
  EXPECT_EQ(window->GetRefCount(), 3);  // ours, the posting receiver's, the self target
  EXPECT_EQ(window->GetInternalRefCount(), 2);
}

TEST(QueueReferences, ReleasingAWindowWithClientsAndQueuedEntriesFreesEverything) {
  LifeRecord clients, payloads;
  std::vector<std::string> log;
  RCPtr<FakeRootWindow> window = FakeRootWindow::Create();
  RCPtr<RecordingClient> client(new RecordingClient(clients, log, "A"));
  client->Subscribe(window, kStatus);
  window->PostNotification(kStatus, new Testing::RecordingPayload(payloads));
  const auto receiver = window->GetPostingReceiver();

  window.Reset();
  EXPECT_EQ(payloads.destroyed, 1);
  EXPECT_EQ(client->GetRegistrationCount(), 0);
  EXPECT_EQ(client->GetRefCount(), 1);
  EXPECT_EQ(receiver->GetRefCount(), 1);
  receiver->Receive(nullptr, LNotification::Obtain(kStatus, nullptr));
  EXPECT_TRUE(log.empty());
}

TEST(QueueReferences, AQueueAimedElsewhereFreesItselfAndLeavesItsTargetAlone) {
  LifeRecord distributors;
  RCPtr<RecordingDistributor> target(new RecordingDistributor(distributors));
  RCPtr<LNotificationQueue> queue(new LNotificationQueue);
  queue->SetTarget(target);
  EXPECT_EQ(queue->GetInternalRefCount(), 1);
  EXPECT_EQ(target->GetRefCount(), 2);

  queue.Reset();
  EXPECT_EQ(target->GetRefCount(), 1);
  EXPECT_EQ(target->GetInternalRefCount(), 0);
}

}  // namespace
}  // namespace SV
