#include "SVFramework/Utilities/Storage/Variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace SV {
namespace {

using Bytes = std::vector<uint8_t>;

template <class T>
Variant Scalar(void (Variant::*set)(T), T value) {
  Variant v;
  (v.*set)(value);
  return v;
}
Variant Bool(uint8_t storedByte) {
  Variant v;
  v.SetValue(VariantTag::Bool, &storedByte, 1);
  return v;
}
Variant I8(int8_t x) { return Scalar(&Variant::SetInt8, x); }
Variant U8(uint8_t x) { return Scalar(&Variant::SetUInt8, x); }
Variant I16(int16_t x) { return Scalar(&Variant::SetInt16, x); }
Variant U16(uint16_t x) { return Scalar(&Variant::SetUInt16, x); }
Variant I32(int32_t x) { return Scalar(&Variant::SetInt32, x); }
Variant U32(uint32_t x) { return Scalar(&Variant::SetUInt32, x); }
Variant F32(float x) { return Scalar(&Variant::SetFloat, x); }
Variant F64(double x) { return Scalar(&Variant::SetDouble, x); }
Variant I64(int64_t x) { return Scalar(&Variant::SetInt64, x); }
Variant U64(uint64_t x) { return Scalar(&Variant::SetUInt64, x); }
Variant Text(const char* text) {
  Variant v;
  v.SetString(text);
  return v;
}
Variant Buffer(const Bytes& bytes) {
  Variant v;
  v.SetBuffer(bytes.data(), static_cast<uint32_t>(bytes.size()));
  return v;
}
Variant List(const std::vector<Variant>& items) {
  Variant v;
  v.SetArray(items.data(), static_cast<uint32_t>(items.size()));
  return v;
}

void AppendUInt32(Bytes& bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A block with the given header fields, whatever they claim.
Bytes Block(uint32_t total, uint32_t format, uint32_t tag, const Bytes& payload = {}) {
  Bytes bytes;
  AppendUInt32(bytes, total);
  AppendUInt32(bytes, format);
  AppendUInt32(bytes, tag);
  bytes.insert(bytes.end(), payload.begin(), payload.end());
  return bytes;
}

// A well-formed format-1 block around the payload.
Bytes Wrap(uint32_t tag, const Bytes& payload = {}) {
  return Block(static_cast<uint32_t>(payload.size() + 12), 1, tag, payload);
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes Serialized(const Variant& value) {
  Bytes out(value.GetSerializedSize());
  const SVRESULT written = Variant::Serialize(value, out.data(), out.size());
  EXPECT_EQ(written, static_cast<SVRESULT>(out.size()));
  return out;
}

// An array nested `levels` deep around the int32 value `innermost`, as raw bytes:
// `levels` array headers, then the int32 block.
Bytes NestedArrayBlock(uint32_t levels, uint8_t innermost = 1) {
  const Bytes inner = Wrap(VariantTag::Int32, {innermost, 0, 0, 0});
  Bytes block;
  block.reserve(size_t{levels} * 12 + inner.size());
  for (uint32_t i = 0; i < levels; ++i) {
    const uint32_t total = (levels - i) * 12 + static_cast<uint32_t>(inner.size());
    const Bytes header = Block(total, 1, VariantTag::Array);
    block.insert(block.end(), header.begin(), header.end());
  }
  block.insert(block.end(), inner.begin(), inner.end());
  return block;
}

// Remembers where its payload lives so a test can damage it behind the value's back.
class PayloadExposingVariant : public Variant {
public:
  void* Allocate(uint32_t size) override { return payload = Variant::Allocate(size); }
  void* payload = nullptr;
};

struct ConversionRow {
  const char* what;
  Variant source;
  bool asBool;
  int8_t asInt8;
  uint8_t asUInt8;
  int16_t asInt16;
  uint16_t asUInt16;
  int32_t asInt32;
  uint32_t asUInt32;
  int64_t asInt64;
  uint64_t asUInt64;
  float asFloat;
  double asDouble;
};

constexpr uint64_t kAllOnes = std::numeric_limits<uint64_t>::max();

TEST(VariantConversion, EveryKindReadsAsEveryNumericTypeByTheFixedRules) {
  const std::vector<ConversionRow> rows = {
      {"empty", Variant(), false, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {"bool keeps its stored byte beyond GetInt8", Bool(5), true, 1, 1, 5, 5, 5, 5, 5, 5, 5, 5},
      {"int8 -1: sign-extended only where signed", I8(-1), true, -1, 255, -1, 255, -1, 0xFFFFFFFFu, -1, kAllOnes, -1, -1},
      {"uint8 200", U8(200), true, -56, 200, 200, 200, 200, 200, 200, 200, 200, 200},
      {"int16 -2", I16(-2), true, -2, 254, -2, 65534, -2, 0xFFFFFFFEu, -2, kAllOnes - 1, -2, -2},
      {"uint16 65535", U16(65535), true, -1, 255, -1, 65535, 65535, 65535, 65535, 65535, 65535, 65535},
      {"int32 -70000: low bits when narrower", I32(-70000), true, -112, 144, -4464, 61072, -70000, 4294897296u, -70000,
       kAllOnes - 69999, -70000, -70000},
      {"uint32 4000000000 is zero-extended", U32(4000000000u), true, 0, 0, 10240, 10240, -294967296, 4000000000u,
       4000000000, 4000000000u, 4e9f, 4e9},
      {"float 2.5 rounds half away from zero", F32(2.5f), true, 3, 3, 3, 3, 3, 3, 3, 3, 2.5f, 2.5},
      {"float -2.5", F32(-2.5f), true, -3, 253, -3, 65533, -3, 0xFFFFFFFDu, -3, kAllOnes - 2, -2.5f, -2.5},
      {"double -2.4", F64(-2.4), true, -2, 254, -2, 65534, -2, 0xFFFFFFFEu, -2, kAllOnes - 1, -2.4f, -2.4},
      {"double 300.5: rounded, then low bits", F64(300.5), true, 45, 45, 301, 301, 301, 301, 301, 301, 300.5f, 300.5},
      {"int64 -5", I64(-5), true, -5, 251, -5, 65531, -5, 0xFFFFFFFBu, -5, kAllOnes - 4, -5, -5},
      {"uint64 2^40 + 3", U64((uint64_t{1} << 40) + 3), true, 3, 3, 3, 3, 3, 3, (int64_t{1} << 40) + 3,
       (uint64_t{1} << 40) + 3, 1099511627779.0f, 1099511627779.0},
      {"byte buffer reads its first bytes", Buffer({0x34, 0x12, 0x00}), true, 0x34, 0x34, 0x1234, 0x1234, 0x1234,
       0x1234, 0x1234, 0x1234, 4660, 4660},
      {"one-byte buffer: missing bytes read as zero", Buffer({0xFF}), true, -1, 255, 255, 255, 255, 255, 255, 255, 255,
       255},
      {"string reads as its length", Text("abc"), true, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3},
      {"empty string", Text(""), false, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {"packed array", List({I32(1), I32(2)}), true, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {"empty packed array", List({}), false, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
  };
  for (const ConversionRow& row : rows) {
    SCOPED_TRACE(row.what);
    const Variant& v = row.source;
    EXPECT_EQ(v.GetBool(), row.asBool);
    EXPECT_EQ(v.GetInt8(), row.asInt8);
    EXPECT_EQ(v.GetUInt8(), row.asUInt8);
    EXPECT_EQ(v.GetInt16(), row.asInt16);
    EXPECT_EQ(v.GetUInt16(), row.asUInt16);
    EXPECT_EQ(v.GetInt32(), row.asInt32);
    EXPECT_EQ(v.GetUInt32(), row.asUInt32);
    EXPECT_EQ(v.GetInt64(), row.asInt64);
    EXPECT_EQ(v.GetUInt64(), row.asUInt64);
    EXPECT_FLOAT_EQ(v.GetFloat(), row.asFloat);
    EXPECT_DOUBLE_EQ(v.GetDouble(), row.asDouble);
  }
}

TEST(VariantConversion, SixtyFourBitGettersRoundAFloatInSinglePrecision) {
  // 2^23 + 1 plus 0.5 is not a float: single precision rounds it to the even 2^23 + 2.
  const Variant v = F32(8388609.0f);
  EXPECT_EQ(v.GetInt32(), 8388609);
  EXPECT_EQ(v.GetInt64(), 8388610);
  EXPECT_EQ(v.GetUInt64(), 8388610u);
}

TEST(VariantConversion, ADoubleAboveTwoToTheSixtyThreeReadsBackAsUnsigned) {
  EXPECT_EQ(F64(1e19).GetUInt64(), 10000000000000000000u);
}

TEST(VariantConversion, NanAndOutOfRangeRealsReadWithoutFault) {
  for (const double real : {std::nan(""), 1e300, -1e300, std::numeric_limits<double>::infinity()}) {
    for (const Variant& v : {F64(real), F32(static_cast<float>(real))}) {
      EXPECT_TRUE(v.GetBool());
      (void)v.GetInt8(), (void)v.GetInt16(), (void)v.GetInt32(), (void)v.GetInt64();
      (void)v.GetUInt8(), (void)v.GetUInt16(), (void)v.GetUInt32(), (void)v.GetUInt64();
    }
  }
}

TEST(VariantData, ScalarsReportTheirWidthAndPackedArraysAreNotWritable) {
  uint32_t size = 99;
  const Variant int16 = I16(7);
  EXPECT_NE(int16.GetData(size), nullptr);
  EXPECT_EQ(size, 2u);

  Variant list = List({I32(1)});
  EXPECT_EQ(list.GetWritableData(size), nullptr);
  EXPECT_EQ(size, 0u);
  EXPECT_NE(list.GetData(size), nullptr);
  EXPECT_EQ(size, 16u);

  Variant empty;
  EXPECT_EQ(empty.GetData(size), nullptr);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(empty.GetString(), nullptr);
  EXPECT_STREQ(Text("abc").GetString(), "abc");
}

TEST(VariantSetValue, AWrongSizeOrTagLeavesTheValueEmpty) {
  const uint8_t data[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  Variant v = Text("before");
  EXPECT_EQ(v.SetValue(VariantTag::Int16, data, 4), 0);
  EXPECT_TRUE(v.IsEmpty());
  v = Text("before");
  EXPECT_EQ(v.SetValue(17, data, 4), 0);
  EXPECT_TRUE(v.IsEmpty());
  v = Text("before");
  EXPECT_EQ(v.SetValue(VariantTag::Int32, nullptr, 4), 0);
  EXPECT_TRUE(v.IsEmpty());
  EXPECT_EQ(v.SetValue(VariantTag::Int32, data, 4), VariantTag::Int32);
  EXPECT_EQ(v.GetInt32(), 0x04030201);
}

TEST(VariantSetValue, UnownedMemoryIsStoredAsAnOwnedByteBuffer) {
  const uint8_t data[3] = {9, 8, 7};
  for (const int32_t tag : {VariantTag::WritableMemory, VariantTag::ReadOnlyMemory}) {
    Variant v;
    EXPECT_EQ(v.SetValue(tag, data, 3), VariantTag::Buffer);
    uint32_t size = 0;
    const void* stored = v.GetData(size);
    EXPECT_NE(stored, data);
    EXPECT_EQ(Bytes(static_cast<const uint8_t*>(stored), static_cast<const uint8_t*>(stored) + size), Bytes({9, 8, 7}));
  }
}

TEST(VariantSetValue, APackedPayloadMustBeWellFormed) {
  const Bytes good = Concat({Wrap(VariantTag::Int32, {1, 0, 0, 0}), Wrap(VariantTag::Empty)});
  Variant v;
  EXPECT_EQ(v.SetValue(VariantTag::Array, good.data(), static_cast<uint32_t>(good.size())), VariantTag::Array);
  EXPECT_EQ(v.GetArrayItemCount(), 2u);
  const Bytes cut(good.begin(), good.end() - 1);
  EXPECT_EQ(v.SetValue(VariantTag::Array, cut.data(), static_cast<uint32_t>(cut.size())), 0);
  EXPECT_TRUE(v.IsEmpty());
}

TEST(VariantCopy, ACopyOwnsItsOwnPayload) {
  Variant original = Buffer({1, 2, 3});
  Variant copy(original);
  uint32_t size = 0;
  EXPECT_NE(copy.GetData(size), original.GetData(size));
  EXPECT_TRUE(copy == original);
  static_cast<uint8_t*>(copy.GetWritableData(size))[0] = 42;
  EXPECT_FALSE(copy == original);
  const Variant& itself = copy;
  copy = itself;
  EXPECT_EQ(copy.GetUInt8(), 42);
  Variant assigned;
  EXPECT_EQ(assigned.Assign(Text("x")), VariantTag::String);
  EXPECT_STREQ(assigned.GetString(), "x");
}

struct SerialRow {
  const char* what;
  Variant value;
  Bytes expected;
};

TEST(VariantSerialize, EachTagWritesTheExactLittleEndianBlockAndReadsBack) {
  const std::vector<SerialRow> rows = {
      {"empty", Variant(), {12, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}},
      {"bool", Bool(1), {13, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}},
      {"int8", I8(-2), {13, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0xFE}},
      {"uint8", U8(200), {13, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 0xC8}},
      {"int16", I16(-2), {14, 0, 0, 0, 1, 0, 0, 0, 4, 0, 0, 0, 0xFE, 0xFF}},
      {"uint16", U16(0x1234), {14, 0, 0, 0, 1, 0, 0, 0, 5, 0, 0, 0, 0x34, 0x12}},
      {"int32", I32(7), {16, 0, 0, 0, 1, 0, 0, 0, 6, 0, 0, 0, 7, 0, 0, 0}},
      {"uint32", U32(0xDEADBEEF), {16, 0, 0, 0, 1, 0, 0, 0, 7, 0, 0, 0, 0xEF, 0xBE, 0xAD, 0xDE}},
      {"float", F32(1.0f), {16, 0, 0, 0, 1, 0, 0, 0, 8, 0, 0, 0, 0x00, 0x00, 0x80, 0x3F}},
      {"double", F64(1.0), {20, 0, 0, 0, 1, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},
      {"int64", I64(-1), {20, 0, 0, 0, 1, 0, 0, 0, 10, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"uint64", U64(0x0102030405060708), {20, 0, 0, 0, 1, 0, 0, 0, 11, 0, 0, 0, 8, 7, 6, 5, 4, 3, 2, 1}},
      {"byte buffer", Buffer({1, 2}), {14, 0, 0, 0, 1, 0, 0, 0, 14, 0, 0, 0, 1, 2}},
      {"empty byte buffer", Buffer({}), {12, 0, 0, 0, 1, 0, 0, 0, 14, 0, 0, 0}},
      {"string with its zero", Text("abc"), {16, 0, 0, 0, 1, 0, 0, 0, 15, 0, 0, 0, 'a', 'b', 'c', 0}},
      {"empty array", List({}), {12, 0, 0, 0, 1, 0, 0, 0, 16, 0, 0, 0}},
      {"array of two int32", List({I32(1), I32(2)}),
       {44, 0, 0, 0, 1, 0, 0, 0, 16, 0, 0, 0,  //
        16, 0, 0, 0, 1, 0, 0, 0, 6, 0, 0, 0, 1, 0, 0, 0,  //
        16, 0, 0, 0, 1, 0, 0, 0, 6, 0, 0, 0, 2, 0, 0, 0}},
      {"array holding an empty array and an empty value", List({List({}), Variant()}),
       {36, 0, 0, 0, 1, 0, 0, 0, 16, 0, 0, 0,  //
        12, 0, 0, 0, 1, 0, 0, 0, 16, 0, 0, 0,  //
        12, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const SerialRow& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(Serialized(row.value), row.expected);
    Variant back = Text("stale");
    EXPECT_EQ(Variant::Deserialize(back, row.expected.data(), row.expected.size()), S_OK);
    EXPECT_EQ(back.GetTag(), row.value.GetTag());
    EXPECT_TRUE(back == row.value);
  }
}

TEST(VariantSerialize, RefusesAnOutputThatCannotHoldTheBlock) {
  Bytes out(16, 0xAA);
  EXPECT_EQ(Variant::Serialize(I32(7), out.data(), 15), E_FAIL);
  EXPECT_EQ(out, Bytes(16, 0xAA));
  EXPECT_EQ(Variant::Serialize(I32(7), nullptr, 16), E_FAIL);
  EXPECT_EQ(Variant::Serialize(I32(7), out.data(), 16), 16);
}

struct Format0Row {
  const char* what;
  Bytes block;
  Variant expected;
};

TEST(VariantDeserialize, TheOlderFormatMapsItsKindCodesToTags) {
  const std::vector<Format0Row> rows = {
      {"code 0: empty", Block(12, 0, 0), Variant()},
      {"code 1: bool", Block(13, 0, 1, {1}), Bool(1)},
      {"code 2: int32", Block(16, 0, 2, {5, 0, 0, 0}), I32(5)},
      {"code 3: int64", Block(20, 0, 3, {0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), I64(-2)},
      {"code 4: float", Block(16, 0, 4, {0, 0, 0x80, 0x3F}), F32(1.0f)},
      {"code 5: double", Block(20, 0, 5, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}), F64(1.0)},
      {"code 8: byte buffer", Block(14, 0, 8, {0xAB, 0xCD}), Buffer({0xAB, 0xCD})},
      {"code 9: string", Block(15, 0, 9, {'h', 'i', 0}), Text("hi")},
      {"code 10: empty array", Block(12, 0, 10), List({})},
  };
  for (const Format0Row& row : rows) {
    SCOPED_TRACE(row.what);
    Variant v;
    ASSERT_EQ(Variant::Deserialize(v, row.block.data(), row.block.size()), S_OK);
    EXPECT_TRUE(v == row.expected);
  }
}

TEST(VariantDeserialize, AnArrayKeepsItsFormatZeroElementsAsTheyCameAndReadsThemAsTags) {
  const Bytes element = Block(16, 0, 2, {3, 0, 0, 0});
  const Bytes block = Block(28, 0, 10, element);
  Variant list;
  ASSERT_EQ(Variant::Deserialize(list, block.data(), block.size()), S_OK);
  EXPECT_EQ(Serialized(list), Wrap(VariantTag::Array, element));
  Variant item;
  ASSERT_EQ(list.GetArrayItem(0, item), S_OK);
  EXPECT_TRUE(item == I32(3));
}

TEST(VariantDeserialize, TakesOneBlockAndIgnoresWhatFollowsIt) {
  const Bytes bytes = Concat({Wrap(VariantTag::Int32, {9, 0, 0, 0}), Bytes{0xDE, 0xAD}});
  Variant v;
  EXPECT_EQ(Variant::Deserialize(v, bytes.data(), bytes.size()), S_OK);
  EXPECT_EQ(v.GetInt32(), 9);
}

TEST(VariantDeserialize, AStringIsTakenUpToItsFirstZero) {
  const Bytes block = Wrap(VariantTag::String, {'a', 'b', 0, 'c', 0});
  Variant v;
  EXPECT_EQ(Variant::Deserialize(v, block.data(), block.size()), S_OK);
  EXPECT_STREQ(v.GetString(), "ab");
  EXPECT_EQ(Serialized(v), Wrap(VariantTag::String, {'a', 'b', 0}));
}

TEST(VariantDeserialize, ReadsABlockHeldInTheSameValue) {
  Variant v = Buffer(Wrap(VariantTag::Buffer, {1, 2, 3}));
  uint32_t size = 0;
  const void* own = v.GetData(size);
  EXPECT_EQ(Variant::Deserialize(v, own, size), S_OK);
  EXPECT_TRUE(v == Buffer({1, 2, 3}));
}

struct HostileRow {
  const char* what;
  Bytes bytes;
};

TEST(VariantDeserialize, AFaultInTheHeaderLeavesTheValueAsItWas) {
  const Bytes int32Payload = {1, 0, 0, 0};
  const std::vector<HostileRow> rows = {
      {"no bytes", {}},
      {"eleven bytes", {12, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0}},
      {"total of zero", Block(0, 1, VariantTag::Empty)},
      {"total below the header", Block(8, 1, VariantTag::Empty, {0, 0, 0, 0})},
      {"total past the bytes given", Block(20, 1, VariantTag::Int32, int32Payload)},
      {"total of 2^32 - 1", Block(0xFFFFFFFF, 1, VariantTag::Int32, int32Payload)},
      {"unknown format", Block(16, 2, VariantTag::Int32, int32Payload)},
      {"tag above 16", Block(16, 1, 17, int32Payload)},
      {"negative tag", Block(16, 1, 0xFFFFFFFF, int32Payload)},
      {"format-0 code above 10", Block(16, 0, 11, int32Payload)},
      {"scalar without payload", Wrap(VariantTag::Int32)},
      {"format-0 scalar without payload", Block(12, 0, 2)},
      {"string without payload", Wrap(VariantTag::String)},
      {"writable memory without payload", Wrap(VariantTag::WritableMemory)},
      {"empty value with a payload", Wrap(VariantTag::Empty, int32Payload)},
  };
  for (const HostileRow& row : rows) {
    SCOPED_TRACE(row.what);
    Variant v = Text("previous");
    const Bytes exact = row.bytes;  // exactly sized, so any overread is caught
    EXPECT_EQ(Variant::Deserialize(v, exact.empty() ? nullptr : exact.data(), exact.size()), E_FAIL);
    EXPECT_STREQ(v.GetString(), "previous");
  }
}

struct PayloadFaultRow {
  const char* what;
  Bytes bytes;
  Variant left;
};

TEST(VariantDeserialize, AFaultInThePayloadLeavesWhatTheSetterMakesOfIt) {
  const Bytes int32Payload = {1, 0, 0, 0};
  const auto array = [](const Bytes& payload) { return Wrap(VariantTag::Array, payload); };
  const std::vector<PayloadFaultRow> rows = {
      {"int32 with two bytes", Wrap(VariantTag::Int32, {1, 0}), Variant()},
      {"double with four bytes", Wrap(VariantTag::Double, int32Payload), Variant()},
      {"bool with two bytes", Wrap(VariantTag::Bool, {1, 0}), Variant()},
      {"string without a terminating zero", Wrap(VariantTag::String, {'a', 'b', 'c'}), Variant()},
      {"writable memory", Wrap(VariantTag::WritableMemory, int32Payload), Buffer(int32Payload)},
      {"read-only memory", Wrap(VariantTag::ReadOnlyMemory, int32Payload), Buffer(int32Payload)},
      {"format-0 writable memory", Block(16, 0, 6, int32Payload), Buffer(int32Payload)},
      {"format-0 read-only memory", Block(14, 0, 7, {5, 6}), Buffer({5, 6})},
      {"array element of length zero", array(Block(0, 1, VariantTag::Int32, int32Payload)), Variant()},
      {"array element below the header", array(Block(4, 1, VariantTag::Int32, int32Payload)), Variant()},
      {"array element past the payload", array(Block(17, 1, VariantTag::Int32, int32Payload)), Variant()},
      {"array with a partial block at its end",
       array(Concat({Wrap(VariantTag::Int32, int32Payload), Bytes{4, 0, 0, 0}})), Variant()},
      {"array holding a short scalar", array(Wrap(VariantTag::Int16, {1})), Variant()},
      {"array holding unowned memory", array(Wrap(VariantTag::WritableMemory, int32Payload)), Variant()},
      {"array holding an unterminated string", array(Wrap(VariantTag::String, {'x'})), Variant()},
      {"nested array whose element runs past its end but not past the outer one",
       array(Concat({Block(28, 1, VariantTag::Array), Wrap(VariantTag::Buffer, Bytes(8, 1))})), Variant()},
  };
  for (const PayloadFaultRow& row : rows) {
    SCOPED_TRACE(row.what);
    Variant v = Text("previous");
    const Bytes exact = row.bytes;
    EXPECT_EQ(Variant::Deserialize(v, exact.data(), exact.size()), E_FAIL);
    EXPECT_EQ(v.GetTag(), row.left.GetTag());
    EXPECT_TRUE(v == row.left);
  }
}

TEST(VariantDeserialize, ReadsAnyNestingAndComparesItWithoutRecursing) {
  constexpr uint32_t kLevels = 1u << 18;  // far past what a recursive walk's stack holds
  const Bytes block = NestedArrayBlock(kLevels);
  Variant deep;
  ASSERT_EQ(Variant::Deserialize(deep, block.data(), block.size()), S_OK);
  EXPECT_EQ(Serialized(deep), block);

  const Bytes otherBlock = NestedArrayBlock(kLevels, 2);
  Variant other;
  ASSERT_EQ(Variant::Deserialize(other, otherBlock.data(), otherBlock.size()), S_OK);
  EXPECT_TRUE(deep < other);
  EXPECT_FALSE(other < deep);
  EXPECT_FALSE(deep < deep);
}

TEST(VariantPackedArray, HoldsEachValueAsOneBlockAndGivesThemBackInOrder) {
  const Variant list = List({I32(1), I32(2)});
  uint32_t size = 0;
  list.GetData(size);
  EXPECT_EQ(size, 32u);
  EXPECT_EQ(list.GetArrayItemCount(), 2u);
  Variant item;
  EXPECT_EQ(list.GetArrayItem(1, item), S_OK);
  EXPECT_TRUE(item == I32(2));
  item = Text("stale");
  EXPECT_EQ(list.GetArrayItem(2, item), -1);
  EXPECT_TRUE(item.IsEmpty());
}

TEST(VariantPackedArray, ItemsOfOtherKindsAndNestedArraysComeBackWhole) {
  const Variant inner = List({Text("in"), F64(0.5)});
  const Variant list = List({Buffer({7}), inner, Variant(), U64(5)});
  EXPECT_EQ(list.GetArrayItemCount(), 4u);
  const Variant expected[] = {Buffer({7}), inner, Variant(), U64(5)};
  for (uint32_t i = 0; i < 4; ++i) {
    Variant item;
    ASSERT_EQ(list.GetArrayItem(i, item), S_OK);
    EXPECT_TRUE(item == expected[i]) << i;
  }
  Variant nested;
  list.GetArrayItem(1, nested);
  Variant text;
  EXPECT_EQ(nested.GetArrayItem(0, text), S_OK);
  EXPECT_STREQ(text.GetString(), "in");
}

TEST(VariantPackedArray, ThePointerFormBuildsTheSamePayload) {
  const Variant a = I32(1), b = Text("b");
  const Variant* pointers[] = {&a, &b};
  Variant fromPointers;
  EXPECT_EQ(fromPointers.SetArray(pointers, 2), VariantTag::Array);
  EXPECT_TRUE(fromPointers == List({a, b}));
}

TEST(VariantPackedArray, AnArrayMayBeBuiltFromItself) {
  Variant v = I32(4);
  const Variant* pointers[] = {&v, &v};
  EXPECT_EQ(v.SetArray(pointers, 2), VariantTag::Array);
  EXPECT_TRUE(v == List({I32(4), I32(4)}));
  EXPECT_EQ(v.GetArrayItem(0, v), S_OK);
  EXPECT_TRUE(v == I32(4));
}

TEST(VariantPackedArray, KeepsEveryNestingItBuildsAndReadsItBack) {
  constexpr uint32_t kLevels = 200;
  Variant v = I32(7);
  for (uint32_t level = 1; level <= kLevels; ++level) ASSERT_EQ(v.SetArray(&v, 1), VariantTag::Array) << level;

  const Bytes block = Serialized(v);
  EXPECT_EQ(block, NestedArrayBlock(kLevels, 7));
  Variant back;
  ASSERT_EQ(Variant::Deserialize(back, block.data(), block.size()), S_OK);
  for (uint32_t level = 1; level <= kLevels; ++level) ASSERT_EQ(back.GetArrayItem(0, back), S_OK) << level;
  EXPECT_TRUE(back == I32(7));
}

TEST(VariantPackedArray, NonArraysHaveNoItems) {
  Variant item = I32(3);
  EXPECT_EQ(I32(5).GetArrayItemCount(), 0u);
  EXPECT_EQ(I32(5).GetArrayItem(0, item), -1);
  EXPECT_TRUE(item.IsEmpty());
  EXPECT_EQ(List({}).GetArrayItemCount(), 0u);
}

TEST(VariantPackedArray, AWalkOverADamagedPayloadStaysInsideItAndReportsTheDamage) {
  PayloadExposingVariant list;
  const Variant items[] = {I32(1), I32(2), I32(3)};
  list.SetArray(items, 3);
  auto* bytes = static_cast<uint8_t*>(list.payload);

  bytes[16 + 8] = 99;  // the second element's tag
  EXPECT_EQ(list.GetArrayItemCount(), 3u);
  Variant item = Text("stale");
  EXPECT_EQ(list.GetArrayItem(1, item), -1);
  EXPECT_TRUE(item.IsEmpty());
  EXPECT_EQ(list.GetArrayItem(2, item), S_OK);

  for (const uint32_t length : {0u, 4u, 33u, 0xFFFFFFFFu}) {
    std::memcpy(bytes + 16, &length, 4);  // the second element's length
    EXPECT_EQ(list.GetArrayItemCount(), 1u) << length;
    EXPECT_EQ(list.GetArrayItem(2, item), -1) << length;
    EXPECT_TRUE(item.IsEmpty());
    EXPECT_EQ(list.GetArrayItem(0, item), S_OK);
  }
}

struct OrderRow {
  const char* what;
  Variant a;
  Variant b;
  bool aLess;
  bool bLess;
  bool equal;
};

TEST(VariantOrder, ValuesCompareByTheirTagsRules) {
  const std::vector<OrderRow> rows = {
      {"two empty values", Variant(), Variant(), false, false, true},
      {"empty before any value", Variant(), I32(-5), true, false, false},
      {"uint8 200 before double 200.5", U8(200), F64(200.5), true, false, false},
      {"int64 -1 before uint64 0", I64(-1), U64(0), true, false, false},
      {"int32 -1 before uint64 0", I32(-1), U64(0), true, false, false},
      {"double far below int64 range before int64 min", F64(-1e300), I64(std::numeric_limits<int64_t>::min()), true,
       false, false},
      {"uint64 max before a double above 2^64", U64(kAllOnes), F64(1e30), true, false, false},
      {"big uint64 against a double below it", U64(kAllOnes), F64(1e18), false, true, false},
      {"int8 -1 before int8 1", I8(-1), I8(1), true, false, false},
      {"uint16 beyond int16", U16(40000), U16(1), false, true, false},
      {"float -0 equals 0", F32(-0.0f), F32(0.0f), false, false, true},
      {"NaN equals nothing, not even itself", F64(std::nan("")), F64(std::nan("")), false, false, false},
      {"bool 1 after int32 0", Bool(1), I32(0), false, true, false},
      {"shorter string first", Text("b"), Text("ab"), true, false, false},
      {"string bytes compare signed", Text("\xC3"), Text("a"), true, false, false},
      {"buffer bytes compare unsigned", Buffer({0xC3}), Buffer({'a'}), false, true, false},
      {"equal buffers", Buffer({1, 2}), Buffer({1, 2}), false, false, true},
      {"a payload against an inline value: sizes first", Text("a"), I32(5), true, false, false},
      {"shorter array first when the common part is equal", List({I32(1), I32(2)}), List({I32(1), I32(2), I32(3)}), true,
       false, false},
      {"first differing element decides", List({I32(1), I32(9)}), List({I32(2)}), true, false, false},
      {"empty arrays are equal", List({}), List({}), false, false, true},
  };
  for (const OrderRow& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(row.a < row.b, row.aLess);
    EXPECT_EQ(row.b < row.a, row.bLess);
    EXPECT_EQ(row.a == row.b, row.equal);
  }
}

TEST(VariantOrder, OnlySignedAndRealValuesBelowZeroAreNegative) {
  EXPECT_TRUE(I8(-1).IsNegative());
  EXPECT_TRUE(F32(-0.5f).IsNegative());
  EXPECT_TRUE(I64(-1).IsNegative());
  EXPECT_FALSE(U64(kAllOnes).IsNegative());
  EXPECT_FALSE(F64(-0.0).IsNegative());
  EXPECT_FALSE(Buffer({0xFF}).IsNegative());
}

}  // namespace
}  // namespace SV
