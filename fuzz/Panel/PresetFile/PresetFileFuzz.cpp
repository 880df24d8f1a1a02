// Reads arbitrary bytes as a preset file and checks what the reader promises: a
// result of 0 to -4, another device's header (-4) recognised before anything else,
// only the 24 preset parameters handed on, and nothing handed on before a header
// that failed. Nothing may be read out of bounds and no record may claim more memory
// than the bytes that are there (libFuzzer's malloc limit catches that).
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "Panel/UI/DriverCommon/PresetFileReader.h"

namespace {

uint32_t ReadUInt32(const uint8_t* bytes) {
  return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24;
}

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> input(data, data + size);  // an exact-size copy: overreads are caught
  int32_t applied = 0;
  const int32_t result = SV::ReadPresetBytes(input.data(), input.size(), [&](int32_t index, const SV::Variant&) {
    Require(index >= 0 && index < 24);
    ++applied;
  });
  Require(result <= 0 && result >= SV::PresetLoadResult::WrongDevice);
  if (size < 12) {
    Require(result == SV::PresetLoadResult::CorruptFile);
    return 0;
  }
  const bool otherDevice = ReadUInt32(input.data() + 4) != 0 || ReadUInt32(input.data() + 8) != 0;
  Require(otherDevice == (result == SV::PresetLoadResult::WrongDevice));
  const uint32_t version = ReadUInt32(input.data());
  if (!otherDevice && version != 2) Require(result == (version < 2 ? -1 : -2));
  if (result != 0 && result != SV::PresetLoadResult::CorruptFile) Require(applied == 0);
  // Every record is at least 16 bytes: no more can be handed on than fit.
  Require(static_cast<size_t>(applied) * 16 <= size - 12);
  return 0;
}
