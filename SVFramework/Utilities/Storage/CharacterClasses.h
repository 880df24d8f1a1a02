#pragma once

namespace SV {

// Whether the character is one of the digits 0 to 9 (no other script's digits).
constexpr bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace SV
