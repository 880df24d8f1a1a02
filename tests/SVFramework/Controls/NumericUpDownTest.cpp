#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/Controls/NumericUpDown.h"
#include "SVFramework/System/ClipBoard.h"
#include "SVFramework/notification/Notification.h"
#include "tests/SVFramework/Controls/TextFieldSkin.h"
#include "tests/Support/TextConversions.h"
#include "tests/Support/Widgets/NotificationLog.h"
#include "tests/Support/Widgets/RandomInput.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::NotificationLog;
using Testing::WidgetHarness;

constexpr const char* kUpDownSkin = R"(
  <SubControl Class="Framework.NumericUpDown" Name="upDown" XPositionAbs="10" YPositionAbs="10" XSizeAbs="120" YSizeAbs="20">
    <Skin Name="upDown" LookList="TextField"/>
    <SubControl Class="Framework.TextBox" Name="textBox" XSizeAbs="100" YSizeAbs="20">
      <Skin Name="textBox" LookList="TextField"/></SubControl>
    <SubControl Class="Framework.Button" Name="buttonUp" XPositionAbs="100" XSizeAbs="20" YSizeAbs="10">
      <Skin Name="buttonUp" LookList="TextField"/></SubControl>
    <SubControl Class="Framework.Button" Name="buttonDown" XPositionAbs="100" YPositionAbs="10" XSizeAbs="20" YSizeAbs="10">
      <Skin Name="buttonDown" LookList="TextField"/></SubControl>
  </SubControl>
  <SubControl Class="Framework.TextBox" Name="elsewhere" XPositionAbs="10" YPositionAbs="50" XSizeAbs="100" YSizeAbs="20">
    <Skin Name="elsewhere" LookList="TextField"/></SubControl>)";

using Testing::Utf8;

class NumericUpDownTest : public ::testing::Test {
protected:
  void SetUp() override {
    harness.Build(kUpDownSkin, Testing::kTextFieldResources);
    upDown = harness.Find<LNumericUpDown>(u"upDown");
    ASSERT_TRUE(upDown);
    box = upDown->GetTextBox();
    up = upDown->GetUpButton();
    down = upDown->GetDownButton();
    ASSERT_TRUE(box && up && down);
  }
  void TearDown() override {
    if (log) log->StopListening();
  }
  void Hold(double minimum, double maximum, double value, int32_t decimals = 0) {
    upDown->SetDecimals(decimals);
    ASSERT_EQ(upDown->SetValueRange(minimum, maximum, 0), S_OK);
    upDown->SetNormalizedValue(upDown->ValueToNormalized(value));
  }

  WidgetHarness harness;
  RCPtr<LNumericUpDown> upDown;
  RCPtr<LTextBox> box;
  RCPtr<LButton> up, down;
  RCPtr<NotificationLog> log;
};

struct EntryCase {
  const char* name;
  double minimum, maximum, value;
  int32_t decimals;
  const char16_t* entered;
  const char* shown;
  double expectedValue;
};

const EntryCase kEntryCases[] = {
    {"a number above the range is clamped", 0, 127, 64, 0, u"200", "127", 127},
    {"an empty text shows the value again", 0, 127, 64, 0, u"", "64", 64},
    {"a minus after the first character is refused", -10, 10, 3, 0, u"5-", "3", 3},
    {"a minus alone is refused", -10, 10, 3, 0, u"-", "3", 3},
    {"a negative number is taken", -10, 10, 3, 0, u"-4", "-4", -4},
    {"two points are refused", 0, 10, 2, 1, u"1.2.3", "2.0", 2},
    {"a point alone is refused", 0, 10, 2, 1, u".", "2.0", 2},
    {"a leading point reads as a fraction", 0, 10, 2, 1, u".5", "0.5", 0.5},
    {"the current value written differently stays as typed", 0, 127, 7, 0, u"007", "007", 7},
    {"the minimum written differently is reformatted", 0, 127, 0, 0, u"00", "0", 0},
    {"letters are refused rather than read as zero", 0, 127, 64, 0, u"abc", "64", 64},
    {"nan is refused", 0, 127, 64, 0, u"nan", "64", 64},
    {"a number too large for a double is refused", 0, 127, 64, 0, u"1e999", "64", 64},
    {"hexadecimal is not read", 0, 127, 64, 0, u"0x20", "0", 0},
};

