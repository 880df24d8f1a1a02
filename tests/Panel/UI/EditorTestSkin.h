#pragma once
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

// A small skin of the editor's dialogs for tests: every control that must take the pointer
// wears the opaque look list "Face" (14 looks, enough for any widget's states), lists have
// rows 20 high. Texts in the string tables are the program's own where a test reads them.
namespace SV::Testing::EditorTestSkin {

inline const std::string kResources = R"(
<Colorizers><Colorizer Name="Grey" ColorType="SolidFill" Color="FF808080"/></Colorizers>
<Parts><Part Name="Face" Width="4" Height="4" ResizeType="Stretch" ColorizerName="Grey"/></Parts>
<Looks><Look Name="Face"><ClientPart Name="Face" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/></Look></Looks>
<LookLists><LookList Name="Face" NumLooks="14"><Look Name="Face" Index="0"/><Look Name="Face" Index="1"/>
  <Look Name="Face" Index="2"/><Look Name="Face" Index="3"/><Look Name="Face" Index="4"/><Look Name="Face" Index="5"/>
  <Look Name="Face" Index="6"/><Look Name="Face" Index="7"/><Look Name="Face" Index="8"/><Look Name="Face" Index="9"/>
  <Look Name="Face" Index="10"/><Look Name="Face" Index="11"/><Look Name="Face" Index="12"/>
  <Look Name="Face" Index="13"/></LookList></LookLists>)";

// A control of `className` named `name` at (x, y) of the given size, wearing "Face".
inline std::string Control(const std::string& className, const std::string& name, int x, int y, int width, int height,
                           const std::string& children = {}) {
  return "<SubControl Class=\"" + className + "\" Name=\"" + name + "\" XPositionAbs=\"" + std::to_string(x) +
         "\" YPositionAbs=\"" + std::to_string(y) + "\" XSizeAbs=\"" + std::to_string(width) + "\" YSizeAbs=\"" +
         std::to_string(height) + "\"><Skin Name=\"" + name + "\" LookList=\"Face\"/>" + children + "</SubControl>";
}

// A combo box 150 x 20 with its drop-down list.
inline std::string ComboBox(const std::string& name, int x, int y) {
  return Control("Framework.ComboBox", name, x, y, 150, 20,
                 R"(<SubControl Class="Framework.ListBox" Name="listBox" IsVisible="False" ClipToParent="False" Z_Order="5"
                      YPositionRel="1" XSizeToControl="Parent" XSizeRel="1" YSizeAbs="140"><Skin Name="listBox" LookList="Face"/>
                      <SubControl Class="Framework.ListBoxItem" Name="templateItem" XSizeToControl="Parent" XSizeRel="1"
                        YSizeAbs="20"><Skin Name="row" LookList="Face"/></SubControl></SubControl>)");
}

// A numeric up-down 80 x 20 with its text box and buttons.
inline std::string NumericUpDown(const std::string& name, int x, int y) {
  return Control("Framework.NumericUpDown", name, x, y, 80, 20,
                 Control("Framework.TextBox", "textBox", 0, 0, 60, 20) +
                     Control("Framework.Button", "buttonUp", 60, 0, 20, 10) +
                     Control("Framework.Button", "buttonDown", 60, 10, 20, 10));
}

// The "ITEM.nn" entries of `table`, one per text.
inline std::string ItemStrings(const std::string& table, const std::vector<std::string>& texts) {
  std::string strings = "<StringTable ID=\"" + table + "\">";
  for (size_t index = 0; index < texts.size(); ++index) {
    char key[32];
    std::snprintf(key, sizeof key, "ITEM.%02u", static_cast<unsigned>(index));
    strings += std::string("<String ID=\"") + key + "\"><Locale LCID=\"9\">" + texts[index] + "</Locale></String>";
  }
  return strings + "</StringTable>";
}

// One string table with the entries given as key and text.
inline std::string StringTable(const std::string& table, const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string strings = "<StringTable ID=\"" + table + "\">";
  for (const auto& [key, text] : entries)
    strings += "<String ID=\"" + key + "\"><Locale LCID=\"9\">" + text + "</Locale></String>";
  return strings + "</StringTable>";
}

inline const std::vector<std::string> kCurveItems{"Linear",          "EXP 1 (Heavier)", "EXP 2 (Heavier)",
                                                  "EXP 3 (Heavier)", "LOG 1 (Lighter)", "LOG 2 (Lighter)",
                                                  "LOG 3 (Lighter)"};

