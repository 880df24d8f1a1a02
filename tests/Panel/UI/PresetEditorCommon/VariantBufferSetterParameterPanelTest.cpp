#include <gtest/gtest.h>

#include <array>
#include <string>

#include "SVFramework/Controls/Button.h"
#include "SVFramework/Controls/ComboBox.h"
#include "SVFramework/Controls/TextBox.h"
#include "tests/Panel/UI/EditorFixture.h"

namespace SV {
namespace {

using Testing::EditorFixture;

Variant BufferOf(std::initializer_list<uint8_t> bytes) {
  const std::vector<uint8_t> buffer(bytes);
  Variant value;
  value.SetBuffer(buffer.data(), static_cast<uint32_t>(buffer.size()));
  return value;
}

class VariantBufferSetterParameterPanelTest : public EditorFixture {
protected:
  RCPtr<LControl> WidgetOf(const RCPtr<LVariantBufferSetterParameterPanel>& panel) {
    return panel->FindChild(u"parameterControl");
  }
  void SetWidget(const RCPtr<LVariantBufferSetterParameterPanel>& panel, double value) {
    const RCPtr<LControl> widget = WidgetOf(panel);
    widget->SetNormalizedValue(widget->ValueToNormalized(value));
  }
  RCPtr<LComboBox> ComboOf(const RCPtr<LVariantBufferSetterParameterPanel>& panel) {
    return RCPtr<LComboBox>(dynamic_cast<LComboBox*>(panel->FindChild(u"comboBox").Get()));
  }
};

TEST_F(VariantBufferSetterParameterPanelTest, WithOffsetFortyTheWidgetsRangeMapsOntoBytesOneToEightyEight) {
  const RCPtr<LVariantBufferSetterParameterPanel> transpose = Panel({u"keybed", u"transposeValue"});
  struct Case {
    double shown;
    int32_t stored;
  };
  for (const Case& c : {Case{-39, 1}, Case{48, 88}, Case{0, 40}, Case{-1, 39}, Case{7, 47}}) {
    SetWidget(transpose, c.shown);
    EXPECT_EQ(engine.Byte(1), c.stored) << "shown " << c.shown;
  }
  EXPECT_EQ(transpose->SetValue(OneByteValue::Make(40)), S_OK);
  EXPECT_EQ(Shown(transpose), 0);
}

TEST_F(VariantBufferSetterParameterPanelTest, AToggleShowsByteZeroAsOffAndOneAsOnAndReportsZeroOrOne) {
  const RCPtr<LVariantBufferSetterParameterPanel> toggle = Panel({u"keybed", u"splitOnOff"});
  const RCPtr<LButton> button(dynamic_cast<LButton*>(WidgetOf(toggle).Get()));
  ASSERT_TRUE(button);
  toggle->SetValue(OneByteValue::Make(1));
  EXPECT_GE(button->GetNormalizedValue(), 0.5);
  toggle->SetValue(OneByteValue::Make(0));
  EXPECT_LT(button->GetNormalizedValue(), 0.5);
  harness.Click(harness.At(WidgetOf(toggle)));
  EXPECT_EQ(engine.Byte(2), 1);
  harness.Click(harness.At(WidgetOf(toggle)));
  EXPECT_EQ(engine.Byte(2), 0);
}

TEST_F(VariantBufferSetterParameterPanelTest, AChannelListStoresTheSelectedIndexAndShowsTheByteAsItsItem) {
  const RCPtr<LVariantBufferSetterParameterPanel> channel = Panel({u"midiUSB", u"portAMidiChannel"});
  const RCPtr<LComboBox> combo = ComboOf(channel);
  ASSERT_TRUE(combo);
  combo->SetSelectedIndex(15);
  EXPECT_EQ(engine.Byte(8), 15);
  EXPECT_EQ(combo->GetText(), String(u"16"));
  combo->SetSelectedIndex(0);
  EXPECT_EQ(engine.Byte(8), 0);
  EXPECT_EQ(combo->GetText(), String(u"1"));
  channel->SetValue(OneByteValue::Make(4));
  EXPECT_EQ(combo->GetSelectedIndex(), 4);
}

TEST_F(VariantBufferSetterParameterPanelTest, ANumericFieldTakesAtMostThreeCharacters) {
  const RCPtr<LControl> widget = WidgetOf(Panel({u"pedal1", u"cc"}));
  const RCPtr<LTextBox> box(dynamic_cast<LTextBox*>(widget->FindChild(u"textBox").Get()));
  ASSERT_TRUE(box);
  harness.Click(harness.At(RCPtr<LControl>(box)));
  harness.Key(0x23);  // End
  for (int i = 0; i < 4; ++i) harness.Key(0x08);
  harness.Type(u"1234");
  EXPECT_EQ(box->GetText(), String(u"123"));
  harness.Key(0x0D);
  EXPECT_EQ(engine.Byte(5), 123);
}

TEST_F(VariantBufferSetterParameterPanelTest, AByteAboveOneHundredTwentySevenReadsNegativeAndIsClampedToTheBottom) {
  const RCPtr<LVariantBufferSetterParameterPanel> split = Panel({u"keybed", u"splitKeyNumber"});
  const RCPtr<LVariantBufferSetterParameterPanel> transpose = Panel({u"keybed", u"transposeValue"});
  SetWidget(split, 30);
  SetWidget(transpose, 10);
  EXPECT_EQ(split->SetValue(OneByteValue::Make(200)), S_OK);
  EXPECT_EQ(transpose->SetValue(OneByteValue::Make(200)), S_OK);
  EXPECT_EQ(Shown(split), 0);
  EXPECT_EQ(Shown(transpose), -39);
}

TEST_F(VariantBufferSetterParameterPanelTest, AValueOfAnotherSizeChangesNothing) {
  const RCPtr<LVariantBufferSetterParameterPanel> cc = Panel({u"pedal2", u"cc"});
  const RCPtr<LVariantBufferSetterParameterPanel> channel = Panel({u"midiUSB", u"portBMidiChannel"});
  for (const Variant& value : {Variant(), BufferOf({5, 6}), BufferOf({1, 2, 3}), BufferOf({})}) {
    EXPECT_EQ(cc->SetValue(value), E_FAIL);
    EXPECT_EQ(channel->SetValue(value), E_FAIL);
  }
  EXPECT_EQ(Shown(cc), 11);
  EXPECT_EQ(ComboOf(channel)->GetSelectedIndex(), 1);
}

TEST_F(VariantBufferSetterParameterPanelTest, TwoByteFormSplitsAValueIntoSevenBitHalvesAndBack) {
  const RCPtr<LVariantBufferSetterParameterPanel> panel = Panel({u"pedal3", u"cc"});
  struct Case {
    int16_t value;
    std::array<int8_t, 2> bytes;
  };
  for (const Case& c : {Case{300, {2, 44}}, Case{0, {0, 0}}, Case{127, {0, 127}}, Case{128, {1, 0}},
                        Case{-300, {-2, -44}}}) {
    std::array<int8_t, 2> bytes{};
    panel->EncodeTwoBytes(bytes, c.value);
    EXPECT_EQ(bytes, c.bytes) << c.value;
    EXPECT_EQ(panel->DecodeTwoBytes(c.bytes[0], c.bytes[1]), c.value) << c.value;
  }
}

TEST_F(VariantBufferSetterParameterPanelTest, InTwoByteModeOnlyTwoByteValuesAreShownAndWithoutTheOffset) {
  const RCPtr<LVariantBufferSetterParameterPanel> transpose = Panel({u"keybed", u"transposeValue"});
  transpose->SetTwoByteMode(true);
  EXPECT_EQ(transpose->SetValue(OneByteValue::Make(50)), E_FAIL);
  EXPECT_EQ(Shown(transpose), 0);
  EXPECT_EQ(transpose->SetValue(BufferOf({0, 20})), S_OK);
  EXPECT_EQ(Shown(transpose), 20);
}

TEST_F(VariantBufferSetterParameterPanelTest, APanelWithoutItsParameterSendsParamIDMinusOneWhichTheEngineRefuses) {
  const RCPtr<LVariantBufferSetterParameterPanel> cc = Panel({u"modPitchWheel", u"cc"});
  cc->SetParameter(ParamDescriptor(-1));
  SetWidget(cc, 77);
  EXPECT_EQ(engine.Byte(4), 1);
  cc->SetParameter(ParamDescriptor(4));
  SetWidget(cc, 78);
  EXPECT_EQ(engine.Byte(4), 78);
}

// A panel outside the main control's tree: its top-level control is a plain window.
TEST(VariantBufferSetterParameterPanelOutsideTest, APanelWhoseTopControlIsNotTheMainControlSendsNothing) {
  Testing::EditorEngine engine;
  Testing::WidgetHarness harness;
  LApplication::RegisterEditorControls(*harness.factory);
  harness.Build(Testing::EditorSkin::NumericPanel("PresetEditor.ParameterControl.CCValuePanel", "cc", 0, 0),
                Testing::EditorSkin::Resources());
  const RCPtr<LVariantBufferSetterParameterPanel> cc = harness.Find<LVariantBufferSetterParameterPanel>(u"cc");
  ASSERT_TRUE(cc);
  cc->SetParameter(ParamDescriptor(4));
  const RCPtr<LControl> widget = cc->FindChild(u"parameterControl");
  widget->SetNormalizedValue(widget->ValueToNormalized(90));
  EXPECT_EQ(engine.Byte(4), 1);
  harness.root->Detach();
}

}  // namespace
}  // namespace SV