TEST_F(NumericUpDownTest, ValidationTakesNumbersIntoTheRangeAndReplacesEverythingElseByTheValue) {
  for (const EntryCase& c : kEntryCases) {
    SCOPED_TRACE(c.name);
    Hold(c.minimum, c.maximum, c.value, c.decimals);
    box->SetText(c.entered);
    EXPECT_TRUE(box->Validate()->valid);
    EXPECT_EQ(Utf8(box->GetText()), c.shown);
    EXPECT_DOUBLE_EQ(upDown->GetValue(), c.expectedValue);
  }
}

TEST_F(NumericUpDownTest, TheFilterAllowsDigitsAndOnlyThePointAndMinusTheFieldCanUse) {
  Hold(0, 127, 5);
  EXPECT_EQ(box->GetFilterCharacters(), u"0123456789");
  Hold(-5, 5, 0, 2);
  EXPECT_EQ(box->GetFilterCharacters(), u"0123456789.-");
  EXPECT_TRUE(box->FilterAllows());
}

TEST_F(NumericUpDownTest, TypingAndEnterThroughTheWindowSetsTheClampedValue) {
  Hold(0, 127, 10);
  harness.Click(harness.At(box));
  harness.Key(0x23);  // End
  for (int i = 0; i < 2; ++i) harness.Key(0x08);
  harness.Type(u"2-00x");
  harness.Key(0x0D);
  EXPECT_EQ(Utf8(box->GetText()), "127");
  EXPECT_DOUBLE_EQ(upDown->GetValue(), 127);
}

TEST_F(NumericUpDownTest, PastingTextThatCouldNotBeTypedIsRefused) {
  Hold(0, 127, 64);
  harness.Click(harness.At(box));
  for (const char16_t* pasted : {u"abc", u"nan", u"1\n2", u"-3"}) {
    harness.application.clipboard.ChangeOutside(pasted);
    EXPECT_FALSE(harness.application.GetClipboard()->CanPerformEdit(u"NID_EDIT_PASTE_REQ"));
    harness.Edit(u"NID_EDIT_PASTE_REQ");
  }
  EXPECT_EQ(Utf8(box->GetText()), "64");
  harness.Click(harness.At(harness.Find(u"elsewhere")));
  EXPECT_DOUBLE_EQ(upDown->GetValue(), 64);
}

TEST_F(NumericUpDownTest, ValidationNotificationsArePassedOnFromTheUpDownInOrder) {
  Hold(0, 127, 1);
  log = NotificationLog::Create();
  for (const char16_t* id : {u"NID_TEXTBOX_VALIDATING", u"NID_TEXTBOX_VALIDATED", u"NID_VALUE_CHANGE"})
    log->Listen(upDown, id);
  box->SetText(u"9");
  box->Validate();
  ASSERT_FALSE(log->lines.empty());
  EXPECT_EQ(log->lines.front(), "NID_TEXTBOX_VALIDATING");
  EXPECT_EQ(log->lines.back(), "NID_TEXTBOX_VALIDATED");
  EXPECT_NE(std::find(log->lines.begin(), log->lines.end(), "NID_VALUE_CHANGE"), log->lines.end());
}

TEST_F(NumericUpDownTest, AListenerThatRefusesKeepsTheTextAndTheValue) {
  Hold(0, 127, 1);
  struct Refuser : LNotificationClient {
    int32_t Receive(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& n) override {
      dynamic_cast<LTextValidationParams*>(n->GetPayload().Get())->valid = false;
      return 0;
    }
  };
  RCPtr<Refuser> refuser(new Refuser);
  refuser->Subscribe(upDown, u"NID_TEXTBOX_VALIDATING");
  box->SetText(u"50");
  EXPECT_FALSE(box->Validate()->valid);
  refuser->UnsubscribeAll();
  EXPECT_EQ(Utf8(box->GetText()), "50");
  EXPECT_DOUBLE_EQ(upDown->GetValue(), 1);
}

