#include "SVFramework/Utilities/Storage/StringArrayT.h"

namespace SV {

template <class CharT, class OtherCharT>
int32_t StringArrayT<CharT, OtherCharT>::Find(const Text& text, bool caseSensitive, uint32_t start) const {
  const Text lowered = caseSensitive ? Text() : text.ToLower();
  for (uint32_t i = start; i < this->GetCount(); ++i) {
    const Text& element = (*this)[i];
    const bool equal = caseSensitive ? element == text
                                     : element.GetString() == text.GetString() || element.ToLower() == lowered;
    if (equal) return static_cast<int32_t>(i);
  }
  return -1;
}

template <class CharT, class OtherCharT>
int32_t StringArrayT<CharT, OtherCharT>::FindByPointer(const CharT* characters) const {
  for (uint32_t i = this->GetCount(); i-- > 0;)
    if ((*this)[i].GetString() == characters) return static_cast<int32_t>(i);
  return -1;
}

template <class CharT, class OtherCharT>
int32_t StringArrayT<CharT, OtherCharT>::FindContaining(const Text& text, bool caseSensitive, uint32_t start) const {
  const Text wanted = caseSensitive ? text : text.ToLower();
  for (uint32_t i = start; i < this->GetCount(); ++i) {
    const Text& element = (*this)[i];
    if ((caseSensitive ? element : element.ToLower()).Find(wanted) >= 0) return static_cast<int32_t>(i);
  }
  return -1;
}

template class StringArrayT<char16_t, char>;
template class StringArrayT<char, char16_t>;

}  // namespace SV
