#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "SVFramework/Controls/Panel.h"
#include "SVFramework/Controls/Scrollbar.h"
#include "tests/SVFramework/Controls/ScrollFamilySkin.h"
#include "tests/Support/Widgets/CreateParamXml.h"
#include "tests/Support/Widgets/NotificationLog.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::NotificationLog;
using Testing::WidgetHarness;

// Bars 16 thick, docked to the right and bottom edges of the view.
constexpr const char* kVerticalBar =
    R"(<SubControl Class="Framework.ScrollBar" Name="vBar" XIsDocked="True" YIsDocked="True"
         XPositionToControl="Parent" XPositionRel="1" XPlacementAnchor="1" XSizeAbs="16"
         YSizeToControl="Parent" YSizeRel="1"/>)";
constexpr const char* kHorizontalBar =
    R"(<SubControl Class="Framework.ScrollBar" Name="hBar" XIsDocked="True" YIsDocked="True"
         YPositionToControl="Parent" YPositionRel="1" YPlacementAnchor="1" YSizeAbs="16"
         XSizeToControl="Parent" XSizeRel="1"/>)";

// A 300 x 300 panel "view" at the window's origin holding `inside`.
std::string View(const std::string& inside, const std::string& createParams = "") {
  return R"(<SubControl Class="Framework.Panel" Name="view" XSizeAbs="300" YSizeAbs="300">)" +
         std::string(Testing::kSolid) + inside +
         (createParams.empty() ? "" : "<CreateParamList>" + createParams + "</CreateParamList>") + "</SubControl>";
}

std::string Both() { return std::string(kVerticalBar) + kHorizontalBar; }

using Testing::Param;

class ScrollViewTest : public ::testing::Test {
protected:
  // A fresh harness for every build: a harness keeps the first skin it loaded.
  void Build(const std::string& controls) {
    view.Reset();
    harnessPointer.reset();
    harnessPointer = std::make_unique<WidgetHarness>(PointT<int32_t>{400, 400});
    Harness().windowSkin = Testing::kSolid;
    Harness().Build(controls, Testing::kSolidLooks);
    view = Harness().Find<LPanel>(u"view");
    ASSERT_TRUE(view);
  }
  void BuildWithBars() { Build(View(Both())); }
  RCPtr<LScrollbar> HBar() const { return view->GetHorizontalScrollBar(); }
  RCPtr<LScrollbar> VBar() const { return view->GetVerticalScrollBar(); }
  PointT<double> Offset() const { return view->GetScrollOffset(); }

  void TearDown() override {
    view.Reset();
    harnessPointer.reset();
  }

  std::unique_ptr<WidgetHarness> harnessPointer = std::make_unique<WidgetHarness>(PointT<int32_t>{400, 400});
  WidgetHarness& Harness() const { return *harnessPointer; }
  RCPtr<LPanel> view;
};

TEST_F(ScrollViewTest, SettingTheSameExtentAgainReturnsOneAndAnnouncesNothing) {
  BuildWithBars();
  const RCPtr<NotificationLog> log = NotificationLog::Create();
  log->Listen(RCPtr<LNotificationDistributor>(view.Get()), u"NID_CLIENT_EXTENT_CHANGE");
  EXPECT_EQ(view->SetClientExtent({100, 500}), S_OK);
  EXPECT_EQ(view->SetClientExtent({100, 500}), S_FALSE);
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_CLIENT_EXTENT_CHANGE"}));
  log->StopListening();
}

struct BarCase {
  PointT<double> extent;
  bool vertical;
  bool horizontal;
};

