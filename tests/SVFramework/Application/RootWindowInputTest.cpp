#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "tests/Support/Application/FakeShellApplication.h"
#include "tests/Support/Application/ProbeControl.h"
#include "tests/Support/Controls/StandInRootWindow.h"

namespace SV {
namespace {

using Lines = std::vector<std::string>;
using Testing::FakeShellApplication;
using Testing::ProbeControl;
using Testing::ProbeLog;
using Testing::StandInCursorNames;
using Testing::StandInOSWindow;

// A window 800 x 600 whose root control holds a (10,10 100x50) and b (200,10 100x50),
// with a child b1 (10,10 20x20) inside b.
class RootWindowInputTest : public ::testing::Test {
protected:
  void SetUp() override {
    window = LRootWindow::Create(nullptr, &os);
    application.AddRootWindow(window);
    root = ProbeControl::Make(log, nullptr, u"root", {0, 0, 800, 600});
    a = ProbeControl::Make(log, root, u"a", {10, 10, 100, 50});
    b = ProbeControl::Make(log, root, u"b", {200, 10, 100, 50});
    b1 = ProbeControl::Make(log, b, u"b1", {10, 10, 20, 20});
    window->SetRootControlObject(root);
    log.lines.clear();
  }
  void TearDown() override {
    application.windows.clear();
    window->SetRootControlObject(nullptr);
    window.Reset();
  }
  // Moves the pointer as the OS window does: the latest event's point first.
  void Press(PointT<int32_t> point, int32_t kind = 0, int32_t button = 1) {
    window->OnMouseButton(kind, button, 0, point, 0);
    os.cursorPosition = point;
  }
  void Move(PointT<int32_t> point) {
    os.cursorPosition = point;
    window->OnMouseMove(point, 0, 0);
  }

