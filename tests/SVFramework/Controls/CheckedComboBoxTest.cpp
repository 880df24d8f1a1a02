#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/Controls/CheckedComboBox.h"
#include "SVFramework/Utilities/Graphics/Bitmap.h"
#include "tests/SVFramework/Controls/CheckedComboBoxSkin.h"
#include "tests/SVFramework/Controls/DropDownSkin.h"
#include "tests/Support/Renderer/FixtureImages.h"
#include "tests/Support/Widgets/NotificationLog.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::NotificationLog;
using Testing::WidgetHarness;
using Testing::DropDownSkin::ItemStrings;
using Testing::DropDownSkin::kLooks;
using Testing::DropDownSkin::Numbers;

class CheckedComboBoxTest : public ::testing::Test {
protected:
  void Build(const std::string& listClass = "Framework.CheckedListBox",
             const std::string& comboClass = "Framework.CheckedComboBox", const std::string& listLooks = "List",
             const std::string& resources = std::string(kLooks)) {
    harness.Build(Testing::CheckedComboBoxSkin::Combo("combo", listClass, comboClass, listLooks), resources,
                  ItemStrings("Test.Window|combo", Numbers(3)));
    combo = harness.Find<LCheckedComboBox>(u"combo");
    ASSERT_TRUE(combo);
    list = combo->GetCheckedList();
    ownBox = combo->GetCheckBox();
    ASSERT_TRUE(ownBox);
  }
  void TearDown() override { log->StopListening(); }

  // Opens the list when it is closed and clicks the item's check box in it.
  void ClickCheckBoxOf(int32_t item) {
    if (!combo->IsDropDownOpen()) harness.Click(harness.At(RCPtr<LControl>(combo.Get()), {60, 12}));
    ASSERT_TRUE(combo->IsDropDownOpen());
    const int32_t row = list->GetRowIndexOfItem(item);
    ASSERT_GE(row, 0) << "item " << item << " has no row";
    harness.Click(harness.At(RCPtr<LControl>(list->GetCheckedRow(static_cast<uint32_t>(row))->GetCheckBox().Get())));
  }
  // The combo's look with the pointer away and the focus elsewhere.
  int32_t IdleLook() {
    harness.MoveTo({700, 500});
    harness.Click(harness.At(harness.Find(u"other")));
    EXPECT_FALSE(combo->IsDropDownOpen());
    return combo->GetFirstVisibleLookIndex();
  }

  WidgetHarness harness;
  RCPtr<LCheckedComboBox> combo;
  RCPtr<LCheckedListBox> list;
  RCPtr<LButton> ownBox;
  RCPtr<NotificationLog> log = NotificationLog::Create();
};

TEST_F(CheckedComboBoxTest, TheFirstCheckedItemSwitchesToTheCheckedLooksAndTheLastUncheckedSwitchesBack) {
  Build();
  ASSERT_TRUE(list);
  EXPECT_EQ(IdleLook(), 0);

  ClickCheckBoxOf(1);
  ASSERT_TRUE(list->IsItemChecked(1));
  EXPECT_EQ(IdleLook(), 7);

  ClickCheckBoxOf(2);
  ASSERT_EQ(list->GetCheckedCount(), 2);
  EXPECT_EQ(IdleLook(), 7);

  ClickCheckBoxOf(1);
  ClickCheckBoxOf(2);
  ASSERT_EQ(list->GetCheckedCount(), 0);
  EXPECT_EQ(IdleLook(), 0);
}

TEST_F(CheckedComboBoxTest, TheOpenListShowsTheCheckedOpenLook) {
  Build();
  ClickCheckBoxOf(0);
  ASSERT_TRUE(combo->IsDropDownOpen());
  combo->UpdateLook();
  EXPECT_GE(combo->GetFirstVisibleLookIndex(), 11);
  combo->SetEnabled(false);
  EXPECT_EQ(combo->GetFirstVisibleLookIndex(), 13);
}

TEST_F(CheckedComboBoxTest, TheOwnCheckBoxShowsTheSelectedItemsCheckState) {
  Build();
  list->SetItemChecked(2, true);
  combo->SetSelectedIndex(2);
  EXPECT_EQ(ownBox->GetNormalizedValue(), 1.0);
  combo->SetSelectedIndex(1);
  EXPECT_EQ(ownBox->GetNormalizedValue(), 0.0);
  combo->SetSelectedIndex(2);
  combo->SetSelectedIndex(-1);
  EXPECT_EQ(ownBox->GetNormalizedValue(), 1.0) << "no item leaves the state as it was";
  combo->SetSelectedIndex(7);
  EXPECT_EQ(ownBox->GetNormalizedValue(), 1.0);
}

