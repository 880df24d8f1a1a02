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

using Strings = std::vector<std::string>;
using Testing::ControlEventLog;
using Testing::InstrumentedControl;
using Testing::LifeRecord;
using Testing::StandInApplication;
using Testing::StandInCursorNames;
using Testing::StandInRootWindow;

constexpr int32_t kLeftButton = 1, kMiddleButton = 2, kRightButton = 4;

// A control whose wheel hooks answer what the test says and count their calls.
class WheelControl : public InstrumentedControl {
public:
  using InstrumentedControl::InstrumentedControl;
  SVRESULT OnMouseWheel(const LMouseWheelParam&) override { return Answer(); }
  SVRESULT OnMouseHWheel(const LMouseWheelParam&) override { return Answer(); }
  SVRESULT Answer() {
    ++wheelCalls;
    return wheelAnswer;
  }
  static RCPtr<WheelControl> Make(LifeRecord& record, const RCPtr<LControl>& parent, const char16_t* name,
                                  RectT<double> rect) {
    RCPtr<WheelControl> control(new WheelControl(record, parent, name));
    control->FinishCreation();
    control->SetRectDirect(rect);
    return control;
  }

  SVRESULT wheelAnswer = S_FALSE;
  int wheelCalls = 0;
};

// A shown tree top > panel > button; the root window reports the left button held.
class ControlMouseTest : public ::testing::Test {
protected:
  void SetUp() override {
    top = WheelControl::Make(record, nullptr, u"top", {0, 0, 300, 300});
    panel = WheelControl::Make(record, top, u"panel", {10, 10, 200, 200});
    button = WheelControl::Make(record, panel, u"button", {20, 20, 50, 30});
    top->SetRootWindow(window.Get());
    window->rootControl = top;
    window->mouseButtons = kLeftButton;
    log->Listen(*button, {u"NID_MOUSE_DOWN", u"NID_MOUSE_MOVE", u"NID_MOUSE_UP", u"NID_LEFT_CLICK",
                          u"NID_RIGHT_CLICK", u"NID_LEFT_DRAG_CONDITION_CHANGE", u"NID_CAPTURE_CONDITION_CHANGE"});
  }
  void TearDown() override {
    log->UnsubscribeAll();
    window->Forget();
    top->SetRootWindow(nullptr);
  }

  static RCPtr<LMouseButtonParam> Button(int32_t button, PointT<int32_t> at, int32_t held) {
    return MakeMouseButtonParam(button, at, 0, 0, held, 0);
  }
  static RCPtr<LPointWithModifiersParam> Move(PointT<int32_t> at) { return MakePointWithModifiersParam(at, 0, 0); }
  void Hover(LControl& control) {
    window->SwitchHover(RCPtr<LControl>(&control));
  }

  StandInApplication application;
  StandInCursorNames cursors;
  RCPtr<StandInRootWindow> window = StandInRootWindow::Create();
  LifeRecord record;
  RCPtr<WheelControl> top, panel, button;
  RCPtr<ControlEventLog> log{new ControlEventLog};
};

TEST_F(ControlMouseTest, APressTakesTheCaptureAndItsReleaseOverTheControlIsAClick) {
  Hover(*button);
  EXPECT_EQ(button->OnMouseDown(Button(kLeftButton, {5, 6}, kLeftButton)), S_OK);
  EXPECT_EQ(window->capture.Get(), button.Get());
  EXPECT_EQ(button->GetConditions() & 0x18u, 0x18u) << "capture and left down";

  window->mouseButtons = 0;
  EXPECT_EQ(button->OnMouseUp(Button(kLeftButton, {5, 6}, 0)), S_OK);

  EXPECT_FALSE(window->capture);
  EXPECT_EQ(button->GetConditions() & 0x3F8u, 0u);
  EXPECT_EQ(log->entries, (Strings{"button:MOUSE_DOWN@5,6", "button:CAPTURE_CONDITION_CHANGE",
                                   "button:LEFT_DRAG_CONDITION_CHANGE", "button:MOUSE_UP@5,6",
                                   "button:CAPTURE_CONDITION_CHANGE", "button:LEFT_DRAG_CONDITION_CHANGE",
                                   "button:LEFT_CLICK@5,6"}));
}

