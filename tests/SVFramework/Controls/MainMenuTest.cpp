#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/Controls/MainMenu.h"
#include "SVFramework/Controls/MenuActivationParam.h"
#include "SVFramework/Controls/PopupMenu.h"
#include "SVFramework/Controls/TextBox.h"
#include "SVFramework/System/GlobalHotKeyManager.h"
#include "SVFramework/System/Keys/VirtualKeys.h"
#include "tests/SVFramework/Controls/PopupMenuTestSkin.h"
#include "tests/SVFramework/Controls/TextFieldSkin.h"
#include "tests/Support/TextConversions.h"
#include "tests/Support/Widgets/NotificationLog.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::NotificationLog;
using Testing::WidgetHarness;

using Testing::Utf8;

std::string StringEntry(const std::string& id, const std::string& text) {
  return "<String ID=\"" + id + "\"><Locale LCID=\"9\">" + text + "</Locale></String>";
}

// A bar whose titles come from "templateMenu" (a 60 x 20 menu title, its popup below
// it), a text box beside it, and the bar's string table made of `entries`.
void BuildBar(WidgetHarness& harness, const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string strings = R"(<StringTable ID="Test.Window|mainMenu">)";
  for (const auto& [id, text] : entries) strings += StringEntry(id, text);
  strings += "</StringTable>";
  harness.Build(Testing::MenuBarSkin() + R"(
                 <SubControl Class="Framework.TextBox" Name="box" XPositionAbs="10" YPositionAbs="200" XSizeAbs="300" YSizeAbs="20">
                   <Skin Name="box" LookList="TextField"/></SubControl>)",
                std::string(Testing::kTextFieldResources) + std::string(Testing::kMenuResources), strings);
}

const std::vector<std::pair<std::string, std::string>> kFileAndHelp = {
    {"MENU_LABEL.00", "File"},
    {"MENU_LABEL.01", "Help"},
    {"CONTEXT_MENU0.00.NID_MENU_FILE_OPEN", "Open Preset"},
    {"CONTEXT_MENU0.01.NID_MENU_FILE_GET", "Get Preset"},
    {"CONTEXT_MENU1.00.NID_MENU_HELP_ABOUT", "About"},
};

// "name: label1 label2 | ..." for every title of the bar.
std::string Outline(const LMainMenu& bar) {
  std::string outline;
  for (int32_t index = 0; index < bar.GetMenuCount(); ++index) {
    const RCPtr<LControl> title = bar.GetMenu(index);
    outline += (index ? " | " : "") + Utf8(title->GetName()) + " '" + Utf8(title->GetText()) + "':";
    const LPopupMenu* popup = LMainMenu::GetTitlePopup(title.Get());
    for (int32_t item = 0; popup && item < popup->GetItemCount(); ++item)
      outline += " " + Utf8(popup->GetEntry(item)->Label);
  }
  return outline;
}

TEST(MainMenuStrings, TitlesAndMenusComeFromTheLabelPlacesAndTheContextMenuEntries) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> entries;
    std::string outline;
  };
  const Case cases[] = {
      {"file and help", kFileAndHelp, "File 'File': Open Preset Get Preset | Help 'Help': About"},
      {"a gap in the places leaves an empty title",
       {{"MENU_LABEL.00", "A"}, {"MENU_LABEL.02", "C"}, {"CONTEXT_MENU0.00.NID_A", "a"},
        {"CONTEXT_MENU1.00.NID_B", "b"}, {"CONTEXT_MENU2.00.NID_C", "c"}},
       "A 'A': a |  '': b | C 'C': c"},
      {"fewer menus than places make no title", {{"MENU_LABEL.00", "A"}, {"MENU_LABEL.01", "B"}, {"CONTEXT_MENU0.00.NID_A", "a"}}, ""},
  };
  for (const Case& c : cases) {
    WidgetHarness harness;
    BuildBar(harness, c.entries);
    const RCPtr<LMainMenu> bar = harness.Find<LMainMenu>(u"mainMenu");
    ASSERT_TRUE(bar) << c.name;
    EXPECT_EQ(Outline(*bar), c.outline) << c.name;
    EXPECT_FALSE(bar->FindChild(u"templateMenu")) << c.name;
    EXPECT_FALSE(bar->IsFocusable()) << c.name;
  }
}

