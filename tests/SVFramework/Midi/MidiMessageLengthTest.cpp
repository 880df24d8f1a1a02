#include "SVFramework/Midi/MidiMessageLength.h"

#include <gtest/gtest.h>

#include "SVFramework/Midi/MidiCapturePort.h"

namespace SV {
namespace {

// The send path and the capture path count lengths by different rules; each row
// gives both.
TEST(MidiMessageLength, CountsLengthsByTheStatusByte) {
  struct Row {
    uint8_t first;
    int32_t sent;
    uint32_t captured;
    const char* what;
  };
  const Row rows[] = {
      {0x00, 1, 1, "data byte"},
      {0x7F, 1, 1, "data byte"},
      {0x80, 3, 3, "note off"},
      {0x9F, 3, 3, "note on"},
      {0xB0, 3, 3, "control change"},
      {0xBF, 3, 3, "control change"},
      {0xC0, 2, 2, "program change"},
      {0xDF, 2, 2, "channel pressure"},
      {0xE0, 3, 3, "pitch bend"},
      {0xEF, 3, 3, "pitch bend"},
      {0xF0, 0, 1, "System Exclusive start"},
      {0xF1, 2, 1, "time code"},
      {0xF2, 3, 1, "song position"},
      {0xF3, 2, 1, "song select"},
      {0xF4, 2, 1, "undefined"},
      {0xF5, 2, 1, "undefined"},
      {0xF6, 1, 1, "tune request"},
      {0xF7, 0, 1, "System Exclusive end"},
      {0xF8, 1, 1, "clock"},
      {0xFF, 1, 1, "reset"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(GetMidiMessageLength(row.first), row.sent) << row.what;
    EXPECT_EQ(LMidiCapturePort::ShortMessageLength(row.first), row.captured) << row.what;
  }
}

}  // namespace
}  // namespace SV
