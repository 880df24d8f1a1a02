#include <gtest/gtest.h>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "tests/Support/Controls/StandInRootWindow.h"

namespace SV {
namespace {

class SkinnedControl : public LControl {
public:
  using LControl::LControl;
  using LControl::SetCaptureFlag;
  using LControl::SetHoverFlag;
};

// A factory that builds "Test.Skinned" controls, and descriptors for a panel with the
// named children; each record is 100 x 20.
class ControlSkinTest : public ::testing::Test {
protected:
  void SetUp() override {
    factory->RegisterControlCreateFunction(u"Test.Skinned", &LControlCreation::Create<SkinnedControl>);
    SetApplicationControlFactory(factory);
  }
  void TearDown() override {
    if (panel) panel->Detach();
    window->Forget();
    SetApplicationControlFactory(nullptr);
  }
  static RCPtr<LControlDescriptor> Describe(const char16_t* name, LControlDescriptor* parent) {
    RCPtr<LControlDescriptor> descriptor = LControlDescriptor::Create(u"Test.Skinned", name, parent);
    descriptor->Layout = LLayoutDescriptor::Create();
    descriptor->Layout->Size[0].abs = 100;
    descriptor->Layout->Size[1].abs = 20;
    if (parent) parent->AddChild(descriptor);
    return descriptor;
  }
  static RCPtr<LControlDescriptor> Panel(std::initializer_list<const char16_t*> children) {
    RCPtr<LControlDescriptor> descriptor = Describe(u"panel", nullptr);
    for (const char16_t* child : children) Describe(child, descriptor.Get());
    return descriptor;
  }
  SkinnedControl& Child(const char16_t* name) { return static_cast<SkinnedControl&>(*panel->FindChild(name)); }

  RCPtr<LControlFactory> factory = LControlFactory::Create(u"PresetEditor");
  RCPtr<Testing::StandInRootWindow> window = Testing::StandInRootWindow::Create();
  RCPtr<LControl> panel;
};

TEST_F(ControlSkinTest, ACreatedControlTakesItsOwnCopyOfTheRecordAndIsPlaced) {
  const RCPtr<LControlDescriptor> descriptor = Panel({u"a"});
  factory->CreateControl(panel, descriptor, nullptr);
  panel->SetRootWindow(window.Get());
  panel->RecomputePlacement();
  const LControl& a = Child(u"a");
  EXPECT_NE(a.GetLayout().Get(), descriptor->Children[0]->Layout.Get());
  EXPECT_EQ(a.GetRect(), (RectT<double>{0, 0, 100, 20}));
  EXPECT_EQ(a.GetConditions(), 0xC00u) << "enabled and visible from the start";
}

TEST_F(ControlSkinTest, AReskinKeepsChildrenByNameAndTheEnabledState) {
  factory->CreateControl(panel, Panel({u"keep", u"drop"}), nullptr);
  panel->SetRootWindow(window.Get());
  const RCPtr<LControl> kept(&Child(u"keep"));
  kept->SetEnabled(false);

  panel->ApplyDescriptor(Panel({u"fresh", u"keep"}));
  ASSERT_EQ(panel->GetChildCount(), 1u) << "no child is created by a re-skin";
  EXPECT_EQ(panel->GetChildAt(0).Get(), kept.Get());
  EXPECT_FALSE(kept->IsEnabled(false));
}

TEST_F(ControlSkinTest, ChildrenTheNewSkinLacksAreDetachedSoHoverAndCaptureLetGo) {
  factory->CreateControl(panel, Panel({u"keep", u"hovered", u"grabbing"}), nullptr);
  panel->SetRootWindow(window.Get());
  panel->RecomputePlacement();
  const RCPtr<SkinnedControl> hovered(&Child(u"hovered"));
  const RCPtr<SkinnedControl> grabbing(&Child(u"grabbing"));
  hovered->SetHoverFlag(true);
  hovered->UpdateConditions();
  window->hover = hovered;
  window->controlUnderPointer = panel;
  grabbing->SetCaptureFlag(true);
  grabbing->UpdateConditions();

  panel->ApplyDescriptor(Panel({u"keep"}));
  EXPECT_EQ(hovered->GetParent(), nullptr);
  EXPECT_EQ(window->hover.Get(), panel.Get()) << "the hover went to what lies under the pointer";
  EXPECT_FALSE(grabbing->HasCapture());
  EXPECT_EQ(grabbing->GetConditions() & 0x8u, 0u);
}

TEST_F(ControlSkinTest, AnUnclippedRecordCountsInTheParentOnceAcrossReskins) {
  const RCPtr<LControlDescriptor> descriptor = Panel({u"floating"});
  descriptor->Children[0]->Layout->ClipToParent = false;
  factory->CreateControl(panel, descriptor, nullptr);
  EXPECT_EQ(panel->GetUnclippedDescendantCount(), 1);
  panel->ApplyDescriptor(descriptor);
  EXPECT_EQ(panel->GetUnclippedDescendantCount(), 1);
}

}  // namespace
}  // namespace SV
