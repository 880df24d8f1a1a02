#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "SVFramework/ControlBase/CreateParams.h"

namespace SV {
namespace {

RCPtr<LStringTable> Parameters(const char16_t* text) {
  RCPtr<LStringTable> table = LStringTable::Create();
  table->SetString(u"VALUE", text);
  return table;
}

struct BooleanCase {
  std::string name;
  const char16_t* text;
  bool expected;
};

class CreateParamsBooleanTest : public ::testing::TestWithParam<BooleanCase> {};

TEST_P(CreateParamsBooleanTest, OnlyTrueInAnyCaseWithBlanksAroundReadsTrue) {
  bool value = !GetParam().expected;
  EXPECT_TRUE(LCreateParams::ReadBoolean(Parameters(GetParam().text).Get(), u"VALUE", value));
  EXPECT_EQ(value, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, CreateParamsBooleanTest,
                         ::testing::Values(BooleanCase{"Lower", u"true", true}, BooleanCase{"Capital", u"True", true},
                                           BooleanCase{"Upper", u"TRUE", true},
                                           BooleanCase{"Blanks", u" \t\r\ntRuE \n", true},
                                           BooleanCase{"False", u"False", false}, BooleanCase{"Yes", u"yes", false},
                                           BooleanCase{"One", u"1", false}, BooleanCase{"Empty", u"", false},
                                           BooleanCase{"Longer", u"truely", false}),
                         [](const ::testing::TestParamInfo<BooleanCase>& info) { return info.param.name; });

struct RealCase {
  std::string name;
  const char16_t* text;
  double expected;
};

class CreateParamsRealTest : public ::testing::TestWithParam<RealCase> {};

TEST_P(CreateParamsRealTest, ReadsTheLeadingNumberAsTheCLibraryDoes) {
  double value = -1;
  EXPECT_TRUE(LCreateParams::ReadReal(Parameters(GetParam().text).Get(), u"VALUE", value));
  EXPECT_EQ(value, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, CreateParamsRealTest,
                         ::testing::Values(RealCase{"Plain", u"0.75", 0.75}, RealCase{"LeadingBlanks", u"  0.25", 0.25},
                                           RealCase{"Exponent", u"5e-1", 0.5},
                                           RealCase{"TrailingText", u"0.5 of it", 0.5},
                                           RealCase{"NoNumber", u"half", 0.0},
                                           RealCase{"CommaIsNoDecimalPoint", u"0,5", 0.0}, RealCase{"Empty", u"", 0.0}),
                         [](const ::testing::TestParamInfo<RealCase>& info) { return info.param.name; });

TEST(CreateParamsTest, NotANumberIsReadAsSuchForTheValueToRefuse) {
  double value = 0;
  EXPECT_TRUE(LCreateParams::ReadReal(Parameters(u"nan").Get(), u"VALUE", value));
  EXPECT_TRUE(std::isnan(value));
}

TEST(CreateParamsTest, AnAbsentParameterOrTableLeavesTheValueAlone) {
  bool flag = true;
  double real = 3;
  EXPECT_FALSE(LCreateParams::ReadBoolean(Parameters(u"false").Get(), u"OTHER", flag));
  EXPECT_FALSE(LCreateParams::ReadBoolean(nullptr, u"VALUE", flag));
  EXPECT_FALSE(LCreateParams::ReadReal(nullptr, u"VALUE", real));
  EXPECT_TRUE(flag);
  EXPECT_EQ(real, 3);
  EXPECT_TRUE(LCreateParams::Has(Parameters(u"").Get(), u"VALUE"));
  EXPECT_FALSE(LCreateParams::Has(nullptr, u"VALUE"));
}

}  // namespace
}  // namespace SV
