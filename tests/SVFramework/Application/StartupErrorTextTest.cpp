#include "SVFramework/Application/StartupErrorText.h"

#include <gtest/gtest.h>

namespace SV {
namespace {

String gFormat;
String ProvideFormat() { return gFormat; }

class StartupErrorText : public ::testing::Test {
protected:
  void TearDown() override { SetStartupErrorFormatProvider(nullptr); }
};

TEST_F(StartupErrorText, WithoutStringTablesTheBuiltInTextCarriesTheCode) {
  EXPECT_EQ(GetStartupErrorText(903),
            u"The application encountered problems during startup and will now close.  (Error code = 903)");
  EXPECT_EQ(GetStartupErrorText(-1),
            u"The application encountered problems during startup and will now close.  (Error code = -1)");
}

TEST_F(StartupErrorText, TheStringTablesFormatIsUsedOnlyWhenItTakesExactlyOneInteger) {
  struct Case { const char16_t* format; const char16_t* expected; const char* what; };
  const char16_t* builtIn = u"The application encountered problems during startup and will now close.  (Error code = 900)";
  const Case cases[] = {
      {u"Start fehlgeschlagen (Fehler %d).", u"Start fehlgeschlagen (Fehler 900).", "one integer"},
      {u"100%% sicher: %5d", u"100% sicher:   900", "a percent sign and a width"},
      {u"Code %x", u"Code 384", "hexadecimal"},
      {u"", builtIn, "an empty entry"},
      {u"Code %s", builtIn, "a string conversion"},
      {u"Code %d and %d", builtIn, "two integers"},
      {u"No code at all", builtIn, "no conversion"},
      {u"Code %", builtIn, "a lone percent sign at the end"},
      {u"Code %I64d", builtIn, "a 64-bit conversion"},
  };
  SetStartupErrorFormatProvider(&ProvideFormat);
  for (const Case& c : cases) {
    gFormat = c.format;
    EXPECT_EQ(GetStartupErrorText(900), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace SV
