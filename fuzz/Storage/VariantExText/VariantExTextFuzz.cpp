// Reads arbitrary text through the parsing getters of a string value. Nothing may be
// read out of bounds; the 64-bit reading must agree with the C library's strtoll (both
// saturate), the 32-bit one with it clamped to 32 bits, and the unsigned getters with
// the bits of the 64-bit reading.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <strings.h>

#include "SVFramework/Utilities/Storage/VariantEx.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  SV::VariantEx value;
  Require(value.SetString(text.c_str()) == SV::VariantTag::String);

  const int64_t wide = value.GetInt64();
  Require(wide == std::strtoll(text.c_str(), nullptr, 10));
  Require(value.GetUInt64() == static_cast<uint64_t>(wide));
  Require(value.GetUInt32() == static_cast<uint32_t>(wide));
  const int32_t narrow = value.GetInt32();
  Require(narrow == std::clamp<int64_t>(wide, INT32_MIN, INT32_MAX));
  Require(value.GetInt16() == static_cast<int16_t>(narrow));
  Require(value.GetUInt16() == static_cast<uint16_t>(narrow));
  Require(value.GetInt8() == static_cast<int8_t>(narrow));
  Require(value.GetUInt8() == static_cast<uint8_t>(narrow));
  if (value.GetBool()) Require(strncasecmp(text.c_str(), "true", 4) == 0);
  (void)value.GetFloat();
  (void)value.GetDouble();
  (void)value.ValueToString();
  return 0;
}
