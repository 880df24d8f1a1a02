#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "SVFramework/ControlBase/Control.h"
#include "tests/Support/Controls/InstrumentedControl.h"
#include "tests/Support/Controls/StandInRootWindow.h"
#include "tests/Support/Renderer/StandInApplication.h"

namespace SV {
namespace {

using Testing::InstrumentedControl;
using Testing::LifeRecord;
using Testing::StandInApplication;
using Testing::StandInRootWindow;

// A control that may refuse to let the focus go.
class GuardedControl : public InstrumentedControl {
public:
  using InstrumentedControl::InstrumentedControl;
  bool CanLoseFocus() override { return mayLoseFocus; }
  bool mayLoseFocus = true;
};

// A shown tree top > {boxA > {a1, a2, a3}, boxB > {b1, b2}}: the leaves take the focus,
// the boxes and the top pass it on.
class ControlFocusTest : public ::testing::Test {
protected:
  void SetUp() override {
    top->SetRootWindow(window.Get());
    window->rootControl = top;
  }
  void TearDown() override {
    window->Forget();
    top->SetRootWindow(nullptr);
  }

  RCPtr<GuardedControl> Make(const RCPtr<LControl>& parent, const char16_t* name) {
    return Testing::FocusTree<GuardedControl>::Make(record, parent, name);
  }
  static void SetTabStop(LControl& control, int32_t tabStop) {
    control.GetLayout()->TabStop = tabStop;
    static_cast<InstrumentedControl&>(control).MarkParentOrderChanged();
  }
  // "h" holds the focus, "c" contains it, "-" neither, for every control in tree order.
  std::string FocusFlags() const {
    std::string flags;
    for (const LControl* control : {top.Get(), boxA.Get(), a1.Get(), a2.Get(), a3.Get(), boxB.Get(), b1.Get(), b2.Get()})
      flags += control->HasFocus() ? 'h' : control->ContainsFocus() ? 'c' : '-';
    return flags;
  }

