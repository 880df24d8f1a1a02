#include "SVFramework/notification/Notification.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "tests/Support/RecordingClient.h"

namespace SV {
namespace {

using Testing::LifeRecord;
using Testing::RecordingPayload;

// Recycling is process-wide: every test leaves it off and the pool empty.
class NotificationTest : public ::testing::Test {
protected:
  void TearDown() override { LNotification::SetPoolingEnabled(false); }
  RCPtr<LRefCountedObject> Payload() { return RCPtr<LRefCountedObject>(new RecordingPayload(payloads)); }

  LifeRecord payloads;
};

TEST_F(NotificationTest, ObtainCarriesTheInternedIDAndThePayload) {
  const RCPtr<LRefCountedObject> payload = Payload();
  const RCPtr<LNotification> notification = LNotification::Obtain(u"NID_VALUE_CHANGE", payload);
  ASSERT_TRUE(notification);
  EXPECT_EQ(notification->GetID(), InternNotificationID(u"NID_VALUE_CHANGE"));
  EXPECT_EQ(notification->GetPayload().Get(), payload.Get());
  EXPECT_EQ(payload->GetRefCount(), 2);
  EXPECT_FALSE(notification->IsPosted());
}

TEST_F(NotificationTest, AnEmptyIDTextGivesNoNotificationWhetherPoolingOrNot) {
  EXPECT_FALSE(LNotification::Obtain(u"", nullptr));
  EXPECT_FALSE(LNotification::Obtain(nullptr, nullptr));
  LNotification::SetPoolingEnabled(true);
  LNotification::Obtain(u"NID_A", nullptr).Reset();
  ASSERT_EQ(LNotification::GetPoolCount(), 1);
  EXPECT_FALSE(LNotification::Obtain(u"", nullptr));
  EXPECT_EQ(LNotification::GetPoolCount(), 1);
}

TEST_F(NotificationTest, WithPoolingOffTheLastReleaseDestroysTheNotificationAndItsPayload) {
  RCPtr<LNotification> notification = LNotification::Obtain(u"NID_A", Payload());
  notification.Reset();
  EXPECT_EQ(payloads.destroyed, 1);
  EXPECT_EQ(LNotification::GetPoolCount(), 0);
}

TEST_F(NotificationTest, WithPoolingOnTheLastReleaseDropsThePayloadAndTheNextObtainReusesTheObject) {
  LNotification::SetPoolingEnabled(true);
  RCPtr<LNotification> first = LNotification::Obtain(u"NID_A", Payload());
  const LNotification* address = first.Get();
  first.Reset();
  EXPECT_EQ(payloads.destroyed, 1);
  EXPECT_EQ(LNotification::GetPoolCount(), 1);

  const RCPtr<LRefCountedObject> second = Payload();
  const RCPtr<LNotification> reused = LNotification::Obtain(u"NID_B", second);
  EXPECT_EQ(reused.Get(), address);
  EXPECT_EQ(reused->GetID(), InternNotificationID(u"NID_B"));
  EXPECT_EQ(reused->GetPayload().Get(), second.Get());
  EXPECT_EQ(reused->GetRefCount(), 1);
  EXPECT_EQ(LNotification::GetPoolCount(), 0);
}

TEST_F(NotificationTest, ARecycledNotificationStartsUnpostedEvenWhenReleasedWhilePosted) {
  LNotification::SetPoolingEnabled(true);
  RCPtr<LNotification> notification = LNotification::Obtain(u"NID_A", nullptr);
  ASSERT_TRUE(notification->MarkPosted());
  notification.Reset();
  const RCPtr<LNotification> reused = LNotification::Obtain(u"NID_APP_EXIT_REQ", nullptr);
  EXPECT_FALSE(reused->IsPosted());
  EXPECT_TRUE(reused->MarkPosted());
  EXPECT_FALSE(reused->MarkPosted());
}

TEST_F(NotificationTest, SwitchingPoolingOffDestroysEveryPooledNotification) {
  LNotification::SetPoolingEnabled(true);
  std::vector<RCPtr<LNotification>> notifications;
  for (int i = 0; i < 3; ++i) notifications.push_back(LNotification::Obtain(u"NID_A", Payload()));
  notifications.clear();
  EXPECT_EQ(LNotification::GetPoolCount(), 3);

  LNotification::SetPoolingEnabled(false);
  EXPECT_EQ(LNotification::GetPoolCount(), 0);
  RCPtr<LNotification> fresh = LNotification::Obtain(u"NID_A", nullptr);
  fresh.Reset();
  EXPECT_EQ(LNotification::GetPoolCount(), 0);
  EXPECT_EQ(payloads.destroyed, 3);
}

TEST_F(NotificationTest, ThreadsObtainingAndReleasingAtOnceLoseNoPayload) {
  LNotification::SetPoolingEnabled(true);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([this] {
      for (int i = 0; i < 2000; ++i) {
        RCPtr<LNotification> notification = LNotification::Obtain(u"NID_THREADED", Payload());
        RCPtr<LNotification> second = notification;
        notification.Reset();
        second.Reset();
      }
    });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(payloads.constructed, 8000);
  EXPECT_EQ(payloads.destroyed, 8000);
}

}  // namespace
}  // namespace SV
