#pragma once
#include <cstdint>

namespace SV {

// A colour as four floats from 0 to 1 (alpha 1 is opaque), with the packed form
// 0xAARRGGBB and the hexadecimal text form of skin attributes ("0xFFFFFFFF").
// A plain value: no locks, copy freely.
struct Color {
  float red = 0;
  float green = 0;
  float blue = 0;
  float alpha = 0;

  // The colour of a packed 0xAARRGGBB word.
  static Color FromARGB(uint32_t argb) { return Color().SetFromARGB(argb); }

  // Each byte of the word times 1/255 into alpha, red, green and blue.
  Color& SetFromARGB(uint32_t argb);

  // Reads an optional "0x"/"0X" prefix and then up to eight hexadecimal digits. The
  // length after the prefix decides: 2 sets alpha only, 6 sets red, green and blue,
  // 8 sets all four; any other length, or a null text, leaves the colour unchanged.
  // Text with no leading digit reads as 0.
  Color& SetFromHexString(const char* text);

  // Each channel times 255 rounded half away from zero and clamped to 0..255.
  uint32_t ToARGB() const;

  // Exact comparison of the four floats.
  friend bool operator==(const Color&, const Color&) = default;
};

}  // namespace SV
