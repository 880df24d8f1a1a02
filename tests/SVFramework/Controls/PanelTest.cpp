#include <gtest/gtest.h>

#include <string>

#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/Controls/Panel.h"
#include "SVFramework/Controls/Scrollbar.h"
#include "SVFramework/System/Keys/KeyCode.h"
#include "SVFramework/System/Keys/VirtualKeys.h"
#include "tests/SVFramework/Controls/ScrollFamilySkin.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::WidgetHarness;

// A top-level panel "window": a, then the panel "inner" holding b and c, then d, in tab
// order. A container with focusable children passes the focus on to them.
constexpr const char* kTabTree = R"(
  <SubControl Class="Framework.Panel" Name="a" TabStop="1" XSizeAbs="20" YSizeAbs="20"/>
  <SubControl Class="Framework.Panel" Name="inner" TabStop="2" YPositionAbs="30" XSizeAbs="100" YSizeAbs="100">
    <SubControl Class="Framework.Panel" Name="b" TabStop="1" XSizeAbs="20" YSizeAbs="20"/>
    <SubControl Class="Framework.Panel" Name="c" TabStop="2" YPositionAbs="30" XSizeAbs="20" YSizeAbs="20"/>
  </SubControl>
  <SubControl Class="Framework.Panel" Name="d" TabStop="3" YPositionAbs="140" XSizeAbs="20" YSizeAbs="20"/>)";

class PanelTest : public ::testing::Test {
protected:
  void BuildTopLevelPanel(const char* controls) {
    harness.windowClass = "Framework.Panel";
    harness.windowSkin = Testing::kSolid;
    harness.Build(controls, Testing::kSolidLooks);
  }
  std::string FocusName() const {
    const RCPtr<LControl> focus = harness.window->GetFocusControl();
    return focus ? focus->GetName().ToUTF8().GetString() : "(none)";
  }
  void FocusOn(const char16_t* name) { ASSERT_GE(harness.Find(name)->SetFocus(true), 0); }

  WidgetHarness harness{{400, 400}};
};

struct TabCase {
  const char16_t* from;
  uint32_t modifiers;
  const char* to;
};

TEST_F(PanelTest, TabWalksInnerPanelsInTabOrderAndWrapsOnlyAtTheTop) {
  const TabCase cases[] = {
      {u"a", 0, "b"},  // into the inner panel, at its first child
      {u"b", 0, "c"},
      {u"c", 0, "d"},                   // past the inner panel's last child: on after the panel
      {u"d", 0, "a"},                   // the top-level panel wraps around
      {u"a", KeyCode::kModShift, "d"},  // backwards, wrapping at the top
      {u"d", KeyCode::kModShift, "c"},  // into the inner panel, at its last child
      {u"c", KeyCode::kModShift, "b"},
      {u"b", KeyCode::kModShift, "a"},  // before the inner panel's first child: back out
  };
  BuildTopLevelPanel(kTabTree);
  for (const TabCase& c : cases) {
    FocusOn(c.from);
    harness.Key(VirtualKey::kTab, c.modifiers);
    EXPECT_EQ(FocusName(), c.to) << String(c.from).ToUTF8().GetString() << (c.modifiers ? " Shift+Tab" : " Tab");
  }
}

TEST_F(PanelTest, TabSkipsHiddenAndDisabledChildren) {
  BuildTopLevelPanel(kTabTree);
  harness.Find(u"c")->SetVisible(false);
  FocusOn(u"b");
  harness.Key(VirtualKey::kTab);
  EXPECT_EQ(FocusName(), "d");
  harness.Find(u"a")->SetEnabled(false);
  harness.Key(VirtualKey::kTab);
  EXPECT_EQ(FocusName(), "b");
}

TEST_F(PanelTest, CtrlTabIsNotTraversedByAPanelButPassedToItsParent) {
  BuildTopLevelPanel(kTabTree);
  const RCPtr<LPanel> inner = harness.Find<LPanel>(u"inner");
  const RCPtr<LKeyParam> key = MakeKeyParam(KeyCode(0x20090000u | KeyCode::kCtrl, 0, 0), 1);
  key->route.Append(harness.Find(u"b"));
  inner->MoveFocusByTab(key);
  ASSERT_EQ(key->route.GetCount(), 3u);
  EXPECT_EQ(key->route[1].Get(), static_cast<LControl*>(inner.Get()));
  EXPECT_EQ(key->route[2].Get(), harness.root.Get());
  FocusOn(u"b");
  harness.Key(VirtualKey::kTab, KeyCode::kModCtrl);
  // Out of every panel and, this being the only window, in again at its first control.
  EXPECT_EQ(FocusName(), "a");
}

