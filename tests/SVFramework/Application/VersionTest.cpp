#include "SVFramework/Application/Version.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "SVFramework/Application/StartupErrorText.h"
#include "tests/Support/ScopedEnvironment.h"

namespace SV {
namespace {

using Languages = Version::Languages;
using Translation = Version::Translation;

constexpr uint16_t kGerman = 0x0407, kGermanSwiss = 0x0807, kEnglishUS = 0x0409, kEnglishUK = 0x0809,
                   kFrench = 0x040C, kJapanese = 0x0411, kItalian = 0x0410;

// A module at the platform edge whose path, block and failures a test chooses.
struct FakeModule : ::Platform::System::IModule {
  std::string path = "/opt/corvex/bin/CorvexEditor";
  std::string block;
  bool readFails = false;
  mutable std::string askedFileName;

  std::string GetFilePath() const override { return path; }
  uint32_t GetVersionBlockSize(const std::string& fileName) const override {
    askedFileName = fileName;
    return static_cast<uint32_t>(block.size());
  }
  bool ReadVersionBlock(const std::string& fileName, void* target, uint32_t size) const override {
    if (readFails || size < block.size()) return false;
    std::memcpy(target, block.data(), block.size());
    return true;
  }
};

const char* kTwoLanguageBlock =
    "\\VarFileInfo\\Translation=040904b0 040704b0\n"
    "\\StringFileInfo\\040904b0\\CompanyName=Varkon\n"
    "\\StringFileInfo\\040904b0\\FileDescription=Preset editor\n"
    "\\StringFileInfo\\040704b0\\CompanyName=Varkon\n"
    "\\StringFileInfo\\040704b0\\FileDescription=Preset-Editor\n"
    "\\StringFileInfo\\040704b0\\Comments=nur deutsch\n";

TEST(Version, TheProgramsOwnBlockAnswersTheProductIdentity) {
  const Version version(::Platform::System::ProgramModule::Instance(), {kEnglishUS, kEnglishUS});
  EXPECT_EQ(version.GetCompanyName(), u"Varkon");
  EXPECT_EQ(version.GetProductName(), u"Corvex Editor");
  EXPECT_EQ(version.GetProductVersion(), String(SV_PROJECT_VERSION));
  EXPECT_EQ(version.GetStringValue("FileVersion"), String(SV_PROJECT_VERSION ".0"));
  EXPECT_EQ(version.GetLegalCopyright(), u"Copyright (C) 2026 Varkon. All rights reserved.");
  EXPECT_EQ(version.GetTranslation(), (Translation{kEnglishUS, 1200}));
}

TEST(Version, AGermanUserLocaleChoosesTheGermanStringsOfTheProgramsBlock) {
  Testing::ScopedEnvironment environment;
  for (const char* locale : {"de_DE.UTF-8", "de_AT.UTF-8"}) {
    environment.Set("LC_ALL", locale);
    const Version version;
    EXPECT_EQ(version.GetTranslation(), (Translation{kGerman, 1200})) << locale;
    EXPECT_EQ(version.GetStringValue("FileDescription"),
              u"Corvex Editor, der Preset-Editor f\u00FCr den Keyboard-Controller Corvex") << locale;
    EXPECT_EQ(version.GetProductName(), u"Corvex Editor") << locale;
  }
}

TEST(Version, TheTranslationFollowsUserThenSystemThenEnglishThenTheFirstEntry) {
  struct Case { std::vector<Translation> table; Languages languages; size_t chosen; const char* what; };
  const std::vector<Translation> germanEnglish = {{kGerman, 1200}, {kEnglishUS, 1200}};
  const std::vector<Translation> germanItalian = {{kGerman, 1200}, {kItalian, 1200}};
  const Case cases[] = {
      {germanEnglish, {kGerman, kEnglishUS}, 0, "the user's language"},
      {germanEnglish, {kGermanSwiss, kJapanese}, 0, "any sub-language of the user's language"},
      {germanEnglish, {kFrench, kEnglishUS}, 1, "French user on an English system: English"},
      {germanEnglish, {kFrench, kGerman}, 0, "French user on a German system: the system's language"},
      {germanEnglish, {kFrench, kJapanese}, 1, "French user on a Japanese system: English"},
      {{{kEnglishUK, 1252}, {kEnglishUS, 1200}}, {kFrench, kJapanese}, 0, "the first English entry"},
      {germanItalian, {kFrench, kJapanese}, 0, "no English entry: the first entry"},
      {{{kItalian, 1200}}, {kGerman, kGerman}, 0, "a single entry"},
  };
  for (const Case& c : cases) EXPECT_EQ(Version::ChooseTranslation(c.table, c.languages), c.chosen) << c.what;
}

TEST(Version, TheQueryWritesLanguageAndCodePageAsEightLowerCaseHexadecimalDigits) {
  EXPECT_EQ(Version::BuildQuery({kEnglishUS, 0x04B0}, "CompanyName"), "\\StringFileInfo\\040904b0\\CompanyName");
  EXPECT_EQ(Version::BuildQuery({0x0C0A, 0x04E4}, "ProductName"), "\\StringFileInfo\\0c0a04e4\\ProductName");
}

TEST(Version, AKeyTheChosenTranslationDoesNotHoldGivesAnEmptyString) {
  FakeModule module;
  module.block = kTwoLanguageBlock;
  const Version english(module, {kEnglishUS, kEnglishUS});
  EXPECT_EQ(english.GetStringValue("FileDescription"), u"Preset editor");
  EXPECT_EQ(english.GetStringValue("Comments"), u"");
  EXPECT_EQ(english.GetStringValue("NoSuchKey"), u"");
  const Version german(module, {kGerman, kEnglishUS});
  EXPECT_EQ(german.GetStringValue("Comments"), u"nur deutsch");
}

TEST(Version, TheBlockIsLookedUpByTheModulesBareFileName) {
  FakeModule module;
  module.block = kTwoLanguageBlock;
  const Version version(module, {kEnglishUS, kEnglishUS});
  EXPECT_EQ(module.askedFileName, "CorvexEditor");
}

TEST(Version, EachFailingStepRaisesItsStartupErrorCode) {
  struct Case { const char* path; const char* block; bool readFails; int code; const char* what; };
  const Case cases[] = {
      {"", kTwoLanguageBlock, false, 903, "the module's path cannot be read"},
      {"/opt/corvex/bin/CorvexEditor", "", false, 902, "the module has no block"},
      {"/opt/corvex/bin/CorvexEditor", kTwoLanguageBlock, true, 901, "the block cannot be read"},
      {"/opt/corvex/bin/CorvexEditor", "\\StringFileInfo\\040904b0\\CompanyName=Varkon\n", false, 900,
       "no translation table"},
      {"/opt/corvex/bin/CorvexEditor", "\\VarFileInfo\\Translation=\n", false, 900, "an empty translation table"},
      {"/opt/corvex/bin/CorvexEditor", "\\VarFileInfo\\Translation=0409 04b0\n", false, 900,
       "a malformed translation table"},
  };
  for (const Case& c : cases) {
    FakeModule module;
    module.path = c.path;
    module.block = c.block;
    module.readFails = c.readFails;
    const std::string expected =
        "Runtime Error : The application encountered problems during startup and will now close.  (Error code = " +
        std::to_string(c.code) + ") : SV::Version::Version : Application/Version : Line ";
    try {
      Version version(module, {kEnglishUS, kEnglishUS});
      ADD_FAILURE() << "no exception: " << c.what;
    } catch (const std::runtime_error& error) {
      EXPECT_TRUE(std::string(error.what()).starts_with(expected)) << c.what << "\n" << error.what();
    }
  }
}

String GermanFormat() { return u"Fehler beim Start (%d)"; }

TEST(Version, ErrorTextsComeFromTheApplicationsStringTablesOnceItHasThem) {
  FakeModule module;
  SetStartupErrorFormatProvider(&GermanFormat);
  try {
    Version version(module, {kEnglishUS, kEnglishUS});
    ADD_FAILURE() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_TRUE(std::string(error.what()).starts_with("Runtime Error : Fehler beim Start (902) : SV::Version::Version"))
        << error.what();
  }
  SetStartupErrorFormatProvider(nullptr);
}

}  // namespace
}  // namespace SV
