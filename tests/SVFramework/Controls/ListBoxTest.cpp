#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/Controls/ListBox.h"
#include "SVFramework/System/Keys/KeyCode.h"
#include "SVFramework/System/Keys/VirtualKeys.h"
#include "SVFramework/Utilities/Holder.h"
#include "SVFramework/Utilities/Storage/StringPairs.h"
#include "tests/Support/TextConversions.h"
#include "tests/Support/Widgets/NotificationLog.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::NotificationLog;
using Testing::WidgetHarness;

// Opaque looks for the window, the list (3) and its rows (14): the pointer hits a
// control only through a visible look.
constexpr std::string_view kListBoxLooks =
    R"(<Colorizers><Colorizer Name="Grey" ColorType="SolidFill" Color="FF808080"/></Colorizers>
<Parts><Part Name="Face" Width="4" Height="4" ResizeType="Tile" ColorizerName="Grey" ColorizerAlphaMod="1"/></Parts>
<Looks><Look Name="Solid"><ClientPart Name="Face" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/>
</Look></Looks>
<LookLists>
  <LookList Name="Test.Window" NumLooks="1"><Look Name="Solid" Index="0"/></LookList>
  <LookList Name="List" NumLooks="3"><Look Name="Solid" Index="0"/><Look Name="Solid" Index="1"/>
    <Look Name="Solid" Index="2"/></LookList>
  <LookList Name="Row" NumLooks="14"><Look Name="Solid" Index="0"/><Look Name="Solid" Index="1"/>
    <Look Name="Solid" Index="2"/><Look Name="Solid" Index="3"/><Look Name="Solid" Index="4"/>
    <Look Name="Solid" Index="5"/><Look Name="Solid" Index="6"/><Look Name="Solid" Index="7"/>
    <Look Name="Solid" Index="8"/><Look Name="Solid" Index="9"/><Look Name="Solid" Index="10"/>
    <Look Name="Solid" Index="11"/><Look Name="Solid" Index="12"/><Look Name="Solid" Index="13"/></LookList>
</LookLists>)";

// A list 200 x 80 at (10, 20) whose rows are 21 high: four rows, the last partly shown.
constexpr std::string_view kListSkin =
    R"(<SubControl Class="Framework.ListBox" Name="list" TabStop="1" XPositionAbs="10" YPositionAbs="20"
                   XSizeAbs="200" YSizeAbs="80"><Skin Name="list" LookList="List"/>
  <SubControl Class="Framework.ListBoxItem" Name="templateItem" XSizeToControl="Parent" XSizeRel="1" YSizeAbs="21">
    <Skin Name="row" LookList="Row"/></SubControl>
</SubControl>)";

std::string ItemStrings(int count) {
  std::string strings = R"(<StringTable ID="Test.Window|list">)";
  for (int index = 0; index < count; ++index) {
    char key[16];
    std::snprintf(key, sizeof key, "ITEM.%02d", index);
    strings += std::string("<String ID=\"") + key + "\"><Locale LCID=\"9\">" + std::to_string(index) +
               "</Locale></String>";
  }
  return strings + "</StringTable>";
}

using Testing::Utf8;

// A built list with `count` items named "0", "1", ..., a log of its notifications and
// the pointer and keys of the harness.
class ListBoxTest : public ::testing::Test {
protected:
  void Build(int count, std::string_view skin = kListSkin) {
    harness.Build(skin, kListBoxLooks, ItemStrings(count));
    list = harness.Find<LListBox>(u"list");
    ASSERT_TRUE(list);
    for (const char16_t* id : {u"NID_SELECTION_CHANGE", u"NID_ITEM_ACTIVATED", u"NID_ITEM_DOUBLE_CLICKED"})
      log->Listen(RCPtr<LNotificationDistributor>(list.Get()), id);
    log->Listen(RCPtr<LNotificationDistributor>(list.Get()), u"NID_ITEM_RIGHT_CLICK",
                [](const RCPtr<LNotification>& notification) {
                  const auto* holder = dynamic_cast<const LHolder<int32_t>*>(notification->GetPayload().Get());
                  return holder ? std::to_string(holder->Value()) : std::string("?");
                });
  }
  void TearDown() override { log->StopListening(); }

