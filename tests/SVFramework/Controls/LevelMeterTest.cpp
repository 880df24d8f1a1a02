#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "SVFramework/Controls/LevelMeter.h"
#include "tests/Support/Widgets/NotificationLog.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::NotificationLog;
using Testing::WidgetHarness;

// A meter of the given size with its bar, peak marker and placeholder (at 10 and 90
// on a horizontal meter, 90 and 10 on a vertical one) and its clip light.
std::string Meter(int width, int height, bool clipButton = true) {
  const bool vertical = height > width;
  const std::string low = vertical ? "YPositionAbs=\"90\"" : "XPositionAbs=\"10\"";
  const std::string high = vertical ? "YPositionAbs=\"10\"" : "XPositionAbs=\"90\"";
  return R"(<SubControl Class="Framework.LevelMeter" Name="meter" XPositionAbs="50" YPositionAbs="50" XSizeAbs=")" +
         std::to_string(width) + "\" YSizeAbs=\"" + std::to_string(height) + "\">" +
         R"(<Skin Name="meter" LookList="Clear"/><SubControl Class="Test.Window" Name="activeOverlay" XSizeAbs="5" YSizeAbs="5"/>
<SubControl Class="Test.Window" Name="peakLo" )" + low + R"( XSizeAbs="2" YSizeAbs="2"/>
<SubControl Class="Test.Window" Name="peakHi" )" + high + R"( XSizeAbs="2" YSizeAbs="2"/>)" +
         (clipButton ? R"(<SubControl Class="Test.Window" Name="clipButton" XPositionToControl="Parent" XPositionRel="1" XPositionAbs="-8" YPositionAbs="0" XSizeAbs="8" YSizeAbs="8"><Skin Name="s" LookList="Solid"/></SubControl>)" : "") +
         "</SubControl>";
}

class LevelMeterTest : public ::testing::Test {
protected:
  void Build(int width, int height, bool clipButton = true) {
    harness.Build(Meter(width, height, clipButton), WidgetHarness::kSolidLook);
    meter = RCPtr<LLevelMeter>(dynamic_cast<LLevelMeter*>(harness.root->FindChild(u"meter").Get()));
    ASSERT_TRUE(meter);
    overlay = meter->FindChild(u"activeOverlay");
    marker = meter->FindChild(u"peakLo");
    clip = meter->FindChild(u"clipButton");
  }
  double BarLength() const { return meter->IsVertical() ? overlay->GetRect().height : overlay->GetRect().width; }

  WidgetHarness harness;
  RCPtr<LLevelMeter> meter;
  RCPtr<LControl> overlay, marker, clip;
};

TEST_F(LevelMeterTest, StartsWithEveryPartHiddenAndTakesNoFocus) {
  Build(100, 20);
  EXPECT_FALSE(overlay->IsVisible(false));
  EXPECT_FALSE(marker->IsVisible(false));
  EXPECT_FALSE(meter->FindChild(u"peakHi")->IsVisible(false));
  EXPECT_TRUE(meter->IsNotFocusable());
  EXPECT_TRUE(clip->IsNotFocusable());
}

TEST_F(LevelMeterTest, TheBarCoversTheShareUpToTheLevelAcrossAndAboveItUpright) {
  const struct {
    int width, height;
    double level;
    bool shown;
    double length;
    double storedValue;
  } cases[] = {
      {20, 100, 0.25, true, 75, 0.25},  {20, 100, 1.0, false, 0, 1.0},  {100, 20, 0.25, true, 25, 0.25},
      {100, 20, 0.0, false, 0, 0.0},    {100, 20, 1.3, true, 130, 1.0}, {50, 50, 0.5, true, 25, 0.5},
      {100, 20, 0.004, false, 0, 0.004}, {100, 20, 0.005, true, 1, 0.005},
  };
  for (const auto& c : cases) {
    Build(c.width, c.height);
    meter->SetLevel(c.level, 0);
    EXPECT_EQ(meter->IsVertical(), c.height > c.width);
    EXPECT_EQ(overlay->IsVisible(false), c.shown) << c.width << "x" << c.height << " at " << c.level;
    if (c.shown) {
      EXPECT_EQ(BarLength(), c.length) << c.width << "x" << c.height << " at " << c.level;
    }
    EXPECT_DOUBLE_EQ(meter->GetNormalizedValue(), c.storedValue);
  }
}

