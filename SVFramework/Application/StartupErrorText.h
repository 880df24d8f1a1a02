#pragma once
#include <cstdint>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// Gives the format of the application's start-up error text, its string tables'
// "EXCEPTION_ID" entry, or an empty string while it has no string tables.
using StartupErrorFormatProvider = String (*)();

// Installs the provider the application object offers once its string tables exist;
// null removes it. Any thread may call it.
void SetStartupErrorFormatProvider(StartupErrorFormatProvider provider);

// The text that tells the user start-up failed with `code`: the provider's format
// with the code as its one integer argument; without a provider, or when the format
// is empty or takes anything but exactly one integer, "The application encountered
// problems during startup and will now close.  (Error code = <code>)". Never fails.
// Any thread may call it.
String GetStartupErrorText(int32_t code);

}  // namespace SV
