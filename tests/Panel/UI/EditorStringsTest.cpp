#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/System/HotKeyMap.h"
#include "SVFramework/System/Keys/KeyCode.h"
#include "tests/Panel/UI/EditorSkinFixture.h"
#include "tests/Support/TextConversions.h"

namespace SV {
namespace {

using Testing::EditorDocuments;

using Testing::Utf8;

struct Key {
  const char16_t* table;
  const char16_t* key;
  const char* english;  // the text as the editor shows it; null: any text
};

constexpr const char16_t* kApp = u"|PresetEditor";
constexpr const char* kWrongFile = "Preset file is not compatible with this vesion of the editor";

// Every key the editor's code and its skins read, with the English text where the
// editor's behaviour names it.
const std::vector<Key>& EditorKeys() {
  static const std::vector<Key> keys = {
      {kApp, u"LABEL_OPEN_USERGUIDE_FILE_FAILED_MSGBOX_CAPTION", "Open User Guide Failed"},
      {kApp, u"LABEL_OPEN_USERGUIDE_FILE_FAILED_MSGBOX_TEXT", "The user guide failed to open."},
      {kApp, u"LABEL_GET_PRESET_FAILED_MSGBOX_CAPTION", "Retrieve Preset Error"},
      {kApp, u"LABEL_GET_PRESET_FAILED_MIDI_ERROR_MSGBOX_TEXT",
       "Error retrieving the preset from device. Connect controller and try again."},
      {kApp, u"LABEL_GET_PRESET_FAILED_FW_COMPATIBILITY_ERROR_MSGBOX_TEXT", nullptr},
      {kApp, u"LABEL_GET_PRESET_SUCEESS_MSGBOX_CAPTION", "Retrieve Preset"},
      {kApp, u"LABEL_GET_PRESET_SUCEESS_MSGBOX_TEXT", "The preset has been successfully retrieved."},
      {kApp, u"LABEL_SEND_PRESET_FAILED_MSGBOX_CAPTION", "Send Preset Error"},
      {kApp, u"LABEL_SEND_PRESET_FAILED_MIDI_ERROR_MSGBOX_TEXT",
       "Error connecting to device. Verify your Corvex is connected to the computer and try again."},
      {kApp, u"LABEL_SEND_PRESET_FAILED_FW_COMPATIBILITY_ERROR_MSGBOX_TEXT",
       "The firmware version of the device is not compatible. "},
      {kApp, u"LABEL_SEND_PRESET_SUCEESS_MSGBOX_CAPTION", "Send Success"},
      {kApp, u"LABEL_SEND_PRESET_SUCEESS_MSGBOX_TEXT", "Preset has been sent successfully to the device."},
      {kApp, u"CONTROL_PANEL_SETTINGS_FILTER_SEGMENT_1", "Corvex Editor (*."},
      {kApp, u"CONTROL_PANEL_SETTINGS_FILTER_SEGMENT_2", "|All Files (*.*)|*.*"},
      {kApp, u"LOAD_PRESET_DIALOG_TITLE", "Select Preset File"},
      {kApp, u"SAVE_PRESET_DIALOG_TITLE", "Select Save Location"},
      {kApp, u"SETTINGS_FILE_LOAD_CAPTION", "Preset File Load"},
      {kApp, u"SETTINGS_FILE_LOAD_OLDER_MESSAGE", kWrongFile},
      {kApp, u"SETTINGS_FILE_LOAD_NEWER_MESSAGE", kWrongFile},
      {kApp, u"SETTINGS_FILE_LOAD_CORRUPT_MESSAGE", kWrongFile},
      {kApp, u"SETTINGS_FILE_LOAD_WRONG_DEVICE_MESSAGE", kWrongFile},
      {kApp, u"SETTINGS_FILE_TRANSLATION_FAILURE_MESSAGE", kWrongFile},
      {kApp, u"LABEL_GLOBALSETTINGS_SUCCESS_MESSAGEBOX_CAPTION", "Global Settings Sent"},
      {kApp, u"LABEL_GLOBALSETTINGS_SUCCESS_MESSAGEBOX_TEXT", "Global settings sucessfully sent to the device."},
      {kApp, u"LABEL_GLOBALSETTINGS_FAILED_MIDI_ERROR_MESSAGEBOX_CAPTION", "Global Settings Error"},
      {kApp, u"LABEL_GLOBALSETTINGS_FAILED_MIDI_ERROR_MESSAGEBOX_TEXT", nullptr},
      {u"PresetEditor|mainControl", u"HARDWARE_CONFIG_ERROR_TITLE", nullptr},
      {u"PresetEditor|mainControl", u"HARDWARE_CONFIG_ERROR_MESSAGE", nullptr},
      {u"PresetEditor.MainControl|mainMenu", u"MENU_LABEL.00", "File"},
      {u"PresetEditor.MainControl|mainMenu", u"MENU_LABEL.01", "Help"},
      {u"PresetEditor|dialogAbout", u"LABEL", "About Varkon Corvex Editor"},
      {u"PresetEditor|globalSettings", u"LABEL", "Global Settings"},
      {u"PresetEditor.GlobalSettings|headingLabel", u"LABEL", "GLOBAL SETTINGS"},
      {u"PresetEditor.GlobalSettings|whiteKeyVelocityCurveLabel", u"LABEL", "WHITE KEY CURVE"},
      {u"PresetEditor.GlobalSettings|blackKeyVelocityCurveLabel", u"LABEL", "BLACK KEY CURVE"},
      {u"PresetEditor.GlobalSettings|whiteKeyVelocitySensitivityLabel", u"LABEL", "WHITE KEY SENSITIVITY"},
      {u"PresetEditor.GlobalSettings|blackKeyVelocitySensitivityLabel", u"LABEL", "BLACK KEY SENSITIVITY"},
      {u"PresetEditor.GlobalSettings|sendGlobalSettingsButton", u"LABEL", "SEND"},
      {u"PresetEditor.GlobalSettings|recieveGlobalSettingsButton", u"LABEL", "RECEIVE"},
      {u"PresetEditor.GlobalSettings|whiteKeyVelocityCurveComboBox", u"ITEM.00", "Linear"},
      {u"PresetEditor.GlobalSettings|whiteKeyVelocityCurveComboBox", u"ITEM.01", "EXP 1 (Heavier)"},
      {u"PresetEditor.GlobalSettings|whiteKeyVelocityCurveComboBox", u"ITEM.03", "EXP 3 (Heavier) "},
      {u"PresetEditor.GlobalSettings|whiteKeyVelocityCurveComboBox", u"ITEM.06", "LOG 3 (Lighter)"},
      {u"PresetEditor.GlobalSettings|blackKeyVelocityCurveComboBox", u"ITEM.03", "EXP 3 (Heavier)"},
      {u"PresetEditor.GlobalSettings|blackKeyVelocityCurveComboBox", u"ITEM.04", "LOG 1 (Lighter)"},
      {u"PresetEditor.ParameterControl.ToggleButton|parameterControl", u"LABEL", "ON / OFF"},
      {u"PresetEditor.ParameterControl.MidiChannel|comboBox", u"ITEM.00", "1"},
      {u"PresetEditor.ParameterControl.MidiChannel|comboBox", u"ITEM.15", "16"},
      {u"PresetEditor.Keybed|labelTranspose", u"LABEL", "TRANSPOSE"},
      {u"PresetEditor.Keybed|labelTransposeValue", u"LABEL", "TRANSPOSE VALUE"},
      {u"PresetEditor.Keybed|labelSplit", u"LABEL", "SPLIT"},
      {u"PresetEditor.Keybed|labelSplitKeyNumber", u"LABEL", "SPLIT KEY NUMBER"},
      {u"PresetEditor.MainControl.DeviceView|labelModPitchWheel", u"LABEL", "MOD/PITCH WHEEL"},
      {u"PresetEditor.MainControl.DeviceView|labelSustain", u"LABEL", "SUSTAIN"},
      {u"PresetEditor.MainControl.DeviceView|labelExpression1", u"LABEL", "EXPRESSION 1"},
      {u"PresetEditor.MainControl.DeviceView|labelExpression2", u"LABEL", "EXPRESSION 2"},
      {u"PresetEditor.MainControl.DeviceView|labelMidiUSB", u"LABEL", "MIDI/USB"},
      {u"PresetEditor.ModPitchWheel|labelCC", u"LABEL", "CC"},
      {u"PresetEditor.ModPitchWheel|labelModWheelA", u"LABEL", "MODWHEEL A"},
      {u"PresetEditor.ModPitchWheel|labelPitchWheelB", u"LABEL", "PITCHWHEEL B"},
      {u"PresetEditor.Pedal|labelCC", u"LABEL", "CC"},
      {u"PresetEditor.Pedal|labelA", u"LABEL", "A"},
      {u"PresetEditor.Pedal|labelB", u"LABEL", "B"},
      {u"PresetEditor.MidiUSB|labelMidiChanA", u"LABEL", "MIDI CHAN A"},
      {u"PresetEditor.MidiUSB|labelMidiPortB", u"LABEL", "MIDI PORT B"},
      {u"PresetEditor.MidiUSB|labelUsbPortA", u"LABEL", "USB PORT A"},
  };
  return keys;
}

// English and German systems of any region read the editor's texts in their language.
struct LanguageCase {
  int32_t language;
  bool german;
};

class EditorStringLanguages : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(EditorStringLanguages, EveryKeyTheEditorUsesHasItsTextInTheSystemsLanguage) {
  const EditorDocuments documents(GetParam().language);
  const EditorDocuments english(1033);
  ASSERT_GE(documents.loadResult, 0);
  int translated = 0;
  for (const Key& key : EditorKeys()) {
    const std::string where = Utf8(String(key.table)) + " " + Utf8(String(key.key));
    ASSERT_TRUE(documents.Has(key.table, key.key)) << where;
    const String text = documents.Text(key.table, key.key);
    EXPECT_FALSE(text.IsEmpty()) << where;
    if (!GetParam().german && key.english) {
      EXPECT_EQ(Utf8(text), key.english) << where;
    }
    if (GetParam().german && !(text == english.Text(key.table, key.key))) ++translated;
  }
  if (GetParam().german) {
    EXPECT_GT(translated, 40);
  }
  // The framework's own table settles on the same language.
  String cut;
  const RCPtr<LStringTable> framework = documents.factory->GetFrameworkStringTable();
  ASSERT_TRUE(framework && framework->GetString(u"EDIT_CUT", cut));
  EXPECT_EQ(Utf8(cut), GetParam().german ? "Ausschneiden" : "Cut");
}

INSTANTIATE_TEST_SUITE_P(EnglishAndGerman, EditorStringLanguages,
                         ::testing::Values(LanguageCase{1033, false}, LanguageCase{2057, false},
                                           LanguageCase{9, false}, LanguageCase{1036, false},
                                           LanguageCase{1031, true}, LanguageCase{3079, true},
                                           LanguageCase{7, true}));

TEST(EditorStrings, TheApplicationTableBindsTheEditorsFiveHotKeys) {
  const EditorDocuments documents;
  const RCPtr<LStringTable> table = documents.factory->GetApplicationStringTable();
  ASSERT_TRUE(table);
  HotKeyMap keys;
  ASSERT_GE(keys.LoadFromStringTable(table.Get(), u"GHK_WIN"), 0);
  const struct {
    const char16_t* key;
    const char* command;
  } bindings[] = {{u"Ctrl+VKEY_C", "NID_EDIT_COPY_REQ"},
                  {u"Ctrl+VKEY_X", "NID_EDIT_CUT_REQ"},
                  {u"Ctrl+VKEY_V", "NID_EDIT_PASTE_REQ"},
                  {u"Ctrl+VKEY_O", "NID_MENU_FILE_LOAD_PRESET_FROM_FILE"},
                  {u"Ctrl+VKEY_S", "NID_MENU_FILE_SAVE_PRESET_TO_FILE"}};
  for (const auto& binding : bindings) {
    EXPECT_EQ(Utf8(keys.FindCommand(KeyCode::Parse(binding.key))), binding.command);
  }
}

}  // namespace
}  // namespace SV
