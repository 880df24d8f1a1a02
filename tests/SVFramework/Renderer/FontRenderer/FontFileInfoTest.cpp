#include "SVFramework/Renderer/FontRenderer/FontFileInfo.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "SVFramework/Utilities/Graphics/Font.h"
#include "tests/Support/RaisedText.h"
#include "tests/Support/Renderer/FontFileBuilder.h"
#include "tests/Support/Renderer/StandInApplication.h"
#include "tests/Support/TemporaryFolder.h"
#include "tests/Support/TextConversions.h"

namespace SV {
namespace {

using Testing::FontFileBuilder;

const std::string kDejaVuFolder = "/usr/share/fonts/truetype/dejavu";

std::string ReadWhole(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

using Testing::Utf8;

// A folder of fixture fonts: copies of DejaVu Sans and its bold face, a truncated copy
// and a file of noise that sort between them, a family with a regular face only, and a
// collection; the index is built over it and emptied afterwards.
class FontIndexFolder : public ::testing::Test {
protected:
  void SetUp() override {
    const std::string regular = ReadWhole(kDejaVuFolder + "/DejaVuSans.ttf");
    ASSERT_GT(regular.size(), 1000u) << "fonts-dejavu-core is installed by scripts/setup";
    folder.WriteFile("a-regular.ttf", regular);
    folder.WriteFile("b-truncated.ttf", regular.substr(0, 300));
    folder.WriteFile("c-noise.TTF", std::string(5000, '\xEE'));
    std::filesystem::create_directory(folder.PathOf("nested"));
    folder.WriteFile("nested/d-bold.ttf", ReadWhole(kDejaVuFolder + "/DejaVuSans-Bold.ttf"));
    folder.WriteFile("e-only-regular.ttf", FontFileBuilder::FamilyAndStyle("Lonely", "Regular"));
    folder.WriteFile("f-lonely.ttc", FontFileBuilder::Collection({{{3, 0x0409, 1, "Lonely"}, {3, 0x0409, 2, "Regular"}}}));
    folder.WriteFile("ignored.otf", FontFileBuilder::FamilyAndStyle("Ignored", "Regular"));
    ASSERT_EQ(LFontFileInfo::BuildIndex({String(folder.Path().c_str())}), S_OK);
  }
  void TearDown() override { LFontFileInfo::EmptyIndex(); }

  std::string PathOf(const char* family, int32_t slot) {
    const RCPtr<LFontFileInfo> info = LFontFileInfo::FindFamily(String(family));
    return info ? Utf8(info->GetPath(slot)) : "(no family)";
  }

  Testing::TemporaryFolder folder;
  Testing::StandInApplication application;
};

TEST_F(FontIndexFolder, IndexesGoodFilesAndSkipsDamagedOnesWithoutStopping) {
  EXPECT_EQ(LFontFileInfo::GetFamilyCount(), 2u);
  EXPECT_EQ(PathOf("DejaVu Sans", LFontFileInfo::kRegular), folder.PathOf("a-regular.ttf"));
  EXPECT_EQ(PathOf("DejaVu Sans", LFontFileInfo::kBold), folder.PathOf("nested/d-bold.ttf"))
      << "the files after the damaged ones are still read";
  EXPECT_EQ(PathOf("DejaVu Sans", LFontFileInfo::kItalic), "");
  EXPECT_EQ(PathOf("Lonely", LFontFileInfo::kRegular), folder.PathOf("f-lonely.ttc"))
      << "collections are read after every .ttf file, and the last one wins";
  EXPECT_EQ(LFontFileInfo::FindFamily(u"Ignored"), nullptr);
}

TEST_F(FontIndexFolder, AStyleWithoutAFileIsServedByTheNearestAndKeepsIt) {
  const RCPtr<LFont> boldItalic = LFont::GetFont(u"DejaVu Sans", 9, 3);
  const int32_t id = LFontFileInfo::GetFileID(boldItalic);
  EXPECT_EQ(id, 0 * 4 + 3);
  EXPECT_EQ(Utf8(LFontFileInfo::GetFilePath(id)), folder.PathOf("nested/d-bold.ttf"));
  EXPECT_EQ(Utf8(LFontFileInfo::GetFilePath(-1)), "");
  EXPECT_EQ(Utf8(LFontFileInfo::GetFilePath(4 * 7)), "");
}

TEST_F(FontIndexFolder, UnderlineAndStrikeoutDoNotChangeTheFamilyOfTheFaceId) {
  struct Row {
    int32_t style;
    int32_t expected;
  };
  const int32_t lonely = LFontFileInfo::FindFamily(u"Lonely")->GetIndex();
  for (const Row row : {Row{0, 0}, Row{4, 0}, Row{8, 0}, Row{1 | 4, 1}, Row{2 | 8, 2}, Row{3 | 4 | 8, 3}}) {
    const RCPtr<LFont> font = LFont::GetFont(u"Lonely", 10, row.style);
    const int32_t id = LFontFileInfo::GetFileID(font);
    EXPECT_EQ(id, lonely * 4 + row.expected) << "style " << row.style;
    EXPECT_EQ(Utf8(LFontFileInfo::GetFilePath(id)), folder.PathOf("f-lonely.ttc")) << "style " << row.style;
  }
}

TEST_F(FontIndexFolder, AnUnknownFaceFallsBackToTheSystemFontAndNeitherRaises) {
  const RCPtr<LFont> lowerCase = LFont::GetFont(u"dejavu sans", 9, 0);
  EXPECT_EQ(LFontFileInfo::GetFileID(lowerCase), 0) << "the stand-in system font is DejaVu Sans";
  LFontFileInfo::EmptyIndex();
  LFontFileInfo::Register(u"Other", u"regular", u"/nowhere.ttf");
  const RCPtr<LFont> missing = LFont::GetFont(u"No Such Face", 9, 0);
  EXPECT_THAT(Testing::RaisedText([&] { LFontFileInfo::GetFileID(missing); }),
              ::testing::StartsWith("Runtime Error : SV::LFontFileInfo::GetFileID"));
}

TEST(FontIndexSystem, FindsDejaVuSansInThePlatformFontFolders) {
  ASSERT_EQ(LFontFileInfo::BuildIndex(), S_OK);
  const RCPtr<LFontFileInfo> info = LFontFileInfo::FindFamily(u"DejaVu Sans");
  ASSERT_TRUE(info);
  EXPECT_EQ(std::filesystem::path(Utf8(info->GetPath(LFontFileInfo::kBold))).filename(), "DejaVuSans-Bold.ttf");
  LFontFileInfo::EmptyIndex();
}

}  // namespace
}  // namespace SV
