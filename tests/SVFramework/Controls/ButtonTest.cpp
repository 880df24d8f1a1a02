#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/Controls/Button.h"
#include "SVFramework/System/Keys/VirtualKeys.h"
#include "tests/SVFramework/Controls/ButtonTestSkin.h"
#include "tests/Support/Widgets/NotificationLog.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::ButtonElement;
using Testing::CreateParam;
using Testing::NotificationLog;
using Testing::ShownLook;
using Testing::WidgetHarness;

// A window with buttons built from `controls` behind a "decoy" button that takes the
// first focus; records what the buttons send, each line stamped with the application
// clock in milliseconds.
class ButtonTest : public ::testing::Test {
protected:
  void TearDown() override {
    if (log) log->StopListening();
  }

  void Build(const std::string& controls) {
    harness.Build(ButtonElement("decoy", 600) + controls, Testing::kButtonResources);
    log = NotificationLog::Create();
  }
  RCPtr<LButton> Button(const char16_t* name = u"ok") {
    RCPtr<LButton> button = harness.Find<LButton>(name);
    EXPECT_TRUE(button) << "no button";
    return button;
  }
  void Record(const RCPtr<LButton>& button, const char16_t* id) {
    log->Listen(button, id, [this](const RCPtr<LNotification>&) {
      return std::to_string(harness.application.GetTickCount());
    });
  }
  std::vector<std::string> Lines(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& line : log->lines)
      if (line.rfind(prefix, 0) == 0) found.push_back(line);
    return found;
  }
  PointT<int32_t> Outside() const { return {700, 500}; }

  WidgetHarness harness;
  RCPtr<NotificationLog> log;
};

TEST_F(ButtonTest, IsCreatedFromTheSkinWithFourteenLooksAndShowsTheNormalLookAtFirst) {
  Build(ButtonElement("ok", 10));
  const RCPtr<LButton> button = Button();
  ASSERT_TRUE(button);
  EXPECT_EQ(button->GetLookCount(), 14u);
  button->UpdateLook();
  EXPECT_EQ(ShownLook(*button), LButton::kLookNormal);
}

struct ButtonLookCase {
  const char* name;
  bool on;
  bool enabled;
  bool focused;
  bool hovered;
  bool held;
  int32_t look;
};

class ButtonLookTest : public ButtonTest, public ::testing::WithParamInterface<ButtonLookCase> {};

TEST_P(ButtonLookTest, ShowsTheLookOfItsState) {
  const ButtonLookCase& state = GetParam();
  Build(ButtonElement("ok", 10) + ButtonElement("other", 200));
  const RCPtr<LButton> button = Button();
  ASSERT_TRUE(button);
  if (state.on) button->SetChecked(true);
  if (state.focused) {
    ASSERT_GE(button->SetFocus(true), 0);
  }
  // A press takes the focus. A held button shows as pressed once the pointer moved with it: a left drag.
  if (state.held) harness.Press(harness.At(button));
  harness.MoveTo(state.hovered ? harness.At(button, {41, 11}) : Outside());
  if (!state.enabled) button->SetEnabled(false);
  EXPECT_EQ(ShownLook(*button), state.look);
}

INSTANTIATE_TEST_SUITE_P(
    States, ButtonLookTest,
    ::testing::Values(ButtonLookCase{"Off", false, true, false, false, false, 0},
                      ButtonLookCase{"OffHover", false, true, false, true, false, 1},
                      ButtonLookCase{"OffPressed", false, true, true, true, true, 5},
                      ButtonLookCase{"OffPressedPointerOutside", false, true, true, false, true, 4},
                      ButtonLookCase{"OffFocused", false, true, true, false, false, 3},
                      ButtonLookCase{"OffFocusedHover", false, true, true, true, false, 4},
                      ButtonLookCase{"OffDisabled", false, false, true, true, false, 6},
                      ButtonLookCase{"On", true, true, false, false, false, 7},
                      ButtonLookCase{"OnHover", true, true, false, true, false, 8},
                      ButtonLookCase{"OnFocused", true, true, true, false, false, 10},
                      ButtonLookCase{"OnFocusedPressed", true, true, true, true, true, 12},
                      ButtonLookCase{"OnDisabled", true, false, false, false, false, 13}),
    [](const ::testing::TestParamInfo<ButtonLookCase>& info) { return std::string(info.param.name); });

