#include "SVFramework/Renderer/FontRenderer/FontFileReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/Support/CaseName.h"
#include "tests/Support/Renderer/FontFileBuilder.h"

namespace SV {
namespace {

using Testing::FontFileBuilder;
using Testing::FontName;

std::vector<std::string> NamesOf(const std::string& file) {
  std::vector<std::string> found;
  FontFileMemoryBytes bytes(file);
  FontFileReader::ReadNames(bytes, [&](const String& family, const String& style) {
    found.push_back(std::string(family.ToUTF8().GetString()) + "/" + style.ToUTF8().GetString());
  });
  return found;
}

struct ReaderCase {
  const char* what;
  std::string file;
  std::vector<std::string> expected;
};

std::string WithCollectionCount(std::string file, uint32_t count) {
  FontFileBuilder::Put32At(file, 8, count);
  return file;
}

std::string WithNameTableOffset(std::string file, uint32_t offset) {
  FontFileBuilder::Put32At(file, 12 + 8, offset);
  return file;
}

std::string WithTableCount(std::string file, uint16_t count) {
  file[4] = static_cast<char>(count >> 8);
  file[5] = static_cast<char>(count & 0xFF);
  return file;
}

// The first name record's string offset moved far past the end of the file.
std::string WithFirstStringOutside(std::string file) {
  const size_t record = 28 + 6;
  file[record + 10] = '\xFF';
  file[record + 11] = '\xF0';
  return file;
}

std::vector<ReaderCase> ReaderCases() {
  const std::string plain = FontFileBuilder::FamilyAndStyle("Arial", "Bold Italic");
  const auto font = [](std::vector<FontName> names) { return FontFileBuilder::Font(names); };
  return {
      {"windows names pair family with lower cased style", plain, {"Arial/bold italic"}},
      {"macintosh names of language 0 are taken", font({{1, 0, 1, "Mac Face"}, {1, 0, 2, "Regular"}}),
       {"Mac Face/regular"}},
      {"windows names of another language are passed over",
       font({{3, 0x0407, 1, "Deutsch"}, {3, 0x0407, 2, "Fett"}}), {}},
      {"an upper case NAME tag is read as the name table",
       FontFileBuilder::Font({{3, 0x0409, 1, "Upper"}, {3, 0x0409, 2, "Regular"}}, "NAME"), {"Upper/regular"}},
      {"a windows name of odd length 11 gives 5 characters",
       font({{3, 0x0409, 1, std::string("\0A\0B\0C\0D\0EF", 11), true}, {3, 0x0409, 2, "Regular"}}),
       {"ABCDE/regular"}},
      {"the first family pairs with the first style after each pair",
       font({{1, 0, 1, "One"}, {1, 0, 1, "Dropped"}, {1, 0, 2, "Bold"}, {3, 0x0409, 1, "One"}, {3, 0x0409, 2, "Bold"}}),
       {"One/bold", "One/bold"}},
      {"a collection registers each of its fonts",
       FontFileBuilder::Collection({{{3, 0x0409, 1, "C"}, {3, 0x0409, 2, "Regular"}},
                                    {{3, 0x0409, 1, "C"}, {3, 0x0409, 2, "Bold"}},
                                    {{3, 0x0409, 1, "C"}, {3, 0x0409, 2, "Italic"}}}),
       {"C/regular", "C/bold", "C/italic"}},
      {"a collection count beyond the file reads only the offsets that fit",
       WithCollectionCount(FontFileBuilder::Collection({{{1, 0, 1, "Big"}, {1, 0, 2, "Regular"}}}), 0xFFFFFFFFu),
       {"Big/regular"}},
      {"a name table offset past the end registers nothing", WithNameTableOffset(plain, 0x7FFFFFF0u), {}},
      {"a table count beyond the file reads only the records that fit", WithTableCount(plain, 0xFFFF),
       {"Arial/bold italic"}},
      {"a name string outside the file is skipped and the next record taken",
       WithFirstStringOutside(font({{3, 0x0409, 1, "Lost"}, {3, 0x0409, 1, "Kept"}, {3, 0x0409, 2, "Regular"}})),
       {"Kept/regular"}},
      {"a file shorter than a header gives nothing", std::string("ttcf\0\0", 6), {}},
      {"a truncated font gives nothing", plain.substr(0, 40), {}},
  };
}

class FontFileReaderCases : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(FontFileReaderCases, ReadsTheNamePairsThatLieInsideTheFile) {
  EXPECT_EQ(NamesOf(GetParam().file), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(FontFiles, FontFileReaderCases, ::testing::ValuesIn(ReaderCases()),
                         Testing::NameFromWhat());

}  // namespace
}  // namespace SV
