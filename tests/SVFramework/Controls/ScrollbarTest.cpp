#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/Controls/Button.h"
#include "SVFramework/Controls/Scrollbar.h"
#include "SVFramework/System/Keys/KeyCode.h"
#include "tests/SVFramework/Controls/ScrollFamilySkin.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::WidgetHarness;

// A vertical bar 16 x 200 at (0, 0): arrows 16 high at both ends, a channel of 168
// between them holding a thumb 16 x 20. A horizontal bar 200 x 16 at (100, 0) likewise.
constexpr const char* kBars = R"(
  <SubControl Class="Framework.ScrollBar" Name="vertical" XSizeAbs="16" YSizeAbs="200">
    <Skin Name="s" LookList="Solid"/>
    <SubControl Class="Framework.Button" Name="dec" XSizeAbs="16" YSizeAbs="16"><Skin Name="s" LookList="Solid"/></SubControl>
    <SubControl Class="Framework.Button" Name="inc" YPositionAbs="184" XSizeAbs="16" YSizeAbs="16"><Skin Name="s" LookList="Solid"/></SubControl>
    <SubControl Class="Framework.ScrollChannel" Name="channel" YPositionAbs="16" XSizeAbs="16" YSizeAbs="168">
      <Skin Name="c" LookList="Channel"/>
      <SubControl Class="Framework.Button" Name="thumb" XSizeAbs="16" YSizeAbs="20"><Skin Name="s" LookList="Solid"/></SubControl>
    </SubControl>
  </SubControl>
  <SubControl Class="Framework.ScrollBar" Name="horizontal" XPositionAbs="100" XSizeAbs="200" YSizeAbs="16">
    <Skin Name="s" LookList="Solid"/>
    <SubControl Class="Framework.Button" Name="dec" XSizeAbs="16" YSizeAbs="16"><Skin Name="s" LookList="Solid"/></SubControl>
    <SubControl Class="Framework.Button" Name="inc" XPositionAbs="184" XSizeAbs="16" YSizeAbs="16"><Skin Name="s" LookList="Solid"/></SubControl>
    <SubControl Class="Framework.ScrollChannel" Name="channel" XPositionAbs="16" XSizeAbs="168" YSizeAbs="16">
      <Skin Name="c" LookList="Channel"/>
      <SubControl Class="Framework.Button" Name="thumb" XSizeAbs="20" YSizeAbs="16"><Skin Name="s" LookList="Solid"/></SubControl>
    </SubControl>
  </SubControl>)";

class ScrollbarTest : public ::testing::Test {
protected:
  void SetUp() override {
    harness.windowSkin = Testing::kSolid;
    harness.Build(kBars, Testing::kSolidLooks);
    vertical = harness.Find<LScrollbar>(u"vertical");
    horizontal = harness.Find<LScrollbar>(u"horizontal");
    ASSERT_TRUE(vertical && horizontal);
    ASSERT_TRUE(vertical->GetThumb());
  }
  RCPtr<LControl> Part(const RCPtr<LScrollbar>& bar, const char16_t* name) const { return bar->FindChild(name); }
  double ThumbTop() const { return vertical->GetThumb()->GetRect().y; }
  // The window point of a pixel of the vertical bar's channel.
  PointT<int32_t> InChannel(int32_t y) const { return harness.At(Part(vertical, u"channel"), {8, y}); }
  // Offers a key to the bar as its parent does; true when the bar took it.
  static bool OfferKey(const RCPtr<LScrollbar>& bar, uint32_t code) {
    const RCPtr<LSiblingKeyParam> offer = MakeSiblingKeyParam(KeyCode(code, 0, 0), nullptr);
    DeliverNotification(bar.Get(), u"NID_SIBLING_KEY", RCPtr<LRefCountedObject>(offer.Get()));
    return offer->result == 0;
  }

  WidgetHarness harness{{400, 400}};
  RCPtr<LScrollbar> vertical, horizontal;
};