TEST_F(ScrollViewTest, ShowsABarOnlyForAnAxisWhoseContentDoesNotFitTheRoomTheOtherBarLeaves) {
  const BarCase cases[] = {
      {{100, 100}, false, false},  // fits
      {{300, 300}, false, false},  // fits exactly
      {{100, 500}, true, false},   // only too tall
      {{500, 100}, false, true},   // only too wide
      {{290, 500}, true, true},    // wider than the room the vertical bar leaves
      {{500, 290}, true, true},    // taller than the room the horizontal bar leaves
      {{500, 500}, true, true},
  };
  BuildWithBars();
  for (const BarCase& c : cases) {
    view->SetClientExtent(c.extent);
    EXPECT_EQ(view->IsScrollBarShown(1), c.vertical) << c.extent.x << " x " << c.extent.y;
    EXPECT_EQ(view->IsScrollBarShown(0), c.horizontal) << c.extent.x << " x " << c.extent.y;
    const RectT<double> visible = view->GetVisibleRect();
    EXPECT_EQ(visible.width, c.vertical ? 284 : 300);
    EXPECT_EQ(visible.height, c.horizontal ? 284 : 300);
  }
}

TEST_F(ScrollViewTest, ABarGetsTheRangeThumbAndStepsOfTheHiddenContent) {
  BuildWithBars();
  view->SetClientExtent({100, 500});
  const RCPtr<LScrollbar> bar = VBar();
  EXPECT_DOUBLE_EQ(bar->NormalizedToValue(0), 0);
  EXPECT_DOUBLE_EQ(bar->NormalizedToValue(1), 200);
  EXPECT_FLOAT_EQ(static_cast<float>(bar->GetThumbProportion()), 0.6f);
  EXPECT_FLOAT_EQ(static_cast<float>(bar->GetPageStep()), 1.0f);  // 300 / 200, held at 1
  EXPECT_FLOAT_EQ(static_cast<float>(bar->GetLineStep()), 0.1f);
}

TEST_F(ScrollViewTest, MovingABarScrollsTheViewAndScrollingTheViewMovesTheBar) {
  BuildWithBars();
  view->SetClientExtent({700, 500});  // ranges 416 wide and 216 high
  HBar()->SetNormalizedValue(1);
  EXPECT_EQ(Offset().x, 700 - 284);
  VBar()->SetNormalizedValue(0.5);
  EXPECT_EQ(Offset().y, 108);
  view->SetScrollOffset({104, 54});
  EXPECT_DOUBLE_EQ(HBar()->GetNormalizedValue(), 0.25);
  EXPECT_DOUBLE_EQ(VBar()->GetNormalizedValue(), 0.25);
  EXPECT_EQ(Offset().x, 104);
  EXPECT_EQ(Offset().y, 54);
}

TEST_F(ScrollViewTest, ShrinkingTheContentKeepsTheOffsetWithinTheNewRange) {
  BuildWithBars();
  view->SetClientExtent({100, 500});
  VBar()->SetNormalizedValue(1);
  ASSERT_EQ(Offset().y, 200);
  view->SetClientExtent({100, 400});
  EXPECT_EQ(Offset().y, 100);
  view->SetClientExtent({100, 200});
  EXPECT_FALSE(view->IsScrollBarShown(1));
  EXPECT_EQ(Offset().y, 0);
}

TEST_F(ScrollViewTest, ScrollLimitsAreTheHiddenPartOrUnboundedWithoutExtent) {
  BuildWithBars();
  EXPECT_EQ(view->GetScrollLimits(nullptr), (RectT<double>{0, 0, 4503599627370496.0, 4503599627370496.0}));
  view->SetClientExtent({100, 500});
  EXPECT_EQ(view->GetScrollLimits(nullptr), (RectT<double>{0, 0, 0, 200}));
}

struct ScrollViewWheelCase {
  const char* what;
  PointT<double> extent;
  PointT<double> start;
  int32_t direction;
  int32_t modifiers;
  PointT<double> expected;
};

