#include "Panel/UI/PresetTransferActions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/Panel/UI/EditorDeviceFixture.h"
#include "tests/Panel/UI/EditorTestSkin.h"
#include "tests/Support/TextConversions.h"

namespace SV {
namespace {

using Testing::ControllerRequest;
using Testing::Preset;
using Testing::ReplyBehaviour;
using Testing::EditorTestSkin::ApplicationStrings;
using Testing::EditorTestSkin::kResources;

constexpr const char* kGetFailed = "Retrieve Preset Error";
constexpr const char* kGetMidiError = "Error retrieving the preset from device. Connect controller and try again.";
constexpr const char* kGetFirmware = "The firmware version of your Corvex needs to be updated.";
constexpr const char* kGetDone = "Retrieve Preset";
constexpr const char* kGetDoneText = "The preset has been successfully retrieved.";
constexpr const char* kSendFailed = "Send Preset Error";
constexpr const char* kSendMidiError =
    "Error connecting to device. Verify your Corvex is connected to the computer and try again.";
constexpr const char* kSendFirmware = "The firmware version of the device is not compatible. ";
constexpr const char* kSendDone = "Send Success";
constexpr const char* kSendDoneText = "Preset has been sent successfully to the device.";

using Testing::Utf8;

struct Box {
  std::string caption;
  std::string text;
  bool operator==(const Box&) const = default;
};

void PrintTo(const Box& box, std::ostream* out) { *out << "{" << box.caption << ", " << box.text << "}"; }

class PresetTransferTest : public Testing::EditorDeviceTest {
protected:
  void SetUp() override {
    EditorDeviceTest::SetUp();
    harness.Build("", kResources, ApplicationStrings());
  }
  std::vector<Box> Boxes() {
    std::vector<Box> boxes;
    for (const auto& box : harness.application.messageBoxes) {
      EXPECT_EQ(box.style, 0u) << "every outcome box is a plain OK box";
      boxes.push_back({Utf8(box.caption), Utf8(box.text)});
    }
    return boxes;
  }
};

struct OutcomeCase {
  const char* name;
  SVRESULT result;
  Box get;
  Box send;
};

const OutcomeCase kOutcomeCases[] = {
    {"Success", 0, {kGetDone, kGetDoneText}, {kSendDone, kSendDoneText}},
    {"OneCountsAsSuccess", 1, {kGetDone, kGetDoneText}, {kSendDone, kSendDoneText}},
    {"BytesSentCountAsSuccess", 32, {kGetDone, kGetDoneText}, {kSendDone, kSendDoneText}},
    {"PortsOrSendFailed", -1, {kGetFailed, kGetMidiError}, {kSendFailed, kSendMidiError}},
    {"FirmwareTooOld", -2, {kGetFailed, kGetFirmware}, {kSendFailed, kSendFirmware}},
    {"NoReply", -3, {kGetFailed, kGetMidiError}, {kSendFailed, kSendMidiError}},
    {"UnknownSmallCode", -4, {kGetFailed, kGetMidiError}, {kSendFailed, kSendMidiError}},
    {"PlatformFailure", E_FAIL, {kGetFailed, kGetMidiError}, {kSendFailed, kSendMidiError}},
    {"NotImplemented", E_NOTIMPL, {kGetFailed, kGetMidiError}, {kSendFailed, kSendMidiError}},
};

class PresetTransferOutcome : public PresetTransferTest, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(PresetTransferOutcome, EveryFailureButTheFirmwareCaseShowsTheMidiErrorNeverSuccess) {
  ShowGetPresetOutcome(GetParam().result);
  ShowSendPresetOutcome(GetParam().result);
  EXPECT_EQ(Boxes(), (std::vector<Box>{GetParam().get, GetParam().send}));
}

INSTANTIATE_TEST_SUITE_P(Results, PresetTransferOutcome, ::testing::ValuesIn(kOutcomeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PresetTransferTest, AnOutcomeWhoseTextIsEmptyShowsNothing) {
  harness.application.SetApplicationStrings(nullptr);
  ShowGetPresetOutcome(0);
  ShowSendPresetOutcome(-1);
  EXPECT_TRUE(harness.application.messageBoxes.empty());
}

TEST_F(PresetTransferTest, GetBringsTheControllersPresetIntoTheEngineAndReportsSuccess) {
  const Preset preset{1, 30, 1, 70, 2, 65, 12, 66, 3, 0, 0, 0, 0, 0, 0, 0, 4, 0, 1, 0, 1, 0, 1, 0};
  Controller().SetPreset(preset);
  EXPECT_EQ(GetPresetFromDeviceAction(0), S_OK);
  EXPECT_EQ(road.EngineValues(), preset);
  EXPECT_EQ(Boxes(), (std::vector<Box>{{kGetDone, kGetDoneText}}));
}

TEST_F(PresetTransferTest, AGetThatNeverGetsAnAnswerShowsTheSameBoxAsOneWithoutPorts) {
  Controller().SetBehaviour(ControllerRequest::GetPreset, ReplyBehaviour::Silent());
  Manager().SetReplyWait(20);
  EXPECT_EQ(GetPresetFromDeviceAction(0), LMidiManager::kNoReply);
  road.mController->Disappear();
  Manager().ClosePorts();
  EXPECT_EQ(GetPresetFromDeviceAction(0), LMidiManager::kSendFailed);
  EXPECT_EQ(Boxes(), (std::vector<Box>{{kGetFailed, kGetMidiError}, {kGetFailed, kGetMidiError}}));
}

TEST_F(PresetTransferTest, SendDeliversTheEnginesPresetAndReportsSuccess) {
  road.SetEngineValue(3, 61);
  EXPECT_GE(SendPresetToDeviceAction(-1), 0);
  ASSERT_TRUE(ControllerReceived(1));
  EXPECT_EQ(Controller().GetPreset()[3], 61);
  EXPECT_EQ(Boxes(), (std::vector<Box>{{kSendDone, kSendDoneText}}));
}

TEST_F(PresetTransferTest, ASendThatTheEngineCannotSupplyIsReportedAsAnErrorNotAsSuccess) {
  road.mApp.ReleaseEngine();
  const SVRESULT result = SendPresetToDeviceAction(-1);
  EXPECT_LT(result, 0);
  EXPECT_NE(result, LMidiManager::kSendFailed) << "a code the device view names no text for";
  EXPECT_EQ(Controller().PresetsStored(), 0u);
  EXPECT_EQ(Boxes(), (std::vector<Box>{{kSendFailed, kSendMidiError}}));
}

TEST_F(PresetTransferTest, WithoutAMidiManagerBothActionsFailWithTheMidiError) {
  application->midiManager = nullptr;
  EXPECT_EQ(GetPresetFromDeviceAction(0), LMidiManager::kSendFailed);
  EXPECT_EQ(SendPresetToDeviceAction(-1), LMidiManager::kSendFailed);
  EXPECT_EQ(Boxes(), (std::vector<Box>{{kGetFailed, kGetMidiError}, {kSendFailed, kSendMidiError}}));
}

}  // namespace
}  // namespace SV
