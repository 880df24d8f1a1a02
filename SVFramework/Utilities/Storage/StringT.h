#pragma once
#include <cstdarg>
#include <cstdint>
#include <ostream>
#include <string_view>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/BufferT.h"

namespace SV {

// The system's text type: StringT<char16_t,char> holds UTF-16, its narrow twin
// StringT<char,char16_t> holds UTF-8; conversions between them are UTF-8 <-> UTF-16,
// never a code page. The characters live in a shared reference-counted buffer that
// copies share until one of them writes (copy on write). Lock gives a writable
// character array that no other string shares until Unlock.
// Thread rules: one thread uses a string object at a time; strings that share a
// buffer may live on different threads (shared buffers are only read).
template <class CharT, class OtherCharT> class StringArrayT;
template <class T> class IIterableModifiable;

template <class CharT, class OtherCharT>
class StringT {
public:
  using Char = CharT;
  using OtherString = StringT<OtherCharT, CharT>;
  // Stands for "no limit" wherever a maximum count of characters is taken.
  static constexpr uint32_t kNoLimit = 0x7FFFFFFE;

  StringT();
  StringT(CharT c);
  StringT(const CharT* text);
  // Converts from the other width (UTF-8 <-> UTF-16).
  StringT(const OtherCharT* text);
  StringT(const OtherString& other);
  // Narrow text held in a reference-counted buffer: shared when shareable, else copied.
  explicit StringT(const RCPtr<LIBuffer>& narrowText)
    requires(sizeof(CharT) == 1);
  StringT(const StringT& other);
  StringT(StringT&& other) noexcept;
  virtual ~StringT() = default;

  StringT& operator=(const StringT& other);
  StringT& operator=(StringT&& other) noexcept { return *this = static_cast<const StringT&>(other); }
  StringT& operator=(const CharT* text) { Assign(text); return *this; }

  // printf-style text (see PrintfFormatter.h for the dialect) into a work area of
  // 16384 characters; longer results are cut there. Returns this string.
  StringT& Format(const CharT* format, ...);
  StringT& FormatV(const CharT* format, va_list args);
  static StringT FromFormat(const CharT* format, ...);

  // Copies up to `maximum` characters of the text, stopping at its first zero. A locked
  // string receives the text in place and stays locked (cut to its locked size).
  void Assign(const CharT* text, uint32_t maximum = kNoLimit);
  // Converts the first `byteCount` bytes of UTF-8 (at most to the text's end).
  void AssignUTF8(const char* text, int32_t byteCount);
  void Empty();

  const CharT* GetString() const { return static_cast<const CharT*>(mBuffer->GetData()); }
  int32_t GetLength() const;
  bool IsEmpty() const { return GetString()[0] == 0; }
  // The leading decimal integer by atoi rules (white space, sign, digits); saturates.
  int32_t ToInt() const;
  // The leading floating-point number by atof rules, whatever the user's locale.
  double ToDouble() const;
  StringT<char, char16_t> ToUTF8() const;

  // A writable array of n characters (0: length + 1) holding the text, or null when
  // already locked. The caller ends the text with a zero.
  CharT* Lock(uint32_t n = 0);
  // 0, or 1 when the string was not locked. The text ends at its first zero, or after
  // the last locked character when the caller filled them all; Unlock terminates it.
  SVRESULT Unlock();
  bool IsLocked() const { return !mBuffer->IsShareable(); }

  void Append(const StringT& other);
  StringT& operator+=(const StringT& other) { Append(other); return *this; }
  StringT& operator+=(const CharT* text) { Append(StringT(text)); return *this; }
  StringT operator+(const StringT& other) const;
  // E_INVALIDARG (and no change) when the position exceeds the length.
  SVRESULT Insert(int32_t position, const StringT& text);
  SVRESULT Insert(int32_t position, const OtherCharT* text, int32_t count);
  SVRESULT Insert(int32_t position, const CharT* text, int32_t count);
  void AppendChar(char c);
  void AppendWChar(char16_t c);

