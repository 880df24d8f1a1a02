#include "Platform/IniFileManager/Format/IniParser.h"

#include <gtest/gtest.h>

#include "Platform/IniFileManager/Format/IniTextRules.h"
#include "tests/Support/CaseName.h"

namespace IniFile {
namespace {

struct TextCase {
  const char* what;
  std::string bytes;
};

// Lines of "; xxxx" comments that add up to exactly `size` bytes.
std::string CommentsOfSize(std::size_t size) {
  std::string bytes;
  while (bytes.size() + 64 < size) bytes += "; " + std::string(61, 'x') + "\n";
  bytes += ";" + std::string(size - bytes.size() - 1, 'y');
  return bytes;
}

class TextThatParses : public testing::TestWithParam<TextCase> {};

TEST_P(TextThatParses, IsWrittenBackByteForByte) {
  const auto document = IniParser::Parse(GetParam().bytes);
  ASSERT_TRUE(document.has_value()) << GetParam().what;
  EXPECT_EQ(document->Serialise(), GetParam().bytes) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Cases, TextThatParses, testing::Values(
    TextCase{"comments, blank lines and spacing", "; head\n\n# other\nKey = value\n  Indented=1\n\n[Section] ; note\nA=b=c\n"},
    TextCase{"CR LF line breaks", "A=1\r\n\r\n[S]\r\nB=2\r\n"},
    TextCase{"no line break at the end", "A=1\n[S]\nB=2"},
    TextCase{"a byte order mark", "\xEF\xBB\xBF[S]\nA=1\n"},
    TextCase{"an empty file", ""},
    TextCase{"tabs and empty values", "\tA\t=\t\nB=\n"},
    TextCase{"non-ASCII names and values", "[Kl\xC3\xA4nge]\nNote=\xF0\x9D\x84\x9E\n"},
    TextCase{"a quoted value", "A=\"  spaced  \"\n"},
    TextCase{"exactly the largest size", CommentsOfSize(kMaximumFileSize)}),
    SV::Testing::NameFromWhat());

class TextThatIsRefused : public testing::TestWithParam<TextCase> {};

TEST_P(TextThatIsRefused, GivesNoDocument) {
  EXPECT_FALSE(IniParser::Parse(GetParam().bytes).has_value()) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Cases, TextThatIsRefused, testing::Values(
    TextCase{"a lone continuation byte", "A=\x80\n"},
    TextCase{"an overlong encoding", "A=\xC0\xAF\n"},
    TextCase{"an encoded surrogate", "A=\xED\xA0\x80\n"},
    TextCase{"a code point above U+10FFFF", "A=\xF4\x90\x80\x80\n"},
    TextCase{"a sequence cut off at the end", "A=\xF0\x9F\x8E"},
    TextCase{"a NUL byte", std::string("A=1\0\n", 5)},
    TextCase{"a carriage return inside a line", "A=1\rB=2\n"},
    TextCase{"a line of plain words", "A=1\njust words\n"},
    TextCase{"an unclosed section header", "[Section\n"},
    TextCase{"an empty section name", "[  ]\n"},
    TextCase{"text after a section header", "[A] B\n"},
    TextCase{"an entry without a key", " = value\n"},
    TextCase{"one byte more than the largest size", CommentsOfSize(kMaximumFileSize + 1)}),
    SV::Testing::NameFromWhat());

TEST(IniParser, ReadsValuesWithoutSurroundingBlanksAndOnePairOfQuotes) {
  const auto document = IniParser::Parse(
      "Plain =  x y  \nEmpty=\nQuoted=\" q \"\nDoubly=\"\"q\"\"\nHalf=\"q\nEquals=a=b\n");
  ASSERT_TRUE(document.has_value());
  const struct { const char* key; const char* value; } rows[] = {
      {"Plain", "x y"}, {"Empty", ""}, {"Quoted", " q "}, {"Doubly", "\"q\""}, {"Half", "\"q"}, {"Equals", "a=b"}};
  for (const auto& row : rows) {
    const std::string* value = document->FindValue("", row.key);
    ASSERT_NE(value, nullptr) << row.key;
    EXPECT_EQ(*value, row.value) << row.key;
  }
}

TEST(IniParser, KeysBelongToTheSectionHeaderAboveThem) {
  const auto document = IniParser::Parse("A=root\n[S]\nA=first\n[ T ]\nA=second\n");
  ASSERT_TRUE(document.has_value());
  EXPECT_EQ(*document->FindValue("", "A"), "root");
  EXPECT_EQ(*document->FindValue("S", "A"), "first");
  EXPECT_EQ(*document->FindValue("T", "A"), "second");
}

}  // namespace
}  // namespace IniFile
