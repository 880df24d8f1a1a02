#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "SVFramework/Controls/Panel.h"
#include "SVFramework/Controls/Scrollbar.h"
#include "tests/SVFramework/Controls/ScrollFamilySkin.h"
#include "tests/Support/Widgets/RandomInput.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::WidgetHarness;

// A 300 x 300 panel with complete bars (arrows, channel and thumb) docked to its right
// and bottom edges, and a focusable child to take keys.
constexpr const char* kScrolledPanel = R"(
<SubControl Class="Framework.Panel" Name="view" XPositionAbs="20" YPositionAbs="20" XSizeAbs="300" YSizeAbs="300">
  <Skin Name="s" LookList="Solid"/>
  <SubControl Class="Framework.Panel" Name="content" XSizeAbs="40" YSizeAbs="40"><Skin Name="s" LookList="Solid"/></SubControl>
  <SubControl Class="Framework.ScrollBar" Name="vBar" XIsDocked="True" YIsDocked="True" XPositionToControl="Parent"
              XPositionRel="1" XPlacementAnchor="1" XSizeAbs="16" YSizeToControl="Parent" YSizeRel="1" YSizeAbs="-16">
    <Skin Name="s" LookList="Solid"/>
    <SubControl Class="Framework.Button" Name="dec" XSizeAbs="16" YSizeAbs="16"><Skin Name="s" LookList="Solid"/></SubControl>
    <SubControl Class="Framework.Button" Name="inc" YPositionToControl="Parent" YPositionRel="1" YPlacementAnchor="1"
                XSizeAbs="16" YSizeAbs="16"><Skin Name="s" LookList="Solid"/></SubControl>
    <SubControl Class="Framework.ScrollChannel" Name="channel" YPositionAbs="16" XSizeAbs="16" YSizeToControl="Parent"
                YSizeRel="1" YSizeAbs="-32"><Skin Name="c" LookList="Channel"/>
      <SubControl Class="Framework.Button" Name="thumb" XSizeAbs="16" YSizeAbs="16"><Skin Name="s" LookList="Solid"/></SubControl>
    </SubControl>
  </SubControl>
  <SubControl Class="Framework.ScrollBar" Name="hBar" XIsDocked="True" YIsDocked="True" YPositionToControl="Parent"
              YPositionRel="1" YPlacementAnchor="1" YSizeAbs="16" XSizeToControl="Parent" XSizeRel="1" XSizeAbs="-16">
    <Skin Name="s" LookList="Solid"/>
    <SubControl Class="Framework.Button" Name="dec" XSizeAbs="16" YSizeAbs="16"><Skin Name="s" LookList="Solid"/></SubControl>
    <SubControl Class="Framework.Button" Name="inc" XPositionToControl="Parent" XPositionRel="1" XPlacementAnchor="1"
                XSizeAbs="16" YSizeAbs="16"><Skin Name="s" LookList="Solid"/></SubControl>
    <SubControl Class="Framework.ScrollChannel" Name="channel" XPositionAbs="16" YSizeAbs="16" XSizeToControl="Parent"
                XSizeRel="1" XSizeAbs="-32"><Skin Name="c" LookList="Channel"/>
      <SubControl Class="Framework.Button" Name="thumb" XSizeAbs="16" YSizeAbs="16"><Skin Name="s" LookList="Solid"/></SubControl>
    </SubControl>
  </SubControl>
</SubControl>)";

struct ViewKind {
  const char* name;
  PointT<double> extent;
  int32_t lineSize;  // 0: pixel mode
  uint32_t seed;
};

class ScrollViewRandomInputTest : public ::testing::TestWithParam<ViewKind> {};

void ExpectBarSound(const RCPtr<LScrollbar>& bar, const std::string& event) {
  const double value = bar->GetNormalizedValue();
  ASSERT_TRUE(std::isfinite(value) && value >= 0.0 && value <= 1.0) << event;
  ASSERT_TRUE(std::isfinite(bar->GetThumbLength())) << event;
  ASSERT_GE(bar->GetIdleCount(), 0) << event;
  ASSERT_LE(bar->GetIdleCount(), 1) << event;
}

// Whatever arrives, the offset stays finite and within the scroll limits and every bar
// keeps a finite position in [0, 1] with at most one idle subscription; once the input
// stops nothing is held.
TEST_P(ScrollViewRandomInputTest, KeepsOffsetAndBarsSoundUnderAnyInput) {
  const ViewKind& kind = GetParam();
  WidgetHarness harness({360, 360});
  harness.windowSkin = Testing::kSolid;
  harness.Build(kScrolledPanel, Testing::kSolidLooks);
  const RCPtr<LPanel> view = harness.Find<LPanel>(u"view");
  ASSERT_TRUE(view && view->GetVerticalScrollBar() && view->GetHorizontalScrollBar());
  if (kind.lineSize > 0) view->SetLineMode(kind.lineSize);
  view->SetClientExtent(kind.extent);
  harness.Find(u"content")->SetFocus(true);
  Testing::RandomInput input(harness, kind.seed);
  int offsetsSeen = 0;
  PointT<double> last = view->GetScrollOffset();
  input.Run(RCPtr<LControl>(view.Get()), 3000, [&] {
    const PointT<double> offset = view->GetScrollOffset();
    if (offset.x != last.x || offset.y != last.y) ++offsetsSeen;
    last = offset;
    const RectT<double> limits = view->GetScrollLimits(nullptr);
    ASSERT_TRUE(std::isfinite(offset.x) && std::isfinite(offset.y)) << input.LastEvent();
    ASSERT_GE(offset.x, limits.x) << input.LastEvent();
    ASSERT_GE(offset.y, limits.y) << input.LastEvent();
    ASSERT_LE(offset.x, limits.x + limits.width) << input.LastEvent();
    ASSERT_LE(offset.y, limits.y + limits.height) << input.LastEvent();
    ExpectBarSound(view->GetVerticalScrollBar(), input.LastEvent());
    ExpectBarSound(view->GetHorizontalScrollBar(), input.LastEvent());
  });
  const bool scrollable = kind.extent.x > 284 || kind.extent.y > 284;
  EXPECT_EQ(offsetsSeen > 0, scrollable) << "the input should reach the bars";
  harness.Release({359, 359});
  harness.RunFor(2000, 50);
  for (const RCPtr<LScrollbar>& bar : {view->GetVerticalScrollBar(), view->GetHorizontalScrollBar()}) {
    EXPECT_EQ(bar->GetIdleCount(), 0);
    EXPECT_EQ(bar->GetChannelZone(), LScrollbar::kZoneNone);
    EXPECT_FALSE(bar->IsDragging());
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, ScrollViewRandomInputTest,
                         ::testing::Values(ViewKind{"BothBars", {900, 1300}, 0, 21},
                                           ViewKind{"VerticalOnly", {100, 5000}, 0, 22},
                                           ViewKind{"HorizontalOnly", {777, 50}, 0, 23},
                                           ViewKind{"LineMode", {900, 1000}, 17, 24},
                                           ViewKind{"NothingToScroll", {0, 0}, 0, 25}),
                         [](const ::testing::TestParamInfo<ViewKind>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace SV
