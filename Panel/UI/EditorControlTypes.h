#pragma once
#include <span>

#include "SVFramework/Application/ControlTypeRegistration.h"

namespace SV {

// The editor's 13 control classes ("PresetEditor." names) with their creators, in
// registration order. Any thread (the table is constant).
std::span<const ControlTypeEntry> GetEditorControlTypes();

}  // namespace SV
