#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/Controls/MenuActivationParam.h"
#include "SVFramework/Controls/PopupMenu.h"
#include "SVFramework/System/GlobalHotKeyManager.h"
#include "SVFramework/System/Keys/VirtualKeys.h"
#include "tests/SVFramework/Controls/PopupMenuTestSkin.h"
#include "tests/Support/TextConversions.h"
#include "tests/Support/Widgets/NotificationDescriptions.h"
#include "tests/Support/Widgets/NotificationLog.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::NotificationLog;
using Testing::WidgetHarness;

using Testing::Utf8;

// Open, a separator, a disabled entry, a checked entry, and a submenu holding Deep.
RCPtr<LMenuDescriptor> MakeMenu() {
  const RCPtr<LMenuDescriptor> menu(new LMenuDescriptor);
  menu->InsertItem(0, u"Open", u"NID_OPEN", true, false);
  menu->InsertSeparator(1);
  menu->InsertItem(2, u"Gone", u"NID_GONE", false, false);
  menu->InsertItem(3, u"Save", u"NID_SAVE", true, true);
  const RCPtr<LMenuItemDescriptor> more = LMenuDescriptor::MakeItem(u"More", u"", true, false);
  more->InsertItem(0, u"Deep", u"NID_DEEP", true, false);
  menu->InsertAt(4, more);
  return menu;
}

using Testing::DescribeActivation;

// A popup at (50, 40) in the window whose commands go to the root window's queue; the
// log records the commands the window distributes at its idle passes.
class PopupMenuTest : public ::testing::Test {
protected:
  void SetUp() override { Open(50); }
  void TearDown() override { log->StopListening(); }

  void Open(int x) {
    harness.Build(Testing::PopupSkin("menu", "XPositionAbs=\"" + std::to_string(x) + "\" YPositionAbs=\"40\""),
                  Testing::kMenuResources);
    menu = harness.Find<LPopupMenu>(u"menu");
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->SetTarget(RCPtr<LNotificationQueue>(harness.window.Get())), S_OK);
    const RCPtr<LNotificationDistributor> window(harness.window.Get());
    for (const char16_t* id : {u"NID_OPEN", u"NID_GONE", u"NID_SAVE", u"NID_DEEP"})
      log->Listen(window, id, DescribeActivation);
    source = MakeMenu();
    ASSERT_EQ(menu->SetMenuDescriptor(source), S_OK);
    menu->SetVisible(true);
    if (!menu->HasFocus()) menu->SetFocus(true);
    ASSERT_TRUE(menu->IsShown());
    ASSERT_TRUE(menu->HasFocus());
    ASSERT_FALSE(menu->IsClosing());
  }

  // The centre of the row that shows `item` of `popup`.
  PointT<int32_t> RowOf(const RCPtr<LPopupMenu>& popup, int32_t item) {
    const RectT<double> row = popup->GetItemRect(item);
    return harness.At(RCPtr<LControl>(popup.Get()),
                      {static_cast<int32_t>(row.x + row.width / 2), static_cast<int32_t>(row.y + row.height / 2)});
  }

  WidgetHarness harness;
  RCPtr<NotificationLog> log = NotificationLog::Create();
  RCPtr<LMenuDescriptor> source;
  RCPtr<LPopupMenu> menu;
};

TEST_F(PopupMenuTest, ArrowKeysSelectOnlyEnabledEntriesThatAreNoSeparators) {
  struct Case {
    std::vector<uint32_t> keys;
    int32_t current;
  };
  const Case cases[] = {
      {{VirtualKey::kDown}, 0},
      {{VirtualKey::kDown, VirtualKey::kDown}, 3},
      {{VirtualKey::kDown, VirtualKey::kDown, VirtualKey::kDown}, 4},
      {{VirtualKey::kDown, VirtualKey::kDown, VirtualKey::kDown, VirtualKey::kDown}, 4},
      {{VirtualKey::kDown, VirtualKey::kDown, VirtualKey::kUp}, 0},
      {{VirtualKey::kDown, VirtualKey::kUp}, 0},
  };
  for (const Case& c : cases) {
    menu->ClearSelection();
    for (uint32_t key : c.keys) harness.Key(key);
    EXPECT_EQ(menu->GetCaretItem(), c.current) << c.keys.size() << " keys";
  }
  EXPECT_FALSE(menu->IsItemSelectable(-1));
  EXPECT_FALSE(menu->IsItemSelectable(5));
}

