#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/Controls/TextBox.h"
#include "SVFramework/System/ClipBoard.h"
#include "SVFramework/System/Keys/VirtualKeys.h"
#include "SVFramework/notification/Notification.h"
#include "tests/SVFramework/Controls/TextFieldSkin.h"
#include "tests/Support/TextConversions.h"
#include "tests/Support/Widgets/NotificationLog.h"
#include "tests/Support/Widgets/RandomInput.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::NotificationLog;
using Testing::WidgetHarness;

constexpr const char* kBoxSkin =
    R"(<SubControl Class="Framework.TextBox" Name="box" XPositionAbs="10" YPositionAbs="10" XSizeAbs="300" YSizeAbs="20">
         <Skin Name="box" LookList="TextField"/></SubControl>
       <SubControl Class="Framework.TextBox" Name="other" XPositionAbs="10" YPositionAbs="40" XSizeAbs="300" YSizeAbs="20">
         <Skin Name="other" LookList="TextField"/></SubControl>)";

using Testing::Utf8;

// A harness with two boxes, the first focused.
class TextBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    harness.Build(kBoxSkin, Testing::kTextFieldResources);
    box = harness.Find<LTextBox>(u"box");
    other = harness.Find<LTextBox>(u"other");
    ASSERT_TRUE(box && other);
    harness.Click(harness.At(box));
    ASSERT_TRUE(box->HasFocus());
  }
  void TearDown() override {
    if (log) log->StopListening();
  }
  void Start(const char16_t* text, int32_t caret) {
    box->SetText(text);
    box->SetSelection(-1, 0);
    box->SetCaretPosition(caret, true);
  }
  void Listen() {
    log = NotificationLog::Create();
    for (const char16_t* id : {u"NID_TEXTBOX_TEXT_CHANGE", u"NID_TEXTBOX_VALIDATING", u"NID_TEXTBOX_VALIDATED"})
      log->Listen(box, id);
  }
  void Request(const char16_t* id) { harness.Edit(id); }

  WidgetHarness harness;
  RCPtr<LTextBox> box, other;
  RCPtr<NotificationLog> log;
};

struct TextBoxKeyCase {
  const char* name;
  const char16_t* text;
  int32_t caret;
  int32_t selectionStart, selectionLength, anchor;  // length 0: no selection
  uint32_t key, modifiers;
  const char16_t* expectedText;
  int32_t expectedCaret, expectedStart, expectedLength;
  bool passedOn;
};

