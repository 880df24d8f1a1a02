#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "SVFramework/ControlBase/ValueParam.h"
#include "SVFramework/Controls/ComboSlider.h"
#include "tests/Support/Widgets/NotificationLog.h"
#include "tests/Support/Widgets/RandomInput.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::NotificationLog;
using Testing::WidgetHarness;

constexpr const char* kComboSliderLooks =
    R"(<Colorizers><Colorizer Name="Grey" ColorType="SolidFill" Color="FF808080"/></Colorizers>
<Parts><Part Name="Fill" Width="4" Height="4" ResizeType="Stretch" ColorizerName="Grey"/></Parts>
<Looks><Look Name="Fill"><ClientPart Name="Fill" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/></Look></Looks>
<LookLists>
  <LookList Name="ComboLooks" NumLooks="7"><Look Name="Fill" Index="0"/><Look Name="Fill" Index="1"/>
    <Look Name="Fill" Index="2"/><Look Name="Fill" Index="3"/><Look Name="Fill" Index="4"/><Look Name="Fill" Index="5"/>
    <Look Name="Fill" Index="6"/></LookList>
  <LookList Name="SliderLooks" NumLooks="3"><Look Name="Fill" Index="0"/><Look Name="Fill" Index="1"/><Look Name="Fill" Index="2"/></LookList>
  <LookList Name="Solid1" NumLooks="1"><Look Name="Fill" Index="0"/></LookList>
  <LookList Name="ButtonLooks" NumLooks="14"><Look Name="Fill" Index="0"/><Look Name="Fill" Index="1"/>
    <Look Name="Fill" Index="2"/><Look Name="Fill" Index="3"/><Look Name="Fill" Index="4"/><Look Name="Fill" Index="5"/>
    <Look Name="Fill" Index="6"/></LookList>
</LookLists>)";

struct Layout {
  int32_t comboX = 100;
  int32_t panelX = 0;
  int32_t panelY = 20;
  int32_t panelWidth = 200;
};

// A combo slider 80 x 20 at (comboX, 50) whose panel holds a slider with a track from
// 0 to 190 along its top; a button "other" takes the focus elsewhere.
std::string ComboSkin(const Layout& layout) {
  auto marker = [](const char* name, int32_t x) {
    return std::string("<SubControl Class=\"Framework.Button\" Name=\"") + name + "\" XPositionAbs=\"" +
           std::to_string(x) + "\" YPositionAbs=\"5\" XSizeAbs=\"10\" YSizeAbs=\"20\"><Skin Name=\"marker\" "
           "LookList=\"ButtonLooks\"/></SubControl>";
  };
  return "<SubControl Class=\"Framework.ComboSlider\" Name=\"combo\" TabStop=\"1\" XPositionAbs=\"" +
         std::to_string(layout.comboX) +
         "\" YPositionAbs=\"50\" XSizeAbs=\"80\" YSizeAbs=\"20\"><Skin Name=\"combo\" LookList=\"ComboLooks\"/>"
         "<SubControl Class=\"Framework.ComboSlider.DropDownPanel\" Name=\"dropDownPanel\" ClipToParent=\"False\" "
         "XPositionAbs=\"" +
         std::to_string(layout.panelX) + "\" YPositionAbs=\"" + std::to_string(layout.panelY) + "\" XSizeAbs=\"" +
         std::to_string(layout.panelWidth) +
         "\" YSizeAbs=\"30\"><Skin Name=\"panel\" LookList=\"Solid1\"/>"
         "<SubControl Class=\"Framework.Slider\" Name=\"slider\" XSizeAbs=\"200\" YSizeAbs=\"30\">"
         "<Skin Name=\"slider\" LookList=\"SliderLooks\"/>" +
         marker("thumbStart", 0) + marker("thumbEnd", 190) +
         "</SubControl></SubControl></SubControl>"
         "<SubControl Class=\"Framework.Button\" Name=\"other\" TabStop=\"2\" XPositionAbs=\"10\" YPositionAbs=\"400\" "
         "XSizeAbs=\"20\" YSizeAbs=\"20\"><Skin Name=\"other\" LookList=\"ButtonLooks\"/></SubControl>";
}

std::string DescribeValue(const RCPtr<LNotification>& notification) {
  auto* value = dynamic_cast<LValueParam*>(notification->GetPayload().Get());
  return value ? std::to_string(value->value) : "?";
}

std::string Narrow(const String& text) { return text.ToUTF8().GetString(); }