  StandInApplication application;
  RCPtr<StandInRootWindow> window = StandInRootWindow::Create();
  LifeRecord record;
  Testing::FocusTree<GuardedControl> tree{record};
  RCPtr<GuardedControl>&top = tree.top, &boxA = tree.boxA, &a1 = tree.a1, &a2 = tree.a2, &a3 = tree.a3;
  RCPtr<GuardedControl>&boxB = tree.boxB, &b1 = tree.b1, &b2 = tree.b2;
};

TEST_F(ControlFocusTest, AContainerGivesTheFocusToItsFirstOrLastFocusableChildInTabOrder) {
  struct Case {
    bool first;
    const char* expected;
  };
  for (const Case c : {Case{true, "a2"}, Case{false, "a3"}}) {
    SetTabStop(*a1, 2);
    SetTabStop(*a2, 1);
    SetTabStop(*a3, 3);
    top->OnFocusLost();
    EXPECT_LE(boxA->SetFocus(c.first), S_FALSE);
    ASSERT_TRUE(window->focus) << c.expected;
    EXPECT_EQ(window->focus->GetName(), String(c.expected));
  }
}

TEST_F(ControlFocusTest, TakingTheFocusInAnotherBranchClearsTheOldChain) {
  ASSERT_EQ(a2->SetFocus(true), S_OK);
  EXPECT_EQ(FocusFlags(), "cc-h----");
  EXPECT_GE(b1->SetFocus(true), S_OK);
  EXPECT_EQ(FocusFlags(), "c----ch-");
  EXPECT_EQ(window->focus.Get(), b1.Get());
  EXPECT_EQ(window->previousFocus.Get(), a2.Get());
}

TEST_F(ControlFocusTest, AFocusControlThatRefusesToLetGoKeepsEveryFlag) {
  a1->SetFocus(true);
  a1->mayLoseFocus = false;
  EXPECT_EQ(b2->SetFocus(true), E_FAIL);
  EXPECT_EQ(FocusFlags(), "cch-----");
  EXPECT_EQ(window->focus.Get(), a1.Get());
}

TEST_F(ControlFocusTest, HidingTheFocusControlMovesTheFocusToTheFirstFocusableSibling) {
  a3->SetFocus(true);
  a3->SetVisible(false);
  EXPECT_EQ(FocusFlags(), "cch-----");
  a1->SetVisible(false);
  EXPECT_EQ(FocusFlags(), "cc-h----");
}

// Only a focus boundary below two not-focusable containers can take the focus. Without
// it the walk used to come back to the top, which handed the call to itself without end.
TEST_F(ControlFocusTest, WhenNothingCanTakeTheFocusTheTopGivesItUpAndTheWalkEnds) {
  struct Case {
    const char* what;
    std::function<void(GuardedControl&)> takeAway;
    SVRESULT laterRequest;
  };
  const Case cases[] = {
      {"record hidden", [](GuardedControl& control) { control.GetLayout()->IsVisible = false; }, E_FAIL},
      {"record disabled", [](GuardedControl& control) { control.GetLayout()->IsEnabled = false; }, E_FAIL},
      {"SetVisible(false)", [](GuardedControl& control) { control.SetVisible(false); }, S_FALSE},
      {"SetEnabled(false)", [](GuardedControl& control) { control.SetEnabled(false); }, S_FALSE},
      {"SetNotFocusable(true)", [](GuardedControl& control) { control.SetNotFocusable(true); }, S_FALSE},
  };
  for (const Case& c : cases) {
    const RCPtr<StandInRootWindow> soloWindow = StandInRootWindow::Create();
    const RCPtr<GuardedControl> soloTop = Make(nullptr, u"top");
    const RCPtr<GuardedControl> box = Make(soloTop, u"box");
    const RCPtr<GuardedControl> only = Make(box, u"only");
    soloTop->SetNotFocusable(true);
    box->SetNotFocusable(true);
    only->SetFocusBoundary(true);
    soloTop->SetRootWindow(soloWindow.Get());
    ASSERT_EQ(only->SetFocus(true), S_OK) << c.what;
    c.takeAway(*only);
    EXPECT_EQ(box->SetFocus(true), c.laterRequest) << c.what;
    for (const LControl* control : {soloTop.Get(), box.Get(), only.Get()})
      EXPECT_FALSE(control->HasFocus() || control->ContainsFocus()) << c.what;
    EXPECT_FALSE(soloWindow->focus) << c.what;
    EXPECT_EQ(soloWindow->previousFocus.Get(), only.Get()) << c.what;
    soloWindow->Forget();
    soloTop->SetRootWindow(nullptr);
  }
}

TEST_F(ControlFocusTest, MarkingNotFocusableFlipsTheSignOfTheTabStop) {
  struct Case {
    int32_t tabStop;
    bool notFocusable;
    int32_t expected;
  };
  const Case cases[] = {{0, true, -1}, {-1, false, 1}, {4, true, -4}, {-4, false, 4}, {3, false, 3}};
  for (const Case& c : cases) {
    b2->GetLayout()->TabStop = c.tabStop;
    b2->SetNotFocusable(!c.notFocusable);
    b2->GetLayout()->TabStop = c.tabStop;
    b2->SetNotFocusable(c.notFocusable);
    EXPECT_EQ(b2->GetLayout()->TabStop, c.expected) << c.tabStop;
    EXPECT_EQ(b2->IsNotFocusable(), c.notFocusable) << c.tabStop;
  }
}

TEST_F(ControlFocusTest, TheNextChildSkipsHiddenAndDisabledOnesAndWraps) {
  a2->SetVisible(false);
  EXPECT_EQ(boxA->GetNextFocusableChild(a1.Get(), false).Get(), a3.Get());
  EXPECT_EQ(boxA->GetNextFocusableChild(a3.Get(), false).Get(), a1.Get());
  a3->SetEnabled(false);
  EXPECT_EQ(boxA->GetNextFocusableChild(a1.Get(), true).Get(), a1.Get()) << "the only one left";
  EXPECT_FALSE(boxA->GetNextFocusableChild(b1.Get(), false)) << "not a child";
}

TEST_F(ControlFocusTest, AFocusBoundaryStopsAnAncestorsNotFocusableMark) {
  boxB->SetNotFocusable(true);
  EXPECT_FALSE(b1->IsFocusable());
  EXPECT_EQ(b1->SetFocus(true), S_FALSE) << "no focus in the tree yet";
  b1->SetFocusBoundary(true);
  EXPECT_TRUE(b1->IsFocusable());
}

}  // namespace
}  // namespace SV
