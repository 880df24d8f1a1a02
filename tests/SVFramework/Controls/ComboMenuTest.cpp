#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "SVFramework/Controls/ComboMenu.h"
#include "SVFramework/Controls/MainMenu.h"
#include "SVFramework/Controls/MenuActivationParam.h"
#include "SVFramework/Controls/PopupMenu.h"
#include "SVFramework/Controls/TextBox.h"
#include "SVFramework/System/Keys/VirtualKeys.h"
#include "tests/SVFramework/Controls/PopupMenuTestSkin.h"
#include "tests/SVFramework/Controls/TextFieldSkin.h"
#include "tests/Support/TextConversions.h"
#include "tests/Support/Widgets/NotificationDescriptions.h"
#include "tests/Support/Widgets/NotificationLog.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::NotificationLog;
using Testing::WidgetHarness;

using Testing::Utf8;

using Testing::DescribeActivation;

int32_t LookOf(const RCPtr<LComboMenu>& title) { return title->GetFirstVisibleLookIndex(); }

// The centre of the row that shows `item` of `popup`, in window coordinates.
PointT<int32_t> RowOf(WidgetHarness& harness, const RCPtr<LPopupMenu>& popup, int32_t item) {
  const RectT<double> row = popup->GetItemRect(item);
  return harness.At(RCPtr<LControl>(popup.Get()),
                    {static_cast<int32_t>(row.x + row.width / 2), static_cast<int32_t>(row.y + row.height / 2)});
}

// The editor's menu bar: titles File (Open Preset, Get Preset) and Help (About) made
// from the bar's strings, a text box below them that holds the focus first, and a log
// of the commands the window distributes at its idle passes.
class ComboMenuBarTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::string strings = R"(<StringTable ID="Test.Window|mainMenu">)";
    for (const auto& [id, text] : std::vector<std::pair<std::string, std::string>>{
             {"MENU_LABEL.00", "File"},
             {"MENU_LABEL.01", "Help"},
             {"CONTEXT_MENU0.00.NID_MENU_FILE_OPEN", "Open Preset"},
             {"CONTEXT_MENU0.01.NID_MENU_FILE_GET", "Get Preset"},
             {"CONTEXT_MENU1.00.NID_MENU_HELP_ABOUT", "About"}})
      strings += "<String ID=\"" + id + "\"><Locale LCID=\"9\">" + text + "</Locale></String>";
    harness.Build(Testing::MenuBarSkin() + R"(
                   <SubControl Class="Framework.TextBox" Name="box" XPositionAbs="10" YPositionAbs="200" XSizeAbs="300" YSizeAbs="20">
                     <Skin Name="box" LookList="TextField"/></SubControl>)",
                  std::string(Testing::kTextFieldResources) + std::string(Testing::kMenuResources),
                  strings + "</StringTable>");
    bar = harness.Find<LMainMenu>(u"mainMenu");
    box = harness.Find<LTextBox>(u"box");
    ASSERT_TRUE(bar && box);
    ASSERT_EQ(bar->GetMenuCount(), 2);
    file = bar->GetMenu(0);
    help = bar->GetMenu(1);
    filePopup = file->GetPopupMenu();
    helpPopup = help->GetPopupMenu();
    ASSERT_TRUE(filePopup && helpPopup);
    const RCPtr<LNotificationDistributor> window(harness.window.Get());
    for (const char16_t* id : {u"NID_MENU_FILE_OPEN", u"NID_MENU_FILE_GET", u"NID_MENU_HELP_ABOUT"})
      log->Listen(window, id, DescribeActivation);
    harness.Click(harness.At(box));
    ASSERT_TRUE(box->HasFocus());
  }
  void TearDown() override { log->StopListening(); }

  WidgetHarness harness;
  RCPtr<NotificationLog> log = NotificationLog::Create();
  RCPtr<LMainMenu> bar;
  RCPtr<LTextBox> box;
  RCPtr<LComboMenu> file, help;
  RCPtr<LPopupMenu> filePopup, helpPopup;
};