TEST_F(PopupMenuTest, EnterQueuesTheCommandForTheNextIdlePassAndClosesTheMenuForGood) {
  harness.Key(VirtualKey::kDown);
  harness.Key(VirtualKey::kDown);
  harness.Key(VirtualKey::kReturn);
  EXPECT_TRUE(log->lines.empty());
  EXPECT_FALSE(menu->IsShown());
  harness.Idle();
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_SAVE 3"}));
  const auto* param = dynamic_cast<const LMenuActivationParam*>(log->payloads.at(0).Get());
  ASSERT_NE(param, nullptr);
  EXPECT_EQ(param->GetMenuDescriptor().Get(), menu->GetMenuDescriptor().Get());
  EXPECT_NE(param->GetMenuDescriptor().Get(), source.Get());
  EXPECT_FALSE(harness.Find(u"menu"));
}

TEST_F(PopupMenuTest, HoveringSelectsAndAReleaseChoosesButSeparatorsAndDisabledEntriesDoNothing) {
  harness.MoveTo(RowOf(menu, 2));
  EXPECT_EQ(menu->GetCaretItem(), -1);
  harness.Click(RowOf(menu, 1));
  harness.Click(RowOf(menu, 2));
  harness.Idle();
  EXPECT_TRUE(log->lines.empty());
  EXPECT_TRUE(menu->IsShown());
  harness.MoveTo(RowOf(menu, 0));
  EXPECT_EQ(menu->GetCaretItem(), 0);
  harness.Click(RowOf(menu, 0));
  harness.Idle();
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_OPEN 0"}));
}

TEST_F(PopupMenuTest, RowsShowCheckMarksAndKeyTextsAndTheMenuWidensToTheLongestEntry) {
  const RCPtr<LMenuDescriptor> menuWithKeys(new LMenuDescriptor);
  menuWithKeys->InsertItem(0, u"Short", u"NID_OPEN", true, true);
  menuWithKeys->InsertItem(1, u"A much longer label", u"NID_SAVE", true, false);
  menuWithKeys->Items[1]->HotKeyText = u"Ctrl+S";
  ASSERT_EQ(menu->SetMenuDescriptor(menuWithKeys), S_OK);
  const RCPtr<LMenuListBoxItem> first = menu->GetRowControl(0), second = menu->GetRowControl(1);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->GetCheckBoxLook(), LMenuListBoxItem::kCheckedLook);
  EXPECT_EQ(second->GetCheckBoxLook(), LMenuListBoxItem::kUncheckedLook);
  EXPECT_EQ(Utf8(second->GetHotKeyText()), "Ctrl+S");
  EXPECT_EQ(Utf8(first->GetHotKeyText()), "");
  // 19 characters and 6 of key text at 10 pixels, and 40 pixels beside the texts.
  EXPECT_EQ(menu->MeasureItemWidth(1), 290);
  EXPECT_GE(menu->GetLookClientRect(-1).width, 290);
  EXPECT_EQ(menu->MeasureItemWidth(2), 0);
  EXPECT_EQ(menu->GetRect().height, 40);
}

// Answers the item queries of a popup: Open gets a longer label and a check mark,
// Save is disabled.
class StateOwner : public LControl {
public:
  using LControl::LControl;
  SVRESULT UpdateMenuItemState(const RCPtr<LMenuDescriptor>&, uint32_t, const String& command,
                               LMenuItemState& state) override {
    if (command == String(u"NID_OPEN")) {
      state.Label = u"Open a much longer name";
      state.Checked = true;
    } else if (command == String(u"NID_SAVE")) {
      state.Enabled = false;
    }
    return S_OK;
  }
};

TEST_F(PopupMenuTest, StatesFromTheUpdaterApplyWhenTheMenuShowsAndALongerLabelWidensIt) {
  const RCPtr<StateOwner> owner(new StateOwner(harness.root, u"owner"));
  menu->SetVisible(false);
  menu->SetMenuItemUpdater(owner->GetMenuItemUpdater());
  const double before = menu->GetRect().width;
  menu->SetVisible(true);
  EXPECT_EQ(Utf8(menu->GetItemText(0)), "Open a much longer name");
  EXPECT_EQ(menu->GetRowControl(0)->GetCheckBoxLook(), LMenuListBoxItem::kCheckedLook);
  EXPECT_FALSE(menu->IsItemSelectable(3));
  EXPECT_EQ(Utf8(source->Items[0]->Label), "Open");
  EXPECT_GT(menu->GetRect().width, before);
  EXPECT_GE(menu->GetLookClientRect(-1).width, menu->MeasureItemWidth(0));
  owner->ReleaseInternalReferences();
}

