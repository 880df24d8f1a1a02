#include "Panel/UI/PresetTransferActions.h"

#include "Panel/UI/DriverCommon/AppString.h"
#include "Panel/UI/MidiManagerSource.h"
#include "SVFramework/Application/AppMessageBox.h"
#include "SVFramework/Application/FrameworkApp.h"

namespace SV {

namespace {

struct OutcomeTexts {
  const char16_t* failureCaption;
  const char16_t* midiErrorText;
  const char16_t* firmwareText;
  const char16_t* successCaption;
  const char16_t* successText;
};

constexpr OutcomeTexts kGetTexts{
    u"LABEL_GET_PRESET_FAILED_MSGBOX_CAPTION", u"LABEL_GET_PRESET_FAILED_MIDI_ERROR_MSGBOX_TEXT",
    u"LABEL_GET_PRESET_FAILED_FW_COMPATIBILITY_ERROR_MSGBOX_TEXT", u"LABEL_GET_PRESET_SUCEESS_MSGBOX_CAPTION",
    u"LABEL_GET_PRESET_SUCEESS_MSGBOX_TEXT"};

constexpr OutcomeTexts kSendTexts{
    u"LABEL_SEND_PRESET_FAILED_MSGBOX_CAPTION", u"LABEL_SEND_PRESET_FAILED_MIDI_ERROR_MSGBOX_TEXT",
    u"LABEL_SEND_PRESET_FAILED_FW_COMPATIBILITY_ERROR_MSGBOX_TEXT", u"LABEL_SEND_PRESET_SUCEESS_MSGBOX_CAPTION",
    u"LABEL_SEND_PRESET_SUCEESS_MSGBOX_TEXT"};

void ShowOutcome(const OutcomeTexts& texts, SVRESULT result) {
  const char16_t* caption = texts.successCaption;
  const char16_t* text = texts.successText;
  if (result == kPresetFirmwareIncompatible) {
    caption = texts.failureCaption;
    text = texts.firmwareText;
  } else if (result < 0) {
    // Every failure the protocol has no text of its own for is a MIDI error, never a success.
    caption = texts.failureCaption;
    text = texts.midiErrorText;
  }
  const String shown = GetAppString(text);
  if (!shown.IsEmpty()) ShowAppMessageBox(shown, GetAppString(caption), kMessageBoxOk);
}

}  // namespace

void ShowGetPresetOutcome(SVRESULT result) { ShowOutcome(kGetTexts, result); }

void ShowSendPresetOutcome(SVRESULT result) { ShowOutcome(kSendTexts, result); }

SVRESULT GetPresetFromDeviceAction(int32_t argument) {
  const RCPtr<LMidiManager> manager = GetApplicationMidiManager();
  const SVRESULT result = manager ? manager->GetPresetFromMidiDevice(argument) : LMidiManager::kSendFailed;
  // The values that arrived are on screen behind the box that reports them.
  LFrameworkApp* const application = GetFrameworkApp();
  if (result >= 0 && application) application->ShowPendingChangesNow();
  ShowGetPresetOutcome(result);
  return result;
}

SVRESULT SendPresetToDeviceAction(int32_t argument) {
  const RCPtr<LMidiManager> manager = GetApplicationMidiManager();
  const SVRESULT result = manager ? manager->SendPresetToDevice(argument) : LMidiManager::kSendFailed;
  ShowSendPresetOutcome(result);
  return result;
}

}  // namespace SV