// The global settings dialog "globalSettings" with every child it needs; `leaveOut` names a
// child the skin does not have.
inline std::string GlobalSettingsDialog(const std::string& leaveOut = {}) {
  const auto unless = [&](const std::string& name, const std::string& control) {
    return name == leaveOut ? std::string() : control;
  };
  return Control("PresetEditor.GlobalSettings", "globalSettings", 0, 0, 400, 300,
                 unless("whiteKeyVelocityCurveComboBox", ComboBox("whiteKeyVelocityCurveComboBox", 10, 10)) +
                     unless("blackKeyVelocityCurveComboBox", ComboBox("blackKeyVelocityCurveComboBox", 200, 10)) +
                     Control("Framework.Label", "whiteKeyVelocitySensitivityLabel", 10, 200, 150, 20) +
                     Control("Framework.Label", "blackKeyVelocitySensitivityLabel", 200, 200, 150, 20) +
                     unless("whiteKeyVelocitySensitivityNumericUpDown",
                            NumericUpDown("whiteKeyVelocitySensitivityNumericUpDown", 10, 230)) +
                     unless("blackKeyVelocitySensitivityNumericUpDown",
                            NumericUpDown("blackKeyVelocitySensitivityNumericUpDown", 200, 230)) +
                     unless("sendGlobalSettingsButton",
                            Control("Framework.Button", "sendGlobalSettingsButton", 10, 265, 80, 25)));
}

// The About dialog "dialogAbout" with its two lines.
inline std::string AboutDialog() {
  return Control("PresetEditor.DialogAbout", "dialogAbout", 0, 0, 400, 200,
                 Control("Framework.Label", "companyLogo", 10, 10, 100, 40) +
                     Control("Framework.Label", "productLogo", 120, 10, 100, 40) +
                     Control("Framework.Label", "labelProduct", 10, 80, 380, 20) +
                     Control("Framework.Label", "labelCopyright", 10, 110, 380, 20));
}

// A parameter panel of the toggle, numeric, controller-number or channel class, without
// widgets (the device view only groups panels).
inline std::string ParameterPanel(const std::string& name, int x, int y,
                                  const std::string& className = "PresetEditor.ParameterControl.ToggleButton") {
  return Control(className, name, x, y, 30, 20);
}

// The device view "viewDevice" with every container and panel it groups; `containerWithout`
// and `childLeftOut` leave one child out of one container ("viewDevice" for the view's own
// children), and `childAsPlainPanel` makes that child a plain panel instead of a parameter panel.
struct DeviceViewShape {
  std::string containerWithout;
  std::string childLeftOut;
  bool childAsPlainPanel = false;
};

inline std::string DeviceView(const DeviceViewShape& shape = {}) {
  const auto child = [&](const std::string& container, const std::string& name, const std::string& control) {
    if (container != shape.containerWithout || name != shape.childLeftOut) return control;
    return shape.childAsPlainPanel ? Control("Framework.Panel", name, 0, 0, 30, 20) : std::string();
  };
  const auto panels = [&](const std::string& container, const std::vector<std::string>& names,
                          const std::string& ccName) {
    std::string children;
    int x = 0;
    for (const std::string& name : names) children += child(container, name, ParameterPanel(name, x += 35, 0));
    if (!ccName.empty())
      children += child(container, ccName,
                        ParameterPanel(ccName, x += 35, 0, "PresetEditor.ParameterControl.CCValuePanel"));
    return children;
  };
  const auto container = [&](const std::string& className, const std::string& name, int y, const std::string& inside) {
    return child("viewDevice", name, Control(className, name, 0, y, 400, 30, inside));
  };
  return Control(
      "PresetEditor.MainControl.DeviceView", "viewDevice", 0, 0, 600, 400,
      child("viewDevice", "keybed", Control("PresetEditor.Keybed", "keybed", 0, 0, 400, 30)) +
          container("PresetEditor.MidiUSB", "midiUSB", 40,
                    child("midiUSB", "portAMidiChannel",
                          ParameterPanel("portAMidiChannel", 0, 0, "PresetEditor.ParameterControl.MidiChannel")) +
                        child("midiUSB", "portBMidiChannel",
                              ParameterPanel("portBMidiChannel", 35, 0, "PresetEditor.ParameterControl.MidiChannel")) +
                        panels("midiUSB", {"midiDinPortA", "midiDinPortB", "usbPortA", "usbPortB"}, "")) +
          container("PresetEditor.ModPitchWheel", "modPitchWheel", 80,
                    panels("modPitchWheel", {"modWheelA", "modWheelB", "pitchWheelA", "pitchWheelB"}, "cc")) +
          container("PresetEditor.Pedal", "pedal1", 120, panels("pedal1", {"portA", "portB"}, "cc")) +
          container("PresetEditor.Pedal", "pedal2", 160, panels("pedal2", {"portA", "portB"}, "cc")) +
          container("PresetEditor.Pedal", "pedal3", 200, panels("pedal3", {"portA", "portB"}, "cc")));
}

