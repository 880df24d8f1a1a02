#include "SVFramework/notification/NotificationCenterManager.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "SVFramework/Threads/Event.h"
#include "tests/Support/FakeFrameworkApp.h"
#include "tests/Support/RecordingClient.h"

namespace SV {
namespace {

using Testing::FakeFrameworkApp;
using Testing::LifeRecord;
using Testing::RecordingClient;
using Log = std::vector<std::string>;

// Every test starts without a manager and leaves none behind.
class CenterManagerTest : public ::testing::Test {
protected:
  void SetUp() override { LNotificationCenterManager::ReleaseInstance(); }
  void TearDown() override {
    LNotificationCenterManager::ReleaseInstance();
    LNotification::SetPoolingEnabled(false);
  }
  RCPtr<RecordingClient> Subscribed(const RCPtr<LNotificationCenter>& center, const std::string& name,
                                    const char16_t* id) {
    RCPtr<RecordingClient> client(new RecordingClient(clients, log, name));
    client->Subscribe(center, id);
    return client;
  }

  LifeRecord clients;
  Log log;
};

TEST_F(CenterManagerTest, CentersAreFoundByExactNameAndMadeOnFirstUse) {
  const auto manager = LNotificationCenterManager::GetInstance();
  EXPECT_EQ(LNotificationCenterManager::GetInstance(), manager);
  const auto application = manager->GetCenter(u"application");
  ASSERT_TRUE(application);
  EXPECT_EQ(application->GetName(), u"application");
  EXPECT_EQ(manager->GetCenter(String(u"application")), application);
  EXPECT_EQ(GetApplicationNotificationCenter(), application);
  EXPECT_NE(manager->GetCenter(u"Application"), application);
  EXPECT_EQ(manager->GetCenter(u""), nullptr);
  EXPECT_EQ(manager->FindCenter(u"other"), nullptr);
  EXPECT_EQ(manager->GetCenterCount(), 2);
}

TEST_F(CenterManagerTest, ACenterHandedOutStaysValidWhileManyMoreAreMade) {
  const auto manager = LNotificationCenterManager::GetInstance();
  const RCPtr<LNotificationCenter>& first = manager->GetCenter(u"first");
  for (int i = 0; i < 100; ++i) manager->GetCenter(String::FromFormat(u"center %d", i));
  EXPECT_EQ(first->GetName(), u"first");
  EXPECT_EQ(manager->FindCenter(u"first"), first);
}

TEST_F(CenterManagerTest, APassDeliversTheNewestCenterFirstAndEachCentersIdleOnce) {
  const auto manager = LNotificationCenterManager::GetInstance();
  const auto application = manager->GetCenter(u"application");
  const auto other = manager->GetCenter(u"other");
  const auto a = Subscribed(application, "application", u"NID_A");
  const auto b = Subscribed(other, "other", u"NID_A");
  const auto applicationIdle = Subscribed(application, "application idle", u"NID_IDLE");
  const auto otherIdle = Subscribed(other, "other idle", u"NID_IDLE");
  application->PostNotification(u"NID_A", nullptr);
  other->PostNotification(u"NID_A", nullptr);

  EXPECT_FALSE(manager->Process(false));
  EXPECT_EQ(log, (Log{"other", "application"}));
  log.clear();
  EXPECT_FALSE(manager->Process(true));
  EXPECT_EQ(log, (Log{"other idle", "application idle"}));
}

TEST_F(CenterManagerTest, ProcessTellsWhetherACenterStillHoldsEntries) {
  const auto center = GetApplicationNotificationCenter();
  const auto client = Subscribed(center, "A", u"NID_A");
  client->onReceive = [&](const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
    if (client->received.empty()) center->PostNotification(u"NID_A", nullptr);
  };
  center->PostNotification(u"NID_A", nullptr);
  EXPECT_TRUE(LNotificationCenterManager::GetInstance()->Process(false));
  EXPECT_FALSE(LNotificationCenterManager::GetInstance()->Process(false));
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(CenterManagerTest, ReleasingTheManagerMakesClientsLeaveAndFreesItsCenters) {
  LifeRecord payloads;
  const auto client = Subscribed(GetApplicationNotificationCenter(), "A", u"NID_A");
  GetApplicationNotificationCenter()->PostNotification(u"NID_A", new Testing::RecordingPayload(payloads));
  const auto receiver = GetApplicationNotificationCenter()->GetPostingReceiver();
  EXPECT_EQ(client->GetInternalRefCount(), 1);

  LNotificationCenterManager::ReleaseInstance();
  EXPECT_EQ(client->GetRegistrationCount(), 0);
  EXPECT_EQ(client->GetRefCount(), 1);
  EXPECT_EQ(payloads.destroyed, 1);
  EXPECT_EQ(receiver->GetRefCount(), 1);
  EXPECT_TRUE(log.empty());
}

TEST_F(CenterManagerTest, ACenterHeldElsewhereOutlivesTheManagerAndGoesWithItsLastHolder) {
  RCPtr<LNotificationCenter> kept = GetApplicationNotificationCenter();
  const auto client = Subscribed(kept, "A", u"NID_A");
  LNotificationCenterManager::ReleaseInstance();
  EXPECT_EQ(client->GetRegistrationCount(), 1);
  EXPECT_EQ(kept->GetRefCount(), 1 + 1 + 1 + 2);  // ours, registration, active list, receiver and self
  kept.Reset();
  EXPECT_EQ(client->GetRegistrationCount(), 0);
  EXPECT_EQ(client->GetRefCount(), 1);
}

// --- the application object's use, through its test double ---------------------------

TEST_F(CenterManagerTest, TheIdlePassPumpsCentersThenRootWindowsLastFirst) {
  RCPtr<FakeFrameworkApp> app(new FakeFrameworkApp);
  app->RunApplicationStartup();
  auto first = app->AddRootWindow();
  auto second = app->AddRootWindow();
  const auto centerClient = Subscribed(app->GetApplicationCenter(), "center", u"NID_IDLE");
  RCPtr<RecordingClient> firstClient(new RecordingClient(clients, log, "first window"));
  RCPtr<RecordingClient> secondClient(new RecordingClient(clients, log, "second window"));
  firstClient->Subscribe(first, u"NID_IDLE");
  secondClient->Subscribe(second, u"NID_IDLE");

  EXPECT_EQ(app->OnPlatformIdle(), 1);
  EXPECT_EQ(log, (Log{"center", "second window", "first window"}));

  app->ShutDown();
  EXPECT_FALSE(LNotification::IsPoolingEnabled());
  EXPECT_EQ(centerClient->GetRegistrationCount(), 0);
  first.Reset();
  second.Reset();
  EXPECT_EQ(firstClient->GetRegistrationCount(), 0);
  EXPECT_EQ(secondClient->GetRefCount(), 1);
}

TEST_F(CenterManagerTest, ThePlatformIdleHandlerAsksForOneMoreCallWhileWorkIsLeft) {
  RCPtr<FakeFrameworkApp> app(new FakeFrameworkApp);
  const auto center = app->GetApplicationCenter();
  const auto client = Subscribed(center, "A", u"NID_A");
  client->onReceive = [&](const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
    center->PostNotification(u"NID_A", nullptr);
  };
  center->PostNotification(u"NID_A", nullptr);
  EXPECT_EQ(app->OnPlatformIdle(), 2);
  EXPECT_EQ(log.size(), 2u);
  app->ShutDown();
}

TEST_F(CenterManagerTest, TheExitRequestStillArrivesAfterAHandlerThrewDuringTheIdlePass) {
  RCPtr<FakeFrameworkApp> app(new FakeFrameworkApp);
  app->RunApplicationStartup();
  const auto center = app->GetApplicationCenter();
  const auto failing = Subscribed(center, "failing", u"NID_PARAM_MODULE_STATE_CHANGE");
  const auto exit = Subscribed(center, "exit", u"NID_APP_EXIT_REQ");
  failing->onReceive = [](const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
    throw std::runtime_error("handler failed");
  };
  center->PostNotification(u"NID_PARAM_MODULE_STATE_CHANGE", nullptr);
  EXPECT_THROW(app->OnPlatformIdle(), std::runtime_error);

  // What the message loop does with an exception: post the exit request.
  EXPECT_EQ(center->PostNotification(u"NID_APP_EXIT_REQ", nullptr), S_OK);
  app->OnPlatformIdle();
  EXPECT_EQ(log, (Log{"exit"}));
  app->ShutDown();
}

TEST_F(CenterManagerTest, WorkerThreadsPostToTheApplicationCenterWhileTheUiThreadPumps) {
  RCPtr<FakeFrameworkApp> app(new FakeFrameworkApp);
  app->RunApplicationStartup();
  const auto client = Subscribed(app->GetApplicationCenter(), "A", u"NID_PARAM_MODULE_STATE_CHANGE");
  constexpr int kThreads = 3, kPosts = 500;
  std::atomic<int> finished{0};
  std::vector<std::thread> workers;
  for (int t = 0; t < kThreads; ++t)
    workers.emplace_back([&finished] {
      for (int i = 0; i < kPosts; ++i)
        GetApplicationNotificationCenter()->PostNotification(u"NID_PARAM_MODULE_STATE_CHANGE", nullptr);
      finished.fetch_add(1);
    });
  // Pumps while the threads post; once they are done one more pass must deliver the rest.
  while (finished.load() < kThreads) app->OnPlatformIdle();
  for (auto& worker : workers) worker.join();
  app->OnPlatformIdle();
  app->ShutDown();
  EXPECT_EQ(log.size(), static_cast<size_t>(kThreads * kPosts));
}

}  // namespace
}  // namespace SV
