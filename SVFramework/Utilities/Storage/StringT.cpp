#include "SVFramework/Utilities/Storage/StringT.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <locale.h>
#include <string>
#include <type_traits>

#include "SVFramework/Utilities/Storage/Iterable.h"
#include "SVFramework/Utilities/Storage/PrintfFormatter.h"
#include "SVFramework/Utilities/Storage/UtfConversion.h"

namespace SV {
namespace {

constexpr size_t kFormatArea = 16384;

template <class CharT>
size_t TextLength(const CharT* text, size_t maximum) {
  size_t length = 0;
  while (length < maximum && text[length]) ++length;
  return length;
}

template <class CharT>
bool IsAsciiSpace(CharT c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

template <class CharT>
bool InSet(CharT c, const CharT* set) {
  for (; set && *set; ++set)
    if (*set == c) return true;
  return false;
}

// Case mapping on "C.UTF-8" so that it neither depends on the user's locale nor stops
// at ASCII; falls back to "C" where that locale is missing.
locale_t CaseMappingLocale() {
  static const locale_t mapping = [] {
    locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    return utf8 ? utf8 : newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(0));
  }();
  return mapping;
}

char16_t MapCase(char16_t c, bool upper) {
  if (c >= 0xD800 && c <= 0xDFFF) return c;
  const wint_t mapped = upper ? towupper_l(c, CaseMappingLocale()) : towlower_l(c, CaseMappingLocale());
  return mapped <= 0xFFFF ? static_cast<char16_t>(mapped) : c;
}

char MapCase(char c, bool upper) {
  if (upper && c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  if (!upper && c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
  return c;
}

}  // namespace

template <class CharT, class OtherCharT>
const RCPtr<LIBuffer>& StringT<CharT, OtherCharT>::SharedEmptyBuffer() {
  // Built on first use and never destroyed, so strings in static objects stay valid
  // until the very end of the process.
  static const RCPtr<LIBuffer>* empty = new RCPtr<LIBuffer>(LStringBuffer::Create(sizeof(CharT), 0, true));
  return *empty;
}

template <class CharT, class OtherCharT>
StringT<CharT, OtherCharT>::StringT() : mBuffer(SharedEmptyBuffer()) {}

template <class CharT, class OtherCharT>
StringT<CharT, OtherCharT>::StringT(CharT c) : mBuffer(LStringBuffer::Create(2 * sizeof(CharT), 0, true)) {
  Data()[0] = c;
  if (c == 0) mBuffer->SetSize(sizeof(CharT));
}

template <class CharT, class OtherCharT>
StringT<CharT, OtherCharT>::StringT(const CharT* text) : mBuffer(SharedEmptyBuffer()) {
  Assign(text);
}

template <class CharT, class OtherCharT>
StringT<CharT, OtherCharT>::StringT(const OtherCharT* text) {
  if constexpr (sizeof(CharT) == 2)
    ConvertFromUTF8(mBuffer, text, -1);
  else
    ConvertToUTF8(mBuffer, text, -1);
}

template <class CharT, class OtherCharT>
StringT<CharT, OtherCharT>::StringT(const OtherString& other) : StringT(other.GetString()) {}

template <class CharT, class OtherCharT>
StringT<CharT, OtherCharT>::StringT(const RCPtr<LIBuffer>& narrowText)
  requires(sizeof(CharT) == 1)
    : mBuffer(narrowText ? narrowText : SharedEmptyBuffer()) {
  const auto* bytes = static_cast<const char*>(mBuffer->GetData());
  const uint32_t size = mBuffer->GetSize();
  const uint32_t length = bytes ? static_cast<uint32_t>(strnlen(bytes, size)) : 0;
  if (length + 1 == size) return;
  // Terminate on a private copy: the buffer may be shared with other holders.
  mBuffer = mBuffer->CopyResized(length + 1, 0);
  Data()[length] = 0;
}

template <class CharT, class OtherCharT>
StringT<CharT, OtherCharT>::StringT(const StringT& other) : mBuffer(SharedEmptyBuffer()) {
  if (other.IsLocked())
    Assign(other.GetString());
  else
    mBuffer = other.mBuffer;
}

template <class CharT, class OtherCharT>
StringT<CharT, OtherCharT>::StringT(StringT&& other) noexcept : mBuffer(SharedEmptyBuffer()) {
  if (!other.IsLocked()) {
    std::swap(static_cast<ConstRCPtr<LIBuffer>&>(mBuffer), static_cast<ConstRCPtr<LIBuffer>&>(other.mBuffer));
    return;
  }
  Assign(other.GetString());
}

template <class CharT, class OtherCharT>
StringT<CharT, OtherCharT>& StringT<CharT, OtherCharT>::operator=(const StringT& other) {
  if (!IsLocked() && !other.IsLocked())
    mBuffer = other.mBuffer;
  else if (this != &other)
    Assign(other.GetString());
  return *this;
}

template <class CharT, class OtherCharT>
StringT<CharT, OtherCharT>& StringT<CharT, OtherCharT>::Format(const CharT* format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
  return *this;
}

template <class CharT, class OtherCharT>
StringT<CharT, OtherCharT>& StringT<CharT, OtherCharT>::FormatV(const CharT* format, va_list args) {
  const auto text = FormatPrintf(format, args, kFormatArea - 1);
  Assign(text.c_str());
  return *this;
}

template <class CharT, class OtherCharT>
StringT<CharT, OtherCharT> StringT<CharT, OtherCharT>::FromFormat(const CharT* format, ...) {
  StringT result;
  va_list args;
  va_start(args, format);
  result.FormatV(format, args);
  va_end(args);
  return result;
}

template <class CharT, class OtherCharT>
void StringT<CharT, OtherCharT>::AssignNewText(const CharT* text, uint32_t length) {
  if (uint64_t{length} + 1 > UINT32_MAX / sizeof(CharT)) RaiseBadAllocation();
  RCPtr<LIBuffer> fresh = LStringBuffer::Create((length + 1) * sizeof(CharT), 0, true);
  std::memcpy(fresh->GetData(), text, length * sizeof(CharT));
  mBuffer = fresh;
}

template <class CharT, class OtherCharT>
void StringT<CharT, OtherCharT>::Assign(const CharT* text, uint32_t maximum) {
  if (!text || !text[0] || maximum == 0) {
    Empty();
    return;
  }
  const uint32_t length = static_cast<uint32_t>(TextLength(text, maximum));
  if (!IsLocked()) {
    AssignNewText(text, length);
    return;
  }
  const uint32_t kept = std::min(length, LockedCapacity() - 1);
  std::memmove(Data(), text, kept * sizeof(CharT));
  Data()[kept] = 0;
}

template <class CharT, class OtherCharT>
void StringT<CharT, OtherCharT>::AssignUTF8(const char* text, int32_t byteCount) {
  if (!text || !text[0] || byteCount == 0) {
    Empty();
    return;
  }
  const size_t bytes = byteCount < 0 ? std::strlen(text) : strnlen(text, static_cast<size_t>(byteCount));
  RCPtr<LIBuffer> converted;
  if constexpr (sizeof(CharT) == 2) {
    ConvertFromUTF8(converted, text, static_cast<int32_t>(bytes));
  } else {
    converted = LStringBuffer::Create(static_cast<uint32_t>(bytes + 1), 0, true);
    std::memcpy(converted->GetData(), text, bytes);
  }
  StringT result;
  result.mBuffer = converted;
  *this = result;
}

template <class CharT, class OtherCharT>
void StringT<CharT, OtherCharT>::Empty() {
  if (IsLocked())
    Data()[0] = 0;
  else
    mBuffer = SharedEmptyBuffer();
}

template <class CharT, class OtherCharT>
int32_t StringT<CharT, OtherCharT>::GetLength() const {
  if (!IsLocked()) return static_cast<int32_t>(mBuffer->GetSize() / sizeof(CharT)) - 1;
  return static_cast<int32_t>(TextLength(GetString(), LockedCapacity()));
}

template <class CharT, class OtherCharT>
int32_t StringT<CharT, OtherCharT>::ToInt() const {
  const CharT* cursor = GetString();
  while (IsAsciiSpace(*cursor)) ++cursor;
  const bool negative = *cursor == '-';
  if (*cursor == '-' || *cursor == '+') ++cursor;
  int64_t value = 0;
  for (; *cursor >= '0' && *cursor <= '9'; ++cursor) {
    value = value * 10 + (*cursor - '0');
    if (value > int64_t{INT32_MAX} + 1) value = int64_t{INT32_MAX} + 1;
  }
  if (negative) return static_cast<int32_t>(-value);
  return value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}

template <class CharT, class OtherCharT>
double StringT<CharT, OtherCharT>::ToDouble() const {
  static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  std::string ascii;
  for (const CharT* cursor = GetString(); *cursor && static_cast<uint32_t>(*cursor) < 0x80 && ascii.size() < 4096; ++cursor)
    ascii += static_cast<char>(*cursor);
  return strtod_l(ascii.c_str(), nullptr, classic);
}

template <class CharT, class OtherCharT>
StringT<char, char16_t> StringT<CharT, OtherCharT>::ToUTF8() const {
  if constexpr (sizeof(CharT) == 2)
    return StringT<char, char16_t>(*this);
  else
    return *this;
}

template <class CharT, class OtherCharT>
CharT* StringT<CharT, OtherCharT>::Lock(uint32_t n) {
  if (IsLocked()) return nullptr;
  if (n == 0) n = static_cast<uint32_t>(GetLength()) + 1;
  if (uint64_t{n} * sizeof(CharT) > UINT32_MAX) RaiseBadAllocation();
  const uint32_t bytes = n * sizeof(CharT);
  if (mBuffer->GetRefCount() > 1) {
    mBuffer = mBuffer->CopyResized(bytes, 0);
    if (!mBuffer) SV_RAISE(std::runtime_error, "", "SV::StringT<wchar_t,char>::Lock");
  }
  mBuffer->SetUnshareable(true);
  mBuffer->SetSize(bytes);
  Data()[n - 1] = 0;
  return Data();
}

template <class CharT, class OtherCharT>
SVRESULT StringT<CharT, OtherCharT>::Unlock() {
  if (!IsLocked()) return S_FALSE;
  const uint32_t length = static_cast<uint32_t>(GetLength());
  if (length == 0) {
    mBuffer = SharedEmptyBuffer();
    return S_OK;
  }
  mBuffer->SetUnshareable(false);
  mBuffer->SetSize((length + 1) * sizeof(CharT));
  // A caller that filled every locked character left no zero behind the text.
  Data()[length] = 0;
  return S_OK;
}

template <class CharT, class OtherCharT>
void StringT<CharT, OtherCharT>::Append(const StringT& other) {
  if (other.IsEmpty()) return;
  if (other.mBuffer == mBuffer) {
    const StringT source(other);  // keeps its own text alive while the buffer moves
    AppendUnits(source.GetString(), static_cast<uint32_t>(source.GetLength()));
    return;
  }
  AppendUnits(other.GetString(), static_cast<uint32_t>(other.GetLength()));
}

// Leaves the string as a Lock of the new length, a copy of the units and an Unlock
// would, without their cost: the buffer of a string that holds it alone grows in
// place, a shared one is copied first; the length is known, not searched for.
template <class CharT, class OtherCharT>
void StringT<CharT, OtherCharT>::AppendUnits(const CharT* units, uint32_t count) {
  const uint32_t length = static_cast<uint32_t>(GetLength());
  const uint64_t total = uint64_t{length} + count + 1;
  if (total * sizeof(CharT) > UINT32_MAX) RaiseBadAllocation();
  const uint32_t bytes = static_cast<uint32_t>(total * sizeof(CharT));
  if (IsLocked() || mBuffer->GetRefCount() == 1)
    mBuffer->SetSize(bytes);
  else
    mBuffer = mBuffer->CopyResized(bytes, 0);
  CharT* data = Data();
  std::memcpy(data + length, units, count * sizeof(CharT));
  data[length + count] = 0;
}

template <class CharT, class OtherCharT>
StringT<CharT, OtherCharT> StringT<CharT, OtherCharT>::operator+(const StringT& other) const {
  StringT result(*this);
  result.Append(other);
  return result;
}

template <class CharT, class OtherCharT>
SVRESULT StringT<CharT, OtherCharT>::Insert(int32_t position, const StringT& text) {
  const int32_t length = GetLength();
  if (position < 0 || position > length) return E_INVALIDARG;
  if (position == length) {
    Append(text);
  } else if (position == 0) {
    *this = text + *this;
  } else {
    *this = Left(position) + text + Mid(position);
  }
  return S_OK;
}

template <class CharT, class OtherCharT>
SVRESULT StringT<CharT, OtherCharT>::Insert(int32_t position, const CharT* text, int32_t count) {
  if (position < 0 || position > GetLength()) return E_INVALIDARG;
  StringT inserted;
  const bool prefix = text && count >= 0 && static_cast<uint32_t>(count) < kNoLimit &&
                      TextLength(text, static_cast<size_t>(count)) == static_cast<size_t>(count);
  inserted.Assign(text, prefix ? static_cast<uint32_t>(count) : kNoLimit);
  return Insert(position, inserted);
}

template <class CharT, class OtherCharT>
SVRESULT StringT<CharT, OtherCharT>::Insert(int32_t position, const OtherCharT* text, int32_t count) {
  if (position < 0 || position > GetLength()) return E_INVALIDARG;
  const bool prefix = text && count >= 0 && static_cast<uint32_t>(count) < kNoLimit &&
                      TextLength(text, static_cast<size_t>(count)) == static_cast<size_t>(count);
  const std::basic_string<OtherCharT> source =
      text ? std::basic_string<OtherCharT>(text, prefix ? static_cast<size_t>(count) : TextLength(text, SIZE_MAX))
           : std::basic_string<OtherCharT>();
  return Insert(position, StringT(source.c_str()));
}

template <class CharT, class OtherCharT>
template <class UnitT>
bool StringT<CharT, OtherCharT>::IsOwnUnit(UnitT c) {
  if (c == 0) return false;
  return sizeof(UnitT) == sizeof(CharT) || static_cast<std::make_unsigned_t<UnitT>>(c) < 0x80;
}

template <class CharT, class OtherCharT>
void StringT<CharT, OtherCharT>::AppendChar(char c) {
  if (IsOwnUnit(c)) {
    const CharT unit = static_cast<CharT>(c);
    AppendUnits(&unit, 1);
    return;
  }
  const char text[2] = {c, 0};
  Insert(GetLength(), text, 1);
}

template <class CharT, class OtherCharT>
void StringT<CharT, OtherCharT>::AppendWChar(char16_t c) {
  if (IsOwnUnit(c)) {
    const CharT unit = static_cast<CharT>(c);
    AppendUnits(&unit, 1);
    return;
  }
  const char16_t text[2] = {c, 0};
  Insert(GetLength(), text, 1);
}

template <class CharT, class OtherCharT>
StringT<CharT, OtherCharT> StringT<CharT, OtherCharT>::Mid(int32_t start, int32_t count) const {
  const int64_t length = GetLength();
  int64_t first = start;
  int64_t wanted = count;
  if (first < 0) {
    first += length;
    if (first < 0) {
      // A window that lies wholly before the text is empty, not the whole text.
      if (wanted >= 0 && wanted + first <= 0) return StringT();
      if (wanted >= 0) wanted += first;
      first = 0;
    }
  }
  if (first >= length || wanted == 0) return StringT();
  if (wanted < 0 || first + wanted > length) wanted = length - first;
  StringT result;
  result.Assign(GetString() + first, static_cast<uint32_t>(wanted));
  return result;
}

template <class CharT, class OtherCharT>
int32_t StringT<CharT, OtherCharT>::Find(const StringT& other, int32_t start) const {
  const auto text = View();
  if (start < 0) start = 0;
  if (static_cast<size_t>(start) > text.size()) return -1;
  const size_t found = text.find(other.View(), static_cast<size_t>(start));
  return found == std::basic_string_view<CharT>::npos ? -1 : static_cast<int32_t>(found);
}

template <class CharT, class OtherCharT>
int32_t StringT<CharT, OtherCharT>::Find(CharT c, int32_t start) const {
  const auto text = View();
  if (start < 0) start = 0;
  if (static_cast<size_t>(start) >= text.size()) return -1;
  const size_t found = text.find(c, static_cast<size_t>(start));
  return found == std::basic_string_view<CharT>::npos ? -1 : static_cast<int32_t>(found);
}

template <class CharT, class OtherCharT>
int32_t StringT<CharT, OtherCharT>::ReverseFind(char c) const {
  // A byte that is not a whole UTF-8 character converts to nothing and is never found.
  if (sizeof(CharT) == 2 && static_cast<unsigned char>(c) >= 0x80) return -1;
  if (c == 0) return -1;
  const size_t found = View().rfind(static_cast<CharT>(c));
  return found == std::basic_string_view<CharT>::npos ? -1 : static_cast<int32_t>(found);
}

template <class CharT, class OtherCharT>
bool StringT<CharT, OtherCharT>::Equals(const CharT* text) const {
  if (!text || !text[0]) return IsEmpty();
  return View() == std::basic_string_view<CharT>(text);
}

template <class CharT, class OtherCharT>
bool StringT<CharT, OtherCharT>::operator==(const StringT& other) const {
  return mBuffer == other.mBuffer || Equals(other.GetString());
}

template <class CharT, class OtherCharT>
bool StringT<CharT, OtherCharT>::operator<(const StringT& other) const {
  if (mBuffer == other.mBuffer) return false;
  return View() < other.View();
}

template <class CharT, class OtherCharT>
bool StringT<CharT, OtherCharT>::Remove(int32_t position, int32_t count) {
  const int64_t length = GetLength();
  if (position < 0 || count < 0 || position >= length || int64_t{position} + count > length) return false;
  *this = Left(position) + Mid(position + count);
  return true;
}

template <class CharT, class OtherCharT>
StringT<CharT, OtherCharT> StringT<CharT, OtherCharT>::CaseMappedCopy(bool upper) const {
  StringT result(*this);
  const uint32_t length = static_cast<uint32_t>(GetLength());
  if (length == 0) return result;
  CharT* data = result.Lock(length + 1);
  for (uint32_t i = 0; i < length; ++i) data[i] = MapCase(data[i], upper);
  result.Unlock();
  return result;
}

template <class CharT, class OtherCharT>
StringT<CharT, OtherCharT> StringT<CharT, OtherCharT>::TrimLeft(const CharT* set) const {
  const auto text = View();
  size_t first = 0;
  while (first < text.size() && InSet(text[first], set)) ++first;
  if (first == 0 || first == text.size()) return *this;
  return Mid(static_cast<int32_t>(first));
}

template <class CharT, class OtherCharT>
StringT<CharT, OtherCharT> StringT<CharT, OtherCharT>::TrimRight(const CharT* set) const {
  const auto text = View();
  size_t end = text.size();
  while (end > 0 && InSet(text[end - 1], set)) --end;
  if (end == text.size()) return *this;
  return Left(static_cast<int32_t>(end));
}

template <class CharT, class OtherCharT>
StringT<CharT, OtherCharT>& StringT<CharT, OtherCharT>::ReplaceAny(const CharT* set, CharT replacement) {
  if (replacement == 0 || !set || !set[0]) return *this;
  std::basic_string<CharT> text(View());
  bool changed = false;
  for (CharT& c : text) {
    if (!InSet(c, set)) continue;
    c = replacement;
    changed = true;
  }
  if (changed) Assign(text.c_str());
  return *this;
}

template <class CharT, class OtherCharT>
StringT<CharT, OtherCharT> StringT<CharT, OtherCharT>::FromDouble(double value, int32_t precision) {
  if constexpr (sizeof(CharT) == 2) {
    if (precision < 0) return FromFormat(u"%lf", value);
    return FromFormat(u"%.*lf", precision, value);
  } else {
    if (precision < 0) return FromFormat("%lf", value);
    return FromFormat("%.*lf", precision, value);
  }
}

template <class CharT, class OtherCharT>
StringArrayT<CharT, OtherCharT> StringT<CharT, OtherCharT>::Tokenize(const CharT* delimiters) const {
  StringArrayT<CharT, OtherCharT> pieces;
  TokenizeInto(pieces, delimiters);
  return pieces;
}

template <class CharT, class OtherCharT>
int32_t StringT<CharT, OtherCharT>::TokenizeInto(IIterableModifiable<StringT>& pieces, const CharT* delimiters) const {
  using TextView = std::basic_string_view<CharT>;
  const TextView text = View();
  const TextView set = delimiters ? TextView(delimiters) : TextView();
  pieces.RemoveAll();
  if (text.find_first_of(set) == TextView::npos) {
    pieces.Append(*this);
    return 1;
  }
  for (size_t position = 0; position < text.size();) {
    const size_t end = std::min(text.find_first_of(set, position), text.size());
    pieces.Append(end == position ? StringT() : Mid(static_cast<int32_t>(position), static_cast<int32_t>(end - position)));
    position = end + 1;
  }
  return static_cast<int32_t>(pieces.GetCount());
}

template class StringT<char16_t, char>;
template class StringT<char, char16_t>;

namespace {

String FixedPointText(bool negative, uint64_t magnitude, int32_t decimals) {
  std::string digits = std::to_string(magnitude);
  if (decimals > 0) {
    if (digits.size() < static_cast<size_t>(decimals)) digits.insert(0, static_cast<size_t>(decimals) - digits.size(), '0');
    digits.insert(digits.size() - static_cast<size_t>(decimals), 1, '.');
  }
  if (negative) digits.insert(0, 1, '-');
  return String(digits.c_str());
}

}  // namespace

String FormatFixedPoint(int32_t value, int32_t decimals) {
  const bool negative = value < 0;
  const uint64_t magnitude = negative ? static_cast<uint64_t>(-int64_t{value}) : static_cast<uint64_t>(value);
  return FixedPointText(negative, magnitude, decimals);
}

String FormatFixedPointUnsigned(uint32_t value, int32_t decimals) { return FixedPointText(false, value, decimals); }

std::ostream& operator<<(std::ostream& stream, const String& string) {
  return stream << string.ToUTF8().GetString();
}

std::ostream& operator<<(std::ostream& stream, const NarrowString& string) { return stream << string.GetString(); }

}  // namespace SV
