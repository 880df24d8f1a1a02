#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "SVFramework/ControlBase/ValueParam.h"
#include "SVFramework/Controls/Slider.h"
#include "SVFramework/System/Keys/VirtualKeys.h"
#include "SVFramework/Utilities/Holder.h"
#include "tests/Support/Widgets/NotificationDescriptions.h"
#include "tests/Support/Widgets/NotificationLog.h"
#include "tests/Support/Widgets/RandomInput.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::NotificationLog;
using Testing::WidgetHarness;

struct Track {
  PointT<int32_t> start;
  PointT<int32_t> end;
};

// One slider 200 x 160 at (10, 10) in the window, markers 10 x 20 (buttons, as skins
// make them), and a button "other" that can take the focus.
std::string SliderSkin(Track track) {
  auto marker = [](const char* name, PointT<int32_t> at) {
    return std::string("<SubControl Class=\"Framework.Button\" Name=\"") + name + "\" XPositionAbs=\"" +
           std::to_string(at.x) + "\" YPositionAbs=\"" + std::to_string(at.y) +
           "\" XSizeAbs=\"10\" YSizeAbs=\"20\"><Skin Name=\"marker\" "
           "LookList=\"ButtonLooks\"/><CreateParamList><CreateParam "
           "ID=\"USE_PARENT_TOOLTIP\" Type=\"String\">true</CreateParam></CreateParamList></SubControl>";
  };
  // A look of the window's own, which a new skin keeps: children are hit through it.
  return "<Skin Name=\"window\" LookList=\"MarkerLooks\"/>"
         "<SubControl Class=\"Framework.Slider\" Name=\"slider\" TabStop=\"1\" XPositionAbs=\"10\" "
         "YPositionAbs=\"10\" XSizeAbs=\"200\" YSizeAbs=\"160\"><Skin Name=\"slider\" LookList=\"SliderLooks\"/>" +
         marker("thumbStart", track.start) + marker("thumbEnd", track.end) +
         "</SubControl><SubControl Class=\"Framework.Button\" Name=\"other\" TabStop=\"2\" XPositionAbs=\"400\" "
         "YPositionAbs=\"400\" XSizeAbs=\"10\" YSizeAbs=\"10\"><Skin Name=\"other\" "
         "LookList=\"MarkerLooks\"/></SubControl>";
}

std::string DescribeRoundedValue(const RCPtr<LNotification>& notification) {
  auto* value = dynamic_cast<LValueParam*>(notification->GetPayload().Get());
  return value ? std::to_string(static_cast<int>(std::lround(value->value))) : "?";
}

using Testing::DescribeFlag;

std::string DescribePresence(const RCPtr<LNotification>& notification) {
  return notification->GetPayload() ? "key" : "none";
}

// Opaque looks, so that presses hit the slider and its thumb: three for the slider
// (normal, containing the focus, disabled), one for the window, and the seven looks of
// a button that is off.
constexpr const char* kSliderLooks =
    R"(<Colorizers><Colorizer Name="Grey" ColorType="SolidFill" Color="FF808080"/></Colorizers>
<Parts><Part Name="Fill" Width="4" Height="4" ResizeType="Stretch" ColorizerName="Grey"/></Parts>
<Looks><Look Name="Fill"><ClientPart Name="Fill" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/></Look></Looks>
<LookLists>
  <LookList Name="SliderLooks" NumLooks="3"><Look Name="Fill" Index="0"/><Look Name="Fill" Index="1"/><Look Name="Fill" Index="2"/></LookList>
  <LookList Name="MarkerLooks" NumLooks="1"><Look Name="Fill" Index="0"/></LookList>
  <LookList Name="ButtonLooks" NumLooks="14"><Look Name="Fill" Index="0"/><Look Name="Fill" Index="1"/>
    <Look Name="Fill" Index="2"/><Look Name="Fill" Index="3"/><Look Name="Fill" Index="4"/><Look Name="Fill" Index="5"/>
    <Look Name="Fill" Index="6"/></LookList>
</LookLists>)";

const Track kHorizontal{{0, 0}, {190, 0}};

