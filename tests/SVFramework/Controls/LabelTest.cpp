#include <gtest/gtest.h>

#include <string>

#include "SVFramework/Controls/Label.h"
#include "tests/SVFramework/Controls/ScrollFamilySkin.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::WidgetHarness;

// Three labels with the same 21-character caption (210 px): one too narrow for it.
constexpr const char* kLabels = R"(
  <SubControl Class="Framework.Label" Name="narrow" TabStop="5" XSizeAbs="100" YSizeAbs="20"><Skin Name="s" LookList="Solid"/></SubControl>
  <SubControl Class="Framework.Label" Name="wide" YPositionAbs="30" XSizeAbs="300" YSizeAbs="20"><Skin Name="s" LookList="Solid"/></SubControl>
  <SubControl Class="Framework.Label" Name="plain" YPositionAbs="60" XSizeAbs="300" YSizeAbs="20"><Skin Name="s" LookList="Solid"/></SubControl>)";

constexpr const char* kLabelStrings = R"(
<StringTable ID="Test.Window|narrow">
  <String ID="LABEL"><Locale LCID="9">A rather long caption</Locale></String>
  <String ID="TOOLTIP"><Locale LCID="9">What it means</Locale></String>
</StringTable>
<StringTable ID="Test.Window|wide">
  <String ID="LABEL"><Locale LCID="9">A rather long caption</Locale></String>
  <String ID="TOOLTIP"><Locale LCID="9">What it means</Locale></String>
</StringTable>
<StringTable ID="Test.Window|plain">
  <String ID="LABEL"><Locale LCID="9">A rather long caption</Locale></String>
</StringTable>)";

class LabelTest : public ::testing::Test {
protected:
  void SetUp() override {
    harness.windowSkin = Testing::kSolid;
    harness.Build(kLabels, Testing::kSolidLooks, kLabelStrings);
  }
  WidgetHarness harness;
};

struct TooltipCase {
  const char16_t* label;
  const char16_t* tooltip;
};

TEST_F(LabelTest, ShowsItsCaptionFromItsStringTableAndOffersItAsTooltipOnlyWhenItDoesNotFit) {
  const TooltipCase cases[] = {
      {u"narrow", u"A rather long caption"},  // truncated: the caption itself
      {u"wide", u"What it means"},            // fits: its tooltip string
      {u"plain", u""},                        // fits, no tooltip string: none
  };
  for (const TooltipCase& c : cases) {
    const RCPtr<LLabel> label = harness.Find<LLabel>(c.label);
    ASSERT_TRUE(label);
    EXPECT_EQ(label->GetText(), String(u"A rather long caption"));
    EXPECT_EQ(label->GetTooltipText(), String(c.tooltip)) << String(c.label).ToUTF8().GetString();
  }
}

TEST_F(LabelTest, NeverTakesTheFocusWhateverItsTabStopSays) {
  const RCPtr<LLabel> label = harness.Find<LLabel>(u"narrow");
  EXPECT_FALSE(label->IsFocusable());
  label->SetFocus(true);
  EXPECT_FALSE(label->HasFocus());
  harness.Click(harness.At(RCPtr<LControl>(label.Get())));
  EXPECT_FALSE(label->HasFocus());
}

}  // namespace
}  // namespace SV
