#pragma once
#include <cstdint>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The box flags of a box with only an OK button and no icon.
inline constexpr uint32_t kMessageBoxOk = 0;

// Shows a modal message box through the application object's message-box service
// (owned by its active root window) with the text, caption and box flags (button
// and icon bits), and returns the button pressed; 0 without an application object.
// Every box of the program goes through here. UI thread only.
int32_t ShowAppMessageBox(const String& text, const String& caption, uint32_t flags);

}  // namespace SV