TEST_F(ButtonTest, AStickyPressKeepsThePressedLookWhileThePointerIsOutside) {
  Build(ButtonElement("ok", 10));
  const RCPtr<LButton> button = Button();
  button->SetStickyPress(true);
  harness.Press(harness.At(button));
  harness.MoveTo(harness.At(button, {41, 11}));
  EXPECT_EQ(ShownLook(*button), LButton::kLookPressed + LButton::kFocusedOffset);
  harness.MoveTo(Outside());
  EXPECT_EQ(ShownLook(*button), LButton::kLookPressed + LButton::kFocusedOffset);
  harness.Release(Outside());
  EXPECT_EQ(ShownLook(*button), LButton::kLookNormal + LButton::kFocusedOffset);
}

TEST_F(ButtonTest, AToggleButtonFlipsOnEachClickAndAPushButtonKeepsItsValue) {
  Build(ButtonElement("toggle", 10, CreateParam("AUTO_VALUE_SET", "True")) + ButtonElement("push", 200));
  const RCPtr<LButton> toggle = Button(u"toggle");
  const RCPtr<LButton> push = Button(u"push");
  Record(toggle, u"NID_LEFT_CLICK");
  harness.Click(harness.At(toggle));
  EXPECT_TRUE(toggle->IsChecked());
  EXPECT_EQ(ShownLook(*toggle), 8 + LButton::kFocusedOffset);
  harness.Click(harness.At(toggle));
  EXPECT_FALSE(toggle->IsChecked());
  EXPECT_EQ(Lines("NID_LEFT_CLICK").size(), 2u);
  harness.Click(harness.At(push));
  EXPECT_FALSE(push->IsChecked());
}

struct FlagCase {
  const char* value;
  bool set;
};

class ButtonCreateParamTest : public ButtonTest, public ::testing::WithParamInterface<FlagCase> {};

TEST_P(ButtonCreateParamTest, ReadsItsFlagsAsWrittenWithoutTrimming) {
  const FlagCase& flag = GetParam();
  Build(ButtonElement("ok", 10, CreateParam("AUTO_VALUE_SET", flag.value) + CreateParam("IS_RADIO", flag.value)));
  const RCPtr<LButton> button = Button();
  EXPECT_EQ(button->IsAutoValueSet(), flag.set);
  EXPECT_EQ(button->IsRadio(), flag.set);
}

INSTANTIATE_TEST_SUITE_P(Values, ButtonCreateParamTest,
                         ::testing::Values(FlagCase{"true", true}, FlagCase{"TRUE", true}, FlagCase{" true", false},
                                           FlagCase{"true ", false}, FlagCase{"1", false}, FlagCase{"", false}));

TEST_F(ButtonTest, ClickingARadioButtonTurnsItsRadioSiblingsOffAndAClickOnAnOnRadioKeepsItOn) {
  const std::string radio = CreateParam("IS_RADIO", "true") + CreateParam("AUTO_VALUE_SET", "true");
  Build(ButtonElement("first", 10, radio) + ButtonElement("second", 100, radio) + ButtonElement("third", 190, radio) +
        ButtonElement("plain", 280, CreateParam("AUTO_VALUE_SET", "true")));
  const RCPtr<LButton> first = Button(u"first"), second = Button(u"second"), third = Button(u"third");
  const RCPtr<LButton> plain = Button(u"plain");
  first->SetChecked(true);
  third->SetChecked(true);
  plain->SetChecked(true);
  EXPECT_FALSE(first->IsChecked());

  harness.Click(harness.At(second));
  harness.Click(harness.At(second));
  EXPECT_FALSE(first->IsChecked());
  EXPECT_TRUE(second->IsChecked());
  EXPECT_FALSE(third->IsChecked());
  EXPECT_TRUE(plain->IsChecked()) << "a button that is not a radio button is no part of the group";
}

