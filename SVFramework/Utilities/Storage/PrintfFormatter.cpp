#include "SVFramework/Utilities/Storage/PrintfFormatter.h"

#include <algorithm>
#include <climits>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <locale.h>

#include "SVFramework/Utilities/Storage/UtfConversion.h"

namespace SV {
namespace {

// The "C" locale for the calling thread while an instance lives.
class ClassicLocaleScope {
public:
  ClassicLocaleScope() : mPrevious(uselocale(ClassicLocale())) {}
  ~ClassicLocaleScope() { uselocale(mPrevious); }

private:
  static locale_t ClassicLocale() {
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return classic;
  }
  locale_t mPrevious;
};

// A double shows at most 1074 digits after the point and 767 significant ones; a
// precision beyond this bound adds only zeros, so cutting it there changes nothing.
constexpr size_t kLongestExactDigits = 1100;

enum class Size { Default, Char, Short, Long32, Long64, Pointer, LongDouble };

struct Conversion {
  std::string flags;
  int width = -1;
  int precision = -1;
  bool leftAlign = false;
  Size size = Size::Default;
  bool forceNarrow = false;
  bool forceWide = false;
  char type = 0;
};

std::u16string Widen(const char* text, size_t maxUnits) {
  if (!text) return u"(null)";
  RCPtr<LIBuffer> buffer;
  ConvertFromUTF8(buffer, text, -1);
  std::u16string wide(static_cast<const char16_t*>(buffer->GetData()));
  return wide.substr(0, maxUnits);
}

std::string Narrow(const char16_t* text, size_t maxUnits) {
  if (!text) return "(null)";
  RCPtr<LIBuffer> buffer;
  ConvertToUTF8(buffer, text, -1);
  std::string narrow(static_cast<const char*>(buffer->GetData()));
  return narrow.substr(0, maxUnits);
}

template <class CharT>
std::basic_string<CharT> FromAscii(const std::string& ascii) {
  return std::basic_string<CharT>(ascii.begin(), ascii.end());
}

template <class CharT>
class Formatter {
public:
  Formatter(const CharT* format, va_list args, size_t maxLength)
      : mFormat(format), mMaxLength(maxLength) {
    va_copy(mArgs, args);
  }
  ~Formatter() { va_end(mArgs); }

  std::basic_string<CharT> Run() {
    if (!mFormat) return {};
    const CharT* cursor = mFormat;
    while (*cursor && mOutput.size() < mMaxLength) {
      if (*cursor != '%') {
        Emit(std::basic_string<CharT>(1, *cursor++));
        continue;
      }
      cursor = ConvertOne(cursor);
    }
    return std::move(mOutput);
  }

private:
  void Emit(const std::basic_string<CharT>& text) {
    mOutput.append(text, 0, mMaxLength - mOutput.size());
  }

  // Handles the conversion that starts at the '%' under `start`; returns what follows it.
  const CharT* ConvertOne(const CharT* start) {
    Conversion conversion;
    const CharT* cursor = ParseSpecification(start + 1, conversion);
    if (!conversion.type) {
      Emit(std::basic_string<CharT>(start, cursor));
      return cursor;
    }
    Emit(Pad(Render(conversion), conversion));
    return cursor + 1;
  }

  const CharT* ParseSpecification(const CharT* cursor, Conversion& conversion) {
    while (*cursor && std::strchr("-+ #0", static_cast<char>(*cursor)) && *cursor < 0x80) {
      if (*cursor == '-') conversion.leftAlign = true;
      conversion.flags += static_cast<char>(*cursor++);
    }
    cursor = ParseNumber(cursor, conversion.width, true, conversion);
    if (*cursor == '.') cursor = ParseNumber(cursor + 1, conversion.precision, false, conversion);
    if (conversion.precision < -1) conversion.precision = -1;
    cursor = ParseSize(cursor, conversion);
    if (*cursor && *cursor < 0x80 && std::strchr("diuoxXcCsSfFeEgGaAp%", static_cast<char>(*cursor)))
      conversion.type = static_cast<char>(*cursor);
    return cursor;
  }

