#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "SVFramework/Controls/Knob.h"
#include "SVFramework/System/Keys/VirtualKeys.h"
#include "SVFramework/Utilities/Holder.h"
#include "tests/Support/Widgets/CreateParamXml.h"
#include "tests/Support/Widgets/NotificationDescriptions.h"
#include "tests/Support/Widgets/NotificationLog.h"
#include "tests/Support/Widgets/RandomInput.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::NotificationLog;
using Testing::WidgetHarness;

// Frames (and optionally the two overlays) of one solid look each.
std::string Resources(int frames, bool overlays = false) {
  std::string lookList = "<LookList Name=\"Frames\" NumLooks=\"" + std::to_string(frames + (overlays ? 3 : 1)) + "\">";
  for (int i = 0; i < frames; ++i) lookList += "<Look Name=\"Frame\" Index=\"" + std::to_string(i) + "\"/>";
  if (overlays) {
    lookList += "<Look Name=\"Focus\" Index=\"" + std::to_string(frames + 1) + "\"/>";
    lookList += "<Look Name=\"Focus\" Index=\"" + std::to_string(frames + 2) + "\"/>";
  }
  return R"(<Colorizers><Colorizer Name="Red" ColorType="SolidFill" Color="FFFF0000"/></Colorizers>
<Parts><Part Name="Fill" Width="4" Height="4" ResizeType="Stretch" ColorizerName="Red"/></Parts>
<Looks><Look Name="Frame"><ClientPart Name="Fill" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/></Look><Look Name="Focus"><ClientPart Name="Fill" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/></Look></Looks>
<LookLists>)" + lookList + "</LookList></LookLists>";
}

// A 40 x 40 knob at (100, 100) with the given create parameters.
std::string KnobControl(const std::string& parameters = {}) {
  return R"(<SubControl Class="Framework.Knob" Name="knob" XPositionAbs="100" YPositionAbs="100" XSizeAbs="40" YSizeAbs="40">
<Skin Name="knob" LookList="Frames"/><CreateParamList>)" + parameters + "</CreateParamList></SubControl>";
}

using Testing::Param;

using Testing::DescribeFlag;

std::string DescribeWhetherPayload(const RCPtr<LNotification>& notification) {
  return notification->GetPayload() ? "key" : "none";
}

class KnobTest : public ::testing::Test {
protected:
  void Build(int frames, const std::string& parameters = {}, bool overlays = false) {
    harness.Build(KnobControl(parameters), Resources(frames, overlays));
    knob = harness.Find<LKnob>(u"knob");
    ASSERT_TRUE(knob);
    log = NotificationLog::Create();
    log->Listen(RCPtr<LNotificationDistributor>(knob.Get()), u"NID_VALUE_CHANGE_CAPTURE", DescribeFlag);
    log->Listen(RCPtr<LNotificationDistributor>(knob.Get()), u"NID_VALUE_CHANGE_KEY_DOWN", DescribeWhetherPayload);
    log->Listen(RCPtr<LNotificationDistributor>(knob.Get()), u"NID_VALUE_CHANGE_KEY_UP", DescribeWhetherPayload);
  }
  void TearDown() override {
    if (log) log->StopListening();
  }
  PointT<int32_t> Centre() const { return harness.At(knob, knob->GetCentre()); }
  PointT<int32_t> FromCentre(int32_t dx, int32_t dy) const { return {Centre().x + dx, Centre().y + dy}; }

  WidgetHarness harness;
  RCPtr<LKnob> knob;
  RCPtr<NotificationLog> log;
};

TEST_F(KnobTest, ShowsTheFrameNearestToTheValueAsItsOnlyLook) {
  Build(5);
  const struct {
    double value;
    int32_t frame;
  } cases[] = {{0, 0}, {0.124, 0}, {0.125, 1}, {0.5, 2}, {0.874, 3}, {1, 4}};
  for (const auto& c : cases) {
    knob->SetNormalizedValue(c.value);
    EXPECT_EQ(knob->GetFirstVisibleLookIndex(), c.frame) << c.value;
    for (int32_t look = 0; look < 5; ++look)
      if (look != c.frame) {
        EXPECT_EQ(knob->GetLookWeight(static_cast<uint32_t>(look)), 0.0f) << c.value;
      }
  }
}

