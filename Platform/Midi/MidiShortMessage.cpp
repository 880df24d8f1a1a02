#include "Platform/Midi/MidiShortMessage.h"

namespace Platform::Midi {

size_t MidiShortMessage::LengthOf(uint8_t status) {
  if (status < 0x80) return 0;
  if (status < 0xC0) return 3;
  if (status < 0xE0) return 2;
  if (status < 0xF0) return 3;
  switch (status) {
    case 0xF0: case 0xF7: return 0;
    case 0xF1: case 0xF3: return 2;
    case 0xF2: return 3;
    default: return 1;
  }
}

uint32_t MidiShortMessage::Pack(const uint8_t* bytes, size_t count) {
  uint32_t word = 0;
  for (size_t index = 0; index < count && index < 4; ++index) {
    word |= static_cast<uint32_t>(bytes[index]) << (8 * index);
  }
  return word;
}

size_t MidiShortMessage::Unpack(uint32_t word, uint8_t* bytes) {
  const size_t length = LengthOf(static_cast<uint8_t>(word & 0xFF));
  for (size_t index = 0; index < length; ++index) {
    bytes[index] = static_cast<uint8_t>(word >> (8 * index));
  }
  return length;
}

}  // namespace Platform::Midi
