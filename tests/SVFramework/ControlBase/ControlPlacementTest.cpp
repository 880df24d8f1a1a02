#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "SVFramework/ControlBase/Control.h"
#include "tests/Support/Controls/InstrumentedControl.h"
#include "tests/Support/Controls/StandInRootWindow.h"
#include "tests/Support/Renderer/StandInApplication.h"

namespace SV {
namespace {

using Testing::InstrumentedControl;
using Testing::LifeRecord;
using Testing::StandInRootWindow;

// Counts its re-placements.
class CountingControl : public InstrumentedControl {
public:
  using InstrumentedControl::InstrumentedControl;
  SVRESULT OnRelayoutRequest() override {
    ++relayouts;
    if (onRelayout) onRelayout();
    return InstrumentedControl::OnRelayoutRequest();
  }
  int relayouts = 0;
  std::function<void()> onRelayout;
};

// A shown top-level control 600 x 400 in a window of that client size.
class ControlPlacementTest : public ::testing::Test {
protected:
  void SetUp() override {
    top = Make(nullptr, u"top");
    top->SetRootWindow(window.Get());
    top->SetRectDirect({0, 0, 600, 400});
  }
  void TearDown() override { top->Detach(); }
  RCPtr<CountingControl> Make(const RCPtr<LControl>& parent, const char16_t* name) {
    return RCPtr<CountingControl>(new CountingControl(life, parent, name));
  }
  static LSizeSpec Self(double abs) {
    LSizeSpec size;
    size.abs = abs;
    return size;
  }
  static LSizeLimitSpec Limit(double abs) {
    LSizeLimitSpec limit;
    limit.abs = abs;
    return limit;
  }

