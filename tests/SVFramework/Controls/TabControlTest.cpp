#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/Controls/TabControl.h"
#include "tests/Support/Widgets/NotificationLog.h"
#include "tests/Support/Widgets/RandomInput.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::NotificationLog;
using Testing::WidgetHarness;

constexpr const char* kTabControlLooks =
    R"(<Colorizers><Colorizer Name="Grey" ColorType="SolidFill" Color="FF808080"/></Colorizers>
<Parts><Part Name="Fill" Width="4" Height="4" ResizeType="Stretch" ColorizerName="Grey"/></Parts>
<Looks><Look Name="Fill"><ClientPart Name="Fill" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/></Look></Looks>
<LookLists>
  <LookList Name="Solid1" NumLooks="1"><Look Name="Fill" Index="0"/></LookList>
  <LookList Name="ButtonLooks" NumLooks="14"><Look Name="Fill" Index="0"/><Look Name="Fill" Index="1"/>
    <Look Name="Fill" Index="2"/><Look Name="Fill" Index="3"/><Look Name="Fill" Index="4"/><Look Name="Fill" Index="5"/>
    <Look Name="Fill" Index="6"/></LookList>
</LookLists>)";

// Tab buttons 90 x 30 side by side; an entry of the form "label:Class" makes a child of
// that class instead of a button.
std::string Buttons(const std::vector<std::string>& names) {
  std::string xml;
  int32_t x = 0;
  for (const std::string& entry : names) {
    const size_t colon = entry.find(':');
    const std::string name = entry.substr(0, colon);
    const std::string type = colon == std::string::npos ? "Framework.Button" : entry.substr(colon + 1);
    xml += "<SubControl Class=\"" + type + "\" Name=\"" + name + "\" XPositionAbs=\"" + std::to_string(x) +
           "\" XSizeAbs=\"90\" YSizeAbs=\"30\"><Skin Name=\"tab\" LookList=\"ButtonLooks\"/></SubControl>";
    x += 100;
  }
  return xml;
}

// Pages filling the page holder, each with a focusable button "fieldN".
std::string Pages(int count) {
  std::string xml;
  for (int page = 0; page < count; ++page) {
    const std::string n = std::to_string(page);
    xml += "<SubControl Class=\"Framework.Panel\" Name=\"page" + n +
           "\" XSizeToControl=\"Parent\" XSizeRel=\"1\" YSizeToControl=\"Parent\" YSizeRel=\"1\">"
           "<Skin Name=\"page\" LookList=\"Solid1\"/><SubControl Class=\"Framework.Button\" Name=\"field" +
           n + "\" TabStop=\"1\" XPositionAbs=\"10\" YPositionAbs=\"10\" XSizeAbs=\"50\" YSizeAbs=\"20\">"
           "<Skin Name=\"field\" LookList=\"ButtonLooks\"/></SubControl></SubControl>";
  }
  return xml;
}

std::string TabSkin(const std::vector<std::string>& buttons, int pages, bool holders = true) {
  std::string xml =
      "<SubControl Class=\"Framework.TabControl\" Name=\"tabs\" XPositionAbs=\"10\" YPositionAbs=\"10\" "
      "XSizeAbs=\"400\" YSizeAbs=\"300\"><Skin Name=\"tabs\" LookList=\"Solid1\"/>";
  if (holders)
    xml += "<SubControl Class=\"Framework.Panel\" Name=\"buttonHolder\" XSizeAbs=\"400\" YSizeAbs=\"30\">"
           "<Skin Name=\"holder\" LookList=\"Solid1\"/>" +
           Buttons(buttons) +
           "</SubControl><SubControl Class=\"Framework.Panel\" Name=\"pageHolder\" YPositionAbs=\"40\" "
           "XSizeAbs=\"400\" YSizeAbs=\"260\"><Skin Name=\"holder\" LookList=\"Solid1\"/>" +
           Pages(pages) + "</SubControl>";
  return xml + "</SubControl>";
}

std::string DescribeControl(const RCPtr<LNotification>& notification) {
  auto* control = dynamic_cast<LControl*>(notification->GetPayload().Get());
  return control ? control->GetName().ToUTF8().GetString() : "none";
}

