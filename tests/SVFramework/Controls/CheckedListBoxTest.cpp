#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/Controls/CheckedListBox.h"
#include "SVFramework/Utilities/Graphics/Bitmap.h"
#include "tests/SVFramework/Controls/DropDownSkin.h"
#include "tests/Support/Renderer/FixtureImages.h"
#include "tests/Support/TextConversions.h"
#include "tests/Support/Widgets/NotificationDescriptions.h"
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

using Testing::Utf8;

// A checked list 200 x 80 at (10, 20) of `listClass` with rows 21 high, each with a
// 16 x 16 check box at its left.
std::string ListSkin(const std::string& listClass, const std::string& lookList) {
  return R"(<SubControl Class=")" + listClass + R"(" Name="list" TabStop="1" XPositionAbs="10" YPositionAbs="20"
                   XSizeAbs="200" YSizeAbs="80"><Skin Name="list" LookList=")" + lookList + R"("/>
  <SubControl Class="Framework.CheckedListBoxItem" Name="templateItem" XSizeToControl="Parent" XSizeRel="1"
              YSizeAbs="21"><Skin Name="row" LookList="Row"/>
    <SubControl Class="Framework.Button" Name="checkBox" XPositionAbs="2" YPositionAbs="2" XSizeAbs="16"
                YSizeAbs="16"><Skin Name="checkBox" LookList="Box"/>
      <CreateParamList><CreateParam ID="AUTO_VALUE_SET" Type="String">true</CreateParam></CreateParamList>
    </SubControl>
  </SubControl>
</SubControl>)";
}

using Testing::DescribeItem;

class CheckedListBoxTest : public ::testing::Test {
protected:
  void Build(int count, const std::string& listClass = "Framework.CheckedListBox",
             const std::string& lookList = "List", const std::string& resources = std::string(kLooks)) {
    harness.Build(ListSkin(listClass, lookList), resources, ItemStrings("Test.Window|list", Numbers(count)));
    list = harness.Find<LCheckedListBox>(u"list");
    ASSERT_TRUE(list);
    for (const char16_t* id : {u"NID_ITEM_CHECK_CHANGE", u"NID_ITEM_CHECKBOX_CLICKED"})
      log->Listen(RCPtr<LNotificationDistributor>(list.Get()), id, DescribeItem);
  }
  void TearDown() override { log->StopListening(); }

  RCPtr<LButton> CheckBoxOfItem(int32_t item) {
    const int32_t row = list->GetRowIndexOfItem(item);
    EXPECT_GE(row, 0) << "item " << item << " has no row";
    return list->GetCheckedRow(static_cast<uint32_t>(row < 0 ? 0 : row))->GetCheckBox();
  }
  void ClickCheckBoxOf(int32_t item) {
    const RCPtr<LButton> checkBox = CheckBoxOfItem(item);
    ASSERT_TRUE(checkBox);
    harness.Click(harness.At(RCPtr<LControl>(checkBox.Get())));
  }

  WidgetHarness harness;
  RCPtr<LCheckedListBox> list;
  RCPtr<NotificationLog> log = NotificationLog::Create();
};

TEST_F(CheckedListBoxTest, ClickingACheckBoxChecksAndSelectsItsItemAndTheStateSurvivesScrolling) {
  Build(16);
  ASSERT_EQ(list->ScrollToItem(6), S_OK);

  ClickCheckBoxOf(5);

  EXPECT_TRUE(list->IsItemChecked(5));
  EXPECT_EQ(list->GetCheckedCount(), 1);
  EXPECT_EQ(list->GetSelectedIndexes(), std::vector<int32_t>{5});
  EXPECT_EQ(log->lines, Lines{"NID_ITEM_CHECK_CHANGE 5 1.000000"});

  list->ScrollToItem(15);
  EXPECT_LT(list->GetRowIndexOfItem(5), 0);
  for (uint32_t row = 0; row < list->GetRowCount(); ++row)
    EXPECT_EQ(list->GetCheckedRow(row)->GetCheckBox()->GetNormalizedValue(), 0.0) << "row " << row;
  list->ScrollToItem(5);
  EXPECT_EQ(CheckBoxOfItem(5)->GetNormalizedValue(), 1.0);
  EXPECT_EQ(log->lines.size(), 1u);

  ClickCheckBoxOf(5);
  EXPECT_FALSE(list->IsItemChecked(5));
  EXPECT_EQ(list->GetCheckedCount(), 0);
  EXPECT_EQ(log->lines.back(), "NID_ITEM_CHECK_CHANGE 5 0.000000");
}

