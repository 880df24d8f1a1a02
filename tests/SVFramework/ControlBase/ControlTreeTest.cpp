#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "SVFramework/ControlBase/Control.h"
#include "tests/Support/Controls/InstrumentedControl.h"
#include "tests/Support/Controls/StandInRootWindow.h"

namespace SV {
namespace {

using Testing::InstrumentedControl;
using Testing::LifeRecord;
using Testing::StandInRootWindow;

class ControlTreeTest : public ::testing::Test {
protected:
  RCPtr<InstrumentedControl> Make(const RCPtr<LControl>& parent, const char16_t* name) {
    return InstrumentedControl::Make(life, parent, name);
  }
  static std::vector<std::u16string> NamesIn(const LControl& parent, ChildOrder order) {
    std::vector<std::u16string> names;
    for (uint32_t index = 0; index < parent.GetChildCount(); ++index)
      names.push_back(parent.GetChildAt(index, order)->GetName().GetString());
    return names;
  }

  LifeRecord life;
};

TEST_F(ControlTreeTest, ASecondChildWithATakenNameIsRefusedAndTheListKeepsOne) {
  const RCPtr<InstrumentedControl> parent = Make(nullptr, u"parent");
  const RCPtr<InstrumentedControl> first = Make(parent, u"twin");
  const RCPtr<InstrumentedControl> second = Make(nullptr, u"twin");

  EXPECT_EQ(second->SetParent(parent), E_FAIL);
  EXPECT_EQ(parent->GetChildCount(), 1u);
  EXPECT_EQ(second->GetParent(), nullptr);
  EXPECT_EQ(first->GetParent(), parent.Get());
}

TEST_F(ControlTreeTest, ReadingPastTheChildrenOrInAnUnknownOrderRaises) {
  const RCPtr<InstrumentedControl> parent = Make(nullptr, u"parent");
  Make(parent, u"only");
  EXPECT_THROW(parent->GetChildAt(1, ChildOrder::InsertionOrder), std::runtime_error);
  EXPECT_THROW(parent->GetChildAt(0, static_cast<ChildOrder>(3)), std::runtime_error);
}

TEST_F(ControlTreeTest, PaintOrderPutsClippingChildrenFirstThenFewerDockedAxesThenLowerZOrder) {
  struct Child {
    const char16_t* name;
    bool clip;
    bool dockedX;
    bool dockedY;
    int32_t z;
  };
  // Insertion order differs from every key so that each rule shows.
  const std::vector<Child> children = {
      {u"unclipped", false, false, false, -5}, {u"dockedBoth", true, true, true, 0},
      {u"dockedX", true, true, false, 0},      {u"highZ", true, false, false, 3},
      {u"lowZ", true, false, false, 1},        {u"lowZTwin", true, false, false, 1},
  };
  const RCPtr<InstrumentedControl> parent = Make(nullptr, u"parent");
  for (const Child& child : children) {
    const RCPtr<LLayoutDescriptor> layout = LLayoutDescriptor::Create();
    layout->ClipToParent = child.clip;
    layout->Placement[0].docked = child.dockedX;
    layout->Placement[1].docked = child.dockedY;
    layout->Z_Order = child.z;
    Make(parent, child.name)->SetLayout(layout);
  }
  const std::vector<std::u16string> expected = {u"lowZ", u"lowZTwin", u"highZ", u"dockedX", u"dockedBoth",
                                                u"unclipped"};
  EXPECT_EQ(NamesIn(*parent, ChildOrder::PaintOrder), expected);
  EXPECT_EQ(NamesIn(*parent, ChildOrder::InsertionOrder).front(), u"unclipped");
}

TEST_F(ControlTreeTest, TabOrderFollowsTabStopThenInsertionAndIsResortedAfterAChange) {
  const RCPtr<InstrumentedControl> parent = Make(nullptr, u"parent");
  const RCPtr<InstrumentedControl> a = Make(parent, u"a");
  const RCPtr<InstrumentedControl> b = Make(parent, u"b");
  const RCPtr<InstrumentedControl> c = Make(parent, u"c");
  a->GetLayout()->TabStop = 2;
  a->MarkParentOrderChanged();
  EXPECT_EQ(NamesIn(*parent, ChildOrder::TabOrder), (std::vector<std::u16string>{u"b", u"c", u"a"}));

  b->GetLayout()->TabStop = 5;
  EXPECT_EQ(parent->IndexOfChild(b.Get(), ChildOrder::TabOrder), 0) << "no re-sort before a change is announced";
  b->MarkParentOrderChanged();
  EXPECT_EQ(NamesIn(*parent, ChildOrder::TabOrder), (std::vector<std::u16string>{u"c", u"a", u"b"}));
  EXPECT_EQ(NamesIn(*parent, ChildOrder::InsertionOrder), (std::vector<std::u16string>{u"a", u"b", u"c"}));
}

TEST_F(ControlTreeTest, AnUnclippedGrandchildCountsInEveryAncestorUntilItsBranchIsRemoved) {
  const RCPtr<InstrumentedControl> top = Make(nullptr, u"top");
  const RCPtr<InstrumentedControl> child = Make(top, u"child");
  const RCPtr<InstrumentedControl> grandchild = Make(child, u"grandchild");

  EXPECT_FALSE(grandchild->SetClipToParent(false));
  EXPECT_EQ(child->GetUnclippedDescendantCount(), 1);
  EXPECT_EQ(top->GetUnclippedDescendantCount(), 1);
  EXPECT_EQ(grandchild->GetEffectiveZOrder(), 0);
  EXPECT_EQ(child->GetEffectiveZOrder(), INT32_MIN);

  child->SetParent(nullptr);
  EXPECT_EQ(top->GetUnclippedDescendantCount(), 0);
  EXPECT_EQ(child->GetUnclippedDescendantCount(), 1);
  child->SetParent(top);
  EXPECT_EQ(top->GetUnclippedDescendantCount(), 1) << "the branch brings its count along";
}

TEST_F(ControlTreeTest, RenamingFollowsSiblingReferencesAndRefusesTakenNames) {
  const RCPtr<InstrumentedControl> parent = Make(nullptr, u"parent");
  const RCPtr<InstrumentedControl> anchor = Make(parent, u"anchor");
  const RCPtr<InstrumentedControl> other = Make(parent, u"other");
  other->GetLayout()->Placement[0].reference = PositionReference::NamedControl;
  other->GetLayout()->Placement[0].name = u"anchor";

  EXPECT_EQ(parent->RenameChild(anchor.Get(), u"other"), E_FAIL);
  EXPECT_EQ(parent->RenameChild(anchor.Get(), u"anchor"), S_FALSE);
  EXPECT_EQ(parent->RenameChild(parent.Get(), u"fresh"), E_INVALIDARG);
  EXPECT_EQ(parent->RenameChild(anchor.Get(), u"moved"), S_OK);
  EXPECT_EQ(anchor->GetName(), u"moved");
  EXPECT_EQ(other->GetLayout()->Placement[0].name, u"moved");
  EXPECT_EQ(parent->FindChild(u"moved").Get(), anchor.Get());
  EXPECT_FALSE(parent->FindChild(u"anchor"));
}

TEST_F(ControlTreeTest, DroppingTheLastOutsideReferenceFreesTheWholeTreeOnce) {
  {
    RCPtr<InstrumentedControl> top = Make(nullptr, u"top");
    const RCPtr<InstrumentedControl> child = Make(top, u"child");
    Make(child, u"grandchild");
    Make(top, u"second");
    EXPECT_EQ(top->GetInternalRefCount(), 2) << "each child's parent reference is internal";
  }
  EXPECT_EQ(life.constructed, 4);
  EXPECT_EQ(life.destroyed, 4);
}

TEST_F(ControlTreeTest, AChildHeldOutsideOutlivesItsParentWithoutOne) {
  RCPtr<InstrumentedControl> kept;
  {
    const RCPtr<InstrumentedControl> top = Make(nullptr, u"top");
    kept = Make(top, u"kept");
  }
  EXPECT_EQ(life.destroyed, 1);
  EXPECT_EQ(kept->GetParent(), nullptr);
  kept.Reset();
  EXPECT_EQ(life.destroyed, 2);
}

TEST_F(ControlTreeTest, SubscriptionsBetweenControlsOfATreeDoNotKeepItAlive) {
  {
    const RCPtr<InstrumentedControl> top = Make(nullptr, u"top");
    const RCPtr<InstrumentedControl> child = Make(top, u"child");
    child->Subscribe(RCPtr<LNotificationDistributor>(top.Get()), u"NID_VALUE_CHANGE");
    top->Subscribe(RCPtr<LNotificationDistributor>(child.Get()), u"NID_VALUE_CHANGE");
  }
  EXPECT_EQ(life.Alive(), 0);
}

TEST_F(ControlTreeTest, NotificationsReachTheHandlersOnlyOnceTheControlIsCreated) {
  const RCPtr<InstrumentedControl> control = Make(nullptr, u"control");
  EXPECT_EQ(control->Receive(nullptr, LNotification::Create(u"NID_X", nullptr)), 1) << "not yet created";
  control->FinishCreation();
  EXPECT_EQ(control->Receive(nullptr, LNotification::Create(u"NID_X", nullptr)), 0) << "no handler table";
}

TEST_F(ControlTreeTest, ARootWindowGetsTheTopLevelTextAsTitleAndDetachLetsItGo) {
  Testing::StandInOSWindow osWindow;
  const RCPtr<StandInRootWindow> window = StandInRootWindow::Create();
  window->osWindow = &osWindow;
  const RCPtr<InstrumentedControl> top = Make(nullptr, u"top");
  const RCPtr<InstrumentedControl> child = Make(top, u"child");
  top->SetText(u"Corvex");

  EXPECT_EQ(child->SetRootWindow(window.Get()), E_FAIL);
  EXPECT_EQ(top->SetRootWindow(window.Get()), S_OK);
  EXPECT_EQ(osWindow.titles, std::vector<String>{u"Corvex"});
  EXPECT_EQ(child->GetRootWindow(), window.Get());

  EXPECT_EQ(top->Detach(), S_OK);
  EXPECT_EQ(child->GetRootWindow(), nullptr);
  EXPECT_EQ(window->GetRefCount(), 1);
}

TEST_F(ControlTreeTest, DetachingAChildTakesItOutOfItsParentWithNoIdleUnitLeft) {
  const RCPtr<StandInRootWindow> window = StandInRootWindow::Create();
  const RCPtr<InstrumentedControl> top = Make(nullptr, u"top");
  top->SetRootWindow(window.Get());
  const RCPtr<InstrumentedControl> child = Make(top, u"child");
  child->AcquireIdle();
  child->AcquireIdle();

  EXPECT_EQ(child->Detach(), S_OK);
  EXPECT_EQ(child->GetParent(), nullptr);
  EXPECT_EQ(child->GetIdleCount(), 0);
  EXPECT_EQ(window->GetRegistrationCount(), 0);
  ASSERT_EQ(top->removed.size(), 1u);
  EXPECT_EQ(top->removed[0].index, 0);
}

// A child that detaches its siblings while the tree gets its root window: the walk
// over the children must notice that they are gone.
TEST_F(ControlTreeTest, AChildDetachingItsSiblingsDuringATreeWalkEndsTheWalkSafely) {
  const RCPtr<StandInRootWindow> window = StandInRootWindow::Create();
  const RCPtr<InstrumentedControl> top = Make(nullptr, u"top");
  const RCPtr<InstrumentedControl> first = Make(top, u"first");
  const RCPtr<InstrumentedControl> second = Make(top, u"second");
  const RCPtr<InstrumentedControl> last = Make(top, u"last");
  last->onRootWindowChanged = [&] {
    first->Detach();
    second->Detach();
    last->Detach();
  };

  EXPECT_NO_THROW(top->SetRootWindow(window.Get()));
  EXPECT_EQ(top->GetChildCount(), 0u);
}

TEST_F(ControlTreeTest, AdoptingGivesTheChildItsParentAndDescriptorUnlessTheNameIsTaken) {
  const RCPtr<InstrumentedControl> parent = Make(nullptr, u"parent");
  Make(parent, u"taken");
  const RCPtr<LControlDescriptor> descriptor = LControlDescriptor::Create(u"C", u"free", nullptr);
  const RCPtr<InstrumentedControl> free = Make(nullptr, u"free");
  const RCPtr<InstrumentedControl> clash = Make(nullptr, u"taken");

  EXPECT_EQ(parent->AdoptChild(nullptr, descriptor), E_FAIL);
  EXPECT_EQ(parent->AdoptChild(free, nullptr), E_FAIL);
  EXPECT_EQ(parent->AdoptChild(free, descriptor), S_OK);
  EXPECT_EQ(free->GetDescriptor(), descriptor);
  EXPECT_EQ(parent->AdoptChild(clash, descriptor), E_FAIL);
  EXPECT_FALSE(clash->GetDescriptor());
}

TEST_F(ControlTreeTest, DescendantsAreCollectedDepthFirstAndUnclippedOnesOnlyWhenShown) {
  const RCPtr<InstrumentedControl> top = Make(nullptr, u"top");
  const RCPtr<InstrumentedControl> a = Make(top, u"a");
  const RCPtr<InstrumentedControl> a1 = Make(a, u"a1");
  const RCPtr<InstrumentedControl> b = Make(top, u"b");
  a1->SetClipToParent(false);
  b->SetClipToParent(false);

  RCPtrArray<LControl, 1, 0> all;
  EXPECT_EQ(top->CollectDescendants(all), 3u);
  EXPECT_EQ(all[1].Get(), a1.Get());

  RCPtrArray<LControl, 1, 0> unclipped;
  EXPECT_EQ(top->CollectUnclippedDescendants(unclipped, true, true), 2);
  a->SetVisible(false);
  unclipped.SetCount(0);
  EXPECT_EQ(top->CollectUnclippedDescendants(unclipped, true, true), 1) << "a hidden branch is skipped";
  EXPECT_EQ(unclipped[0].Get(), b.Get());
}

TEST_F(ControlTreeTest, PerformEditMustBeOverridden) {
  const RCPtr<InstrumentedControl> control = Make(nullptr, u"control");
  try {
    control->PerformEdit(u"NID_EDIT_CUT_REQ");
    FAIL() << "no exception";
  } catch (const std::logic_error& error) {
    EXPECT_NE(std::string(error.what()).find("LControl::PerformEdit must be overridden"), std::string::npos);
  }
}

}  // namespace
}  // namespace SV