using Lines = std::vector<std::string>;

class TabControlTest : public ::testing::Test {
 protected:
  void Build(const std::vector<std::string>& buttons = {"general", "midi", "about"}, int pages = 3,
             bool holders = true) {
    harness.Build(TabSkin(buttons, pages, holders), kTabControlLooks);
    tabs = harness.Find<LTabControl>(u"tabs");
    ASSERT_TRUE(tabs);
    log = NotificationLog::Create();
    const RCPtr<LNotificationDistributor> source(tabs.Get());
    for (const char16_t* id : {u"NID_TAB_BUTTON_CLICKED", u"NID_TAB_BECOMING_UNSELECTED", u"NID_TAB_SELECTED"})
      log->Listen(source, id, DescribeControl);
  }
  void TearDown() override {
    if (log) log->StopListening();
  }
  // The names of the pages that show.
  Lines VisiblePages() const {
    Lines names;
    const RCPtr<LControl> holder = tabs->GetPageHolder();
    for (uint32_t index = 0; holder && index < holder->GetChildCount(); ++index)
      if (holder->GetChildAt(index)->IsVisible(false))
        names.push_back(holder->GetChildAt(index)->GetName().ToUTF8().GetString());
    return names;
  }
  void ClickTab(const char16_t* name) { harness.Click(harness.At(harness.Find(name))); }

  WidgetHarness harness;
  RCPtr<LTabControl> tabs;
  RCPtr<NotificationLog> log;
};

TEST_F(TabControlTest, StartsOnTheFirstTabWithOnlyItsPageShown) {
  Build();
  EXPECT_EQ(tabs->GetTabCount(), 3u);
  EXPECT_EQ(tabs->GetSelectedTabName(), String(u"general"));
  EXPECT_EQ(tabs->GetSelectedIndex(), 0);
  EXPECT_EQ(VisiblePages(), (Lines{"page0"}));
  EXPECT_EQ(tabs->GetSelectedPage().Get(), harness.Find(u"page0").Get());
  EXPECT_EQ(tabs->GetPageByName(u"about").Get(), harness.Find(u"page2").Get());
  EXPECT_EQ(tabs->GetButtonAt(1).Get(), harness.Find(u"midi").Get());
  EXPECT_FALSE(tabs->GetButtonAt(3));
  EXPECT_FALSE(tabs->GetPageByName(u"nothing"));
}

TEST_F(TabControlTest, ClickingATabShowsItsPageFocusesItAndReportsInOrder) {
  Build();
  ClickTab(u"midi");
  EXPECT_EQ(log->lines, (Lines{"NID_TAB_BUTTON_CLICKED midi", "NID_TAB_BECOMING_UNSELECTED page0",
                               "NID_TAB_SELECTED page1"}));
  EXPECT_EQ(VisiblePages(), (Lines{"page1"}));
  EXPECT_EQ(tabs->GetSelectedIndex(), 1);
  EXPECT_TRUE(harness.Find(u"field1")->HasFocus());
  log->lines.clear();
  ClickTab(u"about");
  EXPECT_EQ(VisiblePages(), (Lines{"page2"}));
  EXPECT_TRUE(harness.Find(u"field2")->HasFocus());
  EXPECT_EQ(log->lines.back(), "NID_TAB_SELECTED page2");
}

TEST_F(TabControlTest, SelectingTheSelectedTabAgainOnlyReportsItSelectedAndRehidesTheOthers) {
  Build();
  harness.Find(u"page2")->SetVisible(true);
  EXPECT_EQ(tabs->SelectTab(u"general"), S_OK);
  EXPECT_EQ(log->lines, (Lines{"NID_TAB_SELECTED page0"}));
  EXPECT_EQ(VisiblePages(), (Lines{"page0"}));
}

TEST_F(TabControlTest, ANameOfNoTabHidesEveryPageAndIsStillStored) {
  Build();
  EXPECT_EQ(tabs->SelectTab(u"missing"), S_OK);
  EXPECT_EQ(log->lines, (Lines{"NID_TAB_BECOMING_UNSELECTED page0", "NID_TAB_SELECTED none"}));
  EXPECT_EQ(VisiblePages(), Lines{});
  EXPECT_EQ(tabs->GetSelectedTabName(), String(u"missing"));
  EXPECT_EQ(tabs->GetSelectedIndex(), -1);
  EXPECT_FALSE(tabs->GetSelectedPage());
  log->lines.clear();
  EXPECT_EQ(tabs->SelectTabAt(2), S_OK);
  EXPECT_EQ(log->lines, (Lines{"NID_TAB_SELECTED page2"})) << "nothing valid was left";
}

