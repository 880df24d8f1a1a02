#include "SVFramework/Midi/MidiMessageLength.h"

namespace SV {

int32_t GetMidiMessageLength(uint8_t firstByte) {
  if (firstByte < 0x80) return 1;
  if (firstByte < 0xC0 || (firstByte >= 0xE0 && firstByte < 0xF0)) return 3;
  if (firstByte < 0xE0) return 2;
  switch (firstByte) {
    case 0xF0:
    case 0xF7:
      return 0;
    case 0xF2:
      return 3;
    case 0xF1:
    case 0xF3:
    case 0xF4:
    case 0xF5:
      return 2;
    default:
      return 1;
  }
}

}  // namespace SV