class SliderTest : public ::testing::Test {
 protected:
  void Build(Track track = kHorizontal) {
    harness.Build(SliderSkin(track), kSliderLooks);
    slider = harness.Find<LSlider>(u"slider");
    ASSERT_TRUE(slider);
    ASSERT_TRUE(slider->GetThumb());
    thumb = slider->GetThumb();
    log = NotificationLog::Create();
    const RCPtr<LNotificationDistributor> source(slider.Get());
    log->Listen(source, u"NID_VALUE_CHANGE", DescribeRoundedValue);
    log->Listen(source, u"NID_VALUE_CHANGE_CAPTURE", DescribeFlag);
    log->Listen(source, u"NID_VALUE_CHANGE_KEY_DOWN", DescribePresence);
    log->Listen(source, u"NID_VALUE_CHANGE_KEY_UP", DescribePresence);
  }
  void TearDown() override {
    if (log) log->StopListening();
  }

  PointT<int32_t> ThumbCorner() const {
    return {static_cast<int32_t>(thumb->GetRect().x), static_cast<int32_t>(thumb->GetRect().y)};
  }
  int32_t Value() const {
    return static_cast<int32_t>(std::lround(slider->NormalizedToValue(slider->GetNormalizedValue())));
  }
  // A point of the window at a slider-relative point.
  PointT<int32_t> OnSlider(PointT<int32_t> local) const { return harness.At(slider, local); }

  WidgetHarness harness;
  RCPtr<LSlider> slider;
  RCPtr<LControl> thumb;
  RCPtr<NotificationLog> log;
};

using Lines = std::vector<std::string>;

TEST_F(SliderTest, CreatesItsThumbFromTheStartMarkerAndHidesTheMarkers) {
  Build();
  EXPECT_EQ(thumb->GetName(), String(u"thumb"));
  EXPECT_TRUE(thumb->IsVisible(true));
  EXPECT_FALSE(harness.Find(u"thumbStart")->IsVisible(false));
  EXPECT_FALSE(harness.Find(u"thumbEnd")->IsVisible(false));
  EXPECT_EQ(thumb->GetRect(), (RectT<double>{0, 0, 10, 20}));
  EXPECT_EQ(slider->GetHotPointOffset(), (PointT<int32_t>{5, 10}));
  EXPECT_DOUBLE_EQ(slider->NormalizedToValue(1), 127);
}

TEST_F(SliderTest, KeepsAWorkingThumbAtItsValueWhenTheSkinIsAppliedAgain) {
  Build();
  slider->SetNormalizedValue(0.5);
  ASSERT_GE(harness.factory->ApplySkinToControl(harness.root), 0);
  ASSERT_EQ(slider->GetThumb().Get(), thumb.Get());
  EXPECT_EQ(thumb->GetParent(), slider.Get());
  EXPECT_TRUE(thumb->IsVisible(true));
  EXPECT_EQ(ThumbCorner(), (PointT<int32_t>{95, 0}));
  const PointT<int32_t> grab = harness.At(thumb);
  harness.Drag(grab, {grab.x + 40, grab.y});
  EXPECT_EQ(ThumbCorner(), (PointT<int32_t>{135, 0}));
  EXPECT_EQ(log->lines.back(), "NID_VALUE_CHANGE_CAPTURE false");
}

TEST(SliderWithoutMarkers, MakesNoThumbAndStillTakesWheelAndKeys) {
  WidgetHarness harness;
  harness.Build(
      "<SubControl Class=\"Framework.Slider\" Name=\"slider\" TabStop=\"1\" XSizeAbs=\"200\" YSizeAbs=\"20\">"
      "<Skin Name=\"slider\" LookList=\"SliderLooks\"/></SubControl>",
      kSliderLooks);
  const RCPtr<LSlider> slider = harness.Find<LSlider>(u"slider");
  ASSERT_TRUE(slider);
  EXPECT_FALSE(slider->GetThumb());
  harness.Press(harness.At(slider, {150, 10}));
  harness.RunFor(600);
  harness.Release(harness.At(slider, {150, 10}));
  EXPECT_EQ(slider->GetNormalizedValue(), 0.0);
  harness.Wheel(harness.At(slider), 1);
  ASSERT_GE(slider->SetFocus(true), 0);
  harness.Key(VirtualKey::kUp);
  EXPECT_DOUBLE_EQ(slider->GetNormalizedValue(), 2.0 / 127.0);
}

