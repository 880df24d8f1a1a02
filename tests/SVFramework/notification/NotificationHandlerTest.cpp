#include "SVFramework/notification/NotificationHandler.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "SVFramework/notification/NotificationNames.h"
#include "tests/Support/RecordingClient.h"

namespace SV {
namespace {

using Testing::InstrumentedObject;
using Testing::LifeRecord;
using Testing::RecordingDistributor;
using Calls = std::vector<std::string>;

// Plays a control: owns a handler table and follows the owners' protocol.
class Owner : public LNotificationClient, public InstrumentedObject {
public:
  explicit Owner(LifeRecord& record) : InstrumentedObject(record) {}
  void Initialize() { mHandlers = LNotificationHandler<Owner>::Create(this); }

  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override {
    return mHandlers ? mHandlers->Dispatch(source, notification) : 0;
  }
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override {
    if (mHandlers) mHandlers->RemoveHandler(source.Get(), idText);
    return LNotificationClient::Unsubscribe(source, idText);
  }
  SVRESULT ReleaseInternalReferences() override {
    InstrumentedObject::ReleaseInternalReferences();
    return LNotificationClient::ReleaseInternalReferences();
  }

  int32_t OnF(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) { return Record("F", 1); }
  int32_t OnG(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) { return Record("G", 1); }
  int32_t OnDecline(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
    return Record("decline", 0);
  }

  RCPtr<LNotificationHandler<Owner>> mHandlers;
  Calls calls;

protected:
  int32_t Record(const char* what, int32_t result) {
    calls.emplace_back(what);
    return result;
  }
};

// A class derived from an owner with a table of its own, tried first.
class Panel : public Owner {
public:
  using Owner::Owner;
  void Initialize() {
    Owner::Initialize();
    mPanelHandlers = LNotificationHandler<Panel>::Create(this);
  }
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override {
    if (mPanelHandlers)
      if (const int32_t handled = mPanelHandlers->Dispatch(source, notification)) return handled;
    return Owner::Receive(source, notification);
  }
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override {
    if (mPanelHandlers) mPanelHandlers->RemoveHandler(source.Get(), idText);
    return Owner::UnsubscribeVirtual(source, idText);
  }
  int32_t OnPanel(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) { return Record("panel", 1); }

  RCPtr<LNotificationHandler<Panel>> mPanelHandlers;
};

class HandlerTest : public ::testing::Test {
protected:
  HandlerTest() { owner->Initialize(); }
  RCPtr<LNotification> Notification(const char16_t* id = NotificationName::kValueChange) {
    return LNotification::Obtain(id, nullptr);
  }