TEST_F(ComboMenuBarTest, APressOnATitleOpensItsMenuBelowItAndASecondPressClosesIt) {
  EXPECT_EQ(Utf8(file->GetText()), "File");
  EXPECT_FALSE(filePopup->HidesOnActivation());
  EXPECT_EQ(file->GetPopupMenuDescriptor().Get(), filePopup->GetMenuDescriptor().Get());
  harness.Click(harness.At(RCPtr<LControl>(file.Get())));
  EXPECT_TRUE(file->IsDropDownOpen());
  EXPECT_TRUE(filePopup->HasFocus());
  EXPECT_EQ(LookOf(file), LComboMenu::kLookOpen);
  EXPECT_EQ(filePopup->GetScreenPosition().x, file->GetScreenPosition().x);
  EXPECT_EQ(filePopup->GetScreenPosition().y, file->GetScreenPosition().y + file->GetRect().height);
  EXPECT_EQ(bar->GetRememberedFocus(), box.Get());
  harness.Click(harness.At(RCPtr<LControl>(file.Get())));
  EXPECT_FALSE(file->IsDropDownOpen());
  EXPECT_EQ(LookOf(file), LComboMenu::kLookHovered);
  harness.MoveTo({600, 400});
  EXPECT_EQ(LookOf(file), LComboMenu::kLookNormal);
  EXPECT_FALSE(helpPopup->IsShown());
  harness.Idle();
  EXPECT_TRUE(log->lines.empty());
}

// A press on a title of an inactive window opens the menu before the window's
// activation arrives; the activation leaves the open menu and its focus alone.
TEST_F(ComboMenuBarTest, AMenuOpenedByThePressThatActivatesTheWindowStaysOpenWhenTheActivationArrives) {
  harness.Click(harness.At(RCPtr<LControl>(file.Get())));
  ASSERT_TRUE(filePopup->HasFocus());
  harness.window->RestoreFocus();
  EXPECT_TRUE(file->IsDropDownOpen());
  EXPECT_TRUE(filePopup->HasFocus());
}

TEST_F(ComboMenuBarTest, AChosenEntryIsQueuedOnTheWindowAndHandledAtItsNextIdlePass) {
  harness.Click(harness.At(RCPtr<LControl>(file.Get())));
  ASSERT_TRUE(filePopup->IsShown());
  harness.MoveTo(RowOf(harness, filePopup, 1));
  EXPECT_EQ(filePopup->GetCaretItem(), 1);
  harness.Click(RowOf(harness, filePopup, 1));
  EXPECT_TRUE(log->lines.empty());
  EXPECT_FALSE(filePopup->IsShown());
  EXPECT_TRUE(box->HasFocus());
  EXPECT_EQ(LookOf(file), LComboMenu::kLookNormal);
  harness.Idle();
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_MENU_FILE_GET 1"}));
  const auto* param = dynamic_cast<const LMenuActivationParam*>(log->payloads.at(0).Get());
  ASSERT_NE(param, nullptr);
  EXPECT_EQ(param->GetMenuDescriptor().Get(), filePopup->GetMenuDescriptor().Get());
  // A menu-bar popup is only hidden: it serves the next press.
  EXPECT_EQ(file->GetPopupMenu(), filePopup);
  harness.Click(harness.At(RCPtr<LControl>(file.Get())));
  EXPECT_TRUE(filePopup->IsShown());
}

TEST_F(ComboMenuBarTest, PressingATitleDraggingIntoItsMenuAndReleasingOnAnEntryChoosesIt) {
  harness.Drag(harness.At(RCPtr<LControl>(file.Get())), RowOf(harness, filePopup, 0), 6);
  EXPECT_FALSE(filePopup->IsShown());
  harness.Idle();
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_MENU_FILE_OPEN 0"}));
  EXPECT_TRUE(box->HasFocus());
}