TEST_F(PopupMenuTest, ACheckedEntryShowsItsCheckBoxWhichOnlyShowsTheStateAndNeverToggles) {
  EXPECT_TRUE(menu->IsItemChecked(3));
  EXPECT_FALSE(menu->IsItemChecked(0));
  EXPECT_EQ(menu->GetCheckedCount(), 1);
  const int32_t savedRow = menu->GetRowIndexOfItem(3);
  ASSERT_GE(savedRow, 0);
  const RCPtr<LMenuListBoxItem> saved = menu->GetRowControl(static_cast<uint32_t>(savedRow));
  const RCPtr<LButton> box = saved->GetCheckBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->GetNormalizedValue(), 1.0);
  EXPECT_TRUE(box->IsVisible(false));
  EXPECT_EQ(saved->GetCheckBoxLook(), LMenuListBoxItem::kCheckedLook);
  // Rows past the entries show no check box.
  for (uint32_t row = static_cast<uint32_t>(menu->GetItemCount()); row < menu->GetRowCount(); ++row)
    EXPECT_FALSE(menu->GetRowControl(row)->GetCheckBox()->IsVisible(false)) << "row " << row;
  // A click on the check box of Save reaches the row: Save is chosen, not toggled.
  const RCPtr<NotificationLog> changes = NotificationLog::Create();
  changes->Listen(RCPtr<LNotificationDistributor>(menu.Get()), u"NID_ITEM_CHECK_CHANGE");
  harness.MoveTo(harness.At(RCPtr<LControl>(box.Get())));
  harness.Click(harness.At(RCPtr<LControl>(box.Get())));
  harness.Idle();
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_SAVE 3"}));
  EXPECT_TRUE(changes->lines.empty());
  EXPECT_EQ(box->GetNormalizedValue(), 1.0);
  changes->StopListening();
}

// Answers the item queries of a popup with Save checked as `checked` says.
class ToggleOwner : public LControl {
public:
  using LControl::LControl;
  SVRESULT UpdateMenuItemState(const RCPtr<LMenuDescriptor>&, uint32_t, const String& command,
                               LMenuItemState& state) override {
    if (!(command == String(u"NID_SAVE"))) return 1;
    state.Checked = checked;
    return S_OK;
  }
  bool checked = false;
};

TEST_F(PopupMenuTest, TheUpdaterTogglesAnEntrysCheckBoxEachTimeTheMenuShows) {
  const RCPtr<ToggleOwner> owner(new ToggleOwner(harness.root, u"owner"));
  menu->SetVisible(false);
  menu->SetMenuItemUpdater(owner->GetMenuItemUpdater());
  for (const bool checked : {false, true, false}) {
    owner->checked = checked;
    menu->SetVisible(true);
    EXPECT_EQ(menu->IsItemChecked(3), checked);
    EXPECT_EQ(menu->GetEntry(3)->Checked, checked);
    EXPECT_EQ(menu->GetCheckedCount(), checked ? 1 : 0);
    const RCPtr<LMenuListBoxItem> row = menu->GetRowControl(static_cast<uint32_t>(menu->GetRowIndexOfItem(3)));
    EXPECT_EQ(row->GetCheckBox()->GetNormalizedValue(), checked ? 1.0 : 0.0);
    EXPECT_EQ(row->GetCheckBoxLook(), checked ? LMenuListBoxItem::kCheckedLook : LMenuListBoxItem::kUncheckedLook);
    menu->SetVisible(false);
  }
  // The caller's menu keeps its own state.
  EXPECT_TRUE(source->Items[3]->Checked);
  owner->ReleaseInternalReferences();
}

TEST_F(PopupMenuTest, AMenuIsNeverReorderedOrSorted) {
  harness.Key(VirtualKey::kDown);
  ASSERT_EQ(menu->GetCaretItem(), 0);
  EXPECT_EQ(menu->SwapItems(0, 3), E_NOTIMPL);
  EXPECT_EQ(menu->Sort(0, menu->GetItemCount()), E_NOTIMPL);
  EXPECT_FALSE(menu->SortItems());
  const char* labels[] = {"Open", "Gone", "Save", "More"};
  const int32_t items[] = {0, 2, 3, 4};
  for (int32_t place = 0; place < 4; ++place)
    EXPECT_EQ(Utf8(menu->GetItemText(items[place])), labels[place]) << place;
  EXPECT_TRUE(menu->IsItemChecked(3));
  // The refused sort moved no index either: Enter still chooses Open.
  EXPECT_EQ(menu->GetCaretItem(), 0);
  harness.Key(VirtualKey::kReturn);
  harness.Idle();
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_OPEN 0"}));
}

