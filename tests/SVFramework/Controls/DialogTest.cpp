#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/Controls/Button.h"
#include "SVFramework/Controls/Dialog.h"
#include "tests/SVFramework/Controls/ButtonTestSkin.h"
#include "tests/Support/Widgets/NotificationLog.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::ButtonElement;
using Testing::NotificationLog;
using Testing::WidgetHarness;

// A focusable control that refuses to give the focus up, as a text box with bad input.
class StubbornControl : public LControl {
public:
  using LControl::LControl;
  bool CanLoseFocus() override { return !stubborn; }
  bool stubborn = false;
};

// Dialogs built from the skin's top-level descriptors: "dialog" with the standard
// buttons as direct children, "nested" whose "buttonOK" sits inside a plain control.
// Each modal run plays the test's part in its loop and records the dialog's
// announcements.
class DialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    harness.factory->RegisterControlCreateFunction(u"Test.Dialog", &LControlCreation::Create<LDialog>);
    harness.factory->RegisterControlCreateFunction(u"Test.Stubborn", &LControlCreation::Create<StubbornControl>);
    std::string buttons;
    int x = 0;
    for (const char* name : {"buttonOK", "buttonClose", "buttonCancel", "buttonAbort", "buttonRetry", "buttonIgnore",
                             "buttonYes", "buttonNo", "buttonHelp"})
      buttons += ButtonElement(name, (x++) * 30);
    const std::string stubborn =
        "<SubControl Class=\"Test.Stubborn\" Name=\"entry\" YPositionAbs=\"50\" XSizeAbs=\"50\" YSizeAbs=\"20\" "
        "TabStop=\"1\"/>";
    harness.Build("", Testing::kButtonResources, {},
                  "<SubControl Class=\"Test.Dialog\" Name=\"dialog\" XSizeAbs=\"300\" YSizeAbs=\"200\">" + buttons +
                      stubborn +
                      "</SubControl><SubControl Class=\"Test.Dialog\" Name=\"nested\" XSizeAbs=\"300\" "
                      "YSizeAbs=\"200\"><SubControl Class=\"Test.Stubborn\" Name=\"inner\" XSizeAbs=\"300\" "
                      "YSizeAbs=\"100\">" +
                      ButtonElement("buttonOK", 10) + "</SubControl></SubControl>");
    log = NotificationLog::Create();
    harness.application.dialogOs.modalResult = kLoopNotEnded;
  }
  void TearDown() override { log->StopListening(); }

  RCPtr<LDialog> Make(const char16_t* name = u"dialog") {
    RCPtr<LControl> made;
    harness.factory->CreateControl(made, name, nullptr);
    RCPtr<LDialog> dialog(dynamic_cast<LDialog*>(made.Get()));
    EXPECT_TRUE(dialog);
    if (dialog) {
      log->Listen(dialog, u"NID_DIALOG_CLOSING");
      log->Listen(dialog, u"NID_DIALOG_CLOSED");
    }
    return dialog;
  }
  static RCPtr<LButton> ButtonOf(const RCPtr<LControl>& parent, const char16_t* name) {
    return RCPtr<LButton>(dynamic_cast<LButton*>(parent->FindChild(name).Get()));
  }
  // Enter on the button, as the user would, and the idle passes that follow.
  void Press(LRootWindow& window, const RCPtr<LButton>& button) {
    ASSERT_TRUE(button);
    button->SimulateClick();
    harness.application.Advance(150);
    window.Idle(true);
    window.Idle(true);
  }
  int32_t RunPressing(const RCPtr<LDialog>& dialog, const char16_t* name) {
    harness.application.modalLoop = [&](LRootWindow& window) { Press(window, ButtonOf(dialog, name)); };
    return dialog->DoModal();
  }

  static constexpr int32_t kLoopNotEnded = -99;
  WidgetHarness harness{{400, 300}};
  RCPtr<NotificationLog> log;
};

struct ButtonCase {
  const char16_t* name;
  int32_t result;
};

class DialogButtonTest : public DialogTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(DialogButtonTest, AStandardButtonEndsTheModalRunWithItsResult) {
  const RCPtr<LDialog> dialog = Make();
  EXPECT_EQ(RunPressing(dialog, GetParam().name), GetParam().result);
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_DIALOG_CLOSING", "NID_DIALOG_CLOSED"}));
  EXPECT_EQ(harness.application.dialogOs.endModalResults, (std::vector<int32_t>{GetParam().result}));
}