const TextBoxKeyCase kTextBoxKeyCases[] = {
    {"left moves back", u"abc", 2, 0, 0, 0, VirtualKey::kLeft, 0, u"abc", 1, 0, 0, false},
    {"left at start does nothing", u"abc", 0, 0, 0, 0, VirtualKey::kLeft, 0, u"abc", 0, 0, 0, false},
    {"left clears the selection", u"abcd", 3, 1, 2, 1, VirtualKey::kLeft, 0, u"abcd", 2, 0, 0, false},
    {"right at end does nothing", u"abc", 3, 0, 0, 0, VirtualKey::kRight, 0, u"abc", 3, 0, 0, false},
    {"shift left selects the character before", u"abcd", 3, 0, 0, 0, VirtualKey::kLeft, KeyCode::kModShift, u"abcd", 2,
     2, 1, false},
    {"shift left shrinks a selection made rightwards", u"abcd", 3, 1, 2, 1, VirtualKey::kLeft, KeyCode::kModShift,
     u"abcd", 2, 1, 1, false},
    {"shift left grows a selection made leftwards", u"abcd", 2, 2, 1, 3, VirtualKey::kLeft, KeyCode::kModShift, u"abcd",
     1, 1, 2, false},
    {"shift right selects the character at the caret", u"abcd", 1, 0, 0, 0, VirtualKey::kRight, KeyCode::kModShift,
     u"abcd", 2, 1, 1, false},
    {"shift right shrinks a selection made leftwards", u"abcd", 1, 1, 2, 3, VirtualKey::kRight, KeyCode::kModShift,
     u"abcd", 2, 2, 1, false},
    {"shift right at the end does nothing", u"ab", 2, 0, 0, 0, VirtualKey::kRight, KeyCode::kModShift, u"ab", 2, 0, 0,
     false},
    {"ctrl left goes to the word start", u"one two", 6, 0, 0, 0, VirtualKey::kLeft, KeyCode::kModCtrl, u"one two", 4, 0,
     0, false},
    {"ctrl left skips spaces first", u"one  two", 5, 0, 0, 0, VirtualKey::kLeft, KeyCode::kModCtrl, u"one  two", 0, 0,
     0, false},
    {"ctrl right goes past the spaces", u"one  two", 1, 0, 0, 0, VirtualKey::kRight, KeyCode::kModCtrl, u"one  two", 5,
     0, 0, false},
    {"ctrl shift right selects to the next word", u"one two", 0, 0, 0, 0, VirtualKey::kRight,
     KeyCode::kModCtrl | KeyCode::kModShift, u"one two", 4, 0, 4, false},
    {"ctrl shift left selects to the word start", u"one two", 7, 0, 0, 0, VirtualKey::kLeft,
     KeyCode::kModCtrl | KeyCode::kModShift, u"one two", 4, 4, 3, false},
    {"home", u"abc", 2, 0, 0, 0, VirtualKey::kHome, 0, u"abc", 0, 0, 0, false},
    {"end", u"abc", 1, 0, 0, 0, VirtualKey::kEnd, 0, u"abc", 3, 0, 0, false},
    {"shift home selects to the start", u"abcd", 3, 0, 0, 0, VirtualKey::kHome, KeyCode::kModShift, u"abcd", 0, 0, 3,
     false},
    {"shift end selects to the end", u"abcd", 1, 0, 0, 0, VirtualKey::kEnd, KeyCode::kModShift, u"abcd", 4, 1, 3,
     false},
    {"backspace deletes before the caret", u"abc", 2, 0, 0, 0, VirtualKey::kBack, 0, u"ac", 1, 0, 0, false},
    {"backspace at start does nothing", u"abc", 0, 0, 0, 0, VirtualKey::kBack, 0, u"abc", 0, 0, 0, false},
    {"shift delete deletes like backspace", u"abc", 2, 0, 0, 0, VirtualKey::kDelete, KeyCode::kModShift, u"ac", 1, 0, 0,
     false},
    {"delete deletes at the caret", u"abc", 1, 0, 0, 0, VirtualKey::kDelete, 0, u"ac", 1, 0, 0, false},
    {"delete at the end does nothing", u"abc", 3, 0, 0, 0, VirtualKey::kDelete, 0, u"abc", 3, 0, 0, false},
    {"delete removes the selection", u"abcd", 3, 1, 2, 1, VirtualKey::kDelete, 0, u"ad", 1, 0, 0, false},
    {"ctrl delete deletes to the end", u"abcd", 1, 0, 0, 0, VirtualKey::kDelete, KeyCode::kModCtrl, u"a", 1, 0, 0,
     false},
    {"up is passed on", u"ab", 1, 0, 0, 0, VirtualKey::kUp, 0, u"ab", 1, 0, 0, true},
    {"ctrl shift down is passed on", u"ab", 1, 0, 0, 0, VirtualKey::kDown, KeyCode::kModCtrl | KeyCode::kModShift,
     u"ab", 1, 0, 0, true},
    {"a letter key is used", u"ab", 1, 0, 0, 0, 'A', 0, u"ab", 1, 0, 0, false},
    {"ctrl letter is passed on for the hot keys", u"ab", 1, 0, 0, 0, 'C', KeyCode::kModCtrl, u"ab", 1, 0, 0, true},
    {"alt digit is passed on", u"ab", 1, 0, 0, 0, '5', KeyCode::kModAlt, u"ab", 1, 0, 0, true},
    {"another key is passed on", u"ab", 1, 0, 0, 0, VirtualKey::kF5, 0, u"ab", 1, 0, 0, true},
    {"alt left is not an editing key", u"ab", 1, 0, 0, 0, VirtualKey::kLeft, KeyCode::kModAlt, u"ab", 1, 0, 0, true},
    {"valid enter is passed on", u"ab", 1, 0, 0, 0, VirtualKey::kReturn, 0, u"ab", 1, 0, 0, true},
};

