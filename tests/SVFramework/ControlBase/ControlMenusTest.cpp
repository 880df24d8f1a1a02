#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/ControlBase/PopupMenuInterface.h"
#include "SVFramework/ControlBase/ToolTipInterface.h"
#include "SVFramework/System/GlobalHotKeyManager.h"
#include "tests/Support/Controls/ControlEventLog.h"
#include "tests/Support/Controls/InstrumentedControl.h"
#include "tests/Support/Controls/StandInRootWindow.h"
#include "tests/Support/Renderer/StandInApplication.h"
#include "tests/Support/Skins/SkinFixtures.h"

namespace SV {
namespace {

using Strings = std::vector<std::string>;
using Testing::ControlEventLog;
using Testing::InstrumentedControl;
using Testing::LifeRecord;
using Testing::StandInApplication;
using Testing::StandInRootWindow;

Strings gMenuSteps;

// Small stand-ins of the popup menu and the tooltip that record what they are asked.
class TestPopup : public LControl, public IPopupMenu {
public:
  TestPopup(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {}
  SVRESULT SetMenuDescriptor(const RCPtr<LMenuDescriptor>& menu) override {
    gMenuSteps.push_back(menu ? "popup:menu" : "popup:no menu");
    return S_OK;
  }
  SVRESULT ShowAtCursor() override {
    gMenuSteps.push_back(IsVisible(false) ? "popup:show (visible)" : "popup:show");
    return S_OK;
  }
};

class TestTip : public LControl, public IToolTip {
public:
  TestTip(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {}
  SVRESULT Show() override {
    gMenuSteps.push_back("tip:show " + std::string(GetText().ToUTF8().GetString()));
    return S_OK;
  }
  SVRESULT Hide() override {
    gMenuSteps.push_back("tip:hide");
    return GetParent()->DestroyChildLater(RCPtr<LControl>(this));
  }
};

class PlainControl : public LControl {
public:
  PlainControl(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {}
};

// A control that notes when its context menu is about to open.
class MenuOwner : public InstrumentedControl {
public:
  using InstrumentedControl::InstrumentedControl;
  void OnContextMenuOpening(const RCPtr<LControl>& popup) override {
    gMenuSteps.push_back("owner:opening " + std::string(popup->GetName().ToUTF8().GetString()));
  }
};

RCPtr<LMenuItemDescriptor> Item(const char16_t* command) {
  RCPtr<LMenuItemDescriptor> item(new LMenuItemDescriptor);
  item->CommandID = command;
  return item;
}

RCPtr<LMenuDescriptor> Menu(std::initializer_list<RCPtr<LMenuItemDescriptor>> items) {
  RCPtr<LMenuDescriptor> menu(new LMenuDescriptor);
  for (const RCPtr<LMenuItemDescriptor>& item : items) menu->Items.Append(item);
  return menu;
}

// A shown control "owner" under "top", and a factory whose skin is chosen per test.
class ControlMenusTest : public ::testing::Test {
protected:
  void SetUp() override {
    gMenuSteps.clear();
    top = InstrumentedControl::MakeCreated(record, nullptr, u"top");
    owner = RCPtr<MenuOwner>(new MenuOwner(record, top, u"owner"));
    owner->FinishCreation();
    top->SetRootWindow(window.Get());
    window->rootControl = top;
  }
  void TearDown() override {
    windowTarget->UnsubscribeAll();
    window->Forget();
    top->SetRootWindow(nullptr);
    owner.Reset();
    top.Reset();
    SetApplicationControlFactory(nullptr);
  }

