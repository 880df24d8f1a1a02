#pragma once
#include <cstdint>
#include <map>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The attributes of one skin or string-table element by name, with the readers of
// their value syntax. Each reader returns true and writes the destination when the
// attribute is present, and returns false leaving it unchanged otherwise. Numbers
// are read the same whatever the user's locale. Any thread; one object per element.
class XmlAttributes {
public:
  XmlAttributes() = default;
  // expat's attribute list: name, value, ..., null; UTF-8.
  explicit XmlAttributes(const char** attributes);

  bool Has(const char16_t* name) const { return mValues.count(String(name)) != 0; }
  bool HasAll(std::initializer_list<const char16_t*> names) const;

  // The value unchanged.
  bool GetString(const char16_t* name, String& value) const;
  // True exactly for "True".
  bool GetBool(const char16_t* name, bool& value) const;
  // The leading decimal real (white space, sign, digits, point, exponent; none is 0),
  // as a float; values beyond a float's range become infinities.
  bool GetFloat(const char16_t* name, float& value) const;
  // The leading decimal integer (none is 0), saturated to 32 bits.
  bool GetInt(const char16_t* name, int32_t& value) const;
  // "0x" (lower-case x) and at most four hexadecimal digits (a fifth and later are
  // ignored; none is 0), else the leading decimal integer.
  bool GetNumber(const char16_t* name, int32_t& value) const;

  // The value syntax on its own, for values read as text first.
  static bool ParseFlag(const String& text) { return text == u"True"; }
  static float ParseReal(const String& text);
  static int32_t ParseNumber(const String& text);

private:
  const String* Find(const char16_t* name) const;

  std::map<String, String> mValues;
};

}  // namespace SV