TEST_F(ControlMouseTest, AReleaseAwayFromTheControlIsNoClick) {
  button->OnMouseDown(Button(kLeftButton, {5, 6}, kLeftButton));
  button->OnMouseUp(Button(kLeftButton, {500, 6}, 0));
  EXPECT_EQ(log->Count("button:MOUSE_UP@500,6"), 1u);
  EXPECT_EQ(log->Count("button:LEFT_CLICK@500,6"), 0u);
}

TEST_F(ControlMouseTest, AOnePixelMoveBecomesADragAfterAMoveToThePressPointAndStillClicks) {
  Hover(*button);
  button->OnMouseDown(Button(kLeftButton, {5, 6}, kLeftButton));
  log->entries.clear();

  button->OnMouseMove(Move({6, 6}));

  EXPECT_EQ(log->entries, (Strings{"button:MOUSE_MOVE@5,6", "button:LEFT_DRAG_CONDITION_CHANGE",
                                   "button:MOUSE_MOVE@6,6"}));
  EXPECT_EQ(button->GetConditions() & 0x90u, 0x80u) << "dragging, no longer down";
  button->OnMouseUp(Button(kLeftButton, {6, 6}, 0));
  EXPECT_EQ(log->Count("button:LEFT_CLICK@6,6"), 1u);
}

TEST_F(ControlMouseTest, WithThresholdZeroThePressIsADragAtOnceAndConvertsOnlyOnce) {
  ASSERT_EQ(button->SetDragThreshold(0), S_OK);
  button->OnMouseDown(Button(kLeftButton, {5, 6}, kLeftButton));
  EXPECT_EQ(log->Count("button:LEFT_DRAG_CONDITION_CHANGE"), 2u) << "down, then drag";
  EXPECT_EQ(button->GetConditions() & 0x90u, 0x80u);
  log->entries.clear();

  button->OnMouseMove(Move({9, 9}));
  EXPECT_EQ(log->entries, (Strings{"button:MOUSE_MOVE@9,9"}));
}

TEST_F(ControlMouseTest, ASecondButtonSendsItsPressButSetsNoFlagAndOnlyTheLastReleaseEndsTheCapture) {
  button->OnMouseDown(Button(kLeftButton, {5, 6}, kLeftButton));
  const uint32_t conditions = button->GetConditions();
  button->OnMouseDown(Button(kRightButton, {5, 6}, kLeftButton | kRightButton));
  EXPECT_EQ(log->Count("button:MOUSE_DOWN@5,6"), 2u);
  EXPECT_EQ(button->GetConditions(), conditions);

  button->OnMouseUp(Button(kLeftButton, {5, 6}, kRightButton));
  EXPECT_TRUE(button->HasCapture());
  button->OnMouseUp(Button(kRightButton, {5, 6}, 0));
  EXPECT_FALSE(button->HasCapture());
  EXPECT_FALSE(window->capture);
}

TEST_F(ControlMouseTest, ADisabledControlIgnoresPressesButStillHandlesTheReleaseOfItsCapture) {
  button->SetEnabled(false);
  EXPECT_EQ(button->OnMouseDown(Button(kLeftButton, {5, 6}, kLeftButton)), S_FALSE);
  EXPECT_TRUE(log->entries.empty());

  button->SetEnabled(true);
  button->OnMouseDown(Button(kLeftButton, {5, 6}, kLeftButton));
  button->SetEnabled(false);
  EXPECT_EQ(button->OnMouseUp(Button(kLeftButton, {5, 6}, 0)), S_OK);
  EXPECT_FALSE(button->HasCapture());
}

