#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/SVResult.h"

namespace SV {

// The File menu's Get Preset and Send Preset: each runs the controller protocol through the
// application's MIDI manager and reports the outcome in a message box. UI thread only; each
// call blocks the UI thread for the MIDI exchange (Get Preset up to four reply waits).

// The protocol's result that names a controller whose firmware is too old for the request.
inline constexpr SVRESULT kPresetFirmwareIncompatible = -2;

// Asks the controller for its preset (the argument goes to the protocol unchanged; the menu
// passes 0) and shows the outcome; the protocol's result, -1 without a MIDI manager. The
// values reach the controls through the engine's notifications in a later idle pass.
SVRESULT GetPresetFromDeviceAction(int32_t argument);
// Sends the engine's preset to the controller (the menu passes -1) and shows the outcome;
// the protocol's result, -1 without a MIDI manager.
SVRESULT SendPresetToDeviceAction(int32_t argument);

// The boxes of the two actions for a result: -2 the firmware text, any other negative result
// the MIDI error text, anything else success. A text that the string table leaves empty
// shows nothing.
void ShowGetPresetOutcome(SVRESULT result);
void ShowSendPresetOutcome(SVRESULT result);

}  // namespace SV