TEST_F(TextBoxTest, EditingKeysMoveTheCaretSelectAndDeleteAsTheKeyTableSays) {
  for (const TextBoxKeyCase& c : kTextBoxKeyCases) {
    SCOPED_TRACE(c.name);
    Start(c.text, c.caret);
    if (c.selectionLength > 0) box->SetSelectionRange(c.selectionStart, c.selectionLength, c.anchor);
    const uint32_t code = (c.key << 16) | KeyCode::CodeModifierBits(c.modifiers) | KeyCode::kKeyDown;
    const SVRESULT answer = box->HandleKey(MakeKeyParam(KeyCode(code, 0, 0), 1));
    EXPECT_EQ(Utf8(box->GetText()), Utf8(c.expectedText));
    EXPECT_EQ(box->GetCaretIndex(), c.expectedCaret);
    EXPECT_EQ(box->GetSelectionLength(), c.expectedLength);
    if (c.expectedLength > 0) {
      EXPECT_EQ(box->GetSelectionStart(), c.expectedStart);
    }
    EXPECT_EQ(answer, c.passedOn ? S_FALSE : S_OK);
  }
}

TEST_F(TextBoxTest, KeyReleasesAreUsedWithoutEffect) {
  Start(u"abc", 1);
  const uint32_t release = (VirtualKey::kDelete << 16);
  EXPECT_EQ(box->HandleKey(MakeKeyParam(KeyCode(release, 0, 1), 1)), S_OK);
  EXPECT_EQ(Utf8(box->GetText()), "abc");
}

struct CharacterCase {
  const char* name;
  const char16_t* filter;
  bool allow;
  char16_t character;
  const char* expectedText;
  bool passedOn;
};

const CharacterCase kCharacterCases[] = {
    {"a printable character is inserted at the caret", u"", true, u'x', "axb", false},
    {"tab is not inserted and passed on", u"", true, u'\t', "ab", true},
    {"a control character is passed on", u"", true, u'\x1b', "ab", true},
    {"the backspace character is used", u"", true, u'\b', "ab", false},
    {"a lone surrogate is not inserted", u"", true, u'\xD83D', "ab", true},
    {"an allowing filter lets its characters in", u"0123456789", true, u'7', "a7b", false},
    {"an allowing filter swallows others", u"0123456789", true, u'q', "ab", false},
    {"a refusing filter swallows its characters", u"0123456789", false, u'7', "ab", false},
    {"a refusing filter lets others in", u"0123456789", false, u'q', "aqb", false},
};

TEST_F(TextBoxTest, TypedCharactersPassThePrintableTestAndTheFilter) {
  for (const CharacterCase& c : kCharacterCases) {
    SCOPED_TRACE(c.name);
    box->SetCharacterFilter(c.filter, c.allow);
    Start(u"ab", 1);
    const SVRESULT answer = box->HandleKey(MakeKeyParam(KeyCode(c.character, 0u), 1));
    EXPECT_EQ(Utf8(box->GetText()), c.expectedText);
    EXPECT_EQ(answer, c.passedOn ? S_FALSE : S_OK);
  }
}

