#include "SVFramework/notification/NotificationDistributor.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "SVFramework/notification/ActiveDistributorList.h"
#include "SVFramework/notification/NotificationClient.h"
#include "SVFramework/notification/NotificationNames.h"
#include "tests/Support/CaseName.h"
#include "tests/Support/RecordingClient.h"

namespace SV {
namespace {

using Testing::LifeRecord;
using Testing::RecordingClient;
using Testing::RecordingDistributor;
using Log = std::vector<std::string>;

class DistributorTest : public ::testing::Test {
public:
  RCPtr<RecordingClient> MakeClient(const std::string& name) { return new RecordingClient(clients, log, name); }
  RCPtr<LNotification> Notification(const char16_t* id = NotificationName::kValueChange) {
    return LNotification::Obtain(id, nullptr);
  }

  LifeRecord clients;
  LifeRecord distributors;
  Log log;
  RCPtr<RecordingDistributor> distributor{new RecordingDistributor(distributors)};
};

// --- reference accounting ---------------------------------------------------------

TEST_F(DistributorTest, OneRegistrationCountsAnInternalReferenceOnBothSides) {
  RCPtr<RecordingClient> client = MakeClient("A");
  ASSERT_NE(client->Subscribe(distributor, NotificationName::kValueChange), nullptr);

  EXPECT_EQ(client->GetRefCount(), 2);  // ours and the registration's
  EXPECT_EQ(client->GetInternalRefCount(), 1);
  EXPECT_EQ(distributor->GetRefCount(), 3);  // ours, the registration's, the active list's
  EXPECT_EQ(distributor->GetInternalRefCount(), 2);
  EXPECT_TRUE(ActiveDistributorList::Contains(distributor.Get()));

  EXPECT_EQ(client->Unsubscribe(distributor, NotificationName::kValueChange), S_OK);
  EXPECT_EQ(client->GetRefCount(), 1);
  EXPECT_EQ(client->GetInternalRefCount(), 0);
  EXPECT_EQ(distributor->GetRefCount(), 1);
  EXPECT_EQ(distributor->GetInternalRefCount(), 0);
  EXPECT_FALSE(ActiveDistributorList::Contains(distributor.Get()));
}

TEST_F(DistributorTest, TwoIdsOnOneDistributorListTheDistributorOnceAndKeepItUntilTheLastLeaves) {
  RCPtr<RecordingClient> client = MakeClient("A");
  client->Subscribe(distributor, u"NID_A");
  client->Subscribe(distributor, u"NID_B");
  EXPECT_EQ(client->GetRegistrationCount(), 2);
  EXPECT_EQ(client->GetDistributorCount(), 1);
  EXPECT_EQ(distributor->GetRefCount(), 1 + 2 + 1);

  client->Unsubscribe(distributor, u"NID_A");
  EXPECT_EQ(client->GetDistributorCount(), 1);
  client->Unsubscribe(distributor, u"NID_B");
  EXPECT_EQ(client->GetDistributorCount(), 0);
  EXPECT_EQ(distributor->GetRefCount(), 1);
}

TEST_F(DistributorTest, ReleasingTheLastOutsideReferenceOfASubscribedClientFreesItOnce) {
  RCPtr<RecordingDistributor> second(new RecordingDistributor(distributors));
  RCPtr<RecordingClient> client = MakeClient("A");
  client->Subscribe(distributor, u"NID_A");
  client->Subscribe(distributor, u"NID_B");
  client->Subscribe(second, u"NID_A");

  client.Reset();

  EXPECT_EQ(clients.hookCalls, 1);
  EXPECT_EQ(clients.destroyed, 1);
  EXPECT_EQ(clients.Alive(), 0);
  EXPECT_EQ(distributor->GetRegistrationCount(), 0);
  EXPECT_EQ(distributor->GetRefCount(), 1);
  EXPECT_EQ(distributor->GetInternalRefCount(), 0);
  EXPECT_EQ(second->GetRefCount(), 1);
}

TEST_F(DistributorTest, ADistributorWithClientsOutlivesItsOwnerAndGoesWithTheLastClient) {
  RCPtr<RecordingClient> first = MakeClient("A");
  RCPtr<RecordingClient> second = MakeClient("B");
  first->Subscribe(distributor, NotificationName::kValueChange);
  second->Subscribe(distributor, NotificationName::kValueChange);

  distributor.Reset();
  EXPECT_EQ(distributors.Alive(), 1);

  first.Reset();
  EXPECT_EQ(distributors.Alive(), 1);
  second.Reset();
  EXPECT_EQ(distributors.destroyed, 1);
  EXPECT_EQ(clients.destroyed, 2);
}

// A distributor whose owner class makes its clients leave from its release hook, as
// centers, root windows and controls do.
class SelfCleaningDistributor : public RecordingDistributor {
public:
  using RecordingDistributor::RecordingDistributor;
  SVRESULT ReleaseInternalReferences() override {
    RemoveAllClients();
    return InstrumentedObject::ReleaseInternalReferences();
  }
};

TEST_F(DistributorTest, ACycleOfMutualSubscriptionsFreesBothWhenTheirOwnersLetGo) {
  // The client is also a distributor its distributor's own client subscribes to.
  LifeRecord cleaners;
  RCPtr<SelfCleaningDistributor> owner(new SelfCleaningDistributor(cleaners));
  RCPtr<RecordingClient> client = MakeClient("A");
  RCPtr<RecordingClient> watcher = MakeClient("W");
  client->Subscribe(owner, NotificationName::kValueChange);
  watcher->Subscribe(owner, u"NID_IDLE");

  owner.Reset();
  EXPECT_EQ(cleaners.hookCalls, 1);
  EXPECT_EQ(cleaners.destroyed, 1);
  EXPECT_EQ(client->GetRegistrationCount(), 0);
  EXPECT_EQ(client->GetRefCount(), 1);
  EXPECT_EQ(watcher->GetRefCount(), 1);

  client.Reset();
  watcher.Reset();
  EXPECT_EQ(clients.destroyed, 2);
  EXPECT_EQ(clients.constructed, 2);
}

// A distributor whose owner class tidies up from its destructor, as controls and root
// windows do; `tidy` runs there, when the count is already 0.
class TidyingDistributor : public RecordingDistributor {
public:
  TidyingDistributor(LifeRecord& record, std::function<void(LNotificationDistributor&)> tidy)
      : RecordingDistributor(record), mTidy(std::move(tidy)) {}
  ~TidyingDistributor() override { mTidy(*this); }

private:
  std::function<void(LNotificationDistributor&)> mTidy;
};

struct TidyCase {
  const char* what;
  void (*tidy)(LNotificationDistributor& distributor, LNotificationClient* formerClient);
};

void PrintTo(const TidyCase& tidyCase, std::ostream* stream) { *stream << tidyCase.what; }

class DestructorTidyTest : public DistributorTest, public ::testing::WithParamInterface<TidyCase> {};

TEST_P(DestructorTidyTest, AnOperationCalledFromTheDestructorNeitherRevivesNorFreesTheDistributorAgain) {
  RCPtr<RecordingClient> former = MakeClient("A");
  LifeRecord tidiers;
  RCPtr<TidyingDistributor> tidying(new TidyingDistributor(
      tidiers, [&](LNotificationDistributor& self) { GetParam().tidy(self, former.Get()); }));
  // The record of the ID stays after its last client left.
  former->Subscribe(tidying, NotificationName::kValueChange);
  former->Unsubscribe(tidying, NotificationName::kValueChange);

  tidying.Reset();

  EXPECT_EQ(tidiers.constructed, 1);
  EXPECT_EQ(tidiers.destroyed, 1);
  EXPECT_EQ(tidiers.hookCalls, 0);
  EXPECT_EQ(former->GetRefCount(), 1);
  EXPECT_TRUE(log.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Operations, DestructorTidyTest,
    ::testing::Values(TidyCase{"RemoveAllClients", [](LNotificationDistributor& d,
                                                      LNotificationClient*) { EXPECT_EQ(d.RemoveAllClients(), S_OK); }},
                      TidyCase{"Unregister",
                               [](LNotificationDistributor& d, LNotificationClient* c) {
                                 EXPECT_EQ(d.Unregister(c, NotificationName::kValueChange), S_FALSE);
                               }},
                      TidyCase{"UnregisterAll", [](LNotificationDistributor& d,
                                                   LNotificationClient* c) { EXPECT_EQ(d.UnregisterAll(c), 0); }},
                      TidyCase{"Distribute",
                               [](LNotificationDistributor& d, LNotificationClient*) {
                                 EXPECT_EQ(d.Distribute(LNotification::Obtain(NotificationName::kValueChange, nullptr)),
                                           S_FALSE);
                               }}),
    [](const ::testing::TestParamInfo<TidyCase>& info) { return std::string(info.param.what); });

TEST_F(DistributorTest, SubscribingTwiceReplacesTheFlagsAndKeepsOneRegistration) {
  RCPtr<RecordingClient> client = MakeClient("A");
  client->Subscribe(distributor, NotificationName::kValueChange, 0);
  client->Subscribe(distributor, NotificationName::kValueChange, 1);

  int32_t flags = -1;
  EXPECT_EQ(distributor->GetSubscriptionFlags(client.Get(), NotificationName::kValueChange, flags), S_OK);
  EXPECT_EQ(flags, 1);
  EXPECT_EQ(client->GetRegistrationCount(), 1);
  EXPECT_EQ(client->GetInternalRefCount(), 1);
  EXPECT_EQ(client->Unsubscribe(distributor, NotificationName::kValueChange), S_OK);
  EXPECT_EQ(client->Unsubscribe(distributor, NotificationName::kValueChange), S_FALSE);
  EXPECT_EQ(client->GetRefCount(), 1);
}

TEST_F(DistributorTest, UnsubscribeAllLeavesEveryDistributorAndCountsTheRemovals) {
  RCPtr<RecordingDistributor> second(new RecordingDistributor(distributors));
  RCPtr<RecordingClient> client = MakeClient("A");
  client->Subscribe(distributor, u"NID_A");
  client->Subscribe(distributor, u"NID_B");
  client->Subscribe(second, u"NID_A");

  EXPECT_EQ(client->UnsubscribeAll(), 3);
  EXPECT_EQ(client->GetRegistrationCount(), 0);
  EXPECT_EQ(client->GetInternalRefCount(), 0);
  EXPECT_EQ(client->GetRefCount(), 1);
  EXPECT_EQ(client->GetDistributorCount(), 0);
  EXPECT_EQ(distributor->GetRefCount(), 1);
  EXPECT_EQ(second->GetRefCount(), 1);
  EXPECT_EQ(client->UnsubscribeAll(), 0);
}

TEST_F(DistributorTest, RemoveAllClientsMakesEveryClientLeaveThroughItsOwnUnsubscribe) {
  RCPtr<RecordingClient> first = MakeClient("A");
  RCPtr<RecordingClient> second = MakeClient("B");
  first->Subscribe(distributor, u"NID_A");
  first->Subscribe(distributor, u"NID_B");
  second->Subscribe(distributor, u"NID_A");

  EXPECT_EQ(distributor->RemoveAllClients(), S_OK);
  EXPECT_EQ(distributor->GetRegistrationCount(), 0);
  EXPECT_EQ(first->GetRegistrationCount(), 0);
  EXPECT_EQ(first->GetDistributorCount(), 0);
  EXPECT_EQ(second->GetRefCount(), 1);
  EXPECT_EQ(distributor->GetRefCount(), 1);
  EXPECT_EQ(distributor->GetInternalRefCount(), 0);
}

TEST_F(DistributorTest, NullAndEmptyArgumentsAreRefused) {
  RCPtr<RecordingClient> client = MakeClient("A");
  EXPECT_EQ(client->Subscribe(nullptr, NotificationName::kValueChange), nullptr);
  EXPECT_EQ(client->Subscribe(distributor, u""), nullptr);
  EXPECT_EQ(client->Unsubscribe(distributor, NotificationName::kValueChange), S_FALSE);
  client->Subscribe(distributor, NotificationName::kValueChange);
  EXPECT_EQ(client->Unsubscribe(nullptr, NotificationName::kValueChange), E_INVALIDARG);
  EXPECT_EQ(client->Unsubscribe(distributor, nullptr), E_INVALIDARG);
  EXPECT_EQ(distributor->Register(nullptr, NotificationName::kValueChange, 0), E_INVALIDARG);
  EXPECT_EQ(distributor->Register(client, u"", 0), S_FALSE);
  EXPECT_EQ(distributor->Unregister(client.Get(), u""), E_INVALIDARG);
  EXPECT_EQ(distributor->UnregisterAll(nullptr), E_INVALIDARG);
  EXPECT_EQ(distributor->Distribute(nullptr), E_INVALIDARG);
  int32_t flags = 0;
  EXPECT_EQ(distributor->GetSubscriptionFlags(client.Get(), u"", flags), E_FAIL);
  EXPECT_EQ(distributor->GetSubscriptionFlags(client.Get(), u"NID_NEVER", flags), E_FAIL);
}

// --- delivery ------------------------------------------------------------------------

TEST_F(DistributorTest, DistributionReportsWhetherAnyoneWasRegistered) {
  EXPECT_EQ(distributor->Distribute(Notification()), S_FALSE);
  RCPtr<RecordingClient> latestOnly = MakeClient("L");
  latestOnly->Subscribe(distributor, NotificationName::kValueChange, LNotificationClient::LatestOnly);
  // A latest-only client never receives a direct distribution, which still counts.
  EXPECT_EQ(distributor->Distribute(Notification()), S_OK);
  EXPECT_TRUE(log.empty());
  latestOnly->Unsubscribe(distributor, NotificationName::kValueChange);
  EXPECT_EQ(distributor->Distribute(Notification()), S_FALSE);
}

TEST_F(DistributorTest, ClientsAreCalledNewestFirst) {
  RCPtr<RecordingClient> a = MakeClient("A"), b = MakeClient("B"), c = MakeClient("C");
  for (auto* client : {&a, &b, &c}) (*client)->Subscribe(distributor, NotificationName::kValueChange);
  distributor->Distribute(Notification());
  EXPECT_EQ(log, (Log{"C", "B", "A"}));
}

// What the newest client C does during its delivery, and who is called.
struct ReentrantCase {
  const char* what;
  void (*action)(DistributorTest& test, RecordingClient& c, RCPtr<RecordingClient>& a, RCPtr<RecordingClient>& d);
  Log firstDistribution;
  Log secondDistribution;
};

void PrintTo(const ReentrantCase& reentrantCase, std::ostream* stream) { *stream << reentrantCase.what; }

class ReentrantDeliveryTest : public DistributorTest, public ::testing::WithParamInterface<ReentrantCase> {};

TEST_P(ReentrantDeliveryTest, ADeliveryCallsNoRemovedClientNoClientTwiceAndSkipsNoRemainingOne) {
  RCPtr<RecordingClient> a = MakeClient("A"), b = MakeClient("B"), c = MakeClient("C"), d = MakeClient("D");
  for (auto* client : {&a, &b, &c}) (*client)->Subscribe(distributor, NotificationName::kValueChange);
  bool acted = false;
  c->onReceive = [&](const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
    if (acted) return;
    acted = true;
    GetParam().action(*this, *c, a, d);
  };

  distributor->Distribute(Notification());
  EXPECT_EQ(log, GetParam().firstDistribution) << GetParam().what;
  log.clear();
  distributor->Distribute(Notification());
  EXPECT_EQ(log, GetParam().secondDistribution) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReentrantDeliveryTest,
    ::testing::Values(
        ReentrantCase{"C unsubscribes A",
                      [](DistributorTest& t, RecordingClient&, RCPtr<RecordingClient>& a, RCPtr<RecordingClient>&) {
                        a->Unsubscribe(t.distributor, NotificationName::kValueChange);
                      },
                      {"C", "B"},
                      {"C", "B"}},
        ReentrantCase{"C unsubscribes itself",
                      [](DistributorTest& t, RecordingClient& c, RCPtr<RecordingClient>&, RCPtr<RecordingClient>&) {
                        c.Unsubscribe(t.distributor, NotificationName::kValueChange);
                      },
                      {"C", "B", "A"},
                      {"B", "A"}},
        ReentrantCase{"C subscribes a new client D",
                      [](DistributorTest& t, RecordingClient&, RCPtr<RecordingClient>&, RCPtr<RecordingClient>& d) {
                        d->Subscribe(t.distributor, NotificationName::kValueChange);
                      },
                      {"C", "B", "A"},
                      {"D", "C", "B", "A"}},
        ReentrantCase{"C makes every client leave",
                      [](DistributorTest& t, RecordingClient&, RCPtr<RecordingClient>&, RCPtr<RecordingClient>&) {
                        t.distributor->RemoveAllClients();
                      },
                      {"C"},
                      {}}),
    Testing::NameFromWhat());

TEST_F(DistributorTest, ANestedDistributionMovesTheCursorAndTheOuterOneContinuesFromThere) {
  RCPtr<RecordingClient> a = MakeClient("A"), b = MakeClient("B"), c = MakeClient("C");
  for (auto* client : {&a, &b, &c}) (*client)->Subscribe(distributor, NotificationName::kValueChange);
  bool nested = false;
  b->onReceive = [&](const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
    if (nested) return;
    nested = true;
    distributor->Distribute(Notification());
  };

  distributor->Distribute(Notification());
  // B's own record comes after its nested distribution; the outer one then goes on
  // from the nested one's last index, so nobody is called twice by it.
  EXPECT_EQ(log, (Log{"C", "C", "B", "A", "B"}));
}

TEST_F(DistributorTest, AClientReleasedByItsOwnerDuringDeliveryIsFreedAfterItsCall) {
  RCPtr<RecordingClient> a = MakeClient("A");
  RCPtr<RecordingClient> b = MakeClient("B");
  a->Subscribe(distributor, NotificationName::kValueChange);
  b->Subscribe(distributor, NotificationName::kValueChange);
  b->onReceive = [&](const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) { b.Reset(); };

  distributor->Distribute(Notification());
  EXPECT_EQ(log, (Log{"B", "A"}));
  EXPECT_EQ(clients.destroyed, 1);
  EXPECT_EQ(clients.hookCalls, 1);
  EXPECT_EQ(distributor->GetRegistrationCount(), 1);
}

TEST_F(DistributorTest, AClientsExceptionPassesOnAndLaterClientsAreNotCalled) {
  RCPtr<RecordingClient> a = MakeClient("A"), b = MakeClient("B");
  a->Subscribe(distributor, NotificationName::kValueChange);
  b->Subscribe(distributor, NotificationName::kValueChange);
  b->onReceive = [](const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
    throw std::runtime_error("handler failed");
  };
  RCPtr<LNotification> notification = Notification();

  EXPECT_THROW(distributor->Distribute(notification), std::runtime_error);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(notification->GetRefCount(), 1);
  EXPECT_EQ(b->GetRefCount(), 2);
}

TEST_F(DistributorTest, DeliverToOffersANotificationToOneClientAtATime) {
  RCPtr<RecordingClient> a = MakeClient("A"), b = MakeClient("B");
  a->Subscribe(distributor, NotificationName::kValueChange);
  b->Subscribe(distributor, NotificationName::kValueChange);
  const auto record = distributor->FindRegistration(InternNotificationID(NotificationName::kValueChange));
  ASSERT_TRUE(record);
  const RCPtr<LNotificationDistributor> source(distributor);

  EXPECT_EQ(record->DeliverTo(source, 0, Notification()), 0);
  EXPECT_EQ(log, (Log{"A"}));
  EXPECT_EQ(record->DeliverTo(source, 5, Notification()), 2);
  EXPECT_EQ(distributor->FindRegistration(InternNotificationID(u"NID_NOBODY")), nullptr);
}

// The list of distributors with registrations is shared by every thread.
TEST(DistributorThreads, ThreadsSubscribingAtOnceKeepTheSharedListAndEveryCountExact) {
  const int32_t listedBefore = ActiveDistributorList::GetCount();
  LifeRecord clients, distributors;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      Log log;
      RCPtr<RecordingDistributor> distributor(new RecordingDistributor(distributors));
      RCPtr<RecordingClient> client(new RecordingClient(clients, log, "A"));
      for (int i = 0; i < 500; ++i) {
        client->Subscribe(distributor, NotificationName::kValueChange);
        distributor->Distribute(LNotification::Obtain(NotificationName::kValueChange, nullptr));
        client->Unsubscribe(distributor, NotificationName::kValueChange);
      }
      client->Subscribe(distributor, NotificationName::kValueChange);
      distributor.Reset();
      client.Reset();
      EXPECT_EQ(log.size(), 500u);
    });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(ActiveDistributorList::GetCount(), listedBefore);
  EXPECT_EQ(clients.Alive(), 0);
  EXPECT_EQ(distributors.Alive(), 0);
}

}  // namespace
}  // namespace SV