struct SliderPlacementCase {
  const char* track;
  Track ends;
  double value;
  PointT<int32_t> corner;
};

class SliderPlacement : public SliderTest, public ::testing::WithParamInterface<SliderPlacementCase> {};

TEST_P(SliderPlacement, PutsTheThumbAtTheValuesPointOfTheTrackRoundedHalfAwayFromZero) {
  Build(GetParam().ends);
  slider->SetNormalizedValue(GetParam().value);
  EXPECT_EQ(ThumbCorner(), GetParam().corner);
}

INSTANTIATE_TEST_SUITE_P(
    Tracks, SliderPlacement,
    ::testing::Values(SliderPlacementCase{"horizontal at 0", kHorizontal, 0.0, {0, 0}},
                      SliderPlacementCase{"horizontal at the end", kHorizontal, 1.0, {190, 0}},
                      SliderPlacementCase{"horizontal half pixel rounds up", kHorizontal, 0.25, {48, 0}},
                      SliderPlacementCase{"above the range clamps", kHorizontal, 1.5, {190, 0}},
                      SliderPlacementCase{"vertical", {{0, 0}, {0, 140}}, 0.25, {0, 35}},
                      SliderPlacementCase{"right to left", {{190, 0}, {0, 0}}, 0.25, {142, 0}},
                      SliderPlacementCase{"bottom to top", {{0, 140}, {0, 0}}, 0.75, {0, 35}},
                      SliderPlacementCase{"slanted", {{0, 0}, {100, 140}}, 0.5, {50, 70}},
                      SliderPlacementCase{"track of length zero", {{40, 30}, {40, 30}}, 0.7, {40, 30}}),
    [](const ::testing::TestParamInfo<SliderPlacementCase>& info) {
      std::string name = info.param.track;
      for (char& c : name)
        if (c == ' ') c = '_';
      return name;
    });

TEST_F(SliderTest, ATrackOfLengthZeroGivesTheFractionZeroAndKeepsTheValueFinite) {
  Build({{40, 30}, {40, 30}});
  EXPECT_EQ(slider->GetTrackFraction({100, 100}), 0.0);
  harness.Drag(harness.At(thumb), OnSlider({120, 90}));
  slider->StepTowards({150, 150});
  EXPECT_TRUE(std::isfinite(slider->GetNormalizedValue()));
  EXPECT_EQ(slider->GetNormalizedValue(), 0.0);
  EXPECT_EQ(ThumbCorner(), (PointT<int32_t>{40, 30}));
}

TEST_F(SliderTest, SettingTheValueItAlreadyHasAnnouncesNothing) {
  Build();
  slider->SetNormalizedValue(0.5);
  slider->SetNormalizedValue(0.5);
  slider->SetNormalizedValue(std::nan(""));
  slider->SetNormalizedValue(-3);
  EXPECT_EQ(log->lines, (Lines{"NID_VALUE_CHANGE 64", "NID_VALUE_CHANGE 0"}));
}

struct DragCase {
  const char* track;
  Track ends;
  PointT<int32_t> grab;  // slider point pressed on the thumb at value 0
  PointT<int32_t> to;    // slider point released
  PointT<int32_t> corner;
};

class SliderDrag : public SliderTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(SliderDrag, MovesTheThumbAlongTheTrackAndBracketsTheChangesWithCapture) {
  Build(GetParam().ends);
  harness.Drag(OnSlider(GetParam().grab), OnSlider(GetParam().to), 5);
  EXPECT_EQ(ThumbCorner(), GetParam().corner);
  ASSERT_GE(log->lines.size(), 3u);
  EXPECT_EQ(log->lines.front(), "NID_VALUE_CHANGE_CAPTURE true");
  EXPECT_EQ(log->lines.back(), "NID_VALUE_CHANGE_CAPTURE false");
  EXPECT_EQ(log->lines[log->lines.size() - 2], "NID_VALUE_CHANGE " + std::to_string(Value()));
  EXPECT_FALSE(slider->IsDragging());
}