TEST_F(TextBoxTest, TypingThroughTheWindowReplacesTheSelectionAndStopsAtTheMaximumLength) {
  harness.Type(u"hello");
  EXPECT_EQ(Utf8(box->GetText()), "hello");
  EXPECT_EQ(box->GetCaretIndex(), 5);
  box->SetMaxLength(5);
  harness.Char(u'!');
  EXPECT_EQ(Utf8(box->GetText()), "hello");
  box->SetSelectionRange(1, 3, 1);
  harness.Char(u'E');
  EXPECT_EQ(Utf8(box->GetText()), "hEo");
  EXPECT_EQ(box->GetCaretIndex(), 2);
}

TEST_F(TextBoxTest, ShorteningTheMaximumLengthCutsTheTextAndPutsTheCaretAtTheEnd) {
  Start(u"abcdef", 1);
  box->SetMaxLength(3);
  EXPECT_EQ(Utf8(box->GetText()), "abc");
  EXPECT_EQ(box->GetCaretIndex(), 3);
}

TEST_F(TextBoxTest, CaretPlacementOutsideTheTextIsRefusedAndChangesNothing) {
  Start(u"abc", 2);
  EXPECT_EQ(box->SetCaretPosition(4, false), E_INVALIDARG);
  EXPECT_EQ(box->SetCaretPosition(-1, true), E_INVALIDARG);
  EXPECT_EQ(box->GetCaretIndex(), 2);
}

TEST_F(TextBoxTest, SettingTheSameTextAgainAnnouncesNothing) {
  box->SetText(u"same");
  Listen();
  EXPECT_EQ(box->SetText(u"same"), S_FALSE);
  EXPECT_TRUE(log->lines.empty());
}

TEST_F(TextBoxTest, EnterValidatesAndAHandlerThatReplacesTheTextIsShownBeforeValidated) {
  Start(u"raw", 3);
  Listen();
  // The replacing handler runs inside the distribution of "NID_TEXTBOX_VALIDATING".
  struct Replace : LNotificationClient {
    int32_t Receive(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& n) override {
      dynamic_cast<LTextValidationParams*>(n->GetPayload().Get())->text = u"done";
      return 0;
    }
  };
  RCPtr<Replace> handler(new Replace);
  handler->Subscribe(box, u"NID_TEXTBOX_VALIDATING");
  EXPECT_EQ(box->HandleKey(MakeKeyParam(KeyCode((VirtualKey::kReturn << 16) | KeyCode::kKeyDown, 0, 0), 1)), S_FALSE);
  EXPECT_EQ(Utf8(box->GetText()), "done");
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_TEXTBOX_VALIDATING", "NID_TEXTBOX_TEXT_CHANGE",
                                                  "NID_TEXTBOX_VALIDATED"}));
  handler->UnsubscribeAll();
}

// Refuses every text.
struct Refuser : LNotificationClient {
  int32_t Receive(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& n) override {
    dynamic_cast<LTextValidationParams*>(n->GetPayload().Get())->valid = false;
    return 0;
  }
};

TEST_F(TextBoxTest, ARefusedValidationConsumesEnterSendsNoValidatedAndKeepsTheFocus) {
  Start(u"bad", 3);
  Listen();
  RCPtr<Refuser> refuser(new Refuser);
  refuser->Subscribe(box, u"NID_TEXTBOX_VALIDATING");
  EXPECT_EQ(box->HandleKey(MakeKeyParam(KeyCode((VirtualKey::kReturn << 16) | KeyCode::kKeyDown, 0, 0), 1)), S_OK);
  harness.Click(harness.At(other));
  EXPECT_TRUE(box->HasFocus());
  EXPECT_FALSE(other->HasFocus());
  EXPECT_EQ(Utf8(box->GetText()), "bad");
  for (const std::string& line : log->lines) EXPECT_NE(line, "NID_TEXTBOX_VALIDATED");
  refuser->UnsubscribeAll();
}

// Replaces the text with a shorter one without touching the caret.
struct Shortener : LNotificationClient {
  int32_t Receive(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& n) override {
    dynamic_cast<LTextValidationParams*>(n->GetPayload().Get())->text = u"ok";
    return 0;
  }
};

