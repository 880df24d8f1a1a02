#include "Platform/Midi/MidiInputParser.h"

#include <gtest/gtest.h>
#include "tests/Support/CaseName.h"

namespace Platform::Midi {
namespace {

using Kind = MidiInputMessage::Kind;
using Bytes = std::vector<uint8_t>;

struct Expected {
  Kind kind;
  Bytes bytes;
};

struct ParserCase {
  const char* what;
  std::vector<Bytes> pieces;
  std::vector<Expected> messages;
};

class MidiInputParserCases : public testing::TestWithParam<ParserCase> {};

TEST_P(MidiInputParserCases, ReadsTheStreamAsAMidiReceiverDoes) {
  MidiInputParser parser;
  std::vector<MidiInputMessage> messages;
  MidiInputDrops drops;
  for (const Bytes& piece : GetParam().pieces) parser.Feed(piece.data(), piece.size(), messages, drops);

  ASSERT_EQ(messages.size(), GetParam().messages.size()) << GetParam().what;
  for (size_t index = 0; index < messages.size(); ++index) {
    EXPECT_EQ(messages[index].kind, GetParam().messages[index].kind) << GetParam().what << " #" << index;
    EXPECT_EQ(messages[index].bytes, GetParam().messages[index].bytes) << GetParam().what << " #" << index;
  }
  EXPECT_EQ(drops.bytes, 0u) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Cases, MidiInputParserCases, testing::Values(
    ParserCase{"a whole note on", {{0x90, 0x40, 0x7F}}, {{Kind::Short, {0x90, 0x40, 0x7F}}}},
    ParserCase{"a note on in pieces", {{0x90}, {0x40}, {0x7F}}, {{Kind::Short, {0x90, 0x40, 0x7F}}}},
    ParserCase{"running status repeats the last channel status",
               {{0x90, 0x40, 0x7F, 0x41, 0x00}},
               {{Kind::Short, {0x90, 0x40, 0x7F}}, {Kind::Short, {0x90, 0x41, 0x00}}}},
    ParserCase{"a real-time byte inside a note comes out first",
               {{0x90, 0xF8, 0x40, 0x7F}},
               {{Kind::Short, {0xF8}}, {Kind::Short, {0x90, 0x40, 0x7F}}}},
    ParserCase{"a real-time byte inside System Exclusive leaves it whole",
               {{0xF0, 0x01, 0xF8, 0x02, 0xF7}},
               {{Kind::Short, {0xF8}}, {Kind::SystemExclusive, {0xF0, 0x01, 0x02, 0xF7}}}},
    ParserCase{"System Exclusive in pieces is one message",
               {{0xF0, 0x01, 0x02}, {0x03}, {0x04, 0xF7}},
               {{Kind::SystemExclusive, {0xF0, 0x01, 0x02, 0x03, 0x04, 0xF7}}}},
    ParserCase{"a status byte ends System Exclusive without F7",
               {{0xF0, 0x01, 0x90, 0x40, 0x7F}},
               {{Kind::SystemExclusive, {0xF0, 0x01}}, {Kind::Short, {0x90, 0x40, 0x7F}}}},
    ParserCase{"a new F0 ends the message under way",
               {{0xF0, 0x01, 0xF0, 0x02, 0xF7}},
               {{Kind::SystemExclusive, {0xF0, 0x01}}, {Kind::SystemExclusive, {0xF0, 0x02, 0xF7}}}},
    ParserCase{"a data byte without status is an error", {{0x40}}, {{Kind::Error, {0x40}}}},
    ParserCase{"F7 outside System Exclusive is an error", {{0xF7}}, {{Kind::Error, {0xF7}}}},
    ParserCase{"a note cut short by a status byte is an error",
               {{0x90, 0x40, 0xC0, 0x05}},
               {{Kind::Error, {0x90, 0x40}}, {Kind::Short, {0xC0, 0x05}}}},
    ParserCase{"system common messages have their own lengths and end running status",
               {{0x90, 0x40, 0x7F, 0xF2, 0x01, 0x02, 0xF1, 0x10, 0xF6, 0x41}},
               {{Kind::Short, {0x90, 0x40, 0x7F}}, {Kind::Short, {0xF2, 0x01, 0x02}},
                {Kind::Short, {0xF1, 0x10}}, {Kind::Short, {0xF6}}, {Kind::Error, {0x41}}}}),
    SV::Testing::NameFromWhat());

TEST(MidiInputParser, KeepsAtMost64KiBOfOneSystemExclusiveMessageAndCountsTheRest) {
  Bytes message(70000, 0x11);
  message.front() = 0xF0;
  message.back() = 0xF7;
  MidiInputParser parser;
  std::vector<MidiInputMessage> messages;
  MidiInputDrops drops;
  for (size_t offset = 0; offset < message.size(); offset += 1000) {
    parser.Feed(message.data() + offset, std::min<size_t>(1000, message.size() - offset), messages, drops);
  }

  ASSERT_EQ(messages.size(), 1u);
  const Bytes& kept = messages[0].bytes;
  EXPECT_EQ(kept.size(), MidiInputParser::kSystemExclusiveLimit);
  EXPECT_EQ(kept.front(), 0xF0);
  EXPECT_EQ(kept.back(), 0xF7) << "the end of the message is kept";
  EXPECT_EQ(drops.messages, 1u);
  EXPECT_EQ(drops.bytes, message.size() - kept.size());
}

TEST(MidiInputParser, ResetForgetsAMessageUnderWayAndTheRunningStatus) {
  MidiInputParser parser;
  std::vector<MidiInputMessage> messages;
  MidiInputDrops drops;
  const Bytes before{0xF0, 0x01, 0x90, 0x40};
  parser.Feed(before.data(), 1, messages, drops);
  parser.Reset();
  const Bytes after{0x02, 0xF7};
  parser.Feed(after.data(), after.size(), messages, drops);

  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].kind, Kind::Error);
  EXPECT_EQ(messages[1].kind, Kind::Error);
}

}  // namespace
}  // namespace Platform::Midi