class ComboSliderTest : public ::testing::Test {
 protected:
  void Build(const Layout& layout = {}) {
    harness.Build(ComboSkin(layout), kComboSliderLooks);
    combo = harness.Find<LComboSlider>(u"combo");
    ASSERT_TRUE(combo);
    slider = combo->GetSlider();
    ASSERT_TRUE(slider);
    panel = combo->GetDropDownPanel();
    ASSERT_TRUE(panel);
    combo->SetValueRange(0, 127, 0);
    log = NotificationLog::Create();
    log->Listen(RCPtr<LNotificationDistributor>(combo.Get()), u"NID_VALUE_CHANGE", DescribeValue);
  }
  void TearDown() override {
    if (log) log->StopListening();
  }
  int32_t Look() const { return combo->GetFirstVisibleLookIndex(); }

  WidgetHarness harness;
  RCPtr<LComboSlider> combo;
  RCPtr<LSlider> slider;
  RCPtr<LPanel> panel;
  RCPtr<NotificationLog> log;
};

using Lines = std::vector<std::string>;

TEST_F(ComboSliderTest, StartsClosedAndShowsItsValueAsWholeNumbersOfItsOwnRange) {
  Build();
  EXPECT_FALSE(combo->IsDropDownOpen());
  EXPECT_FALSE(panel->IsVisible(false));
  EXPECT_EQ(combo->GetDecimals(), 0);
  const struct {
    double minimum, maximum, value;
    const char* text;
  } cases[] = {{0, 127, 0.5, "64"}, {0, 127, 1, "127"}, {0, 127, 0.1, "13"},
               {-50, 50, 0.25, "-25"}, {0, 1000, 0.0004, "0"}, {0, 1000, 0.0006, "1"}};
  for (const auto& c : cases) {
    combo->SetValueRange(c.minimum, c.maximum, 0);
    combo->SetNormalizedValue(0.9999);
    combo->SetNormalizedValue(c.value);
    EXPECT_EQ(Narrow(combo->GetText()), c.text) << c.value;
    EXPECT_DOUBLE_EQ(slider->GetNormalizedValue(), c.value) << "the slider shares the value";
  }
}

TEST_F(ComboSliderTest, AChangeEchoedBetweenComboAndSliderStopsAfterOneNotificationEach) {
  Build();
  RCPtr<NotificationLog> sliderLog = NotificationLog::Create();
  sliderLog->Listen(RCPtr<LNotificationDistributor>(slider.Get()), u"NID_VALUE_CHANGE", DescribeValue);
  combo->SetNormalizedValue(0.25);
  slider->SetNormalizedValue(0.75);
  combo->SetNormalizedValue(0.75);
  slider->SetNormalizedValue(0.75);
  sliderLog->StopListening();
  EXPECT_EQ(log->lines, (Lines{"NID_VALUE_CHANGE 31.750000", "NID_VALUE_CHANGE 95.250000"}));
  EXPECT_EQ(sliderLog->lines, (Lines{"NID_VALUE_CHANGE 31.750000", "NID_VALUE_CHANGE 95.250000"}));
  EXPECT_EQ(Narrow(combo->GetText()), "95");
}

TEST_F(ComboSliderTest, PressingOpensThePanelAtTheSliderPositionOfAValueSetWhileClosed) {
  Build();
  combo->SetNormalizedValue(0.5);
  harness.Click(harness.At(combo));
  ASSERT_TRUE(combo->IsDropDownOpen());
  EXPECT_EQ(slider->GetThumb()->GetRect().x, 95);
  EXPECT_EQ(panel->GetRect(), (RectT<double>{0, 20, 200, 30}));
}

TEST_F(ComboSliderTest, DraggingTheSliderChangesTheComboValueAndTextOnEveryMove) {
  Build();
  harness.Click(harness.At(combo));
  ASSERT_TRUE(combo->IsDropDownOpen());
  const PointT<int32_t> grab = harness.At(slider->GetThumb());
  harness.Press(grab);
  std::vector<std::string> texts;
  for (int32_t dx : {19, 38, 95, 190}) {
    harness.MoveTo({grab.x + dx, grab.y});
    texts.push_back(Narrow(combo->GetText()));
  }
  // Set from outside during the drag: the slider keeps it for the drag's end.
  combo->SetNormalizedValue(0.25);
  EXPECT_EQ(slider->GetNormalizedValue(), 1.0);
  harness.Release({grab.x + 190, grab.y});
  EXPECT_TRUE(combo->IsDropDownOpen()) << "the panel is inside the combo: its slider keeps it open";
  EXPECT_EQ(texts, (Lines{"13", "25", "64", "127"}));
  EXPECT_DOUBLE_EQ(slider->GetNormalizedValue(), 0.25);
  EXPECT_DOUBLE_EQ(combo->GetNormalizedValue(), 0.25);
  EXPECT_EQ(Narrow(combo->GetText()), "32");
  EXPECT_EQ(log->lines.size(), 5u);
}