TEST_F(ComboMenuBarTest, ADragFromOneTitleAcrossToTheNextOpensThatMenuAndTheReleaseChoosesThere) {
  harness.Press(harness.At(RCPtr<LControl>(file.Get())));
  ASSERT_TRUE(filePopup->IsShown());
  harness.MoveTo(harness.At(RCPtr<LControl>(file.Get()), {50, 10}));
  harness.MoveTo(harness.At(RCPtr<LControl>(help.Get())));
  EXPECT_FALSE(filePopup->IsShown());
  EXPECT_TRUE(helpPopup->IsShown());
  EXPECT_EQ(LookOf(file), LComboMenu::kLookNormal);
  EXPECT_EQ(LookOf(help), LComboMenu::kLookOpen);
  harness.MoveTo(RowOf(harness, helpPopup, 0));
  harness.Release(RowOf(harness, helpPopup, 0));
  harness.Idle();
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_MENU_HELP_ABOUT 0"}));
}

TEST_F(ComboMenuBarTest, WithAMenuOpenThePointerComingOntoAnotherTitleMovesTheMenuThere) {
  harness.MoveTo(harness.At(RCPtr<LControl>(help.Get())));
  EXPECT_FALSE(helpPopup->IsShown());
  EXPECT_EQ(LookOf(help), LComboMenu::kLookHovered);
  harness.Click(harness.At(RCPtr<LControl>(file.Get())));
  harness.MoveTo(harness.At(RCPtr<LControl>(help.Get())));
  EXPECT_FALSE(filePopup->IsShown());
  EXPECT_TRUE(helpPopup->IsShown());
  EXPECT_TRUE(helpPopup->HasFocus());
  EXPECT_EQ(LookOf(file), LComboMenu::kLookNormal);
  EXPECT_EQ(LookOf(help), LComboMenu::kLookOpen);
  EXPECT_EQ(help->FindOpenSiblingMenu(), help);
  // The focus stayed inside the bar, so the control to return to is still the box.
  EXPECT_EQ(bar->GetRememberedFocus(), box.Get());
  harness.Key(VirtualKey::kDown);
  harness.Key(VirtualKey::kReturn);
  harness.Idle();
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_MENU_HELP_ABOUT 0"}));
  EXPECT_TRUE(box->HasFocus());
}

TEST_F(ComboMenuBarTest, ChoosingWithTheKeyboardLeavesTheTitleInItsHoverLookWhileThePointerIsOnIt) {
  harness.Click(harness.At(RCPtr<LControl>(file.Get())));
  harness.Key(VirtualKey::kDown);
  harness.Key(VirtualKey::kReturn);
  EXPECT_FALSE(filePopup->IsShown());
  EXPECT_EQ(LookOf(file), LComboMenu::kLookHovered);
  harness.Idle();
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_MENU_FILE_OPEN 0"}));
}

TEST_F(ComboMenuBarTest, AClickElsewhereClosesTheMenuAndSendsNothing) {
  harness.Click(harness.At(RCPtr<LControl>(file.Get())));
  harness.Click(harness.At(box));
  EXPECT_FALSE(filePopup->IsShown());
  EXPECT_EQ(LookOf(file), LComboMenu::kLookNormal);
  harness.Idle();
  EXPECT_TRUE(log->lines.empty());
}

TEST_F(ComboMenuBarTest, ADisabledTitleShowsItsDisabledLookAndAnOpenMenuDoesNotMoveOntoIt) {
  help->SetEnabled(false);
  EXPECT_EQ(LookOf(help), LComboMenu::kLookDisabled);
  harness.Click(harness.At(RCPtr<LControl>(file.Get())));
  harness.MoveTo(harness.At(RCPtr<LControl>(help.Get())));
  EXPECT_TRUE(filePopup->IsShown());
  EXPECT_FALSE(helpPopup->IsShown());
  EXPECT_EQ(LookOf(help), LComboMenu::kLookDisabled);
  harness.Click(harness.At(RCPtr<LControl>(help.Get())));
  EXPECT_FALSE(helpPopup->IsShown());
  help->SetEnabled(true);
  EXPECT_NE(LookOf(help), LComboMenu::kLookDisabled);
}

