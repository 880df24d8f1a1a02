#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "SVFramework/Controls/Button.h"
#include "SVFramework/Controls/ComboBox.h"
#include "SVFramework/Controls/NumericUpDown.h"
#include "tests/Panel/UI/EditorFixture.h"

namespace SV {
namespace {

enum class Widget { Toggle, Numeric, Channel };

// One parameter of the preset as the main window shows it.
struct ParameterRow {
  int32_t paramID;
  std::vector<const char16_t*> path;  // below the device view
  Widget widget;
  int32_t defaultByte;
  double displayOffset;
};

// Every parameter, in ParamID order: the keybed, the controller numbers, zone 1, zone 2.
const std::vector<ParameterRow> kParameters = {
    {0, {u"keybed", u"transposeOnOff"}, Widget::Toggle, 0, 0},
    {1, {u"keybed", u"transposeValue"}, Widget::Numeric, 40, 40},
    {2, {u"keybed", u"splitOnOff"}, Widget::Toggle, 0, 0},
    {3, {u"keybed", u"splitKeyNumber"}, Widget::Numeric, 59, 0},
    {4, {u"modPitchWheel", u"cc"}, Widget::Numeric, 1, 0},
    {5, {u"pedal1", u"cc"}, Widget::Numeric, 64, 0},
    {6, {u"pedal2", u"cc"}, Widget::Numeric, 11, 0},
    {7, {u"pedal3", u"cc"}, Widget::Numeric, 65, 0},
    {8, {u"midiUSB", u"portAMidiChannel"}, Widget::Channel, 0, 0},
    {9, {u"modPitchWheel", u"pitchWheelA"}, Widget::Toggle, 1, 0},
    {10, {u"modPitchWheel", u"modWheelA"}, Widget::Toggle, 1, 0},
    {11, {u"pedal1", u"portA"}, Widget::Toggle, 1, 0},
    {12, {u"pedal2", u"portA"}, Widget::Toggle, 1, 0},
    {13, {u"pedal3", u"portA"}, Widget::Toggle, 1, 0},
    {14, {u"midiUSB", u"midiDinPortA"}, Widget::Toggle, 1, 0},
    {15, {u"midiUSB", u"usbPortA"}, Widget::Toggle, 1, 0},
    {16, {u"midiUSB", u"portBMidiChannel"}, Widget::Channel, 1, 0},
    {17, {u"modPitchWheel", u"pitchWheelB"}, Widget::Toggle, 1, 0},
    {18, {u"modPitchWheel", u"modWheelB"}, Widget::Toggle, 1, 0},
    {19, {u"pedal1", u"portB"}, Widget::Toggle, 1, 0},
    {20, {u"pedal2", u"portB"}, Widget::Toggle, 1, 0},
    {21, {u"pedal3", u"portB"}, Widget::Toggle, 1, 0},
    {22, {u"midiUSB", u"midiDinPortB"}, Widget::Toggle, 1, 0},
    {23, {u"midiUSB", u"usbPortB"}, Widget::Toggle, 1, 0},
};

std::string Describe(const ParameterRow& row) {
  std::string path;
  for (const char16_t* name : row.path) path += "/" + std::string(String(name).ToUTF8().GetString());
  return "ParamID " + std::to_string(row.paramID) + " at " + path;
}

class ParameterBridgesTest : public Testing::EditorFixture {
protected:
  RCPtr<LVariantBufferSetterParameterPanel> PanelOf(const ParameterRow& row) {
    RCPtr<LControl> control = harness.Find(u"viewDevice");
    for (const char16_t* name : row.path) control = control ? control->FindChild(name) : RCPtr<LControl>();
    return RCPtr<LVariantBufferSetterParameterPanel>(dynamic_cast<LVariantBufferSetterParameterPanel*>(control.Get()));
  }
  RCPtr<LComboBox> ComboOf(const RCPtr<LVariantBufferSetterParameterPanel>& panel) {
    return RCPtr<LComboBox>(dynamic_cast<LComboBox*>(panel->FindChild(u"comboBox").Get()));
  }
  RCPtr<LControl> WidgetOf(const RCPtr<LVariantBufferSetterParameterPanel>& panel) {
    return panel->FindChild(u"parameterControl");
  }
  // What the panel shows, as the byte it stands for.
  int32_t ShownByte(const ParameterRow& row) {
    const RCPtr<LVariantBufferSetterParameterPanel> panel = PanelOf(row);
    if (row.widget == Widget::Channel) return ComboOf(panel)->GetSelectedIndex();
    return static_cast<int32_t>(Shown(panel) + row.displayOffset);
  }
  // The user's edit of the panel, through its widget as the user makes it; the byte the
  // edit must store.
  int32_t Edit(const ParameterRow& row) {
    const RCPtr<LVariantBufferSetterParameterPanel> panel = PanelOf(row);
    switch (row.widget) {
      case Widget::Toggle:
        harness.Click(harness.At(WidgetOf(panel)));
        return 1 - row.defaultByte;
      case Widget::Numeric:
        harness.Click(harness.At(WidgetOf(panel)->FindChild(u"buttonUp")));
        return row.defaultByte + 1;
      case Widget::Channel:
        ComboOf(panel)->SetSelectedIndex(row.defaultByte + 3);
        return row.defaultByte + 3;
    }
    return -1;
  }
};

TEST_F(ParameterBridgesTest, EveryPanelShowsTheEnginesStartingValueOfItsParameter) {
  for (const ParameterRow& row : kParameters) {
    ASSERT_TRUE(PanelOf(row)) << Describe(row);
    EXPECT_EQ(PanelOf(row)->GetParameter().paramID, row.paramID) << Describe(row);
    EXPECT_EQ(ShownByte(row), row.defaultByte) << Describe(row);
  }
}

TEST_F(ParameterBridgesTest, EveryEditOfEachControlReachesTheEngineUnderItsParamIDAndNoOther) {
  for (const ParameterRow& row : kParameters) {
    const int32_t expected = Edit(row);
    engine.Pump();
    EXPECT_EQ(engine.Byte(row.paramID), expected) << Describe(row);
    for (const ParameterRow& other : kParameters) {
      if (other.paramID == row.paramID) continue;
      EXPECT_EQ(engine.Byte(other.paramID), other.defaultByte) << Describe(row) << " also changed " << Describe(other);
    }
    // Put it back, so that the next row starts from the defaults everywhere else.
    engine.SetByte(row.paramID, static_cast<uint8_t>(row.defaultByte));
    engine.Pump();
    EXPECT_EQ(ShownByte(row), row.defaultByte) << Describe(row);
  }
}

TEST_F(ParameterBridgesTest, EveryValueTheEngineAnnouncesReachesTheControlOfItsParameter) {
  for (const ParameterRow& row : kParameters) {
    const uint8_t byte = row.widget == Widget::Toggle ? static_cast<uint8_t>(1 - row.defaultByte)
                                                      : static_cast<uint8_t>(row.defaultByte + 5);
    engine.SetByte(row.paramID, byte);
    engine.Pump();
    EXPECT_EQ(ShownByte(row), byte) << Describe(row);
    EXPECT_EQ(engine.Byte(row.paramID), byte) << Describe(row) << ": the shown value was sent back changed";
  }
}

TEST_F(ParameterBridgesTest, TheTransposeByteFortyShowsZeroAndTheEndsOfItsRangeAreStoredAsOneAndEightyEight) {
  const RCPtr<LVariantBufferSetterParameterPanel> transpose = Panel({u"keybed", u"transposeValue"});
  EXPECT_EQ(Shown(transpose), 0);
  const RCPtr<LControl> widget = transpose->FindChild(u"parameterControl");
  widget->SetNormalizedValue(0);
  engine.Pump();
  EXPECT_EQ(engine.Byte(1), 1);
  widget->SetNormalizedValue(1);
  engine.Pump();
  EXPECT_EQ(engine.Byte(1), 88);
  EXPECT_EQ(widget->NormalizedToValue(1), 48);
}

TEST_F(ParameterBridgesTest, TheSplitKeyShowsItsByteUnchangedFromZeroToEightyEight) {
  const RCPtr<LVariantBufferSetterParameterPanel> split = Panel({u"keybed", u"splitKeyNumber"});
  for (const uint8_t byte : {0, 1, 44, 88}) {
    engine.SetByte(3, byte);
    engine.Pump();
    EXPECT_EQ(Shown(split), byte);
  }
}

TEST_F(ParameterBridgesTest, ZoneTwosChannelItemTwoSendsByteOneToParamIDSixteen) {
  engine.SetByte(16, 7);
  engine.Pump();
  const RCPtr<LComboBox> combo = ComboOf(Panel({u"midiUSB", u"portBMidiChannel"}));
  ASSERT_EQ(combo->GetSelectedIndex(), 7);
  combo->SetSelectedIndex(1);
  engine.Pump();
  EXPECT_EQ(engine.Byte(16), 1);
  EXPECT_EQ(engine.Byte(8), 0);
}

TEST_F(ParameterBridgesTest, AZonesPitchWheelSwitchIsTheFirstParamIDAfterItsChannelAndTheModWheelTheSecond) {
  EXPECT_EQ(Panel({u"modPitchWheel", u"pitchWheelA"})->GetParameter().paramID, 9);
  EXPECT_EQ(Panel({u"modPitchWheel", u"modWheelA"})->GetParameter().paramID, 10);
  EXPECT_EQ(Panel({u"modPitchWheel", u"pitchWheelB"})->GetParameter().paramID, 17);
  EXPECT_EQ(Panel({u"modPitchWheel", u"modWheelB"})->GetParameter().paramID, 18);
}

TEST_F(ParameterBridgesTest, EverySwitchOfAZoneIsNarrowedToOffAndOn) {
  for (const ParameterRow& row : kParameters) {
    if (row.widget != Widget::Toggle) continue;
    const RCPtr<LControl> widget = WidgetOf(PanelOf(row));
    EXPECT_EQ(widget->NormalizedToValue(0), 0) << Describe(row);
    EXPECT_EQ(widget->NormalizedToValue(1), 1) << Describe(row);
  }
}

TEST_F(ParameterBridgesTest, AValueRoutedOutsideABridgesParametersIsALogicError) {
  const RCPtr<IDevice> device = mainControl->GetDevice();
  ASSERT_TRUE(device);
  const Variant byte = OneByteValue::Make(1);
  EXPECT_THROW(device->GetKeybed()->SetParamValueLocal(ParamDescriptor(4), byte, true), std::logic_error);
  EXPECT_THROW(device->GetCCValues()->SetParamValueLocal(ParamDescriptor(3), byte, true), std::logic_error);
  EXPECT_THROW(device->GetMidiChannels(1)->SetParamValueLocal(ParamDescriptor(24), byte, true), std::logic_error);
  EXPECT_THROW(device->GetMidiChannels(0)->SetParamValueLocal(ParamDescriptor(-1), byte, true), std::logic_error);
}

class KeybedWithoutAPanelTest : public Testing::EditorFixture {
protected:
  void SetUp() override { Build("splitOnOff"); }
};

TEST_F(KeybedWithoutAPanelTest, AMissingKeybedPanelLeavesOnlyItsParameterWithoutAControl) {
  engine.SetByte(2, 1);
  engine.SetByte(3, 70);
  engine.Pump();
  EXPECT_EQ(Shown(Panel({u"keybed", u"splitKeyNumber"})), 70);
  EXPECT_EQ(engine.Byte(2), 1);
}

}  // namespace
}  // namespace SV
