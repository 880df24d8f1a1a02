#pragma once
#include <cstdio>
#include <string>
#include <string_view>

// A small skin of the editor's main window for tests: the device view "viewDevice" with
// the 24 parameter panels in the containers the real skin uses ("keybed",
// "modPitchWheel", "pedal1" to "pedal3", "midiUSB"), each panel of the class that its
// parameter needs, every widget opaque and apart from the others so that the pointer
// reaches it. Positions are absolute; every container wears the clear look.
namespace SV::Testing::EditorSkin {

inline constexpr int kPanelWidth = 100;
inline constexpr int kPanelHeight = 30;

// One opaque look with a text rectangle, in look lists as long as any widget needs.
inline std::string Resources() {
  std::string looks;
  for (int index = 0; index < 14; ++index)
    looks += "<Look Name=\"Solid\" Index=\"" + std::to_string(index) + "\"/>";
  return R"(<Colorizers><Colorizer Name="Grey" ColorType="SolidFill" Color="FF808080"/>
<Colorizer Name="Black" ColorType="SolidFill" Color="FF000000"/></Colorizers>
<Parts><Part Name="Face" Width="4" Height="4" ResizeType="Stretch" ColorizerName="Grey"/>
<Part Name="Ink" Width="1" Height="1" ResizeType="Stretch" ColorizerName="Black"/></Parts>
<Looks><Look Name="Solid"><ClientPart Name="Face" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/>
<TextProperties TextLeftRel="0" TextLeftAbs="0" TextRightRel="1" TextRightAbs="0" TextHAlign="0"
 TextTopRel="0" TextTopAbs="0" TextBottomRel="1" TextBottomAbs="0" TextVAlign="0" TextForegroundPart="Ink"/></Look></Looks>
<LookLists><LookList Name="Solid" NumLooks="14">)" +
         looks + "</LookList></LookLists>";
}

inline std::string Placed(std::string_view className, std::string_view name, int x, int y, int width, int height,
                          std::string_view lookList, std::string_view inside) {
  return "<SubControl Class=\"" + std::string(className) + "\" Name=\"" + std::string(name) + "\" XPositionAbs=\"" +
         std::to_string(x) + "\" YPositionAbs=\"" + std::to_string(y) + "\" XSizeAbs=\"" + std::to_string(width) +
         "\" YSizeAbs=\"" + std::to_string(height) + "\"><Skin Name=\"" + std::string(name) + "\" LookList=\"" +
         std::string(lookList) + "\"/>" + std::string(inside) + "</SubControl>";
}

// An on/off switch panel: a toggle button "parameterControl".
inline std::string TogglePanel(std::string_view name, int x, int y) {
  const std::string button = Placed("Framework.Button", "parameterControl", 0, 0, 40, 20, "Solid",
                                    "<CreateParamList><CreateParam ID=\"AUTO_VALUE_SET\" Type=\"String\">true"
                                    "</CreateParam></CreateParamList>");
  return Placed("PresetEditor.ParameterControl.ToggleButton", name, x, y, kPanelWidth, kPanelHeight, "Clear", button);
}

// A numeric panel of `className`: an up-down "parameterControl" with its text box and
// its two buttons.
inline std::string NumericPanel(std::string_view className, std::string_view name, int x, int y) {
  const std::string parts = Placed("Framework.TextBox", "textBox", 0, 0, 60, 20, "Solid", "") +
                            Placed("Framework.Button", "buttonUp", 60, 0, 20, 10, "Solid", "") +
                            Placed("Framework.Button", "buttonDown", 60, 10, 20, 10, "Solid", "");
  return Placed(className, name, x, y, kPanelWidth, kPanelHeight, "Clear",
                Placed("Framework.NumericUpDown", "parameterControl", 0, 0, 80, 20, "Solid", parts));
}

