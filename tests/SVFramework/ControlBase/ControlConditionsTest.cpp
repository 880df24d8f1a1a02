#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/notification/Notification.h"
#include "tests/Support/Controls/InstrumentedControl.h"
#include "tests/Support/Controls/StandInRootWindow.h"

namespace SV {
namespace {

using Testing::InstrumentedControl;
using Testing::LifeRecord;
using Testing::StandInCursorNames;
using Testing::StandInRootWindow;

constexpr const char16_t* kConditionIds[] = {
    u"NID_CONDITION_CHANGE",         u"NID_HOVER_CONDITION_CHANGE",   u"NID_CAPTURE_CONDITION_CHANGE",
    u"NID_ENABLED_CONDITION_CHANGE", u"NID_VISIBLITY_CONDITION_CHANGE",
};

// Records "<control>:<notification ID>" for every condition notification of the
// controls it listens to, and runs an optional action on each.
class ConditionLog : public LNotificationClient {
public:
  void Listen(LControl& control) {
    for (const char16_t* id : kConditionIds) Subscribe(RCPtr<LNotificationDistributor>(&control), id);
  }
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override {
    const auto* control = dynamic_cast<const LControl*>(source.Get());
    entries.push_back(std::string(control->GetName().ToUTF8().GetString()) + ":" +
                      String(notification->GetID()).ToUTF8().GetString());
    if (onEntry) onEntry(*control, notification->GetID());
    return 0;
  }

  std::vector<std::string> entries;
  std::function<void(const LControl&, const std::u16string&)> onEntry;
};

// A shown tree top > {a > {a1, a2}, b}, every control created and logged.
class ControlConditionsTest : public ::testing::Test {
protected:
  void SetUp() override {
    top = Make(nullptr, u"top");
    a = Make(top, u"a");
    a1 = Make(a, u"a1");
    a2 = Make(a, u"a2");
    b = Make(top, u"b");
    top->SetRootWindow(window.Get());
    for (const RCPtr<InstrumentedControl>& control : {top, a, a1, a2, b}) {
      control->UpdateConditions();
      log->Listen(*control);
    }
  }
  void TearDown() override {
    log->UnsubscribeAll();
    top->Detach();
    window->Forget();
  }
  RCPtr<InstrumentedControl> Make(const RCPtr<LControl>& parent, const char16_t* name) {
    return InstrumentedControl::MakeCreated(life, parent, name);
  }

  LifeRecord life;
  StandInCursorNames cursors;
  RCPtr<StandInRootWindow> window = StandInRootWindow::Create();
  RCPtr<ConditionLog> log{new ConditionLog};
  RCPtr<InstrumentedControl> top, a, a1, a2, b;
};

TEST_F(ControlConditionsTest, AFirstUpdateAnnouncesEnabledAndVisibleAndASecondNothing) {
  const RCPtr<InstrumentedControl> fresh = Make(top, u"fresh");
  log->Listen(*fresh);
  fresh->UpdateConditions();
  fresh->UpdateConditions();
  const std::vector<std::string> expected = {"fresh:NID_CONDITION_CHANGE", "fresh:NID_ENABLED_CONDITION_CHANGE",
                                             "fresh:NID_VISIBLITY_CONDITION_CHANGE"};
  EXPECT_EQ(log->entries, expected);
  EXPECT_EQ(fresh->GetConditions(), 0xC00u);
}

TEST_F(ControlConditionsTest, AControlWithoutAreaIsNotVisibleThoughItsFlagIsSet) {
  a1->SetRectDirect({0, 0, 0, 10});
  EXPECT_TRUE(a1->GetLayout()->IsVisible);
  EXPECT_EQ(a1->GetConditions() & 0x800u, 0u);
  EXPECT_FALSE(a1->SetVisible(true));
}

TEST_F(ControlConditionsTest, SetVisibleAnswersForTheWholeChainOfAncestors) {
  EXPECT_TRUE(a1->SetVisible(true));
  a->SetVisible(false);
  EXPECT_FALSE(a1->SetVisible(true)) << "a hidden parent hides it";
  EXPECT_TRUE(b->SetVisible(true));
}

TEST_F(ControlConditionsTest, DisablingAParentAnnouncesEachDescendantDepthFirstFromTheLastChild) {
  top->SetEnabled(false);
  std::vector<std::string> enabledChanges;
  for (const std::string& entry : log->entries)
    if (entry.find("ENABLED") != std::string::npos) enabledChanges.push_back(entry.substr(0, entry.find(':')));
  EXPECT_EQ(enabledChanges, (std::vector<std::string>{"top", "b", "a", "a2", "a1"}));
  EXPECT_EQ(a2->GetConditions() & 0x400u, 0u);
  EXPECT_FALSE(a2->IsEnabled(true));
  EXPECT_TRUE(a2->IsEnabled(false));
}

TEST_F(ControlConditionsTest, HoverChangesLeaveTheCursorAloneForACursorOfZero) {
  window->osWindow = nullptr;
  window->cursor = 7;
  a->SetHoverFlag(true);
  a->UpdateConditions();
  a->SetHoverFlag(false);
  a->UpdateConditions();
  EXPECT_EQ(window->cursor, 7);
}

TEST_F(ControlConditionsTest, ACursorSetWhileHoveredSavesTheCurrentOneAndRestoresItWhenTheHoverEnds) {
  Testing::StandInOSWindow osWindow;
  window->osWindow = &osWindow;
  window->cursor = 7;
  a->SetHoverFlag(true);
  a->UpdateConditions();
  a->SetCursor(StandInCursorNames::kDropMove);
  EXPECT_EQ(window->cursor, StandInCursorNames::kDropMove);

  a->SetHoverFlag(false);
  a->UpdateConditions();
  EXPECT_EQ(window->cursor, 7);
  window->osWindow = nullptr;
}

TEST_F(ControlConditionsTest, HidingTheHoveredControlHandsTheHoverOnUnlessItHoldsTheCapture) {
  window->controlUnderPointer = b;
  a->SetHoverFlag(true);
  a->SetCaptureFlag(true);
  a->UpdateConditions();
  a->SetVisible(false);
  EXPECT_TRUE(window->hitTests.empty()) << "the capture keeps the hover";

  b->SetHoverFlag(true);
  b->UpdateConditions();
  window->controlUnderPointer = top;
  b->SetVisible(false);
  ASSERT_EQ(window->hitTests.size(), 1u);
  EXPECT_EQ(window->hover.Get(), top.Get());
}

TEST_F(ControlConditionsTest, HidingAControlInvalidatesWhereItWas) {
  a->SetRectDirect({5, 6, 20, 10});
  window->invalidated.clear();
  a->SetVisible(false);
  ASSERT_FALSE(window->invalidated.empty());
  EXPECT_EQ(window->invalidated.front(), (RectT<int32_t>{5, 6, 5, 4})) << "clipped to the parent's 10 x 10";
}

// A visibility handler that detaches the siblings still to be visited must not end
// the walk over the parent's children with an error.
TEST_F(ControlConditionsTest, AVisibilityHandlerThatDetachesSiblingsLeavesTheWalkSafe) {
  log->onEntry = [&](const LControl& control, const std::u16string& id) {
    if (&control != a2.Get() || id != u"NID_VISIBLITY_CONDITION_CHANGE") return;
    a1->Detach();
    a2->Detach();
  };
  EXPECT_NO_THROW(a->SetVisible(false));
  EXPECT_EQ(a->GetChildCount(), 0u);
}

}  // namespace
}  // namespace SV
