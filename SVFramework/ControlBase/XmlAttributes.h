#pragma once
#include <cstdint>
#include <initializer_list>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The attributes of one skin or string-table element as expat hands them over
// (UTF-8 name and value pairs), with the readers of their value syntax. Values are
// converted only when read. Each reader returns true and writes the destination when
// the attribute is present, and returns false leaving it unchanged otherwise. Numbers
// are read the same whatever the user's locale. The object only refers to expat's
// list: use it inside the start handler that received the list. Any thread.
class XmlAttributes {
public:
  XmlAttributes() = default;
  // expat's attribute list: name, value, ..., null.
  explicit XmlAttributes(const char** attributes) : mAttributes(attributes) {}

  bool Has(const char16_t* name) const { return Find(name) != nullptr; }
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
  // The raw UTF-8 value, or null when absent.
  const char* Find(const char16_t* name) const;

  static float ParseReal(const char* text);
  static int32_t ParseInteger(const char* text);
  static int32_t ParseNumber(const char* text);

private:
  const char** mAttributes = nullptr;
};

}  // namespace SV
