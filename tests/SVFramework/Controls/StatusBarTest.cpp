#include <gtest/gtest.h>

#include <string>

#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/Controls/StatusBar.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::WidgetHarness;

constexpr const char* kStatusBar =
    R"(<SubControl Class="Framework.StatusBar" Name="status" YPositionAbs="580" XSizeAbs="800" YSizeAbs="20">
  <SubControl Class="Framework.Label" Name="label1" XSizeAbs="800" YSizeAbs="20"/>
</SubControl>)";
constexpr const char* kStrings =
    R"(<StringTable ID="Framework.StatusBar|label1"><String ID="LABEL"><Locale LCID="9">Ready</Locale></String></StringTable>)";

// A status bar that tells when it is destroyed.
class WatchedStatusBar : public LStatusBar {
public:
  using LStatusBar::LStatusBar;
  ~WatchedStatusBar() override { destroyed = true; }
  static inline bool destroyed = false;
};

class StatusBarTest : public ::testing::Test {
protected:
  void SetUp() override {
    harness.Build(kStatusBar, {}, kStrings);
    bar = harness.Find<LStatusBar>(u"status");
    ASSERT_TRUE(bar);
  }
  std::string Shown() const { return bar->GetShownText().ToUTF8().GetString(); }

  WidgetHarness harness;
  RCPtr<LStatusBar> bar;
};

TEST_F(StatusBarTest, ReportsTheLabelsStringAsItsDefaultTextAndNeverTakesTheFocus) {
  EXPECT_EQ(bar->GetDefaultText(), String(u"Ready"));
  EXPECT_EQ(Shown(), "Ready");
  EXPECT_TRUE(bar->IsNotFocusable());
}

TEST_F(StatusBarTest, OfTextsPostedBeforeAnIdlePassOnlyTheLatestIsShown) {
  ASSERT_EQ(bar->PostText(u"first"), S_OK);
  ASSERT_EQ(bar->PostText(u"second"), S_OK);
  EXPECT_EQ(Shown(), "Ready");
  harness.Idle();
  EXPECT_EQ(Shown(), "second");
  harness.Idle();
  EXPECT_EQ(Shown(), "second");
}

TEST_F(StatusBarTest, ATextSetAtOnceWinsOverOnePostedBeforeItAndRedrawsTheWindow) {
  const int32_t redraws = harness.os.redraws;
  bar->PostText(u"posted");
  ASSERT_EQ(bar->SetTextNow(u"now"), S_OK);
  EXPECT_EQ(Shown(), "now");
  EXPECT_GT(harness.os.redraws + harness.os.wholeInvalidations, redraws);
  harness.Idle();
  EXPECT_EQ(Shown(), "now");
}

TEST_F(StatusBarTest, TheApplicationsStatusTextReachesTheBarAtOnceOrAtTheNextIdlePass) {
  ASSERT_EQ(harness.application.GetStatusBar(), bar.Get());
  ASSERT_EQ(harness.application.SetStatusText(u"Loading Skin...", true), S_OK);
  EXPECT_EQ(Shown(), "Loading Skin...");
  ASSERT_EQ(harness.application.ResetStatusText(false), S_OK);
  EXPECT_EQ(Shown(), "Loading Skin...");
  harness.Idle();
  EXPECT_EQ(Shown(), "Ready");
  ASSERT_EQ(harness.application.SetStatusText(u"later", false), S_OK);
  harness.Idle();
  EXPECT_EQ(Shown(), "later");
}

TEST_F(StatusBarTest, GoesWithItsTreeAndThenTheApplicationsStatusTextFailsCleanly) {
  harness.factory->RegisterControlCreateFunction(u"Test.StatusBar", &LControlCreation::Create<WatchedStatusBar>);
  harness.Build(R"(<SubControl Class="Test.StatusBar" Name="watched" XSizeAbs="100" YSizeAbs="20"/>)");
  bar.Reset();
  WatchedStatusBar::destroyed = false;
  harness.application.GetStatusBar()->PostText(u"pending");
  harness.Build("");
  EXPECT_TRUE(WatchedStatusBar::destroyed);
  EXPECT_EQ(harness.application.GetStatusBar(), nullptr);
  EXPECT_EQ(harness.application.SetStatusText(u"lost", true), E_FAIL);
  EXPECT_EQ(harness.application.ResetStatusText(false), E_FAIL);
}

TEST_F(StatusBarTest, ABarWithoutALabelAcceptsTextsAndShowsNone) {
  const char* const skins[] = {
      R"(<SubControl Class="Framework.StatusBar" Name="bare" XSizeAbs="100" YSizeAbs="20"/>)",
      R"(<SubControl Class="Framework.StatusBar" Name="bare" XSizeAbs="100" YSizeAbs="20">
           <SubControl Class="Test.Window" Name="label1" XSizeAbs="100" YSizeAbs="20"/></SubControl>)",
  };
  for (const char* skin : skins) {
    harness.Build(skin, {}, kStrings);
    const RCPtr<LStatusBar> bare = harness.Find<LStatusBar>(u"bare");
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->GetDefaultText(), String()) << skin;
    EXPECT_EQ(bare->PostText(u"x"), S_OK);
    EXPECT_EQ(bare->SetTextNow(u"y"), S_OK);
    harness.Idle();
    EXPECT_EQ(bare->GetShownText(), String()) << skin;
    EXPECT_NE(harness.Find(u"bare")->GetText(), String(u"y"));
  }
}

}  // namespace
}  // namespace SV