TEST_F(CheckedListBoxTest, InReportModeAClickOnlySelectsAndReportsUntilAutomaticValueReturns) {
  Build(16);
  list->SetCheckBoxAutoValue(false);

  ClickCheckBoxOf(2);

  EXPECT_FALSE(list->IsItemChecked(2));
  EXPECT_EQ(CheckBoxOfItem(2)->GetNormalizedValue(), 0.0);
  EXPECT_EQ(list->GetSelectedIndexes(), std::vector<int32_t>{2});
  EXPECT_EQ(log->lines, Lines{"NID_ITEM_CHECKBOX_CLICKED 2 0.000000"});

  list->SetCheckBoxAutoValue(true);
  log->lines.clear();
  ClickCheckBoxOf(1);
  EXPECT_TRUE(list->IsItemChecked(1));
  EXPECT_EQ(log->lines, Lines{"NID_ITEM_CHECK_CHANGE 1 1.000000"});
}

TEST_F(CheckedListBoxTest, CheckingFromCodeUpdatesTheRowQuietlyAndIgnoresBadIndexes) {
  Build(3);
  list->SetItemChecked(1, true);
  list->SetItemChecked(1, true);
  list->SetItemChecked(-1, true);
  list->SetItemChecked(3, true);

  EXPECT_EQ(CheckBoxOfItem(1)->GetNormalizedValue(), 1.0);
  EXPECT_EQ(list->GetCheckedCount(), 1);
  EXPECT_FALSE(list->IsItemChecked(3));
  EXPECT_TRUE(log->lines.empty());
  EXPECT_FALSE(list->GetItemImage(3));
}

TEST_F(CheckedListBoxTest, TheCheckedCountForgetsRemovedItems) {
  Build(4);
  list->SetItemChecked(0, true);
  list->SetItemChecked(2, true);
  ASSERT_EQ(list->RemoveItem(2), 3);
  EXPECT_EQ(list->GetCheckedCount(), 1);
  EXPECT_TRUE(list->IsItemChecked(0));
  EXPECT_EQ(list->SetItemCount(6), 6);
  EXPECT_EQ(list->GetCheckedCount(), 1);
  EXPECT_FALSE(list->IsItemChecked(5));
}

TEST_F(CheckedListBoxTest, RowsPastTheLastItemHideTheirCheckBoxes) {
  Build(2);
  ASSERT_EQ(list->GetRowCount(), 4u);
  for (uint32_t row = 0; row < 4; ++row)
    EXPECT_EQ(list->GetCheckedRow(row)->GetCheckBox()->IsVisible(false), row < 2) << "row " << row;
  list->AddItem(u"3");
  EXPECT_TRUE(list->GetCheckedRow(2)->GetCheckBox()->IsVisible(false));
}

TEST_F(CheckedListBoxTest, TheCheckBoxShowsTheRowsHoverLook) {
  Build(3);
  const RCPtr<LButton> checkBox = CheckBoxOfItem(0);
  harness.MoveTo(harness.At(RCPtr<LControl>(checkBox.Get())));
  EXPECT_EQ(list->GetCheckedRow(0)->GetFirstVisibleLookIndex(), 1);
  EXPECT_TRUE(checkBox->IsNotFocusable());
}