  StandInCursorNames cursors;
  FakeShellApplication application;
  StandInOSWindow os;
  ProbeLog log;
  RCPtr<LRootWindow> window;
  RCPtr<ProbeControl> root, a, b, b1;
};

TEST_F(RootWindowInputTest, APressAwayFromTheLastPointerPositionFirstMovesThereSoTheControlIsHoveredBeforeItsPress) {
  Press({215, 25});
  EXPECT_EQ(log.lines, (Lines{"b1:Enter", "b1:Move (5,5)", "b1:Down 1 (5,5) dbl=0"}));
  EXPECT_EQ(window->GetHoverControl().Get(), b1.Get());
}

TEST_F(RootWindowInputTest, AReleaseReachesOnlyTheCaptureControlInItsOwnCoordinates) {
  Move({20, 20});
  window->OnMouseButton(1, 1, 0, {20, 20}, 0);
  EXPECT_EQ(log.lines, (Lines{"a:Enter", "a:Move (10,10)"}));

  a->captureOnPress = true;
  Press({20, 20});
  Move({400, 300});
  window->OnMouseButton(1, 1, 0, {400, 300}, 0);
  EXPECT_EQ(log.lines.back(), "a:Up 1 (390,290) dbl=0");
}

TEST_F(RootWindowInputTest, ADoubleClickArrivesAsAFlaggedPressAndItsReleaseCarriesTheFlagUntilASinglePress) {
  a->captureOnPress = true;
  Press({20, 20});
  window->OnMouseButton(1, 1, 0, {20, 20}, 0);
  Press({20, 20}, 2);
  window->OnMouseButton(1, 1, 0, {20, 20}, 0);
  Press({20, 20});
  window->OnMouseButton(1, 1, 0, {20, 20}, 0);
  EXPECT_EQ(log.lines, (Lines{"a:Enter", "a:Move (10,10)", "a:Down 1 (10,10) dbl=0", "a:Up 1 (10,10) dbl=0",
                              "a:Down 1 (10,10) dbl=1", "a:Up 1 (10,10) dbl=1", "a:Down 1 (10,10) dbl=0",
                              "a:Up 1 (10,10) dbl=0"}));
}

TEST_F(RootWindowInputTest, WhileAControlHoldsTheCaptureOnlyItCanBeHoveredAndItGetsEveryMovePressAndWheelStep) {
  a->captureOnPress = true;
  Press({20, 20});
  log.lines.clear();

  Move({215, 25});
  EXPECT_EQ(window->GetHoverControl().Get(), nullptr);
  Press({215, 25}, 0, 4);
  window->OnMouseWheel({215, 25}, 0, 1);
  Move({30, 30});
  EXPECT_EQ(window->GetHoverControl().Get(), a.Get());
  EXPECT_EQ(log.lines, (Lines{"a:Leave", "a:Move (205,15)", "a:Down 4 (205,15) dbl=0", "a:Wheel 1 (215,25)",
                              "a:Enter", "a:Move (20,20)"}));
}

TEST_F(RootWindowInputTest, AWheelStepTheControlUnderThePointerDoesNotHandleGoesToTheFocusControlWithTheWindowPoint) {
  a->focusable = true;
  a->SetFocus(true);
  b1->wheelAnswer = S_FALSE;
  log.lines.clear();
  Move({215, 25});
  log.lines.clear();

  window->OnMouseWheel({215, 25}, 8, 0);
  window->OnMouseWheel({215, 25}, 0, 3);
  EXPECT_EQ(log.lines, (Lines{"b1:Wheel 0 (215,25)", "a:Wheel 0 (215,25)", "b1:HWheel 3 (215,25)",
                              "a:HWheel 3 (215,25)"}));
}

TEST_F(RootWindowInputTest, KeysGoToTheFocusControlAndAreDroppedWithoutOne) {
  window->OnKey(MakeKeyParam(KeyCode(0x20410000, 0, 0), 1));
  EXPECT_TRUE(log.lines.empty());
  b1->focusable = true;
  b1->SetFocus(true);
  window->OnKey(MakeKeyParam(KeyCode(0x20410000, 0, 0), 1));
  EXPECT_EQ(log.lines.back(), "b1:Key 65");
}

TEST_F(RootWindowInputTest, InputIsIgnoredWhileTheOSWindowIsNotActive) {
  os.active = false;
  Press({215, 25});
  Move({20, 20});
  window->OnMouseWheel({20, 20}, 0, 1);
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(RootWindowInputTest, TheTooltipOwnerFollowsTheHoverAndEveryPressSwitchesTheTooltipOff) {
  b->tooltip = u"b's tip";
  Move({250, 50});
  Press({250, 50});
  Move({20, 20});
  EXPECT_EQ(log.lines, (Lines{"b:Tooltip on", "b:Enter", "b:Move (50,40)", "b:Tooltip off", "b:Down 1 (50,40) dbl=0",
                              "b:Tooltip off", "b:Leave", "a:Enter", "a:Move (10,10)"}));
  EXPECT_EQ(window->GetTooltipOwner().Get(), nullptr);
}

TEST_F(RootWindowInputTest, ReplacingTheRootControlDropsFocusHoverAndCaptureWithoutTellingThem) {
  a->focusable = true;
  a->captureOnPress = true;
  Press({20, 20});
  a->SetFocus(true);
  log.lines.clear();

  const RCPtr<ProbeControl> other = ProbeControl::Make(log, nullptr, u"other", {0, 0, 800, 600});
  window->SetRootControlObject(other);
  EXPECT_EQ(window->GetFocusControl().Get(), nullptr);
  EXPECT_EQ(window->GetHoverControl().Get(), nullptr);
  EXPECT_EQ(window->GetCaptureControl().Get(), nullptr);
  for (const std::string& line : log.lines) EXPECT_EQ(line.rfind("a:", 0), std::string::npos) << line;
  EXPECT_EQ(root->GetRootWindow(), nullptr);
}

TEST_F(RootWindowInputTest, TabPastTheEndOfTheOnlyWindowWrapsToItsFirstOrLastFocusableControl) {
  a->focusable = true;
  b->focusable = true;
  window->TabToNextWindow(MakeKeyParam(KeyCode(0x20090000, 0, 0), 1));
  EXPECT_EQ(window->GetFocusControl().Get(), a.Get());
  window->TabToNextWindow(MakeKeyParam(KeyCode(0x20090000 | KeyCode::kShift, 0, 0), 1));
  EXPECT_EQ(window->GetFocusControl().Get(), b.Get());
}

TEST_F(RootWindowInputTest, TabPastTheEndWithTwoWindowsGivesTheOtherWindowTheFocusUnlessAModalLoopRuns) {
  StandInOSWindow otherOS;
  otherOS.active = false;
  const RCPtr<LRootWindow> other = LRootWindow::Create(nullptr, &otherOS);
  application.AddRootWindow(other);

  os.modal = true;
  window->TabToNextWindow(MakeKeyParam(KeyCode(0x20090000, 0, 0), 1));
  EXPECT_EQ(otherOS.focusRequests, 0);
  os.modal = false;
  window->TabToNextWindow(MakeKeyParam(KeyCode(0x20090000 | KeyCode::kShift, 0, 0), 1));
  EXPECT_EQ(otherOS.focusRequests, 1);
  application.windows.pop_back();
}

TEST_F(RootWindowInputTest, LosingTheWindowFocusRemembersTheFocusedControlAndGettingItBackRestoresIt) {
  b1->focusable = true;
  b1->SetFocus(true);
  window->OnWindowFocusLost();
  EXPECT_EQ(window->GetFocusControl().Get(), nullptr);
  window->RestoreFocus();
  EXPECT_EQ(window->GetFocusControl().Get(), b1.Get());
}

TEST_F(RootWindowInputTest, ModifierKeysComeFromTheApplicationsKeyState) {
  application.keysDown = {{17, true}, {18, true}};
  EXPECT_EQ(window->GetModifierKeys(), 0x41);
}

TEST_F(RootWindowInputTest, AConstrainedClientSizeIsNeverBelowOneByOne) {
  PointT<int32_t> size{0, 0};
  EXPECT_TRUE(window->ConstrainClientSize(size));
  EXPECT_EQ(size, (PointT<int32_t>{1, 1}));
  PointT<int32_t> usual{640, 480};
  EXPECT_FALSE(window->ConstrainClientSize(usual));
}

TEST_F(RootWindowInputTest, BeginDragRefusesNullAndTellsThePreviousHolderItLostTheCapture) {
  EXPECT_EQ(window->BeginDrag(nullptr), E_INVALIDARG);
  window->BeginDrag(RCPtr<LControl>(a.Get()));
  window->BeginDrag(RCPtr<LControl>(b.Get()));
  EXPECT_EQ(log.lines, (Lines{"a:CaptureLost"}));
  EXPECT_EQ(window->GetCaptureControl().Get(), b.Get());
}

}  // namespace
}  // namespace SV