INSTANTIATE_TEST_SUITE_P(
    Tracks, SliderDrag,
    ::testing::Values(
        DragCase{"horizontal ignores y", kHorizontal, {5, 10}, {100, 150}, {95, 0}},
        DragCase{"horizontal stops at the end", kHorizontal, {5, 10}, {199, 10}, {190, 0}},
        DragCase{"vertical ignores x", {{0, 0}, {0, 140}}, {3, 3}, {180, 73}, {0, 70}},
        DragCase{"slanted goes to the foot of the perpendicular", {{0, 0}, {100, 100}}, {0, 0}, {100, 0}, {50, 50}},
        DragCase{"slanted stays inside the track's box", {{0, 0}, {100, 100}}, {0, 0}, {190, 150}, {100, 100}}),
    [](const ::testing::TestParamInfo<DragCase>& info) {
      std::string name = info.param.track;
      for (char& c : name)
        if (c == ' ' || c == '\'') c = '_';
      return name;
    });

TEST_F(SliderTest, TheThumbKeepsItsPressedLookWhileDraggedWithThePointerOffIt) {
  Build();
  const PointT<int32_t> grab = harness.At(thumb);
  harness.Press(grab);
  harness.MoveTo({grab.x + 60, grab.y + 120});
  ASSERT_EQ(ThumbCorner(), (PointT<int32_t>{60, 0}));
  // Pressed, with the focus that the press gave the thumb.
  EXPECT_EQ(thumb->GetFirstVisibleLookIndex(), 5);
  harness.Release({grab.x + 60, grab.y + 120});
  EXPECT_EQ(thumb->GetFirstVisibleLookIndex(), 3);
}

TEST_F(SliderTest, AValueSetDuringADragWaitsForTheDragsEndJustBeforeCaptureFalse) {
  Build();
  const PointT<int32_t> grab = harness.At(thumb);
  harness.Press(grab);
  harness.MoveTo({grab.x + 40, grab.y});
  EXPECT_DOUBLE_EQ(slider->SetNormalizedValue(1.0), 40.0 / 190.0);
  EXPECT_EQ(ThumbCorner(), (PointT<int32_t>{40, 0}));
  log->lines.clear();
  harness.Release({grab.x + 40, grab.y});
  EXPECT_EQ(log->lines, (Lines{"NID_VALUE_CHANGE 127", "NID_VALUE_CHANGE_CAPTURE false"}));
  EXPECT_EQ(ThumbCorner(), (PointT<int32_t>{190, 0}));
}

TEST_F(SliderTest, AValueAboveTheRangeSetDuringADragIsAppliedClampedAtItsEnd) {
  Build();
  const PointT<int32_t> grab = harness.At(thumb);
  harness.Press(grab);
  harness.MoveTo({grab.x + 40, grab.y});
  slider->SetNormalizedValue(7.0);
  harness.Release({grab.x + 40, grab.y});
  EXPECT_EQ(slider->GetNormalizedValue(), 1.0);
}

// Presses on the track at a slider point and records the value after each idle pass
// that changed it, with the milliseconds since the press.
std::vector<std::pair<int, int>> HoldOnTrack(WidgetHarness& harness, PointT<int32_t> at, int milliseconds,
                                             const std::function<int()>& value) {
  std::vector<std::pair<int, int>> steps;
  harness.Press(at);
  int last = value();
  for (int elapsed = 10; elapsed <= milliseconds; elapsed += 10) {
    harness.Idle(10);
    if (value() != last) steps.emplace_back(elapsed, last = value());
  }
  return steps;
}

TEST_F(SliderTest, HoldingOnTheTrackStepsAfterThreeTenthsThenEveryTenthByAtMostAPageStep) {
  Build();
  const auto steps = HoldOnTrack(harness, OnSlider({185, 10}), 550, [this] { return Value(); });
  // 0.1 of 0..127 per step.
  EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{300, 13}, {400, 25}, {500, 38}}));
  EXPECT_TRUE(slider->IsTrackRepeating());
  EXPECT_EQ(slider->GetIdleCount(), 1);
  harness.Release(OnSlider({185, 10}));
  EXPECT_FALSE(slider->IsTrackRepeating());
  EXPECT_EQ(slider->GetIdleCount(), 0);
}