  PointT<int32_t> RowPoint(uint32_t row) { return harness.At(RCPtr<LControl>(list->GetRow(row).Get())); }
  void ClickRow(uint32_t row, int32_t modifiers = 0) { harness.Click(RowPoint(row), 1, modifiers); }
  // Clicks the row that shows the item now (a click may scroll the list).
  void ClickItem(int32_t item, int32_t modifiers = 0) {
    const int32_t row = list->GetRowIndexOfItem(item);
    ASSERT_GE(row, 0) << "item " << item << " has no row";
    ClickRow(static_cast<uint32_t>(row), modifiers);
  }
  void Focus() { ASSERT_GE(list->SetFocus(true), 0); }
  std::vector<int32_t> Selected() { return list->GetSelectedIndexes(); }
  std::vector<std::string> RowTexts() {
    std::vector<std::string> texts;
    for (uint32_t row = 0; row < list->GetRowCount(); ++row) texts.push_back(Utf8(list->GetRow(row)->GetText()));
    return texts;
  }
  std::vector<std::string> ItemTexts() {
    std::vector<std::string> texts;
    for (int32_t index = 0; index < list->GetItemCount(); ++index) texts.push_back(Utf8(list->GetItemText(index)));
    return texts;
  }

  WidgetHarness harness;
  RCPtr<LListBox> list;
  RCPtr<NotificationLog> log = NotificationLog::Create();
};

using Lines = std::vector<std::string>;

// --- Row pool and layout ---

TEST_F(ListBoxTest, KeepsOnlyTheRowsThatFillTheViewAndScrollsByRebindingThem) {
  Build(16);
  ASSERT_EQ(list->GetItemCount(), 16);
  ASSERT_EQ(list->GetRowHeight(), 21);
  ASSERT_EQ(list->GetRowCount(), 4u);
  for (uint32_t row = 0; row < 4; ++row)
    EXPECT_EQ(Utf8(list->GetRow(row)->GetName()), "ItemControl" + std::to_string(row + 1));
  const uint32_t children = list->GetChildCount();

  EXPECT_EQ(list->ScrollToItem(10), S_OK);

  EXPECT_EQ(list->GetFirstVisibleItem(), 8u);
  EXPECT_EQ(RowTexts(), (std::vector<std::string>{"8", "9", "10", "11"}));
  EXPECT_EQ(list->GetRowIndexOfItem(10), 2);
  EXPECT_EQ(list->GetChildCount(), children);
  EXPECT_DOUBLE_EQ(list->GetScrollOffset().y, 8 * 21);
}

TEST_F(ListBoxTest, RowsPastTheLastItemAreEmptyAndDisabledAndGiveNoItem) {
  Build(2);
  ASSERT_EQ(list->GetRowCount(), 4u);
  EXPECT_EQ(RowTexts(), (std::vector<std::string>{"0", "1", "", ""}));
  EXPECT_TRUE(list->GetRow(1)->IsEnabled(false));
  EXPECT_FALSE(list->GetRow(2)->IsEnabled(false));
  EXPECT_EQ(list->GetItemIndexOfRow(list->GetRow(3).Get()), -1);

  ClickRow(3);
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(list->GetCaretItem(), -1);
}

TEST_F(ListBoxTest, AHiddenItemTakesNoRowAndNoPlaceInTheContent) {
  Build(3);
  ASSERT_EQ(list->SetItemHidden(1, true), S_OK);
  list->RebindRowsFrom(0);
  list->UpdateRowWidths();

  EXPECT_EQ(RowTexts(), (std::vector<std::string>{"0", "2", "", ""}));
  EXPECT_EQ(list->GetRowIndexOfItem(1), -1);
  EXPECT_EQ(list->GetRowIndexOfItem(2), 1);
  EXPECT_EQ(list->GetContentHeight(), 2 * 21);
  EXPECT_EQ(list->SetItemHidden(1, true), S_FALSE);
  EXPECT_EQ(list->SetItemHidden(3, true), E_INVALIDARG);
}

TEST_F(ListBoxTest, ItemAtPointItemRectAndRowClicksAgreeOnAScrolledList) {
  Build(16);
  list->SetScrollOffset({0, 2 * 21});
  ASSERT_EQ(list->GetFirstVisibleItem(), 2u);

  const RectT<double> rect = list->GetItemRect(4);
  EXPECT_EQ(rect.y, 42);
  EXPECT_EQ(list->GetItemAtPoint({static_cast<int32_t>(rect.x) + 3, static_cast<int32_t>(rect.y) + 4}), 4);
  EXPECT_EQ(list->GetItemAtPoint({5, 200}), -1);
  ClickRow(2);
  EXPECT_EQ(Selected(), (std::vector<int32_t>{4}));
}