TEST_F(CheckedComboBoxTest, TheOwnCheckBoxFollowsTheSelectedItemWhenItIsCheckedInTheList) {
  Build();
  combo->SetSelectedIndex(1);
  ASSERT_EQ(ownBox->GetNormalizedValue(), 0.0);

  ClickCheckBoxOf(1);
  EXPECT_EQ(ownBox->GetNormalizedValue(), 1.0);

  combo->SetSelectedIndex(1);
  ClickCheckBoxOf(2);
  EXPECT_TRUE(list->IsItemChecked(2));
  EXPECT_EQ(combo->GetSelectedIndex(), 1);
  EXPECT_EQ(ownBox->GetNormalizedValue(), 1.0) << "another item's check leaves the box";

  ClickCheckBoxOf(1);
  EXPECT_EQ(ownBox->GetNormalizedValue(), 0.0);
}

TEST_F(CheckedComboBoxTest, EveryCheckChangeOfTheListIsSentAgainWithTheSamePayload) {
  Build();
  const RCPtr<NotificationLog> listLog = NotificationLog::Create();
  listLog->Listen(RCPtr<LNotificationDistributor>(list.Get()), u"NID_ITEM_CHECK_CHANGE");
  log->Listen(RCPtr<LNotificationDistributor>(combo.Get()), u"NID_ITEM_CHECK_CHANGE");

  ClickCheckBoxOf(0);
  ClickCheckBoxOf(0);

  ASSERT_EQ(listLog->payloads.size(), 2u);
  ASSERT_EQ(log->payloads.size(), 2u);
  for (size_t index = 0; index < 2; ++index) {
    EXPECT_TRUE(log->payloads[index]);
    EXPECT_EQ(log->payloads[index].Get(), listLog->payloads[index].Get()) << index;
  }
  listLog->StopListening();
}

TEST_F(CheckedComboBoxTest, WithAnIconListTheOwnBoxOnlyDisplaysTheSelectedItem) {
  LBitmap::SetResourceReader([](const std::string&, std::string& bytes) {
    bytes = Testing::EncodePng(Testing::Gradient(4, 4));
    return true;
  });
  const std::string icons =
      R"(<Parts><Part Name="IconA" Width="4" Height="4" ResizeType="Center" ImageFile="::combo_icon_a.png" ImageLocX="0" ImageLocY="0"/></Parts>
<Looks><Look Name="Icons"><ClientPart Name="Face" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/>
<NonClientParts><NonClientPart Name="IconA" OffsetLeft="0" OffsetTop="0" Width="4"/></NonClientParts></Look></Looks>
<LookLists><LookList Name="IconList" NumLooks="4"><Look Name="Framed" Index="0"/><Look Name="Framed" Index="1"/>
<Look Name="Framed" Index="2"/><Look Name="Icons" Index="3"/></LookList></LookLists>)";
  Build("Framework.ListBoxWithIcons", "Framework.ComboBoxWithIcons", "IconList", std::string(kLooks) + icons);
  LBitmap::SetResourceReader(nullptr);
  ASSERT_TRUE(list);
  ASSERT_EQ(list->GetItemImageCount(), 1u);
  EXPECT_TRUE(combo->IsCheckBoxDisplayOnly());
  EXPECT_TRUE(ownBox->IsPassThrough());
  EXPECT_EQ(combo->SetSelectedIndex(1), 1);
  combo->SetCheckBoxDisplayOnly(false);
  EXPECT_FALSE(ownBox->IsPassThrough());
}

TEST_F(CheckedComboBoxTest, APlainListMakesAPlainComboBox) {
  harness.Build(R"(<SubControl Class="Framework.CheckedComboBox" Name="combo" XPositionAbs="10" YPositionAbs="10"
      XSizeAbs="100" YSizeAbs="25"><Skin Name="combo" LookList="Box"/>
    <SubControl Class="Framework.ListBox" Name="listBox" IsVisible="False" YPositionRel="1" XSizeToControl="Parent"
        XSizeRel="1" YSizeAbs="80"><Skin Name="listBox" LookList="List"/>
      <SubControl Class="Framework.ListBoxItem" Name="templateItem" XSizeToControl="Parent" XSizeRel="1" YSizeAbs="21">
        <Skin Name="row" LookList="Row"/></SubControl>
    </SubControl>
  </SubControl>)",
                kLooks, ItemStrings("Test.Window|combo", Numbers(3)));
  combo = harness.Find<LCheckedComboBox>(u"combo");
  ASSERT_TRUE(combo);
  EXPECT_FALSE(combo->GetCheckedList());
  EXPECT_FALSE(combo->GetCheckBox());
  EXPECT_EQ(combo->SetSelectedIndex(2), 2);
  combo->UpdateLook();
  EXPECT_LT(combo->GetFirstVisibleLookIndex(), 7);
}

}  // namespace
}  // namespace SV
