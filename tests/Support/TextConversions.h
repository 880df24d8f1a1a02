#pragma once
#include <string>

#include "SVFramework/Utilities/Storage/StringT.h"

// The framework's strings as standard strings, for comparisons and failure messages.
namespace SV::Testing {

inline std::string Utf8(const String& text) { return text.ToUTF8().GetString(); }
inline std::u16string Utf16(const String& text) { return std::u16string(text.View()); }

}  // namespace SV::Testing