TEST_F(ScrollbarTest, TakesItsOrientationFromWhereItsIncreaseArrowLies) {
  EXPECT_TRUE(vertical->IsVertical());
  EXPECT_FALSE(horizontal->IsVertical());
  EXPECT_EQ(vertical->GetTrackEnd(), 168);
  EXPECT_EQ(horizontal->GetTrackEnd(), 168);
}

TEST_F(ScrollbarTest, TheBarAndItsPartsNeverTakeTheFocus) {
  for (const char16_t* name : {u"dec", u"inc", u"channel"}) EXPECT_FALSE(Part(vertical, name)->IsFocusable());
  EXPECT_FALSE(vertical->GetThumb()->IsFocusable());
  EXPECT_FALSE(vertical->IsFocusable());
}

struct ThumbCase {
  double proportion;
  double length;
};

TEST_F(ScrollbarTest, TheThumbIsItsShareOfTheTrackButNeverShorterThanItIsThick) {
  const ThumbCase cases[] = {{0.05, 16}, {0.5, 84}, {1, 168}, {0, 16}};
  for (const ThumbCase& c : cases) {
    vertical->SetThumbProportion(c.proportion);
    vertical->UpdateThumb();
    EXPECT_EQ(vertical->GetThumbLength(), c.length) << c.proportion;
    EXPECT_EQ(vertical->GetThumb()->GetRect().height, c.length) << c.proportion;
  }
}

TEST_F(ScrollbarTest, TheThumbStandsAtItsValuesShareOfTheTravel) {
  vertical->SetThumbProportion(0.25);  // 42 long, 126 of travel
  vertical->UpdateThumb();
  vertical->SetNormalizedValue(1);
  EXPECT_EQ(ThumbTop(), 126);
  vertical->SetNormalizedValue(0.5);
  EXPECT_EQ(ThumbTop(), 63);
  vertical->SetNormalizedValue(-3);
  EXPECT_EQ(ThumbTop(), 0);
  EXPECT_EQ(vertical->GetNormalizedValue(), 0);
}

TEST_F(ScrollbarTest, ChangingTheRangeKeepsTheValueClippedToTheNewRange) {
  vertical->SetValueRange(0, 200, 0);
  vertical->SetNormalizedValue(0.5);  // 100
  vertical->SetValueRange(0, 400, 0);
  EXPECT_DOUBLE_EQ(vertical->GetNormalizedValue(), 0.25);
  vertical->SetValueRange(0, 50, 0);
  EXPECT_DOUBLE_EQ(vertical->GetNormalizedValue(), 1);
  EXPECT_EQ(vertical->SetValueRange(-1, 10, 1), E_INVALIDARG);
  EXPECT_DOUBLE_EQ(vertical->NormalizedToValue(1), 50);
  vertical->SetValueRange(0, 0, 0);
  EXPECT_EQ(vertical->GetNormalizedValue(), 0);
}

struct ScrollbarKeyCase {
  const char* key;
  uint32_t code;
  bool vertical;  // which bar
  double expected;  // from 0.5, line step 0.02, page step 0.2; -1: not taken
};

TEST_F(ScrollbarTest, ArrowPageHomeAndEndKeysMoveABarOfTheirOrientation) {
  const ScrollbarKeyCase cases[] = {
      {"Up", 0x20260000u, true, 0.48},       {"Down", 0x20280000u, true, 0.52},
      {"Page Up", 0x20210000u, true, 0.3},   {"Page Down", 0x20220000u, true, 0.7},
      {"Home", 0x20240000u, true, 0},        {"End", 0x20230000u, true, 1},
      {"Left", 0x20250000u, false, 0.48},    {"Right", 0x20270000u, false, 0.52},
      {"Home", 0x20240000u, false, 0},       {"End", 0x20230000u, false, 1},
      {"Up", 0x20260000u, false, -1},        {"Down", 0x20280000u, false, -1},
      {"Page Down", 0x20220000u, false, -1}, {"Left", 0x20250000u, true, -1},
      {"Right", 0x20270000u, true, -1},      {"Down released", 0x00280000u, true, -1},
      {"Ctrl+Down", 0x21280000u, true, -1},
  };
  for (const ScrollbarKeyCase& c : cases) {
    const RCPtr<LScrollbar>& bar = c.vertical ? vertical : horizontal;
    bar->SetNormalizedValue(0.5);
    EXPECT_EQ(OfferKey(bar, c.code), c.expected >= 0) << c.key;
    EXPECT_DOUBLE_EQ(bar->GetNormalizedValue(), c.expected >= 0 ? c.expected : 0.5)
        << c.key << (c.vertical ? " on the vertical bar" : " on the horizontal bar");
  }
}