TEST(MainMenuCommands, AChosenCommandRunsAtTheNextIdlePassWithTheFocusBackWhereItWas) {
  WidgetHarness harness;
  BuildBar(harness, kFileAndHelp);
  const RCPtr<LMainMenu> bar = harness.Find<LMainMenu>(u"mainMenu");
  const RCPtr<LTextBox> box = harness.Find<LTextBox>(u"box");
  ASSERT_TRUE(bar && box);
  const RCPtr<NotificationLog> log = NotificationLog::Create();
  log->Listen(RCPtr<LNotificationDistributor>(harness.window.Get()), u"NID_MENU_FILE_GET",
              [](const RCPtr<LNotification>& notification) {
                const auto* param = dynamic_cast<const LMenuActivationParam*>(notification->GetPayload().Get());
                return param ? std::to_string(param->GetIndex()) : std::string("no payload");
              });
  harness.Click(harness.At(box));
  ASSERT_TRUE(box->HasFocus());
  // What the File title does on a press: show its menu and give it the focus.
  LPopupMenu* const file = LMainMenu::GetTitlePopup(bar->GetMenu(0).Get());
  ASSERT_NE(file, nullptr);
  file->SetVisible(true);
  file->SetFocus(true);
  EXPECT_EQ(bar->GetRememberedFocus(), box.Get());
  // Edit requests made while the menu holds the focus still reach the box.
  EXPECT_EQ(file->GetOwnerControl(), box.Get());
  harness.Key(VirtualKey::kDown);
  harness.Key(VirtualKey::kDown);
  harness.Key(VirtualKey::kReturn);
  EXPECT_TRUE(log->lines.empty());
  EXPECT_TRUE(box->HasFocus());
  EXPECT_FALSE(file->IsShown());
  harness.Idle();
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_MENU_FILE_GET 1"}));
  EXPECT_EQ(LMainMenu::GetTitlePopup(bar->GetMenu(0).Get()), file);
  log->StopListening();
}

TEST(MainMenuCommands, TheMenusShowTheApplicationsKeysBesideTheirCommands) {
  WidgetHarness harness;
  harness.application.GetGlobalHotKeyManager()->GetMap().Add(KeyCode::Parse(u"Ctrl+VKEY_O"), u"NID_MENU_FILE_OPEN");
  BuildBar(harness, kFileAndHelp);
  const RCPtr<LMainMenu> bar = harness.Find<LMainMenu>(u"mainMenu");
  ASSERT_TRUE(bar);
  LPopupMenu* const file = LMainMenu::GetTitlePopup(bar->GetMenu(0).Get());
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(Utf8(file->GetEntry(0)->HotKeyText), "Ctrl+O");
  EXPECT_EQ(Utf8(file->GetEntry(1)->HotKeyText), "");
  file->SetVisible(true);
  EXPECT_EQ(Utf8(file->GetRowControl(0)->GetHotKeyText()), "Ctrl+O");
}

TEST(MainMenuInsert, InsertingFirstMovesTheMenusRightWithTheirTextsContentsAndNames) {
  WidgetHarness harness;
  BuildBar(harness, kFileAndHelp);
  const RCPtr<LMainMenu> bar = harness.Find<LMainMenu>(u"mainMenu");
  ASSERT_TRUE(bar);
  const RCPtr<LMenuDescriptor> edit(new LMenuDescriptor);
  edit->InsertItem(0, u"Undo", u"NID_UNDO", true, false);
  const RCPtr<LComboMenu> firstTitle = bar->GetMenu(0);
  EXPECT_EQ(bar->InsertMenu(0, u"Edit", u"Edit", edit), 0);
  EXPECT_EQ(Outline(*bar), "Edit 'Edit': Undo | File 'File': Open Preset Get Preset | Help 'Help': About");
  EXPECT_EQ(bar->GetMenu(0), firstTitle);
  EXPECT_EQ(bar->FindMenu(u"Help"), 2);
  EXPECT_EQ(Utf8(bar->GetMenuName(1)), "File");
  EXPECT_EQ(Utf8(bar->GetMenuName(3)), "");
  EXPECT_EQ(bar->InsertMenu(4, u"Late", u"Late", edit), E_INVALIDARG);
  EXPECT_EQ(bar->InsertMenuBefore(u"Nowhere", u"Late", u"Late", edit), E_INVALIDARG);
  EXPECT_EQ(bar->InsertMenu(1, u"File", u"File", edit), E_INVALIDARG);
  EXPECT_EQ(bar->AddMenu(u"Help"), E_INVALIDARG);
  EXPECT_EQ(bar->GetMenuCount(), 3);
}

}  // namespace
}  // namespace SV
