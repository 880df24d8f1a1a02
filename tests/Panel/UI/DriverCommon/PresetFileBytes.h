#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace SV::Testing {

using Bytes = std::vector<uint8_t>;

// Little-endian 32-bit words and raw bytes appended to a preset file under
// construction, so that each test spells out the bytes it feeds the reader.
class PresetFileBytes {
public:
  PresetFileBytes& Word(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(value >> shift));
    return *this;
  }
  PresetFileBytes& Raw(std::initializer_list<uint8_t> raw) {
    bytes.insert(bytes.end(), raw);
    return *this;
  }
  PresetFileBytes& Header(uint32_t version = 2, uint32_t deviceA = 0, uint32_t deviceB = 0) {
    return Word(version).Word(deviceA).Word(deviceB);
  }
  // One record of a one-byte buffer value, 25 bytes, as the writer makes it.
  PresetFileBytes& ByteRecord(uint32_t index, uint8_t value) {
    return Word(25).Word(0).Word(index).Word(13).Word(1).Word(14).Raw({value});
  }
  // The header and 24 one-byte records holding `values`.
  static Bytes Complete(const uint8_t (&values)[24]) {
    PresetFileBytes file;
    file.Header();
    for (uint32_t index = 0; index < 24; ++index) file.ByteRecord(index, values[index]);
    return file.bytes;
  }
  // The bytes without their last `count`.
  Bytes CutBy(size_t count) const { return Bytes(bytes.begin(), bytes.end() - static_cast<std::ptrdiff_t>(count)); }

  Bytes bytes;
};

}  // namespace SV::Testing