TEST_F(ListBoxTest, ATemplateWithoutHeightEndsTheFillingAndMeasuresTheDefaultRowHeight) {
  Build(5, R"(<SubControl Class="Framework.ListBox" Name="list" XSizeAbs="200" YSizeAbs="80">
  <SubControl Class="Framework.ListBoxItem" Name="templateItem" XSizeAbs="200" YSizeAbs="0"/>
</SubControl>)");
  EXPECT_EQ(list->GetRowHeight(), LListBox::kDefaultRowHeight);
  EXPECT_LE(list->GetRowCount(), 1u);
  EXPECT_EQ(list->GetItemCount(), 5);
}

TEST_F(ListBoxTest, FixedRowsAreTheItemsAndTheListNeverAddsRows) {
  harness.Build(R"(<SubControl Class="Framework.ListBox" Name="list" XSizeAbs="200" YSizeAbs="200">
  <SubControl Class="Framework.ListBoxItem" Name="item1" XSizeAbs="200" YSizeAbs="20"/>
  <SubControl Class="Framework.ListBoxItem" Name="item2" XSizeAbs="200" YSizeAbs="20" YPositionAbs="20"/>
  <SubControl Class="Framework.ListBoxItem" Name="item3" XSizeAbs="200" YSizeAbs="20" YPositionAbs="40"/>
</SubControl>)",
                {}, R"(<StringTable ID="Framework.ListBox|item1"><String ID="LABEL"><Locale LCID="9">one</Locale></String></StringTable>
<StringTable ID="Framework.ListBox|item2"><String ID="LABEL"><Locale LCID="9">two</Locale></String></StringTable>
<StringTable ID="Framework.ListBox|item3"><String ID="LABEL"><Locale LCID="9">three</Locale></String></StringTable>)");
  list = harness.Find<LListBox>(u"list");
  ASSERT_TRUE(list);
  EXPECT_EQ(ItemTexts(), (std::vector<std::string>{"one", "two", "three"}));
  ASSERT_EQ(list->GetRowCount(), 3u);

  list->AddItem(u"four");
  EXPECT_EQ(list->GetRowCount(), 3u);
  EXPECT_EQ(list->GetItemCount(), 4);
}

TEST_F(ListBoxTest, OnlyChildNamesItem1ToTheRowCountRecordARow) {
  harness.Build(R"(<SubControl Class="Framework.ListBox" Name="list" XSizeAbs="200" YSizeAbs="200">
  <SubControl Class="Framework.ListBoxItem" Name="item1" XSizeAbs="200" YSizeAbs="20"/>
  <SubControl Class="Framework.ListBoxItem" Name="item2" XSizeAbs="200" YSizeAbs="20" YPositionAbs="20"/>
</SubControl>)");
  list = harness.Find<LListBox>(u"list");
  ASSERT_TRUE(list);
  for (const char16_t* name : {u"item0", u"itemX", u"item3", u"item99999"}) {
    SCOPED_TRACE(Utf8(name));
    const RCPtr<LControl> stranger(new LListBoxItem(nullptr, name));
    const RCPtr<LControlDescriptor> descriptor =
        LControlDescriptor::Create(u"Framework.ListBoxItem", name, list->GetDescriptor().Get());
    list->AdoptChild(stranger, descriptor);
    EXPECT_EQ(list->GetRowCount(), 2u);
    EXPECT_EQ(Utf8(list->GetRow(0)->GetName()), "item1");
    EXPECT_EQ(Utf8(list->GetRow(1)->GetName()), "item2");
    stranger->Detach();
  }
}

// --- Items and records ---

struct StringTableCase {
  const char* title;
  StringMap entries;
  std::vector<std::string> texts;
};

class ListBoxStringTableTest : public ListBoxTest, public ::testing::WithParamInterface<StringTableCase> {};

