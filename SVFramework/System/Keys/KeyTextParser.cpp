#include "SVFramework/System/Keys/KeyTextParser.h"

#include <cstdint>
#include <string>

#include "SVFramework/System/Keys/VirtualKeyTables.h"

namespace SV {
namespace {

constexpr std::u16string_view kIdentifierStart = u"VKEY_";
constexpr std::u16string_view kModifierNames[] = {u"CTRL", u"ALT", u"SHIFT", u"COMMAND"};
// Far above any UTF-16 unit; the number is cut to its low 16 bits afterwards.
constexpr int64_t kNumberLimit = 0x7FFFFFFF;

std::u16string ToUpperAscii(std::u16string_view text) {
  std::u16string upper(text);
  for (char16_t& unit : upper)
    if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - u'a' + u'A');
  return upper;
}

bool IsBlank(char16_t unit) { return unit == u' ' || (unit >= u'\t' && unit <= u'\r'); }

// Leading blanks, an optional sign and the digits up to the first other character;
// 0 when there are none. Saturates instead of overflowing.
int64_t ReadDecimal(std::u16string_view text) {
  size_t position = 0;
  while (position < text.size() && IsBlank(text[position])) ++position;
  bool negative = false;
  if (position < text.size() && (text[position] == u'+' || text[position] == u'-')) negative = text[position++] == u'-';
  int64_t value = 0;
  for (; position < text.size() && text[position] >= u'0' && text[position] <= u'9'; ++position)
    value = std::min<int64_t>(value * 10 + (text[position] - u'0'), kNumberLimit);
  return negative ? -value : value;
}

uint32_t AltOnly(bool alt) { return alt ? uint32_t{KeyCode::kModAlt} : 0u; }

}  // namespace

KeyCode KeyTextParser::Parse(std::u16string_view text) {
  if (text.empty()) return KeyCode();
  const std::u16string upper = ToUpperAscii(text);
  const Modifiers modifiers = FindModifiers(upper);
  const size_t identifier = upper.find(kIdentifierStart);
  if (identifier != std::u16string::npos) return ParseIdentifier(upper, identifier, modifiers);
  if (upper.find(u'[') != std::u16string::npos) return ParseBracketed(upper, modifiers);
  return ParseCharacter(text, upper, modifiers);
}

KeyTextParser::Modifiers KeyTextParser::FindModifiers(std::u16string_view upper) {
  Modifiers modifiers;
  modifiers.ctrl = upper.find(kModifierNames[0]) != std::u16string_view::npos;
  modifiers.alt = upper.find(kModifierNames[1]) != std::u16string_view::npos;
  modifiers.shift = upper.find(kModifierNames[2]) != std::u16string_view::npos;
  modifiers.command = upper.find(kModifierNames[3]) != std::u16string_view::npos;
  return modifiers;
}

KeyCode KeyTextParser::ParseIdentifier(std::u16string_view upper, size_t start, const Modifiers& modifiers) {
  const uint32_t virtualKey = LookupVirtualKey(String(std::u16string(upper.substr(start)).c_str()));
  uint32_t word = 0;
  if (modifiers.ctrl) word |= KeyCode::kModCtrl;
  if (modifiers.alt) word |= KeyCode::kModAlt;
  if (modifiers.shift) word |= KeyCode::kModShift;
  if (modifiers.command) word |= KeyCode::kModWin;
  const uint32_t code = (virtualKey << 16) | KeyCode::kKeyDown | KeyCode::CodeModifierBits(word);
  return KeyCode(code, KeyCode::GetSidedModifiers(word), 0);
}

// "[" without a "]" after it leaves the key-down code without a key, which equals no
// key event; so does a "]" that only stands before the "[".
KeyCode KeyTextParser::ParseBracketed(std::u16string_view upper, const Modifiers& modifiers) {
  const size_t open = upper.find(u'[');
  const size_t close = upper.find(u']', open);
  if (close == std::u16string_view::npos) return KeyCode(KeyCode::kKeyDown, 0, 0);
  const int64_t number = ReadDecimal(upper.substr(open + 1, close - open - 1));
  return KeyCode(static_cast<char16_t>(number & 0xFFFF), AltOnly(modifiers.alt));
}

KeyCode KeyTextParser::ParseCharacter(std::u16string_view text, std::u16string_view upper, const Modifiers& modifiers) {
  if (!IsModifierChain(upper.substr(0, upper.size() - 1))) return KeyCode();
  return KeyCode(text.back(), AltOnly(modifiers.alt));
}

// True for "" and for modifier names each followed by "+" ("CTRL+ALT+").
bool KeyTextParser::IsModifierChain(std::u16string_view upper) {
  while (!upper.empty()) {
    bool matched = false;
    for (std::u16string_view name : kModifierNames) {
      if (upper.size() > name.size() && upper.substr(0, name.size()) == name && upper[name.size()] == u'+') {
        upper.remove_prefix(name.size() + 1);
        matched = true;
        break;
      }
    }
    if (!matched) return false;
  }
  return true;
}

}  // namespace SV