TEST_F(TabControlTest, AChildOfTheButtonHolderThatIsNoButtonCountsButSelectsNothing) {
  Build({"general", "gap:Framework.Panel", "about"}, 3);
  EXPECT_EQ(tabs->GetTabCount(), 3u);
  ClickTab(u"gap");
  EXPECT_EQ(log->lines, Lines{});
  EXPECT_EQ(VisiblePages(), (Lines{"page0"}));
  EXPECT_EQ(tabs->SelectTabAt(1), E_FAIL);
  ClickTab(u"about");
  EXPECT_EQ(VisiblePages(), (Lines{"page2"})) << "the page index counts the gap";
}

TEST_F(TabControlTest, ATabWithoutAPageSelectsNothingInsteadOfEndingTheProgram) {
  Build({"general", "midi", "about"}, 2);
  ClickTab(u"midi");
  ASSERT_NO_THROW(ClickTab(u"about"));
  EXPECT_EQ(tabs->GetSelectedTabName(), String(u"about"));
  EXPECT_EQ(VisiblePages(), Lines{});
  EXPECT_FALSE(tabs->GetSelectedPage());
  EXPECT_FALSE(tabs->GetPageAt(2));
  EXPECT_EQ(log->lines.back(), "NID_TAB_SELECTED none");
  ASSERT_NO_THROW(tabs->SelectTabAt(2));
  ASSERT_NO_THROW(tabs->GetPageByName(u"about"));
  ClickTab(u"general");
  EXPECT_EQ(VisiblePages(), (Lines{"page0"}));
}

TEST_F(TabControlTest, WithoutItsHoldersTheControlIsInert) {
  Build({}, 0, false);
  EXPECT_EQ(tabs->GetTabCount(), 0u);
  EXPECT_EQ(tabs->SelectTab(u"general"), E_FAIL);
  EXPECT_EQ(tabs->SelectTabAt(0), E_FAIL);
  EXPECT_EQ(tabs->GetTabIndex(u"general"), -1);
  EXPECT_EQ(log->lines, Lines{});
}

TEST_F(TabControlTest, SelectingPastTheLastButtonFailsAndChangesNothing) {
  Build();
  EXPECT_EQ(tabs->SelectTabAt(3), E_FAIL);
  EXPECT_EQ(tabs->SelectTabAt(0xFFFFFFFFu), E_FAIL);
  EXPECT_EQ(tabs->GetSelectedIndex(), 0);
  EXPECT_EQ(log->lines, Lines{});
}

TEST_F(TabControlTest, AReappliedSkinShowsOnlyTheSelectedPageAgain) {
  Build();
  ClickTab(u"about");
  log->lines.clear();
  ASSERT_GE(harness.factory->ApplySkinToControl(harness.root), 0);
  EXPECT_EQ(VisiblePages(), (Lines{"page2"}));
  EXPECT_EQ(log->lines, (Lines{"NID_TAB_SELECTED page2"}));
}

TEST_F(TabControlTest, RandomInputKeepsAtMostTheSelectedPageShown) {
  Build({"general", "midi", "about", "extra"}, 3);
  Testing::RandomInput input(harness, 4127);
  input.Run(RCPtr<LControl>(tabs.Get()), 3000, [&] {
    const Lines visible = VisiblePages();
    ASSERT_LE(visible.size(), 1u) << input.LastEvent();
    const RCPtr<LControl> selected = tabs->GetSelectedPage();
    ASSERT_EQ(visible.empty(), !selected) << input.LastEvent();
    if (selected) {
      ASSERT_EQ(visible.front(), selected->GetName().ToUTF8().GetString()) << input.LastEvent();
    }
    ASSERT_GE(tabs->GetIdleCount(), 0) << input.LastEvent();
  });
}

}  // namespace
}  // namespace SV
