#include "SVFramework/ControlBase/XmlAttributes.h"

#include <cfloat>
#include <cmath>

namespace SV {

namespace {

int32_t HexDigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

}  // namespace

XmlAttributes::XmlAttributes(const char** attributes) {
  for (; attributes && attributes[0] && attributes[1]; attributes += 2)
    mValues.insert_or_assign(String(attributes[0]), String(attributes[1]));
}

bool XmlAttributes::HasAll(std::initializer_list<const char16_t*> names) const {
  for (const char16_t* name : names)
    if (!Has(name)) return false;
  return true;
}

const String* XmlAttributes::Find(const char16_t* name) const {
  const auto found = mValues.find(String(name));
  return found == mValues.end() ? nullptr : &found->second;
}

bool XmlAttributes::GetString(const char16_t* name, String& value) const {
  const String* found = Find(name);
  if (found) value = *found;
  return found != nullptr;
}

bool XmlAttributes::GetBool(const char16_t* name, bool& value) const {
  const String* found = Find(name);
  if (found) value = ParseFlag(*found);
  return found != nullptr;
}

bool XmlAttributes::GetFloat(const char16_t* name, float& value) const {
  const String* found = Find(name);
  if (found) value = ParseReal(*found);
  return found != nullptr;
}

bool XmlAttributes::GetInt(const char16_t* name, int32_t& value) const {
  const String* found = Find(name);
  if (found) value = found->ToInt();
  return found != nullptr;
}

bool XmlAttributes::GetNumber(const char16_t* name, int32_t& value) const {
  const String* found = Find(name);
  if (found) value = ParseNumber(*found);
  return found != nullptr;
}

float XmlAttributes::ParseReal(const String& text) {
  const double value = text.ToDouble();
  // A double beyond a float's range has no float value; it reads as an infinity.
  if (value > FLT_MAX) return INFINITY;
  if (value < -FLT_MAX) return -INFINITY;
  return static_cast<float>(value);
}

int32_t XmlAttributes::ParseNumber(const String& text) {
  const char16_t* characters = text.GetString();
  if (characters[0] != u'0' || characters[1] != u'x') return text.ToInt();
  int32_t value = 0;
  for (int32_t index = 2; index < 6; ++index) {
    const int32_t digit = HexDigitValue(characters[index]);
    if (digit < 0) break;
    value = value * 16 + digit;
  }
  return value;
}

}  // namespace SV