TEST_P(ListBoxStringTableTest, LoadsTheItemKeysAndIgnoresNumbersOutsideTheItemRange) {
  Build(0);
  ASSERT_EQ(list->LoadItemsFromStringTable(LStringTable::Create(GetParam().entries)), S_OK);
  EXPECT_EQ(ItemTexts(), GetParam().texts);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ListBoxStringTableTest,
    ::testing::Values(
        StringTableCase{"Gap", {{u"ITEM.00", u"a"}, {u"ITEM.02", u"c"}}, {"a", "", "c"}},
        StringTableCase{"OtherKeysIgnored", {{u"LABEL", u"x"}, {u"ITEM.01", u"b"}, {u"ITEMS", u"y"}}, {"", "b"}},
        StringTableCase{"NegativeNumber", {{u"ITEM.-1", u"before"}, {u"ITEM.00", u"a"}}, {"a"}},
        StringTableCase{"HugeNumber", {{u"ITEM.99999999", u"far"}, {u"ITEM.00", u"a"}}, {"a"}},
        StringTableCase{"JustPastTheRange", {{u"ITEM.65536", u"far"}}, {}},
        StringTableCase{"SameNumberTwiceLaterKeyWins", {{u"ITEM.1", u"first"}, {u"ITEM.01", u"second"}}, {"", "first"}}),
    [](const ::testing::TestParamInfo<StringTableCase>& info) { return std::string(info.param.title); });

TEST_F(ListBoxTest, ANullStringTableIsRefusedAndKeepsTheItems) {
  Build(3);
  EXPECT_EQ(list->LoadItemsFromStringTable(nullptr), E_INVALIDARG);
  EXPECT_EQ(list->GetItemCount(), 3);
}

TEST_F(ListBoxTest, InsertingAtOrBeforeTheCaretKeepsEnterOnTheSelectedItem) {
  Build(4);
  ClickRow(2);
  ASSERT_EQ(list->GetCaretItem(), 2);
  for (const int32_t at : {2, 0}) {
    SCOPED_TRACE(at);
    ASSERT_EQ(list->InsertItem(at, LListBox::MakeTextItem(u"new")), at);
    EXPECT_EQ(Utf8(list->GetItemText(list->GetCaretItem())), "2");
    EXPECT_EQ(list->GetAnchorItem(), list->GetCaretItem());
  }
  Focus();
  log->lines.clear();
  harness.Key(VirtualKey::kReturn);
  EXPECT_EQ(log->lines, Lines{"NID_ITEM_ACTIVATED"});
  EXPECT_EQ(Utf8(list->GetItemText(list->GetCaretItem())), "2");
  EXPECT_TRUE(list->IsItemSelected(list->GetCaretItem()));
}

TEST_F(ListBoxTest, RemovingItemsMovesOrDropsAnchorAndCaretAndRebindsTheRows) {
  Build(6);
  list->SetMultipleSelection(true);
  ASSERT_EQ(list->SelectRange(2, 4, true), 2);
  ASSERT_EQ(list->RemoveItem(0), 5);
  EXPECT_EQ(list->GetAnchorItem(), 1);
  EXPECT_EQ(list->GetCaretItem(), 3);
  EXPECT_EQ(RowTexts(), (std::vector<std::string>{"3", "4", "5", ""}));  // item 2 stays on top

  ASSERT_EQ(list->RemoveItem(2), 4);  // between anchor and caret
  EXPECT_EQ(list->GetAnchorItem(), -1);
  EXPECT_EQ(list->GetCaretItem(), -1);
  EXPECT_EQ(list->RemoveItem(4), E_INVALIDARG);

  EXPECT_EQ(list->RemoveAllItems(), S_OK);
  EXPECT_EQ(list->GetSelectedCount(), 0);
  EXPECT_EQ(RowTexts(), (std::vector<std::string>{"", "", "", ""}));
  EXPECT_EQ(list->RemoveAllItems(), S_FALSE);
}

TEST_F(ListBoxTest, SetItemCountGrowsAndShrinksAtTheEnd) {
  Build(2);
  EXPECT_EQ(list->SetItemCount(5), 5);
  EXPECT_EQ(ItemTexts(), (std::vector<std::string>{"0", "1", "", "", ""}));
  EXPECT_EQ(list->SetItemCount(1), 1);
  EXPECT_EQ(ItemTexts(), (std::vector<std::string>{"0"}));
  EXPECT_EQ(list->GetContentHeight(), 21);
}

