#include "Platform/IniFileManager/Format/IniDocument.h"

#include <gtest/gtest.h>

#include "Platform/IniFileManager/Format/IniParser.h"

namespace IniFile {
namespace {

IniDocument Parsed(const std::string& bytes) {
  auto document = IniParser::Parse(bytes);
  EXPECT_TRUE(document.has_value()) << bytes;
  return document ? std::move(*document) : IniDocument();
}

TEST(IniDocument, ChangingAValueKeepsTheRestOfItsLineAndTheFile) {
  IniDocument document = Parsed("; about Key\nKey =  old\nOther=1\n");
  document.SetValue("", "Key", "new");
  EXPECT_EQ(document.Serialise(), "; about Key\nKey =  new\nOther=1\n");
}

TEST(IniDocument, PlacesNewEntriesWhereAReaderExpectsThem) {
  const struct { const char* what; const char* before; const char* section; const char* after; } rows[] = {
      {"after the section's last entry, before what leads to the next section",
       "[A]\nx=1\n\n; about B\n[B]\ny=2\n", "A", "[A]\nx=1\nk=v\n\n; about B\n[B]\ny=2\n"},
      {"right below a header without entries", "[A]\n; note\n", "A", "[A]\nk=v\n; note\n"},
      {"in the root, below the file's leading comments", "; head\n\n[A]\n", "", "; head\nk=v\n\n[A]\n"},
      {"a new section at the end, after a blank line", "A=1\n", "S", "A=1\n\n[S]\nk=v\n"},
      {"a new section in an empty file", "", "S", "[S]\nk=v\n"},
      {"with the file's own line break", "[A]\r\nx=1\r\n", "B", "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n"},
  };
  for (const auto& row : rows) {
    IniDocument document = Parsed(row.before);
    document.SetValue(row.section, "k", "v");
    EXPECT_EQ(document.Serialise(), row.after) << row.what;
  }
}

TEST(IniDocument, EveryValueReadsBackAsWrittenAfterTheFileIsParsedAgain) {
  const char* values[] = {"", " leading", "trailing\t", "\"quoted\"", "\"", "a\"b", "x=y;z # not a comment",
                          "C:\\Presets\\My Folder", "\xF0\x9F\x8E\xB9 keys"};
  for (const char* value : values) {
    IniDocument document;
    document.SetValue("S", "Key", value);
    const IniDocument reread = Parsed(document.Serialise());
    const std::string* read = reread.FindValue("S", "Key");
    ASSERT_NE(read, nullptr) << value;
    EXPECT_EQ(*read, value);
  }
}

TEST(IniDocument, FirstOfRepeatedKeysWinsAndRemovalTakesEveryCopy) {
  IniDocument document = Parsed("[S]\nA=1\nA=2\nB=3\n[T]\nA=9\n[S]\nA=4\nC=5\n");
  EXPECT_EQ(*document.FindValue("S", "A"), "1");
  EXPECT_EQ(document.KeyNames("S"), (std::vector<std::string>{"A", "B", "C"}));
  document.SetValue("S", "A", "changed");
  EXPECT_EQ(document.Serialise(), "[S]\nA=changed\nA=2\nB=3\n[T]\nA=9\n[S]\nA=4\nC=5\n");
  document.RemoveKeys("S", [](std::string_view key) { return key == "A"; });
  EXPECT_EQ(document.Serialise(), "[S]\nB=3\n[T]\nA=9\n[S]\nC=5\n");
}

TEST(IniDocument, KnowsSectionsAndTheSectionsBelowThem) {
  const IniDocument document = Parsed("[Window/Main]\nWidth=1\n");
  EXPECT_TRUE(document.HasSection(""));
  EXPECT_TRUE(document.HasSection("Window/Main"));
  EXPECT_FALSE(document.HasSection("Window"));
  EXPECT_TRUE(document.HasSectionBelow("Window"));
  EXPECT_FALSE(document.HasSectionBelow("Win"));
  EXPECT_FALSE(document.HasSectionBelow("Window/Main"));
}

}  // namespace
}  // namespace IniFile