TEST_F(ButtonTest, SettingTheValueItAlreadyHasAnnouncesNothing) {
  Build(ButtonElement("ok", 10));
  const RCPtr<LButton> button = Button();
  Record(button, u"NID_VALUE_CHANGE");
  EXPECT_TRUE(button->SetChecked(true));
  EXPECT_TRUE(button->SetChecked(true));
  EXPECT_FALSE(button->SetChecked(false));
  EXPECT_EQ(Lines("NID_VALUE_CHANGE").size(), 2u);
}

TEST_F(ButtonTest, APassThroughButtonIsNotHitAndKeepsItsLook) {
  Build(ButtonElement("ok", 10));
  const RCPtr<LButton> button = Button();
  button->SetPassThrough(true);
  Record(button, u"NID_LEFT_CLICK");
  harness.Click(harness.At(button));
  button->SetChecked(true);
  button->SetEnabled(false);
  EXPECT_TRUE(log->lines.empty());
  EXPECT_EQ(ShownLook(*button), LButton::kLookNormal);
}

// Auto-repeat: one repeat on the press, the next after 0.3 s, then every 0.1 s.
class ButtonRepeatTest : public ButtonTest {
protected:
  void SetUp() override {
    Build(ButtonElement("ok", 10) + ButtonElement("other", 200));
    button = Button();
    button->SetAutoRepeat(true);
    Record(button, u"NID_BUTTON_AUTOREPEAT");
    Record(button, u"NID_LEFT_CLICK");
  }
  std::vector<std::string> Repeats() const { return Lines("NID_BUTTON_AUTOREPEAT"); }

  RCPtr<LButton> button;
};

TEST_F(ButtonRepeatTest, HoldingRepeatsOnThePressAfterTheFirstDelayAndThenAtEachInterval) {
  harness.Press(harness.At(button));
  harness.RunFor(550, 10);
  EXPECT_EQ(Repeats(), (std::vector<std::string>{"NID_BUTTON_AUTOREPEAT 0", "NID_BUTTON_AUTOREPEAT 300",
                                                 "NID_BUTTON_AUTOREPEAT 400", "NID_BUTTON_AUTOREPEAT 500"}));
  harness.Release(harness.At(button));
  harness.RunFor(500, 10);
  EXPECT_EQ(Repeats().size(), 4u);
  EXPECT_EQ(Lines("NID_LEFT_CLICK").size(), 1u);
}

TEST_F(ButtonRepeatTest, RepeatsWaitForTheIdlePassAfterEachIntervalAndDropTheOvershoot) {
  harness.Press(harness.At(button));
  harness.RunFor(520, 33);
  EXPECT_EQ(Repeats(), (std::vector<std::string>{"NID_BUTTON_AUTOREPEAT 0", "NID_BUTTON_AUTOREPEAT 330",
                                                 "NID_BUTTON_AUTOREPEAT 462"}));
}

TEST_F(ButtonRepeatTest, TimeWithThePointerOffTheButtonDoesNotCount) {
  harness.Press(harness.At(button));
  harness.RunFor(200, 10);
  harness.MoveTo(Outside());
  harness.RunFor(1000, 10);
  EXPECT_EQ(Repeats().size(), 1u);
  harness.MoveTo(harness.At(button));
  harness.RunFor(150, 10);
  EXPECT_EQ(Repeats(), (std::vector<std::string>{"NID_BUTTON_AUTOREPEAT 0", "NID_BUTTON_AUTOREPEAT 1300"}));
}