INSTANTIATE_TEST_SUITE_P(Buttons, DialogButtonTest,
                         ::testing::Values(ButtonCase{u"buttonOK", 1}, ButtonCase{u"buttonClose", 1},
                                           ButtonCase{u"buttonCancel", 2}, ButtonCase{u"buttonAbort", 3},
                                           ButtonCase{u"buttonRetry", 4}, ButtonCase{u"buttonIgnore", 5},
                                           ButtonCase{u"buttonYes", 6}, ButtonCase{u"buttonNo", 7}));

TEST_F(DialogTest, AButtonWithAnotherNameOrNotADirectChildClosesNothing) {
  const RCPtr<LDialog> dialog = Make();
  EXPECT_EQ(RunPressing(dialog, u"buttonHelp"), kLoopNotEnded);
  const RCPtr<LDialog> nested = Make(u"nested");
  harness.application.modalLoop = [&](LRootWindow& window) {
    Press(window, ButtonOf(nested->FindChild(u"inner"), u"buttonOK"));
  };
  EXPECT_EQ(nested->DoModal(), kLoopNotEnded);
  EXPECT_TRUE(log->lines.empty());
}

TEST_F(DialogTest, TheCloseBoxEndsTheRunWithTheCancelResult) {
  const RCPtr<LDialog> dialog = Make();
  harness.application.modalLoop = [](LRootWindow& window) {
    window.OnSystemClose();
    window.Idle(true);
  };
  EXPECT_EQ(dialog->DoModal(), LDialog::kCancel);
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_DIALOG_CLOSING", "NID_DIALOG_CLOSED"}));
}

TEST_F(DialogTest, AClosingListenerThatCancelsKeepsTheDialogOpen) {
  const RCPtr<LDialog> dialog = Make();
  log->Listen(dialog, u"NID_DIALOG_CLOSING", [](const RCPtr<LNotification>& notification) {
    dynamic_cast<LCancelArgs*>(notification->GetPayload().Get())->cancel = true;
    return "vetoed";
  });
  harness.application.modalLoop = [&](LRootWindow& window) {
    Press(window, ButtonOf(dialog, u"buttonYes"));
    window.OnSystemClose();
    window.Idle(true);
  };
  EXPECT_EQ(dialog->DoModal(), kLoopNotEnded);
  EXPECT_TRUE(harness.application.dialogOs.endModalResults.empty());
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_DIALOG_CLOSING vetoed", "NID_DIALOG_CLOSING vetoed"}));
  EXPECT_EQ(dialog->GetResult(), LDialog::kCancel) << "the last request's result is kept";
}

TEST_F(DialogTest, OKClosesOnlyWhenTheFocusCouldMoveToIt) {
  const RCPtr<LDialog> dialog = Make();
  const RCPtr<StubbornControl> entry(dynamic_cast<StubbornControl*>(dialog->FindChild(u"entry").Get()));
  ASSERT_TRUE(entry);
  harness.application.modalLoop = [&](LRootWindow& window) {
    ASSERT_GE(entry->SetFocus(true), 0);
    entry->stubborn = true;
    DeliverNotification(ButtonOf(dialog, u"buttonOK").Get(), u"NID_SIMULATE_CLICK", nullptr);
    harness.application.Advance(150);
    window.Idle(true);
    EXPECT_TRUE(log->lines.empty()) << "the focus stayed with the entry";
    entry->stubborn = false;
    ButtonOf(dialog, u"buttonOK")->OnLeftClick(MakeMouseButtonParam(1, {0, 0}, 0, 0, 0, 0));
    window.Idle(true);
  };
  EXPECT_EQ(dialog->DoModal(), LDialog::kOK);
}

TEST_F(DialogTest, TheLastCloseRequestedBeforeTheIdlePassWins) {
  const RCPtr<LDialog> dialog = Make();
  harness.application.modalLoop = [&](LRootWindow& window) {
    ButtonOf(dialog, u"buttonYes")->OnLeftClick(MakeMouseButtonParam(1, {0, 0}, 0, 0, 0, 0));
    ButtonOf(dialog, u"buttonNo")->OnLeftClick(MakeMouseButtonParam(1, {0, 0}, 0, 0, 0, 0));
    window.Idle(true);
  };
  EXPECT_EQ(dialog->DoModal(), LDialog::kNo);
}

TEST_F(DialogTest, ADialogInNoWindowFailsToCloseAndDoesNotSayItClosed) {
  const RCPtr<LDialog> dialog = Make();
  EXPECT_EQ(dialog->Close(LDialog::kYes), E_FAIL);
  EXPECT_EQ(log->lines, (std::vector<std::string>{"NID_DIALOG_CLOSING"}));
}

}  // namespace
}  // namespace SV
