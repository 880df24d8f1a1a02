#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "SVFramework/Controls/ComboMenu.h"
#include "SVFramework/Controls/MainMenu.h"
#include "SVFramework/Controls/PopupMenu.h"
#include "SVFramework/Controls/TextBox.h"
#include "tests/SVFramework/Controls/PopupMenuTestSkin.h"
#include "tests/SVFramework/Controls/TextFieldSkin.h"
#include "tests/Support/Widgets/RandomInput.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::WidgetHarness;

// Open, a separator, a disabled entry, and a submenu header with two entries.
RCPtr<LMenuDescriptor> MakeRandomInputMenu() {
  const RCPtr<LMenuDescriptor> menu(new LMenuDescriptor);
  menu->InsertItem(0, u"Open", u"NID_OPEN", true, false);
  menu->InsertSeparator(1);
  menu->InsertItem(2, u"Gone", u"NID_GONE", false, false);
  const RCPtr<LMenuItemDescriptor> more = LMenuDescriptor::MakeItem(u"More", u"", true, false);
  more->InsertItem(0, u"Deep", u"NID_DEEP", true, true);
  more->InsertItem(1, u"Deeper", u"NID_DEEPER", true, false);
  menu->InsertAt(3, more);
  return menu;
}

// What holds for every popup of a chain after any input: the current item is -1 or an
// entry that may be chosen, the idle count is not negative, the rectangle is finite,
// and an open submenu belongs to a header of its parent.
void CheckChain(const LPopupMenu* popup, const std::string& event) {
  for (int depth = 0; popup; ++depth, popup = popup->GetOpenSubmenu().Get()) {
    ASSERT_LE(depth, 1) << event;
    auto* self = const_cast<LPopupMenu*>(popup);
    const int32_t current = popup->GetCaretItem();
    ASSERT_TRUE(current == -1 || (current < popup->GetItemCount() && self->IsItemSelectable(current))) << event;
    ASSERT_GE(popup->GetIdleCount(), 0) << event;
    const RectT<double> rect = popup->GetRect();
    ASSERT_TRUE(std::isfinite(rect.x) && std::isfinite(rect.y) && std::isfinite(rect.width) &&
                std::isfinite(rect.height))
        << event;
  }
}

// A menu that stays after a choice (as in a menu bar): random input never breaks the
// chain, and Escape is taken without closing it.
TEST(PopupMenuRandomInput, AMenuThatStaysKeepsItsChainConsistentUnderRandomInput) {
  WidgetHarness harness({400, 300});
  harness.Build(Testing::PopupSkin("menu", R"(XPositionAbs="100" YPositionAbs="60")"), Testing::kMenuResources);
  const RCPtr<LPopupMenu> menu = harness.Find<LPopupMenu>(u"menu");
  ASSERT_TRUE(menu);
  menu->SetHideOnActivation(false);
  ASSERT_EQ(menu->SetTarget(RCPtr<LNotificationQueue>(harness.window.Get())), S_OK);
  menu->SetMenuDescriptor(MakeRandomInputMenu());
  menu->SetVisible(true);
  Testing::RandomInput input(harness, 20261211);
  for (int burst = 0; burst < 40; ++burst) {
    if (!menu->HasFocus()) menu->SetFocus(true);
    input.Run(RCPtr<LControl>(menu.Get()), 50, [&] { CheckChain(menu.Get(), input.LastEvent()); });
    menu->SetVisible(true);
  }
  harness.Key(0x1B);
  harness.Idle();
  EXPECT_TRUE(harness.Find(u"menu"));
}