  // Widths and precisions saturate at INT_MAX; the padding and digits they ask for are
  // bounded later by the room left in the output.
  const CharT* ParseNumber(const CharT* cursor, int& value, bool isWidth, Conversion& conversion) {
    if (*cursor == '*') {
      value = va_arg(mArgs, int);
      if (isWidth && value < 0) {
        conversion.leftAlign = true;
        conversion.flags += '-';
        value = value == INT_MIN ? INT_MAX : -value;
      }
      return cursor + 1;
    }
    if (!isWidth) value = 0;
    for (; *cursor >= '0' && *cursor <= '9'; ++cursor) {
      if (value < 0) value = 0;
      const int digit = *cursor - '0';
      value = value > (INT_MAX - digit) / 10 ? INT_MAX : value * 10 + digit;
    }
    return cursor;
  }

  static bool StartsWith(const CharT* cursor, const char* text) {
    for (; *text; ++text, ++cursor)
      if (*cursor != static_cast<CharT>(*text)) return false;
    return true;
  }

  const CharT* ParseSize(const CharT* cursor, Conversion& conversion) {
    struct Prefix { const char* text; Size size; bool narrow; bool wide; };
    static constexpr Prefix kPrefixes[] = {
        {"I64", Size::Long64, false, false}, {"I32", Size::Long32, false, false},
        {"ll", Size::Long64, false, false},  {"hh", Size::Char, true, false},
        {"h", Size::Short, true, false},     {"l", Size::Long32, false, true},
        {"w", Size::Long32, false, true},    {"L", Size::LongDouble, false, false},
        {"I", Size::Pointer, false, false},  {"z", Size::Pointer, false, false},
        {"t", Size::Pointer, false, false},  {"j", Size::Long64, false, false},
    };
    for (const Prefix& prefix : kPrefixes) {
      if (!StartsWith(cursor, prefix.text)) continue;
      conversion.size = prefix.size;
      conversion.forceNarrow = prefix.narrow;
      conversion.forceWide = prefix.wide;
      return cursor + std::strlen(prefix.text);
    }
    return cursor;
  }

  std::basic_string<CharT> Render(const Conversion& conversion) {
    switch (conversion.type) {
      case '%': return std::basic_string<CharT>(1, CharT('%'));
      case 'd': case 'i': return FromAscii<CharT>(FormatInteger(conversion, true));
      case 'u': case 'o': case 'x': case 'X': return FromAscii<CharT>(FormatInteger(conversion, false));
      case 'p': return FromAscii<CharT>(FormatPointer());
      case 'c': case 'C': return FormatCharacter(conversion);
      case 's': case 'S': return FormatString(conversion);
      default: return FromAscii<CharT>(FormatReal(conversion));
    }
  }

  std::string NumberSpec(const Conversion& conversion, const char* lengthModifier) const {
    std::string spec = "%";
    for (char flag : conversion.flags)
      if (flag != '-') spec += flag;
    if (conversion.precision >= 0) spec += "." + std::to_string(std::min<size_t>(conversion.precision, PrecisionBound()));
    return spec + lengthModifier + conversion.type;
  }

  // Precisions above the output's bound are cut to it (or to the digits a double can
  // show, when that is more), so no conversion builds more than the output can take.
  size_t PrecisionBound() const { return std::max(mMaxLength, kLongestExactDigits); }

  std::string FormatInteger(const Conversion& conversion, bool isSigned) {
    const std::string spec = NumberSpec(conversion, "ll");
    if (isSigned) return Printed(spec, static_cast<long long>(TakeSigned(conversion.size)));
    return Printed(spec, static_cast<unsigned long long>(TakeUnsigned(conversion.size)));
  }

  // One number printed by the C library with `spec`, whatever its length.
  template <class Number>
  static std::string Printed(const std::string& spec, Number value) {
    const int needed = std::snprintf(nullptr, 0, spec.c_str(), value);
    std::string text(needed > 0 ? static_cast<size_t>(needed) : 0, '\0');
    std::snprintf(text.data(), text.size() + 1, spec.c_str(), value);
    return text;
  }

  int64_t TakeSigned(Size size) {
    switch (size) {
      case Size::Long64: return va_arg(mArgs, long long);
      case Size::Pointer: return va_arg(mArgs, ptrdiff_t);
      case Size::Short: return static_cast<short>(va_arg(mArgs, int));
      case Size::Char: return static_cast<signed char>(va_arg(mArgs, int));
      default: return va_arg(mArgs, int);
    }
  }