TEST_F(ListBoxTest, FindsAndSelectsItemsByText) {
  Build(0);
  for (const char16_t* text : {u"Alpha", u"beta", u"alpha", u"Gamma"}) list->AddItem(text);
  EXPECT_EQ(list->FindItemByText(u"ALPHA", false), 2);
  EXPECT_EQ(list->FindItemByText(u"Alpha", true), 0);
  EXPECT_EQ(list->FindItemByText(u"delta", false), -1);
  EXPECT_EQ(list->SelectItemByText(u"alpha", 0, false), 2);
  EXPECT_EQ(list->SelectItemByText(u"alpha", 2, false), 0);
  EXPECT_EQ(list->SelectItemByText(u"alpha", 99, true), 2);
  EXPECT_EQ(Selected(), (std::vector<int32_t>{2}));
}

// --- Selection by mouse ---

TEST_F(ListBoxTest, AClickSelectsOneItemAndAnnouncesOnlyChanges) {
  Build(8);
  ClickRow(1);
  EXPECT_EQ(Selected(), (std::vector<int32_t>{1}));
  EXPECT_EQ(log->lines, Lines{"NID_SELECTION_CHANGE"});
  ClickRow(1);
  EXPECT_EQ(log->lines.size(), 1u);
  ClickRow(3);
  EXPECT_EQ(Selected(), (std::vector<int32_t>{3}));
  EXPECT_EQ(log->lines.size(), 2u);
  EXPECT_TRUE(list->GetRow(static_cast<uint32_t>(list->GetRowIndexOfItem(3)))->IsSelected());
  EXPECT_FALSE(list->GetRow(static_cast<uint32_t>(list->GetRowIndexOfItem(1)))->IsSelected());
  EXPECT_EQ(list->SelectRange(3, -1, true), 3);
  EXPECT_EQ(log->lines.size(), 2u);
}

struct ClickCase {
  const char* title;
  int32_t style;
  std::vector<std::pair<int32_t, int32_t>> clicks;  // item, modifiers
  std::vector<int32_t> selected;
  int32_t anchor;
  int32_t caret;
};

class ListBoxClickTest : public ListBoxTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ListBoxClickTest, ClicksWithModifiersBuildTheSelection) {
  Build(8);
  list->SetMultipleSelection(true, GetParam().style);
  for (const auto& [item, modifiers] : GetParam().clicks) ClickItem(item, modifiers);
  EXPECT_EQ(Selected(), GetParam().selected);
  EXPECT_EQ(list->GetAnchorItem(), GetParam().anchor);
  EXPECT_EQ(list->GetCaretItem(), GetParam().caret);
}

INSTANTIATE_TEST_SUITE_P(
    Multiple, ListBoxClickTest,
    ::testing::Values(
        ClickCase{"PlainClickReplaces", 1, {{1, 0}, {3, 0}}, {3}, 3, 3},
        ClickCase{"ShiftExtendsFromTheAnchor", 1, {{1, 0}, {3, KeyCode::kModShift}}, {1, 2, 3}, 1, 3},
        ClickCase{"ShiftWithoutAnchorSelectsTheItem", 1, {{2, KeyCode::kModShift}}, {2}, 2, 2},
        ClickCase{"CtrlAdds", 1, {{1, 0}, {3, KeyCode::kModCtrl}}, {1, 3}, 3, 3},
        ClickCase{"CtrlTogglesOff", 1, {{1, 0}, {3, KeyCode::kModCtrl}, {1, KeyCode::kModCtrl}}, {3}, 3, 3},
        ClickCase{"CtrlShiftMovesTheAnchor", 1, {{1, 0}, {3, KeyCode::kModCtrl | KeyCode::kModShift}}, {1, 3}, 3, 3},
        ClickCase{"ToggleStyleAdds", 0, {{1, 0}, {2, 0}}, {1, 2}, 2, 2},
        ClickCase{"ToggleStyleRemovesOnRelease", 0, {{1, 0}, {2, 0}, {1, 0}}, {2}, 2, 2}),
    [](const ::testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.title); });

