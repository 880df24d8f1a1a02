#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "SVFramework/Controls/SplitterH.h"
#include "SVFramework/Controls/SplitterV.h"
#include "tests/Support/Widgets/RandomInput.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::WidgetHarness;

// Three panes side by side in a 400 x 200 box: "left" (120 wide, at least 50), a
// 6-pixel vertical splitter placed right after it, and "right" from the splitter to
// the box's right edge with the limits given.
std::string SideBySide(const std::string& rightLimits) {
  return R"(<SubControl Class="Test.Window" Name="box" XSizeAbs="400" YSizeAbs="200"><Skin Name="box" LookList="Clear"/>
<SubControl Class="Test.Window" Name="left" LayoutOrder="0" XSizeAbs="120" XMinSizeAbs="50" YSizeToControl="Parent" YSizeRel="1" YSizeAbs="0"/>
<SubControl Class="Framework.SplitterV" Name="split" LayoutOrder="1" XPositionToControl="left" XPositionRel="1" XSizeAbs="6" YSizeToControl="Parent" YSizeRel="1" YSizeAbs="0"><Skin Name="bar" LookList="Solid"/></SubControl>
<SubControl Class="Test.Window" Name="right" LayoutOrder="2" XPositionToControl="split" XPositionRel="1" XSizeToControl="Parent" XSizeRel="1" XSizeAbs="0" YSizeToControl="Parent" YSizeRel="1" YSizeAbs="0" )" +
         rightLimits + "/></SubControl>";
}

class SplitterTest : public ::testing::Test {
protected:
  void Build(const std::string& rightLimits = {}) {
    harness.Build(SideBySide(rightLimits), WidgetHarness::kSolidLook);
    left = harness.Find(u"left");
    split = harness.Find<LSplitterV>(u"split");
    right = harness.Find(u"right");
    ASSERT_TRUE(left && split && right);
  }
  // Drags the splitter's middle by dx pixels in steps.
  void DragBy(int32_t dx, int steps = 4) {
    const PointT<int32_t> from = harness.At(split);
    harness.Drag(from, {from.x + dx, from.y}, steps);
  }

  WidgetHarness harness{{400, 200}};
  RCPtr<LControl> left, split, right;
};

TEST_F(SplitterTest, DraggingGrowsTheTargetPaneAndLeavesTheSplitterAttachedAfterIt) {
  Build();
  ASSERT_EQ(split->GetRect().x, 120);
  DragBy(30);
  EXPECT_EQ(left->GetRect().width, 150);
  EXPECT_EQ(split->GetRect().x, 150);
  EXPECT_EQ(right->GetRect().x, 156);
  EXPECT_EQ(right->GetRect().width, 244);
  const LPlacementSpec& placement = split->GetLayout()->Placement[0];
  EXPECT_EQ(placement.reference, PositionReference::NamedControl);
  EXPECT_EQ(placement.name, String(u"left"));
  EXPECT_EQ(placement.rel, 1.0f);
  // Still attached: the pane's next change carries the splitter along.
  LSizeSpec size = left->GetLayout()->Size[0];
  size.abs = 100;
  left->SetPlacement(0, left->GetLayout()->Placement[0], size);
  EXPECT_EQ(split->GetRect().x, 100);
}

TEST_F(SplitterTest, DragsStopWhereAPaneWouldLeaveItsLimits) {
  const struct {
    const char* name;
    std::string rightLimits;
    int32_t dx;
    double leftWidth;
  } cases[] = {
      {"the target's minimum of 50 allows 70 to the left", "", -200, 50},
      {"a minimum after the splitter stops it moving right", "XMinSizeAbs=\"200\"", 150, 194},
      {"a maximum after the splitter stops it moving left", "XMaxSizeAbs=\"300\"", -100, 94},
      {"within the limits the drag is free", "XMinSizeAbs=\"100\" XMaxSizeAbs=\"300\"", -20, 100},
  };
  for (const auto& c : cases) {
    Build(c.rightLimits);
    DragBy(c.dx, 8);
    EXPECT_EQ(left->GetRect().width, c.leftWidth) << c.name;
    EXPECT_EQ(split->GetRect().x, c.leftWidth) << c.name;
    EXPECT_GE(right->GetRect().width, 0) << c.name;
  }
}

