#pragma once
#include <string_view>

namespace Platform::Gui {

// Character classes as the platform's text system defines them, independent of the
// C library's locale. Any thread.

// Whether the UTF-16 unit is a printable character on its own (a lone surrogate is not).
bool IsPrintableCharacter(char16_t character);
// Whether the code point is printable.
bool IsPrintableCodePoint(char32_t codePoint);
// Whether the unit is white space (space, tab, line breaks, the other space separators).
bool IsSpaceCharacter(char16_t character);
// Whether every character of the text is printable: surrogate pairs count as their code
// point, a surrogate without its partner is not printable. True for the empty text.
bool IsPrintableText(std::u16string_view text);

}  // namespace Platform::Gui