TEST_F(ControlMouseTest, PayloadsWithoutAValidButtonAreRefused) {
  struct Case {
    const char* what;
    RCPtr<LMouseButtonParam> param;
  };
  const Case cases[] = {
      {"no payload", nullptr},
      {"button 0", Button(0, {1, 1}, 0)},
      {"button 3", Button(3, {1, 1}, 0)},
      {"button 8", Button(8, {1, 1}, 0)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(button->OnMouseDown(c.param), E_INVALIDARG) << c.what;
    EXPECT_EQ(button->OnMouseUp(c.param), E_INVALIDARG) << c.what;
    EXPECT_EQ(button->OnClick(c.param), E_INVALIDARG) << c.what;
  }
  EXPECT_FALSE(button->HasCapture());
  EXPECT_TRUE(log->entries.empty());
}

TEST_F(ControlMouseTest, APressOfAButtonTheWindowDoesNotReportHeldTakesNoCapture) {
  window->mouseButtons = 0;
  EXPECT_EQ(button->OnMouseDown(Button(kMiddleButton, {5, 6}, kMiddleButton)), S_OK);
  EXPECT_FALSE(button->HasCapture());
  EXPECT_FALSE(window->capture);
}

TEST_F(ControlMouseTest, ANegativeThresholdIsRefusedAndKeepsTheOldOne) {
  ASSERT_EQ(button->SetDragThreshold(5), S_OK);
  EXPECT_EQ(button->SetDragThreshold(-1), E_INVALIDARG);
  button->OnMouseDown(Button(kLeftButton, {0, 0}, kLeftButton));
  button->OnMouseMove(Move({4, 4}));
  EXPECT_EQ(button->GetConditions() & 0x90u, 0x10u) << "still down below 5 pixels";
}

TEST_F(ControlMouseTest, AnotherControlTakingTheCaptureEndsTheFirstOnesPress) {
  button->OnMouseDown(Button(kLeftButton, {5, 6}, kLeftButton));
  panel->OnMouseDown(Button(kLeftButton, {5, 6}, kLeftButton));
  EXPECT_FALSE(button->HasCapture());
  EXPECT_EQ(button->GetConditions() & 0x3F8u, 0u);
  EXPECT_EQ(window->capture.Get(), panel.Get());
}

TEST_F(ControlMouseTest, APressFocusesTheNearestControlThatMayTakeTheFocus) {
  panel->SetNotFocusable(false);
  button->SetNotFocusable(true);
  top->SetNotFocusable(false);
  // panel has no focusable child, so it takes the focus itself.
  button->OnMouseDown(Button(kLeftButton, {5, 6}, kLeftButton));
  EXPECT_TRUE(panel->HasFocus());
  EXPECT_TRUE(top->ContainsFocus());
  EXPECT_EQ(window->focus.Get(), panel.Get());
}

TEST_F(ControlMouseTest, AWheelStepBubblesUpToTheFirstControlThatTakesIt) {
  panel->wheelAnswer = S_OK;
  EXPECT_EQ(button->HandleMouseWheel(MakeMouseWheelParam({1, 1}, 0, LMouseWheelParam::kDown)), S_OK);
  EXPECT_EQ(button->wheelCalls, 1);
  EXPECT_EQ(panel->wheelCalls, 1);
  EXPECT_EQ(top->wheelCalls, 0);

  panel->wheelAnswer = S_FALSE;
  EXPECT_EQ(button->HandleMouseWheel(MakeMouseWheelParam({1, 1}, 0, LMouseWheelParam::kLeft)), S_FALSE);
  EXPECT_EQ(top->wheelCalls, 1) << "nobody took it: every ancestor was asked";
  EXPECT_EQ(button->HandleMouseWheel(nullptr), -1);
}

TEST_F(ControlMouseTest, AFloatingControlPassesTheWheelToWhatLiesBeneathIt) {
  button->SetClipToParent(false);
  std::vector<bool> excludedDuringHitTest;
  window->hitTest = [&](PointT<int32_t>) {
    excludedDuringHitTest.push_back(button->IsHitTestExcluded());
    return RCPtr<LControl>(top.Get());
  };
  top->wheelAnswer = S_OK;

  EXPECT_EQ(button->HandleMouseWheel(MakeMouseWheelParam({40, 50}, 0, LMouseWheelParam::kUp)), S_OK);
  EXPECT_EQ(panel->wheelCalls, 0) << "the parent is skipped";
  EXPECT_EQ(top->wheelCalls, 1);
  EXPECT_EQ(excludedDuringHitTest, std::vector<bool>{true});
  EXPECT_FALSE(button->IsHitTestExcluded());
  EXPECT_EQ(window->hitTests, (std::vector<PointT<int32_t>>{{40, 50}}));
}

TEST_F(ControlMouseTest, AFloatingControlThatFindsItselfAgainBeneathThePointerStops) {
  button->SetClipToParent(false);
  window->hitTest = [&](PointT<int32_t>) { return RCPtr<LControl>(button.Get()); };
  EXPECT_EQ(button->HandleMouseWheel(MakeMouseWheelParam({40, 50}, 0, LMouseWheelParam::kUp)), S_FALSE);
  EXPECT_EQ(button->wheelCalls, 2);
}

}  // namespace
}  // namespace SV
