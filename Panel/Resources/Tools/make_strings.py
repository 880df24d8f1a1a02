#!/usr/bin/env python3
"""Writes Panel/Resources/StringTables.xml: every text of the editor in English and
German, from the tables below.

The reader matches a string's Locale against the user's language identifier and then
against its primary language (identifier & 0xFF): the texts carry the primary
identifiers 9 (English) and 7 (German), so English and German systems of any region
(1033, 2057, 1031, 3079 ...) find them, and the framework's own table settles on the
same language. Run it after changing a text:
    python3 Panel/Resources/Tools/make_strings.py
"""
from pathlib import Path
from xml.sax.saxutils import escape

ENGLISH, GERMAN = 9, 7

# Table ID -> list of (string ID, English, German). A German of None repeats the English.
TABLES = {}


def table(name, *entries):
    TABLES[name] = list(entries)


WRONG_FILE = ("Preset file is not compatible with this vesion of the editor",
              "Die Preset-Datei ist mit dieser Version des Editors nicht kompatibel.")

table("|PresetEditor",
      ("LABEL_OPEN_USERGUIDE_FILE_FAILED_MSGBOX_CAPTION", "Open User Guide Failed",
       "Benutzerhandbuch nicht geöffnet"),
      ("LABEL_OPEN_USERGUIDE_FILE_FAILED_MSGBOX_TEXT", "The user guide failed to open.",
       "Das Benutzerhandbuch konnte nicht geöffnet werden."),
      ("LABEL_GET_PRESET_FAILED_MSGBOX_CAPTION", "Retrieve Preset Error", "Fehler beim Abrufen des Presets"),
      ("LABEL_GET_PRESET_FAILED_MIDI_ERROR_MSGBOX_TEXT",
       "Error retrieving the preset from device. Connect controller and try again.",
       "Das Preset konnte nicht vom Gerät abgerufen werden. Schließen Sie den Controller an und versuchen "
       "Sie es erneut."),
      ("LABEL_GET_PRESET_FAILED_FW_COMPATIBILITY_ERROR_MSGBOX_TEXT",
       "The firmware version of your Corvex needs to be updated. Visit the Varkon website for the latest "
       "firmware updates.",
       "Die Firmware Ihres Corvex muss aktualisiert werden. Die neueste Firmware finden Sie auf der Website "
       "von Varkon."),
      ("LABEL_GET_PRESET_SUCEESS_MSGBOX_CAPTION", "Retrieve Preset", "Preset abrufen"),
      ("LABEL_GET_PRESET_SUCEESS_MSGBOX_TEXT", "The preset has been successfully retrieved.",
       "Das Preset wurde erfolgreich abgerufen."),
      ("LABEL_SEND_PRESET_FAILED_MSGBOX_CAPTION", "Send Preset Error", "Fehler beim Senden des Presets"),
      ("LABEL_SEND_PRESET_FAILED_MIDI_ERROR_MSGBOX_TEXT",
       "Error connecting to device. Verify your Corvex is connected to the computer and try again.",
       "Keine Verbindung zum Gerät. Prüfen Sie, ob Ihr Corvex mit dem Computer verbunden ist, und versuchen "
       "Sie es erneut."),
      ("LABEL_SEND_PRESET_FAILED_FW_COMPATIBILITY_ERROR_MSGBOX_TEXT",
       "The firmware version of the device is not compatible. ",
       "Die Firmware-Version des Geräts ist nicht kompatibel. "),
      ("LABEL_SEND_PRESET_SUCEESS_MSGBOX_CAPTION", "Send Success", "Senden erfolgreich"),
      ("LABEL_SEND_PRESET_SUCEESS_MSGBOX_TEXT", "Preset has been sent successfully to the device.",
       "Das Preset wurde erfolgreich an das Gerät gesendet."),
      ("CONTROL_PANEL_SETTINGS_FILTER_SEGMENT_1", "Corvex Editor (*.", "Corvex Editor (*."),
      ("CONTROL_PANEL_SETTINGS_FILTER_SEGMENT_2", "|All Files (*.*)|*.*", "|Alle Dateien (*.*)|*.*"),
      ("LOAD_PRESET_DIALOG_TITLE", "Select Preset File", "Preset-Datei auswählen"),
      ("SAVE_PRESET_DIALOG_TITLE", "Select Save Location", "Speicherort auswählen"),
      ("SETTINGS_FILE_LOAD_CAPTION", "Preset File Load", "Preset-Datei laden"),
      ("SETTINGS_FILE_LOAD_OLDER_MESSAGE",) + WRONG_FILE,
      ("SETTINGS_FILE_LOAD_NEWER_MESSAGE",) + WRONG_FILE,
      ("SETTINGS_FILE_LOAD_CORRUPT_MESSAGE",) + WRONG_FILE,
      ("SETTINGS_FILE_LOAD_WRONG_DEVICE_MESSAGE",) + WRONG_FILE,
      ("SETTINGS_FILE_TRANSLATION_FAILURE_MESSAGE",) + WRONG_FILE,
      ("LABEL_GLOBALSETTINGS_SUCCESS_MESSAGEBOX_CAPTION", "Global Settings Sent", "Globale Einstellungen gesendet"),
      ("LABEL_GLOBALSETTINGS_SUCCESS_MESSAGEBOX_TEXT", "Global settings sucessfully sent to the device.",
       "Die globalen Einstellungen wurden erfolgreich an das Gerät gesendet."),
      ("LABEL_GLOBALSETTINGS_FAILED_MIDI_ERROR_MESSAGEBOX_CAPTION", "Global Settings Error",
       "Fehler bei den globalen Einstellungen"),
      ("LABEL_GLOBALSETTINGS_FAILED_MIDI_ERROR_MESSAGEBOX_TEXT",
       "Error connecting to device. Verify your Corvex is plugged into the USB port and try again.",
       "Keine Verbindung zum Gerät. Prüfen Sie, ob Ihr Corvex am USB-Anschluss angeschlossen ist, und "
       "versuchen Sie es erneut."),
      ("GHK_WIN.NID_EDIT_COPY_REQ", "Ctrl+VKEY_C", None),
      ("GHK_WIN.NID_EDIT_CUT_REQ", "Ctrl+VKEY_X", None),
      ("GHK_WIN.NID_EDIT_PASTE_REQ", "Ctrl+VKEY_V", None),
      ("GHK_WIN.NID_MENU_FILE_LOAD_PRESET_FROM_FILE", "Ctrl+VKEY_O", None),
      ("GHK_WIN.NID_MENU_FILE_SAVE_PRESET_TO_FILE", "Ctrl+VKEY_S", None))

