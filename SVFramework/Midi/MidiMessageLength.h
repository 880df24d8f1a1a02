#pragma once
#include <cstdint>

namespace SV {

// The length of a MIDI message by its first byte, as the port manager's send path
// counts it: 3 for 80 to BF, E0 to EF and F2; 2 for C0 to DF, F1 and F3 to F5; 1 for
// F6, F8 to FF and for data bytes (00 to 7F); 0 for F0 and F7, which begin or end
// System Exclusive and have no fixed length. Any thread.
int32_t GetMidiMessageLength(uint8_t firstByte);

}  // namespace SV