  LifeRecord owners, distributors;
  RCPtr<Owner> owner{new Owner(owners)};
  RCPtr<RecordingDistributor> source{new RecordingDistributor(distributors)};
  RCPtr<RecordingDistributor> otherSource{new RecordingDistributor(distributors)};
};

TEST_F(HandlerTest, BindingSubscribesAndDispatchRunsItOnlyForTheBoundSource) {
  ASSERT_EQ(owner->mHandlers->AddHandler(&Owner::OnF, source, NotificationName::kValueChange), S_OK);
  EXPECT_EQ(owner->GetRegistrationCount(), 1);
  EXPECT_EQ(owner->mHandlers->Dispatch(otherSource, Notification()), 0);
  EXPECT_TRUE(owner->calls.empty());
  source->Distribute(Notification());
  EXPECT_EQ(owner->calls, (Calls{"F"}));
  EXPECT_EQ(owner->mHandlers->Dispatch(source, Notification(u"NID_OTHER")), 0);
}

TEST_F(HandlerTest, BindingAPairTwiceKeepsTheFirstFunctionAndTakesTheNewFlags) {
  owner->mHandlers->AddHandler(&Owner::OnF, source, NotificationName::kValueChange, 0);
  owner->mHandlers->AddHandler(&Owner::OnG, source, NotificationName::kValueChange, 1);
  EXPECT_EQ(owner->GetRegistrationCount(), 1);
  LNotificationHandler<Owner>::Binding binding;
  int32_t flags = -1;
  EXPECT_EQ(owner->mHandlers->GetHandler(source, NotificationName::kValueChange, binding, flags), S_OK);
  EXPECT_EQ(flags, 1);
  EXPECT_EQ(owner->mHandlers->Dispatch(source, Notification()), 1);
  EXPECT_EQ(owner->calls, (Calls{"F"}));
}

TEST_F(HandlerTest, ADirectBindingIsReachedWithANullSourceAndNotThroughADistributor) {
  ASSERT_EQ(owner->mHandlers->AddDirectHandler(&Owner::OnF, u"NID_SIMULATE_CLICK"), S_OK);
  EXPECT_EQ(owner->GetRegistrationCount(), 0);
  EXPECT_EQ(owner->Receive(nullptr, Notification(u"NID_SIMULATE_CLICK")), 1);
  owner->Subscribe(source, u"NID_SIMULATE_CLICK");
  source->Distribute(Notification(u"NID_SIMULATE_CLICK"));
  EXPECT_EQ(owner->calls, (Calls{"F"}));
}

TEST_F(HandlerTest, BadBindingsAndAbsentPairsAreRefused) {
  EXPECT_EQ(owner->mHandlers->AddHandler(&Owner::OnF, nullptr, NotificationName::kValueChange), E_INVALIDARG);
  EXPECT_EQ(owner->mHandlers->AddHandler(&Owner::OnF, source, u""), E_FAIL);
  EXPECT_EQ(owner->mHandlers->AddDirectHandler(&Owner::OnF, u""), E_FAIL);
  EXPECT_EQ(owner->mHandlers->GetBindingCount(), 0);
  EXPECT_FALSE(owner->mHandlers->RemoveHandler(source.Get(), NotificationName::kValueChange));
  EXPECT_FALSE(owner->mHandlers->HasHandler(source.Get(), NotificationName::kValueChange));
  LNotificationHandler<Owner>::Binding binding;
  int32_t flags = 0;
  EXPECT_EQ(owner->mHandlers->GetHandler(source, NotificationName::kValueChange, binding, flags), E_FAIL);
}

int32_t RegisteredIDCount() {
  MutexLock lock(GetNotificationLock());
  return static_cast<int32_t>(GetNotificationIDRegistry().GetCount());
}

// Every row asks about an ID text that nobody ever registered; none may add it.
TEST_F(HandlerTest, LookingUpAnUnknownIDAddsNothingToTheIDRegistry) {
  owner->mHandlers->AddHandler(&Owner::OnF, source, NotificationName::kValueChange);
  LNotificationHandler<Owner>::Binding binding;
  int32_t flags = 0;
  const struct Row {
    const char* what;
    const char16_t* id;
    std::function<void(const char16_t*)> lookUp;
  } rows[] = {
      {"a client leaving an ID it never joined", u"NID_UNKNOWN_LEAVE",
       [&](const char16_t* id) { EXPECT_EQ(owner->Unsubscribe(source, id), S_FALSE); }},
      {"a distributor asked for a client's flags", u"NID_UNKNOWN_FLAGS",
       [&](const char16_t* id) { EXPECT_EQ(source->GetSubscriptionFlags(owner.Get(), id, flags), E_FAIL); }},
      {"a table asked to remove a binding", u"NID_UNKNOWN_REMOVE",
       [&](const char16_t* id) { EXPECT_FALSE(owner->mHandlers->RemoveHandler(source.Get(), id)); }},
      {"a table asked whether a binding exists", u"NID_UNKNOWN_HAS",
       [&](const char16_t* id) { EXPECT_FALSE(owner->mHandlers->HasHandler(source.Get(), id)); }},
      {"a table asked for a binding", u"NID_UNKNOWN_GET",
       [&](const char16_t* id) { EXPECT_EQ(owner->mHandlers->GetHandler(source, id, binding, flags), E_FAIL); }},
      {"a binding switched off for a scope", u"NID_UNKNOWN_DISABLE",
       [&](const char16_t* id) {
         EXPECT_ANY_THROW(CAutoNotificationDisabler<Owner> disabler(owner->mHandlers, source, id));
       }},
  };
  for (const Row& row : rows) {
    const int32_t before = RegisteredIDCount();
    row.lookUp(row.id);
    EXPECT_EQ(RegisteredIDCount(), before) << row.what;
  }
  EXPECT_EQ(owner->GetRegistrationCount(), 1);
}

TEST_F(HandlerTest, RemovingABindingLeavesTheSubscription) {
  owner->mHandlers->AddHandler(&Owner::OnF, source, NotificationName::kValueChange);
  EXPECT_TRUE(owner->mHandlers->HasHandler(source.Get(), NotificationName::kValueChange));
  EXPECT_TRUE(owner->mHandlers->RemoveHandler(source.Get(), NotificationName::kValueChange));
  EXPECT_EQ(owner->GetRegistrationCount(), 1);
  source->Distribute(Notification());
  EXPECT_TRUE(owner->calls.empty());
}

TEST_F(HandlerTest, ADistributorMakingItsClientsLeaveDropsTheirBindings) {
  owner->mHandlers->AddHandler(&Owner::OnF, source, NotificationName::kValueChange);
  source->RemoveAllClients();
  EXPECT_FALSE(owner->mHandlers->HasHandler(source.Get(), NotificationName::kValueChange));
  EXPECT_EQ(owner->GetRegistrationCount(), 0);
}

TEST_F(HandlerTest, ABindingThatUnbindsItselfWhileItRunsIsSafe) {
  int calls = 0;
  owner->mHandlers->AddHandler(
      [&calls](Owner& self, const RCPtr<LNotificationDistributor>& from, const RCPtr<LNotification>& notification) {
        ++calls;
        self.UnsubscribeVirtual(from, notification->GetID());
        return 1;
      },
      source, NotificationName::kValueChange);
  source->Distribute(Notification());
  source->Distribute(Notification());
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(owner->mHandlers->HasHandler(source.Get(), NotificationName::kValueChange));
  EXPECT_EQ(owner->GetRegistrationCount(), 0);
}

TEST_F(HandlerTest, TheTableDoesNotKeepItsOwnerAlive) {
  owner->mHandlers->AddHandler(&Owner::OnF, source, NotificationName::kValueChange);
  const RCPtr<LNotificationHandler<Owner>> table = owner->mHandlers;
  owner.Reset();
  EXPECT_EQ(owners.destroyed, 1);
  EXPECT_EQ(source->GetRegistrationCount(), 0);
}

TEST_F(HandlerTest, AnOwnerChainTriesTheMostDerivedTableFirstAndStopsAtTheFirstThatHandles) {
  RCPtr<Panel> panel(new Panel(owners));
  panel->Initialize();
  panel->mHandlers->AddHandler(&Owner::OnDecline, source, u"NID_A");
  panel->mHandlers->AddHandler(&Owner::OnF, source, u"NID_B");
  panel->mPanelHandlers->AddHandler(&Panel::OnPanel, source, u"NID_B");
  panel->mPanelHandlers->AddHandler(&Owner::OnG, source, u"NID_C");

  source->Distribute(Notification(u"NID_A"));
  source->Distribute(Notification(u"NID_B"));
  source->Distribute(Notification(u"NID_C"));
  EXPECT_EQ(panel->calls, (Calls{"decline", "panel", "G"}));

  panel->UnsubscribeVirtual(source, u"NID_B");
  EXPECT_FALSE(panel->mHandlers->HasHandler(source.Get(), u"NID_B"));
  EXPECT_FALSE(panel->mPanelHandlers->HasHandler(source.Get(), u"NID_B"));
}

// --- switching a binding off for a scope ----------------------------------------------

TEST_F(HandlerTest, ADisablerTakesTheBindingOutForItsScopeAndPutsItBackWithTheSameFlags) {
  owner->mHandlers->AddHandler(&Owner::OnF, source, NotificationName::kValueChange, 1);
  {
    CAutoNotificationDisabler<Owner> disabler(owner->mHandlers, source, NotificationName::kValueChange);
    EXPECT_EQ(owner->GetRegistrationCount(), 0);
    EXPECT_FALSE(owner->mHandlers->HasHandler(source.Get(), NotificationName::kValueChange));
    owner->mHandlers->AddHandler(&Owner::OnF, otherSource, NotificationName::kValueChange);
    otherSource->Distribute(Notification());
  }
  EXPECT_EQ(owner->calls, (Calls{"F"}));
  EXPECT_TRUE(owner->mHandlers->HasHandler(source.Get(), NotificationName::kValueChange));
  int32_t flags = 0;
  EXPECT_EQ(source->GetSubscriptionFlags(owner.Get(), NotificationName::kValueChange, flags), S_OK);
  EXPECT_EQ(flags, 1);
}

TEST_F(HandlerTest, ADisablerForAnUnboundPairRaisesAFailedResult) {
  try {
    CAutoNotificationDisabler<Owner> disabler(owner->mHandlers, source, NotificationName::kValueChange);
    FAIL() << "no exception";
  } catch (const Exception<FailedResultException>& error) {
    const std::string text = error.what();
    EXPECT_EQ(text.rfind("Failed Result : SVRESULT = 80004005 : SV::CAutoNotificationDisabler<", 0), 0u) << text;
    EXPECT_NE(text.find("Owner>::CAutoNotificationDisabler : notification/NotificationHandler : Line "),
              std::string::npos)
        << text;
  }
}

TEST_F(HandlerTest, ADisablerLeftByAnExceptionRestoresTheBindingWithoutThrowing) {
  owner->mHandlers->AddHandler(&Owner::OnF, source, NotificationName::kValueChange);
  EXPECT_THROW(
      {
        CAutoNotificationDisabler<Owner> disabler(owner->mHandlers, source, NotificationName::kValueChange);
        throw std::runtime_error("work failed");
      },
      std::runtime_error);
  EXPECT_TRUE(owner->mHandlers->HasHandler(source.Get(), NotificationName::kValueChange));
  EXPECT_EQ(owner->GetRegistrationCount(), 1);
}

// A bound callable whose copy fails once armed, so that putting the binding back fails.
struct FragileCallable {
  std::shared_ptr<bool> armed = std::make_shared<bool>(false);
  FragileCallable() = default;
  FragileCallable(const FragileCallable& other) : armed(other.armed) {
    if (*armed) throw std::bad_alloc();
  }
  int32_t operator()(Owner&, const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) const { return 1; }
};

TEST_F(HandlerTest, ARestoreThatFailsIsReturnedByRestoreAndOnlyReportedByTheDestructor) {
  FragileCallable callable;
  owner->mHandlers->AddHandler(callable, source, NotificationName::kValueChange);
  {
    CAutoNotificationDisabler<Owner> disabler(owner->mHandlers, source, NotificationName::kValueChange);
    *callable.armed = true;
    EXPECT_EQ(disabler.Restore(), E_FAIL);
    EXPECT_EQ(disabler.Restore(), S_FALSE);
  }
  *callable.armed = false;
  owner->mHandlers->AddHandler(callable, source, NotificationName::kValueChange);
  EXPECT_NO_THROW({
    CAutoNotificationDisabler<Owner> disabler(owner->mHandlers, source, NotificationName::kValueChange);
    *callable.armed = true;
  });
  EXPECT_FALSE(owner->mHandlers->HasHandler(source.Get(), NotificationName::kValueChange));
}

}  // namespace
}  // namespace SV