TEST_F(SplitterTest, ShrinkingTheWindowMovesTheSplitterBackToKeepThePaneAfterItAtItsMinimum) {
  Build("XMinSizeAbs=\"150\"");
  const RCPtr<LControl> box = harness.Find(u"box");
  LSizeSpec width = box->GetLayout()->Size[0];
  width.abs = 250;
  box->SetPlacement(0, box->GetLayout()->Placement[0], width);
  EXPECT_EQ(right->GetRect().width, 150);
  EXPECT_EQ(split->GetRect().x, 94);
  EXPECT_EQ(left->GetRect().width, 94);
}

TEST_F(SplitterTest, ShowsTheResizeCursorOfItsAxisWhileHovered) {
  Build();
  EXPECT_EQ(split->GetCursor(), Testing::StandInCursorNames::kSizeWE);
  harness.MoveTo(harness.At(split));
  EXPECT_EQ(harness.os.cursor, Testing::StandInCursorNames::kSizeWE);
  harness.MoveTo(harness.At(left));
  EXPECT_NE(harness.os.cursor, Testing::StandInCursorNames::kSizeWE);
}

TEST_F(SplitterTest, ASplitterNotPlacedAfterASiblingDragsWithoutResizingAnything) {
  harness.Build(R"(<SubControl Class="Test.Window" Name="left" XSizeAbs="120" YSizeAbs="50"/>
<SubControl Class="Framework.SplitterV" Name="split" XPositionAbs="200" XSizeAbs="6" YSizeAbs="50"><Skin Name="bar" LookList="Solid"/></SubControl>)",
                WidgetHarness::kSolidLook);
  const RCPtr<LControl> splitter = harness.Find(u"split");
  const PointT<int32_t> from = harness.At(splitter);
  harness.Drag(from, {from.x + 30, from.y});
  EXPECT_EQ(harness.Find(u"left")->GetRect().width, 120);
  EXPECT_EQ(splitter->GetLayout()->Placement[0].reference, PositionReference::Client);
}

TEST_F(SplitterTest, AHorizontalSplitterResizesThePaneAboveIt) {
  harness.Build(R"(<SubControl Class="Test.Window" Name="top" YSizeAbs="80" YMinSizeAbs="40" XSizeToControl="Parent" XSizeRel="1" XSizeAbs="0"/>
<SubControl Class="Framework.SplitterH" Name="split" YPositionToControl="top" YPositionRel="1" YSizeAbs="4" XSizeToControl="Parent" XSizeRel="1" XSizeAbs="0"><Skin Name="bar" LookList="Solid"/></SubControl>
<SubControl Class="Test.Window" Name="bottom" YPositionToControl="split" YPositionRel="1" YSizeToControl="Parent" YSizeRel="1" YSizeAbs="0" XSizeToControl="Parent" XSizeRel="1" XSizeAbs="0"/>)",
                WidgetHarness::kSolidLook);
  const RCPtr<LSplitterH> splitter = harness.Find<LSplitterH>(u"split");
  ASSERT_TRUE(splitter);
  EXPECT_EQ(splitter->GetAxis(), 1);
  EXPECT_EQ(splitter->GetCursor(), Testing::StandInCursorNames::kSizeNS);
  const PointT<int32_t> from = harness.At(splitter);
  harness.Drag(from, {from.x + 50, from.y - 60}, 6);
  EXPECT_EQ(harness.Find(u"top")->GetRect().height, 40);
  EXPECT_EQ(harness.Find(u"bottom")->GetRect().y, 44);
}

TEST_F(SplitterTest, RandomInputKeepsEveryPaneWithinItsLimits) {
  Build("XMinSizeAbs=\"60\" XMaxSizeAbs=\"320\"");
  Testing::RandomInput input(harness, 99);
  input.Run(RCPtr<LControl>(split.Get()), 3000, [&] {
    ASSERT_GE(left->GetRect().width, 50) << input.LastEvent();
    ASSERT_GE(right->GetRect().width, 60) << input.LastEvent();
    ASSERT_LE(right->GetRect().width, 320) << input.LastEvent();
    ASSERT_TRUE(std::isfinite(split->GetRect().x)) << input.LastEvent();
    ASSERT_EQ(split->GetRect().x, left->GetRect().x + left->GetRect().width) << input.LastEvent();
  });
}

}  // namespace
}  // namespace SV
