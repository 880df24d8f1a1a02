#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/Controls/PopupMenu.h"
#include "SVFramework/Controls/TextBox.h"
#include "SVFramework/System/ClipBoard.h"
#include "SVFramework/System/GlobalHotKeyManager.h"
#include "SVFramework/notification/NotificationCenter.h"
#include "SVFramework/notification/NotificationCenterManager.h"
#include "tests/SVFramework/Controls/PopupMenuTestSkin.h"
#include "tests/SVFramework/Controls/TextFieldSkin.h"
#include "tests/Support/TextConversions.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::WidgetHarness;

using Testing::Utf8;

// A text box whose skin offers the "contextMenu" popup, with the edit commands bound to
// the application's keys as the program binds them, and the clipboard listening for the
// edit requests those keys send.
class TextBoxContextMenuTest : public ::testing::Test {
protected:
  void SetUp() override {
    harness.application.SetFrameworkStrings(LStringTable::Create(
        {{u"EDIT_CUT", u"Cut"}, {u"EDIT_COPY", u"Copy"}, {u"EDIT_PASTE", u"Paste"}, {u"EDIT_DELETE", u"Delete"}}));
    HotKeyMap& keys = harness.application.GetGlobalHotKeyManager()->GetMap();
    keys.Add(KeyCode::Parse(u"Ctrl+VKEY_X"), u"NID_EDIT_CUT_REQ");
    keys.Add(KeyCode::Parse(u"Ctrl+VKEY_C"), u"NID_EDIT_COPY_REQ");
    keys.Add(KeyCode::Parse(u"Ctrl+VKEY_V"), u"NID_EDIT_PASTE_REQ");
    keys.Add(KeyCode::Parse(u"VKEY_DELETE"), u"NID_EDIT_DELETE_REQ");
    harness.application.GetClipboard()->Initialize();
    harness.Build(R"(<SubControl Class="Framework.TextBox" Name="box" XPositionAbs="10" YPositionAbs="10" XSizeAbs="300" YSizeAbs="20">
                       <Skin Name="box" LookList="TextField"/></SubControl>)",
                  std::string(Testing::kTextFieldResources) + std::string(Testing::kMenuResources), {},
                  Testing::PopupSkin("contextMenu", R"(ClipToParent="0" Z_Order="9999999")"));
    box = harness.Find<LTextBox>(u"box");
    ASSERT_TRUE(box);
    harness.Click(harness.At(box));
    harness.Type(u"hello");
  }

  RCPtr<LPopupMenu> OpenMenu() {
    harness.Click(harness.At(box, {5, 10}), 4);
    return RCPtr<LPopupMenu>(dynamic_cast<LPopupMenu*>(box->FindChild(u"contextMenu").Get()));
  }
  // The application's idle pass hands the queued edit request to the clipboard.
  void RunApplicationIdle() {
    GetApplicationNotificationCenter()->Process(false);
    harness.Idle();
  }
  PointT<int32_t> RowOf(const RCPtr<LPopupMenu>& popup, int32_t item) {
    const RectT<double> row = popup->GetItemRect(item);
    return harness.At(RCPtr<LControl>(popup.Get()),
                      {static_cast<int32_t>(row.x + row.width / 2), static_cast<int32_t>(row.y + row.height / 2)});
  }

  WidgetHarness harness;
  RCPtr<LTextBox> box;
};

TEST_F(TextBoxContextMenuTest, ARightClickShowsTheEditCommandsAtThePointerWithTheirKeysAndStates) {
  box->SetSelection(0, 1);  // "he"
  const RCPtr<LPopupMenu> menu = OpenMenu();
  ASSERT_TRUE(menu);
  EXPECT_TRUE(menu->IsShown());
  EXPECT_TRUE(menu->HasFocus());
  EXPECT_EQ(menu->GetScreenPosition().x, harness.At(box, {5, 10}).x);
  EXPECT_EQ(menu->GetScreenPosition().y, harness.At(box, {5, 10}).y);
  std::vector<std::string> rows;
  for (int32_t item = 0; item < menu->GetItemCount(); ++item) {
    const RCPtr<LMenuItemDescriptor> entry = menu->GetEntry(item);
    rows.push_back(Utf8(entry->Label) + " " + Utf8(entry->HotKeyText) + (entry->Enabled ? " on" : " off"));
  }
  EXPECT_EQ(rows, (std::vector<std::string>{"Cut Ctrl+X on", "Copy Ctrl+C on", "Paste Ctrl+V off", "Delete Del on"}));
}

TEST_F(TextBoxContextMenuTest, ChoosingAnEditCommandEditsTheBoxAndTheMenuGoes) {
  struct Case {
    const char* name;
    int32_t item;
    const char* text;
    const char* clipboard;
  };
  const Case cases[] = {
      {"cut", 0, "llo", "he"},
      {"copy", 1, "hello", "he"},
      {"delete", 3, "llo", ""},
  };
  for (const Case& c : cases) {
    box->SetText(u"hello");
    harness.application.clipboard.ChangeOutside(u"");
    box->SetSelection(0, 1);  // "he"
    const RCPtr<LPopupMenu> menu = OpenMenu();
    ASSERT_TRUE(menu) << c.name;
    harness.MoveTo(RowOf(menu, c.item));
    harness.Click(RowOf(menu, c.item));
    RunApplicationIdle();
    EXPECT_EQ(Utf8(box->GetText()), c.text) << c.name;
    EXPECT_EQ(Utf8(String(harness.application.clipboard.text.c_str())), c.clipboard) << c.name;
    EXPECT_FALSE(box->FindChild(u"contextMenu")) << c.name;
  }
}

TEST_F(TextBoxContextMenuTest, EscapeOrAClickElsewhereClosesTheMenuWithoutEditing) {
  for (bool escape : {true, false}) {
    ASSERT_TRUE(OpenMenu());
    if (escape)
      harness.Key(0x1B);
    else
      harness.Click(harness.At(box, {250, 10}));
    RunApplicationIdle();
    EXPECT_FALSE(box->FindChild(u"contextMenu")) << escape;
    EXPECT_EQ(Utf8(box->GetText()), "hello");
  }
}

}  // namespace
}  // namespace SV
