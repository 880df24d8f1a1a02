#include <gtest/gtest.h>

#include "SVFramework/ControlBase/Control.h"
#include "tests/Support/Controls/PaintingSkin.h"
#include "tests/Support/Controls/StandInRootWindow.h"
#include "tests/Support/Renderer/GuiTestApplication.h"

namespace SV {
namespace {

using ControlLooksTest = Testing::PaintedPanelTest;

TEST_F(ControlLooksTest, ACreatedControlTakesItsLooksFromItsSkinAndShowsTheFirst) {
  LControl& button = Child(u"button");
  ASSERT_EQ(button.GetLookCount(), 2u);
  EXPECT_TRUE(button.GetLook(0));
  EXPECT_FALSE(button.GetLook(1)) << "an empty slot of the look list stays empty";
  EXPECT_EQ(button.GetLookWeight(0), 1.0f);
  EXPECT_EQ(button.GetLook(0)->GetSize(), (PointT<int32_t>{30, 20})) << "looks follow the control's size";
  EXPECT_EQ(panel->GetLookClientRect(-1), (RectT<double>{4, 4, 92, 52}));
  EXPECT_EQ(panel->GetClientRect(), (RectT<double>{0, 0, 92, 52}));
}

TEST_F(ControlLooksTest, AReskinMakesNewLooksAndKeepsTheirWeights) {
  LControl& button = Child(u"button");
  const RCPtr<LLook> before = button.GetLook(0);
  button.SetLookWeight(0, 0.25f, false);
  button.ApplyDescriptor(button.GetDescriptor());
  ASSERT_TRUE(button.GetLook(0));
  EXPECT_NE(button.GetLook(0).Get(), before.Get());
  EXPECT_EQ(button.GetLook(0)->GetDescriptor().Get(), before->GetDescriptor().Get());
  EXPECT_EQ(button.GetLookWeight(0), 0.25f);
  EXPECT_EQ(button.GetLook(0)->GetSize(), (PointT<int32_t>{30, 20}));
}

TEST_F(ControlLooksTest, WeightsOutsideZeroToOneAreIgnoredAndExclusiveInvalidatesOnce) {
  panel->AddLook(LLook::Create(panel->GetLook(0)->GetDescriptor(), false));
  EXPECT_EQ(panel->SetLookWeight(1, 1.5f, false), S_OK);
  EXPECT_EQ(panel->GetLookWeight(1), 0.0f);
  EXPECT_TRUE(window->invalidated.empty());
  EXPECT_EQ(panel->SetLookWeight(1, 1.0f, true), S_OK);
  EXPECT_EQ(panel->GetLookWeight(0), 0.0f);
  EXPECT_EQ(window->invalidated.size(), 1u);
  EXPECT_EQ(panel->SetLookWeight(2, 1.0f, true), E_INVALIDARG);
}

TEST_F(ControlLooksTest, GetLookOutOfRangeFindsTheFirstVisibleLookThenTheFirstLook) {
  const RCPtr<LLook> second = LLook::Create(panel->GetLook(0)->GetDescriptor(), false);
  panel->AddLook(second);
  panel->SetExclusiveLook(1);
  EXPECT_EQ(panel->GetLook(-1).Get(), second.Get());
  EXPECT_EQ(panel->GetFirstVisibleLookIndex(), 1);
  panel->SetLookWeight(1, 0.0f, false);
  EXPECT_EQ(panel->GetFirstVisibleLookIndex(), -1);
  EXPECT_NE(panel->GetLook(-1).Get(), second.Get()) << "no visible look: the first look";
}

TEST_F(ControlLooksTest, LookOperationsOnAMissingLookReportIt) {
  const RCPtr<LControl> bare(new LControl(nullptr, u"bare"));
  EXPECT_EQ(bare->SetLookPart(nullptr, ResizeType::Stretch, 0, false), E_FAIL);
  EXPECT_EQ(bare->SetLookForegroundPart(nullptr, 0), E_FAIL);
  EXPECT_EQ(panel->SetLookForegroundPart(nullptr, 0), E_INVALIDARG);
  EXPECT_EQ(bare->SetLookRegion(0, Region()), E_INVALIDARG);
  EXPECT_EQ(bare->GetLookColorAt({0, 0}, 0), 0x00FFFFFFu);
  EXPECT_TRUE(bare->IsTransparentAt({0, 0}));
  EXPECT_EQ(panel->SetLookPart(nullptr, ResizeType::Stretch, 0, false), S_FALSE) << "no overlay to remove";
}

TEST_F(ControlLooksTest, ALookRegionExcludingAnotherCoversTheRestOfTheControl) {
  panel->AddLook(LLook::Create(panel->GetLook(0)->GetDescriptor(), false));
  Region corner;
  corner.AddRect({0, 0, 10, 10});
  ASSERT_EQ(panel->SetLookRegion(1, corner), S_OK);
  ASSERT_EQ(panel->SetLookRegionExcluding(0, 1), S_OK);
  Region covered = panel->GetLook(0)->GetRegion();
  EXPECT_FALSE(covered.Intersects({0, 0, 10, 10}));
  EXPECT_TRUE(covered.Intersects({10, 0, 100, 60}));
  panel->ClearAllLookRegions();
  EXPECT_TRUE(panel->GetLook(0)->GetRegion().IsEmpty());
}

// Invalidation climbs to the root window, clipped where the controls clip.
TEST_F(ControlLooksTest, InvalidationIsClippedByParentsOnlyForControlsThatClip) {
  struct Row {
    const char* what;
    const char16_t* child;
    RectT<double> rect;
    RectT<int32_t> expected;
  } rows[] = {
      {"a clipping child is cut at its parent's rect", u"button", {-20, -20, 40, 40}, {0, 0, 34, 34}},
      {"a child that does not clip invalidates all of it", u"badge", {0, 0, 30, 20}, {84, 54, 30, 20}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    window->invalidated.clear();
    LControl& child = Child(row.child);
    child.InvalidateRect(row.rect, child.ClipsToParent());
    ASSERT_EQ(window->invalidated.size(), 1u);
    EXPECT_EQ(window->invalidated[0], row.expected);
  }
}

TEST_F(ControlLooksTest, NothingIsInvalidatedBelowAHiddenControlOrOutsideItsParent) {
  EXPECT_EQ(Child(u"button").InvalidateRect({200, 200, 10, 10}, true), S_FALSE);
  panel->SetVisible(false);
  window->invalidated.clear();
  EXPECT_EQ(Child(u"button").InvalidateRect({0, 0, 10, 10}, true), S_FALSE);
  EXPECT_TRUE(window->invalidated.empty());
}

}  // namespace
}  // namespace SV