// A MIDI channel panel: a combo box "comboBox" whose list shows the 16 channels.
inline std::string ChannelPanel(std::string_view name, int x, int y) {
  const std::string list =
      R"(<SubControl Class="Framework.ListBox" Name="listBox" IsVisible="False" ClipToParent="False" Z_Order="5"
          YPositionRel="1" XSizeToControl="Parent" XSizeRel="1" YSizeAbs="80"><Skin Name="listBox" LookList="Solid"/>
        <SubControl Class="Framework.ListBoxItem" Name="templateItem" XSizeToControl="Parent" XSizeRel="1" YSizeAbs="20">
          <Skin Name="row" LookList="Solid"/></SubControl></SubControl>)";
  return Placed("PresetEditor.ParameterControl.MidiChannel", name, x, y, kPanelWidth, kPanelHeight, "Clear",
                Placed("Framework.ComboBox", "comboBox", 0, 0, 60, 20, "Solid", list));
}

// The items "1" to "16" of the channel lists.
inline std::string Strings() {
  std::string strings = "<StringTable ID=\"PresetEditor.ParameterControl.MidiChannel|comboBox\">";
  for (int index = 0; index < 16; ++index) {
    char key[16];
    std::snprintf(key, sizeof key, "ITEM.%02d", index);
    strings += std::string("<String ID=\"") + key + "\"><Locale LCID=\"9\">" + std::to_string(index + 1) +
               "</Locale></String>";
  }
  return strings + "</StringTable>";
}

inline std::string PedalBox(std::string_view name, int y) {
  return Placed("PresetEditor.Pedal", name, 0, y, 400, 40, "Clear",
                NumericPanel("PresetEditor.ParameterControl.CCValuePanel", "cc", 0, 0) +
                    TogglePanel("portA", 120, 0) + TogglePanel("portB", 240, 0));
}

// The device view of class `deviceViewClass` with every container and panel; a
// `leaveOut` name (a container or panel) is not written.
inline std::string DeviceView(std::string_view deviceViewClass, std::string_view leaveOut = {}) {
  auto keep = [&](std::string_view name, const std::string& element) {
    return name == leaveOut ? std::string() : element;
  };
  const std::string keybed = Placed(
      "PresetEditor.Keybed", "keybed", 0, 0, 500, 40, "Clear",
      keep("transposeOnOff", TogglePanel("transposeOnOff", 0, 0)) +
          keep("transposeValue", NumericPanel("PresetEditor.ParameterControl.BasicNumericControl", "transposeValue", 120, 0)) +
          keep("splitOnOff", TogglePanel("splitOnOff", 240, 0)) +
          keep("splitKeyNumber", NumericPanel("PresetEditor.ParameterControl.BasicNumericControl", "splitKeyNumber", 360, 0)));
  const std::string wheels = Placed(
      "PresetEditor.ModPitchWheel", "modPitchWheel", 0, 50, 640, 40, "Clear",
      keep("cc", NumericPanel("PresetEditor.ParameterControl.CCValuePanel", "cc", 0, 0)) +
          TogglePanel("modWheelA", 120, 0) + TogglePanel("modWheelB", 240, 0) + TogglePanel("pitchWheelA", 360, 0) +
          TogglePanel("pitchWheelB", 480, 0));
  const std::string midiUsb = Placed("PresetEditor.MidiUSB", "midiUSB", 0, 250, 760, 40, "Clear",
                                     ChannelPanel("portAMidiChannel", 0, 0) + ChannelPanel("portBMidiChannel", 120, 0) +
                                         TogglePanel("midiDinPortA", 240, 0) + TogglePanel("midiDinPortB", 360, 0) +
                                         TogglePanel("usbPortA", 480, 0) + TogglePanel("usbPortB", 600, 0));
  return Placed(deviceViewClass, "viewDevice", 0, 0, 800, 600, "Clear",
                keep("keybed", keybed) + wheels + PedalBox("pedal1", 100) + PedalBox("pedal2", 150) +
                    PedalBox("pedal3", 200) + midiUsb);
}

}  // namespace SV::Testing::EditorSkin
