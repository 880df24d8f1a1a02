#include "Platform/System/VersionBlock.h"

#include <gtest/gtest.h>

#include "Platform/System/ProgramVersionBlock.h"

namespace Platform::System {
namespace {

constexpr std::string_view kBlock =
    "\\VarFileInfo\\Translation=040904b0 040704b0\n"
    "\\StringFileInfo\\040904b0\\CompanyName=Varkon\n"
    "\\StringFileInfo\\040904b0\\Comments=\n"
    "\\StringFileInfo\\040904b0\\Equation=a=b\n"
    "\\StringFileInfo\\040904b0\\CompanyNameLong=Varkon Instruments\n"
    "\\StringFileInfo\\040704b0\\CompanyName=Varkon GmbH";

TEST(VersionBlock, AnswersTheValueAtExactlyTheQueriedPath) {
  struct Case { std::string_view path; std::optional<std::string_view> value; const char* what; };
  const Case cases[] = {
      {"\\VarFileInfo\\Translation", "040904b0 040704b0", "translation table"},
      {"\\StringFileInfo\\040904b0\\CompanyName", "Varkon", "not the longer key that starts alike"},
      {"\\StringFileInfo\\040704b0\\CompanyName", "Varkon GmbH", "last line without a line end"},
      {"\\StringFileInfo\\040904b0\\Comments", "", "an empty value exists"},
      {"\\StringFileInfo\\040904b0\\Equation", "a=b", "the value may hold '='"},
      {"\\StringFileInfo\\040904b0\\ProductName", std::nullopt, "missing key"},
      {"\\StringFileInfo\\040904b0\\Company", std::nullopt, "a prefix of a key is not the key"},
      {"\\StringFileInfo\\040c04b0\\CompanyName", std::nullopt, "missing translation"},
      {"", std::nullopt, "empty path"},
  };
  for (const Case& c : cases) EXPECT_EQ(VersionBlock::Query(kBlock, c.path), c.value) << c.what;
}

TEST(VersionBlock, AnEmptyBlockHoldsNothing) {
  EXPECT_EQ(VersionBlock::Query("", "\\VarFileInfo\\Translation"), std::nullopt);
  EXPECT_EQ(VersionBlock::Query("\n\n", "\\VarFileInfo\\Translation"), std::nullopt);
}

TEST(VersionBlock, TheProgramBlockHoldsTheProductIdentityInEnglishAndGerman) {
  const std::string_view block = ProgramVersionBlock();
  EXPECT_EQ(VersionBlock::Query(block, "\\VarFileInfo\\Translation"), "040904b0 040704b0");
  for (const char* translation : {"040904b0", "040704b0"}) {
    const std::string prefix = std::string("\\StringFileInfo\\") + translation + "\\";
    EXPECT_EQ(VersionBlock::Query(block, prefix + "CompanyName"), "Varkon") << translation;
    EXPECT_EQ(VersionBlock::Query(block, prefix + "ProductName"), "Corvex Editor") << translation;
    EXPECT_EQ(VersionBlock::Query(block, prefix + "LegalCopyright"),
              "Copyright (C) 2026 Varkon. All rights reserved.") << translation;
  }
}

}  // namespace
}  // namespace Platform::System
