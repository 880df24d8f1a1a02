#pragma once
#include <cstdint>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The text of a start-up error with its code. While the application object has set a
// format source (its string table's "EXCEPTION_ID" entry), that format with the code
// as its one integer argument; otherwise "The application encountered problems during
// startup and will now close.  (Error code = %d)" with the code. Never fails. Any
// thread.
String GetStartupErrorText(int32_t code);

// Where the application object's format comes from: returns the format, or an empty
// text when it has none. A format whose conversions are anything but one "%d" is not
// used. The application shell sets it when its string tables are
// loaded and clears it (null) before they go.
using StartupErrorFormatSource = String (*)();
void SetStartupErrorFormatSource(StartupErrorFormatSource source);

}  // namespace SV
