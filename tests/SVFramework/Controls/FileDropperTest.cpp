#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/Controls/FileDropper.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::WidgetHarness;

// A control that takes file-dropper tokens and keeps what it was given.
class DropTarget : public LControl {
public:
  using LControl::LControl;
  bool CanAcceptDrop(const RCPtr<LControl>& dragged) override {
    return dynamic_cast<LFileDropper*>(dragged.Get()) != nullptr;
  }
  SVRESULT AcceptDrop(const RCPtr<LControl>& dragged) override {
    dropped.push_back(dragged);
    return S_OK;
  }
  std::vector<RCPtr<LControl>> dropped;
};

class FileDropperTest : public ::testing::Test {
protected:
  void SetUp() override {
    harness.factory->RegisterControlCreateFunction(u"Test.DropTarget", &LControlCreation::Create<DropTarget>);
    harness.Build(R"(<SubControl Class="Test.DropTarget" Name="target" XPositionAbs="300" YPositionAbs="100" XSizeAbs="100" YSizeAbs="100">
  <Skin Name="s" LookList="Solid"/>
  <SubControl Class="Test.Window" Name="inner" XPositionAbs="10" YPositionAbs="10" XSizeAbs="20" YSizeAbs="20"><Skin Name="s" LookList="Solid"/></SubControl>
</SubControl>
<SubControl Class="Framework.FileDropper" Name="dropper" XPositionAbs="20" YPositionAbs="20" XSizeAbs="16" YSizeAbs="16" IsVisible="False"><Skin Name="s" LookList="Solid"/></SubControl>)",
                  WidgetHarness::kSolidLook);
    target = harness.Find<DropTarget>(u"target");
    dropper = harness.Find<LFileDropper>(u"dropper");
    ASSERT_TRUE(target && dropper);
  }
  void TearDown() override { target->dropped.clear(); }

  WidgetHarness harness;
  RCPtr<DropTarget> target;
  RCPtr<LFileDropper> dropper;
};

TEST_F(FileDropperTest, IsShownAndNeverTakesTheFocus) {
  EXPECT_TRUE(dropper->IsVisible(false));
  EXPECT_TRUE(dropper->IsNotFocusable());
}

TEST_F(FileDropperTest, DraggedOntoAControlThatAcceptsItIsDroppedThereAndGoneAfterTheNextIdlePass) {
  harness.Drag(harness.At(dropper), harness.At(target, {50, 50}));
  ASSERT_EQ(target->dropped.size(), 1u);
  EXPECT_EQ(target->dropped[0].Get(), dropper.Get());
  EXPECT_FALSE(dropper->IsVisible(false));
  ASSERT_TRUE(harness.root->FindChild(u"dropper"));
  harness.Idle();
  EXPECT_FALSE(harness.root->FindChild(u"dropper"));
}

TEST_F(FileDropperTest, DraggedOntoNothingStillVanishes) {
  harness.Drag(harness.At(dropper), {200, 400});
  EXPECT_TRUE(target->dropped.empty());
  harness.Idle();
  EXPECT_FALSE(harness.root->FindChild(u"dropper"));
}

TEST_F(FileDropperTest, FilesDroppedOnTheWindowReachTheControlUnderThePointerOrTheNearestOneOutwards) {
  const Array<String> files{u"/tmp/a.corvex", u"/tmp/b c.corvex"};
  const struct {
    const char* where;
    PointT<int32_t> point;
    bool accepted;
  } cases[] = {{"on the target", {350, 150}, true}, {"on its child", {315, 115}, true}, {"elsewhere", {100, 400}, false}};
  for (const auto& c : cases) {
    target->dropped.clear();
    EXPECT_EQ(harness.window->CanDropFiles(c.point), c.accepted) << c.where;
    EXPECT_EQ(harness.window->OnFilesDropped(c.point, files) >= 0, c.accepted) << c.where;
    ASSERT_EQ(target->dropped.size(), c.accepted ? 1u : 0u) << c.where;
    if (!c.accepted) continue;
    const auto* token = dynamic_cast<const LFileDropper*>(target->dropped[0].Get());
    ASSERT_NE(token, nullptr);
    ASSERT_EQ(token->GetFiles().GetCount(), 2u);
    EXPECT_EQ(token->GetFiles()[1], String(u"/tmp/b c.corvex"));
  }
}

}  // namespace
}  // namespace SV