TEST_F(KnobTest, Linear64FrameKnobWithoutATravelParameterReachesItsMaximumAfter127Pixels) {
  Build(64);
  EXPECT_FALSE(knob->IsRadial());
  EXPECT_EQ(knob->GetLinearFullRange(), 128);
  harness.Drag(Centre(), FromCentre(127, 0));
  EXPECT_DOUBLE_EQ(knob->GetNormalizedValue(), 1.0);
  EXPECT_EQ(knob->GetFirstVisibleLookIndex(), 63);
}

TEST_F(KnobTest, LinearDragsMoveTheValueByTravelOverTheFullRange) {
  const struct {
    const char* name;
    PointT<int32_t> to;
    bool ctrl;
    double start;
    double expected;
  } cases[] = {
      {"right", {64, 0}, false, 0, 64.0 / 127},
      {"up counts like right", {0, -64}, false, 0, 64.0 / 127},
      {"left decreases", {-27, 0}, false, 1, 100.0 / 127},
      {"down decreases", {0, 27}, false, 1, 100.0 / 127},
      {"beyond the end stops at the end", {400, 0}, false, 0.5, 1},
      {"Ctrl quarters the change on a finer grid", {127, 0}, true, 0, 128.0 / 511},
  };
  for (const auto& c : cases) {
    Build(64);
    knob->SetNormalizedValue(c.start);
    if (c.ctrl) harness.application.keysDown[0x11] = true;
    harness.Drag(Centre(), FromCentre(c.to.x, c.to.y), 1);
    harness.application.keysDown[0x11] = false;
    EXPECT_NEAR(knob->GetNormalizedValue(), c.expected, 1e-12) << c.name;
    log->StopListening();
  }
}

TEST_F(KnobTest, ADiagonalDragWhereBothComponentsGrowKeepsOnlyTheLeadingOne) {
  Build(64);
  knob->SetNormalizedValue(64.0 / 127);
  const double start = knob->GetNormalizedValue();
  harness.Press(Centre());
  harness.MoveTo(FromCentre(10, 2));   // both kept: right 10, down 2
  harness.MoveTo(FromCentre(14, 12));  // the trend still leans right: the downward 10 is dropped
  harness.Release(FromCentre(14, 12));
  EXPECT_NEAR(knob->GetNormalizedValue(), start + 12.0 / 127, 1e-12);
}

TEST_F(KnobTest, RadialKnobFollowsThePointersAngleAndSplitsTheDeadZoneBetweenItsEnds) {
  const struct {
    const char* where;
    PointT<int32_t> offset;
    double expected;
  } cases[] = {
      {"top", {0, -100}, 0.5},
      {"right (90 degrees)", {100, 0}, 225.0 / 270},
      {"start (225 degrees)", {-100, 100}, 0},
      {"up left (315 degrees)", {-100, -100}, 90.0 / 270},
      {"straight down, the dead zone's middle", {0, 100}, 1},
      {"just left of down (190 degrees)", {-17, 98}, 0},
      {"just right of down (170 degrees)", {17, 98}, 1},
  };
  for (const auto& c : cases) {
    Build(5, Param("RADIAL_GESTURE_START_ANGLE", "225") + Param("RADIAL_GESTURE_END_ANGLE", "-225"));
    ASSERT_TRUE(knob->IsRadial());
    EXPECT_EQ(knob->GetEndAngle(), 135);
    knob->SetNormalizedValue(0.3);
    harness.Drag(FromCentre(3, 3), FromCentre(c.offset.x, c.offset.y), 1);
    EXPECT_NEAR(knob->GetNormalizedValue(), c.expected, 1e-9) << c.where;
    log->StopListening();
  }
}

