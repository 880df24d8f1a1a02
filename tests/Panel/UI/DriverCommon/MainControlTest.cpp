#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DeviceControl/GeneratedCode/Engine/inc/ParamValues.h"
#include "SVFramework/Controls/ComboBox.h"
#include "tests/Panel/UI/EditorFixture.h"
#include "tests/Support/Widgets/NotificationLog.h"

namespace SV {
namespace {

using Testing::EditorFixture;

class MainControlTest : public EditorFixture {
protected:
  double ShownAt(std::initializer_list<const char16_t*> path) { return Shown(Panel(path)); }
  int32_t ChannelShown(const char16_t* name) {
    const RCPtr<LControl> combo = Panel({u"midiUSB", name})->FindChild(u"comboBox");
    return RCPtr<LComboBox>(dynamic_cast<LComboBox*>(combo.Get()))->GetSelectedIndex();
  }
  // Posts a set of values in one packed list, as the engine announces three or more.
  void AnnounceSet(const std::vector<std::pair<int32_t, uint8_t>>& values) {
    std::vector<ParamValue> entries;
    for (const auto& [paramID, byte] : values) entries.emplace_back(ParamDescriptor(paramID), OneByteValue::Make(byte));
    const RCPtr<ParamValuesPayload> payload = ParamValuesPayload::Create();
    ASSERT_EQ(payload->SetFromArray(entries.data(), static_cast<uint32_t>(entries.size())), S_OK);
    engine.center->PostNotification(LMainControl::kStateChangeID, RCPtr<LRefCountedObject>(payload));
  }
};

TEST_F(MainControlTest, ASetOfChangesUpdatesEveryNamedControlAndASingleChangeUpdatesOne) {
  AnnounceSet({{4, 20}, {5, 21}, {3, 70}, {16, 9}});
  engine.Pump();
  EXPECT_EQ(ShownAt({u"modPitchWheel", u"cc"}), 20);
  EXPECT_EQ(ShownAt({u"pedal1", u"cc"}), 21);
  EXPECT_EQ(ShownAt({u"keybed", u"splitKeyNumber"}), 70);
  EXPECT_EQ(ChannelShown(u"portBMidiChannel"), 9);
  engine.Announce(6, OneByteValue::Make(33));
  engine.Pump();
  EXPECT_EQ(ShownAt({u"pedal2", u"cc"}), 33);
  EXPECT_EQ(ShownAt({u"pedal1", u"cc"}), 21);
}

TEST_F(MainControlTest, ARoutedValueIsNotSentBackToTheEngine) {
  // The engine still holds 1 for the mod wheel's controller number; had the panel's
  // echo gone through, the engine would hold the routed 99 afterwards.
  engine.Announce(4, OneByteValue::Make(99));
  engine.Pump();
  EXPECT_EQ(ShownAt({u"modPitchWheel", u"cc"}), 99);
  EXPECT_EQ(engine.Byte(4), 1);
  EXPECT_EQ(mainControl->GetApplyingDescriptor().paramID, -1);
}

TEST_F(MainControlTest, AnEditOutsideARoutingStepGoesToTheEngineAndComesBackToItsControl) {
  EXPECT_EQ(mainControl->SetParamValue(ParamDescriptor(7), OneByteValue::Make(100)), S_OK);
  EXPECT_EQ(engine.Byte(7), 100);
  engine.Pump();
  EXPECT_EQ(ShownAt({u"pedal3", u"cc"}), 100);
  EXPECT_EQ(engine.Byte(7), 100);
}

TEST_F(MainControlTest, ValuesWithoutAModuleOrWithoutAValueChangeNothing) {
  struct Case {
    const char* what;
    int32_t paramID;
    Variant value;
  };
  const std::vector<Case> cases = {
      {"the ParamID after the last", 24, OneByteValue::Make(3)},
      {"a negative ParamID", -1, OneByteValue::Make(3)},
      {"a pseudo-parameter other than -2 and -8", -4, OneByteValue::Make(3)},
      {"the device text", -8, OneByteValue::Make(3)},
      {"an empty value for an ordinary ParamID", 4, Variant()},
  };
  for (const Case& change : cases) {
    engine.Announce(change.paramID, change.value);
    engine.Pump();
    EXPECT_EQ(ShownAt({u"modPitchWheel", u"cc"}), 1) << change.what;
    EXPECT_EQ(ShownAt({u"keybed", u"transposeValue"}), 0) << change.what;
    EXPECT_TRUE(harness.application.messageBoxes.empty()) << change.what;
  }
}

TEST_F(MainControlTest, AHardwareCheckWithAValueDoesNothing) {
  RCPtr<Testing::NotificationLog> exits = Testing::NotificationLog::Create();
  exits->Listen(RCPtr<LNotificationDistributor>(engine.center), u"NID_APP_EXIT_REQ");
  engine.Announce(LMainControl::kHardwareCheckParamID, OneByteValue::Make(1));
  engine.Pump();
  EXPECT_TRUE(harness.application.messageBoxes.empty());
  EXPECT_TRUE(exits->lines.empty());
  exits->StopListening();
}

TEST_F(MainControlTest, AHardwareCheckWhoseDeviceListFailsShowsTheErrorBoxAndAsksToExit) {
  // Without the device-control library the engine cannot list devices.
  RCPtr<Testing::NotificationLog> exits = Testing::NotificationLog::Create();
  exits->Listen(RCPtr<LNotificationDistributor>(engine.center), u"NID_APP_EXIT_REQ");
  engine.Announce(LMainControl::kHardwareCheckParamID, Variant());
  engine.Pump();
  ASSERT_EQ(harness.application.messageBoxes.size(), 1u);
  EXPECT_EQ(harness.application.messageBoxes[0].style, 16u);
  EXPECT_EQ(exits->lines, std::vector<std::string>{"NID_APP_EXIT_REQ"});
  exits->StopListening();
}

TEST_F(MainControlTest, TheMainControlIsTheRootModuleOfTheDeviceViewAndTalksToNoDeviceItself) {
  EXPECT_TRUE(mainControl->GetDevice());
  EXPECT_FALSE(mainControl->GetCommunicationInterface());
  EXPECT_EQ(mainControl->GetFirstParamID(), 0);
  EXPECT_EQ(mainControl->GetModuleForParamID(0), RCPtr<LParameterizedModule>(mainControl->GetDevice()->GetKeybed()));
  EXPECT_FALSE(mainControl->GetModuleForParamID(24));
}

TEST_F(MainControlTest, AnEditReachesTheEngineThroughTheRootsValueChangedOperationToo) {
  mainControl->OnParamValueChanged(ParamDescriptor(5), OneByteValue::Make(66));
  EXPECT_EQ(engine.Byte(5), 66);
}

class MainControlWithoutDeviceViewTest : public EditorFixture {
protected:
  void SetUp() override {
    harness.factory->RegisterControlCreateFunction(u"Test.DeviceView", &LControlCreation::Create<Testing::TestDeviceView>);
    LApplication::RegisterEditorControls(*harness.factory);
    harness.windowClass = "PresetEditor.MainControl";
    // The device view under another name: the main control finds no "viewDevice".
    std::string skin = Testing::EditorSkin::DeviceView(kTestDeviceView);
    skin.replace(skin.find("Name=\"viewDevice\""), 17, "Name=\"otherView\"");
    harness.Build(skin, Testing::EditorSkin::Resources(), Testing::EditorSkin::Strings());
    mainControl = RCPtr<LMainControl>(dynamic_cast<LMainControl*>(harness.root.Get()));
    ASSERT_TRUE(mainControl);
    engine.Pump();
  }
};

TEST_F(MainControlWithoutDeviceViewTest, NothingIsRoutedToTheControlsButEditsStillReachTheEngine) {
  EXPECT_FALSE(mainControl->GetDevice());
  const RCPtr<LControl> cc = harness.Find(u"otherView")->FindChild(u"modPitchWheel")->FindChild(u"cc");
  const RCPtr<LControl> widget = cc->FindChild(u"parameterControl");
  engine.SetByte(4, 50);
  engine.Pump();
  EXPECT_NE(widget->NormalizedToValue(widget->GetNormalizedValue()), 50);
  // Its panels never got ParamIDs: their edits carry ParamID -1, which the engine refuses.
  widget->SetNormalizedValue(widget->ValueToNormalized(12));
  EXPECT_EQ(engine.Byte(4), 50);
  mainControl->SetParamValue(ParamDescriptor(4), OneByteValue::Make(12));
  EXPECT_EQ(engine.Byte(4), 12);
}

}  // namespace
}  // namespace SV