// Three icons as built-in images, the non-client parts of the list's fourth look.
class CheckedListBoxIcons : public CheckedListBoxTest {
protected:
  void SetUp() override {
    LBitmap::SetResourceReader([](const std::string&, std::string& bytes) {
      bytes = Testing::EncodePng(Testing::Gradient(4, 4));
      return true;
    });
  }
  void TearDown() override {
    CheckedListBoxTest::TearDown();
    LBitmap::SetResourceReader(nullptr);
  }
  static std::string Resources() {
    std::string resources(kLooks);
    const std::string icons =
        R"(<Parts><Part Name="IconA" Width="4" Height="4" ResizeType="Center" ImageFile="::checked_icon_a.png" ImageLocX="0" ImageLocY="0"/>
<Part Name="IconB" Width="4" Height="4" ResizeType="Center" ImageFile="::checked_icon_b.png" ImageLocX="0" ImageLocY="0"/>
<Part Name="IconC" Width="4" Height="4" ResizeType="Center" ImageFile="::checked_icon_c.png" ImageLocX="0" ImageLocY="0"/></Parts>
<Looks><Look Name="Icons"><ClientPart Name="Face" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/>
<NonClientParts><NonClientPart Name="IconA" OffsetLeft="0" OffsetTop="0" Width="4"/>
<NonClientPart Name="IconB" OffsetLeft="4" OffsetTop="0" Width="4"/>
<NonClientPart Name="IconC" OffsetLeft="8" OffsetTop="0" Width="4"/></NonClientParts></Look></Looks>
<LookLists><LookList Name="IconList" NumLooks="4"><Look Name="Framed" Index="0"/><Look Name="Framed" Index="1"/>
<Look Name="Framed" Index="2"/><Look Name="Icons" Index="3"/></LookList></LookLists>)";
    return resources + icons;
  }
};

TEST_F(CheckedListBoxIcons, AListWithIconsShowsThemInTurnInCheckBoxesThatIgnoreClicks) {
  Build(5, "Framework.ListBoxWithIcons", "IconList", Resources());
  ASSERT_EQ(list->GetItemImageCount(), 3u);
  std::vector<RCPtr<LBitmap>> icons;
  for (int32_t item = 0; item < 5; ++item) icons.push_back(list->GetItemImage(item));
  EXPECT_TRUE(icons[0] && icons[1] && icons[2]);
  EXPECT_NE(icons[0], icons[1]);
  EXPECT_NE(icons[1], icons[2]);
  EXPECT_EQ(icons[3], icons[0]);
  EXPECT_EQ(icons[4], icons[1]);
  EXPECT_TRUE(list->AreCheckBoxesDisplayOnly());

  ClickCheckBoxOf(1);
  EXPECT_FALSE(list->IsItemChecked(1));
  EXPECT_TRUE(log->lines.empty());
}

TEST_F(CheckedListBoxIcons, APlainCheckedListIgnoresAFourthLookWithoutBitmaps) {
  Build(3, "Framework.CheckedListBox", "List", Resources());
  EXPECT_EQ(list->GetItemImageCount(), 0u);
  EXPECT_FALSE(list->AreCheckBoxesDisplayOnly());
}

TEST(IndexedDataParam, TextNamesTheIndexTheDataAndTheValue) {
  struct Case {
    RCPtr<LRefCountedObject> data;
    int32_t index;
    double value;
    const char* text;
  };
  const std::vector<Case> cases = {
      {nullptr, 2, 1.0, "LIndexedDataParam: Index = 2, Data =  Value = 1.000000"},
      {LListBox::MakeTextItem(u"seven"), -1, 0.25, "LIndexedDataParam: Index = -1, Data = seven Value = 0.250000"},
  };
  for (const Case& c : cases) {
    const RCPtr<LIndexedDataWithValueParam> param(new LIndexedDataWithValueParam(c.data, c.index, c.value));
    EXPECT_EQ(Utf8(param->ToString()), c.text);
  }
  const RCPtr<LIndexedDataParam> plain(new LIndexedDataParam(nullptr, 4));
  EXPECT_EQ(Utf8(plain->ToString()), "LIndexedDataParam: Index = 4, Data = ");
}

}  // namespace
}  // namespace SV
