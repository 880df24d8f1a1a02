#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// The text rules of a settings file: its size bound, the encoding it must have and
// how a value is written so that reading it back gives the same text. Pure functions;
// any thread may call them.
namespace IniFile {

// A settings file larger than this many bytes is neither read nor written.
inline constexpr std::size_t kMaximumFileSize = 1024 * 1024;

// The UTF-8 byte order mark a settings file may begin with; it is kept on rewrite.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// True when the bytes are well-formed UTF-8: shortest forms only, no encoded
// surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// True when the bytes are well-formed UTF-8 and hold no control character other
// than tab, so the text fits on one line of a settings file.
bool IsSingleLineText(std::string_view text);

// The text without the spaces and tabs at either end.
std::string_view TrimBlanks(std::string_view text);

// The form in which a value follows "key=": the value itself, or the value in
// double quotes when it begins or ends with a blank or is itself in quotes.
std::string QuoteValueIfNeeded(std::string_view value);

// The value that a line holds after "key=" (blanks around it already trimmed):
// one pair of enclosing double quotes is removed.
std::string_view UnquoteValue(std::string_view text);

}  // namespace IniFile