  // The window [start, start + count) clipped to the text; a negative start counts
  // from the end, a negative count means "to the end".
  StringT Mid(int32_t start, int32_t count) const;
  StringT Mid(int32_t start) const { return Mid(start, GetLength() - start); }
  StringT Left(int32_t n) const { return Mid(0, n); }
  StringT Right(int32_t n) const { return Mid(-n, n); }
  // Index of the first occurrence at or after `start`, or -1; the empty text is found at start.
  int32_t Find(const StringT& other, int32_t start = 0) const;
  int32_t Find(CharT c, int32_t start = 0) const;
  // Index of the last occurrence of the character (taken as one UTF-8 byte), or -1.
  int32_t ReverseFind(char c) const;

  // Case-sensitive equality; a null or empty text equals exactly the empty string.
  bool Equals(const CharT* text) const;
  bool operator==(const StringT& other) const;
  bool operator==(const CharT* text) const { return Equals(text); }
  bool operator==(const OtherCharT* text) const { return Equals(StringT(text).GetString()); }
  // Ordinal order of code units, a proper prefix first: the key order of every map.
  bool operator<(const StringT& other) const;

  // Removes `count` characters at `position`; false and no change when the range
  // does not lie inside the text.
  bool Remove(int32_t position, int32_t count);
  StringT Copy() const { return *this; }

  StringT ToLower() const { return CaseMappedCopy(false); }
  StringT ToUpper() const { return CaseMappedCopy(true); }
  static constexpr const CharT kWhiteSpace[] = {' ', '\t', '\r', '\n', 0};
  StringT TrimLeft(const CharT* set = kWhiteSpace) const;
  StringT TrimRight(const CharT* set = kWhiteSpace) const;
  StringT Trim() const { return TrimLeft().TrimRight(); }
  StringT& ReplaceAny(const CharT* set, CharT replacement);

  // Splits the text into the pieces between characters of the delimiter set, in order:
  // a text without a delimiter (also the empty text) gives one piece, the whole text;
  // two adjacent delimiters give an empty piece; a delimiter at the end adds none
  // ("a,,b," at "," gives "a", "" and "b").
  StringArrayT<CharT, OtherCharT> Tokenize(const CharT* delimiters) const;
  // Empties `pieces` and fills it as Tokenize would; returns the number of pieces.
  int32_t TokenizeInto(IIterableModifiable<StringT>& pieces, const CharT* delimiters) const;

  // The value with `precision` decimals ("%.{precision}lf"); negative: "%lf".
  static StringT FromDouble(double value, int32_t precision);

  std::basic_string_view<CharT> View() const { return {GetString(), static_cast<size_t>(GetLength())}; }
  const RCPtr<LIBuffer>& GetBuffer() const { return mBuffer; }
  // The one buffer that every empty unlocked string of this type shares.
  static const RCPtr<LIBuffer>& SharedEmptyBuffer();

private:
  uint32_t LockedCapacity() const { return mBuffer->GetSize() / sizeof(CharT); }
  CharT* Data() const { return static_cast<CharT*>(mBuffer->GetData()); }
  void AssignNewText(const CharT* text, uint32_t length);
  // Appends `count` units that do not lie in this string's buffer.
  void AppendUnits(const CharT* units, uint32_t count);
  // Whether the character is one unit of this string's width as it stands (ASCII, or
  // a nonzero unit of the same width), so that no conversion is needed to append it.
  template <class UnitT>
  static bool IsOwnUnit(UnitT c);
  StringT CaseMappedCopy(bool upper) const;

  RCPtr<LIBuffer> mBuffer;
};

using String = StringT<char16_t, char>;
using NarrowString = StringT<char, char16_t>;

inline String operator+(const char16_t* text, const String& string) { return String(text) + string; }

// "%d" text of the value with `decimals` implied decimals ("12345", 2 -> "123.45",
// 5, 2 -> ".05"); decimals of 0 or less give the plain number.
String FormatFixedPoint(int32_t value, int32_t decimals);
String FormatFixedPointUnsigned(uint32_t value, int32_t decimals);

// Writes the text as UTF-8 (for diagnostics and test output).
std::ostream& operator<<(std::ostream& stream, const String& string);
std::ostream& operator<<(std::ostream& stream, const NarrowString& string);

extern template class StringT<char16_t, char>;
extern template class StringT<char, char16_t>;

}  // namespace SV

// The result type of Tokenize, complete wherever strings are.
#include "SVFramework/Utilities/Storage/StringArrayT.h"
