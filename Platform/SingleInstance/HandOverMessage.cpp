#include "Platform/SingleInstance/HandOverMessage.h"

#include <algorithm>

namespace Platform::SingleInstance {
namespace {

// The length of the well-formed sequence starting at `position`, 0 when there is none.
size_t SequenceLength(std::string_view text, size_t position) {
  const auto byte = [&](size_t offset) { return static_cast<uint8_t>(text[position + offset]); };
  const uint8_t lead = byte(0);
  if (lead >= 0x01 && lead <= 0x7F) return 1;
  size_t length = 0;
  uint8_t low = 0x80, high = 0xBF;  // bounds of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead == 0xE0) length = 3, low = 0xA0;
  else if (lead == 0xED) length = 3, high = 0x9F;
  else if (lead >= 0xE1 && lead <= 0xEF) length = 3;
  else if (lead == 0xF0) length = 4, low = 0x90;
  else if (lead >= 0xF1 && lead <= 0xF3) length = 4;
  else if (lead == 0xF4) length = 4, high = 0x8F;
  else return 0;
  if (position + length > text.size()) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (size_t offset = 2; offset < length; ++offset)
    if (byte(offset) < 0x80 || byte(offset) > 0xBF) return 0;
  return length;
}

}  // namespace

bool IsCleanUtf8(std::string_view text) {
  for (size_t position = 0; position < text.size();) {
    const size_t length = SequenceLength(text, position);
    if (length == 0) return false;
    position += length;
  }
  return true;
}

std::optional<std::string> EncodeHandOver(std::string_view commandLine) {
  if (commandLine.empty() || commandLine.size() >= kMaxMessageBytes || !IsCleanUtf8(commandLine)) return std::nullopt;
  const uint32_t length = static_cast<uint32_t>(commandLine.size() + 1);
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((length >> shift) & 0xFF);
  bytes.append(commandLine);
  bytes += '\0';
  return bytes;
}

size_t HandOverReader::Consume(std::string_view bytes) {
  size_t taken = 0;
  while (mState == State::kReading && mHeaderCount < sizeof mHeader && taken < bytes.size())
    ReadHeaderByte(bytes[taken++]);
  if (mState != State::kReading || mHeaderCount < sizeof mHeader) return taken;
  const size_t body = std::min(BytesWanted(), bytes.size() - taken);
  mText.append(bytes.substr(taken, body));
  taken += body;
  if (mText.size() == mLength) FinishBody();
  return taken;
}

size_t HandOverReader::BytesWanted() const {
  if (mState != State::kReading) return 0;
  if (mHeaderCount < sizeof mHeader) return sizeof mHeader - mHeaderCount;
  return mLength - mText.size();
}

void HandOverReader::ReadHeaderByte(char byte) {
  mHeader[mHeaderCount++] = static_cast<uint8_t>(byte);
  if (mHeaderCount < sizeof mHeader) return;
  mLength = mHeader[0] | (mHeader[1] << 8) | (mHeader[2] << 16) | (static_cast<uint32_t>(mHeader[3]) << 24);
  // The smallest message is one character and its zero.
  if (mLength < 2 || mLength > kMaxMessageBytes) {
    mState = State::kRefused;
    return;
  }
  mText.reserve(mLength);
}

void HandOverReader::FinishBody() {
  const bool terminated = mText.back() == '\0';
  mText.pop_back();
  mState = terminated && IsCleanUtf8(mText) ? State::kAccepted : State::kRefused;
  if (mState == State::kRefused) mText.clear();
}

}  // namespace Platform::SingleInstance
