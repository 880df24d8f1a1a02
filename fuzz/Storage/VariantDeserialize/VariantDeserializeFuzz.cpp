// Reads arbitrary bytes as one serialised value. Nothing may be read out of bounds; a
// refused block leaves the value as it was (a fault in the header), empty or a byte
// buffer (a fault in the payload, as the setters leave it); an accepted block is written back in its
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

constexpr const char* kPrevious = "previous";

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

// Every element at every level, without recursing: arrays may nest deeply.
void RequireEveryElementReadable(const SV::Variant& value) {
  std::vector<SV::Variant> pending{value};
  while (!pending.empty()) {
    const SV::Variant current = pending.back();
    pending.pop_back();
    const uint32_t count = current.GetArrayItemCount();
    SV::Variant item;
    for (uint32_t i = 0; i < count; ++i) {
      Require(current.GetArrayItem(i, item) == SV::S_OK);
      pending.push_back(item);
    }
    Require(current.GetArrayItem(count, item) == -1 && item.IsEmpty());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Bytes input(data, data + size);  // an exact-size copy: overreads are caught
  SV::Variant value;
  value.SetString(kPrevious);
  if (SV::Failed(SV::Variant::Deserialize(value, input.empty() ? nullptr : input.data(), input.size()))) {
    const bool unchanged = value.GetString() && std::strcmp(value.GetString(), kPrevious) == 0;
    Require(unchanged || value.IsEmpty() || value.GetTag() == SV::VariantTag::Buffer);
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
