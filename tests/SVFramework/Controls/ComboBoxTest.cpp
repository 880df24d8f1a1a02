#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/Controls/ComboBox.h"
#include "SVFramework/Controls/TextBox.h"
#include "SVFramework/System/Keys/KeyCode.h"
#include "SVFramework/System/Keys/VirtualKeys.h"
#include "tests/SVFramework/Controls/DropDownSkin.h"
#include "tests/Support/TextConversions.h"
#include "tests/Support/Widgets/NotificationLog.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::NotificationLog;
using Testing::WidgetHarness;
using Testing::DropDownSkin::ItemStrings;
using Testing::DropDownSkin::kLooks;
using Testing::DropDownSkin::Numbers;
using Lines = std::vector<std::string>;

constexpr int32_t kRowHeight = 21;

using Testing::Utf8;

struct ComboShape {
  int y = 100;
  std::string listAttributes;
  std::string createParams;
  std::string comboClass = "Framework.ComboBox";
  std::string extraChildren;
};

// A combo 100 x 25 at (10, y) whose list has rows 21 high and a 2-pixel frame, a
// focusable button "other" beside it, and a log of the combo's notifications.
class ComboBoxTest : public ::testing::Test {
protected:
  void Build(const std::vector<std::string>& items, const ComboShape& shape = {}) {
    const std::string controls =
        R"(<SubControl Class=")" + shape.comboClass + R"(" Name="combo" TabStop="1" XPositionAbs="10" YPositionAbs=")" +
        std::to_string(shape.y) + R"(" XSizeAbs="100" YSizeAbs="25"><Skin Name="combo" LookList="Combo"/>)" +
        shape.createParams +
        R"(<SubControl Class="Framework.ListBox" Name="listBox" TabStop="1" IsVisible="False" ClipToParent="False"
             Z_Order="5" YPositionRel="1" XSizeToControl="Parent" XSizeRel="1" YSizeAbs="80" )" +
        shape.listAttributes + R"(><Skin Name="listBox" LookList="List"/>
    <SubControl Class="Framework.ListBoxItem" Name="templateItem" XSizeToControl="Parent" XSizeRel="1" YSizeAbs="21">
      <Skin Name="row" LookList="Row"/></SubControl>
  </SubControl>)" + shape.extraChildren +
        R"(</SubControl>
<SubControl Class="Framework.Button" Name="other" TabStop="2" XPositionAbs="600" YPositionAbs="10" XSizeAbs="50"
            YSizeAbs="20"><Skin Name="other" LookList="Box"/></SubControl>)";
    harness.Build(controls, kLooks, ItemStrings("Test.Window|combo", items));
    combo = harness.Find<LComboBox>(u"combo");
    ASSERT_TRUE(combo);
    list = combo->GetList();
    ASSERT_TRUE(list);
    for (const char16_t* id : {u"NID_SELECTION_CHANGE", u"NID_DROPDOWN_OPENING", u"NID_TEXTBOX_VALIDATED"})
      log->Listen(RCPtr<LNotificationDistributor>(combo.Get()), id);
  }
  void TearDown() override { log->StopListening(); }

  PointT<int32_t> ComboPoint() { return harness.At(RCPtr<LControl>(combo.Get())); }
  PointT<int32_t> ItemPoint(int32_t item) {
    const int32_t row = list->GetRowIndexOfItem(item);
    EXPECT_GE(row, 0) << "item " << item << " has no row";
    return harness.At(RCPtr<LControl>(list->GetRow(static_cast<uint32_t>(row < 0 ? 0 : row)).Get()));
  }
  void Open() {
    harness.Click(ComboPoint());
    ASSERT_TRUE(combo->IsDropDownOpen());
    log->lines.clear();
  }
  double ListTopInWindow() { return list->GetScreenPosition().y; }
  double ListMaximum() {
    LSizeLimitSpec minimum;
    LSizeLimitSpec maximum;
    list->GetLayout()->GetMinMax(LLayoutDescriptor::kAxisY, minimum, maximum);
    return maximum.abs;
  }
  SVRESULT OfferKey(uint32_t virtualKey) {
    return combo->HandleKey(MakeKeyParam(KeyCode((virtualKey << 16) | KeyCode::kKeyDown, 0, 0), 1));
  }

  WidgetHarness harness;
  RCPtr<LComboBox> combo;
  RCPtr<LListBox> list;
  RCPtr<NotificationLog> log = NotificationLog::Create();
};

