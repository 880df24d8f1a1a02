#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/Controls/Dialog.h"
#include "SVFramework/Controls/ToolTip.h"
#include "tests/SVFramework/Controls/ButtonTestSkin.h"
#include "tests/Support/Widgets/RandomInput.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::ButtonElement;
using Testing::RandomInput;
using Testing::WidgetHarness;

// Every control below `control` keeps a usable state: no negative idle count, a finite
// rectangle, and a tooltip in one of its three states.
void ExpectSoundTree(const RCPtr<LControl>& control, const std::string& event) {
  ASSERT_GE(control->GetIdleCount(), 0) << event;
  const RectT<double>& rect = control->GetRect();
  ASSERT_TRUE(std::isfinite(rect.x) && std::isfinite(rect.y) && std::isfinite(rect.width) &&
              std::isfinite(rect.height))
      << event;
  if (const auto* tip = dynamic_cast<const LToolTip*>(control.Get())) {
    ASSERT_LE(static_cast<int32_t>(tip->GetState()), static_cast<int32_t>(LToolTip::kShown)) << event;
  }
  for (uint32_t i = 0; i < control->GetChildCount(); ++i) ExpectSoundTree(control->GetChildAt(i), event);
}

// A dialog in the window holding its standard buttons, a label whose text does not fit
// (so it offers a tooltip) and buttons with tooltip texts, under random input.
TEST(DialogRandomInput, ButtonsLabelsAndTooltipsInADialogStaySoundUnderRandomInput) {
  LToolTip::ForgetLastHide();
  WidgetHarness harness({400, 300});
  harness.factory->RegisterControlCreateFunction(u"Test.Dialog", &LControlCreation::Create<LDialog>);
  const std::string label =
      "<SubControl Class=\"Framework.Label\" Name=\"caption\" YPositionAbs=\"40\" XSizeAbs=\"60\" YSizeAbs=\"20\">"
      "<Skin Name=\"caption\" LookList=\"Button\"/></SubControl>";
  harness.Build("<SubControl Class=\"Test.Dialog\" Name=\"dialog\" XSizeAbs=\"300\" YSizeAbs=\"200\">"
                "<Skin Name=\"dialog\" LookList=\"Button\"/>" +
                    ButtonElement("buttonOK", 0) + ButtonElement("buttonCancel", 90) + ButtonElement("buttonHelp", 180) +
                    label + "</SubControl>",
                Testing::kButtonResources,
                R"(<StringTable ID="Test.Dialog|caption"><String ID="LABEL"><Locale LCID="9">a caption far too long to fit</Locale></String></StringTable>
                   <StringTable ID="Test.Dialog|buttonOK"><String ID="TOOLTIP"><Locale LCID="9">accept</Locale></String></StringTable>)",
                "<SubControl Class=\"Framework.ToolTip\" Name=\"toolTip\" XSizeAbs=\"100\" YSizeAbs=\"20\" "
                "ClipToParent=\"False\"/>");
  const RCPtr<LControl> dialog = harness.Find(u"dialog");
  ASSERT_TRUE(dialog);

  int hoveredEvents = 0;
  for (const uint32_t seed : {1u, 2u, 3u}) {
    RandomInput input(harness, seed);
    input.Run(dialog, 1500, [&] {
      ExpectSoundTree(harness.root, input.LastEvent());
      if (harness.window->GetHoverControl()) ++hoveredEvents;
    });
    harness.RunFor(6000, 100);
    EXPECT_FALSE(harness.window->GetCaptureControl()) << "seed " << seed;
  }
  EXPECT_GT(hoveredEvents, 1000) << "the input reached the dialog's controls";
  LToolTip::ForgetLastHide();
}

}  // namespace
}  // namespace SV
