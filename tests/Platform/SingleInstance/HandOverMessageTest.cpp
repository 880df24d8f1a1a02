#include "Platform/SingleInstance/HandOverMessage.h"

#include <gtest/gtest.h>

#include <string>

namespace Platform::SingleInstance {
namespace {

using State = HandOverReader::State;

std::string Header(uint32_t length) {
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((length >> shift) & 0xFF);
  return bytes;
}

std::string Message(const std::string& body) { return Header(static_cast<uint32_t>(body.size())) + body; }

struct ReadCase {
  const char* name;
  std::string bytes;
  State state;
  std::string text;
  size_t taken;  // bytes the reader takes of the input
};

// Each row: what a peer sends, and what one reader makes of it.
const ReadCase kReadCases[] = {
    {"PlainTextAccepted", Message(std::string("editor -x", 10)), State::kAccepted, "editor -x", 14},
    {"MultibyteTextAccepted", Message(std::string("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xF0\x9D\x84\x9E", 17)),
     State::kAccepted, "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xF0\x9D\x84\x9E", 21},
    {"BytesAfterTheMessageAreNotTaken", Message(std::string("ab\0", 3)) + "surplus", State::kAccepted, "ab", 7},
    {"LengthAboveCapRefusedBeforeBody", Header(kMaxMessageBytes + 1) + std::string(100, 'a'), State::kRefused, "", 4},
    {"HugeLengthRefusedBeforeBody", Header(0xFFFFFFFF) + "abc", State::kRefused, "", 4},
    {"ZeroLengthRefused", Header(0), State::kRefused, "", 4},
    {"TerminatorAloneRefused", Message(std::string("\0", 1)), State::kRefused, "", 4},
    {"MissingTerminatorRefused", Message("abc"), State::kRefused, "", 7},
    {"InnerZeroRefused", Message(std::string("a\0b\0", 4)), State::kRefused, "", 8},
    {"InvalidByteRefused", Message(std::string("\xFF\0", 2)), State::kRefused, "", 6},
    {"OverlongFormRefused", Message(std::string("\xC0\xAF\0", 3)), State::kRefused, "", 7},
    {"SurrogateRefused", Message(std::string("\xED\xA0\x80\0", 4)), State::kRefused, "", 8},
    {"AboveUnicodeRefused", Message(std::string("\xF4\x90\x80\x80\0", 5)), State::kRefused, "", 9},
    {"CutSequenceRefused", Message(std::string("\xE2\x82\0", 3)), State::kRefused, "", 7},
    {"ShortBodyKeepsReading", Header(10) + "abc", State::kReading, "", 7},
    {"ShortHeaderKeepsReading", std::string("\x05\x00", 2), State::kReading, "", 2},
};

void PrintTo(const ReadCase& row, std::ostream* out) { *out << row.name; }

class HandOverReading : public testing::TestWithParam<ReadCase> {};

TEST_P(HandOverReading, WholeInputAndByteByByteGiveTheSameResult) {
  HandOverReader whole;
  EXPECT_EQ(whole.Consume(GetParam().bytes), GetParam().taken);
  EXPECT_EQ(whole.GetState(), GetParam().state);
  if (GetParam().state == State::kAccepted) {
    EXPECT_EQ(whole.GetText(), GetParam().text);
  }

  HandOverReader pieces;
  size_t taken = 0;
  for (char byte : GetParam().bytes) taken += pieces.Consume(std::string_view(&byte, 1));
  EXPECT_EQ(taken, GetParam().taken);
  EXPECT_EQ(pieces.GetState(), GetParam().state);
  EXPECT_EQ(pieces.GetText(), whole.GetText());
}

INSTANTIATE_TEST_SUITE_P(Inputs, HandOverReading, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(HandOverReader, WantsExactlyTheAnnouncedLength) {
  HandOverReader reader;
  EXPECT_EQ(reader.BytesWanted(), 4u);
  reader.Consume(Header(1000));
  EXPECT_EQ(reader.BytesWanted(), 1000u);
  reader.Consume(std::string(400, 'a'));
  EXPECT_EQ(reader.BytesWanted(), 600u);
  EXPECT_EQ(reader.Consume(std::string(5000, 'a')), 600u);
  EXPECT_EQ(reader.GetState(), State::kRefused);
  EXPECT_EQ(reader.BytesWanted(), 0u);
  EXPECT_EQ(reader.Consume("more"), 0u);
}

TEST(HandOverEncoding, CarriesLengthTextAndTerminatorAndRefusesWhatCannotBeRead) {
  EXPECT_EQ(EncodeHandOver("-x"), Header(3) + std::string("-x\0", 3));
  EXPECT_FALSE(EncodeHandOver(""));
  EXPECT_FALSE(EncodeHandOver("\xFF"));
  EXPECT_FALSE(EncodeHandOver(std::string("a\0b", 3)));
  const std::string largest(kMaxMessageBytes - 1, 'a');
  HandOverReader reader;
  reader.Consume(*EncodeHandOver(largest));
  EXPECT_EQ(reader.GetState(), State::kAccepted);
  EXPECT_FALSE(EncodeHandOver(largest + "a"));
}

}  // namespace
}  // namespace Platform::SingleInstance
