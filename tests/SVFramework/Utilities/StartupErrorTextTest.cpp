#include "SVFramework/Utilities/StartupErrorText.h"

#include <gtest/gtest.h>

namespace SV {
namespace {

String TableFormat() { return u"Startup error %d"; }
String EmptyFormat() { return u""; }
String FormatWithText() { return u"Error %s"; }

class StartupErrorTextTest : public ::testing::Test {
protected:
  void TearDown() override { SetStartupErrorFormatSource(nullptr); }
};

TEST_F(StartupErrorTextTest, WithoutAnApplicationTheBuiltInTextCarriesTheCode) {
  EXPECT_EQ(GetStartupErrorText(901),
            u"The application encountered problems during startup and will now close.  (Error code = 901)");
  EXPECT_EQ(GetStartupErrorText(-5),
            u"The application encountered problems during startup and will now close.  (Error code = -5)");
}

TEST_F(StartupErrorTextTest, TheApplicationsFormatIsUsedOnlyWhenItTakesJustTheCode) {
  struct Case {
    StartupErrorFormatSource source;
    const char16_t* expected;
  };
  const Case cases[] = {
      {&TableFormat, u"Startup error 902"},
      {&EmptyFormat, u"The application encountered problems during startup and will now close.  (Error code = 902)"},
      {&FormatWithText,
       u"The application encountered problems during startup and will now close.  (Error code = 902)"},
  };
  for (const Case& row : cases) {
    SetStartupErrorFormatSource(row.source);
    EXPECT_EQ(GetStartupErrorText(902), row.expected);
  }
}

}  // namespace
}  // namespace SV