TEST_F(NumericUpDownTest, HoldingAButtonStepsOnPressAndOnEachRepeatAndStopsAtTheBounds) {
  Hold(0, 10, 2);
  harness.Press(harness.At(up));
  EXPECT_DOUBLE_EQ(upDown->GetValue(), 3);
  harness.RunFor(290);
  EXPECT_DOUBLE_EQ(upDown->GetValue(), 3);
  harness.RunFor(20);  // the first repeat after 0.3 s
  EXPECT_DOUBLE_EQ(upDown->GetValue(), 4);
  harness.RunFor(1000);  // then every 0.1 s, held at the maximum
  EXPECT_DOUBLE_EQ(upDown->GetValue(), 10);
  EXPECT_EQ(Utf8(box->GetText()), "10");
  harness.Release(harness.At(up));
  upDown->SetStep(4);
  harness.Click(harness.At(down));
  EXPECT_DOUBLE_EQ(upDown->GetValue(), 6);
  EXPECT_EQ(Utf8(box->GetText()), "6");
}

TEST_F(NumericUpDownTest, UpAndDownInTheTextBoxStepAfterThePressedLookOfTheButton) {
  Hold(0, 10, 5);
  harness.Click(harness.At(box));
  harness.Key(0x26);
  EXPECT_DOUBLE_EQ(upDown->GetValue(), 5);
  harness.RunFor(200);
  EXPECT_DOUBLE_EQ(upDown->GetValue(), 6);
  harness.Key(0x28);
  harness.RunFor(200);
  EXPECT_DOUBLE_EQ(upDown->GetValue(), 5);
  EXPECT_TRUE(box->HasFocus());
}

TEST_F(NumericUpDownTest, TheButtonsNeverTakeTheFocus) {
  harness.Click(harness.At(box));
  harness.Click(harness.At(up));
  EXPECT_TRUE(up->IsNotFocusable());
  EXPECT_FALSE(up->HasFocus());
  EXPECT_FALSE(down->HasFocus());
}

TEST_F(NumericUpDownTest, SetTextReadsTheLeadingNumberAndClampsIt) {
  Hold(5, 10, 7);
  EXPECT_EQ(upDown->SetText(u"8 volts"), S_OK);
  EXPECT_DOUBLE_EQ(upDown->GetValue(), 8);
  upDown->SetText(u"none");
  EXPECT_DOUBLE_EQ(upDown->GetValue(), 5);
  upDown->SetText(u"nan");
  EXPECT_DOUBLE_EQ(upDown->GetValue(), 5);
}

TEST_F(NumericUpDownTest, ARangeChangeKeepsThePositionAndShowsItInTheNewRange) {
  Hold(0, 10, 5);
  EXPECT_EQ(upDown->SetValueRange(0, 100, 0), S_OK);
  EXPECT_EQ(Utf8(box->GetText()), "50");
  EXPECT_EQ(upDown->SetValueRange(0, 100, 1), E_INVALIDARG);
  EXPECT_EQ(upDown->SetValueRange(1, 100, 2), E_INVALIDARG);
  EXPECT_EQ(Utf8(box->GetText()), "50");
}

// Random input keeps the value finite and within range and the caret within the text.
TEST(NumericUpDownRandomInput, TheValueStaysFiniteAndInRangeWhateverArrives) {
  WidgetHarness harness;
  harness.Build(kUpDownSkin, Testing::kTextFieldResources);
  const RCPtr<LNumericUpDown> upDown = harness.Find<LNumericUpDown>(u"upDown");
  ASSERT_TRUE(upDown);
  const RCPtr<LTextBox> box = upDown->GetTextBox();
  upDown->SetDecimals(2);
  ASSERT_EQ(upDown->SetValueRange(-50, 50, 0), S_OK);
  Testing::RandomInput input(harness, 1211u);
  input.Run(upDown, 4000, [&] {
    const double value = upDown->GetValue();
    ASSERT_TRUE(std::isfinite(value)) << input.LastEvent();
    ASSERT_GE(value, -50) << input.LastEvent();
    ASSERT_LE(value, 50) << input.LastEvent();
    ASSERT_LE(box->GetCaretIndex(), box->GetText().GetLength()) << input.LastEvent();
    ASSERT_GE(box->GetIdleCount(), 0) << input.LastEvent();
  });
  // Whatever was left typed in the box, validation leaves a readable number there.
  box->Validate();
  EXPECT_TRUE(std::isfinite(box->GetText().ToDouble()));
}

}  // namespace
}  // namespace SV