TEST_F(TextBoxTest, AValidationThatShortensTheTextLeavesTheCaretInsideItSoTypingStillWorks) {
  harness.Type(u"a long entry");
  RCPtr<Shortener> shortener(new Shortener);
  shortener->Subscribe(box, u"NID_TEXTBOX_VALIDATING");
  harness.Key(VirtualKey::kReturn);
  shortener->UnsubscribeAll();
  EXPECT_EQ(Utf8(box->GetText()), "ok");
  EXPECT_LE(box->GetCaretIndex(), 2);
  harness.Key(VirtualKey::kEnd);
  harness.Char(u'!');
  EXPECT_EQ(Utf8(box->GetText()), "ok!");
}

TEST_F(TextBoxTest, TheCaretIsOnHalfASecondAndOffAFifthOfASecondLonger) {
  harness.Idle(0);
  harness.Type(u"x");  // a placement starts an on-phase
  EXPECT_TRUE(box->IsCaretShown());
  harness.Idle(490);
  EXPECT_TRUE(box->IsCaretShown());
  harness.Idle(10);
  EXPECT_FALSE(box->IsCaretShown());
  harness.Idle(290);
  EXPECT_FALSE(box->IsCaretShown());
  harness.Idle(10);
  EXPECT_TRUE(box->IsCaretShown());
  harness.Idle(300);
  harness.Key(VirtualKey::kLeft);  // a caret move shows it at once and restarts the on-phase
  EXPECT_TRUE(box->IsCaretShown());
  harness.Idle(499);
  EXPECT_TRUE(box->IsCaretShown());
}

TEST_F(TextBoxTest, AClockSetBackDoesNotFreezeTheBlink) {
  harness.Type(u"x");
  harness.application.ticks -= 5000;
  harness.application.seconds -= 5.0;
  harness.Idle(0);
  EXPECT_TRUE(box->IsCaretShown());
  harness.Idle(500);
  EXPECT_FALSE(box->IsCaretShown());
}

TEST_F(TextBoxTest, LosingTheFocusHidesTheCaretAndEndsTheIdleSubscription) {
  EXPECT_GT(box->GetIdleCount(), 0);
  harness.Click(harness.At(other));
  EXPECT_FALSE(box->IsCaretShown());
  EXPECT_EQ(box->GetIdleCount(), 0);
}

TEST_F(TextBoxTest, CutCopyAndPasteGoThroughTheApplicationsClipboard) {
  Start(u"hello world", 0);
  box->SetSelectionRange(0, 5, 0);
  Request(u"NID_EDIT_COPY_REQ");
  EXPECT_EQ(harness.application.clipboard.text, u"hello");
  Request(u"NID_EDIT_CUT_REQ");
  EXPECT_EQ(Utf8(box->GetText()), " world");
  box->SetCaretPosition(6, true);
  Request(u"NID_EDIT_PASTE_REQ");
  EXPECT_EQ(Utf8(box->GetText()), " worldhello");
  EXPECT_EQ(box->GetCaretIndex(), 11);
  box->SetSelectionRange(0, 1, 0);
  Request(u"NID_EDIT_DELETE_REQ");
  EXPECT_EQ(Utf8(box->GetText()), "worldhello");
}

TEST_F(TextBoxTest, EditsWithoutASelectionFail) {
  Start(u"abc", 1);
  for (const char16_t* command : {u"NID_EDIT_CUT_REQ", u"NID_EDIT_COPY_REQ", u"NID_EDIT_DELETE_REQ", u"NID_OTHER"}) {
    EXPECT_FALSE(box->CanPerformEdit(command));
    EXPECT_EQ(box->PerformEdit(command), E_FAIL);
  }
  EXPECT_EQ(Utf8(box->GetText()), "abc");
}

struct PasteCase {
  const char* name;
  const char16_t* filter;
  int32_t maxLength;
  bool selectAll;
  std::u16string clipboard;
  bool accepted;
};

