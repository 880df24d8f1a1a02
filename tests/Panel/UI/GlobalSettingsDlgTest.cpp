#include "Panel/UI/GlobalSettingsDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/ObjectBase/Exception.h"
#include "tests/Panel/UI/EditorDeviceFixture.h"
#include "tests/Panel/UI/EditorTestSkin.h"
#include "tests/Support/TextConversions.h"

namespace SV {
namespace {

using ::Testing::Controller::Firmware;
using ::Testing::Controller::GlobalSettingRecord;
using Testing::ControllerRequest;
using Testing::ReplyBehaviour;
using Testing::EditorTestSkin::DialogStrings;
using Testing::EditorTestSkin::GlobalSettingsDialog;
using Testing::EditorTestSkin::kResources;

constexpr uint8_t kWhiteCurve = 0x0A, kBlackCurve = 0x0B, kWhiteSensitivity = 0x0C, kBlackSensitivity = 0x0D;

using Testing::Utf8;

// The dialog built in the harness's window over the device road, with the controller
// reporting `firmware` (01.12 unless a test says otherwise).
class GlobalSettingsDlgTest : public Testing::EditorDeviceTest {
protected:
  void Build(const std::string& leaveOut = {}) {
    harness.factory->RegisterControlCreateFunction(u"PresetEditor.GlobalSettings", &LGlobalSettingsDlg::Create);
    harness.Build(GlobalSettingsDialog(leaveOut), kResources, DialogStrings());
    dialog = harness.Find<LGlobalSettingsDlg>(u"globalSettings");
    ASSERT_TRUE(dialog);
  }
  // The first idle tick reads the firmware version.
  void BuildAndReadFirmware(const Firmware& firmware) {
    Controller().SetFirmware(firmware);
    Build();
    harness.Idle();
  }
  RCPtr<LNumericUpDown> UpDown(const char16_t* name) { return harness.Find<LNumericUpDown>(name); }
  bool SensitivityShown() {
    const bool white = UpDown(u"whiteKeyVelocitySensitivityNumericUpDown")->IsVisible(false);
    const bool black = UpDown(u"blackKeyVelocitySensitivityNumericUpDown")->IsVisible(false);
    const bool whiteLabel = harness.Find(u"whiteKeyVelocitySensitivityLabel")->IsVisible(false);
    const bool blackLabel = harness.Find(u"blackKeyVelocitySensitivityLabel")->IsVisible(false);
    EXPECT_TRUE(white == black && black == whiteLabel && whiteLabel == blackLabel)
        << "the four sensitivity controls are shown and hidden together";
    return white;
  }
  void ClickSend() { harness.Click(harness.At(harness.Find(u"sendGlobalSettingsButton"))); }
  // The settings the controller recorded once `count` of them arrived.
  std::vector<GlobalSettingRecord> SettingsReceived(size_t count) {
    const size_t identityRequests = Controller().RequestCount(ControllerRequest::Identity);
    EXPECT_TRUE(ControllerReceived(identityRequests + count));
    return Controller().GlobalSettings();
  }
  std::vector<std::string> BoxCaptions() {
    std::vector<std::string> captions;
    for (const auto& box : harness.application.messageBoxes) captions.push_back(Utf8(box.caption));
    return captions;
  }

