#include "SVFramework/Utilities/Storage/PrintfFormatter.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {
namespace {

// FormatPrintf with its arguments given in place, cut at `maxLength` units.
std::u16string FormatWithin(size_t maxLength, const char16_t* format, ...) {
  va_list args;
  va_start(args, format);
  std::u16string text = FormatPrintf(format, args, maxLength);
  va_end(args);
  return text;
}

std::u16string Repeated(size_t count, char16_t c) { return std::u16string(count, c); }

// Widths and precisions given as '*' arguments take any int, INT_MIN and INT_MAX
// included, and the padding they ask for is cut where the output ends.
TEST(PrintfFormatterWidth, StarWidthsOfAnyIntPadOnlyUpToTheBound) {
  struct Case { const char16_t* format; int width; std::u16string expected; const char* what; };
  const Case cases[] = {
      {u"%*d|", 4, u"   7|", "an ordinary width"},
      {u"%*d|", -4, u"7   |", "a negative width aligns left"},
      {u"%*d", INT_MAX, Repeated(12, u' '), "the largest width: only spaces fit"},
      {u"%*d", INT_MIN, u"7" + Repeated(11, u' '), "the smallest width aligns left without overflow"},
      {u"%0*d", INT_MAX, Repeated(12, u'0'), "zero padding as far as the bound"},
      {u"ab%*d", 13, u"ab" + Repeated(10, u' '), "the bound counts what came before"},
      {u"%*d", 14, Repeated(12, u' '), "a width just past the bound"},
      {u"%*d", 12, Repeated(11, u' ') + u"7", "a width exactly at the bound"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatWithin(12, c.format, c.width, 7), c.expected) << c.what;
}

TEST(PrintfFormatterWidth, WrittenWidthsBeyondAnIntSaturate) {
  EXPECT_EQ(FormatWithin(6, u"%99999999999d", 7), Repeated(6, u' '));
  EXPECT_EQ(FormatWithin(6, u"%-99999999999d|", 7), u"7" + Repeated(5, u' '));
}

TEST(PrintfFormatterPrecision, StarPrecisionsOfAnyIntAreHonouredUpToTheBound) {
  struct Case { const char16_t* format; int precision; std::u16string expected; const char* what; };
  const Case cases[] = {
      {u"%.*f", 2, u"0.50", "an ordinary precision"},
      {u"%.*f", -1, u"0.500000", "a negative precision counts as none"},
      {u"%.*f", INT_MIN, u"0.500000", "the smallest precision counts as none"},
      {u"%.*f", INT_MAX, u"0.5" + Repeated(297, u'0'), "the largest precision is cut at the bound"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatWithin(300, c.format, c.precision, 0.5), c.expected) << c.what;
}

TEST(PrintfFormatterPrecision, IntegerPrecisionsLongerThanAnyIntegerKeepEveryDigit) {
  EXPECT_EQ(FormatWithin(1000, u"%.200d", 42), Repeated(198, u'0') + u"42");
  EXPECT_EQ(FormatWithin(1000, u"%.*lld", 300, -5LL), u"-" + Repeated(299, u'0') + u"5");
  EXPECT_EQ(FormatWithin(50, u"%.*d", INT_MAX, 1), Repeated(50, u'0'));
}

TEST(PrintfFormatterPrecision, PrecisionsBeyondTheBoundRoundAsWritten) {
  // The digits a bound of 8 shows must not come from a precision cut to 8.
  EXPECT_EQ(FormatWithin(8, u"%.20f", 0.999999999), u"0.999999");
  EXPECT_EQ(FormatWithin(8, u"%.20g", 0.999999999), u"0.999999");
}

// The 16384-character area of String::Format: a field asked wider than it is cut at
// its last character instead of being built whole.
TEST(PrintfFormatterWidth, AStringFormatWithAnAbsurdWidthEndsAtTheAreasBound) {
  const String padded = String::FromFormat(u"%*s", INT_MAX, u"x");
  ASSERT_EQ(padded.GetLength(), 16383);
  EXPECT_EQ(padded.View(), Repeated(16383, u' '));
  const NarrowString left = NarrowString::FromFormat("%-*d", INT_MIN, 3);
  ASSERT_EQ(left.GetLength(), 16383);
  EXPECT_EQ(left.View(), "3" + std::string(16382, ' '));
}

}  // namespace
}  // namespace SV
