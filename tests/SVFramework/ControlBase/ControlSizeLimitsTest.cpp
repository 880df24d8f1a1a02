#include <gtest/gtest.h>

#include <string>

#include "SVFramework/ControlBase/Control.h"
#include "tests/Support/Controls/InstrumentedControl.h"

namespace SV {
namespace {

using Testing::InstrumentedControl;

LSizeLimitSpec Named(const char16_t* name, float rel, double abs) {
  LSizeLimitSpec limit;
  limit.namesControl = true;
  limit.name = name;
  limit.rel = rel;
  limit.abs = abs;
  return limit;
}

// A panel without looks (so no non-client margin) with children placed directly; the
// limits are applied to a solved position and size on X.
class ControlSizeLimitsTest : public ::testing::Test {
protected:
  RCPtr<InstrumentedControl> Child(const char16_t* name, RectT<double> rect) {
    const RCPtr<InstrumentedControl> child = InstrumentedControl::Make(life, panel, name);
    child->SetRectDirect(rect);
    return child;
  }
  void Limit(const LSizeLimitSpec& minimum, const LSizeLimitSpec& maximum, float anchor = 0) {
    panel->GetLayout()->MinSize[0] = minimum;
    panel->GetLayout()->MaxSize[0] = maximum;
    panel->GetLayout()->Placement[0].anchor = anchor;
  }

  Testing::LifeRecord life;
  RCPtr<InstrumentedControl> panel = InstrumentedControl::Make(life, nullptr, u"panel");
};

struct NamedMinimumCase {
  std::string name;
  LSizeLimitSpec minimum;
  float anchor;
  double width;
  SVRESULT result;
  double expectedX;
  double expectedWidth;
};

class NamedMinimumTest : public ControlSizeLimitsTest, public ::testing::WithParamInterface<NamedMinimumCase> {};

// The child "content" spans 10..210 and "before" -30..-20 of the panel's content; the
// panel is solved at x = 20, so they lie at 30..230 and -10..0 where it is placed.
TEST_P(NamedMinimumTest, AMinimumNamingAChildReachesItsEdge) {
  Child(u"content", {10, 0, 200, 10});
  Child(u"before", {-30, 0, 10, 10});
  const NamedMinimumCase& c = GetParam();
  Limit(c.minimum, LSizeLimitSpec{}, c.anchor);
  PointT<double> position{20, 0};
  PointT<double> size{c.width, 10};
  EXPECT_EQ(panel->ApplyMinSize(position, size), c.result);
  EXPECT_EQ(position.x, c.expectedX);
  EXPECT_EQ(size.x, c.expectedWidth);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NamedMinimumTest,
    ::testing::Values(NamedMinimumCase{"GrowsToTheFarEdge", Named(u"content", 1, 0), 0, 50, S_FALSE, 20, 210},
                      NamedMinimumCase{"AddsTheAbs", Named(u"content", 1, 5), 0, 50, S_FALSE, 20, 215},
                      NamedMinimumCase{"WideEnoughAlready", Named(u"content", 1, 0), 0, 300, S_OK, 20, 300},
                      NamedMinimumCase{"CentredGrowsBothWays", Named(u"content", 1, 0), 0.5f, 50, S_FALSE, -140, 370},
                      NamedMinimumCase{"AnchorOneCannotReachAFarEdge", Named(u"content", 1, 0), 1, 50, E_FAIL, 20, 50},
                      NamedMinimumCase{"AnchorOneReachesANearEdge", Named(u"before", 0, 0), 1, 50, S_FALSE, -10, 80},
                      NamedMinimumCase{"AnchorZeroCannotReachANearEdge", Named(u"before", 0, 0), 0, 50, E_FAIL, 20, 50},
                      NamedMinimumCase{"AnUnknownNameLimitsNothing", Named(u"nobody", 1, 0), 0, 50, S_OK, 20, 50}),
    [](const ::testing::TestParamInfo<NamedMinimumCase>& info) { return info.param.name; });

TEST_F(ControlSizeLimitsTest, AMinimumOfAllChildrenCoversTheFirstAndTheClippedOnes) {
  Child(u"a", {5, 0, 100, 10});
  Child(u"b", {50, 0, 120, 10});
  Child(u"floating", {0, 0, 500, 10})->GetLayout()->ClipToParent = false;
  Limit(Named(u"Children", 1, 0), LSizeLimitSpec{});
  PointT<double> position{20, 0};
  PointT<double> size{50, 10};
  EXPECT_EQ(panel->ApplyMinSize(position, size), S_FALSE);
  EXPECT_EQ(size.x, 165) << "5..170; the unclipped child does not count";
}

TEST_F(ControlSizeLimitsTest, AMaximumOfAllChildrenCountsEveryChild) {
  Child(u"a", {0, 0, 60, 10});
  Child(u"floating", {40, 0, 60, 10})->GetLayout()->ClipToParent = false;
  Limit(LSizeLimitSpec{}, Named(u"Children", 1, 0));
  PointT<double> position{20, 0};
  PointT<double> size{300, 10};
  EXPECT_EQ(panel->ApplyMaxSize(position, size), S_FALSE);
  EXPECT_EQ(position.x, 20);
  EXPECT_EQ(size.x, 100);
}

TEST_F(ControlSizeLimitsTest, AMaximumNeedsAReferenceWithAreaAndAFirstChildThatScrolls) {
  struct Case {
    const char* what;
    RectT<double> firstChild;
    bool dockedBothWays;
  };
  for (const Case& c : {Case{"no height", {0, 0, 60, 0}, false}, Case{"docked first child", {0, 0, 60, 10}, true}}) {
    const RCPtr<InstrumentedControl> first = Child(u"first", c.firstChild);
    first->GetLayout()->Placement[0].docked = first->GetLayout()->Placement[1].docked = c.dockedBothWays;
    Limit(LSizeLimitSpec{}, Named(u"Children", 1, 0));
    PointT<double> position{20, 0};
    PointT<double> size{300, 10};
    EXPECT_EQ(panel->ApplyMaxSize(position, size), S_OK) << c.what;
    EXPECT_EQ(size.x, 300) << c.what;
    first->Detach();
  }
}

TEST_F(ControlSizeLimitsTest, NamedLimitsApplyNothingWithoutChildren) {
  Limit(Named(u"Children", 1, 0), Named(u"Children", 1, 0));
  PointT<double> position{20, 0};
  PointT<double> size{50, 10};
  EXPECT_EQ(panel->ApplyMinSize(position, size), S_OK);
  EXPECT_EQ(panel->ApplyMaxSize(position, size), S_OK);
  EXPECT_EQ(size, (PointT<double>{50, 10}));
}

TEST_F(ControlSizeLimitsTest, APanelSizedByItsChildrenFollowsAChildThatGrows) {
  const RCPtr<InstrumentedControl> top = InstrumentedControl::Make(life, nullptr, u"top");
  panel->SetParent(top);
  top->SetRectDirect({0, 0, 600, 400});
  Limit(Named(u"Children", 1, 0), LSizeLimitSpec{});
  panel->GetLayout()->Size[0].abs = 0;
  const RCPtr<InstrumentedControl> child = Child(u"child", {});
  LPlacementSpec placement;
  LSizeSpec size;
  size.abs = 120;
  child->SetPlacement(0, placement, size);
  EXPECT_EQ(panel->GetRect().width, 120);
  size.abs = 180;
  child->SetPlacement(0, placement, size);
  EXPECT_EQ(panel->GetRect().width, 180);
}

}  // namespace
}  // namespace SV
