#include "SVFramework/ControlBase/ControlDescriptor.h"

#include <gtest/gtest.h>

namespace SV {
namespace {

class ControlDescriptorTest : public ::testing::Test {
protected:
  void SetUp() override {
    root = LControlDescriptor::Create(u"Application", u"PresetEditor", nullptr);
    panel = LControlDescriptor::Create(u"Framework.Panel", u"panel", root.Get());
    root->AddChild(panel);
    child = LControlDescriptor::Create(u"Framework.Label", u"label", panel.Get());
    panel->AddChild(child);
    panel->SetLayout(LLayoutDescriptor::Create());
    panel->SetSkin(LSkinDescriptor::Create(u"panelSkin"));
    panel->SetCreateParams(LStringTable::Create({{u"TEXT", u"x"}}));
  }

  RCPtr<LControlDescriptor> root, panel, child;
};

TEST_F(ControlDescriptorTest, ACopySharesChildrenSkinLayoutAndParametersAndTakesTheNewName) {
  const RCPtr<LControlDescriptor> copy = panel->Copy(u"panel2");
  EXPECT_EQ(copy->Name, u"panel2");
  EXPECT_EQ(copy->ClassName, u"Framework.Panel");
  ASSERT_EQ(copy->Children.GetCount(), 1u);
  EXPECT_EQ(copy->Children[0].Get(), child.Get());
  EXPECT_EQ(copy->Skin.Get(), panel->Skin.Get());
  EXPECT_EQ(copy->Layout.Get(), panel->Layout.Get());
  EXPECT_EQ(copy->CreateParams.Get(), panel->CreateParams.Get());
  child->Name = u"renamed";
  EXPECT_EQ(copy->Children[0]->Name, u"renamed");
  copy->Layout->IsVisible = false;
  EXPECT_FALSE(panel->Layout->IsVisible);
}

TEST_F(ControlDescriptorTest, ACopyWithAnEmptyNameKeepsTheNameAndTheParentThatDoesNotListIt) {
  const RCPtr<LControlDescriptor> copy = panel->Copy(u"");
  EXPECT_EQ(copy->Name, u"panel");
  EXPECT_EQ(copy->Parent, root.Get());
  EXPECT_EQ(root->Children.GetCount(), 1u);
  copy->AddChild(LControlDescriptor::Create(u"Framework.Button", u"extra", copy.Get()));
  EXPECT_EQ(panel->Children.GetCount(), 1u);
}

TEST_F(ControlDescriptorTest, ACopyKeepsTheCachedCreateFunction) {
  const LControlCreateFunction function = [](RCPtr<LControl>& out, const RCPtr<LControl>&,
                                             const RCPtr<LControlDescriptor>&) -> RCPtr<LControl>& { return out; };
  panel->CreateFunction = function;
  EXPECT_EQ(panel->Copy(u"x")->CreateFunction, function);
}

TEST_F(ControlDescriptorTest, OnlyTheApplicationClassMarksASkinRoot) {
  EXPECT_TRUE(root->IsSkinRoot());
  EXPECT_FALSE(panel->IsSkinRoot());
}

}  // namespace
}  // namespace SV