# The main control's own texts: the box shown when the controller's configuration
# cannot be read, before the program closes.
table("PresetEditor|mainControl",
      ("HARDWARE_CONFIG_ERROR_TITLE", "Hardware Configuration Error", "Fehler in der Hardwarekonfiguration"),
      ("HARDWARE_CONFIG_ERROR_MESSAGE",
       "The configuration of the connected controller could not be read. The editor will now close.",
       "Die Konfiguration des angeschlossenen Controllers konnte nicht gelesen werden. Der Editor wird jetzt "
       "beendet."))

table("PresetEditor.MainControl|mainMenu",
      ("MENU_LABEL.00", "File", "Datei"),
      ("MENU_LABEL.01", "Help", "Hilfe"),
      ("CONTEXT_MENU0.00.NID_MENU_FILE_SEND_PRESET_TO_DEVICE", "Send Preset | Send preset to the controller.",
       "Preset senden | Preset an den Controller senden."),
      ("CONTEXT_MENU0.01.NID_MENU_FILE_GET_PRESET_FROM_DEVICE", "Get Preset | Get preset from the controller",
       "Preset abrufen | Preset vom Controller abrufen"),
      ("CONTEXT_MENU0.02.-", "-", "-"),
      ("CONTEXT_MENU0.03.NID_MENU_FILE_LOAD_PRESET_FROM_FILE", "Open Preset | Open preset from disk.",
       "Preset öffnen | Preset von der Festplatte öffnen."),
      ("CONTEXT_MENU0.04.NID_MENU_FILE_SAVE_PRESET_TO_FILE", "Save Preset | Save preset to disk",
       "Preset speichern | Preset auf der Festplatte speichern"),
      ("CONTEXT_MENU0.05.-", "-", "-"),
      ("CONTEXT_MENU0.06.NID_MENU_FILE_GLOBALSETTINGS_REQ", "Global Settings | Global Settings",
       "Globale Einstellungen | Globale Einstellungen"),
      ("CONTEXT_MENU0.07.-", "-", "-"),
      ("CONTEXT_MENU0.08.NID_MENU_FILE_EXIT_REQ", "Exit|Exit Corvex Editor", "Beenden|Corvex Editor beenden"),
      ("CONTEXT_MENU1.00.NID_MENU_HELP_ABOUT_REQ", "About | About Corvex Editor",
       "Info | Info über Corvex Editor"),
      ("CONTEXT_MENU1.01.NID_MENU_HELP_OPEN_USERGUIDE_REQ", "Open User Guide | Open User Guide",
       "Benutzerhandbuch öffnen | Benutzerhandbuch öffnen"))


def labels(owner, *entries):
    for name, english, german in entries:
        table(f"{owner}|{name}", ("LABEL", english, german))


labels("PresetEditor.MainControl.DeviceView",
       ("labelModPitchWheel", "MOD/PITCH WHEEL", "MOD-/PITCHRAD"),
       ("labelSustain", "SUSTAIN", "SUSTAIN"),
       ("labelExpression1", "EXPRESSION 1", "EXPRESSION 1"),
       ("labelExpression2", "EXPRESSION 2", "EXPRESSION 2"),
       ("labelMidiUSB", "MIDI/USB", "MIDI/USB"))
