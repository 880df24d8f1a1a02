#include "SVFramework/Utilities/DebugBuf.h"

#include <algorithm>
#include <string>

#include "SVFramework/Utilities/Storage/UtfConversion.h"

namespace {

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Where a piece of `take` characters should end when more text follows it: earlier by
// the length of a UTF-8 sequence that the cut would split (malformed text is cut as is).
std::streamsize PieceEnd(const char* text, std::streamsize take) {
  std::streamsize cut = take;
  while (cut > 0 && cut > take - 3 && IsUtf8Continuation(text[cut])) --cut;
  return IsUtf8Continuation(text[cut]) ? take : cut;
}

// The same for UTF-16: a piece does not end between the two halves of a pair.
std::streamsize PieceEnd(const char16_t* text, std::streamsize take) {
  const bool splitsPair = text[take - 1] >= 0xD800 && text[take - 1] <= 0xDBFF && text[take] >= 0xDC00 &&
                          text[take] <= 0xDFFF;
  return splitsPair ? take - 1 : take;
}

std::string_view ToUtf8(std::string_view text) { return text; }

std::string ToUtf8(std::u16string_view text) {
  std::string converted(text.size() * 3, '\0');
  const char16_t* source = text.data();
  auto* target = reinterpret_cast<uint8_t*>(converted.data());
  SV::ConvertUtf16ToUtf8(source, text.data() + text.size(), target, target + converted.size());
  converted.resize(static_cast<size_t>(target - reinterpret_cast<uint8_t*>(converted.data())));
  return converted;
}

}  // namespace

template <class CharT>
basic_debugbuf<CharT>::~basic_debugbuf() {
  if (BufferedCount() > 0) sync();
}

template <class CharT>
int basic_debugbuf<CharT>::sync() {
  SendText(std::basic_string_view<CharT>(this->pbase(), static_cast<size_t>(BufferedCount())));
  this->str(std::basic_string<CharT>());
  return 0;
}

template <class CharT>
std::streamsize basic_debugbuf<CharT>::xsputn(const CharT* text, std::streamsize count) {
  std::streamsize written = 0;
  while (written < count) {
    const std::streamsize remaining = count - written;
    std::streamsize take = std::min(kPieceLength - BufferedCount(), remaining);
    if (take > 0 && take < remaining) take = PieceEnd(text + written, take);
    if (take <= 0) {
      sync();
      continue;
    }
    std::basic_stringbuf<CharT>::xsputn(text + written, take);
    written += take;
  }
  return count;
}

template <class CharT>
void basic_debugbuf<CharT>::SendText(std::basic_string_view<CharT> text) {
  mTarget.ReceiveDebugText(ToUtf8(text));
}

template class basic_debugbuf<char>;
template class basic_debugbuf<char16_t>;