TEST_F(KnobTest, RadialPressAtTheCentreChangesNothingUntilThePointerLeavesIt) {
  Build(5, Param("RADIAL_GESTURE_START_ANGLE", "225") + Param("RADIAL_GESTURE_END_ANGLE", "135"));
  knob->SetNormalizedValue(0.3);
  const double before = knob->GetNormalizedValue();
  harness.Press(Centre());
  harness.MoveTo(FromCentre(0, 0));
  EXPECT_EQ(knob->GetNormalizedValue(), before);
  harness.MoveTo(FromCentre(0, -10));
  EXPECT_NEAR(knob->GetNormalizedValue(), 0.5, 1e-9);
  harness.Release(FromCentre(0, -10));
}

TEST_F(KnobTest, CreateParametersSetTheGestureAndUnusableOnesFallBackToWorkingValues) {
  const struct {
    const char* name;
    std::string parameters;
    bool radial;
    int32_t travel;
    double multiplier;
    double endAngle;
  } cases[] = {
      {"fine multiplier leaves the angles alone", Param("FINE_ADJUST_MULTIPLIER", "0.5"), false, 130, 0.5, 0},
      {"travel given", Param("LINEAR_GESTURE_FULL_RANGE", "300"), false, 300, 0.25, 0},
      {"a travel of one pixel has no steps: two", Param("LINEAR_GESTURE_FULL_RANGE", "1"), false, 2, 0.25, 0},
      {"a negative travel: two", Param("LINEAR_GESTURE_FULL_RANGE", "-40"), false, 2, 0.25, 0},
      {"a zero multiplier: a quarter", Param("FINE_ADJUST_MULTIPLIER", "0"), false, 130, 0.25, 0},
      {"a negative multiplier: a quarter", Param("FINE_ADJUST_MULTIPLIER", "-2"), false, 130, 0.25, 0},
      {"a multiplier that is no number: a quarter", Param("FINE_ADJUST_MULTIPLIER", "nan"), false, 130, 0.25, 0},
      {"an end angle that is no number counts as 0", Param("RADIAL_GESTURE_END_ANGLE", "nan"), false, 130, 0.25, 0},
      {"an end angle past a turn wraps", Param("RADIAL_GESTURE_END_ANGLE", "400"), true, 0, 0.25, 40},
  };
  for (const auto& c : cases) {
    Build(10, c.parameters);
    EXPECT_EQ(knob->IsRadial(), c.radial) << c.name;
    EXPECT_EQ(knob->GetLinearFullRange(), c.travel) << c.name;
    EXPECT_EQ(knob->GetFineAdjustMultiplier(), c.multiplier) << c.name;
    EXPECT_EQ(knob->GetEndAngle(), c.endAngle) << c.name;
    log->StopListening();
  }
}

TEST_F(KnobTest, ATinyTravelStillGivesFiniteValuesInRange) {
  Build(10, Param("LINEAR_GESTURE_FULL_RANGE", "1"));
  harness.application.keysDown[0x11] = true;
  harness.Drag(Centre(), FromCentre(3, -2), 3);
  harness.application.keysDown[0x11] = false;
  harness.Drag(Centre(), FromCentre(-1, 0), 1);
  EXPECT_TRUE(std::isfinite(knob->GetNormalizedValue()));
  EXPECT_GE(knob->GetNormalizedValue(), 0.0);
  EXPECT_LE(knob->GetNormalizedValue(), 1.0);
}

TEST_F(KnobTest, AValueSetFromOutsideDuringADragTakesEffectWhenTheDragEnds) {
  Build(64);
  harness.Press(Centre());
  harness.MoveTo(FromCentre(10, 0));
  const double dragged = knob->GetNormalizedValue();
  EXPECT_EQ(knob->SetNormalizedValue(0.75), dragged);
  EXPECT_EQ(knob->GetNormalizedValue(), dragged);
  harness.Release(FromCentre(10, 0));
  EXPECT_EQ(knob->GetNormalizedValue(), 0.75);
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_VALUE_CHANGE_CAPTURE true", "NID_VALUE_CHANGE_CAPTURE false"}));
}