TEST_F(ListBoxTest, UnselectingMovesTheCaretToASelectedNeighbour) {
  Build(6);
  list->SetMultipleSelection(true);
  list->SelectRange(3, 2, false);
  ASSERT_EQ(list->GetAnchorItem(), 3);
  ASSERT_EQ(list->GetCaretItem(), 2);
  EXPECT_EQ(list->Unselect(2), S_OK);
  EXPECT_EQ(list->GetCaretItem(), 3);
  EXPECT_EQ(list->GetAnchorItem(), 3);
  EXPECT_EQ(list->Unselect(3), S_OK);
  EXPECT_EQ(list->GetCaretItem(), -1);
  EXPECT_EQ(list->GetAnchorItem(), -1);
  EXPECT_EQ(list->Unselect(3), S_FALSE);
}

TEST_F(ListBoxTest, ARightPressAnnouncesTheItemOfTheRowAndADoubleClickIsAnnounced) {
  Build(16);
  list->ScrollToItem(12);
  list->ScrollToItem(5);
  ASSERT_EQ(list->GetFirstVisibleItem(), 5u);
  harness.Press(RowPoint(2), 4);
  harness.Release(RowPoint(2), 4);
  EXPECT_EQ(log->lines, Lines{"NID_ITEM_RIGHT_CLICK 7"});
  EXPECT_TRUE(Selected().empty());

  log->lines.clear();
  harness.DoubleClick(RowPoint(0));
  EXPECT_EQ(log->lines, (Lines{"NID_SELECTION_CHANGE", "NID_ITEM_DOUBLE_CLICKED"}));
}

// --- Keys ---

struct ListBoxKeyCase {
  const char* title;
  bool multiple;
  int32_t startItem;  // selected by a click first; -1 for none
  std::vector<std::pair<uint32_t, uint32_t>> keys;  // virtual key, modifiers
  std::vector<int32_t> selected;
  int32_t caret;
};

class ListBoxKeyTest : public ListBoxTest, public ::testing::WithParamInterface<ListBoxKeyCase> {};

TEST_P(ListBoxKeyTest, ArrowKeysMoveTheSelection) {
  Build(6);
  list->SetItemHidden(2, true);
  list->RebindRowsFrom(0);
  list->SetMultipleSelection(GetParam().multiple);
  if (GetParam().startItem >= 0) list->SelectRange(GetParam().startItem, -1, true);
  Focus();
  for (const auto& [key, modifiers] : GetParam().keys) harness.Key(key, modifiers);
  EXPECT_EQ(Selected(), GetParam().selected);
  EXPECT_EQ(list->GetCaretItem(), GetParam().caret);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ListBoxKeyTest,
    ::testing::Values(
        ListBoxKeyCase{"DownWithoutCaretSelectsTheFirstItem", false, -1, {{VirtualKey::kDown, 0}}, {0}, 0},
        ListBoxKeyCase{"UpWithoutCaretDoesNothing", false, -1, {{VirtualKey::kUp, 0}}, {}, -1},
        ListBoxKeyCase{"DownSkipsAHiddenItem", false, 1, {{VirtualKey::kDown, 0}}, {3}, 3},
        ListBoxKeyCase{"UpSkipsAHiddenItem", false, 3, {{VirtualKey::kUp, 0}}, {1}, 1},
        ListBoxKeyCase{"DownStopsAtTheLastItem",
                       false,
                       4,
                       {{VirtualKey::kDown, 0}, {VirtualKey::kDown, 0}, {VirtualKey::kDown, 0}},
                       {5},
                       5},
        ListBoxKeyCase{
            "ShiftDownWithoutMultipleSelectionMoves", false, 0, {{VirtualKey::kDown, KeyCode::kModShift}}, {1}, 1},
        ListBoxKeyCase{"ShiftDownExtends",
                       true,
                       3,
                       {{VirtualKey::kDown, KeyCode::kModShift}, {VirtualKey::kDown, KeyCode::kModShift}},
                       {3, 4, 5},
                       5},
        ListBoxKeyCase{"CtrlDownIsNotAListKey", false, 0, {{VirtualKey::kDown, KeyCode::kModCtrl}}, {0}, 0}),
    [](const ::testing::TestParamInfo<ListBoxKeyCase>& info) { return std::string(info.param.title); });

