#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/ControlBase/Control.h"
#include "tests/Support/Controls/ControlEventLog.h"
#include "tests/Support/Controls/InstrumentedControl.h"
#include "tests/Support/Controls/StandInRootWindow.h"
#include "tests/Support/Renderer/StandInApplication.h"

namespace SV {
namespace {

using Testing::ControlEventLog;
using Testing::InstrumentedControl;
using Testing::PlaceAt;
using Testing::LifeRecord;
using Testing::StandInApplication;
using Testing::StandInRootWindow;

constexpr uint32_t kPass = 33;

// A shown tree top > view > {docked, loose}; the idle passes come 33 ms apart on the
// application's clock.
class ControlScrollingTest : public ::testing::Test {
protected:
  void SetUp() override {
    top = InstrumentedControl::MakeCreated(record, nullptr, u"top");
    view = InstrumentedControl::MakeCreated(record, top, u"view");
    docked = InstrumentedControl::MakeCreated(record, view, u"docked");
    loose = InstrumentedControl::MakeCreated(record, view, u"loose");
    top->SetRootWindow(window.Get());
    window->rootControl = top;
    PlaceAt(*top, {0, 0, 400, 400});
    PlaceAt(*view, {10, 10, 200, 200});
    Place(*docked, true);
    Place(*loose, false);
    log->Listen(*view, {u"NID_SCROLL_OFFSET_CHANGE"});
  }
  void TearDown() override {
    log->UnsubscribeAll();
    window->Forget();
    top->SetRootWindow(nullptr);
  }

  static void Place(InstrumentedControl& control, bool dockedOnY) {
    LPlacementSpec position;
    position.abs = 5;
    position.docked = dockedOnY;
    LSizeSpec size;
    size.abs = 10;
    control.SetPlacement(0, LPlacementSpec{}, size);
    control.SetPlacement(1, position, size);
  }
  void Pass() {
    application.Advance(kPass);
    window->Idle();
  }