  // A new factory with the test classes and one skin, the current one.
  void UseSkin(const char* contextMenuClass, const char* toolTipClass) {
    factory = LControlFactory::Create(u"PresetEditor");
    factory->RegisterControlCreateFunction(u"Test.Popup", &LControlCreation::Create<TestPopup>);
    factory->RegisterControlCreateFunction(u"Test.Tip", &LControlCreation::Create<TestTip>);
    factory->RegisterControlCreateFunction(u"Test.Plain", &LControlCreation::Create<PlainControl>);
    SetApplicationControlFactory(factory);
    std::string body = "<Skin Name=\"s\">";
    if (contextMenuClass)
      body += std::string("<SubControl Class=\"") + contextMenuClass +
              "\" Name=\"contextMenu\"><Skin Name=\"contextMenu\"/></SubControl>";
    if (toolTipClass)
      body += std::string("<SubControl Class=\"") + toolTipClass + "\" Name=\"toolTip\"><Skin Name=\"toolTip\"/></SubControl>";
    body += "</Skin>";
    auto resources = std::make_shared<Testing::MemoryResources>();
    resources->Add("SVXML", "APP_SKINS", Testing::SkinDocument(body));
    factory->SetResourceSource(resources);
    ASSERT_EQ(factory->LoadResources(u"::", 9), S_OK);
  }
  SVRESULT RightClick() {
    owner->SetHoverFlag(true);
    return owner->OnClick(MakeMouseButtonParam(4, {1, 1}, 0, 0, 0, 0));
  }