const PasteCase kPasteCases[] = {
    {"plain text", u"", 0, false, u"xyz", true},
    {"a newline never enters a single line box", u"", 0, false, u"a\nb", false},
    {"a tab is refused", u"", 0, false, u"a\tb", false},
    {"letters into a digits-only box", u"0123456789", 0, false, u"abc", false},
    {"digits into a digits-only box", u"0123456789", 0, false, u"42", true},
    {"nan into a digits-only box", u"0123456789.-", 0, false, u"nan", false},
    {"over the maximum length", u"", 4, false, u"xyz", false},
    {"over a selection that makes room", u"", 4, true, u"wxyz", true},
    {"a surrogate pair", u"", 0, false, u"\xD83D\xDE00", true},
    {"half a surrogate pair", u"", 0, false, u"\xD83D", false},
    {"an empty clipboard text", u"", 0, false, u"", false},
};

TEST_F(TextBoxTest, PasteIsRefusedUnlessEveryCharacterCouldHaveBeenTypedAndTheTextFits) {
  for (const PasteCase& c : kPasteCases) {
    SCOPED_TRACE(c.name);
    box->SetCharacterFilter(c.filter, true);
    box->SetMaxLength(c.maxLength);
    Start(u"12", 2);
    if (c.selectAll) box->SetSelection(0, -1);
    harness.application.clipboard.ChangeOutside(c.clipboard);
    EXPECT_EQ(box->CanPerformEdit(u"NID_EDIT_PASTE_REQ"), c.accepted);
    LMenuItemState state;
    EXPECT_EQ(box->UpdateMenuItemState(nullptr, 2, u"NID_EDIT_PASTE_REQ", state), S_OK);
    EXPECT_EQ(state.Enabled, c.accepted);
    EXPECT_EQ(box->PerformEdit(u"NID_EDIT_PASTE_REQ"), c.accepted ? S_OK : E_FAIL);
    const std::u16string expected = c.accepted ? (c.selectAll ? c.clipboard : u"12" + c.clipboard) : u"12";
    EXPECT_EQ(std::u16string(box->GetText().View()), expected);
  }
}

TEST(TextBoxContextMenu, HoldsTheFourEditCommandsAndARightClickWithoutAPopupMenuClassDoesNothing) {
  WidgetHarness harness;
  harness.application.SetFrameworkStrings(LStringTable::Create(
      {{u"EDIT_CUT", u"Cut"}, {u"EDIT_COPY", u"Copy"}, {u"EDIT_PASTE", u"Paste"}, {u"EDIT_DELETE", u"Delete"}}));
  harness.Build(kBoxSkin, Testing::kTextFieldResources);
  const RCPtr<LTextBox> box = harness.Find<LTextBox>(u"box");
  ASSERT_TRUE(box);
  const RCPtr<LMenuDescriptor> menu = box->GetMenuDescriptor();
  ASSERT_TRUE(menu);
  std::vector<std::string> entries;
  for (uint32_t i = 0; i < menu->Items.GetCount(); ++i)
    entries.push_back(Utf8(menu->Items[i]->Label) + " " + Utf8(menu->Items[i]->CommandID));
  EXPECT_EQ(entries, (std::vector<std::string>{"Cut NID_EDIT_CUT_REQ", "Copy NID_EDIT_COPY_REQ",
                                               "Paste NID_EDIT_PASTE_REQ", "Delete NID_EDIT_DELETE_REQ"}));
  harness.Click(harness.At(box));
  harness.Type(u"abc");
  harness.Click(harness.At(box), 4);
  EXPECT_EQ(Utf8(box->GetText()), "abc");
  EXPECT_TRUE(box->HasFocus());
  EXPECT_EQ(box->GetChildCount(), 0u);
}