  StandInApplication application;
  RCPtr<StandInRootWindow> window = StandInRootWindow::Create();
  LifeRecord record;
  RCPtr<InstrumentedControl> top, view, docked, loose;
  RCPtr<ControlEventLog> log{new ControlEventLog};
};

TEST_F(ControlScrollingTest, TheOffsetIsRoundedAndAnEqualRoundingChangesNothing) {
  const PointT<double> stored = view->SetScrollOffset({10.5, -3.5});
  EXPECT_EQ(stored.x, 11);
  EXPECT_EQ(stored.y, -4);
  EXPECT_EQ(log->entries.size(), 1u);
  const size_t invalidated = window->invalidated.size();
  EXPECT_GT(invalidated, 0u);

  view->SetScrollOffset({10.6, -4.4});
  EXPECT_EQ(log->entries.size(), 1u);
  EXPECT_EQ(window->invalidated.size(), invalidated);
  EXPECT_TRUE(window->hitTests.empty());
}

TEST_F(ControlScrollingTest, ADockedChildFollowsTheOffsetAndALooseOneKeepsItsRectangle) {
  const double dockedY = docked->GetRect().y;
  const double looseY = loose->GetRect().y;
  log->onEntry = [&](const std::string&) { EXPECT_EQ(docked->GetRect().y, dockedY + 30) << "re-placed first"; };
  view->SetScrollOffset({0, 30});
  EXPECT_EQ(docked->GetRect().y, dockedY + 30);
  EXPECT_EQ(loose->GetRect().y, looseY);
}

TEST_F(ControlScrollingTest, AScrollUnderARestingPointerHandsTheHoverOnOnlyWhenThePointerIsInside) {
  window->hover = loose;
  window->cursorPosition = {50, 50};
  view->SetScrollOffset({0, 10});
  EXPECT_EQ(window->hitTests, (std::vector<PointT<int32_t>>{{50, 50}}));

  window->cursorPosition = {300, 50};
  view->SetScrollOffset({0, 20});
  EXPECT_EQ(window->hitTests.size(), 1u);
  window->hover.Reset();
  window->cursorPosition = {50, 50};
  view->SetScrollOffset({0, 30});
  EXPECT_EQ(window->hitTests.size(), 1u) << "no hover control: hover left alone";
}

TEST_F(ControlScrollingTest, AnAnimationMovesByWholePixelsAndStopsAtItsLimits) {
  struct Case {
    const char* what;
    double velocity;
    double minimum;
    double maximum;
    int passes;
    double expected;
  };
  const Case cases[] = {
      {"16 px/s moves a pixel a pass", 16, 0, 1000, 5, 105},
      {"10 px/s never moves", 10, 0, 1000, 5, 100},
      {"lands on the maximum", 1000, 0, 120, 5, 120},
      {"lands on the minimum", -1000, 90, 1000, 5, 90},
      {"a minimum above the maximum wins below it", -1000, 150, 50, 1, 150},
  };
  for (const Case& c : cases) {
    view->SetScrollOffset({0, 100});
    ASSERT_EQ(view->StartScrollAnimation(1, c.velocity, c.maximum, c.minimum, nullptr), S_OK);
    for (int pass = 0; pass < c.passes; ++pass) Pass();
    EXPECT_EQ(view->GetScrollOffset().y, c.expected) << c.what;
    EXPECT_EQ(view->GetScrollOffset().x, 0) << c.what;
    EXPECT_EQ(view->StopScrollAnimation(1), S_OK) << c.what;
    EXPECT_EQ(view->GetIdleCount(), 0) << c.what;
  }
}

TEST_F(ControlScrollingTest, RestartingARunningAxisKeepsItsClockAndItsOneIdleUnit) {
  view->StartScrollAnimation(0, 1000, 1000, 0, nullptr);
  application.Advance(kPass);
  view->StartScrollAnimation(0, 2000, 1000, 0, nullptr);
  EXPECT_EQ(view->GetIdleCount(), 1);
  window->Idle();
  EXPECT_EQ(view->GetScrollOffset().x, 66) << "the new speed over the time since the start";

  EXPECT_EQ(view->StopScrollAnimation(0), S_OK);
  EXPECT_EQ(view->GetIdleCount(), 0);
  EXPECT_EQ(view->StopScrollAnimation(0), S_FALSE);
  EXPECT_EQ(view->StopScrollAnimation(5), E_INVALIDARG);
}

TEST_F(ControlScrollingTest, AFlingKeepsItsSpeedForASecondThenSlowsDownAndStops) {
  view->SetScrollOffset({0, 5000});
  view->StartScrollAnimation(1, -2400, 10000, 0, nullptr);
  view->SetScrollAnimationFling(1);
  for (int pass = 0; pass < 30; ++pass) Pass();
  EXPECT_EQ(view->GetScrollOffset().y, 5000 - 30 * 79) << "full speed for the first second";

  int passes = 0;
  while (view->IsScrollAnimating(1) && passes < 200) {
    Pass();
    ++passes;
  }
  EXPECT_FALSE(view->IsScrollAnimating(1));
  EXPECT_GT(passes, 60);
  EXPECT_LT(passes, 80) << "about 2.4 s of deceleration";
  EXPECT_EQ(view->GetIdleCount(), 0);
}

// Detach used to give back the idle units while the animation stayed marked running, so
// a later stop gave back a unit the control had taken for something else.
TEST_F(ControlScrollingTest, DetachingStopsTheAnimationsBeforeTheIdleUnitsGo) {
  view->StartScrollAnimation(0, 100, 1000, 0, docked);
  view->Detach();
  EXPECT_FALSE(view->IsScrollAnimating(0));
  EXPECT_EQ(view->GetIdleCount(), 0);

  ASSERT_EQ(view->SetParent(top), S_OK);
  view->SetVisible(true);
  ASSERT_EQ(view->AcquireIdle(), S_OK);
  EXPECT_EQ(view->StopScrollAnimation(0), S_FALSE);
  EXPECT_EQ(view->GetIdleCount(), 1);
  const int ticks = view->idleTicks;
  window->Idle();
  EXPECT_EQ(view->idleTicks, ticks + 1) << "still subscribed";
  view->ReleaseIdle();
}

}  // namespace
}  // namespace SV