  StandInApplication application;
  RCPtr<LControlFactory> factory;
  RCPtr<StandInRootWindow> window = StandInRootWindow::Create();
  LifeRecord record;
  RCPtr<InstrumentedControl> top;
  RCPtr<MenuOwner> owner;
  RCPtr<ControlEventLog> windowTarget{new ControlEventLog};
};

TEST_F(ControlMenusTest, ARightClickOpensTheMenuInAPopupChildAfterTheOwnersHook) {
  UseSkin("Test.Popup", nullptr);
  owner->SetMenuDescriptor(Menu({Item(u"NID_CUT")}));
  EXPECT_EQ(RightClick(), S_OK);
  EXPECT_EQ(gMenuSteps, (Strings{"popup:menu", "owner:opening contextMenu", "popup:show"}));
  EXPECT_TRUE(owner->FindChild(u"contextMenu"));
}

TEST_F(ControlMenusTest, ARightClickWithoutAMenuOpensNothing) {
  UseSkin("Test.Popup", nullptr);
  EXPECT_EQ(RightClick(), S_OK);
  EXPECT_TRUE(gMenuSteps.empty());
  EXPECT_EQ(owner->GetChildCount(), 0u);
}

// The skin's "contextMenu" and "toolTip" were used as a popup and a tooltip unchecked.
TEST_F(ControlMenusTest, ASkinWithoutAPopupOrTooltipOrWithAnotherClassShowsNothingAndLeavesNoChild) {
  struct Case {
    const char* what;
    const char* popupClass;
    const char* tipClass;
  };
  const Case cases[] = {
      {"no descriptors", nullptr, nullptr},
      {"plain controls under both names", "Test.Plain", "Test.Plain"},
      {"each under the other's name", "Test.Tip", "Test.Popup"},
  };
  owner->SetTooltipText(u"Tip");
  for (const Case& c : cases) {
    gMenuSteps.clear();
    UseSkin(c.popupClass, c.tipClass);
    EXPECT_EQ(owner->OpenContextMenu(Menu({Item(u"NID_CUT")})), E_FAIL) << c.what;
    EXPECT_EQ(owner->ShowTooltip(true), S_OK) << c.what;
    EXPECT_EQ(owner->GetChildCount(), 0u) << c.what;
    EXPECT_TRUE(gMenuSteps.empty()) << c.what;
  }
}

TEST_F(ControlMenusTest, ATooltipShowsTheTextAndItsHideLetsANewOneTakeTheNameAtOnce) {
  UseSkin(nullptr, "Test.Tip");
  EXPECT_EQ(owner->ShowTooltip(true), S_OK);
  EXPECT_TRUE(gMenuSteps.empty()) << "no text, no tooltip";

  owner->SetTooltipText(u"Saves the preset");
  owner->ShowTooltip(true);
  owner->ShowTooltip(false);
  owner->ShowTooltip(true);
  EXPECT_EQ(gMenuSteps, (Strings{"tip:show Saves the preset", "tip:hide", "tip:show Saves the preset"}));
  EXPECT_EQ(owner->GetChildCount(), 1u);
}

TEST_F(ControlMenusTest, AControlUsingItsParentsTooltipShowsTheNearestAncestorsText) {
  const RCPtr<InstrumentedControl> inner = InstrumentedControl::MakeCreated(record, owner, u"inner");
  EXPECT_EQ(inner->GetTooltipOwner().Get(), inner.Get());
  inner->SetUseParentTooltip(true);
  EXPECT_EQ(inner->GetTooltipOwner().Get(), owner.Get());
  owner->SetUseParentTooltip(true);
  EXPECT_EQ(inner->GetTooltipOwner().Get(), top.Get()) << "through an ancestor marked the same way";
  owner->SetTooltipText(u"Owner");
  EXPECT_EQ(inner->GetTooltipOwner().Get(), owner.Get());
  inner->SetTooltipText(u"Own");
  EXPECT_EQ(inner->GetTooltipOwner().Get(), inner.Get());
}

TEST_F(ControlMenusTest, CommandsWithHotKeysAreBoundAndGoWhereTheirKeysGo) {
  window->hotKeys = CreateGlobalHotKeyManager(windowTarget);
  window->hotKeys->GetMap().Add(KeyCode::Parse(u"Ctrl+VKEY_X"), u"NID_CUT");
  window->hotKeys->GetMap().Add(KeyCode::Parse(u"Ctrl+VKEY_V"), u"NID_PASTE");
  RCPtr<LMenuItemDescriptor> edit = Item(u"");
  edit->Items.Append(Item(u"NID_PASTE"));
  owner->SetMenuDescriptor(Menu({Item(u"NID_CUT"), Item(u"NID_NO_KEYS"), edit}));

  EXPECT_TRUE(owner->GetHandlers()->HasHandler(nullptr, u"NID_CUT"));
  EXPECT_TRUE(owner->GetHandlers()->HasHandler(nullptr, u"NID_PASTE")) << "a submenu's item";
  EXPECT_FALSE(owner->GetHandlers()->HasHandler(nullptr, u"NID_NO_KEYS"));
  DeliverNotification(owner.Get(), u"NID_CUT", nullptr);
  EXPECT_EQ(windowTarget->entries, (Strings{"?:CUT"}));

  owner->SetMenuDescriptor(Menu({Item(u"NID_PASTE")}));
  EXPECT_FALSE(owner->GetHandlers()->HasHandler(nullptr, u"NID_CUT")) << "the old menu's bindings go";
  EXPECT_TRUE(owner->GetHandlers()->HasHandler(nullptr, u"NID_PASTE"));
  EXPECT_EQ(owner->BindMenuCommands(nullptr, true), E_INVALIDARG);
}


// A control that answers for one command, the way widgets with edit commands do.
class CommandAnswerer : public LControl {
public:
  CommandAnswerer(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {}
  SVRESULT UpdateMenuItemState(const RCPtr<LMenuDescriptor>& menu, uint32_t index, const String& command,
                               LMenuItemState& state) override {
    if (!(command == u"NID_PASTE")) return LControl::UpdateMenuItemState(menu, index, command, state);
    state.Enabled = false;
    state.Label = u"Paste here";
    return S_OK;
  }
};

TEST(MenuItemUpdater, IsMadeOnceAndAsksItsOwnerWhichFreesThePairWhenLetGo) {
  RCPtr<LControl> control(new CommandAnswerer(nullptr, u"answerer"));
  const RCPtr<LMenuItemUpdater> updater = control->GetMenuItemUpdater();
  ASSERT_TRUE(updater);
  EXPECT_EQ(control->GetMenuItemUpdater(), updater);
  EXPECT_EQ(updater->GetOwner(), control.Get());
  EXPECT_EQ(control->GetInternalRefCount(), 1);

  LMenuItemState paste{true, false, u"Paste"};
  EXPECT_EQ(updater->GetOwner()->UpdateMenuItemState(nullptr, 0, u"NID_PASTE", paste), S_OK);
  EXPECT_EQ(paste, (LMenuItemState{false, false, u"Paste here"}));
  LMenuItemState other{true, true, u"Other"};
  EXPECT_EQ(updater->GetOwner()->UpdateMenuItemState(nullptr, 1, u"NID_OTHER", other), S_FALSE);
  EXPECT_EQ(other, (LMenuItemState{true, true, u"Other"}));

  control.Reset();
  EXPECT_EQ(updater->GetOwner(), nullptr);
}

std::string MenuOutline(const LMenuDescriptor& menu) {
  std::string text;
  for (uint32_t index = 0; index < menu.Items.GetCount(); ++index) {
    const LMenuItemDescriptor& item = *menu.Items[index];
    text += item.Separator ? std::string("-") : std::string(item.CommandID.ToUTF8().GetString());
    if (item.Items.GetCount() > 0) text += "{" + MenuOutline(item) + "}";
    text += " ";
  }
  return text;
}

struct ContextMenuCase {
  const char* name;
  std::vector<std::pair<std::u16string, std::u16string>> strings;
  Strings menus;
};

void PrintTo(const ContextMenuCase& test, std::ostream* out) {
  *out << test.name;
}

class ContextMenuStringsTest : public ::testing::TestWithParam<ContextMenuCase> {};

TEST_P(ContextMenuStringsTest, BuildsOneMenuPerGroupInGroupOrder) {
  RCPtr<LControl> control(new PlainControl(nullptr, u"strings"));
  const RCPtr<LStringTable> table = LStringTable::Create();
  for (const auto& [id, text] : GetParam().strings) table->SetString(id.c_str(), text.c_str());
  control->SetStringTable(table);
  RCPtrArray<LMenuDescriptor> menus;
  menus.Append(RCPtr<LMenuDescriptor>(new LMenuDescriptor));
  EXPECT_EQ(control->BuildContextMenuDescriptors(menus), 1);
  Strings outlines;
  for (uint32_t index = 1; index < menus.GetCount(); ++index) outlines.push_back(MenuOutline(*menus[index]));
  EXPECT_EQ(outlines, GetParam().menus);
}

const ContextMenuCase kContextMenuCases[] = {
    {"NoEntriesAppendNothing", {{u"LABEL", u"x"}, {u"CONTEXT_MENU", u"no dot"}}, {}},
    {"TheUnnumberedFormWinsOverNumberedEntries",
     {{u"CONTEXT_MENU.00.NID_A", u"A"}, {u"CONTEXT_MENU0.00.NID_B", u"B"}},
     {"NID_A "}},
    {"NumberedGroupsMakeMenusInOrdinalOrder",
     {{u"CONTEXT_MENU1.00.NID_HELP", u"Help"},
      {u"CONTEXT_MENU0.00.NID_SEND", u"Send"},
      {u"CONTEXT_MENU0.01.-", u"-"},
      {u"CONTEXT_MENU0.02.NID_EXIT", u"Exit"},
      {u"CONTEXT_MENU10.00.NID_TEN", u"Ten"},
      {u"CONTEXT_MENU2.00.NID_TWO", u"Two"}},
     {"NID_SEND - NID_EXIT ", "NID_HELP ", "NID_TEN ", "NID_TWO "}},
    {"AGroupWithAGapKeepsItsLeadingItems", {{u"CONTEXT_MENU0.00.NID_A", u"A"}, {u"CONTEXT_MENU0.02.NID_C", u"C"}}, {"NID_A "}},
    {"SubmenusComeFromTheSameGroup",
     {{u"CONTEXT_MENU0.00.Edit.", u"Edit"}, {u"CONTEXT_MENU0.Edit.00.NID_CUT", u"Cut"}},
     {"{NID_CUT } "}},
};

INSTANTIATE_TEST_SUITE_P(Cases, ContextMenuStringsTest, ::testing::ValuesIn(kContextMenuCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ContextMenuStrings, AControlWithoutAStringTableAppendsNothing) {
  RCPtr<LControl> control(new PlainControl(nullptr, u"bare"));
  control->SetStringTable(nullptr);
  RCPtrArray<LMenuDescriptor> menus;
  EXPECT_EQ(control->BuildContextMenuDescriptors(menus), 1);
  EXPECT_EQ(menus.GetCount(), 0u);
}

}  // namespace
}  // namespace SV