TEST_F(LevelMeterTest, ThePeakMarkerStandsBetweenItsTwoSkinPlacesByThePeak) {
  const struct {
    int width, height;
    double peak;
    bool shown;
    double position;
  } cases[] = {
      {100, 20, 0.5, true, 40}, {100, 20, 1.0, true, 80}, {100, 20, 0.0, false, 0},
      {20, 100, 0.5, true, -40}, {100, 20, std::numeric_limits<double>::quiet_NaN(), false, 0},
  };
  for (const auto& c : cases) {
    Build(c.width, c.height);
    meter->SetLevel(0.5, c.peak);
    EXPECT_EQ(marker->IsVisible(false), c.shown) << c.peak;
    if (c.shown) {
      EXPECT_EQ(marker->GetLayout()->Placement[c.height > c.width ? 1 : 0].abs, c.position) << c.peak;
    }
  }
}

TEST_F(LevelMeterTest, WithoutThePlaceholderThePeakIsIgnored) {
  harness.Build(R"(<SubControl Class="Framework.LevelMeter" Name="meter" XSizeAbs="100" YSizeAbs="20">
<SubControl Class="Test.Window" Name="activeOverlay" XSizeAbs="5" YSizeAbs="5"/>
<SubControl Class="Test.Window" Name="peakLo" XPositionAbs="10" XSizeAbs="2" YSizeAbs="2"/></SubControl>)");
  const RCPtr<LLevelMeter> lone = harness.Find<LLevelMeter>(u"meter");
  lone->SetLevel(0.5, 0.7);
  EXPECT_FALSE(lone->FindChild(u"peakLo")->IsVisible(false));
  EXPECT_EQ(lone->SetClipLatch(true), E_FAIL);
  EXPECT_FALSE(lone->IsClipLit());
}

TEST_F(LevelMeterTest, TheClipLightShowsAChangedCountOnceOrUntilClickedWhenLatched) {
  Build(100, 20);
  meter->SetLevelAndClip(0.5, 0, 0);
  EXPECT_FALSE(meter->IsClipLit());
  meter->SetLevelAndClip(0.5, 0, 1);
  EXPECT_TRUE(meter->IsClipLit());
  meter->SetLevelAndClip(0.4, 0, 1);
  EXPECT_FALSE(meter->IsClipLit());

  ASSERT_EQ(meter->SetClipLatch(true), S_OK);
  const RCPtr<NotificationLog> log = NotificationLog::Create();
  log->Listen(RCPtr<LNotificationDistributor>(meter.Get()), u"NID_CLIPLIGHT_UNLATCHED");
  meter->SetLevelAndClip(0.5, 0, 2);
  meter->SetLevelAndClip(0.3, 0, 2);
  meter->SetLevel(0.2, 0);
  EXPECT_TRUE(meter->IsClipLit());
  harness.Click(harness.At(clip));
  EXPECT_FALSE(meter->IsClipLit());
  harness.Click(harness.At(clip));
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_CLIPLIGHT_UNLATCHED"}));

  meter->SetLevelAndClip(0.5, 0, 3);
  ASSERT_EQ(meter->SetClipLatch(false), S_OK);
  EXPECT_FALSE(meter->IsClipLit());
  meter->SetLevelAndClip(0.5, 0, 4);
  harness.Click(harness.At(clip));
  EXPECT_TRUE(meter->IsClipLit());
  EXPECT_EQ(log->lines.size(), 1u);
  log->StopListening();
}

TEST_F(LevelMeterTest, TheOwnValueDrawsTheLevelAndAnUnchangedLevelAnnouncesNothing) {
  Build(100, 20);
  const RCPtr<NotificationLog> log = NotificationLog::Create();
  log->Listen(RCPtr<LNotificationDistributor>(meter.Get()), u"NID_VALUE_CHANGE");
  meter->SetLevel(0.6, 0.9);
  meter->SetLevel(0.6, 0.3);
  EXPECT_EQ(log->lines.size(), 1u);
  meter->SetNormalizedValue(0.25);
  EXPECT_EQ(BarLength(), 25);
  EXPECT_FALSE(marker->IsVisible(false));
  meter->SetNormalizedValue(0.25);
  EXPECT_EQ(log->lines.size(), 2u);
  log->StopListening();
}

TEST_F(LevelMeterTest, LevelsThatAreNoNumberHideTheBarAndLeaveTheValueInRange) {
  Build(100, 20);
  const double levels[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(), -3};
  for (const double level : levels) {
    meter->SetLevel(0.5, 0);
    meter->SetLevel(level, 0);
    EXPECT_FALSE(overlay->IsVisible(false)) << level;
    EXPECT_TRUE(std::isfinite(meter->GetNormalizedValue())) << level;
    EXPECT_GE(meter->GetNormalizedValue(), 0.0);
    EXPECT_LE(meter->GetNormalizedValue(), 1.0);
  }
}

}  // namespace
}  // namespace SV