TEST_F(ComboSliderTest, ThePanelOpensWhereTheSkinPutsItShiftedLeftToStayInsideTheWindow) {
  const struct {
    const char* what;
    Layout layout;
    RectT<double> panel;
  } cases[] = {
      {"fits below, away from the window's origin", {100, 0, 20, 200}, {0, 20, 200, 30}},
      {"fits, skin offset kept", {100, 30, 20, 200}, {30, 20, 200, 30}},
      {"placed above by the skin", {100, 0, -30, 200}, {0, -30, 200, 30}},
      {"passes the right edge: its right edge meets it", {700, 0, 20, 200}, {-100, 20, 200, 30}},
      {"wider than the window: at the window's left edge", {700, 0, 20, 900}, {-700, 20, 900, 30}},
  };
  for (const auto& c : cases) {
    Build(c.layout);
    harness.Click(harness.At(combo));
    ASSERT_TRUE(combo->IsDropDownOpen()) << c.what;
    EXPECT_EQ(panel->GetRect(), c.panel) << c.what;
    log->StopListening();
  }
}

TEST_F(ComboSliderTest, LooksFollowOpeningHoverFocusAndEnabledState) {
  Build();
  harness.Find(u"other")->SetFocus(true);
  EXPECT_EQ(Look(), 0);
  harness.MoveTo(harness.At(combo));
  EXPECT_EQ(Look(), 2) << "hover";
  harness.Press(harness.At(combo));
  EXPECT_EQ(Look(), 5) << "open with hover";
  harness.Release(harness.At(combo));
  harness.MoveTo({400, 300});
  EXPECT_EQ(Look(), 4) << "open";
  harness.Click(harness.At(harness.Find(u"other")));
  EXPECT_FALSE(combo->IsDropDownOpen());
  EXPECT_EQ(Look(), 0) << "closed when the focus left";
  combo->SetFocus(true);
  EXPECT_EQ(Look(), 1) << "focused";
  harness.MoveTo(harness.At(combo));
  EXPECT_EQ(Look(), 3) << "hover and focused";
  combo->SetEnabled(false);
  EXPECT_EQ(Look(), 6) << "disabled";
}

TEST_F(ComboSliderTest, LosingTheFocusWhileHoveredClosesToTheHoverLook) {
  Build();
  harness.Click(harness.At(combo));
  ASSERT_TRUE(combo->IsDropDownOpen());
  harness.MoveTo(harness.At(combo));
  harness.Find(u"other")->SetFocus(true);
  EXPECT_FALSE(combo->IsDropDownOpen());
  EXPECT_EQ(Look(), 2);
}

TEST(ComboSliderWithoutPanel, CannotOpenAndStillShowsItsText) {
  WidgetHarness harness;
  harness.Build(
      "<SubControl Class=\"Framework.ComboSlider\" Name=\"combo\" XSizeAbs=\"80\" YSizeAbs=\"20\">"
      "<Skin Name=\"combo\" LookList=\"ComboLooks\"/></SubControl>",
      kComboSliderLooks);
  const RCPtr<LComboSlider> combo = harness.Find<LComboSlider>(u"combo");
  ASSERT_TRUE(combo);
  EXPECT_EQ(combo->ShowDropDown(true), E_FAIL);
  harness.Click(harness.At(combo));
  EXPECT_FALSE(combo->IsDropDownOpen());
  combo->SetValueRange(0, 10, 0);
  combo->SetNormalizedValue(0.3);
  EXPECT_EQ(Narrow(combo->GetText()), "3");
}

TEST_F(ComboSliderTest, RandomInputKeepsComboAndSliderOnOneValueInRange) {
  Build();
  Testing::RandomInput input(harness, 3125);
  input.Run(RCPtr<LControl>(combo.Get()), 3000, [&] {
    const double value = combo->GetNormalizedValue();
    ASSERT_TRUE(std::isfinite(value) && value >= 0 && value <= 1) << input.LastEvent();
    ASSERT_GE(combo->GetIdleCount(), 0) << input.LastEvent();
    ASSERT_GE(slider->GetIdleCount(), 0) << input.LastEvent();
    if (!slider->IsDragging()) {
      ASSERT_EQ(slider->GetNormalizedValue(), value) << input.LastEvent();
    }
    const int32_t look = combo->GetFirstVisibleLookIndex();
    ASSERT_EQ(look >= 4 && look <= 5, combo->IsDropDownOpen()) << input.LastEvent();
  });
}

}  // namespace
}  // namespace SV
