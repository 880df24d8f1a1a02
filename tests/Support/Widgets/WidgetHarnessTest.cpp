#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/System/ClipBoard.h"
#include "SVFramework/Utilities/StringPayload.h"
#include "tests/Support/Widgets/RandomInput.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::WidgetHarness;

TEST(WidgetHarness, BuildsTheWindowControlAtTheClientSizeAndFindsNothingThatIsNotThere) {
  WidgetHarness harness({320, 200});
  harness.Build("");
  ASSERT_TRUE(harness.root);
  EXPECT_EQ(harness.root->GetRect(), (RectT<double>{0, 0, 320, 200}));
  EXPECT_EQ(harness.window->GetRootControl().Get(), harness.root.Get());
  EXPECT_FALSE(harness.Find(u"missing"));
}

TEST(WidgetHarness, IdlePassesMoveTheApplicationClockByTheStepsGiven) {
  WidgetHarness harness;
  harness.Build("");
  harness.Idle(150);
  harness.RunFor(95, 10);
  EXPECT_EQ(harness.application.GetTickCount(), 245u);
  EXPECT_DOUBLE_EQ(harness.application.GetTime(), 0.245);
}

TEST(WidgetHarness, TheApplicationsClipboardReadsAndWritesTheClipboardInMemory) {
  WidgetHarness harness;
  harness.application.clipboard.ChangeOutside(u"from elsewhere");
  const RCPtr<LRefCountedObject> content = harness.application.GetClipboard()->GetText();
  const auto* text = dynamic_cast<const LStringPayload*>(content.Get());
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(static_cast<const String&>(*text), String(u"from elsewhere"));
}

TEST(WidgetHarness, RandomInputWithTheSameSeedDeliversTheSameStreamAndLeavesNoButtonHeld) {
  std::vector<std::string> runs[2];
  for (auto& events : runs) {
    WidgetHarness harness;
    harness.Build("");
    Testing::RandomInput input(harness, 7);
    input.Run(harness.root, 200, [&] { events.push_back(input.LastEvent()); });
    EXPECT_EQ(harness.application.buttons, 0u);
  }
  EXPECT_EQ(runs[0], runs[1]);
}

TEST(WidgetHarness, AnEditRequestWithoutAFocusControlIsNotPerformed) {
  WidgetHarness harness;
  harness.Build("");
  EXPECT_FALSE(harness.Edit(u"NID_EDIT_PASTE_REQ"));
}

}  // namespace
}  // namespace SV
