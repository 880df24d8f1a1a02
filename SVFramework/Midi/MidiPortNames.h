#pragma once
#include <cstdint>
#include <functional>

#include "SVFramework/Utilities/Storage/StringArrayT.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

using StringArray = StringArrayT<char16_t, char>;

// Splits a port name into the text to look for and the 0-based occurrence wanted:
// a name ending in "(d)" or "(dd)" after one more character of any value (normally
// a space) asks for occurrence d - 1 of the name before that character; the digits
// are read as atoi reads them, so "(x)" and "(0)" give -1, which matches nothing.
// Otherwise the whole name and occurrence 0. "Corvex (2)" gives "Corvex" and 1,
// "Corvex (12)" gives "Corvex" and 11, "A(1)" gives "" and 0. Any thread.
void ParseMidiPortName(const String& name, String& baseName, int32_t& index);

// The device a port of that name opens, among deviceCount devices examined in order
// of their number: the device whose lower-cased name contains the lower-cased base
// name and is occurrence `index` of such devices. readName gives a device's name and
// false when its name cannot be read (it then does not match); lastExamined ends as
// the name of the last device read. -1 when none is chosen. Any thread.
int32_t ChooseMidiDevice(const String& portName, uint32_t deviceCount,
                         const std::function<bool(uint32_t device, String& name)>& readName,
                         String& lastExamined);

// The names as the port manager lists them: each name that appears k + 1 > 1 times
// (case-sensitive) becomes k + 1 names "name (1)" to "name (k+1)", grouped where the
// first of them stood; "Corvex", "Corvex USB", "Corvex" give "Corvex (1)",
// "Corvex (2)", "Corvex USB". Any thread.
StringArray MakeUniqueNames(StringArray names);

}  // namespace SV