TEST_F(SliderTest, TrackStepsStopOnThePointerAndPauseWhileItIsOffTheSlider) {
  Build();
  // The hot point at x 5 + 38 stands for 38 / 190 = 0.2 of the track.
  const auto steps = HoldOnTrack(harness, OnSlider({43, 10}), 600, [this] { return Value(); });
  EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{300, 13}, {400, 25}}));
  harness.MoveTo(OnSlider({190, 300}));
  harness.RunFor(1000);
  EXPECT_EQ(Value(), 25);
}

TEST_F(SliderTest, AClickOnTheTrackMakesOneStepTowardsTheClick) {
  Build();
  slider->SetNormalizedValue(0.5);
  harness.Click(OnSlider({10, 10}));
  EXPECT_DOUBLE_EQ(slider->GetNormalizedValue(), 0.4);
  harness.Click(OnSlider({10, 10}));
  harness.Click(OnSlider({10, 10}));
  harness.Click(OnSlider({10, 10}));
  harness.Click(OnSlider({10, 10}));
  // Stops on the point (5 / 190 from the start), not beyond it.
  EXPECT_DOUBLE_EQ(slider->GetNormalizedValue(), 5.0 / 190.0);
  EXPECT_EQ(slider->GetIdleCount(), 0);
}

TEST_F(SliderTest, ATrackPressOnADisabledSliderDoesNotRepeat) {
  Build();
  slider->SetEnabled(false);
  harness.Press(OnSlider({185, 10}));
  harness.RunFor(500);
  EXPECT_FALSE(slider->IsTrackRepeating());
  EXPECT_EQ(slider->GetIdleCount(), 0);
  EXPECT_EQ(Value(), 0);
}

struct SliderKeyCase {
  uint32_t key;
  int delta;
};

class SliderKeys : public SliderTest, public ::testing::WithParamInterface<SliderKeyCase> {};

TEST_P(SliderKeys, AnArrowSequenceChangesByOneUnitPerPressAndRepeatInsideOneKeyDownKeyUpBracket) {
  Build();
  slider->SetNormalizedValue(64.0 / 127.0);
  ASSERT_GE(slider->SetFocus(true), 0);
  log->lines.clear();
  harness.KeyDown(GetParam().key);
  harness.KeyDown(GetParam().key, 0, true);
  harness.KeyDown(GetParam().key, 0, true);
  harness.KeyUp(GetParam().key);
  const std::string change = "NID_VALUE_CHANGE ";
  EXPECT_EQ(log->lines, (Lines{"NID_VALUE_CHANGE_KEY_DOWN key", change + std::to_string(64 + GetParam().delta),
                               change + std::to_string(64 + 2 * GetParam().delta),
                               change + std::to_string(64 + 3 * GetParam().delta), "NID_VALUE_CHANGE_KEY_UP key"}));
}

INSTANTIATE_TEST_SUITE_P(Arrows, SliderKeys,
                         ::testing::Values(SliderKeyCase{VirtualKey::kUp, 1}, SliderKeyCase{VirtualKey::kRight, 1},
                                           SliderKeyCase{VirtualKey::kDown, -1}, SliderKeyCase{VirtualKey::kLeft, -1}));

TEST_F(SliderTest, ArrowKeysThatTheFocusedThumbPassesOnMoveTheSlider) {
  Build();
  harness.Click(harness.At(thumb));
  ASSERT_TRUE(thumb->HasFocus());
  log->lines.clear();
  harness.Key(VirtualKey::kRight);
  EXPECT_EQ(log->lines, (Lines{"NID_VALUE_CHANGE_KEY_DOWN key", "NID_VALUE_CHANGE 1", "NID_VALUE_CHANGE_KEY_UP key"}));
}

