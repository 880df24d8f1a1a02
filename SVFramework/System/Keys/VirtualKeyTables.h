#pragma once
#include <cstdint>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The two tables that translate virtual keys (the values carried in bits 16-23 of a
// key code word): "VKEY_" identifiers to keys, and keys to the names shown beside
// menu items. Both are built once per process, on first use, and never change
// afterwards; any thread may read them.

// Builds both tables when they are not built yet; every lookup calls it.
void BuildVirtualKeyTables();

// The virtual key of an identifier such as "VKEY_S" (exact match, upper case); 0 when
// the identifier is unknown.
uint8_t LookupVirtualKey(const String& identifier);

// The display name of a virtual key ("Page Up", "F4"); empty when it has none.
String GetVirtualKeyDisplayName(uint32_t virtualKey);

// The first identifier, in identifier order, whose value is the key ("VKEY_HANGEUL"
// for 0x15); empty when none.
String GetVirtualKeyIdentifier(uint32_t virtualKey);

// The number of identifiers in the identifier table (several may share a key).
uint32_t GetVirtualKeyIdentifierCount();

}  // namespace SV
