#include "SVFramework/ControlBase/ControlCreation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/ControlBase/ControlFactory.h"

namespace SV {
namespace {

std::vector<std::string> gCreationSteps;

// Records each creation step with its name and whether the control counted as
// created at that moment.
class RecordingControl : public LControl {
public:
  RecordingControl(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) { Record("construct"); }
  ~RecordingControl() override { ++destroyed; }

  SVRESULT ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) override {
    Record("apply");
    return LControl::ApplyDescriptor(descriptor);
  }
  SVRESULT CreateChildren(const RCPtr<LControlDescriptor>& descriptor) override {
    Record("children");
    return LControl::CreateChildren(descriptor);
  }
  SVRESULT Initialize() override {
    Record(IsCreated() ? "initialize(created)" : "initialize");
    return S_OK;
  }
  void OnDescriptorApplied() override { Record(IsCreated() ? "applied(created)" : "applied"); }

  static int destroyed;

private:
  void Record(const char* step) { gCreationSteps.push_back(GetName().ToUTF8().GetString() + std::string(":") + step); }
};

int RecordingControl::destroyed = 0;

class ControlCreationTest : public ::testing::Test {
protected:
  void SetUp() override {
    gCreationSteps.clear();
    RecordingControl::destroyed = 0;
    factory = LControlFactory::Create(u"PresetEditor");
    factory->RegisterControlCreateFunction(u"Test.Recording", &LControlCreation::Create<RecordingControl>);
    SetApplicationControlFactory(factory);
  }
  void TearDown() override { SetApplicationControlFactory(nullptr); }

  static RCPtr<LControlDescriptor> Describe(const char16_t* name, LControlDescriptor* parent) {
    RCPtr<LControlDescriptor> descriptor = LControlDescriptor::Create(u"Test.Recording", name, parent);
    if (parent) parent->AddChild(descriptor);
    return descriptor;
  }

  RCPtr<LControlFactory> factory;
};

TEST_F(ControlCreationTest, EachControlIsBuiltInTheFixedOrderAndMarkedCreatedLast) {
  const RCPtr<LControlDescriptor> parent = Describe(u"parent", nullptr);
  const RCPtr<LControlDescriptor> first = Describe(u"first", parent.Get());
  Describe(u"second", parent.Get());
  Describe(u"grandchild", first.Get());

  RCPtr<LControl> control;
  factory->CreateControl(control, parent, nullptr);
  ASSERT_TRUE(control);
  const std::vector<std::string> expected = {
      "parent:construct",    "parent:apply",        "parent:children",   "first:construct",
      "first:apply",         "first:children",      "grandchild:construct", "grandchild:apply",
      "grandchild:children", "grandchild:initialize", "grandchild:applied", "first:initialize",
      "first:applied",       "second:construct",    "second:apply",      "second:children",
      "second:initialize",   "second:applied",      "parent:initialize", "parent:applied",
  };
  EXPECT_EQ(gCreationSteps, expected);
  EXPECT_TRUE(control->IsCreated());
  ASSERT_EQ(control->GetChildren().GetCount(), 2u);
  EXPECT_TRUE(control->GetChildren()[0]->IsCreated());
  EXPECT_EQ(control->GetChildren()[0]->GetParent(), control.Get());
  EXPECT_EQ(control->GetChildren()[1]->GetName(), u"second");
  EXPECT_EQ(control->GetDescriptor().Get(), parent.Get());
}

TEST_F(ControlCreationTest, ATreeIsFreedWithItsLastReference) {
  const RCPtr<LControlDescriptor> parent = Describe(u"parent", nullptr);
  Describe(u"child", parent.Get());
  RCPtr<LControl> control;
  factory->CreateControl(control, parent, nullptr);
  control = nullptr;
  EXPECT_EQ(RecordingControl::destroyed, 2);
}

TEST_F(ControlCreationTest, AnEmptyDescriptorMakesNoControl) {
  RCPtr<LControl> control(new RecordingControl(nullptr, u"old"));
  LControlCreation::Create<RecordingControl>(control, nullptr, nullptr);
  EXPECT_FALSE(control);
}

}  // namespace
}  // namespace SV