TEST_F(SliderTest, LosingTheFocusDuringAKeySequenceEndsItWithoutAKey) {
  Build();
  ASSERT_GE(slider->SetFocus(true), 0);
  harness.KeyDown(VirtualKey::kUp);
  ASSERT_GE(harness.Find(u"other")->SetFocus(true), 0);
  ASSERT_FALSE(slider->ContainsFocus());
  EXPECT_EQ(log->lines.back(), "NID_VALUE_CHANGE_KEY_UP none");
  log->lines.clear();
  harness.KeyUp(VirtualKey::kUp);
  EXPECT_TRUE(log->lines.empty());
}

TEST_F(SliderTest, ShowsLookOneWhileItContainsTheFocusAndLookTwoWhileDisabled) {
  Build();
  ASSERT_GE(slider->SetFocus(true), 0);
  EXPECT_EQ(slider->GetFirstVisibleLookIndex(), 1);
  slider->SetEnabled(false);
  EXPECT_EQ(slider->GetFirstVisibleLookIndex(), 2);
  ASSERT_GE(harness.Find(u"other")->SetFocus(true), 0);
  slider->SetEnabled(true);
  EXPECT_EQ(slider->GetFirstVisibleLookIndex(), 0);
}

struct SliderWheelCase {
  int32_t direction;
  int value;
};

class SliderWheel : public SliderTest, public ::testing::WithParamInterface<SliderWheelCase> {};

TEST_P(SliderWheel, OneNotchChangesTheValueByOneUnitUpAndRightRaiseDownAndLeftLower) {
  Build();
  slider->SetNormalizedValue(64.0 / 127.0);
  harness.Wheel(OnSlider({100, 100}), GetParam().direction);
  EXPECT_EQ(Value(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Directions, SliderWheel,
                         ::testing::Values(SliderWheelCase{0, 63}, SliderWheelCase{1, 65}, SliderWheelCase{2, 63},
                                           SliderWheelCase{3, 65}));

TEST_F(SliderTest, OnALogarithmicRangeAWheelNotchIsOneUnitSoASmallerFractionNearTheTop) {
  Build();
  ASSERT_GE(slider->SetValueRange(1, 1000, 1), 0);
  slider->SetNormalizedValue(slider->ValueToNormalized(10));
  harness.Wheel(OnSlider({100, 100}), 1);
  const double nearBottom = slider->GetNormalizedValue() - slider->ValueToNormalized(10);
  EXPECT_NEAR(slider->NormalizedToValue(slider->GetNormalizedValue()), 11, 1e-9);
  slider->SetNormalizedValue(slider->ValueToNormalized(900));
  harness.Wheel(OnSlider({100, 100}), 1);
  EXPECT_NEAR(slider->NormalizedToValue(slider->GetNormalizedValue()), 901, 1e-9);
  EXPECT_LT(slider->GetNormalizedValue() - slider->ValueToNormalized(900), nearBottom);
}

// Random input over a slanted slider, with odd values set from outside now and then
// (also in the middle of drags): the value stays finite in [0, 1], the idle count never
// goes below 0 and the thumb stays inside the box spanned by the track's ends.
TEST_F(SliderTest, RandomInputKeepsTheValueInRangeTheThumbOnItsBoxAndTheIdleCountSound) {
  Build({{20, 10}, {170, 130}});
  Testing::RandomInput input(harness, 20261211);
  auto check = [&] {
    const double value = slider->GetNormalizedValue();
    ASSERT_TRUE(std::isfinite(value) && value >= 0 && value <= 1) << input.LastEvent();
    ASSERT_GE(slider->GetIdleCount(), 0) << input.LastEvent();
    const PointT<int32_t> corner = ThumbCorner();
    ASSERT_TRUE(corner.x >= 20 && corner.x <= 170 && corner.y >= 10 && corner.y <= 130) << input.LastEvent();
  };
  const double outside[] = {std::nan(""), 7.0, -3.0, 0.25, std::numeric_limits<double>::infinity()};
  for (const double value : outside) {
    input.Run(slider, 600, check);
    slider->SetNormalizedValue(value);
    check();
  }
}

}  // namespace
}  // namespace SV
