#include "SVFramework/Utilities/Storage/StringT.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

namespace SV {
namespace {

TEST(StringSharing, CopiesShareTheBufferUntilOneWrites) {
  String original(u"hello");
  String copy = original;
  EXPECT_EQ(copy.GetBuffer().Get(), original.GetBuffer().Get());
  copy.Append(String(u"!"));
  EXPECT_NE(copy.GetBuffer().Get(), original.GetBuffer().Get());
  EXPECT_EQ(original, u"hello");
  EXPECT_EQ(copy, u"hello!");
}

TEST(StringSharing, EmptyStringsShareOneBufferAndNeverAllocate) {
  String a, b(u""), c(static_cast<const char*>(nullptr));
  EXPECT_EQ(a.GetBuffer().Get(), b.GetBuffer().Get());
  EXPECT_EQ(a.GetBuffer().Get(), c.GetBuffer().Get());
  EXPECT_EQ(a.GetBuffer().Get(), String::SharedEmptyBuffer().Get());
  EXPECT_EQ(a.GetLength(), 0);
}

TEST(StringSharing, ACopyOfALockedStringDoesNotShareItsBuffer) {
  String locked(u"abc");
  char16_t* data = locked.Lock(0);
  String copy = locked;
  data[0] = u'X';
  EXPECT_EQ(copy, u"abc");
  locked.Unlock();
  EXPECT_EQ(locked, u"Xbc");
}

TEST(StringLock, LockOfAStringWhoseBufferIsSharedLeavesTheOtherStringUntouched) {
  String original(u"abc");
  String other = original;
  char16_t* data = original.Lock(10);
  data[0] = u'z';
  original.Unlock();
  EXPECT_EQ(other, u"abc");
  EXPECT_EQ(original, u"zbc");
}

TEST(StringLock, LockZeroGivesRoomForTheTextAndItsTerminator) {
  String text(u"abc");
  char16_t* data = text.Lock(0);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(text.GetBuffer()->GetSize(), 8u);
  EXPECT_EQ(std::u16string(data), u"abc");
  data[0] = u'x';
  data[1] = u'y';
  data[2] = 0;
  EXPECT_EQ(text.GetLength(), 2);  // counted to the first zero while locked
  EXPECT_EQ(text.Unlock(), S_OK);
  EXPECT_EQ(text, u"xy");
  EXPECT_EQ(text.GetBuffer()->GetSize(), 6u);
}

TEST(StringLock, UnlockingAnEmptyTextTakesTheSharedEmptyString) {
  String text(u"abc");
  text.Lock(0)[0] = 0;
  text.Unlock();
  EXPECT_EQ(text.GetBuffer().Get(), String::SharedEmptyBuffer().Get());
}

// Every locked character filled leaves no zero in the locked area: Unlock must write
// the terminator itself, or readers that run to the zero go past the text.
TEST(StringLock, UnlockTerminatesATextThatFillsEveryLockedCharacter) {
  struct Case { const char16_t* before; const char* what; };
  const Case cases[] = {
      {u"", "a fresh buffer grown by Unlock"},
      {u"zzzzzzzzzz", "a block kept from a longer text, its old characters beyond the lock"},
  };
  for (const Case& c : cases) {
    String text(c.before);
    char16_t* data = text.Lock(4);
    for (int i = 0; i < 4; ++i) data[i] = static_cast<char16_t>(u'a' + i);
    ASSERT_EQ(text.Unlock(), S_OK) << c.what;
    EXPECT_EQ(text.GetLength(), 4) << c.what;
    EXPECT_EQ(std::u16string(text.GetString()), u"abcd") << c.what;
    EXPECT_STREQ(text.ToUTF8().GetString(), "abcd") << c.what;
  }
}

TEST(StringLock, UnlockTerminatesABrimFullNarrowText) {
  NarrowString text("zzzzzzzzzz");
  char* data = text.Lock(3);
  std::memcpy(data, "abc", 3);
  ASSERT_EQ(text.Unlock(), S_OK);
  EXPECT_STREQ(text.GetString(), "abc");
  EXPECT_EQ(String(text), u"abc");
}

TEST(StringLock, LocksDoNotNestAndUnlockOfAnUnlockedStringAnswersOne) {
  String text(u"abc");
  EXPECT_EQ(text.Unlock(), S_FALSE);
  ASSERT_NE(text.Lock(0), nullptr);
  EXPECT_EQ(text.Lock(0), nullptr);
  EXPECT_EQ(text.Unlock(), S_OK);
}

TEST(StringLock, AssignIntoALockedStringIsCutToItsLockedSize) {
  String text;
  text.Lock(4);
  text.Assign(u"abcdefgh");
  EXPECT_EQ(text.GetLength(), 3);
  text.Unlock();
  EXPECT_EQ(text, u"abc");
}

TEST(StringEditing, AppendToItselfDoublesTheText) {
  String text(u"ab");
  text.Append(text);
  EXPECT_EQ(text, u"abab");
  String locked(u"cd");
  locked.Lock(0);
  locked.Append(locked);
  locked.Unlock();
  EXPECT_EQ(locked, u"cdcd");
}

TEST(StringEditing, AppendGrowsABufferHeldAloneToTheExactSizeAndLeavesItShareable) {
  String text(u"ab");
  const auto* buffer = text.GetBuffer().Get();
  text.AppendWChar(u'c');
  text.Append(String(u"de"));
  EXPECT_EQ(text, u"abcde");
  EXPECT_EQ(text.GetBuffer().Get(), buffer);
  EXPECT_EQ(text.GetBuffer()->GetSize(), 12u);
  EXPECT_EQ(text.GetBuffer()->GetCapacity(), 12u);
  EXPECT_FALSE(text.IsLocked());
  const String copy = text;
  EXPECT_EQ(copy.GetBuffer().Get(), buffer);
}

TEST(StringEditing, AppendToALockedStringKeepsItLockedAndTerminated) {
  String text(u"zzzzzzzz");
  text.Lock(3)[0] = 0;
  text.AppendWChar(u'x');
  text.Append(String(u"yz"));
  EXPECT_TRUE(text.IsLocked());
  EXPECT_EQ(std::u16string(text.GetString()), u"xyz");
  text.Unlock();
  EXPECT_EQ(text, u"xyz");
}

TEST(StringEditing, AppendedCharactersAreConvertedToTheStringsWidth) {
  struct Case { char narrow; char16_t wide; const char16_t* expectedWide; const char* expectedNarrow; const char* what; };
  const Case cases[] = {
      {'c', u'c', u"abcc", "abcc", "ASCII"},
      {0, 0, u"ab", "ab", "a zero appends nothing"},
      {'\xC3', u'\u00E9', u"ab\u00E9", "ab\xC3\xC3\xA9", "beyond ASCII: a lone UTF-8 byte converts to nothing"},
  };
  for (const Case& c : cases) {
    String wide(u"ab");
    wide.AppendChar(c.narrow);
    wide.AppendWChar(c.wide);
    EXPECT_EQ(wide, c.expectedWide) << c.what;
    NarrowString narrow("ab");
    narrow.AppendChar(c.narrow);
    narrow.AppendWChar(c.wide);
    EXPECT_EQ(narrow, c.expectedNarrow) << c.what;
  }
}

TEST(StringEditing, InsertAtTheEndTheStartAndInside) {
  struct Case { int32_t position; const char16_t* expected; SVRESULT result; };
  for (const Case c : {Case{3, u"abcx", S_OK}, Case{0, u"xabc", S_OK}, Case{1, u"axbc", S_OK},
                       Case{4, u"abc", E_INVALIDARG}, Case{-1, u"abc", E_INVALIDARG}}) {
    String text(u"abc");
    EXPECT_EQ(text.Insert(c.position, String(u"x")), c.result) << c.position;
    EXPECT_EQ(text, c.expected) << c.position;
  }
}

TEST(StringEditing, InsertOfTextTakesACountOnlyWhenTheTextReachesIt) {
  String text(u"ab");
  text.Insert(1, "xyz", 2);
  EXPECT_EQ(text, u"axyb");
  String whole(u"ab");
  whole.Insert(1, "xyz", 10);  // the text is shorter than the count: all of it
  EXPECT_EQ(whole, u"axyzb");
  String utf8(u"ab");
  utf8.Insert(2, "\xC3\xA9", -1);
  EXPECT_EQ(utf8, u"ab\u00E9");
}

TEST(StringEditing, RemoveOnlyARangeInsideTheText) {
  String text(u"abcdef");
  EXPECT_TRUE(text.Remove(1, 2));
  EXPECT_EQ(text, u"adef");
  EXPECT_FALSE(text.Remove(4, 0));
  EXPECT_FALSE(text.Remove(2, 3));
  EXPECT_EQ(text, u"adef");
}

TEST(StringSubstrings, MidClipsItsWindowToTheText) {
  const String text(u"abcdef");
  struct Case { int32_t start, count; const char16_t* expected; const char* what; };
  const Case cases[] = {
      {1, 3, u"bcd", "inside"},
      {-3, 3, u"def", "from the end"},
      {-8, 4, u"ab", "starting before the text"},
      {-20, 4, u"", "wholly before the text"},
      {-6, 6, u"abcdef", "exactly the text from the end"},
      {6, 1, u"", "at the end"},
      {2, -1, u"cdef", "negative count means the rest"},
      {4, 10, u"ef", "past the end"},
      {2, 0, u"", "zero count"},
  };
  for (const Case& c : cases) EXPECT_EQ(text.Mid(c.start, c.count), c.expected) << c.what;
  EXPECT_EQ(text.Right(3), u"def");
  EXPECT_EQ(text.Left(2), u"ab");
  EXPECT_EQ(text.Mid(4), u"ef");
  EXPECT_EQ(text.Right(10), u"abcdef");
}

TEST(StringSearch, FindAndReverseFind) {
  const String text(u"hello");
  EXPECT_EQ(text.Find(String(u"lo")), 3);
  EXPECT_EQ(text.Find(String(u"x")), -1);
  EXPECT_EQ(text.Find(String()), 0);
  EXPECT_EQ(text.Find(String(u"l"), 3), 3);
  EXPECT_EQ(text.Find(u'l', 4), -1);
  EXPECT_EQ(text.ReverseFind('l'), 3);
  EXPECT_EQ(text.ReverseFind('z'), -1);
  EXPECT_EQ(String(u"a/b/c").ReverseFind('/'), 3);
}

TEST(StringComparison, EqualsTreatsNullAsEmpty) {
  EXPECT_TRUE(String().Equals(nullptr));
  EXPECT_FALSE(String(u"a").Equals(nullptr));
  EXPECT_TRUE(String(u"a").Equals(u"a"));
  EXPECT_FALSE(String(u"a").Equals(u"A"));
  EXPECT_TRUE(String(u"\u00E9t\u00E9") == "\xC3\xA9t\xC3\xA9");
  EXPECT_TRUE(NarrowString("\xC3\xA9") == u"\u00E9");
}

TEST(StringComparison, OrdersByCodeUnitWithAPrefixFirst) {
  EXPECT_TRUE(String(u"ab") < String(u"abc"));
  EXPECT_TRUE(String(u"B") < String(u"a"));
  EXPECT_FALSE(String(u"a") < String(u"a"));
  EXPECT_TRUE(String(u"\u00E9") < String(u"\U00010000"));  // 00E9 < D800 as code units
  EXPECT_TRUE(String(u"\U00010000") < String(u"\uFFFF"));  // D800 < FFFF: not code-point order
  std::map<String, int> map{{String(u"b"), 2}, {String(u"a"), 1}};
  EXPECT_EQ(map.begin()->second, 1);
}

TEST(StringCase, MapsBeyondAsciiWhateverTheLocale) {
  EXPECT_EQ(String(u"Stra\u00DFe \u00C9t\u00E9").ToLower(), u"stra\u00DFe \u00E9t\u00E9");
  EXPECT_EQ(String(u"abc\u00E9").ToUpper(), u"ABC\u00C9");
  EXPECT_EQ(NarrowString("abc\xC3\xA9").ToUpper(), "ABC\xC3\xA9");
}

TEST(StringTrim, TrimsTheDefaultSetAndKeepsATextMadeOnlyOfIt) {
  EXPECT_EQ(String(u" \t ab \r\n").Trim(), u"ab");
  EXPECT_EQ(String(u"  ab").TrimLeft(), u"ab");
  EXPECT_EQ(String(u"   ").TrimLeft(), u"   ");
  EXPECT_EQ(String(u"   ").TrimRight(), u"");
  EXPECT_EQ(String(u"ab--").TrimRight(u"-"), u"ab");
}

TEST(StringReplace, ReplaceAnyWritesInPlaceAndIgnoresAZeroReplacement) {
  String path(u"a\\b\\c");
  String sharing = path;
  path.ReplaceAny(u"\\", u'/');
  EXPECT_EQ(path, u"a/b/c");
  EXPECT_EQ(sharing, u"a\\b\\c");
  EXPECT_EQ(path.ReplaceAny(u"/", 0), u"a/b/c");
}

TEST(StringNumbers, ToIntFollowsAtoiRulesAndSaturates) {
  struct Case { const char16_t* text; int32_t expected; };
  for (const Case c : {Case{u"  42abc", 42}, Case{u"-17", -17}, Case{u"+5", 5}, Case{u"abc", 0},
                       Case{u"99999999999", INT32_MAX}, Case{u"-99999999999", INT32_MIN},
                       Case{u"-2147483648", INT32_MIN}, Case{u"", 0}})
    EXPECT_EQ(String(c.text).ToInt(), c.expected) << String(c.text);
}

TEST(StringNumbers, ToDoubleReadsAPointWhateverTheLocale) {
  EXPECT_DOUBLE_EQ(String(u" 3.25xyz").ToDouble(), 3.25);
  EXPECT_DOUBLE_EQ(String(u"-1e3").ToDouble(), -1000.0);
  EXPECT_DOUBLE_EQ(String(u"nothing").ToDouble(), 0.0);
}

TEST(StringNumbers, FromDoubleAndFixedPoint) {
  EXPECT_EQ(String::FromDouble(3.14159, 2), u"3.14");
  EXPECT_EQ(String::FromDouble(2.5, -1), u"2.500000");
  EXPECT_EQ(FormatFixedPoint(12345, 2), u"123.45");
  EXPECT_EQ(FormatFixedPoint(5, 2), u".05");
  EXPECT_EQ(FormatFixedPoint(12, 2), u".12");
  EXPECT_EQ(FormatFixedPoint(-5, 2), u"-.05");
  EXPECT_EQ(FormatFixedPoint(INT32_MIN, 0), u"-2147483648");
  EXPECT_EQ(FormatFixedPointUnsigned(7, -1), u"7");
}

TEST(StringConversion, Utf8AndUtf16RoundTrip) {
  const char* utf8 = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xB9";
  const String wide(utf8);
  EXPECT_EQ(wide, u"a\u00E9\u20AC\U0001F3B9");
  EXPECT_STREQ(wide.ToUTF8().GetString(), utf8);
}

TEST(StringConversion, AStringBuiltFromIllegalUtf8HoldsTheTextBeforeIt) {
  EXPECT_EQ(String("ab\xFF"), u"ab");
  EXPECT_EQ(String("ab\xED\xA0\x80" "cd"), u"ab");
}

TEST(StringConversion, AssignUtf8TakesAtMostTheCount) {
  String text(u"old");
  text.AssignUTF8("hello", 3);
  EXPECT_EQ(text, u"hel");
  text.AssignUTF8("hi", 50);
  EXPECT_EQ(text, u"hi");
  text.AssignUTF8("x", 0);
  EXPECT_TRUE(text.IsEmpty());
}

TEST(StringConversion, NarrowStringFromABufferWithoutTerminatorGetsOneOnAPrivateCopy) {
  RCPtr<LIBuffer> bytes = LStringBuffer::Create(3, 0, true);
  std::memcpy(bytes->GetData(), "abc", 3);
  const NarrowString text(bytes);
  EXPECT_EQ(text, "abc");
  EXPECT_EQ(bytes->GetSize(), 3u);
  RCPtr<LIBuffer> terminated = LStringBuffer::Create(4, 0, true);
  std::memcpy(terminated->GetData(), "xyz", 4);
  const NarrowString shared(terminated);
  EXPECT_EQ(shared.GetBuffer().Get(), terminated.Get());
}

TEST(StringFormat, FormatsTheFrameworkDialectWhateverTheLocale) {
  EXPECT_EQ(String::FromFormat(u"%s=%S", u"wide", "narrow"), u"wide=narrow");
  EXPECT_EQ(String::FromFormat(u"%d %ld %I32d", -1, 2, 3), u"-1 2 3");
  EXPECT_EQ(String::FromFormat(u"%I64d %I64X %lld", int64_t{-5}, uint64_t{0xABCDEF0123}, 7LL), u"-5 ABCDEF0123 7");
  EXPECT_EQ(String::FromFormat(u"%5.2f|%-4d|%04d|%x", 3.14159, 7, 42, 255), u" 3.14|7   |0042|ff");
  EXPECT_EQ(String::FromFormat(u"%c%C%%", u'\u00E9', 'z'), u"\u00E9z%");
  EXPECT_EQ(String::FromFormat(u"%.3s|%s", u"abcdef", static_cast<const char16_t*>(nullptr)), u"abc|(null)");
  EXPECT_EQ(NarrowString::FromFormat("%s %S %.1f", "n", u"\u00E9", 0.25), "n \xC3\xA9 0.2");
}

TEST(StringFormat, NeverWritesPastTheWorkArea) {
  const std::u16string longText(20000, u'x');
  const String formatted = String::FromFormat(u"%s%s", longText.c_str(), longText.c_str());
  EXPECT_EQ(formatted.GetLength(), 16383);
}

}  // namespace
}  // namespace SV
