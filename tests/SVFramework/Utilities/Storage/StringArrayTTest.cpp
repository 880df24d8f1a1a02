#include "SVFramework/Utilities/Storage/StringArrayT.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {
namespace {

using StringArray = StringArrayT<char16_t, char>;

std::vector<std::string> Texts(const StringArray& pieces) {
  std::vector<std::string> texts;
  for (const String& piece : pieces) texts.emplace_back(piece.ToUTF8().GetString());
  return texts;
}

TEST(StringTokenize, SplitsAtEveryDelimiterKeepingEmptyPiecesButNoneAfterTheLast) {
  struct Case { const char* text; const char16_t* delimiters; std::vector<std::string> pieces; };
  const Case cases[] = {
      {"a,,b,", u",", {"a", "", "b"}},
      {",a", u",", {"", "a"}},
      {"a b", u",", {"a b"}},
      {"", u",", {""}},
      {",", u",", {""}},
      {",,", u",", {"", ""}},
      {"a;b,c", u",;", {"a", "b", "c"}},
      {"a,b", u"", {"a,b"}},
      {"Corvex USB", u" ", {"Corvex", "USB"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Texts(String(c.text).Tokenize(c.delimiters)), c.pieces) << "\"" << c.text << "\"";
    StringArray pieces{String(u"left over")};
    EXPECT_EQ(String(c.text).TokenizeInto(pieces, c.delimiters), static_cast<int32_t>(c.pieces.size())) << c.text;
    EXPECT_EQ(Texts(pieces), c.pieces) << "\"" << c.text << "\"";
  }
}

TEST(StringTokenize, TheNarrowStringSplitsTheSameWay) {
  const StringArrayT<char, char16_t> pieces = NarrowString("x|y||").Tokenize("|");
  ASSERT_EQ(pieces.GetCount(), 3u);
  EXPECT_EQ(pieces[0], NarrowString("x"));
  EXPECT_TRUE(pieces[2].IsEmpty());
}

TEST(StringArraySearch, FindComparesByValueOrIgnoringCaseFromTheStartIndex) {
  const StringArray names{String(u"Corvex"), String(u"corvex usb"), String(u"CORVEX")};
  struct Case { const char16_t* text; bool caseSensitive; uint32_t start; int32_t expected; };
  const Case cases[] = {
      {u"Corvex", true, 0, 0},   {u"corvex", true, 0, -1},  {u"corvex", false, 0, 0},
      {u"corvex", false, 1, 2},  {u"CORVEX", true, 3, -1},  {u"CORVEX", false, 7, -1},
      {u"Corvex USB", false, 0, 1}, {u"", false, 0, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(names.Find(String(c.text), c.caseSensitive, c.start), c.expected)
        << String(c.text) << " " << c.caseSensitive << " from " << c.start;
  EXPECT_EQ(StringArray().Find(String(u"a"), false, 0), -1);
}

TEST(StringArraySearch, FindContainingLooksForASubstring) {
  const StringArray ports{String(u"MIDI Through"), String(u"Corvex MIDI 1"), String(u"corvex USB")};
  EXPECT_EQ(ports.FindContaining(String(u"corvex"), false, 0), 1);
  EXPECT_EQ(ports.FindContaining(String(u"corvex"), true, 0), 2);
  EXPECT_EQ(ports.FindContaining(String(u"CORVEX"), false, 2), 2);
  EXPECT_EQ(ports.FindContaining(String(u"usb"), true, 0), -1);
  EXPECT_EQ(ports.FindContaining(String(u""), true, 1), 1);
  EXPECT_EQ(ports.FindContaining(String(u"MIDI"), true, 3), -1);
}

TEST(StringArraySearch, FindByPointerFindsOnlyTheSameCharacterArrayFromTheLast) {
  const String interned(u"NID_IDLE");
  StringArray ids{String(u"NID_IDLE"), interned, interned};
  EXPECT_EQ(ids.FindByPointer(interned.GetString()), 2);
  EXPECT_EQ(ids.FindByPointer(String(u"NID_IDLE").GetString()), -1) << "an equal text in another buffer";
  ids.RemoveItems(1, 2);
  EXPECT_EQ(ids.FindByPointer(interned.GetString()), -1);
  EXPECT_EQ(ids.Find(interned), 0);
}

}  // namespace
}  // namespace SV
