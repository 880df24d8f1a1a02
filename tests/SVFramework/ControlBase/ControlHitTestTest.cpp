#include <gtest/gtest.h>

#include <climits>

#include "SVFramework/ControlBase/Control.h"
#include "tests/Support/Controls/PaintingSkin.h"
#include "tests/Support/Controls/StandInRootWindow.h"
#include "tests/Support/Renderer/GuiTestApplication.h"

namespace SV {
namespace {

class ControlHitTestTest : public Testing::PaintedPanelTest {
protected:
  // What the root window asks: the root control at depth INT32_MIN, inside ancestors.
  String Hit(PointT<int32_t> point, PointT<int32_t>* local = nullptr) {
    int32_t depth = INT32_MIN;
    PointT<int32_t> inHit;
    const RCPtr<LControl> hit = panel->HitTest(point, true, inHit, depth);
    if (local) *local = inHit;
    return hit ? hit->GetName() : String(u"nothing");
  }
};

TEST_F(ControlHitTestTest, PointsFindTheControlWhosePixelsAreNotTransparent) {
  struct Row {
    const char* what;
    PointT<int32_t> point;
    const char16_t* expected;
  } rows[] = {
      {"the button's opaque half", {15, 16}, u"button"},
      {"the button's transparent half passes to the panel", {35, 16}, u"panel"},
      {"the panel's top bar", {50, 1}, u"panel"},
      {"the panel's transparent frame", {1, 30}, u"nothing"},
      {"the badge outside the panel", {110, 70}, u"badge"},
      {"the badge over the panel, above the panel's children", {90, 55}, u"badge"},
      {"beyond everything", {119, 20}, u"nothing"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(Hit(row.point), String(row.expected));
  }
}

TEST_F(ControlHitTestTest, TheHitControlReceivesThePointInItsOwnCoordinates) {
  PointT<int32_t> local;
  ASSERT_EQ(Hit({15, 16}, &local), String(u"button"));
  EXPECT_EQ(local, (PointT<int32_t>{1, 2}));
}

TEST_F(ControlHitTestTest, AScrolledChildIsNotHitOutsideItsParentsClientArea) {
  static_cast<Testing::PaintedControl&>(*panel).SetScrollOffsetDirect({0, 12});
  EXPECT_EQ(Hit({15, 2}), String(u"panel")) << "the button lies under the top bar there";
  EXPECT_EQ(Hit({15, 5}), String(u"button"));
}

TEST_F(ControlHitTestTest, AControlWithoutVisibleLooksIsNeverHitNorAreItsChildren) {
  panel->SetLookWeight(0, 0.0f, false);
  EXPECT_EQ(Hit({15, 16}), String(u"nothing"));
  EXPECT_EQ(Hit({50, 1}), String(u"nothing"));
}

TEST_F(ControlHitTestTest, EmptyLookSlotsAndPartsThatDidNotLoadAreNotHit) {
  const RCPtr<LControl> gapped = skin.Create(u"gapped", window.Get());
  ASSERT_TRUE(gapped);
  gapped->SetRect({0, 0, 20, 20});
  PointT<int32_t> local;
  int32_t depth = INT32_MIN;
  EXPECT_FALSE(gapped->HitTest({5, 5}, true, local, depth)) << "its only weight is on the empty first slot";
  gapped->SetExclusiveLook(1);
  EXPECT_TRUE(gapped->HitTest({5, 5}, true, local, depth));
  gapped->Detach();

  const RCPtr<LControl> broken = skin.Create(u"broken", window.Get());
  ASSERT_TRUE(broken);
  broken->SetRect({0, 0, 20, 20});
  depth = INT32_MIN;
  EXPECT_FALSE(broken->HitTest({2, 2}, true, local, depth));
  EXPECT_EQ(broken->GetLookColorAt({2, 2}, 0), 0x00FFFFFFu);
  broken->Detach();
}

}  // namespace
}  // namespace SV