TEST_F(PanelTest, ANestedPanelDoesNotWrapButATopLevelPanelDoes) {
  BuildTopLevelPanel(kTabTree);
  const RCPtr<LPanel> inner = harness.Find<LPanel>(u"inner");
  const RCPtr<LPanel> top(dynamic_cast<LPanel*>(harness.root.Get()));
  ASSERT_TRUE(top);
  EXPECT_FALSE(inner->GetNextFocusableChild(harness.Find(u"c").Get(), false));
  EXPECT_FALSE(inner->GetNextFocusableChild(harness.Find(u"b").Get(), true));
  EXPECT_EQ(top->GetNextFocusableChild(harness.Find(u"d").Get(), false), harness.Find(u"a"));
  EXPECT_EQ(top->GetNextFocusableChild(harness.Find(u"a").Get(), true), harness.Find(u"d"));
}

// The top panel scrolls 500 px of content in 300 with a vertical bar; the focused leaf
// sits two panels deep, beside nothing that uses arrow keys.
constexpr const char* kDeepLeaf = R"(
  <SubControl Class="Framework.ScrollBar" Name="vBar" XIsDocked="True" YIsDocked="True" XPositionToControl="Parent"
              XPositionRel="1" XPlacementAnchor="1" XSizeAbs="16" YSizeToControl="Parent" YSizeRel="1"/>
  <SubControl Class="Framework.Panel" Name="outer" XSizeAbs="100" YSizeAbs="100">
    <SubControl Class="Framework.Panel" Name="middle" XSizeAbs="80" YSizeAbs="80">
      <SubControl Class="Framework.Panel" Name="leaf" XSizeAbs="20" YSizeAbs="20"/>
    </SubControl>
  </SubControl>)";

TEST_F(PanelTest, AKeyNobodyInsideUsesClimbsThePanelsToAScrollBarOfAnOuterPanel) {
  harness.os.clientSize = {300, 300};
  BuildTopLevelPanel(kDeepLeaf);
  const RCPtr<LPanel> top(dynamic_cast<LPanel*>(harness.root.Get()));
  top->SetClientExtent({100, 500});
  FocusOn(u"leaf");
  harness.Key(VirtualKey::kDown);
  EXPECT_EQ(top->GetScrollOffset().y, 20);
}

// Two side-by-side panels: the focus sits in "left"; "right" holds a scroll view.
constexpr const char* kSidePanels = R"(
  <SubControl Class="Framework.Panel" Name="left" XSizeAbs="100" YSizeAbs="100">
    <SubControl Class="Framework.Panel" Name="leaf" XSizeAbs="20" YSizeAbs="20"/>
  </SubControl>
  <SubControl Class="Framework.Panel" Name="right" XPositionAbs="150" XSizeAbs="200" YSizeAbs="200">
    <SubControl Class="Framework.Panel" Name="view" XSizeAbs="100" YSizeAbs="100">
      <SubControl Class="Framework.ScrollBar" Name="vBar" XIsDocked="True" YIsDocked="True" XPositionToControl="Parent"
                  XPositionRel="1" XPlacementAnchor="1" XSizeAbs="16" YSizeToControl="Parent" YSizeRel="1"/>
    </SubControl>
  </SubControl>)";

TEST_F(PanelTest, AKeyOfferedToASiblingPanelReachesTheControlsInsideItAtAnyDepth) {
  BuildTopLevelPanel(kSidePanels);
  const RCPtr<LPanel> view = harness.Find<LPanel>(u"view");
  view->SetClientExtent({50, 300});  // range 200, page 0.5, a line of 10 px
  FocusOn(u"leaf");
  harness.Key(VirtualKey::kDown);
  EXPECT_EQ(view->GetScrollOffset().y, 10);
  EXPECT_EQ(FocusName(), "leaf");
}

}  // namespace
}  // namespace SV