TEST_F(ScrollViewTest, WheelNotchesMoveTheRightBarByALineOrWithShiftByAPage) {
  // Vertical range 200 (line 20 px); with both bars: ranges 416 x 216, lines 28.4 px
  // (a tenth of the page 284 / 416) and 21.6 px (the page held at 1).
  const ScrollViewWheelCase cases[] = {
      {"down", {100, 500}, {0, 0}, 0, 0, {0, 20}},
      {"up", {100, 500}, {0, 100}, 1, 0, {0, 80}},
      {"up at the start", {100, 500}, {0, 0}, 1, 0, {0, 0}},
      {"down with Shift pages", {100, 500}, {0, 0}, 0, 8, {0, 200}},
      {"down with only a horizontal bar", {500, 100}, {0, 0}, 0, 0, {20, 0}},
      {"down with Alt and both bars", {700, 500}, {0, 0}, 0, 0x40, {28, 0}},
      {"down without Alt and both bars", {700, 500}, {0, 0}, 0, 0, {0, 22}},
      {"left tilt scrolls left", {700, 500}, {208, 0}, 2, 0, {180, 0}},
      {"right tilt scrolls right", {700, 500}, {208, 0}, 3, 0, {236, 0}},
      {"left tilt at the start", {700, 500}, {0, 0}, 2, 0, {0, 0}},
      {"right tilt with only a vertical bar", {100, 500}, {0, 0}, 3, 0, {0, 20}},
      {"left tilt with only a vertical bar", {100, 500}, {0, 100}, 2, 0, {0, 80}},
  };
  for (const ScrollViewWheelCase& c : cases) {
    SCOPED_TRACE(c.what);
    BuildWithBars();
    view->SetClientExtent(c.extent);
    view->SetScrollOffset(c.start);
    Harness().Wheel(Harness().At(RCPtr<LControl>(view.Get()), {50, 50}), c.direction, c.modifiers);
    EXPECT_EQ(Offset().x, c.expected.x);
    EXPECT_EQ(Offset().y, c.expected.y);
  }
}

TEST_F(ScrollViewTest, AWheelNotchIsNotHandledWhileNoBarIsShown) {
  BuildWithBars();
  view->SetClientExtent({100, 100});
  const LMouseWheelParam down({10, 10}, 0, 0), left({10, 10}, 0, 2);
  EXPECT_EQ(view->OnMouseWheel(down), S_FALSE);
  EXPECT_EQ(view->OnMouseHWheel(left), S_FALSE);
  EXPECT_EQ(Offset().y, 0);
}

TEST_F(ScrollViewTest, AViewWithoutBarsOrWithABarOfAnotherClassWorksWithoutScrolling) {
  Build(View(R"(<SubControl Class="Framework.Panel" Name="vBar" XSizeAbs="16" YSizeAbs="300"/>)"));
  EXPECT_FALSE(view->GetVerticalScrollBar());
  EXPECT_FALSE(view->GetHorizontalScrollBar());
  view->SetClientExtent({1000, 1000});
  EXPECT_EQ(view->GetVisibleRect(), (RectT<double>{0, 0, 300, 300}));
  const LMouseWheelParam down({10, 10}, 0, 0);
  EXPECT_EQ(view->OnMouseWheel(down), S_FALSE);
}

struct AutoExtentCase {
  const char* x;  // null: no such parameter
  const char* y;
  int32_t mode;
  PointT<double> extent;
};

TEST_F(ScrollViewTest, AutomaticExtentParametersChooseTheAxesThatFollowTheChildren) {
  const AutoExtentCase cases[] = {
      {" TRUE ", nullptr, 1, {470, 0}},
      {nullptr, "true", 2, {0, 650}},
      {"True", "\ttrue\n", 3, {470, 650}},
      {"yes", "1", 0, {0, 0}},
  };
  for (const AutoExtentCase& c : cases) {
    SCOPED_TRACE(std::string(c.x ? c.x : "-") + " / " + (c.y ? c.y : "-"));
    std::string params;
    if (c.x) params += Param("AUTO_CLIENT_EXTENT_X", c.x);
    if (c.y) params += Param("AUTO_CLIENT_EXTENT_Y", c.y);
    Build(View(Both() + R"(<SubControl Class="Framework.Panel" Name="content" XPositionAbs="20" YPositionAbs="50"
                                XSizeAbs="450" YSizeAbs="600"/>)",
               params));
    EXPECT_EQ(view->GetAutoClientExtentMode(), c.mode);
    EXPECT_EQ(view->GetClientExtent().x, c.extent.x);
    EXPECT_EQ(view->GetClientExtent().y, c.extent.y);
  }
}

