// Reads arbitrary bytes as one serialised value. Nothing may be read out of bounds; a
// refused block leaves the value empty; an accepted block is written back in its
// canonical form. A format-1 block whose string payload (if any) ends at its first
// zero is canonical and must come back byte for byte; a format-0 block, or a string
// with bytes after its zero, comes back as format 1 with the mapped tag and the text
// cut after its zero. Whatever was written must itself read back and be rewritten
// byte for byte, and every element of an accepted packed array must be readable.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "SVFramework/Utilities/Storage/Variant.h"
#include "SVFramework/Utilities/Storage/VariantEx.h"

namespace {

using Bytes = std::vector<uint8_t>;

uint32_t ReadUInt32(const uint8_t* bytes) {
  return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24;
}

void Require(bool condition) {
  if (!condition) std::abort();
}

bool IsCanonical(const Bytes& block, uint32_t total) {
  if (ReadUInt32(&block[4]) != 1) return false;
  if (ReadUInt32(&block[8]) != SV::VariantTag::String) return true;
  const void* zero = std::memchr(&block[12], 0, total - 12);
  return zero == &block[total - 1];
}

Bytes Written(const SV::Variant& value) {
  Bytes out(value.GetSerializedSize());
  Require(SV::Variant::Serialize(value, out.data(), out.size()) == static_cast<SVRESULT>(out.size()));
  return out;
}

void RequireEveryElementReadable(const SV::Variant& value) {
  const uint32_t count = value.GetArrayItemCount();
  SV::Variant item;
  for (uint32_t i = 0; i < count; ++i) {
    Require(value.GetArrayItem(i, item) == SV::S_OK);
    RequireEveryElementReadable(item);
  }
  Require(value.GetArrayItem(count, item) == -1 && item.IsEmpty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Bytes input(data, data + size);  // an exact-size copy: overreads are caught
  SV::Variant value;
  if (SV::Failed(SV::Variant::Deserialize(value, input.empty() ? nullptr : input.data(), input.size()))) {
    Require(value.IsEmpty());
    return 0;
  }
  const uint32_t total = ReadUInt32(input.data());
  const Bytes written = Written(value);
  if (IsCanonical(input, total)) Require(written == Bytes(input.begin(), input.begin() + total));

  SV::VariantEx again;
  Require(SV::Variant::Deserialize(again, written.data(), written.size()) == SV::S_OK);
  Require(Written(again) == written);
  RequireEveryElementReadable(value);
  (void)again.ToString(0);
  (void)(value < again);
  return 0;
}