// --- Creation ---

struct InitialCase {
  const char* name;
  std::string createParams;
  int32_t index;
  std::string text;
};

class ComboBoxInitialItem : public ComboBoxTest, public ::testing::WithParamInterface<InitialCase> {};

TEST_P(ComboBoxInitialItem, ShowsTheItemTheCreateParamNamesOrNothingWhenItIsNoItem) {
  ComboShape shape;
  shape.createParams = GetParam().createParams;
  Build(Numbers(16), shape);
  EXPECT_EQ(combo->GetSelectedIndex(), GetParam().index);
  EXPECT_EQ(Utf8(combo->GetText()), GetParam().text);
  EXPECT_EQ(list->GetItemCount(), 16);
  EXPECT_FALSE(combo->IsDropDownOpen());
  EXPECT_TRUE(list->IsDropDownMode());
}

std::string CreateParam(const char* value) {
  return std::string(R"(<CreateParamList><CreateParam ID="INITIAL_SELECTED_INDEX" Type="String">)") + value +
         "</CreateParam></CreateParamList>";
}

INSTANTIATE_TEST_SUITE_P(Params, ComboBoxInitialItem,
                         ::testing::Values(InitialCase{"Absent", "", 0, "1"},
                                           InitialCase{"Third", CreateParam("3"), 3, "4"},
                                           InitialCase{"LeadingBlanksAndTail", CreateParam(" 5x"), 5, "6"},
                                           InitialCase{"PastTheItems", CreateParam("16"), -1, ""},
                                           InitialCase{"Negative", CreateParam("-2"), -1, ""},
                                           InitialCase{"Huge", CreateParam("99999999999999"), -1, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ComboBoxTest, WithoutItsListTheComboStaysInert) {
  harness.Build(R"(<SubControl Class="Framework.ComboBox" Name="combo" XPositionAbs="10" YPositionAbs="10" XSizeAbs="100"
                    YSizeAbs="25"><Skin Name="combo" LookList="Combo"/></SubControl>)",
                kLooks);
  combo = harness.Find<LComboBox>(u"combo");
  ASSERT_TRUE(combo);
  EXPECT_EQ(combo->SetSelectedIndex(0), -1);
  EXPECT_EQ(combo->ShowDropDown(true), E_FAIL);
  EXPECT_EQ(combo->SetItemCount(3), E_FAIL);
  EXPECT_EQ(combo->AddItem(u"x"), E_FAIL);
  harness.Click(harness.At(RCPtr<LControl>(combo.Get())));
  EXPECT_FALSE(combo->IsDropDownOpen());
}

// --- Opening: side, size and placement ---

struct ComboBoxPlacementCase {
  const char* name;
  int comboY;
  int items;
  std::string listAttributes;
  bool below;
  double rowsHeight;
  double maximum;
};

class ComboBoxListPlacement : public ComboBoxTest, public ::testing::WithParamInterface<ComboBoxPlacementCase> {};

TEST_P(ComboBoxListPlacement, OpensOnTheSideWithRoomSizedToWholeRowsPlusTheFrameOnce) {
  const ComboBoxPlacementCase& c = GetParam();
  ComboShape shape;
  shape.y = c.comboY;
  shape.listAttributes = c.listAttributes;
  Build(Numbers(c.items), shape);

  harness.Click(ComboPoint());

  ASSERT_TRUE(combo->IsDropDownOpen());
  const double frame = list->GetRect().height - list->GetLookClientRect(-1).height;
  EXPECT_GT(frame, 0);
  EXPECT_DOUBLE_EQ(list->GetRect().height, c.rowsHeight + frame);
  EXPECT_DOUBLE_EQ(ListMaximum(), c.maximum);
  if (c.below)
    EXPECT_DOUBLE_EQ(ListTopInWindow(), c.comboY + 25);
  else
    EXPECT_DOUBLE_EQ(ListTopInWindow() + list->GetRect().height, c.comboY);
  EXPECT_GE(list->GetRect().width, 100);
}

INSTANTIATE_TEST_SUITE_P(Cases, ComboBoxListPlacement,
                         ::testing::Values(
                             // Room below 70, above 495, content 336: above, all rows.
                             ComboBoxPlacementCase{"SixteenRowsNearTheBottomOpenAbove", 500, 16, "", false, 336, 0},
                             // Room below 470: below, all seven rows.
                             ComboBoxPlacementCase{"SevenRowsWithRoomBelowOpenBelow", 100, 7, "", true, 147, 0},
                             // Room below 370 holds the content 336.
                             ComboBoxPlacementCase{"ContentThatFitsBelowStaysBelow", 200, 16, "", true, 336, 0},
                             // Room below 95 and above 445; content 336 fits neither below: the larger side.
                             ComboBoxPlacementCase{"TooTallForBelowGoesToTheLargerSide", 450, 16, "", false, 336, 0},
                             // A skin maximum of 100 that only the room above holds: above, four whole rows.
                             ComboBoxPlacementCase{"SkinMaximumGoesWhereItFits", 500, 16, R"(YMaxSizeAbs="100")", false,
                                                   4 * kRowHeight, 86},
                             ComboBoxPlacementCase{"SkinMaximumBelowWhenItFitsThere", 100, 16, R"(YMaxSizeAbs="100")",
                                                   true, 4 * kRowHeight, 86}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ComboBoxTest, TheClosedListIsAsTallAsItsRowsPlusItsFrameCountedOnce) {
  for (int items : {1, 5}) {
    WidgetHarness fresh;
    fresh.Build(R"(<SubControl Class="Framework.ComboBox" Name="combo" XPositionAbs="10" YPositionAbs="10" XSizeAbs="100"
        YSizeAbs="25"><Skin Name="combo" LookList="Combo"/>
      <SubControl Class="Framework.ListBox" Name="listBox" IsVisible="False" ClipToParent="False" YSizeAbs="80">
        <Skin Name="listBox" LookList="List"/>
        <SubControl Class="Framework.ListBoxItem" Name="templateItem" XSizeToControl="Parent" XSizeRel="1"
                    YSizeAbs="21"><Skin Name="row" LookList="Row"/></SubControl></SubControl></SubControl>)",
                kLooks, ItemStrings("Test.Window|combo", Numbers(items)));
    const RCPtr<LListBox> closed = fresh.Find<LComboBox>(u"combo")->GetList();
    const double frame = closed->GetRect().height - closed->GetLookClientRect(-1).height;
    EXPECT_GT(frame, 0);
    EXPECT_DOUBLE_EQ(closed->GetRect().height, kRowHeight * std::max(items, 1) + frame) << items << " items";
  }
}

TEST_F(ComboBoxTest, AnItemAddedWhileTheListIsOpenKeepsTheListInTheWindow) {
  ComboShape shape;
  shape.y = 500;
  Build(Numbers(3), shape);
  harness.Click(ComboPoint());
  ASSERT_DOUBLE_EQ(ListTopInWindow(), 525);

  combo->AddItem(u"4");

  ASSERT_TRUE(combo->IsDropDownOpen());
  EXPECT_LE(ListTopInWindow() + list->GetRect().height, 600);
  EXPECT_DOUBLE_EQ(ListTopInWindow() + list->GetRect().height, 500);
}

TEST_F(ComboBoxTest, OpeningAnnouncesItselfBeforeTheListShowsAndSelectsTheShownItem) {
  ComboShape shape;
  shape.createParams = CreateParam("9");
  Build(Numbers(16), shape);
  bool visibleWhenAnnounced = true;
  log->Listen(RCPtr<LNotificationDistributor>(combo.Get()), u"NID_DROPDOWN_OPENING",
              [&](const RCPtr<LNotification>&) {
                visibleWhenAnnounced = list->IsVisible(false);
                return std::string();
              });

  harness.Click(ComboPoint());

  EXPECT_FALSE(visibleWhenAnnounced);
  EXPECT_EQ(list->GetSelectedIndexes(), std::vector<int32_t>{9});
  EXPECT_GE(list->GetRowIndexOfItem(9), 0);
  EXPECT_TRUE(list->HasFocus());
}

// --- When it opens and closes ---

TEST_F(ComboBoxTest, ASecondPressClosesTheListAndLeavesItClosed) {
  Build(Numbers(7));
  harness.Click(ComboPoint());
  EXPECT_TRUE(combo->IsDropDownOpen());

  harness.Click(ComboPoint());
  EXPECT_FALSE(combo->IsDropDownOpen());

  harness.Click(ComboPoint());
  EXPECT_TRUE(combo->IsDropDownOpen());
}

TEST_F(ComboBoxTest, APressOnAFocusedClosedComboOpensIt) {
  Build(Numbers(7));
  ASSERT_GE(combo->SetFocus(true), 0);
  ASSERT_FALSE(combo->IsDropDownOpen());
  harness.Click(ComboPoint());
  EXPECT_TRUE(combo->IsDropDownOpen());
}

TEST_F(ComboBoxTest, MiddleAndRightPressesOpenNothing) {
  Build(Numbers(7));
  for (int32_t button : {2, 4}) {
    harness.Click(ComboPoint(), button);
    EXPECT_FALSE(combo->IsDropDownOpen()) << "button " << button;
  }
}

TEST_F(ComboBoxTest, FocusMovingElsewhereClosesTheList) {
  Build(Numbers(7));
  Open();
  harness.Click(harness.At(harness.Find(u"other")));
  EXPECT_FALSE(combo->IsDropDownOpen());
  EXPECT_TRUE(log->lines.empty());
}

TEST_F(ComboBoxTest, TabWhileTheListIsOpenClosesItAndMovesOn) {
  harness.windowClass = "Framework.Panel";
  Build(Numbers(7));
  Open();
  ASSERT_TRUE(list->HasFocus());
  harness.Key(0x09);
  EXPECT_FALSE(combo->IsDropDownOpen());
  EXPECT_TRUE(harness.Find(u"other")->HasFocus());
}

TEST_F(ComboBoxTest, KeysOpenAndCloseTheListAndEscapeOnAClosedComboIsLeftToOthers) {
  Build(Numbers(7));
  ASSERT_GE(combo->SetFocus(true), 0);
  EXPECT_EQ(OfferKey(VirtualKey::kEscape), S_FALSE);

  harness.Key(VirtualKey::kDown);
  EXPECT_TRUE(combo->IsDropDownOpen());
  harness.Key(VirtualKey::kEscape);
  EXPECT_FALSE(combo->IsDropDownOpen());

  ASSERT_GE(combo->SetFocus(true), 0);
  harness.Key(VirtualKey::kReturn);
  EXPECT_TRUE(combo->IsDropDownOpen());
}

// --- Picking ---

TEST_F(ComboBoxTest, ClickingAnItemPicksItAndPickingItAgainSendsNothing) {
  Build(Numbers(7));
  Open();
  harness.MoveTo(ItemPoint(3));
  harness.Click(ItemPoint(3));
  EXPECT_FALSE(combo->IsDropDownOpen());
  EXPECT_EQ(combo->GetSelectedIndex(), 3);
  EXPECT_EQ(Utf8(combo->GetText()), "4");
  EXPECT_EQ(log->lines, Lines{"NID_SELECTION_CHANGE"});

  Open();
  harness.MoveTo(ItemPoint(3));
  harness.Click(ItemPoint(3));
  EXPECT_FALSE(combo->IsDropDownOpen());
  EXPECT_TRUE(log->lines.empty());
}

TEST_F(ComboBoxTest, PressingOnTheComboAndReleasingOverAnItemPicksIt) {
  Build(Numbers(7));
  harness.Press(ComboPoint());
  ASSERT_TRUE(combo->IsDropDownOpen());
  const PointT<int32_t> target = ItemPoint(5);
  harness.MoveTo({target.x, target.y - 30});
  harness.MoveTo(target);
  harness.Release(target);
  EXPECT_FALSE(combo->IsDropDownOpen());
  EXPECT_EQ(combo->GetSelectedIndex(), 5);
  EXPECT_EQ(Utf8(combo->GetText()), "6");
}

TEST_F(ComboBoxTest, PointingAtASeparatorKeepsTheItemPointedAtBefore) {
  Build(Numbers(7));
  list->SetItemSeparator(3, true);
  Open();
  harness.MoveTo(ItemPoint(2));
  ASSERT_EQ(list->GetSelectedIndexes(), std::vector<int32_t>{2});
  harness.MoveTo(ItemPoint(3));
  EXPECT_EQ(list->GetSelectedIndexes(), std::vector<int32_t>{2});
}

TEST_F(ComboBoxTest, ReleasingThePressOnTheComboKeepsTheListOpen) {
  Build(Numbers(7));
  harness.Press(ComboPoint());
  harness.Release(ComboPoint());
  EXPECT_TRUE(combo->IsDropDownOpen());
  EXPECT_EQ(combo->GetSelectedIndex(), 0);
}

TEST_F(ComboBoxTest, ArrowKeysInTheOpenListThenEnterPickAnItem) {
  Build(Numbers(7));
  Open();
  harness.Key(VirtualKey::kDown);
  harness.Key(VirtualKey::kDown);
  harness.Key(VirtualKey::kReturn);
  EXPECT_FALSE(combo->IsDropDownOpen());
  EXPECT_EQ(combo->GetSelectedIndex(), 2);
  EXPECT_EQ(log->lines, Lines{"NID_SELECTION_CHANGE"});
}

// --- Selection by index and text ---

struct TextCase {
  const char* name;
  const char16_t* text;
  int32_t index;
  const char* shown;
  bool notified;
};

class ComboBoxSetText : public ComboBoxTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(ComboBoxSetText, SelectsTheLastItemWithTheTextIgnoringCaseAndShowsTheItemsOwnText) {
  Build({"Linear", "Soft", "Hard", "soft", "Fixed"});
  log->lines.clear();
  EXPECT_EQ(combo->SetText(GetParam().text), S_OK);
  EXPECT_EQ(combo->GetSelectedIndex(), GetParam().index);
  EXPECT_EQ(Utf8(combo->GetText()), GetParam().shown);
  EXPECT_EQ(log->lines.size(), GetParam().notified ? 1u : 0u);
  EXPECT_EQ(list->IsItemSelected(GetParam().index), GetParam().index >= 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, ComboBoxSetText,
                         ::testing::Values(TextCase{"Exact", u"Hard", 2, "Hard", true},
                                           TextCase{"LastOfTwoMatches", u"SOFT", 3, "soft", true},
                                           TextCase{"TheShownItem", u"linear", 0, "Linear", false},
                                           TextCase{"NoItem", u"Steep", -1, "Steep", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ComboBoxTest, SettingTheSameTextAgainChangesNothing) {
  Build({"Linear", "Soft"});
  EXPECT_EQ(combo->SetText(u"Linear"), S_FALSE);
  EXPECT_EQ(combo->GetSelectedIndex(), 0);
}

TEST_F(ComboBoxTest, ClearingTheSelectionKeepsTheTextAndAnIndexOutOfRangeSelectsNothing) {
  Build(Numbers(7));
  ASSERT_EQ(combo->SetSelectedIndex(4), 4);
  log->lines.clear();

  EXPECT_EQ(combo->SetSelectedIndex(-1), -1);
  EXPECT_EQ(Utf8(combo->GetText()), "5");
  EXPECT_TRUE(list->GetSelectedIndexes().empty());

  EXPECT_EQ(combo->SetSelectedIndex(7), -1);
  EXPECT_EQ(combo->GetSelectedIndex(), -1);
  EXPECT_TRUE(log->lines.empty());
}

TEST_F(ComboBoxTest, ItemsInsertedBeforeTheSelectionMoveItAndAMatchingNewItemIsSelected) {
  Build({"a", "b"});
  ASSERT_EQ(combo->SetSelectedIndex(1), 1);
  EXPECT_EQ(combo->InsertItem(0, LListBox::MakeTextItem(u"z")), 0);
  EXPECT_EQ(combo->GetSelectedIndex(), 2);
  EXPECT_EQ(Utf8(list->GetItemText(2)), "b");
  EXPECT_EQ(combo->InsertItem(0, nullptr), E_INVALIDARG);

  combo->SetText(u"new");
  ASSERT_EQ(combo->GetSelectedIndex(), -1);
  log->lines.clear();
  EXPECT_EQ(combo->AddItem(u"new"), 3);
  EXPECT_EQ(combo->GetSelectedIndex(), 3);
  EXPECT_EQ(log->lines, Lines{"NID_SELECTION_CHANGE"});
}

TEST_F(ComboBoxTest, ShrinkingTheItemsPastTheSelectionClearsIt) {
  Build(Numbers(7));
  ASSERT_EQ(combo->SetSelectedIndex(5), 5);
  EXPECT_EQ(combo->SetItemCount(5), 5);
  EXPECT_EQ(combo->GetSelectedIndex(), -1);
  EXPECT_EQ(combo->SetItemCount(9), 9);
  EXPECT_EQ(list->GetItemCount(), 9);
}

// --- Typed values ---

struct TypedCase {
  const char* name;
  bool addTypedText;
  const char16_t* typed;
  int32_t index;
  int32_t itemCount;
  Lines notifications;
};

class ComboBoxTypedValue : public ComboBoxTest, public ::testing::WithParamInterface<TypedCase> {
protected:
  void BuildWithTextBox() {
    ComboShape shape;
    shape.comboClass = "Framework.ComboTextBox";
    shape.extraChildren = R"(<SubControl Class="Framework.TextBox" Name="textBox" TabStop="1" XPositionAbs="0"
        YPositionAbs="0" XSizeAbs="80" YSizeAbs="25"><Skin Name="textBox" LookList="Box"/></SubControl>)";
    Build({"Linear", "Soft", "Hard"}, shape);
    textBox = harness.Find<LTextBox>(u"textBox");
    ASSERT_TRUE(textBox);
    log->lines.clear();
  }
  RCPtr<LTextBox> textBox;
};

TEST_P(ComboBoxTypedValue, AValidatedTextSelectsTheFirstMatchingItemOrIsAddedWhenAllowed) {
  const TypedCase& c = GetParam();
  BuildWithTextBox();
  combo->SetAddTypedText(c.addTypedText);
  textBox->SetText(c.typed);
  log->lines.clear();

  textBox->Validate();

  EXPECT_EQ(combo->GetSelectedIndex(), c.index);
  EXPECT_EQ(list->GetItemCount(), c.itemCount);
  EXPECT_EQ(log->lines, c.notifications);
  if (c.index >= 0) {
    EXPECT_EQ(textBox->GetText(), list->GetItemText(c.index));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComboBoxTypedValue,
    ::testing::Values(
        TypedCase{"MatchIgnoringCase", false, u"hard", 2, 3, {"NID_SELECTION_CHANGE", "NID_TEXTBOX_VALIDATED"}},
        TypedCase{"TheShownItem", false, u"Linear", 0, 3, {"NID_TEXTBOX_VALIDATED"}},
        TypedCase{"NoMatch", false, u"Steep", -1, 3, {"NID_TEXTBOX_VALIDATED"}},
        TypedCase{"NoMatchAdded", true, u"Steep", 3, 4, {"NID_SELECTION_CHANGE", "NID_TEXTBOX_VALIDATED"}},
        TypedCase{"EmptyNeverAdded", true, u"", -1, 3, {"NID_TEXTBOX_VALIDATED"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ComboBoxTypedValue, TheTextBoxTakingTheFocusClosesTheList) {
  BuildWithTextBox();
  harness.Click(harness.At(RCPtr<LControl>(combo.Get()), {90, 12}));
  ASSERT_TRUE(combo->IsDropDownOpen());
  ASSERT_GE(textBox->SetFocus(true), 0);
  EXPECT_FALSE(combo->IsDropDownOpen());
}

// --- Looks ---

TEST_F(ComboBoxTest, ShowsTheLookOfItsState) {
  Build(Numbers(7));
  ASSERT_GE(harness.Find(u"other")->SetFocus(true), 0);
  EXPECT_EQ(combo->GetFirstVisibleLookIndex(), 0);
  harness.MoveTo(ComboPoint());
  EXPECT_EQ(combo->GetFirstVisibleLookIndex(), 2);
  harness.Click(ComboPoint());
  EXPECT_EQ(combo->GetFirstVisibleLookIndex(), 5);
  harness.MoveTo({400, 500});
  EXPECT_EQ(combo->GetFirstVisibleLookIndex(), 4);
  harness.Key(VirtualKey::kEscape);
  ASSERT_GE(combo->SetFocus(true), 0);
  EXPECT_EQ(combo->GetFirstVisibleLookIndex(), 1);
  harness.MoveTo(ComboPoint());
  EXPECT_EQ(combo->GetFirstVisibleLookIndex(), 3);
  combo->SetEnabled(false);
  EXPECT_EQ(combo->GetFirstVisibleLookIndex(), 6);
}

}  // namespace
}  // namespace SV
