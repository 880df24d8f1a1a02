#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/ControlBase/Control.h"
#include "tests/Support/Controls/InstrumentedControl.h"
#include "tests/Support/Controls/StandInRootWindow.h"
#include "tests/Support/Renderer/StandInApplication.h"

namespace SV {
namespace {

using Strings = std::vector<std::string>;
using Testing::InstrumentedControl;
using Testing::PlaceAt;
using Testing::LifeRecord;
using Testing::StandInApplication;
using Testing::StandInCursorNames;
using Testing::StandInRootWindow;

Strings gDrops;

// A control that chooses its drag mode when the left button goes down, as widgets do.
class DragControl : public InstrumentedControl {
public:
  using InstrumentedControl::InstrumentedControl;
  void OnConditionsChanged(const RCPtr<LConditionsParam>& change) override {
    if ((change->current & 0x10) != 0 && (change->previous & 0x10) == 0) SetDragMode(mode, flags);
  }
  // Lets the pointer go far beyond the parent, so that only the one-pixel rule holds a resize.
  void GetDragLimits(RectT<double>& limits) override {
    if (wideLimits) limits = {-1000, -1000, 3000, 3000};
  }
  using InstrumentedControl::GetDragVelocity;
  int32_t mode = 0;
  int32_t flags = 0;
  bool wideLimits = false;
};

// A control that accepts every drop and records what it is told.
class DropBin : public InstrumentedControl {
public:
  using InstrumentedControl::InstrumentedControl;
  bool CanAcceptDrop(const RCPtr<LControl>&) override { return true; }
  void OnDragEnter(const RCPtr<LControl>& dragged) override { Note("enter", dragged); }
  void OnDragOver(const RCPtr<LControl>& dragged, PointT<int32_t>) override { Note("over", dragged); }
  void OnDragLeave(const RCPtr<LControl>& dragged) override { Note("leave", dragged); }
  SVRESULT AcceptDrop(const RCPtr<LControl>& dragged) override {
    Note("accept", dragged);
    return S_OK;
  }

private:
  void Note(const char* what, const RCPtr<LControl>& dragged) {
    gDrops.push_back(std::string(what) + " " + dragged->GetName().ToUTF8().GetString());
  }
};

// top (400 x 400) > parent at (10, 10), 200 x 200 > mover at (20, 20), 40 x 30, and a
// drop bin beside the parent. The pointer is pressed at (5, 5) on the mover.
class ControlDragTest : public ::testing::Test {
protected:
  void SetUp() override {
    gDrops.clear();
    top = InstrumentedControl::MakeCreated(record, nullptr, u"top");
    parent = InstrumentedControl::MakeCreated(record, top, u"parent");
    mover = RCPtr<DragControl>(new DragControl(record, parent, u"mover"));
    mover->FinishCreation();
    bin = RCPtr<DropBin>(new DropBin(record, top, u"bin"));
    bin->FinishCreation();
    top->SetRootWindow(window.Get());
    window->rootControl = top;
    window->osWindow = &osWindow;
    window->mouseButtons = 1;
    PlaceAt(*top, {0, 0, 400, 400});
    PlaceAt(*parent, {10, 10, 200, 200});
    PlaceAt(*mover, {20, 20, 40, 30});
    PlaceAt(*bin, {250, 10, 100, 100});
  }
  void TearDown() override {
    window->Forget();
    top->SetRootWindow(nullptr);
  }

  void Press(int32_t mode, int32_t flags) {
    mover->mode = mode;
    mover->flags = flags;
    mover->OnMouseDown(MakeMouseButtonParam(1, {5, 5}, 0, 0, 1, 0));
  }
  // Moves the pointer to a point of the parent's content, `milliseconds` after the last.
  void MoveTo(PointT<double> inParent, uint32_t milliseconds = 10) {
    application.Advance(milliseconds);
    const RectT<double>& rect = mover->GetRect();
    const PointT<double> scroll = parent->GetScrollOffset();
    window->cursorPosition = RoundToLongPoint({inParent.x + 10 - scroll.x, inParent.y + 10 - scroll.y});
    mover->OnMouseMove(MakePointWithModifiersParam(
        RoundToLongPoint({inParent.x - rect.x, inParent.y - rect.y}), 0, 0));
  }
  void Release(uint32_t milliseconds = 10) {
    application.Advance(milliseconds);
    window->mouseButtons = 0;
    mover->OnMouseUp(MakeMouseButtonParam(1, {5, 5}, 0, 0, 0, 0));
  }

