#include <gtest/gtest.h>

#include <string>

#include "SVFramework/Controls/Button.h"
#include "SVFramework/Controls/ToolTip.h"
#include "tests/SVFramework/Controls/ButtonTestSkin.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::WidgetHarness;

// Two buttons with tooltip texts filling a 400 x 300 window side by side: "left" at
// (2, 3), 198 x 297, and "right" at (200, 3), 200 x 297. The skin's "toolTip" is 100 x 20
// (or as given).
class ToolTipTest : public ::testing::Test {
protected:
  void SetUp() override { LToolTip::ForgetLastHide(); }
  void TearDown() override { LToolTip::ForgetLastHide(); }

  void Build(int tipWidth = 100, int tipHeight = 20) {
    const std::string tip =
        "<SubControl Class=\"Framework.ToolTip\" Name=\"toolTip\" XSizeAbs=\"" + std::to_string(tipWidth) +
        "\" YSizeAbs=\"" + std::to_string(tipHeight) + "\" ClipToParent=\"False\"/>";
    harness.Build(Tipped("left", 2, 198) + Tipped("right", 200, 200), Testing::kButtonResources,
                  R"(<StringTable ID="Test.Window|left"><String ID="TOOLTIP"><Locale LCID="9">left tip</Locale></String></StringTable>
                     <StringTable ID="Test.Window|right"><String ID="TOOLTIP"><Locale LCID="9">right tip</Locale></String></StringTable>)",
                  tip);
  }
  static std::string Tipped(const std::string& name, int x, int width) {
    return "<SubControl Class=\"Framework.Button\" Name=\"" + name + "\" XPositionAbs=\"" + std::to_string(x) +
           "\" YPositionAbs=\"3\" XSizeAbs=\"" + std::to_string(width) + "\" YSizeAbs=\"297\"><Skin Name=\"" + name +
           "\" LookList=\"Button\"/></SubControl>";
  }
  // The tooltip below the named control, or null.
  RCPtr<LToolTip> Tip(const char16_t* owner) {
    const RCPtr<LControl> control = harness.Find(owner);
    return control ? RCPtr<LToolTip>(dynamic_cast<LToolTip*>(control->FindChild(u"toolTip").Get())) : nullptr;
  }
  static bool Visible(const RCPtr<LToolTip>& tip) { return tip && tip->IsVisible(true); }
  static PointT<int32_t> WindowPosition(const RCPtr<LToolTip>& tip) {
    const PointT<double> at = tip->GetScreenPosition();
    return {RoundToInt32(at.x), RoundToInt32(at.y)};
  }

  WidgetHarness harness{{400, 300}};
};

TEST_F(ToolTipTest, WaitsMoreThanHalfASecondShowsForMoreThanFiveSecondsAndThenGoes) {
  Build();
  harness.MoveTo({50, 50});
  const RCPtr<LToolTip> tip = Tip(u"left");
  ASSERT_TRUE(tip);
  EXPECT_EQ(tip->GetText(), String(u"left tip"));
  EXPECT_EQ(tip->GetState(), LToolTip::kWaiting);
  harness.RunFor(500, 10);
  EXPECT_FALSE(Visible(tip));
  harness.Idle(10);
  EXPECT_TRUE(Visible(tip));
  harness.RunFor(5000, 10);
  EXPECT_TRUE(Visible(tip));
  harness.Idle(10);
  EXPECT_FALSE(Visible(tip));
  EXPECT_EQ(tip->GetIdleCount(), 0);
  harness.Idle(10);
  EXPECT_FALSE(Tip(u"left")) << "a hidden tooltip is destroyed at the next idle pass";
}

struct ToolTipPlacementCase {
  const char* name;
  PointT<int32_t> pointer;
  int tipWidth;
  int tipHeight;
  PointT<int32_t> expected;
};

class ToolTipPlacementTest : public ToolTipTest, public ::testing::WithParamInterface<ToolTipPlacementCase> {};