TEST_F(ListBoxTest, KeysActOnKeyDownOnlyAndUpIsHandledWithoutACaret) {
  Build(6);
  Focus();
  harness.KeyDown(VirtualKey::kDown);
  harness.KeyDown(VirtualKey::kDown, 0, true);
  harness.KeyUp(VirtualKey::kDown);
  EXPECT_EQ(Selected(), (std::vector<int32_t>{1}));

  list->ClearSelection();
  const RCPtr<LKeyParam> up(new LKeyParam(KeyCode(VirtualKey::kUp << 16 | KeyCode::kKeyDown, 0, 0), 1));
  EXPECT_EQ(list->HandleKey(up), S_OK);
  const RCPtr<LKeyParam> other(new LKeyParam(KeyCode(0x41u << 16 | KeyCode::kKeyDown, 0, 0), 1));
  EXPECT_EQ(list->HandleKey(other), S_FALSE);
}

TEST_F(ListBoxTest, KeysScrollTheCaretIntoTheLastFullyShownRow) {
  Build(16);
  Focus();
  for (int step = 0; step < 5; ++step) harness.Key(VirtualKey::kDown);
  EXPECT_EQ(list->GetCaretItem(), 4);
  EXPECT_EQ(list->GetFirstVisibleItem(), 2u);
  EXPECT_EQ(list->GetRowIndexOfItem(4), 2);
}

// --- Sort ---

TEST_F(ListBoxTest, SortsWithoutCaseAndKeepsTheCaretOnItsItem) {
  Build(0);
  for (const char16_t* text : {u"b", u"A", u"c"}) list->AddItem(text);
  list->SelectRange(0, -1, true);
  EXPECT_EQ(list->Sort(0, 3), S_OK);
  EXPECT_EQ(ItemTexts(), (std::vector<std::string>{"A", "b", "c"}));
  EXPECT_EQ(list->GetCaretItem(), 1);
  EXPECT_EQ(Selected(), (std::vector<int32_t>{1}));
  EXPECT_EQ(RowTexts(), (std::vector<std::string>{"A", "b", "c", ""}));
}

TEST_F(ListBoxTest, SortsARangeAndRefusesOneBeyondTheItems) {
  Build(0);
  for (const char16_t* text : {u"z", u"b", u"a", u"y"}) list->AddItem(text);
  EXPECT_EQ(list->Sort(1, 2), S_OK);
  EXPECT_EQ(ItemTexts(), (std::vector<std::string>{"z", "a", "b", "y"}));
  EXPECT_EQ(list->Sort(2, 0), S_FALSE);
  EXPECT_EQ(list->Sort(2, 3), E_INVALIDARG);
}

TEST_F(ListBoxTest, ASortedListSortsEveryInsertion) {
  Build(0);
  list->SetSorted(true);
  for (const char16_t* text : {u"pear", u"Apple", u"fig", u"banana"}) list->AddItem(text);
  EXPECT_EQ(ItemTexts(), (std::vector<std::string>{"Apple", "banana", "fig", "pear"}));
}

// --- Drop-down mode ---

TEST_F(ListBoxTest, InDropDownModeHoverSelectsSilentlyAndEnterActivatesAndHides) {
  Build(6);
  list->SetDropDownMode(true);
  harness.MoveTo(RowPoint(1));
  harness.MoveTo(RowPoint(2));
  EXPECT_EQ(Selected(), (std::vector<int32_t>{2}));
  EXPECT_TRUE(log->lines.empty());

  Focus();
  harness.Key(VirtualKey::kReturn);
  EXPECT_EQ(log->lines, Lines{"NID_ITEM_ACTIVATED"});
  EXPECT_FALSE(list->IsVisible(false));
}

TEST_F(ListBoxTest, InDropDownModeADragFromARowSelectsUnderThePointerAndTheReleaseActivates) {
  Build(6);
  list->SetDropDownMode(true);
  harness.Drag(RowPoint(0), RowPoint(3));
  EXPECT_EQ(Selected(), (std::vector<int32_t>{3}));
  EXPECT_EQ(log->lines, Lines{"NID_ITEM_ACTIVATED"});
  EXPECT_FALSE(list->IsVisible(false));
}

// --- Rows' looks ---

struct ListBoxLookCase {
  const char* title;
  bool separator;
  bool enabled;
  bool selected;
  bool alternate;
  int32_t look;
};

class ListBoxItemLookTest : public ListBoxTest, public ::testing::WithParamInterface<ListBoxLookCase> {};