TEST_F(ScrollbarTest, AKeyMaskLimitsTheKeysAndAHiddenBarTakesNone) {
  EXPECT_EQ(vertical->SetKeyMask(0x100), E_INVALIDARG);
  EXPECT_EQ(vertical->SetKeyMask(LScrollbar::kKeyHome), S_OK);
  EXPECT_FALSE(OfferKey(vertical, 0x20280000u));
  EXPECT_TRUE(OfferKey(vertical, 0x20240000u));
  vertical->SetKeyMask(0xff);
  vertical->SetVisible(false);
  vertical->SetNormalizedValue(0.5);
  EXPECT_FALSE(OfferKey(vertical, 0x20280000u));
  EXPECT_EQ(vertical->GetNormalizedValue(), 0.5);
}

TEST_F(ScrollbarTest, DraggingTheThumbSetsTheValueLiveAndStopsAtTheTrackEnds) {
  vertical->SetThumbProportion(0.25);  // 42 long, 126 of travel
  vertical->UpdateThumb();
  const PointT<int32_t> grab = harness.At(RCPtr<LControl>(vertical->GetThumb().Get()), {8, 5});
  harness.Press(grab);
  harness.MoveTo({grab.x, grab.y + 30});
  harness.MoveTo({grab.x, grab.y + 63});
  EXPECT_TRUE(vertical->IsDragging());
  EXPECT_DOUBLE_EQ(vertical->GetNormalizedValue(), 0.5);
  EXPECT_EQ(ThumbTop(), 63);
  harness.MoveTo({grab.x, grab.y + 500});
  EXPECT_EQ(vertical->GetNormalizedValue(), 1);
  EXPECT_EQ(ThumbTop(), 126);
  harness.MoveTo({grab.x, grab.y - 500});
  EXPECT_EQ(vertical->GetNormalizedValue(), 0);
  harness.Release({grab.x, grab.y - 500});
  EXPECT_FALSE(vertical->IsDragging());
}

TEST_F(ScrollbarTest, AValueSetDuringADragWaitsForTheDragToEnd) {
  vertical->SetThumbProportion(0.25);  // 42 long, 126 of travel
  vertical->UpdateThumb();
  const PointT<int32_t> grab = harness.At(RCPtr<LControl>(vertical->GetThumb().Get()), {8, 5});
  harness.Press(grab);
  harness.MoveTo({grab.x, grab.y + 63});
  ASSERT_TRUE(vertical->IsDragging());
  EXPECT_DOUBLE_EQ(vertical->SetNormalizedValue(0.9), 0.5);
  EXPECT_EQ(ThumbTop(), 63);
  harness.Release({grab.x, grab.y + 63});
  EXPECT_DOUBLE_EQ(vertical->GetNormalizedValue(), 0.9);
  EXPECT_EQ(ThumbTop(), 113);
}

