#pragma once
#include <cstdint>

namespace SV {

// A key as three words: the code word (the character in its low 16 bits, the virtual
// key in bits 16 to 23, and the modifier, release-or-repeat and no-key bits), the
// left/right modifier word and a flag byte. Plain value; any thread.
struct KeyCode {
  static constexpr uint32_t kCtrl = 0x1000000;
  static constexpr uint32_t kShift = 0x2000000;
  static constexpr uint32_t kAlt = 0x4000000;
  static constexpr uint32_t kCmd = 0x8000000;
  static constexpr uint32_t kReleaseOrRepeat = 0x20000000;
  static constexpr uint32_t kNoKey = 0x80000000;

  uint32_t code = kNoKey;
  uint32_t sides = 0;
  uint8_t flags = 0;

  friend bool operator==(const KeyCode&, const KeyCode&) = default;
};

}  // namespace SV
