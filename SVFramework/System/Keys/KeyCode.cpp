#include "SVFramework/System/Keys/KeyCode.h"

#include <string>
#include <string_view>

#include "SVFramework/System/Keys/KeyTextParser.h"
#include "SVFramework/System/Keys/VirtualKeyTables.h"

namespace SV {
namespace {

constexpr uint32_t kCharacterCompareMask = 0xFCFFFFFF;
constexpr uint32_t kKeyOrNoKey = KeyCode::kVirtualKeyMask | KeyCode::kNoKey;

// The "Ctrl+", "Alt+", "Shift+", "Cmd+" prefixes of a code word, in that order.
std::u16string ModifierPrefixes(uint32_t code) {
  std::u16string text;
  if (code & KeyCode::kCtrl) text += u"Ctrl+";
  if (code & KeyCode::kAlt) text += u"Alt+";
  if (code & KeyCode::kShift) text += u"Shift+";
  if (code & KeyCode::kCmd) text += u"Cmd+";
  return text;
}

void AppendCharacterDisplay(std::u16string& text, char16_t character) {
  if (character >= 1 && character <= 26) {
    text += u"Ctrl+";
    text += static_cast<char16_t>(character + 64);
  } else if (character >= 33 && character <= 126) {
    text += character;
  }
}

String ToSVString(const std::u16string& text) { return String(text.c_str()); }

}  // namespace

KeyCode::KeyCode(char16_t character, uint32_t modifiers)
    : code(character | CodeModifierBits(modifiers)), sides(GetSidedModifiers(modifiers)), previousState(0) {}

uint32_t KeyCode::GetSidedModifiers(uint32_t modifiers) {
  constexpr struct { uint32_t needed; uint32_t side; } kSides[] = {
      {kModShift | kModLeftShift, 0x01}, {kModShift | kModRightShift, 0x02},
      {kModCtrl | kModLeftCtrl, 0x04},   {kModCtrl | kModRightCtrl, 0x08},
      {kModAlt | kModLeftAlt, 0x10},     {kModAlt | kModRightAlt, 0x20},
      {kModWin | kModLeftWin, 0x40},     {kModWin | kModRightWin, 0x80},
  };
  uint32_t sides = 0;
  for (const auto& entry : kSides)
    if ((modifiers & entry.needed) == entry.needed) sides |= entry.side;
  return sides;
}

uint32_t KeyCode::CodeModifierBits(uint32_t modifiers) {
  uint32_t bits = 0;
  if (modifiers & kModCtrl) bits |= kCtrl;
  if (modifiers & kModShift) bits |= kShift;
  if (modifiers & kModAlt) bits |= kAlt;
  if (modifiers & kModWin) bits |= kCmd;
  if (modifiers & kModFifth) bits |= kFifth;
  return bits;
}

bool KeyCode::operator==(const KeyCode& other) const {
  if ((code & kKeyOrNoKey) == 0 && (other.code & kKeyOrNoKey) == 0)
    return (code & kCharacterCompareMask) == (other.code & kCharacterCompareMask);
  return code == other.code;
}

String KeyCode::GetDisplayText(const KeyCode& key) {
  std::u16string text = ModifierPrefixes(key.code);
  if (key.IsNoKey()) return ToSVString(text);
  if (key.GetVirtualKey() != 0) {
    text += GetVirtualKeyDisplayName(key.GetVirtualKey()).View();
  } else {
    AppendCharacterDisplay(text, key.GetCharacter());
  }
  return ToSVString(text);
}

String KeyCode::ToString(const KeyCode& key) {
  std::u16string text = ModifierPrefixes(key.code);
  if (key.IsNoKey()) return ToSVString(text);
  if (key.GetVirtualKey() != 0) {
    text += GetVirtualKeyIdentifier(key.GetVirtualKey()).View();
  } else {
    text += u"[";
    for (char digit : std::to_string(key.GetCharacter())) text += static_cast<char16_t>(digit);
    text += u"]";
  }
  return ToSVString(text);
}

KeyCode KeyCode::Parse(const String& text) { return KeyTextParser::Parse(text.View()); }

}  // namespace SV
