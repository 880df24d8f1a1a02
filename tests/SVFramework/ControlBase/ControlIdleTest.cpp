#include <gtest/gtest.h>

#include "SVFramework/ControlBase/Control.h"
#include "tests/Support/Controls/InstrumentedControl.h"
#include "tests/Support/Controls/StandInRootWindow.h"

namespace SV {
namespace {

using Testing::InstrumentedControl;
using Testing::LifeRecord;
using Testing::StandInRootWindow;

// A shown top-level control with two children; the controls count as created, so
// they take their idle ticks.
class ControlIdleTest : public ::testing::Test {
protected:
  void SetUp() override {
    top = Make(nullptr, u"top");
    first = Make(top, u"first");
    second = Make(top, u"second");
  }
  void TearDown() override {
    top->Detach();
    window->Forget();
  }
  RCPtr<InstrumentedControl> Make(const RCPtr<LControl>& parent, const char16_t* name) {
    return InstrumentedControl::MakeCreated(life, parent, name);
  }

  LifeRecord life;
  RCPtr<StandInRootWindow> window = StandInRootWindow::Create();
  RCPtr<InstrumentedControl> top, first, second;
};

TEST_F(ControlIdleTest, TheSubscriptionLastsUntilTheLastUnitIsGivenBack) {
  top->SetRootWindow(window.Get());
  EXPECT_EQ(first->AcquireIdle(), S_OK);
  EXPECT_EQ(first->AcquireIdle(), S_OK);
  EXPECT_EQ(first->ReleaseIdle(), S_OK);
  window->Idle();
  EXPECT_EQ(first->idleTicks, 1);

  EXPECT_EQ(first->ReleaseIdle(), S_OK);
  window->Idle();
  EXPECT_EQ(first->idleTicks, 1);
  EXPECT_EQ(window->GetRegistrationCount(), 0);
}

TEST_F(ControlIdleTest, UnitsTakenBeforeTheTreeIsShownSubscribeWhenItGetsItsRootWindow) {
  EXPECT_EQ(first->AcquireIdle(), S_OK);
  EXPECT_EQ(top->AcquireIdle(), S_OK);
  EXPECT_EQ(first->GetIdleCount(), 1);
  window->Idle();
  EXPECT_EQ(first->idleTicks, 0);

  top->SetRootWindow(window.Get());
  window->Idle();
  EXPECT_EQ(top->idleTicks, 1);
  EXPECT_EQ(first->idleTicks, 1);
  EXPECT_EQ(second->idleTicks, 0);
}

TEST_F(ControlIdleTest, ReleasingWithoutAUnitChangesNothingAndLeavesNoStaleSubscription) {
  top->SetRootWindow(window.Get());
  EXPECT_EQ(first->ReleaseIdle(), S_FALSE);
  EXPECT_EQ(first->GetIdleCount(), 0);

  first->AcquireIdle();
  first->ReleaseIdle();
  window->Idle();
  EXPECT_EQ(first->idleTicks, 0);
  EXPECT_EQ(window->GetRegistrationCount(), 0);
}

TEST_F(ControlIdleTest, ChildrenQueuedInOnePassGoAtTheNextInQueueOrderOnOneUnit) {
  top->SetRootWindow(window.Get());
  EXPECT_EQ(top->DestroyChildLater(first), S_OK);
  EXPECT_EQ(top->DestroyChildLater(second), S_OK);
  EXPECT_EQ(top->GetIdleCount(), 1);
  EXPECT_FALSE(first->GetLayout()->IsVisible) << "hidden at once";
  EXPECT_EQ(first->GetParent(), top.Get()) << "still a child until the idle pass";

  window->Idle();
  EXPECT_EQ(top->GetChildCount(), 0u);
  ASSERT_EQ(top->removed.size(), 2u);
  EXPECT_EQ(top->removed[0].child, first.Get());
  EXPECT_EQ(top->removed[1].child, second.Get());
  EXPECT_EQ(top->GetIdleCount(), 0);
  EXPECT_EQ(top->idleTicks, 1) << "the hook runs after the destruction";
}

TEST_F(ControlIdleTest, OnlyAChildOfThisControlCanBeQueued) {
  EXPECT_EQ(first->DestroyChildLater(second), E_INVALIDARG);
  EXPECT_EQ(first->GetPendingDestructionCount(), 0u);
  EXPECT_TRUE(second->GetLayout()->IsVisible);
}

TEST_F(ControlIdleTest, AQueuedChildsNameIsFreedWhenAReplacementJoins) {
  top->SetRootWindow(window.Get());
  top->DestroyChildLater(first);
  const RCPtr<InstrumentedControl> replacement = Make(nullptr, u"first");
  EXPECT_EQ(replacement->SetParent(top), S_OK);
  EXPECT_EQ(first->GetParent(), nullptr);
  EXPECT_EQ(top->GetPendingDestructionCount(), 0u);
  EXPECT_EQ(top->GetIdleCount(), 0);
}

TEST_F(ControlIdleTest, AQueuedChildIsDestroyedAtTheIdlePassWhenNobodyElseHoldsIt) {
  top->SetRootWindow(window.Get());
  top->DestroyChildLater(first);
  first.Reset();
  second.Reset();
  EXPECT_EQ(life.destroyed, 0);
  window->Idle();
  EXPECT_EQ(life.destroyed, 1);
}

}  // namespace
}  // namespace SV