  uint64_t TakeUnsigned(Size size) {
    switch (size) {
      case Size::Long64: return va_arg(mArgs, unsigned long long);
      case Size::Pointer: return va_arg(mArgs, size_t);
      case Size::Short: return static_cast<unsigned short>(va_arg(mArgs, unsigned));
      case Size::Char: return static_cast<unsigned char>(va_arg(mArgs, unsigned));
      default: return va_arg(mArgs, unsigned);
    }
  }

  std::string FormatPointer() {
    char text[32];
    std::snprintf(text, sizeof text, "%016llX", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(va_arg(mArgs, void*))));
    return text;
  }

  std::string FormatReal(const Conversion& conversion) {
    const double value = conversion.size == Size::LongDouble ? static_cast<double>(va_arg(mArgs, long double))
                                                             : va_arg(mArgs, double);
    ClassicLocaleScope classic;
    return Printed(NumberSpec(conversion, ""), value);
  }

  // Whether the argument of %s/%c is of the other width than the format.
  bool TakesOtherWidth(const Conversion& conversion) const {
    const bool formatIsWide = sizeof(CharT) == 2;
    if (conversion.forceNarrow) return formatIsWide;
    if (conversion.forceWide) return !formatIsWide;
    return conversion.type == 'S' || conversion.type == 'C';
  }

  std::basic_string<CharT> FormatCharacter(const Conversion& conversion) {
    const int value = va_arg(mArgs, int);
    if (!TakesOtherWidth(conversion)) return std::basic_string<CharT>(1, static_cast<CharT>(value));
    if constexpr (sizeof(CharT) == 2) {
      const char narrow[2] = {static_cast<char>(value), 0};
      return Widen(narrow, 1);
    } else {
      const char16_t wide[2] = {static_cast<char16_t>(value), 0};
      return Narrow(wide, 4);
    }
  }

  std::basic_string<CharT> FormatString(const Conversion& conversion) {
    const size_t limit = conversion.precision >= 0 ? static_cast<size_t>(conversion.precision) : mMaxLength;
    const bool other = TakesOtherWidth(conversion);
    if constexpr (sizeof(CharT) == 2) {
      if (other) return Widen(va_arg(mArgs, const char*), limit);
      const auto* text = va_arg(mArgs, const char16_t*);
      return text ? std::u16string(text, std::char_traits<char16_t>::length(text)).substr(0, limit) : u"(null)";
    } else {
      if (other) return Narrow(va_arg(mArgs, const char16_t*), limit);
      const auto* text = va_arg(mArgs, const char*);
      return text ? std::string(text, strnlen(text, limit)) : "(null)";
    }
  }

  // The text widened to the conversion's width; padding that would lie beyond the room
  // left in the output is never built, since Emit would cut it anyway.
  std::basic_string<CharT> Pad(std::basic_string<CharT> text, const Conversion& conversion) const {
    const bool isNumber = conversion.type != 's' && conversion.type != 'S' && conversion.type != 'c' &&
                          conversion.type != 'C' && conversion.type != '%';
    if (conversion.width < 0 || text.size() >= static_cast<size_t>(conversion.width)) return text;
    const size_t fill = std::min(static_cast<size_t>(conversion.width) - text.size(), mMaxLength - mOutput.size());
    if (conversion.leftAlign) return text + std::basic_string<CharT>(fill, CharT(' '));
    const bool zeroPad = conversion.flags.find('0') != std::string::npos && isNumber;
    if (!zeroPad) return std::basic_string<CharT>(fill, CharT(' ')) + text;
    size_t signLength = (!text.empty() && (text[0] == '-' || text[0] == '+' || text[0] == ' ')) ? 1 : 0;
    if (text.size() > signLength + 1 && text[signLength] == '0' && (text[signLength + 1] == 'x' || text[signLength + 1] == 'X'))
      signLength += 2;
    return text.substr(0, signLength) + std::basic_string<CharT>(fill, CharT('0')) + text.substr(signLength);
  }

  const CharT* mFormat;
  size_t mMaxLength;
  va_list mArgs;
  std::basic_string<CharT> mOutput;
};

}  // namespace

std::u16string FormatPrintf(const char16_t* format, va_list args, size_t maxLength) {
  return Formatter<char16_t>(format, args, maxLength).Run();
}

std::string FormatPrintf(const char* format, va_list args, size_t maxLength) {
  return Formatter<char>(format, args, maxLength).Run();
}

}  // namespace SV
