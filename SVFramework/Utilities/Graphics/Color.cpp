#include "SVFramework/Utilities/Graphics/Color.h"

#include <cstring>

namespace SV {
namespace {

constexpr float kByteScale = 1.0f / 255.0f;

float ByteToChannel(uint32_t word, int shift) {
  return static_cast<float>((word >> shift) & 0xFF) * kByteScale;
}

uint32_t ChannelToByte(float channel) {
  const float scaled = channel * 255.0f;
  // Clamping before the conversion keeps it defined for huge values and NaN.
  if (!(scaled > 0.0f)) return 0;
  if (scaled >= 255.0f) return 255;
  return static_cast<uint32_t>(scaled + 0.5f);
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// What the C library's "%08lx" conversion reads from the text, without its locale:
// leading blanks skipped, then at most eight characters of an optional sign, an
// optional "0x" and hexadecimal digits; 0 when no digit comes first.
uint32_t ReadHexWord(const char* text) {
  while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
  int budget = 8;
  bool negative = false;
  if (*text == '+' || *text == '-') {
    negative = *text == '-';
    ++text;
    --budget;
  }
  if (budget >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') && HexDigitValue(text[2]) >= 0) {
    text += 2;
    budget -= 2;
  }
  uint32_t value = 0;
  for (; budget > 0 && HexDigitValue(*text) >= 0; --budget, ++text) {
    value = (value << 4) | static_cast<uint32_t>(HexDigitValue(*text));
  }
  return negative ? 0u - value : value;
}

}  // namespace

Color& Color::SetFromARGB(uint32_t argb) {
  alpha = ByteToChannel(argb, 24);
  red = ByteToChannel(argb, 16);
  green = ByteToChannel(argb, 8);
  blue = ByteToChannel(argb, 0);
  return *this;
}

Color& Color::SetFromHexString(const char* text) {
  if (text == nullptr) return *this;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text += 2;
  const size_t length = std::strlen(text);
  if (length != 2 && length != 6 && length != 8) return *this;
  const uint32_t word = ReadHexWord(text);
  if (length == 2) {
    alpha = ByteToChannel(word, 0);
  } else if (length == 6) {
    red = ByteToChannel(word, 16);
    green = ByteToChannel(word, 8);
    blue = ByteToChannel(word, 0);
  } else {
    SetFromARGB(word);
  }
  return *this;
}

uint32_t Color::ToARGB() const {
  return (ChannelToByte(alpha) << 24) | (ChannelToByte(red) << 16) | (ChannelToByte(green) << 8) |
         ChannelToByte(blue);
}

}  // namespace SV