  StandInApplication application;
  StandInCursorNames cursors;
  Testing::StandInOSWindow osWindow;
  RCPtr<StandInRootWindow> window = StandInRootWindow::Create();
  LifeRecord record;
  RCPtr<InstrumentedControl> top, parent;
  RCPtr<DragControl> mover;
  RCPtr<DropBin> bin;
};

TEST_F(ControlDragTest, AMoveFollowsThePointerOnlyWhileThePointerStaysInTheParentsVisibleArea) {
  Press(2, 3);
  MoveTo({55, 40});
  EXPECT_EQ(mover->GetRect().x, 50);
  EXPECT_EQ(mover->GetRect().y, 35);
  MoveTo({500, 40});
  EXPECT_EQ(mover->GetRect().x, 195) << "pointer held at the right edge (200)";
  MoveTo({-50, -50});
  EXPECT_EQ(mover->GetRect().x, -5) << "pointer held at the left edge (0)";
  EXPECT_EQ(mover->GetRect().y, -5);
}

TEST_F(ControlDragTest, AMoveAlongOneAxisLeavesTheOtherAlone) {
  Press(3, 1);
  MoveTo({55, 80});
  EXPECT_EQ(mover->GetRect().x, 50);
  EXPECT_EQ(mover->GetRect().y, 20);
}

TEST_F(ControlDragTest, ResizingByAnEdgeKeepsAtLeastOnePixel) {
  struct Case {
    const char* what;
    int32_t edge;
    PointT<double> pointer;
    RectT<double> expected;
  };
  const Case cases[] = {
      {"right edge grows", 4, {45, 25}, {20, 20, 60, 30}},
      {"right edge stops at 1", 4, {-100, 25}, {20, 20, 1, 30}},
      {"left edge moves and shrinks", 8, {35, 25}, {30, 20, 30, 30}},
      {"left edge stops at 1", 8, {190, 25}, {59, 20, 1, 30}},
      {"bottom edge stops at 1", 0x20, {25, -100}, {20, 20, 40, 1}},
      {"top edge stops at 1", 0x10, {25, 190}, {20, 49, 40, 1}},
  };
  mover->wideLimits = true;
  for (const Case& c : cases) {
    PlaceAt(*mover, {20, 20, 40, 30});
    window->mouseButtons = 1;
    Press(4, c.edge);
    MoveTo(c.pointer);
    EXPECT_EQ(mover->GetRect(), c.expected) << c.what;
    Release();
  }
}

TEST_F(ControlDragTest, HoldingThePointerInTheEdgeMarginScrollsTheParentAndTheControlFollows) {
  Press(3, 3);
  MoveTo({185, 100});
  ASSERT_TRUE(parent->IsScrollAnimating(0));
  EXPECT_FALSE(parent->IsScrollAnimating(1));
  const double before = mover->GetRect().x;

  application.Advance(33);
  window->Idle();
  EXPECT_EQ(parent->GetScrollOffset().x, 8) << "(15 + 1) x 15 pixels per second for 33 ms";
  EXPECT_EQ(mover->GetRect().x, before + 8);

  MoveTo({100, 100});
  EXPECT_FALSE(parent->IsScrollAnimating(0));
  EXPECT_EQ(parent->GetIdleCount(), 0);
}

TEST_F(ControlDragTest, APlainMoveNeverScrollsTheParent) {
  Press(2, 3);
  MoveTo({185, 100});
  EXPECT_FALSE(parent->IsScrollAnimating(0));
}

TEST_F(ControlDragTest, AQuickReleaseOfAContentScrollFlingsAndASlowOneDoesNot) {
  struct Case {
    const char* what;
    uint32_t pause;
    bool flings;
  };
  for (const Case c : {Case{"quick", 10, true}, Case{"after a pause", 150, false}}) {
    window->mouseButtons = 1;
    mover->SetScrollOffset({0, 0});
    Press(6, 2);
    const RectT<double> rect = mover->GetRect();
    for (int step = 1; step <= 4; ++step) MoveTo({rect.x + 5, rect.y + 5 - 20.0 * step});
    EXPECT_EQ(mover->GetScrollOffset().y, 80) << c.what;
    EXPECT_EQ(mover->GetScrollOffset().x, 0) << c.what;
    EXPECT_GE(mover->GetDragVelocity().y, 2000) << c.what << ": smoothed over the last steps";
    Release(c.pause);
    EXPECT_EQ(mover->IsScrollAnimating(1), c.flings) << c.what << " " << mover->GetDragVelocity().y;
    EXPECT_FALSE(mover->IsScrollAnimating(0)) << c.what;
    mover->StopScrollAnimation(1);
  }
}

TEST_F(ControlDragTest, ACarriedControlIsOfferedToDropTargetsAndDroppedOnRelease) {
  window->hitTest = [this](PointT<int32_t> point) {
    return point.x >= 250 ? RCPtr<LControl>(bin.Get()) : RCPtr<LControl>(parent.Get());
  };
  Press(1, 3);
  MoveTo({60, 30});
  EXPECT_FALSE(mover->ClipsToParent()) << "drawn above everything while carried";
  EXPECT_TRUE(mover->GetLayout()->Placement[0].docked);
  MoveTo({260, 30});
  EXPECT_EQ(window->cursor, StandInCursorNames::kDropMove);
  MoveTo({60, 30});
  EXPECT_EQ(window->cursor, StandInCursorNames::kNoDrop);
  MoveTo({270, 30});
  MoveTo({275, 30});
  Release();

  EXPECT_EQ(gDrops, (Strings{"enter mover", "over mover", "leave mover", "enter mover", "over mover", "over mover",
                             "accept mover", "leave mover"}));
  EXPECT_EQ(window->cursor, StandInCursorNames::kArrow);
  EXPECT_TRUE(mover->ClipsToParent());
  EXPECT_FALSE(mover->GetLayout()->Placement[0].docked);
  EXPECT_FALSE(mover->GetLayout()->Placement[1].docked);
}

TEST_F(ControlDragTest, ADropOverNothingLeavesTheControlWhereItWasDroppedAsBefore) {
  Press(1, 3);
  MoveTo({60, 30});
  Release();
  EXPECT_TRUE(gDrops.empty());
  EXPECT_EQ(mover->GetRect().x, 55);
  EXPECT_EQ(mover->GetRect().y, 25);
  EXPECT_TRUE(mover->ClipsToParent());
  EXPECT_FALSE(mover->GetLayout()->Placement[0].docked);
  EXPECT_EQ(mover->GetLayout()->Placement[0].abs, 55);
}

TEST_F(ControlDragTest, AnEndWithoutABeginChangesNothing) {
  EXPECT_EQ(mover->EndDrag(), S_OK);
  EXPECT_TRUE(mover->ClipsToParent());
  EXPECT_EQ(mover->GetRect(), (RectT<double>{20, 20, 40, 30}));
  EXPECT_EQ(mover->DragTo(nullptr), E_INVALIDARG);
}

}  // namespace
}  // namespace SV
