#pragma once
#include <cstdint>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// A key event, a typed character or a key binding, as a plain value.
// Code word: the character (one UTF-16 unit) in bits 0-15, the virtual key in bits
// 16-23, Ctrl, Shift, Alt, Cmd and the fifth modifier in bits 24-28, the key-down bit
// 29 (set for presses and for parsed virtual-key codes, clear for releases and
// characters), and the no-key bit 31. `sides` tells the left and right modifier keys
// apart; `previousState` is 1 when a key was already down (repeats, releases).
// Copied freely; the functions read only process-wide tables built once.
struct KeyCode {
  static constexpr uint32_t kCharacterMask = 0x0000FFFF;
  static constexpr uint32_t kVirtualKeyMask = 0x00FF0000;
  static constexpr uint32_t kCtrl = 0x01000000;
  static constexpr uint32_t kShift = 0x02000000;
  static constexpr uint32_t kAlt = 0x04000000;
  static constexpr uint32_t kCmd = 0x08000000;
  static constexpr uint32_t kFifth = 0x10000000;
  static constexpr uint32_t kKeyDown = 0x20000000;
  static constexpr uint32_t kNoKey = 0x80000000;
  // Ctrl, Shift, Alt and Cmd: the modifiers the controls' key handling tells apart.
  static constexpr uint32_t kModifierMask = kCtrl | kShift | kAlt | kCmd;

  // The modifier word from which key codes are built (the platform's key state).
  enum Modifier : uint32_t {
    kModCtrl = 0x0001, kModLeftCtrl = 0x0002, kModRightCtrl = 0x0004,
    kModShift = 0x0008, kModLeftShift = 0x0010, kModRightShift = 0x0020,
    kModAlt = 0x0040, kModLeftAlt = 0x0080, kModRightAlt = 0x0100,
    kModWin = 0x0200, kModLeftWin = 0x0400, kModRightWin = 0x0800,
    kModFifth = 0x1000,
  };

  uint32_t code = kNoKey;
  uint32_t sides = 0;
  uint8_t previousState = 0;

  // The no-key code (0x80000000, no sides, flag 0).
  constexpr KeyCode() = default;
  constexpr KeyCode(uint32_t codeWord, uint32_t sideBits, uint8_t previous)
      : code(codeWord), sides(sideBits), previousState(previous) {}
  // A character event: the character with the modifiers of the word in bits 24-28,
  // no virtual key, no key-down bit; sides from the word; flag 0.
  KeyCode(char16_t character, uint32_t modifiers);

  // The left/right word of a modifier word: a side counts only with its generic bit.
  static uint32_t GetSidedModifiers(uint32_t modifiers);
  // The modifier bits 24-28 of a code word for a modifier word.
  static uint32_t CodeModifierBits(uint32_t modifiers);

  // Code words only: two characters without virtual key or no-key bit compare without
  // their Ctrl and Shift bits; anything else must match exactly. Sides and the flag
  // never count, so a keyboard Ctrl+S (left Ctrl) equals the parsed "Ctrl+VKEY_S".
  bool operator==(const KeyCode& other) const;
  bool operator!=(const KeyCode& other) const { return !(*this == other); }

  uint32_t GetVirtualKey() const { return (code & kVirtualKeyMask) >> 16; }
  char16_t GetCharacter() const { return static_cast<char16_t>(code & kCharacterMask); }
  bool IsNoKey() const { return (code & kNoKey) != 0; }

  // The text shown beside a menu item: "Ctrl+", "Alt+", "Shift+", "Cmd+" as set, then
  // the key's display name, or the character ("Ctrl+" and a letter for 1 to 26).
  static String GetDisplayText(const KeyCode& key);
  // The identifier text that Parse reads back: the same prefixes, then the key's
  // "VKEY_" identifier or "[<decimal character>]".
  static String ToString(const KeyCode& key);
  // Reads a binding text such as "Ctrl+VKEY_S", "Alt+x" or "[65]" (letter case does
  // not matter for modifiers and identifiers). Any text is accepted without fault;
  // an empty text, or a single-character form whose leading part is not a chain of
  // modifier names ("Ctrl+", "+++"), gives the no-key code, which binds nothing.
  static KeyCode Parse(const String& text);
};

}  // namespace SV