  RCPtr<LGlobalSettingsDlg> dialog;
};

TEST_F(GlobalSettingsDlgTest, OpensWithDefaultChoicesAndTheSensitivityControlsHidden) {
  Controller().SetBehaviour(ReplyBehaviour::Silent());
  Build();
  EXPECT_FALSE(SensitivityShown());
  for (const char16_t* name : {u"whiteKeyVelocitySensitivityNumericUpDown", u"blackKeyVelocitySensitivityNumericUpDown"}) {
    EXPECT_DOUBLE_EQ(UpDown(name)->GetValue(), 50);
    EXPECT_DOUBLE_EQ(UpDown(name)->NormalizedToValue(1), 100);
  }
  EXPECT_EQ(harness.Find<LComboBox>(u"whiteKeyVelocityCurveComboBox")->GetSelectedIndex(), 0);
}

struct FirmwareCase {
  const char* name;
  Firmware firmware;
  bool sensitivityShown;
  std::vector<GlobalSettingRecord> sent;
};

class GlobalSettingsFirmware : public GlobalSettingsDlgTest, public ::testing::WithParamInterface<FirmwareCase> {};

TEST_P(GlobalSettingsFirmware, ShowsAndSendsTheSensitivitiesOnlyFromVersion112On) {
  BuildAndReadFirmware(GetParam().firmware);
  EXPECT_EQ(SensitivityShown(), GetParam().sensitivityShown);
  EXPECT_TRUE(dialog->IsFirmwareRead());
  EXPECT_EQ(dialog->GetIdleCount(), 0) << "the version is read once per dialog";

  ClickSend();
  EXPECT_EQ(SettingsReceived(GetParam().sent.size()), GetParam().sent);
  EXPECT_EQ(BoxCaptions(), std::vector<std::string>{"Global Settings Sent"});
  EXPECT_EQ(Utf8(harness.application.messageBoxes[0].text), "Global settings sucessfully sent to the device.");
  EXPECT_EQ(harness.application.messageBoxes[0].style, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, GlobalSettingsFirmware,
    ::testing::Values(FirmwareCase{"Version0111", {0, 1, 1, 1}, false, {{kWhiteCurve, 0}, {kBlackCurve, 0}}},
                      FirmwareCase{"Version0112",
                                   {0, 1, 1, 2},
                                   true,
                                   {{kWhiteCurve, 0}, {kBlackCurve, 0}, {kWhiteSensitivity, 50}, {kBlackSensitivity, 50}}},
                      FirmwareCase{"Version0200",
                                   {0, 2, 0, 0},
                                   true,
                                   {{kWhiteCurve, 0}, {kBlackCurve, 0}, {kWhiteSensitivity, 50}, {kBlackSensitivity, 50}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GlobalSettingsDlgTest, ASuccessfulFirmwareRequestIsNeverRepeated) {
  BuildAndReadFirmware({0, 1, 1, 1});
  harness.RunFor(5000, 250);
  EXPECT_EQ(dialog->GetFirmwareRequestCount(), 1);
  EXPECT_EQ(Controller().RequestCount(ControllerRequest::Identity), 1u);
}

TEST_F(GlobalSettingsDlgTest, ASilentControllerIsAskedAtMostOnceASecondAndThreeTimesPerDialog) {
  Controller().SetBehaviour(ControllerRequest::Identity, ReplyBehaviour::Silent());
  Manager().SetReplyWait(20);
  Build();
  harness.Idle();
  EXPECT_EQ(dialog->GetFirmwareRequestCount(), 1);
  harness.RunFor(990, 10);
  EXPECT_EQ(dialog->GetFirmwareRequestCount(), 1) << "no second wait within a second of the first";
  harness.Idle(10);
  EXPECT_EQ(dialog->GetFirmwareRequestCount(), 2);
  harness.RunFor(1000, 100);
  EXPECT_EQ(dialog->GetFirmwareRequestCount(), 3);
  harness.RunFor(10000, 100);
  EXPECT_EQ(dialog->GetFirmwareRequestCount(), 3);
  EXPECT_EQ(dialog->GetIdleCount(), 0) << "the check ends with the last request";
  EXPECT_FALSE(dialog->IsFirmwareRead());
  EXPECT_FALSE(SensitivityShown());
  EXPECT_EQ(Controller().RequestCount(ControllerRequest::Identity), 3u * LMidiManager::kRequestAttempts);
}

TEST_F(GlobalSettingsDlgTest, AControllerThatAnswersAfterAFailedRequestShowsTheSensitivities) {
  Controller().SetBehaviourForNext(ControllerRequest::Identity, LMidiManager::kRequestAttempts, ReplyBehaviour::Silent());
  Manager().SetReplyWait(20);
  Build();
  harness.Idle();
  EXPECT_FALSE(SensitivityShown());
  harness.Idle(1000);
  EXPECT_EQ(dialog->GetFirmwareRequestCount(), 2);
  EXPECT_TRUE(SensitivityShown());
  EXPECT_TRUE(dialog->IsFirmwareRead());
}

TEST_F(GlobalSettingsDlgTest, SendsTheValueOfTheChosenCurveItem) {
  BuildAndReadFirmware({0, 1, 1, 1});
  harness.Find<LComboBox>(u"whiteKeyVelocityCurveComboBox")->SetSelectedIndex(1);
  harness.Find<LComboBox>(u"blackKeyVelocityCurveComboBox")->SetSelectedIndex(4);
  ASSERT_EQ(Utf8(harness.Find(u"whiteKeyVelocityCurveComboBox")->GetText()), "EXP 1 (Heavier)");
  ASSERT_EQ(Utf8(harness.Find(u"blackKeyVelocityCurveComboBox")->GetText()), "LOG 1 (Lighter)");
  ClickSend();
  EXPECT_EQ(SettingsReceived(2), (std::vector<GlobalSettingRecord>{{kWhiteCurve, 6}, {kBlackCurve, 1}}));
}

TEST_F(GlobalSettingsDlgTest, SendsASensitivityTruncatedTowardZero) {
  BuildAndReadFirmware({0, 1, 1, 2});
  const RCPtr<LNumericUpDown> white = UpDown(u"whiteKeyVelocitySensitivityNumericUpDown");
  // The skin's up-downs show whole numbers and round what they show; one with a decimal
  // holds the fraction that the send must cut off.
  white->SetDecimals(1);
  white->SetNormalizedValue(white->ValueToNormalized(73.9));
  ASSERT_NEAR(white->GetValue(), 73.9, 1e-9);
  ClickSend();
  EXPECT_EQ(SettingsReceived(4), (std::vector<GlobalSettingRecord>{
                                     {kWhiteCurve, 0}, {kBlackCurve, 0}, {kWhiteSensitivity, 73}, {kBlackSensitivity, 50}}));
}

TEST_F(GlobalSettingsDlgTest, AFailedWhiteCurveSendStopsTheRestAndShowsTheFailureBox) {
  BuildAndReadFirmware({0, 1, 1, 2});
  const size_t sendsBefore = road.mBackend->CountCalls(::Platform::Midi::MidiCall::OutLongMsg);
  road.mBackend->InjectFailure(::Platform::Midi::MidiCall::OutLongMsg, ::Platform::Midi::MMSYSERR_ERROR, 1);
  ClickSend();
  EXPECT_EQ(road.mBackend->CountCalls(::Platform::Midi::MidiCall::OutLongMsg), sendsBefore + 1)
      << "only the white curve was tried";
  EXPECT_TRUE(Controller().GlobalSettings().empty());
  ASSERT_EQ(BoxCaptions(), std::vector<std::string>{"Global Settings Error"});
  EXPECT_EQ(Utf8(harness.application.messageBoxes[0].text), "Error connecting to device.");
  EXPECT_EQ(dialog->GetRootWindow(), harness.window.Get()) << "the dialog stays open";
}

TEST_F(GlobalSettingsDlgTest, WithoutPortsTheSendFailsAtOnceWithTheFailureBox) {
  road.mController->Disappear();
  Manager().ClosePorts();
  Build();
  harness.Idle();
  EXPECT_FALSE(SensitivityShown());
  ClickSend();
  EXPECT_EQ(BoxCaptions(), std::vector<std::string>{"Global Settings Error"});
}

struct MissingDialogChildCase {
  const char* child;
  const char* message;
};

class GlobalSettingsMissingChild : public GlobalSettingsDlgTest,
                                   public ::testing::WithParamInterface<MissingDialogChildCase> {};

TEST_P(GlobalSettingsMissingChild, RaisesTheNullPointerErrorNamingTheChild) {
  harness.factory->RegisterControlCreateFunction(u"PresetEditor.GlobalSettings", &LGlobalSettingsDlg::Create);
  try {
    harness.Build(GlobalSettingsDialog(GetParam().child), kResources, DialogStrings());
    FAIL() << "the dialog was made without " << GetParam().child;
  } catch (const Exception<std::runtime_error>& error) {
    const std::string text = error.what();
    EXPECT_EQ(text.rfind(std::string("Runtime Error : Null Pointer : ") + GetParam().message +
                             " : SV::LGlobalSettingsDlg::Initialize : UI/GlobalSettingsDlg : Line ",
                         0),
              0u)
        << text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Children, GlobalSettingsMissingChild,
    ::testing::Values(
        MissingDialogChildCase{"whiteKeyVelocityCurveComboBox", "Could not find child whiteKeyVelocityCurveComboBox"},
        MissingDialogChildCase{"blackKeyVelocityCurveComboBox", "Could not find child blackKeyVelocityCurveComboBox"},
        MissingDialogChildCase{"whiteKeyVelocitySensitivityNumericUpDown",
                               "Could not find child whiteKeyVelocitySensitivityNumericUpDown"},
        MissingDialogChildCase{"blackKeyVelocitySensitivityNumericUpDown",
                               "Could not find child blackKeyVelocitySensitivityNumericUpDown"},
        MissingDialogChildCase{"sendGlobalSettingsButton", "sendSettingsButton child not found"}),
    [](const auto& info) { return std::string(info.param.child); });

}  // namespace
}  // namespace SV
