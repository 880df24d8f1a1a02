#pragma once
#include <cstddef>
#include <cstdint>

namespace Platform::Midi {

// Short MIDI messages (everything but System Exclusive) and their packed form: a
// 32-bit word with the status byte lowest, then the data bytes. Pure functions,
// callable from any thread.
class MidiShortMessage {
public:
  // The whole length of the message a status byte begins: 3 for note, aftertouch,
  // controller and pitch-bend messages and song position (F2); 2 for program and
  // channel pressure, time code (F1) and song select (F3); 1 for tune request,
  // real-time bytes and the undefined F4 and F5; 0 for F0 and F7, which begin or end
  // System Exclusive, and for data bytes (below 80), which begin no message.
  static size_t LengthOf(uint8_t status);

  // Packs count bytes (at most 4 are used), the first lowest.
  static uint32_t Pack(const uint8_t* bytes, size_t count);

  // Unpacks the message a packed word holds into bytes (room for 3) and returns its
  // length by its status byte; 0 when the word does not begin a short message.
  static size_t Unpack(uint32_t word, uint8_t* bytes);
};

}  // namespace Platform::Midi
