#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "SVFramework/Controls/Button.h"
#include "tests/SVFramework/Controls/ButtonTestSkin.h"
#include "tests/Support/Widgets/RandomInput.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::ButtonElement;
using Testing::CreateParam;
using Testing::WidgetHarness;

struct ButtonKind {
  const char* name;
  const char* createParams;
  bool autoRepeat;
  bool sticky;
  uint32_t seed;
};

class ButtonRandomInputTest : public ::testing::TestWithParam<ButtonKind> {};

// Whatever arrives, the button keeps at most one idle subscription, a finite value in
// [0, 1] and one of its fourteen looks, and once the input stops it holds nothing.
TEST_P(ButtonRandomInputTest, KeepsItsStateSoundUnderAnyInput) {
  const ButtonKind& kind = GetParam();
  WidgetHarness harness({300, 200});
  harness.Build(ButtonElement("ok", 40, kind.createParams) + ButtonElement("sibling", 150, kind.createParams),
                Testing::kButtonResources);
  const RCPtr<LButton> button = harness.Find<LButton>(u"ok");
  ASSERT_TRUE(button);
  button->SetAutoRepeat(kind.autoRepeat);
  button->SetStickyPress(kind.sticky);
  Testing::RandomInput input(harness, kind.seed);
  input.Run(button, 3000, [&] {
    ASSERT_GE(button->GetIdleCount(), 0) << input.LastEvent();
    ASSERT_LE(button->GetIdleCount(), 1) << input.LastEvent();
    const double value = button->GetNormalizedValue();
    ASSERT_TRUE(std::isfinite(value) && value >= 0.0 && value <= 1.0) << input.LastEvent();
    const int32_t look = Testing::ShownLook(*button);
    ASSERT_TRUE(look >= 0 && look < LButton::kLookCount) << input.LastEvent();
  });
  harness.Release({299, 199});
  harness.RunFor(2000, 50);
  EXPECT_FALSE(button->IsRepeating());
  EXPECT_FALSE(button->IsSimulating());
  EXPECT_EQ(button->GetIdleCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ButtonRandomInputTest,
    ::testing::Values(ButtonKind{"Push", "", false, false, 11}, ButtonKind{"AutoRepeat", "", true, false, 12},
                      ButtonKind{"StickyAutoRepeat", "", true, true, 13},
                      ButtonKind{"Toggle", "<CreateParam ID=\"AUTO_VALUE_SET\" Type=\"String\">true</CreateParam>",
                                 false, false, 14},
                      ButtonKind{"Radio",
                                 "<CreateParam ID=\"AUTO_VALUE_SET\" Type=\"String\">true</CreateParam>"
                                 "<CreateParam ID=\"IS_RADIO\" Type=\"String\">true</CreateParam>",
                                 true, false, 15}),
    [](const ::testing::TestParamInfo<ButtonKind>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace SV