// Context menus of a text box opened and driven at random: whatever happens, Escape
// and an idle pass leave no menu behind.
TEST(PopupMenuRandomInput, ContextMenusAreGoneAfterEscapeWhateverInputCameBefore) {
  WidgetHarness harness({400, 300});
  harness.application.SetFrameworkStrings(LStringTable::Create(
      {{u"EDIT_CUT", u"Cut"}, {u"EDIT_COPY", u"Copy"}, {u"EDIT_PASTE", u"Paste"}, {u"EDIT_DELETE", u"Delete"}}));
  harness.Build(R"(<SubControl Class="Framework.TextBox" Name="box" XPositionAbs="10" YPositionAbs="10" XSizeAbs="300" YSizeAbs="20">
                     <Skin Name="box" LookList="TextField"/></SubControl>)",
                std::string(Testing::kTextFieldResources) + std::string(Testing::kMenuResources), {},
                Testing::PopupSkin("contextMenu", R"(ClipToParent="0" Z_Order="9999999")"));
  const RCPtr<LTextBox> box = harness.Find<LTextBox>(u"box");
  ASSERT_TRUE(box);
  Testing::RandomInput input(harness, 1211);
  const auto contextMenu = [&] { return RCPtr<LPopupMenu>(dynamic_cast<LPopupMenu*>(box->FindChild(u"contextMenu").Get())); };
  for (int burst = 0; burst < 40; ++burst) {
    harness.Click(harness.At(box, {5, 10}), 4);
    input.Run(RCPtr<LControl>(box.Get()), 30, [&] {
      ASSERT_GE(box->GetIdleCount(), 0) << input.LastEvent();
      ASSERT_LE(box->GetCaretIndex(), static_cast<int32_t>(box->GetText().GetLength())) << input.LastEvent();
      if (const RCPtr<LPopupMenu> menu = contextMenu()) CheckChain(menu.Get(), input.LastEvent());
    });
    if (const RCPtr<LPopupMenu> menu = contextMenu(); menu && menu->IsShown() && !menu->HasFocus()) menu->SetFocus(true);
    harness.Key(0x1B);
    harness.Idle();
    const RCPtr<LPopupMenu> left = contextMenu();
    ASSERT_FALSE(left && left->IsShown()) << "burst " << burst;
  }
}

// A menu bar's titles driven at random, the input aimed in turn at the bar and at each
// title's menu: at most one menu is open, a title shows its open look exactly while
// its menu shows, the menus are never destroyed and their chains stay consistent.
TEST(PopupMenuRandomInput, AMenuBarKeepsOneMenuOpenAtMostAndItsTitlesLooksTrueUnderRandomInput) {
  WidgetHarness harness({400, 300});
  harness.Build(Testing::MenuBarSkin() +
                    R"(<SubControl Class="Framework.TextBox" Name="box" XPositionAbs="10" YPositionAbs="200" XSizeAbs="300" YSizeAbs="20">
                         <Skin Name="box" LookList="TextField"/></SubControl>)",
                std::string(Testing::kTextFieldResources) + std::string(Testing::kMenuResources),
                R"(<StringTable ID="Test.Window|mainMenu">
                     <String ID="MENU_LABEL.00"><Locale LCID="9">File</Locale></String>
                     <String ID="MENU_LABEL.01"><Locale LCID="9">Help</Locale></String>
                     <String ID="CONTEXT_MENU0.00.NID_OPEN"><Locale LCID="9">Open</Locale></String>
                     <String ID="CONTEXT_MENU0.01.NID_GET"><Locale LCID="9">Get</Locale></String>
                     <String ID="CONTEXT_MENU1.00.NID_ABOUT"><Locale LCID="9">About</Locale></String></StringTable>)");
  const RCPtr<LMainMenu> bar = harness.Find<LMainMenu>(u"mainMenu");
  ASSERT_TRUE(bar);
  ASSERT_EQ(bar->GetMenuCount(), 2);
  const RCPtr<LComboMenu> titles[] = {bar->GetMenu(0), bar->GetMenu(1)};
  const RCPtr<LPopupMenu> popups[] = {titles[0]->GetPopupMenu(), titles[1]->GetPopupMenu()};
  ASSERT_TRUE(popups[0] && popups[1]);
  Testing::RandomInput input(harness, 20261212);
  const auto check = [&] {
    int open = 0;
    for (int index = 0; index < 2; ++index) {
      ASSERT_EQ(titles[index]->GetPopupMenu(), popups[index]) << input.LastEvent();
      ASSERT_GE(titles[index]->GetIdleCount(), 0) << input.LastEvent();
      const bool shown = popups[index]->IsShown();
      open += shown ? 1 : 0;
      ASSERT_EQ(titles[index]->GetFirstVisibleLookIndex() == LComboMenu::kLookOpen, shown)
          << "title " << index << " after " << input.LastEvent();
      CheckChain(popups[index].Get(), input.LastEvent());
    }
    ASSERT_LE(open, 1) << input.LastEvent();
  };
  for (int burst = 0; burst < 60; ++burst) {
    const RCPtr<LControl> target = burst % 3 == 0 ? RCPtr<LControl>(bar.Get())
                                                   : RCPtr<LControl>(popups[burst % 3 - 1].Get());
    input.Run(target, 40, check);
    if (burst % 5 == 0) harness.Click(harness.At(RCPtr<LControl>(titles[burst % 2].Get())));
  }
}

}  // namespace
}  // namespace SV
