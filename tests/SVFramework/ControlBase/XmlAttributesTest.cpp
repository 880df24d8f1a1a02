#include "SVFramework/ControlBase/XmlAttributes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <clocale>
#include <string>

namespace SV {
namespace {

// One attribute, kept alive with its reader as expat's list would be.
class One {
public:
  One(const char* name, const char* value) : mList{name, value, nullptr}, mAttributes(mList) {}
  const XmlAttributes* operator->() const { return &mAttributes; }

private:
  const char* mList[3];
  XmlAttributes mAttributes;
};

TEST(XmlAttributes, NumbersReadHexWithLowerCaseXAndAtMostFourDigitsElseDecimal) {
  struct Case {
    const char* text;
    int32_t value;
  };
  const Case cases[] = {
      {"0x7c04", 0x7C04}, {"31748", 0x7C04}, {"0X7C04", 0},    {"0x12345", 0x1234}, {"0x", 0},
      {"-6", -6},         {"0x0009", 9},     {"0xfg", 0xF},    {"  12abc", 12},     {"abc", 0},
      {"", 0},            {"99999999999", 2147483647},
  };
  for (const Case& c : cases) {
    int32_t value = 77;
    EXPECT_TRUE(One("N", c.text)->GetNumber(u"N", value));
    EXPECT_EQ(value, c.value) << c.text;
  }
}

TEST(XmlAttributes, AbsentAttributesLeaveTheDestinationUnchanged) {
  const One attributes("Present", "True");
  bool flag = true;
  int32_t number = 5;
  float real = 1.5f;
  String text(u"kept");
  EXPECT_FALSE(attributes->GetBool(u"Absent", flag));
  EXPECT_FALSE(attributes->GetNumber(u"Absent", number));
  EXPECT_FALSE(attributes->GetInt(u"Absent", number));
  EXPECT_FALSE(attributes->GetFloat(u"Absent", real));
  EXPECT_FALSE(attributes->GetString(u"Absent", text));
  EXPECT_TRUE(flag);
  EXPECT_EQ(number, 5);
  EXPECT_EQ(real, 1.5f);
  EXPECT_EQ(text, u"kept");
}

TEST(XmlAttributes, OnlyTheExactWordTrueIsAFlagThatIsSet) {
  for (const char* text : {"true", "TRUE", "1", "", " True"}) {
    bool flag = true;
    EXPECT_TRUE(One("F", text)->GetBool(u"F", flag));
    EXPECT_FALSE(flag) << text;
  }
  bool flag = false;
  One("F", "True")->GetBool(u"F", flag);
  EXPECT_TRUE(flag);
}

TEST(XmlAttributes, RealsReadTheLeadingNumberWhateverTheUserLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  std::setlocale(LC_ALL, "de_DE.UTF-8");
  struct Case {
    const char* text;
    float value;
  };
  const Case cases[] = {{"0.5", 0.5f}, {" -2.25e1px", -22.5f}, {"1,5", 1.0f}, {"x", 0.0f}, {"", 0.0f}};
  for (const Case& c : cases) {
    float value = 9.0f;
    One("R", c.text)->GetFloat(u"R", value);
    EXPECT_EQ(value, c.value) << c.text;
  }
  std::setlocale(LC_ALL, previous.c_str());
}

TEST(XmlAttributes, RealsBeyondTheFloatRangeBecomeInfinities) {
  float value = 0.0f;
  One("R", "1e300")->GetFloat(u"R", value);
  EXPECT_TRUE(std::isinf(value) && value > 0);
  One("R", "-1e300")->GetFloat(u"R", value);
  EXPECT_TRUE(std::isinf(value) && value < 0);
}

TEST(XmlAttributes, IntegersAreDecimalOnly) {
  int32_t value = 1;
  One("I", "0x10")->GetInt(u"I", value);
  EXPECT_EQ(value, 0);
  One("I", "-17 apples")->GetInt(u"I", value);
  EXPECT_EQ(value, -17);
}

TEST(XmlAttributes, TextIsTakenUnchangedAndNonAsciiSurvives) {
  String text;
  ASSERT_TRUE(One("T", " Größe ")->GetString(u"T", text));
  EXPECT_EQ(text, u" Größe ");
}

}  // namespace
}  // namespace SV
