#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "SVFramework/Controls/NumberText.h"

namespace SV {
namespace {

struct ReadCase {
  std::u16string text;
  std::optional<double> expected;
};

TEST(NumberText, ReadsTheLongestDecimalPrefixAndRefusesTextsWithoutDigitsOrFiniteValue) {
  const ReadCase cases[] = {
      {u"42", 42.0},       {u"  -7.5xyz", -7.5}, {u".5", 0.5},         {u"5.", 5.0},
      {u"1.2.3", 1.2},     {u"007", 7.0},        {u"+3", 3.0},         {u"2e3", 2000.0},
      {u"2e", 2.0},        {u"", std::nullopt},  {u"-", std::nullopt}, {u".", std::nullopt},
      {u"abc", std::nullopt}, {u"nan", std::nullopt}, {u"inf", std::nullopt}, {u"0x10", 0.0},
      {u"1e999", std::nullopt}, {u"5-", 5.0},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    EXPECT_EQ(ReadLeadingNumber(c.text), c.expected);
  }
}

TEST(NumberText, FormatsWithTheGivenDecimalsAndNoNegativeZero) {
  EXPECT_EQ(FormatNumber(127, 0), u"127");
  EXPECT_EQ(FormatNumber(0.5, 2), u"0.50");
  EXPECT_EQ(FormatNumber(-3.14159, 3), u"-3.142");
  EXPECT_EQ(FormatNumber(-0.001, 1), u"0.0");
  EXPECT_EQ(FormatNumber(2.6, 0), u"3");
}

}  // namespace
}  // namespace SV
