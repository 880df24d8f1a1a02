#include "SVFramework/Utilities/Storage/UtfConversion.h"

#include <gtest/gtest.h>

#include <string>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {
namespace {

struct Utf8Outcome {
  std::u16string text;
  UtfResult result;
};

Utf8Outcome FromUtf8(const std::string& bytes) {
  std::u16string out(bytes.size() + 1, u'\0');
  const auto* source = reinterpret_cast<const uint8_t*>(bytes.data());
  char16_t* target = out.data();
  const UtfResult result = ConvertUtf8ToUtf16(source, source + bytes.size(), target, out.data() + out.size());
  out.resize(static_cast<size_t>(target - out.data()));
  return {out, result};
}

TEST(Utf8ToUtf16, ChecksEverySequenceAndReplacesOnlyLegalOutOfRangeValues) {
  struct Case { const char* what; std::string bytes; std::u16string text; UtfResult result; };
  const Case cases[] = {
      {"two-byte sequence", "\xC3\xA9", u"\u00E9", UtfResult::Complete},
      {"four-byte sequence becomes a pair", "\xF0\x9F\x8E\xB9", u"\U0001F3B9", UtfResult::Complete},
      {"encoded surrogate is illegal", "a\xED\xA0\x80", u"a", UtfResult::SourceIllegal},
      {"overlong two-byte form", "a\xC0\xAF", u"a", UtfResult::SourceIllegal},
      {"overlong three-byte form", "\xE0\x80\xAF", u"", UtfResult::SourceIllegal},
      {"lead byte above F4", "\xF5\x80\x80\x80", u"", UtfResult::SourceIllegal},
      {"value above U+10FFFF after F4", "\xF4\x90\x80\x80", u"", UtfResult::SourceIllegal},
      {"lone trail byte", "x\x80y", u"x", UtfResult::SourceIllegal},
      {"sequence cut by the end", "ab\xE2\x82", u"ab", UtfResult::SourceExhausted},
      {"bad trail byte", "\xE2\x28\xA1", u"", UtfResult::SourceIllegal},
  };
  for (const Case& c : cases) {
    const Utf8Outcome outcome = FromUtf8(c.bytes);
    EXPECT_EQ(outcome.text, c.text) << c.what;
    EXPECT_EQ(outcome.result, c.result) << c.what;
  }
}

TEST(Utf16ToUtf8, EncodesPairsAndLoneSurrogatesLeniently) {
  struct Case { const char* what; std::u16string units; std::string bytes; UtfResult result; };
  const Case cases[] = {
      {"a pair becomes four bytes", u"\U0001F3B9", "\xF0\x9F\x8E\xB9", UtfResult::Complete},
      {"a lone low surrogate is encoded as is", std::u16string(1, char16_t(0xDC00)), "\xED\xB0\x80", UtfResult::Complete},
      {"a high surrogate before a letter is encoded as is", std::u16string{char16_t(0xD800), u'a'}, "\xED\xA0\x80" "a",
       UtfResult::Complete},
      {"a high surrogate at the very end stops", std::u16string{u'a', char16_t(0xD800)}, "a", UtfResult::SourceExhausted},
  };
  for (const Case& c : cases) {
    std::string out(c.units.size() * 4, '\0');
    const char16_t* source = c.units.data();
    auto* target = reinterpret_cast<uint8_t*>(out.data());
    const UtfResult result = ConvertUtf16ToUtf8(source, source + c.units.size(), target,
                                                reinterpret_cast<uint8_t*>(out.data() + out.size()));
    out.resize(static_cast<size_t>(reinterpret_cast<char*>(target) - out.data()));
    EXPECT_EQ(out, c.bytes) << c.what;
    EXPECT_EQ(result, c.result) << c.what;
  }
}

TEST(ConvertFromUtf8, ReportsAStopAsFailureAndKeepsThePrefix) {
  RCPtr<LIBuffer> buffer;
  EXPECT_EQ(ConvertFromUTF8(buffer, "ok\xFF", -1), E_FAIL);
  EXPECT_EQ(std::u16string(static_cast<const char16_t*>(buffer->GetData())), u"ok");
  EXPECT_EQ(buffer->GetSize(), 6u);
  EXPECT_EQ(ConvertFromUTF8(buffer, "fine", -1), S_OK);
  EXPECT_EQ(ConvertFromUTF8(buffer, "", -1), S_OK);
  EXPECT_EQ(buffer.Get(), String::SharedEmptyBuffer().Get());
}

TEST(ConvertToUtf8, CutsTheBufferToTheTextAndItsTerminator) {
  RCPtr<LIBuffer> buffer;
  EXPECT_EQ(ConvertToUTF8(buffer, u"\u20AC1", -1), S_OK);
  EXPECT_EQ(buffer->GetSize(), 5u);
  EXPECT_STREQ(static_cast<const char*>(buffer->GetData()), "\xE2\x82\xAC" "1");
}

}  // namespace
}  // namespace SV