// A title standing alone at `x` in a window 800 wide; its popup's skin offset is 5.
struct ComboMenuPlacementCase {
  const char* name;
  int titleX;
  const char16_t* label;
};

TEST(ComboMenuPlacement, TheMenuOpensAtItsOffsetButNeverPastTheWindowsRightEdgeWhileItFits) {
  const ComboMenuPlacementCase cases[] = {
      {"room on the right", 100, u"Open"},
      {"near the right edge", 760, u"Open"},
      {"wider than the window", 200,
       u"An entry whose label is far wider than the whole window of this test and "
       u"then some more to be sure of it, longer than eight hundred pixels"},
  };
  for (const ComboMenuPlacementCase& c : cases) {
    WidgetHarness harness;
    harness.Build(Testing::MenuTitleSkin("title", "XPositionAbs=\"" + std::to_string(c.titleX) + "\"", 5),
                  Testing::kMenuResources);
    const RCPtr<LComboMenu> title = harness.Find<LComboMenu>(u"title");
    ASSERT_TRUE(title) << c.name;
    const RCPtr<LPopupMenu> popup = title->GetPopupMenu();
    ASSERT_TRUE(popup) << c.name;
    EXPECT_EQ(title->GetPopupXOffset(), 5) << c.name;
    const RCPtr<LMenuDescriptor> menu(new LMenuDescriptor);
    menu->InsertItem(0, c.label, u"NID_ONE", true, false);
    ASSERT_EQ(popup->SetMenuDescriptor(menu), S_OK) << c.name;
    harness.Click(harness.At(RCPtr<LControl>(title.Get())));
    ASSERT_TRUE(popup->IsShown()) << c.name;
    const double width = popup->GetRect().width;
    double expected = c.titleX + 5;
    if (expected + width > 800) expected = std::max(800 - width, 0.0);
    EXPECT_EQ(popup->GetScreenPosition().x, expected) << c.name;
    EXPECT_EQ(popup->GetScreenPosition().y, 20) << c.name;
  }
}

// A title without a menu bar: the popup announces the choice, hides, and stays for the
// next press.
TEST(ComboMenuAlone, ATitleOutsideABarHidesItsMenuAfterAChoiceAndKeepsItForTheNextOpening) {
  WidgetHarness harness;
  harness.Build(Testing::MenuTitleSkin("title", R"(XPositionAbs="100")"), Testing::kMenuResources);
  const RCPtr<LComboMenu> title = harness.Find<LComboMenu>(u"title");
  ASSERT_TRUE(title);
  const RCPtr<LPopupMenu> popup = title->GetPopupMenu();
  const RCPtr<LMenuDescriptor> menu(new LMenuDescriptor);
  menu->InsertItem(0, u"One", u"NID_ONE", true, false);
  popup->SetMenuDescriptor(menu);
  const RCPtr<NotificationLog> log = NotificationLog::Create();
  log->Listen(RCPtr<LNotificationDistributor>(popup.Get()), u"NID_ITEM_ACTIVATED");
  harness.Click(harness.At(RCPtr<LControl>(title.Get())));
  harness.Click(RowOf(harness, popup, 0));
  EXPECT_FALSE(popup->IsShown());
  EXPECT_EQ(log->lines.size(), 2u);
  harness.Idle();
  EXPECT_EQ(title->GetPopupMenu(), popup);
  EXPECT_EQ(title->ShowDropDown(true), S_OK);
  EXPECT_TRUE(title->IsDropDownOpen());
  EXPECT_EQ(title->ShowDropDown(false), S_OK);
  EXPECT_EQ(LookOf(title), LComboMenu::kLookNormal);
  log->StopListening();
}

}  // namespace
}  // namespace SV
