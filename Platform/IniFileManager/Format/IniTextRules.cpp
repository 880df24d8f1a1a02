#include "Platform/IniFileManager/Format/IniTextRules.h"

#include <cstdint>

namespace IniFile {
namespace {

bool IsBlank(char character) { return character == ' ' || character == '\t'; }

bool IsControlCharacter(unsigned char byte) { return (byte < 0x20 && byte != '\t') || byte == 0x7F; }

bool IsContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the sequence that a lead byte starts, 0 for a byte that cannot lead.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool IsShortestFormScalar(uint32_t codePoint, std::size_t length) {
  if (length == 3 && codePoint < 0x800) return false;
  if (length == 4 && (codePoint < 0x10000 || codePoint > 0x10FFFF)) return false;
  return codePoint < 0xD800 || codePoint > 0xDFFF;
}

bool IsQuoted(std::string_view text) {
  return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  std::size_t position = 0;
  while (position < text.size()) {
    const auto lead = static_cast<unsigned char>(text[position]);
    const std::size_t length = SequenceLength(lead);
    if (length == 0 || length > text.size() - position) return false;
    uint32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t index = 1; index < length; ++index) {
      const auto byte = static_cast<unsigned char>(text[position + index]);
      if (!IsContinuationByte(byte)) return false;
      codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    if (!IsShortestFormScalar(codePoint, length)) return false;
    position += length;
  }
  return true;
}

bool IsSingleLineText(std::string_view text) {
  for (const char character : text) {
    if (IsControlCharacter(static_cast<unsigned char>(character))) return false;
  }
  return IsValidUtf8(text);
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string QuoteValueIfNeeded(std::string_view value) {
  const bool needsQuotes = TrimBlanks(value).size() != value.size() || IsQuoted(value);
  if (!needsQuotes) return std::string(value);
  std::string quoted;
  quoted.reserve(value.size() + 2);
  quoted.append(1, '"').append(value).append(1, '"');
  return quoted;
}

std::string_view UnquoteValue(std::string_view text) {
  if (!IsQuoted(text)) return text;
  return text.substr(1, text.size() - 2);
}

}  // namespace IniFile
