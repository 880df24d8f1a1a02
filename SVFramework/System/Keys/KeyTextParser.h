#pragma once
#include <string_view>

#include "SVFramework/System/Keys/KeyCode.h"

namespace SV {

// Reads key binding texts for KeyCode::Parse. Three forms, tried in this order:
// - "<modifiers>VKEY_<NAME>": the identifier runs from "VKEY_" to the end; an unknown
//   one gives virtual key 0 (a code that equals no key event);
// - "<modifiers>[<decimal>]": a character by number; only Alt is kept;
// - "<modifiers><character>": the last character; only Alt is kept. The part before
//   it must be modifier names each followed by "+", else the text binds nothing.
// Modifier names ("CTRL", "ALT", "SHIFT", "COMMAND") count wherever they occur in the
// first two forms, in any letter case. Linear in the text's length; never fails.
class KeyTextParser {
public:
  static KeyCode Parse(std::u16string_view text);

private:
  struct Modifiers {
    bool ctrl = false, alt = false, shift = false, command = false;
  };
  static Modifiers FindModifiers(std::u16string_view upper);
  static KeyCode ParseIdentifier(std::u16string_view upper, size_t start, const Modifiers& modifiers);
  static KeyCode ParseBracketed(std::u16string_view upper, const Modifiers& modifiers);
  static KeyCode ParseCharacter(std::u16string_view text, std::u16string_view upper, const Modifiers& modifiers);
  static bool IsModifierChain(std::u16string_view upper);
};

}  // namespace SV
