#pragma once
#include <cstdint>

#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// An array of strings with searches by value, by identity of the character array and
// by substring; the result of splitting a string (StringT::Tokenize). Not locked:
// one thread at a time.
template <class CharT, class OtherCharT>
class StringArrayT : public Array<StringT<CharT, OtherCharT>> {
public:
  using Text = StringT<CharT, OtherCharT>;
  using Array<Text>::Array;

  // Index of the first element at or after `start` equal to the text, or -1.
  // Case-sensitive: the same buffer or Equals; otherwise the same characters or equal
  // after lower-casing both (as ToLower does).
  int32_t Find(const Text& text, bool caseSensitive = true, uint32_t start = 0) const;
  // Index of the element whose characters are exactly this array (an identity, not a
  // comparison), searching from the last element; -1 when none.
  int32_t FindByPointer(const CharT* characters) const;
  // Index of the first element at or after `start` that contains the text (both
  // lower-cased when not case-sensitive), or -1.
  int32_t FindContaining(const Text& text, bool caseSensitive = true, uint32_t start = 0) const;
};

extern template class StringArrayT<char16_t, char>;
extern template class StringArrayT<char, char16_t>;

}  // namespace SV