TEST_F(ButtonRepeatTest, ADisabledButtonDoesNotStartAndOneDisabledWhileHeldPausesUntilEnabled) {
  button->SetEnabled(false);
  harness.Press(harness.At(button));
  harness.RunFor(400, 10);
  harness.Release(harness.At(button));
  EXPECT_TRUE(Repeats().empty());
  EXPECT_EQ(button->GetIdleCount(), 0);

  button->SetEnabled(true);
  harness.Press(harness.At(button));
  button->SetEnabled(false);
  harness.RunFor(1000, 10);
  EXPECT_EQ(Repeats().size(), 1u);
  button->SetEnabled(true);
  harness.RunFor(100, 10);
  EXPECT_EQ(Repeats().size(), 2u);
}

TEST_F(ButtonRepeatTest, HoldsNoIdleSubscriptionAfterALongHoldAndRelease) {
  for (int press = 0; press < 3; ++press) {
    harness.Press(harness.At(button));
    harness.RunFor(2000, 10);
    EXPECT_EQ(button->GetIdleCount(), 1) << "one subscription while repeating";
    harness.Release(harness.At(button));
  }
  EXPECT_EQ(button->GetIdleCount(), 0);
  EXPECT_FALSE(button->IsRepeating());
}

TEST_F(ButtonRepeatTest, ASimulatedClickDuringAHoldKeepsOneSubscriptionUntilBothHaveEnded) {
  harness.Press(harness.At(button));
  button->SimulateClick();
  harness.RunFor(200, 10);
  EXPECT_FALSE(button->IsSimulating());
  EXPECT_EQ(button->GetIdleCount(), 1);
  EXPECT_TRUE(button->IsRepeating());
  harness.Release(harness.At(button));
  EXPECT_EQ(button->GetIdleCount(), 0);
}

TEST_F(ButtonRepeatTest, ASimulatedClickOfAnAutoRepeatButtonRepeatsOnceAndClicks) {
  button->SimulateClick();
  harness.RunFor(200, 10);
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_BUTTON_AUTOREPEAT 150", "NID_LEFT_CLICK 150"}));
}

// Keyboard and notification clicks: a pressed look for 0.15 s, then the click.
TEST_F(ButtonTest, EnterPressedOnAFocusedButtonShowsThePressedLookThenClicks) {
  Build(ButtonElement("ok", 10));
  const RCPtr<LButton> button = Button();
  Record(button, u"NID_LEFT_CLICK");
  ASSERT_GE(button->SetFocus(true), 0);
  harness.KeyDown(VirtualKey::kReturn);
  EXPECT_EQ(ShownLook(*button), LButton::kLookPressed);
  harness.Idle(140);
  EXPECT_EQ(ShownLook(*button), LButton::kLookPressed);
  EXPECT_TRUE(log->lines.empty());
  harness.Idle(10);
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_LEFT_CLICK 150"}));
  EXPECT_EQ(ShownLook(*button), LButton::kLookNormal + LButton::kFocusedOffset);
  harness.KeyUp(VirtualKey::kReturn);
  harness.RunFor(300, 10);
  EXPECT_EQ(log->lines.size(), 1u) << "the release does not click again";
  EXPECT_EQ(button->GetIdleCount(), 0);
}

struct ButtonKeyCase {
  const char* name;
  uint32_t virtualKey;
  uint32_t modifiers;
  bool repeat;
  bool clicks;
};

class ButtonKeyTest : public ButtonTest, public ::testing::WithParamInterface<ButtonKeyCase> {};

