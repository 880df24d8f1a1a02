#include "SVFramework/ControlBase/XmlAttributes.h"

#include <locale.h>
#include <stdlib.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>

namespace SV {

namespace {

int32_t HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Attribute names are ASCII: a UTF-8 name equals a wide one unit by unit.
bool NameEquals(const char* utf8, const char16_t* wide) {
  for (; *utf8 && *wide; ++utf8, ++wide)
    if (static_cast<unsigned char>(*utf8) != *wide) return false;
  return *utf8 == 0 && *wide == 0;
}

}  // namespace

const char* XmlAttributes::Find(const char16_t* name) const {
  for (const char** attribute = mAttributes; attribute && attribute[0] && attribute[1]; attribute += 2)
    if (NameEquals(attribute[0], name)) return attribute[1];
  return nullptr;
}

bool XmlAttributes::HasAll(std::initializer_list<const char16_t*> names) const {
  for (const char16_t* name : names)
    if (!Has(name)) return false;
  return true;
}

bool XmlAttributes::GetString(const char16_t* name, String& value) const {
  const char* found = Find(name);
  if (found) value = String(found);
  return found != nullptr;
}

bool XmlAttributes::GetBool(const char16_t* name, bool& value) const {
  const char* found = Find(name);
  if (found) value = std::strcmp(found, "True") == 0;
  return found != nullptr;
}

bool XmlAttributes::GetFloat(const char16_t* name, float& value) const {
  const char* found = Find(name);
  if (found) value = ParseReal(found);
  return found != nullptr;
}

bool XmlAttributes::GetInt(const char16_t* name, int32_t& value) const {
  const char* found = Find(name);
  if (found) value = ParseInteger(found);
  return found != nullptr;
}

bool XmlAttributes::GetNumber(const char16_t* name, int32_t& value) const {
  const char* found = Find(name);
  if (found) value = ParseNumber(found);
  return found != nullptr;
}

float XmlAttributes::ParseReal(const char* text) {
  static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  const double value = strtod_l(text, nullptr, classic);
  // A double beyond a float's range has no float value; it reads as an infinity.
  if (value > FLT_MAX) return INFINITY;
  if (value < -FLT_MAX) return -INFINITY;
  return static_cast<float>(value);
}

int32_t XmlAttributes::ParseInteger(const char* text) { return NarrowString(text).ToInt(); }

int32_t XmlAttributes::ParseNumber(const char* text) {
  if (text[0] != '0' || text[1] != 'x') return ParseInteger(text);
  int32_t value = 0;
  for (int32_t index = 2; index < 6; ++index) {
    const int32_t digit = HexDigitValue(text[index]);
    if (digit < 0) break;
    value = value * 16 + digit;
  }
  return value;
}

}  // namespace SV