TEST_F(TextBoxTest, ClickingPlacesTheCaretAtTheNearestCharacterAndShiftClickSelects) {
  Start(u"abcdef", 0);
  harness.Click(harness.At(box, {31, 10}));  // 10 pixels a character: past the middle of the fourth
  EXPECT_EQ(box->GetCaretIndex(), 3);
  harness.Click(harness.At(box, {9, 10}), 1, 8);
  EXPECT_EQ(box->GetCaretIndex(), 1);
  EXPECT_EQ(box->GetSelectionStart(), 1);
  EXPECT_EQ(box->GetSelectionLength(), 2);
}

TEST_F(TextBoxTest, ADoubleClickSelectsTheWordUnderThePointer) {
  Start(u"one two three", 0);
  harness.DoubleClick(harness.At(box, {52, 10}));
  EXPECT_EQ(box->GetSelectionStart(), 4);
  EXPECT_EQ(box->GetSelectionLength(), 3);
}

TEST(TextBoxPlaceholder, AnEmptyUnfocusedBoxShowsItsLabelInLookNineAndFocusingHidesIt) {
  WidgetHarness harness;
  harness.Build(
      R"(<SubControl Class="Framework.TextBox" Name="hinted" XSizeAbs="200" YSizeAbs="20">
           <Skin Name="hinted" LookList="TextField"/></SubControl>
         <SubControl Class="Framework.TextBox" Name="other" YPositionAbs="30" XSizeAbs="200" YSizeAbs="20">
           <Skin Name="other" LookList="TextField"/></SubControl>)",
      Testing::kTextFieldResources,
      R"(<StringTable ID="Test.Window|hinted"><String ID="LABEL"><Locale LCID="9">Type here</Locale></String></StringTable>)");
  const RCPtr<LTextBox> box = harness.Find<LTextBox>(u"hinted");
  ASSERT_TRUE(box);
  EXPECT_EQ(Utf8(box->GetText()), "");
  EXPECT_EQ(Utf8(box->GetPlaceholderText()), "Type here");
  harness.Click(harness.At(harness.Find(u"other")));
  ASSERT_FALSE(box->HasFocus());
  EXPECT_EQ(box->GetLookWeight(2), 1.0f);
  EXPECT_EQ(box->GetLookWeight(9), 1.0f);
  EXPECT_EQ(box->GetLookWeight(0), 0.0f);
  harness.Click(harness.At(box));
  EXPECT_EQ(box->GetLookWeight(9), 0.0f);
  EXPECT_EQ(box->GetLookWeight(3) + box->GetLookWeight(4), 1.0f);
  harness.Type(u"x");
  harness.Key(0x25, KeyCode::kModShift);
  EXPECT_EQ(box->GetLookWeight(10) + box->GetLookWeight(11), 1.0f);
}

// Random input keeps caret and selection within the text and never crashes.
TEST(TextBoxRandomInput, CaretAndSelectionStayWithinTheTextWhateverArrives) {
  WidgetHarness harness;
  harness.Build(kBoxSkin, Testing::kTextFieldResources);
  const RCPtr<LTextBox> box = harness.Find<LTextBox>(u"box");
  ASSERT_TRUE(box);
  for (const int32_t maximum : {0, 3}) {
    box->SetMaxLength(maximum);
    Testing::RandomInput input(harness, 20261211u + static_cast<uint32_t>(maximum));
    input.Run(box, 3000, [&] {
      const int32_t length = box->GetText().GetLength();
      ASSERT_GE(box->GetCaretIndex(), 0) << input.LastEvent();
      ASSERT_LE(box->GetCaretIndex(), length) << input.LastEvent();
      ASSERT_GE(box->GetSelectionStart(), 0) << input.LastEvent();
      ASSERT_LE(box->GetSelectionStart() + box->GetSelectionLength(), length) << input.LastEvent();
      ASSERT_LE(box->GetSelectionAnchor(), length) << input.LastEvent();
      if (maximum > 0) {
        ASSERT_LE(length, maximum) << input.LastEvent();
      }
      ASSERT_GE(box->GetIdleCount(), 0) << input.LastEvent();
    });
  }
}

}  // namespace
}  // namespace SV
