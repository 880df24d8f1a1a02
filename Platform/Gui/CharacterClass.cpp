#include "Platform/Gui/CharacterClass.h"

#include <QChar>

namespace Platform::Gui {

bool IsPrintableCharacter(char16_t character) { return QChar(character).isPrint(); }

bool IsPrintableCodePoint(char32_t codePoint) { return QChar::isPrint(codePoint); }

bool IsSpaceCharacter(char16_t character) { return QChar(character).isSpace(); }

bool IsPrintableText(std::u16string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1])) {
      if (!IsPrintableCodePoint(QChar::surrogateToUcs4(unit, text[i + 1]))) return false;
      ++i;
      continue;
    }
    if (!IsPrintableCharacter(unit)) return false;
  }
  return true;
}

}  // namespace Platform::Gui