TEST_F(ScrollViewTest, AutomaticExtentFollowsAChildThatGrowsOrGoesAndAddsTheMargins) {
  Build(View(Both() + R"(<SubControl Class="Framework.Panel" Name="content" XSizeAbs="100" YSizeAbs="100"/>)"));
  const RCPtr<LControl> content = Harness().Find(u"content");
  view->SetAutoClientExtent(LScrollView::kAutoExtentBoth, 5, 7);
  EXPECT_EQ(view->GetClientExtent().y, 107);
  content->SetPlacement(1, content->GetLayout()->Placement[1], LSizeSpec{SizeReference::Self, {}, 0, 800});
  EXPECT_EQ(view->GetClientExtent().y, 807);
  EXPECT_TRUE(view->IsScrollBarShown(1));
  content->Detach();
  EXPECT_EQ(view->GetClientExtent().x, 5);
  EXPECT_EQ(view->GetClientExtent().y, 7);
  EXPECT_FALSE(view->IsScrollBarShown(1));
}

TEST_F(ScrollViewTest, LineModeScrollsByWholeLinesAndKeepsTheLineWhenTheContentChanges) {
  BuildWithBars();
  view->SetLineMode(20);
  view->SetClientExtent({100, 500});  // 25 lines, 15 in view
  const RCPtr<LScrollbar> bar = VBar();
  EXPECT_DOUBLE_EQ(bar->NormalizedToValue(1), 10);
  EXPECT_DOUBLE_EQ(bar->GetLineStep(), 0.1);
  EXPECT_DOUBLE_EQ(bar->GetPageStep(), 1.0);
  EXPECT_DOUBLE_EQ(bar->GetThumbProportion(), 0.6);
  bar->SetNormalizedValue(bar->ValueToNormalized(3.7));
  EXPECT_EQ(Offset().y, 60);
  EXPECT_DOUBLE_EQ(bar->NormalizedToValue(bar->GetNormalizedValue()), 3);
  view->SetClientExtent({100, 710});  // 35 lines: the bar stays at line 3
  EXPECT_DOUBLE_EQ(bar->NormalizedToValue(bar->GetNormalizedValue()), 3);
  EXPECT_EQ(Offset().y, 60);
  view->SetScrollOffset({0, 100});
  EXPECT_DOUBLE_EQ(bar->NormalizedToValue(bar->GetNormalizedValue()), 5);
  Harness().Wheel(Harness().At(RCPtr<LControl>(view.Get()), {50, 50}), 0);
  EXPECT_EQ(Offset().y, 120);
}

TEST_F(ScrollViewTest, DegenerateSizesGiveZeroNeverNotANumber) {
  BuildWithBars();
  view->SetLineMode(0);  // no line height: no lines to count
  view->SetClientExtent({std::nan(""), 500});
  EXPECT_EQ(view->GetClientExtent().x, 0);
  EXPECT_TRUE(std::isfinite(VBar()->GetNormalizedValue()));
  EXPECT_TRUE(std::isfinite(VBar()->GetThumbProportion()));
  EXPECT_TRUE(std::isfinite(VBar()->GetLineStep()));
  VBar()->SetNormalizedValue(0.5);
  EXPECT_TRUE(std::isfinite(Offset().y));
  EXPECT_TRUE(std::isfinite(HBar()->GetNormalizedValue()));
}

TEST_F(ScrollViewTest, AMaximumNamingAnotherControlBecomesTheContentExtent) {
  Build(R"(<SubControl Class="Framework.Panel" Name="view" XSizeAbs="300" YSizeAbs="300"
             XMaxSizeToControl="content" YMaxSizeAbs="250">
             <SubControl Class="Framework.Panel" Name="content" XPositionAbs="10" XSizeAbs="120" YSizeAbs="90"/>
           </SubControl>)");
  PointT<double> size;
  view->GetMaxSize(size);
  EXPECT_EQ(size.x, 130);
  EXPECT_EQ(size.y, 250);
}

}  // namespace
}  // namespace SV
