#pragma once
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The text of `key` in the application string table; empty when the key, the table or
// the application object is absent. Every message box, title and filter text of the
// editor comes through here. UI thread only.
String GetAppString(const char16_t* key);

}  // namespace SV
