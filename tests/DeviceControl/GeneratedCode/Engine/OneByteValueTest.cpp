#include "DeviceControl/GeneratedCode/Engine/inc/OneByteValue.h"

#include <gtest/gtest.h>

#include <functional>

namespace SV {
namespace {

TEST(OneByteValue, AcceptsWhatFitsOneByteAndRefusesTheRest) {
  const uint8_t twoBytes[2] = {1, 2};
  const struct Case {
    const char* what;
    std::function<void(Variant&)> make;
    int expectedByte;  // -1: refused
  } cases[] = {
      {"a one-byte buffer", [](Variant& v) { v = OneByteValue::Make(200); }, 200},
      {"bool true", [](Variant& v) { v.SetBool(true); }, 1},
      {"uint8 255", [](Variant& v) { v.SetUInt8(255); }, 255},
      {"int8 127", [](Variant& v) { v.SetInt8(127); }, 127},
      {"int8 -1", [](Variant& v) { v.SetInt8(-1); }, -1},
      {"int32 41", [](Variant& v) { v.SetInt32(41); }, 41},
      {"int32 256", [](Variant& v) { v.SetInt32(256); }, -1},
      {"int32 -5", [](Variant& v) { v.SetInt32(-5); }, -1},
      {"uint16 255", [](Variant& v) { v.SetUInt16(255); }, 255},
      {"uint64 2^32 + 1", [](Variant& v) { v.SetUInt64(0x100000001ull); }, -1},
      {"int64 0", [](Variant& v) { v.SetInt64(0); }, 0},
      {"float 1", [](Variant& v) { v.SetFloat(1.0f); }, -1},
      {"double 2", [](Variant& v) { v.SetDouble(2.0); }, -1},
      {"a string", [](Variant& v) { v.SetString("1"); }, -1},
      {"a two-byte buffer", [&](Variant& v) { v.SetBuffer(twoBytes, 2); }, -1},
      {"an empty buffer", [](Variant& v) { v.SetBuffer(nullptr, 0); }, -1},
      {"a packed array", [](Variant& v) { v.SetArray(static_cast<const Variant*>(nullptr), 0); }, -1},
      {"empty", [](Variant&) {}, -1},
  };
  for (const Case& c : cases) {
    Variant value;
    c.make(value);
    Variant byte = OneByteValue::Make(9);
    const bool accepted = OneByteValue::Normalize(value, byte);
    EXPECT_EQ(accepted, c.expectedByte >= 0) << c.what;
    if (accepted) {
      EXPECT_EQ(byte, OneByteValue::Make(static_cast<uint8_t>(c.expectedByte))) << c.what;
    }
  }
}

}  // namespace
}  // namespace SV
