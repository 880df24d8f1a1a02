#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "SVFramework/Controls/ProgressBar.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::WidgetHarness;

// A 200-pixel bar with its overlay and two labels.
constexpr const char* kProgressBar =
    R"(<SubControl Class="Framework.ProgressBar" Name="progress" XPositionAbs="10" YPositionAbs="10" XSizeAbs="200" YSizeAbs="20">
  <SubControl Class="Test.Window" Name="activeOverlay" XSizeAbs="5" YSizeToControl="Parent" YSizeRel="1" YSizeAbs="0"/>
  <SubControl Class="Framework.Label" Name="percentCompleteLabel" XSizeAbs="40" YSizeAbs="16"/>
  <SubControl Class="Framework.Label" Name="timeRemainingLabel" XPositionAbs="40" XSizeAbs="160" YSizeAbs="16"/>
</SubControl>)";

class ProgressBarTest : public ::testing::Test {
protected:
  void Build(int32_t language = 9, const std::string& strings = {}) {
    harness.language = language;
    harness.Build(kProgressBar, {}, strings);
    bar = harness.Find<LProgressBar>(u"progress");
    ASSERT_TRUE(bar);
    overlay = bar->FindChild(u"activeOverlay");
    percent = bar->FindChild(u"percentCompleteLabel");
    time = bar->FindChild(u"timeRemainingLabel");
  }
  std::string TimeText() const { return time->GetText().ToUTF8().GetString(); }

  WidgetHarness harness;
  RCPtr<LProgressBar> bar;
  RCPtr<LControl> overlay, percent, time;
};

TEST_F(ProgressBarTest, WritesTheRemainingTimeInWordsWithSingularOnlyForOne) {
  Build();
  EXPECT_FALSE(time->IsVisible(false));
  const struct {
    int32_t seconds;
    const char* text;
  } cases[] = {
      {3725, "1 Hour 2 Minutes 5 Seconds Remaining"}, {3600, "1 Hour 0 Minutes 0 Seconds Remaining"},
      {7322, "2 Hours 2 Minutes 2 Seconds Remaining"}, {61, "1 Minute 1 Second Remaining"},
      {120, "2 Minutes 0 Seconds Remaining"},          {59, "59 Seconds Remaining"},
      {1, "1 Second Remaining"},                       {0, "0 Seconds Remaining"},
      {-5, "0 Seconds Remaining"},
      {std::numeric_limits<int32_t>::max(), "596523 Hours 14 Minutes 7 Seconds Remaining"},
  };
  for (const auto& c : cases) {
    bar->SetTimeRemaining(c.seconds);
    EXPECT_EQ(TimeText(), c.text) << c.seconds;
    EXPECT_TRUE(time->IsVisible(false));
  }
}

TEST_F(ProgressBarTest, WritesTheRemainingTimeInTheLanguageOfTheStringTables) {
  Build(7, R"(<StringTable ID="PresetEditor|window"><String ID="LABEL"><Locale LCID="7">Fenster</Locale></String></StringTable>)");
  bar->SetTimeRemaining(3725);
  EXPECT_EQ(TimeText(), "1 Stunde 2 Minuten 5 Sekunden verbleibend");
  bar->SetTimeRemaining(61);
  EXPECT_EQ(TimeText(), "1 Minute 1 Sekunde verbleibend");
}

TEST_F(ProgressBarTest, SizesTheBarAndWritesTheWholePercentage) {
  Build();
  const struct {
    double value;
    bool shown;
    double width;
    const char* text;
  } cases[] = {{0.333, true, 67, "33"}, {0.001, false, 0, "0"}, {1, true, 200, "100"}, {0.5, true, 100, "50"}};
  for (const auto& c : cases) {
    bar->SetNormalizedValue(c.value);
    EXPECT_EQ(overlay->IsVisible(false), c.shown) << c.value;
    if (c.shown) {
      EXPECT_EQ(overlay->GetRect().width, c.width) << c.value;
    }
    EXPECT_EQ(std::string(percent->GetText().ToUTF8().GetString()), c.text) << c.value;
  }
  bar->SetNormalizedValue(bar->ValueToNormalized(25));
  EXPECT_EQ(std::string(percent->GetText().ToUTF8().GetString()), "25");
}

TEST_F(ProgressBarTest, EstimatesTheRemainingTimeFromTheAverageSpeedUntilTheEnd) {
  Build();
  bar->SetTimeEstimate(true);
  harness.Idle(10000);
  bar->SetNormalizedValue(0.25);
  EXPECT_EQ(TimeText(), "30 Seconds Remaining");
  bar->SetNormalizedValue(0.2);
  EXPECT_EQ(TimeText(), "30 Seconds Remaining");  // no progress past the reference point
  harness.Idle(20000);
  bar->SetNormalizedValue(0.5);
  EXPECT_EQ(TimeText(), "30 Seconds Remaining");
  harness.Idle(5000);
  bar->SetNormalizedValue(1);
  EXPECT_EQ(TimeText(), "0 Seconds Remaining");
  EXPECT_FALSE(bar->IsEstimating());
  EXPECT_TRUE(time->IsVisible(false));
}

TEST_F(ProgressBarTest, AChangeInTheSameInstantAsTheReferencePointLeavesTheTextAlone) {
  Build();
  bar->SetTimeRemaining(5);
  bar->SetTimeEstimate(true);
  bar->SetNormalizedValue(0.5);
  EXPECT_EQ(TimeText(), "5 Seconds Remaining");
}

TEST_F(ProgressBarTest, VerySlowProgressShowsTheLongestTimeRatherThanNone) {
  Build();
  bar->SetTimeEstimate(true);
  harness.Idle(100000);
  bar->SetNormalizedValue(1e-9);
  EXPECT_EQ(TimeText(), "596523 Hours 14 Minutes 7 Seconds Remaining");
}

TEST(ProgressBarSeconds, AreRoundedAndKeptWithinWhatTheLabelCanShow) {
  const struct {
    double seconds;
    int32_t expected;
  } cases[] = {{2.5, 3},
               {2.4, 2},
               {-5, 0},
               {1e11, std::numeric_limits<int32_t>::max()},
               {std::numeric_limits<double>::infinity(), std::numeric_limits<int32_t>::max()},
               {std::numeric_limits<double>::quiet_NaN(), 0}};
  for (const auto& c : cases) EXPECT_EQ(LProgressBar::ClampSeconds(c.seconds), c.expected) << c.seconds;
}

}  // namespace
}  // namespace SV