TEST_F(KnobTest, ArrowKeysStepOneValueUnitBracketedByOneKeyDownAndTheKeyUp) {
  Build(64);
  knob->SetNormalizedValue(64.0 / 127);
  ASSERT_GE(knob->SetFocus(true), 0);
  const struct {
    uint32_t key;
    double units;
  } cases[] = {{VirtualKey::kUp, 1}, {VirtualKey::kRight, 1}, {VirtualKey::kDown, -1}, {VirtualKey::kLeft, -1}};
  for (const auto& c : cases) {
    log->lines.clear();
    const double before = knob->NormalizedToValue(knob->GetNormalizedValue());
    harness.KeyDown(c.key);
    harness.KeyDown(c.key, 0, true);
    harness.KeyUp(c.key);
    EXPECT_NEAR(knob->NormalizedToValue(knob->GetNormalizedValue()), before + 2 * c.units, 1e-9) << c.key;
    EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_VALUE_CHANGE_KEY_DOWN key", "NID_VALUE_CHANGE_KEY_UP key"}));
  }
}

TEST_F(KnobTest, LosingTheFocusDuringAKeyStepEndsTheSequenceWithoutAKey) {
  harness.Build(KnobControl() + R"(<SubControl Class="Framework.Knob" Name="other" XPositionAbs="200" XSizeAbs="40" YSizeAbs="40"><Skin Name="knob" LookList="Frames"/></SubControl>)",
                Resources(8));
  knob = harness.Find<LKnob>(u"knob");
  log = NotificationLog::Create();
  log->Listen(RCPtr<LNotificationDistributor>(knob.Get()), u"NID_VALUE_CHANGE_KEY_UP", DescribeWhetherPayload);
  ASSERT_GE(knob->SetFocus(true), 0);
  harness.KeyDown(VirtualKey::kUp);
  ASSERT_GE(harness.Find(u"other")->SetFocus(true), 0);
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_VALUE_CHANGE_KEY_UP none"}));
}

TEST_F(KnobTest, OtherKeysArePassedOn) {
  Build(8);
  ASSERT_GE(knob->SetFocus(true), 0);
  EXPECT_EQ(knob->HandleKey(MakeKeyParam(KeyCode(0x00410000u | KeyCode::kKeyDown, 0, 0), 1)), S_FALSE);
}

TEST_F(KnobTest, WheelNotchesStepOneValueUnit) {
  Build(64);
  knob->SetNormalizedValue(0.5);
  const struct {
    int32_t direction;
    double units;
  } cases[] = {{1, 1}, {0, -1}, {3, 1}, {2, -1}};
  for (const auto& c : cases) {
    const double before = knob->NormalizedToValue(knob->GetNormalizedValue());
    harness.Wheel(Centre(), c.direction);
    EXPECT_NEAR(knob->NormalizedToValue(knob->GetNormalizedValue()), before + c.units, 1e-9) << c.direction;
  }
}

TEST_F(KnobTest, RandomInputKeepsTheValueInRangeAndOneFrameShown) {
  for (const char* parameters : {"", "radial"}) {
    Build(16, std::string(parameters).empty() ? std::string()
                                               : Param("RADIAL_GESTURE_START_ANGLE", "200") +
                                                     Param("RADIAL_GESTURE_END_ANGLE", "160"));
    Testing::RandomInput input(harness, 1234);
    input.Run(RCPtr<LControl>(knob.Get()), 3000, [&] {
      const double value = knob->GetNormalizedValue();
      ASSERT_TRUE(std::isfinite(value) && value >= 0 && value <= 1) << input.LastEvent();
      ASSERT_GE(knob->GetIdleCount(), 0) << input.LastEvent();
      ASSERT_GE(knob->GetFirstVisibleLookIndex(), 0) << input.LastEvent();
      ASSERT_LT(knob->GetFirstVisibleLookIndex(), 16) << input.LastEvent();
    });
    log->StopListening();
  }
}

}  // namespace
}  // namespace SV