TEST_F(PopupMenuTest, ASecondTargetIsRefusedAndCommandsKeepGoingToTheFirst) {
  const RCPtr<LNotificationQueue> other(new LNotificationQueue);
  EXPECT_EQ(menu->SetTarget(other), E_FAIL);
  EXPECT_EQ(menu->SetTarget(nullptr), E_INVALIDARG);
  EXPECT_EQ(menu->SetMenuDescriptor(nullptr), E_INVALIDARG);
  harness.Key(VirtualKey::kDown);
  harness.Key(VirtualKey::kReturn);
  harness.Idle();
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_OPEN 0"}));
  EXPECT_EQ(other->GetQueuedCount(), 0);
}

TEST_F(PopupMenuTest, ASubmenuOpensOnlyAfterThePointerRestedOnItsHeaderForMoreThanTheDelay) {
  harness.MoveTo(RowOf(menu, 4));
  ASSERT_EQ(menu->GetCaretItem(), 4);
  harness.Idle(LPopupMenu::kSubmenuDelayMs);
  EXPECT_FALSE(menu->GetOpenSubmenu());
  harness.Idle(1);
  const RCPtr<LPopupMenu> submenu = menu->GetOpenSubmenu();
  ASSERT_TRUE(submenu);
  EXPECT_TRUE(submenu->IsShown());
  const RectT<double> header = menu->GetItemRect(4);
  EXPECT_EQ(submenu->GetRect().x, std::trunc(header.x + header.width));
  EXPECT_EQ(submenu->GetRect().y, std::trunc(header.y));
  EXPECT_EQ(menu->GetIdleCount(), 0);
  harness.MoveTo(RowOf(submenu, 0));
  EXPECT_EQ(menu->GetCaretItem(), 4);
  harness.Click(RowOf(submenu, 0));
  harness.Idle();
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_DEEP 0"}));
  EXPECT_FALSE(harness.Find(u"menu"));
}

TEST_F(PopupMenuTest, RestingOnAnOrdinaryEntryClosesTheOpenSubmenuAfterTheDelay) {
  harness.Key(VirtualKey::kDown);
  harness.Key(VirtualKey::kDown);
  harness.Key(VirtualKey::kDown);
  harness.Key(VirtualKey::kRight);
  ASSERT_TRUE(menu->GetOpenSubmenu());
  EXPECT_EQ(menu->GetOpenSubmenu()->GetCaretItem(), 0);
  harness.MoveTo(RowOf(menu, 0));
  harness.RunFor(LPopupMenu::kSubmenuDelayMs, 50);
  EXPECT_TRUE(menu->GetOpenSubmenu());
  harness.Idle(10);
  EXPECT_FALSE(menu->GetOpenSubmenu());
  harness.Idle();  // the closed submenu is taken down
  EXPECT_EQ(menu->GetIdleCount(), 0);
  EXPECT_FALSE(menu->FindChild(u"submenu"));
  // The submenu showed the header's own entries; taking it down leaves them in place.
  ASSERT_EQ(menu->GetEntry(4)->Items.GetCount(), 1u);
  EXPECT_EQ(menu->OpenSubmenu(4), S_OK);
  EXPECT_EQ(menu->GetOpenSubmenu()->GetItemCount(), 1);
}

TEST_F(PopupMenuTest, LeftInASubmenuClosesItAndEscapeClosesTheWholeChain) {
  harness.Key(VirtualKey::kDown);
  harness.Key(VirtualKey::kDown);
  harness.Key(VirtualKey::kDown);
  harness.Key(VirtualKey::kReturn);
  const RCPtr<LPopupMenu> submenu = menu->GetOpenSubmenu();
  ASSERT_TRUE(submenu);
  EXPECT_EQ(submenu->HandleKey(MakeKeyParam(KeyCode(0x20250000, 0, 0), 0)), S_OK);
  EXPECT_FALSE(menu->GetOpenSubmenu());
  EXPECT_EQ(menu->OpenSubmenu(0), E_INVALIDARG);
  harness.Key(VirtualKey::kRight);
  ASSERT_TRUE(menu->GetOpenSubmenu());
  harness.Key(VirtualKey::kEscape);
  harness.Idle();
  EXPECT_FALSE(harness.Find(u"menu"));
  EXPECT_TRUE(log->lines.empty());
}

TEST_F(PopupMenuTest, EscapeInAMenuThatStaysAfterActivationIsTakenWithoutEffect) {
  menu->SetHideOnActivation(false);
  harness.Key(VirtualKey::kEscape);
  harness.Key(VirtualKey::kLeft);
  harness.Idle();
  EXPECT_TRUE(harness.Find(u"menu"));
  EXPECT_TRUE(menu->IsShown());
}

