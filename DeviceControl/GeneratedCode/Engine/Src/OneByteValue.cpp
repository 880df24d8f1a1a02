#include "DeviceControl/GeneratedCode/Engine/inc/OneByteValue.h"

namespace SV::OneByteValue {

namespace {

bool IsIntegerTag(int32_t tag) {
  return (tag >= VariantTag::Int8 && tag <= VariantTag::UInt32) || tag == VariantTag::Int64 ||
         tag == VariantTag::UInt64;
}

// The byte an accepted value stands for, or -1.
int32_t ByteOf(const Variant& value) {
  const int32_t tag = value.GetTag();
  uint32_t size = 0;
  if (tag == VariantTag::Buffer) {
    const void* data = value.GetData(size);
    return size == 1 ? *static_cast<const uint8_t*>(data) : -1;
  }
  if (tag == VariantTag::Bool) return value.GetBool() ? 1 : 0;
  if (!IsIntegerTag(tag) || value.IsNegative()) return -1;
  const uint64_t number = value.GetUInt64();
  return number <= 255 ? static_cast<int32_t>(number) : -1;
}

}  // namespace

Variant Make(uint8_t byte) {
  Variant value;
  value.SetBuffer(&byte, 1);
  return value;
}

bool Normalize(const Variant& value, Variant& byte) {
  const int32_t found = ByteOf(value);
  if (found < 0) return false;
  byte = Make(static_cast<uint8_t>(found));
  return true;
}

}  // namespace SV::OneByteValue