  LifeRecord life;
  RCPtr<StandInRootWindow> window = StandInRootWindow::Create({600, 400});
  RCPtr<CountingControl> top;
};

TEST_F(ControlPlacementTest, AFreshRecordPlacesAChildSixteenByFortyAtTheClientOrigin) {
  const RCPtr<CountingControl> child = Make(top, u"child");
  child->SetRectDirect({});
  EXPECT_EQ(child->RecomputePlacement(), S_OK);
  EXPECT_EQ(child->GetRect(), (RectT<double>{0, 0, 16, 40}));
}

TEST_F(ControlPlacementTest, AMinimumWidthGrowsAroundTheAnchor) {
  struct Case {
    float anchor;
    double expectedX;
  };
  for (const Case& c : {Case{0, 100}, Case{0.5f, 37}}) {
    const RCPtr<CountingControl> child = Make(top, u"child");
    LPlacementSpec placement;
    placement.anchor = c.anchor;
    placement.abs = 100;
    child->SetMinMax(0, Limit(125), Limit(0));
    EXPECT_EQ(child->SetPlacement(0, placement, Self(0)), S_OK);
    EXPECT_EQ(child->GetRect().width, 125) << c.anchor;
    EXPECT_EQ(child->GetRect().x, c.expectedX) << "R(0.5 x 125) = 63 to the left at anchor " << c.anchor;
    child->Detach();
  }
}

TEST_F(ControlPlacementTest, AMaximumWidthShrinksAroundTheAnchor) {
  const RCPtr<CountingControl> child = Make(top, u"child");
  LPlacementSpec placement;
  placement.anchor = 1;
  placement.abs = 300;
  child->SetMinMax(0, Limit(0), Limit(50));
  child->SetPlacement(0, placement, Self(80));
  EXPECT_EQ(child->GetRect().x, 250);
  EXPECT_EQ(child->GetRect().width, 50);
}

TEST_F(ControlPlacementTest, StoringTheCurrentRectangleDoesNothing) {
  const RCPtr<CountingControl> child = Make(top, u"child");
  child->RecomputePlacement();
  window->invalidated.clear();
  EXPECT_EQ(child->SetRect(child->GetRect()), S_FALSE);
  EXPECT_TRUE(window->invalidated.empty());
}

TEST_F(ControlPlacementTest, MovingAControlReplacesLaterSiblingsButNotItsChildren) {
  const RCPtr<CountingControl> first = Make(top, u"first");
  const RCPtr<CountingControl> grandchild = Make(first, u"grandchild");
  const RCPtr<CountingControl> second = Make(top, u"second");
  LPlacementSpec afterFirst;
  afterFirst.reference = PositionReference::NamedControl;
  afterFirst.name = u"first";
  afterFirst.rel = 1;
  second->SetPlacement(0, afterFirst, Self(10));
  first->RecomputePlacement();
  const int grandchildBefore = grandchild->relayouts;

  LPlacementSpec moved;
  moved.abs = 50;
  first->SetPlacement(0, moved, Self(16));
  EXPECT_EQ(second->GetRect().x, 66) << "follows the first sibling's right edge";
  EXPECT_EQ(grandchild->relayouts, grandchildBefore);
}

TEST_F(ControlPlacementTest, ResizingAParentReplacesEachChildOnce) {
  const RCPtr<CountingControl> a = Make(top, u"a");
  const RCPtr<CountingControl> b = Make(top, u"b");
  LPlacementSpec right;
  right.reference = PositionReference::Client;
  right.rel = 1;
  right.anchor = 1;
  b->SetPlacement(0, right, Self(20));

  LSizeSpec wholeClient;
  wholeClient.reference = SizeReference::Client;
  wholeClient.rel = 1;
  top->SetPlacements(LPlacementSpec{}, wholeClient, LPlacementSpec{}, wholeClient);
  const int aBefore = a->relayouts, bBefore = b->relayouts;

  window->clientSize = {300, 400};
  top->OnRelayoutRequest();
  EXPECT_EQ(top->GetRect(), (RectT<double>{0, 0, 300, 400}));
  EXPECT_EQ(a->relayouts - aBefore, 1);
  EXPECT_EQ(b->relayouts - bBefore, 1);
  EXPECT_EQ(b->GetRect().x, 280);
}

TEST_F(ControlPlacementTest, AChildDetachingItsSiblingWhileTheParentResizesEndsTheWalkSafely) {
  const RCPtr<CountingControl> first = Make(top, u"first");
  const RCPtr<CountingControl> second = Make(top, u"second");
  first->onRelayout = [&] { second->Detach(); };
  LSizeSpec wholeClient;
  wholeClient.reference = SizeReference::Client;
  wholeClient.rel = 1;
  window->clientSize = {300, 200};
  EXPECT_NO_THROW(top->SetPlacements(LPlacementSpec{}, wholeClient, LPlacementSpec{}, wholeClient));
  EXPECT_EQ(top->GetChildCount(), 1u);
  EXPECT_EQ(top->GetRect(), (RectT<double>{0, 0, 300, 200}));
}

TEST_F(ControlPlacementTest, ATopLevelControlSizesItsWindow) {
  Testing::StandInOSWindow osWindow;
  osWindow.screenOffset = {40, 30};
  window->osWindow = &osWindow;
  window->windowRects.clear();
  top->SetPlacements(LPlacementSpec{}, Self(320.5), LPlacementSpec{}, Self(200));
  ASSERT_FALSE(window->windowRects.empty());
  EXPECT_EQ(window->windowRects.back(), (RectT<int32_t>{40, 30, 321, 200})) << "at the client origin, snapped";
  window->osWindow = nullptr;
}

// The window's client origin is at screen (40, 30); the work area's own corner is not used.
TEST_F(ControlPlacementTest, ATopLevelControlMeasuresParentAgainstTheWorkAreaAndNamesAgainstThePointer) {
  Testing::StandInApplication application;
  application.workArea = {100, 50, 1280, 720};
  application.cursor = {140, 80};
  Testing::StandInOSWindow osWindow;
  osWindow.screenOffset = {40, 30};
  window->osWindow = &osWindow;

  LPlacementSpec screenCorner;
  screenCorner.reference = PositionReference::Parent;
  LSizeSpec halfScreen;
  halfScreen.reference = SizeReference::Parent;
  halfScreen.rel = 0.5;
  top->SetPlacements(screenCorner, halfScreen, screenCorner, halfScreen);
  EXPECT_EQ(top->GetRect(), (RectT<double>{-40, -30, 640, 360}));

  LPlacementSpec atPointer;
  atPointer.reference = PositionReference::NamedControl;
  atPointer.name = u"pointer";
  top->SetPlacements(atPointer, Self(10), atPointer, Self(10));
  EXPECT_EQ(top->GetRect(), (RectT<double>{100, 50, 10, 10})) << "the pointer in client coordinates";
  window->osWindow = nullptr;
}

// A size measured against the client gives the far edge, not a length: panels that
// share the width in thirds reach to a third, two thirds and the whole of it.
TEST_F(ControlPlacementTest, PanelsPlacedOneAfterAnotherShareTheClientByTheirFarEdges) {
  const std::vector<const char16_t*> names{u"first", u"second", u"third"};
  std::vector<RCPtr<CountingControl>> panels;
  LSizeSpec fullHeight;
  fullHeight.reference = SizeReference::Client;
  fullHeight.rel = 1;
  top->SetPlacements(LPlacementSpec{}, fullHeight, LPlacementSpec{}, fullHeight);
  for (size_t index = 0; index < names.size(); ++index) {
    LPlacementSpec afterPrevious;
    if (index > 0) {
      afterPrevious.reference = PositionReference::NamedControl;
      afterPrevious.name = names[index - 1];
      afterPrevious.rel = 1;
    }
    LSizeSpec farEdge;
    farEdge.reference = SizeReference::Client;
    farEdge.rel = static_cast<float>(index + 1) / 3;
    panels.push_back(Make(top, names[index]));
    panels.back()->SetPlacements(afterPrevious, farEdge, LPlacementSpec{}, fullHeight);
  }
  EXPECT_EQ(panels[0]->GetRect(), (RectT<double>{0, 0, 200, 400}));
  EXPECT_EQ(panels[1]->GetRect(), (RectT<double>{200, 0, 200, 400}));
  EXPECT_EQ(panels[2]->GetRect(), (RectT<double>{400, 0, 200, 400}));

  LSizeSpec aThird;
  aThird.reference = SizeReference::Client;
  aThird.rel = 1.0f / 3;
  const LPlacementSpec afterFirst = panels[1]->GetLayout()->Placement[0];
  panels[1]->SetPlacements(afterFirst, aThird, LPlacementSpec{}, fullHeight);
  EXPECT_EQ(panels[1]->GetRect().width, 0) << "its far edge lies at its own start";
  EXPECT_EQ(panels[2]->GetRect().x, 200) << "the next panel follows it";
}

TEST_F(ControlPlacementTest, WhileItsRectChangesAControlLeavesOnlyDockedChildrenToInvalidateTheirArea) {
  const RCPtr<CountingControl> free = Make(top, u"free");
  const RCPtr<CountingControl> docked = Make(top, u"docked");
  docked->GetLayout()->Placement[0].docked = true;
  std::vector<int32_t> during;
  free->onRelayout = [&] {
    during = {top->InvalidateChildArea(free.Get()), top->InvalidateChildArea(docked.Get())};
  };
  EXPECT_EQ(top->InvalidateChildArea(free.Get()), 1) << "before the change";
  top->SetRect({0, 0, 500, 300});
  EXPECT_EQ(during, (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(top->InvalidateChildArea(free.Get()), 1) << "the watch ends with the change";
}

TEST_F(ControlPlacementTest, PlacementFailsWithoutAFrameOfReference) {
  const RCPtr<CountingControl> loose = Make(nullptr, u"loose");
  EXPECT_EQ(loose->RecomputePlacement(), E_FAIL);
}

TEST_F(ControlPlacementTest, TheChildrenExtentCoversUndockedChildrenAndIsEmptyWithoutThem) {
  EXPECT_EQ(top->GetChildrenExtent(), (RectT<double>{0, 0, 0, 0})) << "no child";
  const RCPtr<CountingControl> docked = Make(top, u"docked");
  docked->GetLayout()->Placement[0].docked = true;
  EXPECT_EQ(top->GetChildrenExtent(), (RectT<double>{0, 0, 0, 0})) << "only a docked child";

  Make(top, u"a")->SetRectDirect({10, 20, 30, 40});
  Make(top, u"b")->SetRectDirect({-5, 50, 10.5, 10});
  EXPECT_EQ(top->GetChildrenExtent(), (RectT<double>{-5, 20, 45, 40}));
}

TEST_F(ControlPlacementTest, PreferredSizeIsTheMinimumWithSelfSizes) {
  const RCPtr<CountingControl> child = Make(top, u"child");
  child->SetMinMax(0, Limit(70), Limit(0));
  child->SetMinMax(1, Limit(12), Limit(0));
  PointT<double> preferred;
  EXPECT_EQ(child->GetPreferredSize(preferred), S_OK);
  EXPECT_EQ(preferred, (PointT<double>{70, 12}));
  EXPECT_EQ(child->GetRect(), (RectT<double>{0, 0, 70, 40})) << "the record's own sizes come back";
}

}  // namespace
}  // namespace SV