TEST(PopupMenuPlacement, NearTheWindowsRightEdgeASubmenuOpensOnTheLeft) {
  WidgetHarness harness;
  harness.Build(Testing::PopupSkin("menu", R"(XPositionAbs="720" YPositionAbs="540")"), Testing::kMenuResources);
  const RCPtr<LPopupMenu> menu = harness.Find<LPopupMenu>(u"menu");
  ASSERT_TRUE(menu);
  menu->SetMenuDescriptor(MakeMenu());
  menu->SetVisible(true);
  ASSERT_EQ(menu->OpenSubmenu(4), S_OK);
  const RCPtr<LPopupMenu> submenu = menu->GetOpenSubmenu();
  ASSERT_TRUE(submenu);
  const PointT<double> at = submenu->GetScreenPosition();
  EXPECT_EQ(submenu->GetRect().x, -submenu->GetRect().width);
  EXPECT_LE(at.y + submenu->GetRect().height, 600);
}

TEST(PopupMenuPlacement, ASkinWithoutASubmenuTemplateOpensNoSubmenuAndMakesNoControl) {
  WidgetHarness harness;
  harness.Build(Testing::PopupSkin("menu", R"(XPositionAbs="50" YPositionAbs="40")", false), Testing::kMenuResources);
  const RCPtr<LPopupMenu> menu = harness.Find<LPopupMenu>(u"menu");
  ASSERT_TRUE(menu);
  menu->SetMenuDescriptor(MakeMenu());
  menu->SetVisible(true);
  const uint32_t children = menu->GetChildCount();
  EXPECT_EQ(menu->OpenSubmenu(4), E_FAIL);
  harness.MoveTo(harness.At(RCPtr<LControl>(menu.Get()), {50, static_cast<int32_t>(menu->GetItemRect(4).y) + 10}));
  harness.RunFor(400, 50);
  harness.Key(0x27);
  EXPECT_FALSE(menu->GetOpenSubmenu());
  EXPECT_EQ(menu->GetChildCount(), children);
  EXPECT_EQ(menu->GetIdleCount(), 0);
}

TEST(PopupMenuStatus, AnEntrysDescriptionIsTheStatusTextWhileThePointerIsOnIt) {
  WidgetHarness harness;
  harness.Build(Testing::PopupSkin("menu", R"(XPositionAbs="50" YPositionAbs="40")") +
                    R"(<SubControl Class="Framework.StatusBar" Name="status" YPositionAbs="580" XSizeAbs="800" YSizeAbs="20">
                         <SubControl Class="Framework.Label" Name="label1" XSizeAbs="800" YSizeAbs="20"/></SubControl>)",
                Testing::kMenuResources);
  const RCPtr<LPopupMenu> menu = harness.Find<LPopupMenu>(u"menu");
  ASSERT_TRUE(menu);
  const RCPtr<LMenuDescriptor> described = MakeMenu();
  described->Items[0]->Description = u"Opens a preset file";
  menu->SetMenuDescriptor(described);
  menu->SetVisible(true);
  const auto shown = [&] { return Utf8(harness.Find(u"label1")->GetText()); };
  harness.MoveTo(harness.At(RCPtr<LControl>(menu.Get()), {50, 10}));
  harness.Idle();
  EXPECT_EQ(shown(), "Opens a preset file");
  harness.MoveTo({700, 300});
  harness.Idle();
  EXPECT_NE(shown(), "Opens a preset file");
}

TEST(PopupMenuStrings, AStringTableOfThePopupBecomesItsMenuInIdOrder) {
  WidgetHarness harness;
  harness.Build(Testing::PopupSkin("menu", ""), Testing::kMenuResources,
                R"(<StringTable ID="Test.Window|menu">
                     <String ID="01.NID_B"><Locale LCID="9">Second</Locale></String>
                     <String ID="00.NID_A"><Locale LCID="9">First</Locale></String></StringTable>)");
  const RCPtr<LPopupMenu> menu = harness.Find<LPopupMenu>(u"menu");
  ASSERT_TRUE(menu);
  ASSERT_TRUE(menu->GetMenuDescriptor());
  ASSERT_EQ(menu->GetItemCount(), 2);
  EXPECT_EQ(Utf8(menu->GetItemText(0)), "First");
  EXPECT_EQ(Utf8(menu->GetItemText(1)), "Second");
  EXPECT_FALSE(menu->IsShown());
}

}  // namespace
}  // namespace SV
