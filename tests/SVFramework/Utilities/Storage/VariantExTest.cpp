#include "SVFramework/Utilities/Storage/VariantEx.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "SVFramework/Utilities/Storage/Array.h"

namespace SV {
namespace {

VariantEx TextEx(const char* text) {
  VariantEx v;
  v.SetString(text);
  return v;
}

VariantEx Int32(int32_t value) {
  VariantEx v;
  v.SetInt32(value);
  return v;
}

VariantEx ListEx(const std::vector<Variant>& items) {
  VariantEx v;
  v.SetArray(items.data(), static_cast<uint32_t>(items.size()));
  return v;
}

Variant PlainInt32(int32_t value) {
  Variant v;
  v.SetInt32(value);
  return v;
}

struct TruthRow {
  const char* what;
  VariantEx value;
  bool expected;
};

TEST(VariantExText, OnlyTheWordTrueInAnyCaseIsTrue) {
  const std::vector<TruthRow> rows = {
      {"upper case", TextEx("TRUE"), true},
      {"lower case", TextEx("true"), true},
      {"mixed case", TextEx("tRuE"), true},
      {"a digit", TextEx("1"), false},
      {"yes", TextEx("yes"), false},
      {"leading space", TextEx(" true"), false},
      {"longer text", TextEx("trueish"), false},
      {"empty text", TextEx(""), false},
      {"int32 1 is not text", Int32(1), true},
  };
  for (const TruthRow& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(row.value.GetBool(), row.expected);
  }
}

TEST(VariantExText, IntegerGettersReadTheLeadingDecimalNumber) {
  EXPECT_EQ(TextEx("42abc").GetInt32(), 42);
  EXPECT_EQ(TextEx("abc").GetInt32(), 0);
  EXPECT_EQ(TextEx("  -7 apples").GetInt16(), -7);
  EXPECT_EQ(TextEx("300").GetInt8(), 44);  // cut to eight bits
  EXPECT_EQ(TextEx("300").GetUInt8(), 44);
  EXPECT_EQ(TextEx("70000").GetUInt16(), 4464);
  EXPECT_EQ(TextEx("99999999999").GetInt32(), std::numeric_limits<int32_t>::max());
}

TEST(VariantExText, SixtyFourBitGettersReadTheWholeRange) {
  EXPECT_EQ(TextEx("-12345678901").GetInt64(), -12345678901);
  EXPECT_EQ(TextEx("9223372036854775808").GetInt64(), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(TextEx("-9223372036854775809").GetInt64(), std::numeric_limits<int64_t>::min());
  EXPECT_EQ(TextEx("-1").GetUInt64(), std::numeric_limits<uint64_t>::max());
  // GetUInt32 takes the low bits of the 64-bit reading, not the saturated 32-bit one.
  EXPECT_EQ(TextEx("4294967297").GetUInt32(), 1u);
}

TEST(VariantExText, RealGettersParseTheTextWhereThePlainValueGivesItsLength) {
  const VariantEx text = TextEx("2.5");
  EXPECT_DOUBLE_EQ(text.GetDouble(), 2.5);
  EXPECT_FLOAT_EQ(text.GetFloat(), 2.5f);
  const Variant plain(text);
  EXPECT_DOUBLE_EQ(plain.GetDouble(), 3.0);
  EXPECT_DOUBLE_EQ(TextEx("-1e3x").GetDouble(), -1000.0);
  EXPECT_DOUBLE_EQ(TextEx("x1").GetDouble(), 0.0);
}

TEST(VariantExText, NonTextValuesReadAsPlainValuesDo) {
  VariantEx real;
  real.SetDouble(-2.5);
  EXPECT_EQ(real.GetInt32(), -3);
  EXPECT_EQ(real.GetUInt32(), 0xFFFFFFFDu);
  EXPECT_EQ(real.GetInt64(), -3);
}

struct TextRow {
  const char* what;
  VariantEx value;
  std::u16string expected;
};

TEST(VariantExText, EveryKindRendersAsText) {
  VariantEx boolean, int8, uint32, real32, real64, int64, uint64;
  boolean.SetBool(true);
  int8.SetInt8(-1);
  uint32.SetUInt32(4000000000u);
  real32.SetFloat(2.5f);
  real64.SetDouble(-0.125);
  int64.SetInt64(-5);
  uint64.SetUInt64(255);
  const std::vector<TextRow> rows = {
      {"empty", VariantEx(), u"<empty>"},
      {"bool", boolean, u"true"},
      {"int8 is sign-extended", int8, u"-1"},
      {"uint32", uint32, u"4000000000"},
      {"float with six decimals", real32, u"2.500000"},
      {"double with six decimals", real64, u"-0.125000"},
      {"int64", int64, u"-5"},
      {"uint64 in hexadecimal", uint64, u"FF"},
      {"string decoded from UTF-8", TextEx("h\xC3\xA9llo"), u"h\u00E9llo"},
      {"packed array", ListEx({PlainInt32(5), PlainInt32(7)}), u"array(2):\n  [0] 5\n  [1] 7"},
  };
  for (const TextRow& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(std::u16string(row.value.ValueToString().View()), row.expected);
    EXPECT_EQ(std::u16string(row.value.ToString().View()), row.expected);
  }
}

TEST(VariantExText, NestedArraysIndentTheirElementsOneLevelDeeper) {
  const Variant inner = ListEx({PlainInt32(2), PlainInt32(3)});
  const VariantEx outer = ListEx({PlainInt32(1), inner});
  EXPECT_EQ(std::u16string(outer.ToString(0).View()),
            u"array(2):\n  [0] 1\n  [1] array(2):\n    [0] 2\n    [1] 3");
  EXPECT_EQ(std::u16string(outer.ToString(1).View()),
            u"array(2):\n    [0] 1\n    [1] array(2):\n      [0] 2\n      [1] 3");
  EXPECT_EQ(std::u16string(ListEx({}).ToString(0).View()), u"<empty array>");
}

TEST(VariantExText, ArraysNestedPastTheRenderedDepthShowOnlyTheirHeader) {
  VariantEx deep = Int32(5);
  for (uint32_t level = 0; level <= VariantEx::kMaxRenderedNesting; ++level) deep.SetArray(&deep, 1);
  const std::u16string text(deep.ToString(0).View());

  std::u16string expected = u"array(1):";
  for (uint32_t level = 1; level <= VariantEx::kMaxRenderedNesting; ++level)
    expected += u"\n" + std::u16string(2 * level, u' ') + u"[0] array(1):";
  expected += u" ...";
  EXPECT_EQ(text, expected);
}

TEST(VariantExBuffer, HandsOutThePayloadOfBuffersAndStringsWithoutACopy) {
  VariantEx buffer;
  const uint8_t byte = 64;
  buffer.SetBuffer(&byte, 1);
  RCPtr<LIBuffer> held = buffer.GetBuffer();
  ASSERT_TRUE(held);
  EXPECT_EQ(held->GetSize(), 1u);
  uint32_t size = 0;
  EXPECT_EQ(held->GetData(), buffer.GetData(size));

  buffer.Empty();
  EXPECT_EQ(static_cast<const uint8_t*>(held->GetData())[0], 64);  // the holder keeps it alive
  EXPECT_EQ(held->GetRefCount(), 1);

  const VariantEx text = TextEx("ab");
  EXPECT_EQ(text.GetBuffer()->GetSize(), 3u);
}

TEST(VariantExBuffer, OtherKindsRaiseARuntimeError) {
  try {
    (void)Int32(1).GetBuffer();
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Runtime Error : SV::VariantEx::GetBuffer : Utilities/Storage/VariantEx : Line ", 0), 0u)
        << error.what();
  }
  EXPECT_THROW((void)ListEx({}).GetBuffer(), std::runtime_error);
}

TEST(VariantExCopy, ACopyKeepsItsPayloadInABufferOfItsOwn) {
  Variant plain;
  plain.SetString("shared?");
  VariantEx fromPlain(plain);
  VariantEx copy(fromPlain);
  VariantEx assigned;
  assigned = copy;
  uint32_t size = 0;
  for (const VariantEx* v : {&fromPlain, &copy, &assigned}) {
    EXPECT_STREQ(v->GetString(), "shared?");
    EXPECT_EQ(v->GetBuffer()->GetData(), v->GetData(size));
  }
  EXPECT_NE(copy.GetBuffer().Get(), fromPlain.GetBuffer().Get());
  EXPECT_NE(assigned.GetBuffer().Get(), copy.GetBuffer().Get());
  const VariantEx& itself = assigned;
  assigned = itself;
  EXPECT_STREQ(assigned.GetString(), "shared?");
}

TEST(VariantExCopy, ReadingABlockPutsThePayloadInTheBuffer) {
  const uint8_t block[] = {14, 0, 0, 0, 1, 0, 0, 0, 14, 0, 0, 0, 0xAB, 0xCD};
  VariantEx v;
  ASSERT_EQ(Variant::Deserialize(v, block, sizeof block), S_OK);
  uint32_t size = 0;
  EXPECT_EQ(v.GetBuffer()->GetData(), v.GetData(size));
  EXPECT_EQ(size, 2u);
}

TEST(VariantExArray, UnpacksEveryElementInOrder) {
  Array<VariantEx> items;
  items.Append(TextEx("stale"));
  const VariantEx list = ListEx({PlainInt32(5), TextEx("x"), ListEx({})});
  EXPECT_EQ(list.GetArray(items), S_OK);
  ASSERT_EQ(items.GetCount(), 3u);
  EXPECT_EQ(items[0].GetInt32(), 5);
  EXPECT_STREQ(items[1].GetString(), "x");
  EXPECT_EQ(items[2].GetTag(), VariantTag::Array);
  EXPECT_EQ(items[1].GetBuffer()->GetData(), static_cast<const void*>(items[1].GetString()));
}

TEST(VariantExArray, EmptyValuesGiveNoElementsAndOtherKindsAreRefused) {
  Array<VariantEx> items;
  items.Append(TextEx("stale"));
  EXPECT_EQ(VariantEx().GetArray(items), S_OK);
  EXPECT_EQ(items.GetCount(), 0u);
  items.Append(TextEx("stale"));
  EXPECT_EQ(Int32(3).GetArray(items), E_INVALIDARG);
  EXPECT_EQ(items.GetCount(), 0u);
  EXPECT_EQ(ListEx({}).GetArray(items), S_OK);
  EXPECT_EQ(items.GetCount(), 0u);
}

TEST(VariantExArray, AnElementMayUnpackItselfIntoItsOwnArray) {
  Array<VariantEx> items;
  items.Append(ListEx({PlainInt32(1), PlainInt32(2)}));
  EXPECT_EQ(items[0].GetArray(items), S_OK);
  ASSERT_EQ(items.GetCount(), 2u);
  EXPECT_EQ(items[1].GetInt32(), 2);
}

}  // namespace
}  // namespace SV