// The application string table's texts the dialogs and commands show.
inline std::string ApplicationStrings() {
  return StringTable(
      "|PresetEditor",
      {{"LABEL_GLOBALSETTINGS_SUCCESS_MESSAGEBOX_CAPTION", "Global Settings Sent"},
       {"LABEL_GLOBALSETTINGS_SUCCESS_MESSAGEBOX_TEXT", "Global settings sucessfully sent to the device."},
       {"LABEL_GLOBALSETTINGS_FAILED_MIDI_ERROR_MESSAGEBOX_CAPTION", "Global Settings Error"},
       {"LABEL_GLOBALSETTINGS_FAILED_MIDI_ERROR_MESSAGEBOX_TEXT", "Error connecting to device."},
       {"LABEL_GET_PRESET_FAILED_MSGBOX_CAPTION", "Retrieve Preset Error"},
       {"LABEL_GET_PRESET_FAILED_MIDI_ERROR_MSGBOX_TEXT",
        "Error retrieving the preset from device. Connect controller and try again."},
       {"LABEL_GET_PRESET_FAILED_FW_COMPATIBILITY_ERROR_MSGBOX_TEXT",
        "The firmware version of your Corvex needs to be updated."},
       {"LABEL_GET_PRESET_SUCEESS_MSGBOX_CAPTION", "Retrieve Preset"},
       {"LABEL_GET_PRESET_SUCEESS_MSGBOX_TEXT", "The preset has been successfully retrieved."},
       {"LABEL_SEND_PRESET_FAILED_MSGBOX_CAPTION", "Send Preset Error"},
       {"LABEL_SEND_PRESET_FAILED_MIDI_ERROR_MSGBOX_TEXT",
        "Error connecting to device. Verify your Corvex is connected to the computer and try again."},
       {"LABEL_SEND_PRESET_FAILED_FW_COMPATIBILITY_ERROR_MSGBOX_TEXT",
        "The firmware version of the device is not compatible. "},
       {"LABEL_SEND_PRESET_SUCEESS_MSGBOX_CAPTION", "Send Success"},
       {"LABEL_SEND_PRESET_SUCEESS_MSGBOX_TEXT", "Preset has been sent successfully to the device."},
       {"LABEL_OPEN_USERGUIDE_FILE_FAILED_MSGBOX_CAPTION", "Open User Guide Failed"},
       {"LABEL_OPEN_USERGUIDE_FILE_FAILED_MSGBOX_TEXT", "The user guide failed to open."},
       {"CONTROL_PANEL_SETTINGS_FILTER_SEGMENT_1", "Corvex Editor (*."},
       {"CONTROL_PANEL_SETTINGS_FILTER_SEGMENT_2", "|All Files (*.*)|*.*"},
       {"LOAD_PRESET_DIALOG_TITLE", "Select Preset File"},
       {"SAVE_PRESET_DIALOG_TITLE", "Select Save Location"},
       {"SETTINGS_FILE_LOAD_CAPTION", "Preset File Load"},
       {"SETTINGS_FILE_LOAD_OLDER_MESSAGE", "Preset file is not compatible with this vesion of the editor"},
       {"SETTINGS_FILE_LOAD_NEWER_MESSAGE", "Preset file is not compatible with this vesion of the editor"},
       {"SETTINGS_FILE_LOAD_CORRUPT_MESSAGE", "Preset file is not compatible with this vesion of the editor"},
       {"SETTINGS_FILE_LOAD_WRONG_DEVICE_MESSAGE", "Preset file is not compatible with this vesion of the editor"},
       {"SETTINGS_FILE_TRANSLATION_FAILURE_MESSAGE",
        "Preset file is not compatible with this vesion of the editor"}});
}

// The curve items of both combo boxes and the application strings.
inline std::string DialogStrings() {
  return ApplicationStrings() +
         ItemStrings("PresetEditor.GlobalSettings|whiteKeyVelocityCurveComboBox", kCurveItems) +
         ItemStrings("PresetEditor.GlobalSettings|blackKeyVelocityCurveComboBox", kCurveItems);
}

}  // namespace SV::Testing::EditorTestSkin