TEST_P(ListBoxItemLookTest, ChoosesTheLookFromTheBoundState) {
  Build(3);
  const ListBoxLookCase& state = GetParam();
  list->SetItem(0, LListBox::MakeTextItem(u"x"), state.selected ? 1.0 : 0.0, state.alternate, state.separator);
  const RCPtr<LListBoxItem> row = list->GetRow(0);
  if (!state.enabled) row->SetEnabled(false);
  harness.MoveTo(RowPoint(0));
  EXPECT_EQ(row->GetLookIndex(), state.look);
}

INSTANTIATE_TEST_SUITE_P(States, ListBoxItemLookTest,
                         ::testing::Values(ListBoxLookCase{"Hover", false, true, false, false, 1},
                                           ListBoxLookCase{"HoverSelected", false, true, true, false, 8},
                                           ListBoxLookCase{"HoverAlternate", false, true, false, true, 4},
                                           ListBoxLookCase{"HoverAlternateSelected", false, true, true, true, 11},
                                           ListBoxLookCase{"Disabled", false, false, false, true, 6},
                                           ListBoxLookCase{"DisabledSelected", false, false, true, false, 13},
                                           ListBoxLookCase{"Separator", true, true, true, false, 13},
                                           ListBoxLookCase{"SeparatorUnselected", true, true, false, true, 13}),
                         [](const ::testing::TestParamInfo<ListBoxLookCase>& info) {
                           return std::string(info.param.title);
                         });

TEST_F(ListBoxTest, ARowPressedAndDraggedOffShowsHoverThenPressedWhenBack) {
  Build(3);
  const RCPtr<LListBoxItem> row = list->GetRow(1);
  EXPECT_EQ(row->GetLookIndex(), 0);
  harness.Press(RowPoint(1));
  harness.MoveTo({RowPoint(1).x, RowPoint(1).y + 100});
  EXPECT_EQ(row->GetLookIndex(), 1 + LListBoxItem::kSelectedOffset);
  harness.MoveTo(RowPoint(1));
  EXPECT_EQ(row->GetLookIndex(), 2 + LListBoxItem::kSelectedOffset);
  harness.Release(RowPoint(1));
}

TEST_F(ListBoxTest, ASeparatorRowLosesItsTextUntilTheListBindsItAgain) {
  Build(3);
  const RCPtr<LListBoxItem> row = list->GetRow(1);
  row->SetSeparator(true);
  EXPECT_EQ(Utf8(row->GetText()), "");
  row->SetSeparator(false);
  EXPECT_EQ(Utf8(row->GetText()), "");
  list->RebindRowsFrom(0);
  EXPECT_EQ(Utf8(row->GetText()), "1");
  EXPECT_TRUE(row->IsNotFocusable());
}

// A parent that records the drag starts it receives.
class DragRecorder : public LControl {
public:
  using LControl::LControl;
  SVRESULT OnDragStart(int32_t button, int32_t x, int32_t y) override {
    starts.push_back({button, x, y});
    return S_OK;
  }
  std::vector<std::vector<int32_t>> starts;
};

TEST(ListBoxItem, AForwardingRowHandsItsDragStartToTheParentInTheParentsCoordinates) {
  WidgetHarness harness;
  harness.factory->RegisterControlCreateFunction(u"Test.DragRecorder", &LControlCreation::Create<DragRecorder>);
  harness.Build(R"(<SubControl Class="Test.DragRecorder" Name="parent" XSizeAbs="100" YSizeAbs="100">
  <SubControl Class="Framework.ListBoxItem" Name="row" YPositionAbs="42" XSizeAbs="100" YSizeAbs="21"/>
</SubControl>)");
  const RCPtr<DragRecorder> parent = harness.Find<DragRecorder>(u"parent");
  const RCPtr<LListBoxItem> row = harness.Find<LListBoxItem>(u"row");
  ASSERT_TRUE(parent && row);
  static_cast<UITarget*>(row.Get())->OnDragStart(1, 3, 4);
  EXPECT_TRUE(parent->starts.empty());

  row->SetForwardDrag(true);
  static_cast<UITarget*>(row.Get())->OnDragStart(1, 3, 4);
  EXPECT_EQ(parent->starts, (std::vector<std::vector<int32_t>>{{1, 3, 46}}));
}

}  // namespace
}  // namespace SV
