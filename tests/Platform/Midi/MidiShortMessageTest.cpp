#include "Platform/Midi/MidiShortMessage.h"

#include <gtest/gtest.h>

namespace Platform::Midi {
namespace {

struct LengthCase {
  const char* what;
  uint8_t first;
  uint8_t last;
  size_t length;
};

TEST(MidiShortMessage, KnowsTheLengthOfEveryMessageByItsStatusByte) {
  const LengthCase cases[] = {
      {"data bytes begin no message", 0x00, 0x7F, 0},
      {"note off, note on, aftertouch, controller", 0x80, 0xBF, 3},
      {"program change and channel pressure", 0xC0, 0xDF, 2},
      {"pitch bend", 0xE0, 0xEF, 3},
      {"System Exclusive start", 0xF0, 0xF0, 0},
      {"time code quarter frame", 0xF1, 0xF1, 2},
      {"song position", 0xF2, 0xF2, 3},
      {"song select", 0xF3, 0xF3, 2},
      {"the undefined F4 and F5, and tune request", 0xF4, 0xF6, 1},
      {"System Exclusive end", 0xF7, 0xF7, 0},
      {"real-time bytes", 0xF8, 0xFF, 1},
  };
  for (const LengthCase& row : cases) {
    for (int status = row.first; status <= row.last; ++status) {
      EXPECT_EQ(MidiShortMessage::LengthOf(static_cast<uint8_t>(status)), row.length)
          << row.what << ", status " << std::hex << status;
    }
  }
}

TEST(MidiShortMessage, PacksTheStatusByteLowestAndUnpacksOnlyTheMessagesLength) {
  const uint8_t noteOn[] = {0x90, 0x40, 0x7F};
  EXPECT_EQ(MidiShortMessage::Pack(noteOn, 3), 0x7F4090u);

  uint8_t bytes[3] = {};
  EXPECT_EQ(MidiShortMessage::Unpack(0x7F4090u, bytes), 3u);
  EXPECT_EQ(bytes[2], 0x7F);

  uint8_t programChange[3] = {0, 0, 0xAA};
  EXPECT_EQ(MidiShortMessage::Unpack(0x7F05C0u, programChange), 2u);
  EXPECT_EQ(programChange[1], 0x05);
  EXPECT_EQ(programChange[2], 0xAA) << "a byte beyond the length is not written";

  EXPECT_EQ(MidiShortMessage::Unpack(0x7F40u, bytes), 0u) << "a data byte cannot begin a message";
}

}  // namespace
}  // namespace Platform::Midi