labels("PresetEditor.Keybed",
       ("labelKeybed", "KEYBED", "TASTATUR"),
       ("labelTranspose", "TRANSPOSE", "TRANSPONIEREN"),
       ("labelTransposeValue", "TRANSPOSE VALUE", "TRANSPOSITIONSWERT"),
       ("labelSplit", "SPLIT", "SPLIT"),
       ("labelSplitKeyNumber", "SPLIT KEY NUMBER", "SPLIT-TASTE"))
labels("PresetEditor.ModPitchWheel",
       ("labelCC", "CC", "CC"),
       ("labelModWheelA", "MODWHEEL A", "MODRAD A"),
       ("labelModWheelB", "MODWHEEL B", "MODRAD B"),
       ("labelPitchWheelA", "PITCHWHEEL A", "PITCHRAD A"),
       ("labelPitchWheelB", "PITCHWHEEL B", "PITCHRAD B"))
labels("PresetEditor.Pedal",
       ("labelCC", "CC", "CC"),
       ("labelA", "A", "A"),
       ("labelB", "B", "B"))
labels("PresetEditor.MidiUSB",
       ("labelMidiChanA", "MIDI CHAN A", "MIDI-KANAL A"),
       ("labelMidiChanB", "MIDI CHAN B", "MIDI-KANAL B"),
       ("labelMidiPortA", "MIDI PORT A", "MIDI-PORT A"),
       ("labelMidiPortB", "MIDI PORT B", "MIDI-PORT B"),
       ("labelUsbPortA", "USB PORT A", "USB-PORT A"),
       ("labelUsbPortB", "USB PORT B", "USB-PORT B"))
labels("PresetEditor.ParameterControl.ToggleButton",
       ("parameterControl", "ON / OFF", "EIN / AUS"))
table("PresetEditor.ParameterControl.MidiChannel|comboBox",
      *[(f"ITEM.{index:02d}", str(index + 1), None) for index in range(16)])

labels("PresetEditor",
       ("globalSettings", "Global Settings", "Globale Einstellungen"),
       ("dialogAbout", "About Varkon Corvex Editor", "Über Varkon Corvex Editor"))
labels("PresetEditor.GlobalSettings",
       ("headingLabel", "GLOBAL SETTINGS", "GLOBALE EINSTELLUNGEN"),
       ("whiteKeyVelocityCurveLabel", "WHITE KEY CURVE", "KURVE WEISSE TASTEN"),
       ("blackKeyVelocityCurveLabel", "BLACK KEY CURVE", "KURVE SCHWARZE TASTEN"),
       ("whiteKeyVelocitySensitivityLabel", "WHITE KEY SENSITIVITY", "EMPFINDLICHKEIT WEISS"),
       ("blackKeyVelocitySensitivityLabel", "BLACK KEY SENSITIVITY", "EMPFINDLICHKEIT SCHWARZ"),
       ("sendGlobalSettingsButton", "SEND", "SENDEN"),
       ("recieveGlobalSettingsButton", "RECEIVE", "EMPFANGEN"),
       ("buttonClose", "CLOSE", "SCHLIESSEN"))
CURVES = [("Linear", "Linear"), ("EXP 1 (Heavier)", "EXP 1 (schwerer)"), ("EXP 2 (Heavier)", "EXP 2 (schwerer)"),
          ("EXP 3 (Heavier)", "EXP 3 (schwerer)"), ("LOG 1 (Lighter)", "LOG 1 (leichter)"),
          ("LOG 2 (Lighter)", "LOG 2 (leichter)"), ("LOG 3 (Lighter)", "LOG 3 (leichter)")]
for colour in ("white", "black"):
    items = []
    for index, (english, german) in enumerate(CURVES):
        # The white table's third curve has always carried a trailing blank.
        if colour == "white" and index == 3:
            english += " "
        items.append((f"ITEM.{index:02d}", english, german))
    table(f"PresetEditor.GlobalSettings|{colour}KeyVelocityCurveComboBox", *items)
labels("PresetEditor.DialogAbout",
       ("buttonOK", "OK", "OK"))


def document():
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<!-- Made by Panel/Resources/Tools/make_strings.py; change that script, not this file.',
           '     Languages: 9 English, 7 German (any region: the reader falls back to the primary language). -->',
           '<Selvane_StringTable_Definitions>']
    for name, entries in TABLES.items():
        out.append(f'  <StringTable ID="{escape(name)}">')
        for entry in entries:
            string_id, english, german = entry
            german = english if german is None else german
            out.append(f'    <String ID="{escape(string_id)}">')
            out.append(f'      <Locale LCID="{ENGLISH}">{escape(english)}</Locale>')
            out.append(f'      <Locale LCID="{GERMAN}">{escape(german)}</Locale>')
            out.append('    </String>')
        out.append('  </StringTable>')
    out.append('</Selvane_StringTable_Definitions>')
    return "\n".join(out) + "\n"


if __name__ == "__main__":
    target = Path(__file__).resolve().parent.parent / "StringTables.xml"
    target.write_text(document(), encoding="utf-8")