TEST_P(ButtonKeyTest, ClicksOnlyForEnterOrSpaceWithoutModifiers) {
  const ButtonKeyCase& key = GetParam();
  Build(ButtonElement("ok", 10));
  const RCPtr<LButton> button = Button();
  Record(button, u"NID_LEFT_CLICK");
  ASSERT_GE(button->SetFocus(true), 0);
  harness.KeyDown(key.virtualKey, key.modifiers, key.repeat);
  harness.RunFor(200, 10);
  EXPECT_EQ(log->lines.size(), key.clicks ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ButtonKeyTest,
    ::testing::Values(ButtonKeyCase{"Enter", VirtualKey::kReturn, 0, false, true},
                      ButtonKeyCase{"EnterRepeat", VirtualKey::kReturn, 0, true, true},
                      ButtonKeyCase{"Space", VirtualKey::kSpace, 0, false, true},
                      ButtonKeyCase{"CtrlEnter", VirtualKey::kReturn, KeyCode::Modifier::kModCtrl, false, false},
                      ButtonKeyCase{"ShiftSpace", VirtualKey::kSpace, KeyCode::Modifier::kModShift, false, false},
                      ButtonKeyCase{"Letter", 'A', 0, false, false}),
    [](const ::testing::TestParamInfo<ButtonKeyCase>& info) { return std::string(info.param.name); });

TEST_F(ButtonTest, EnterHeldDownClicksOnEveryRepeatOfTheKey) {
  Build(ButtonElement("ok", 10));
  const RCPtr<LButton> button = Button();
  Record(button, u"NID_LEFT_CLICK");
  ASSERT_GE(button->SetFocus(true), 0);
  harness.KeyDown(VirtualKey::kReturn);
  harness.Idle(50);
  harness.KeyDown(VirtualKey::kReturn, 0, true);
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_LEFT_CLICK 50"})) << "the press showing is completed first";
  harness.RunFor(200, 10);
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_LEFT_CLICK 50", "NID_LEFT_CLICK 200"}));
  EXPECT_EQ(button->GetIdleCount(), 0);
}

TEST_F(ButtonTest, ASimulatedClickTakesTheFocusButDoesNotToggle) {
  Build(ButtonElement("ok", 10, CreateParam("AUTO_VALUE_SET", "true")));
  const RCPtr<LButton> button = Button();
  Record(button, u"NID_LEFT_CLICK");
  button->SimulateClick();
  EXPECT_TRUE(button->HasFocus());
  harness.RunFor(200, 10);
  EXPECT_EQ(log->lines.size(), 1u);
  EXPECT_FALSE(button->IsChecked());
  EXPECT_EQ(button->GetIdleCount(), 0);
}

TEST_F(ButtonTest, TheSimulateClickNotificationClicksOnlyAnEnabledButton) {
  Build(ButtonElement("ok", 10));
  const RCPtr<LButton> button = Button();
  Record(button, u"NID_LEFT_CLICK");
  button->SetEnabled(false);
  DeliverNotification(button.Get(), u"NID_SIMULATE_CLICK", nullptr);
  harness.RunFor(200, 10);
  EXPECT_TRUE(log->lines.empty());
  EXPECT_EQ(button->GetIdleCount(), 0);

  button->SetEnabled(true);
  DeliverNotification(button.Get(), u"NID_SIMULATE_CLICK", nullptr);
  harness.RunFor(200, 10);
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_LEFT_CLICK 350"}));
}

TEST_F(ButtonTest, ADestroyedButtonShowingASimulatedPressLeavesNothingRunning) {
  Build(ButtonElement("ok", 10));
  RCPtr<LButton> button = Button();
  button->SimulateClick();
  harness.root->DestroyChildLater(button);
  harness.RunFor(300, 10);
  EXPECT_EQ(button->GetIdleCount(), 0);
  EXPECT_EQ(button->GetParent(), nullptr);
}

TEST_F(ButtonTest, ATruncatedLabelIsItsOwnTooltip) {
  harness.Build(ButtonElement("ok", 10), Testing::kButtonResources,
                R"(<StringTable ID="Test.Window|ok">
                   <String ID="LABEL"><Locale LCID="9">a label much wider than eighty</Locale></String>
                   <String ID="TOOLTIP"><Locale LCID="9">the tip</Locale></String></StringTable>)");
  const RCPtr<LButton> button = Button();
  EXPECT_EQ(button->GetTooltipText(), String(u"a label much wider than eighty"));
  button->ApplyText(u"short", false);
  EXPECT_EQ(button->GetTooltipText(), String(u"the tip"));
}

}  // namespace
}  // namespace SV
