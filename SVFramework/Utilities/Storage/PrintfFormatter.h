#pragma once
#include <cstdarg>
#include <cstddef>
#include <string>

namespace SV {

// printf-style formatting in the dialect the framework's format strings are written
// in, for narrow (UTF-8) and wide (UTF-16) text alike:
// - %s takes a string of the format's own width, %S one of the other width
//   (%hs is always narrow, %ls and %ws always wide); %c and %C likewise for characters;
// - %ld and %lu are 32-bit, %I32d 32-bit, %I64d, %lld and %I64X 64-bit, %Id and %zd
//   pointer-sized;
// - numbers never depend on the user's locale (the decimal point is always '.').
// The result holds at most maxLength units; formatting stops there and never writes
// past it. Widths and precisions take any int ('*' arguments included); the padding and
// digits they ask for are built only as far as the room left. A conversion it does not
// know is copied to the output as written.
std::u16string FormatPrintf(const char16_t* format, va_list args, size_t maxLength);
std::string FormatPrintf(const char* format, va_list args, size_t maxLength);

}  // namespace SV