TEST_F(ScrollbarTest, HoldingTheChannelPagesAtOnceAfterFourTenthsAndThenEveryTwoTenthsUntilTheThumbArrives) {
  vertical->SetPageStep(0.1);  // 14.8 px of travel a page
  harness.Press(InChannel(120));
  EXPECT_DOUBLE_EQ(vertical->GetNormalizedValue(), 0.1);
  EXPECT_EQ(vertical->GetChannelZone(), LScrollbar::kZoneAfter);
  EXPECT_EQ(vertical->GetIdleCount(), 1);
  harness.RunFor(390);
  EXPECT_DOUBLE_EQ(vertical->GetNormalizedValue(), 0.1);
  harness.RunFor(10);
  EXPECT_DOUBLE_EQ(vertical->GetNormalizedValue(), 0.2);
  harness.RunFor(200);
  EXPECT_DOUBLE_EQ(vertical->GetNormalizedValue(), 0.3);
  harness.RunFor(2000);  // the thumb passes the pointer at 120: paging stops there
  EXPECT_LE(ThumbTop(), 120);
  EXPECT_GE(ThumbTop() + vertical->GetThumbLength(), 120 - 15);
  const double stopped = vertical->GetNormalizedValue();
  harness.RunFor(1000);
  EXPECT_DOUBLE_EQ(vertical->GetNormalizedValue(), stopped);
  harness.Release(InChannel(120));
  EXPECT_EQ(vertical->GetChannelZone(), LScrollbar::kZoneNone);
  EXPECT_EQ(vertical->GetIdleCount(), 0);
}

TEST_F(ScrollbarTest, ChannelPagingPausesWhileThePointerIsOutsideAndShowsThePressedPart) {
  vertical->SetNormalizedValue(1);
  vertical->SetPageStep(0.1);
  const RCPtr<LControl> channel = Part(vertical, u"channel");
  harness.Press(InChannel(10));
  EXPECT_DOUBLE_EQ(vertical->GetNormalizedValue(), 0.9);
  EXPECT_EQ(channel->GetLookWeight(1), 1.0f);
  harness.MoveTo({300, 300});
  EXPECT_EQ(channel->GetLookWeight(1), 0.0f);
  harness.RunFor(1000);
  EXPECT_DOUBLE_EQ(vertical->GetNormalizedValue(), 0.9);
  harness.MoveTo(InChannel(10));
  harness.RunFor(390);
  EXPECT_DOUBLE_EQ(vertical->GetNormalizedValue(), 0.9) << "time outside does not count";
  harness.RunFor(10);
  EXPECT_DOUBLE_EQ(vertical->GetNormalizedValue(), 0.8);
  harness.Release(InChannel(10));
  EXPECT_EQ(channel->GetLookWeight(1), 0.0f);
  EXPECT_EQ(channel->GetLookWeight(0), 1.0f);
}

TEST_F(ScrollbarTest, HoldingAnArrowStepsAtOnceAfterThreeTenthsAndThenEveryTenth) {
  const PointT<int32_t> inc = harness.At(Part(vertical, u"inc"));
  harness.Press(inc);
  EXPECT_DOUBLE_EQ(vertical->GetNormalizedValue(), 0.02);
  harness.RunFor(300);
  EXPECT_DOUBLE_EQ(vertical->GetNormalizedValue(), 0.04);
  harness.RunFor(100);
  EXPECT_DOUBLE_EQ(vertical->GetNormalizedValue(), 0.06);
  harness.Release(inc);
  harness.RunFor(500);
  EXPECT_DOUBLE_EQ(vertical->GetNormalizedValue(), 0.06);
  harness.Click(harness.At(Part(vertical, u"dec")));
  EXPECT_DOUBLE_EQ(vertical->GetNormalizedValue(), 0.04);
}

TEST_F(ScrollbarTest, AThumbThatFillsTheTrackGivesAValueOfZeroNotANumber) {
  vertical->SetThumbProportion(1);
  vertical->UpdateThumb();
  const PointT<int32_t> grab = harness.At(RCPtr<LControl>(vertical->GetThumb().Get()), {8, 5});
  harness.Drag(grab, {grab.x, grab.y + 40});
  EXPECT_EQ(vertical->GetNormalizedValue(), 0);
  vertical->SetNormalizedValue(std::nan(""));
  EXPECT_EQ(vertical->GetNormalizedValue(), 0);
  EXPECT_TRUE(std::isfinite(ThumbTop()));
}

}  // namespace
}  // namespace SV