TEST_P(ToolTipPlacementTest, SitsBelowThePointerInsideTheWindowWhateverItsParent) {
  const ToolTipPlacementCase& place = GetParam();
  Build(place.tipWidth, place.tipHeight);
  harness.MoveTo(place.pointer);
  harness.RunFor(600, 10);
  const RCPtr<LToolTip> tip = Tip(u"left");
  ASSERT_TRUE(Visible(tip));
  EXPECT_EQ(WindowPosition(tip), place.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pointer, ToolTipPlacementTest,
    ::testing::Values(ToolTipPlacementCase{"TopLeft", {10, 10}, 100, 20, {10, 30}},
                      ToolTipPlacementCase{"NearTheBottom", {150, 295}, 100, 20, {150, 280}},
                      ToolTipPlacementCase{"WiderThanTheWindowIsCappedAtItsMargin", {150, 10}, 600, 20, {8, 30}},
                      ToolTipPlacementCase{"TallerThanTheWindowEndsAtTheTop", {150, 10}, 100, 400, {150, 0}}),
    [](const ::testing::TestParamInfo<ToolTipPlacementCase>& info) { return std::string(info.param.name); });

TEST_F(ToolTipTest, KeptInsideTheWindowAtItsRightAndBottomEdges) {
  Build();
  harness.MoveTo({390, 295});
  harness.RunFor(600, 10);
  const RCPtr<LToolTip> tip = Tip(u"right");
  ASSERT_TRUE(Visible(tip));
  EXPECT_EQ(WindowPosition(tip), (PointT<int32_t>{300, 280}));
}

TEST_F(ToolTipTest, IsNoWiderThanTheWindowLessItsMargin) {
  Build();
  harness.MoveTo({50, 50});
  const RCPtr<LToolTip> tip = Tip(u"left");
  ASSERT_TRUE(tip && tip->GetLayout());
  EXPECT_EQ(tip->GetLayout()->MaxSize[0].abs, 392.0);
}

TEST_F(ToolTipTest, AppearsAtOnceRightAfterAnotherWasHiddenAndWaitsAgainAfterAPause) {
  Build();
  harness.MoveTo({50, 50});
  harness.RunFor(600, 10);
  harness.MoveTo({250, 50});
  EXPECT_FALSE(Tip(u"left") && Tip(u"left")->IsVisible(false));
  EXPECT_TRUE(Visible(Tip(u"right"))) << "moving on keeps tooltips coming";

  harness.MoveTo({50, 50});
  harness.Idle(60);
  EXPECT_TRUE(Visible(Tip(u"left")));
  harness.KeyDown(0x41);
  harness.Idle(60);
  harness.MoveTo({250, 60});
  EXPECT_EQ(Tip(u"right")->GetState(), LToolTip::kWaiting) << "after a pause it waits again";
}

TEST_F(ToolTipTest, ATooltipHiddenWhileWaitingLeavesTheNextOneWaiting) {
  Build();
  harness.MoveTo({50, 50});
  harness.Idle(100);
  harness.MoveTo({250, 50});
  const RCPtr<LToolTip> tip = Tip(u"right");
  ASSERT_TRUE(tip);
  EXPECT_EQ(tip->GetState(), LToolTip::kWaiting);
  EXPECT_FALSE(Visible(tip));
}

TEST_F(ToolTipTest, TheFirstTooltipWaitsEvenRightAfterStart) {
  Build();
  harness.Idle(10);
  harness.MoveTo({50, 50});
  EXPECT_EQ(Tip(u"left")->GetState(), LToolTip::kWaiting);
}

TEST_F(ToolTipTest, WithoutARootWindowChangesStateButStaysUnplaced) {
  Build();
  RCPtr<LControl> parent = harness.Find(u"left");
  RCPtr<LControl> loose;
  harness.factory->CreateControl(loose, harness.factory->FindControlDescriptor(u"toolTip"), nullptr);
  auto* tip = dynamic_cast<LToolTip*>(loose.Get());
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(tip->Show(), S_OK);
  EXPECT_EQ(tip->GetState(), LToolTip::kWaiting);
  tip->PlaceAtCursor();
  EXPECT_EQ(tip->Hide(), S_OK);
  EXPECT_EQ(tip->GetState(), LToolTip::kIdle);
  EXPECT_EQ(tip->GetIdleCount(), 0);
}

}  // namespace
}  // namespace SV
