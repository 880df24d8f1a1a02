#include "Platform/Midi/MidiInputParser.h"

#include "Platform/Midi/MidiShortMessage.h"

namespace Platform::Midi {
namespace {

constexpr uint8_t kSystemExclusiveStart = 0xF0;
constexpr uint8_t kSystemExclusiveEnd = 0xF7;

bool IsRealTime(uint8_t byte) { return byte >= 0xF8; }
bool IsChannelStatus(uint8_t byte) { return byte >= 0x80 && byte < 0xF0; }

}  // namespace

void MidiInputParser::Feed(const uint8_t* bytes, size_t count,
                           std::vector<MidiInputMessage>& messages, MidiInputDrops& drops) {
  for (size_t index = 0; index < count; ++index) {
    const uint8_t byte = bytes[index];
    if (IsRealTime(byte)) {
      messages.push_back({MidiInputMessage::Kind::Short, {byte}});
    } else if (byte >= 0x80) {
      FeedStatus(byte, messages, drops);
    } else {
      FeedData(byte, messages, drops);
    }
  }
}

void MidiInputParser::Reset() {
  mInSystemExclusive = false;
  mSystemExclusive.clear();
  mSystemExclusiveDropped = 0;
  mShortMessage.clear();
  mShortMessageLength = 0;
  mRunningStatus = 0;
}

void MidiInputParser::FeedStatus(uint8_t status, std::vector<MidiInputMessage>& messages,
                                 MidiInputDrops& drops) {
  if (status == kSystemExclusiveEnd && mInSystemExclusive) {
    mSystemExclusive.push_back(status);
    EndSystemExclusive(messages, drops);
    return;
  }
  if (mInSystemExclusive) EndSystemExclusive(messages, drops);
  EndUnfinishedShortMessage(messages);
  mRunningStatus = IsChannelStatus(status) ? status : 0;
  if (status == kSystemExclusiveStart) {
    mInSystemExclusive = true;
    mSystemExclusive.assign(1, status);
  } else if (status == kSystemExclusiveEnd) {
    messages.push_back({MidiInputMessage::Kind::Error, {status}});
  } else {
    BeginShortMessage(status, messages);
  }
}

void MidiInputParser::FeedData(uint8_t data, std::vector<MidiInputMessage>& messages,
                               MidiInputDrops& drops) {
  if (mInSystemExclusive) {
    // One place stays free for the F7 that ends the message.
    if (mSystemExclusive.size() < kSystemExclusiveLimit - 1) {
      mSystemExclusive.push_back(data);
    } else {
      ++mSystemExclusiveDropped;
    }
    return;
  }
  if (mShortMessage.empty()) {
    if (mRunningStatus == 0) {
      messages.push_back({MidiInputMessage::Kind::Error, {data}});
      return;
    }
    BeginShortMessage(mRunningStatus, messages);
  }
  mShortMessage.push_back(data);
  if (mShortMessage.size() == mShortMessageLength) {
    messages.push_back({MidiInputMessage::Kind::Short, std::move(mShortMessage)});
    mShortMessage.clear();
  }
}

void MidiInputParser::EndSystemExclusive(std::vector<MidiInputMessage>& messages,
                                         MidiInputDrops& drops) {
  if (mSystemExclusiveDropped > 0) {
    ++drops.messages;
    drops.bytes += mSystemExclusiveDropped;
  }
  messages.push_back({MidiInputMessage::Kind::SystemExclusive, std::move(mSystemExclusive)});
  mSystemExclusive.clear();
  mSystemExclusiveDropped = 0;
  mInSystemExclusive = false;
}

void MidiInputParser::EndUnfinishedShortMessage(std::vector<MidiInputMessage>& messages) {
  if (mShortMessage.empty()) return;
  messages.push_back({MidiInputMessage::Kind::Error, std::move(mShortMessage)});
  mShortMessage.clear();
}

void MidiInputParser::BeginShortMessage(uint8_t status, std::vector<MidiInputMessage>& messages) {
  mShortMessageLength = MidiShortMessage::LengthOf(status);
  if (mShortMessageLength <= 1) {
    messages.push_back({MidiInputMessage::Kind::Short, {status}});
    return;
  }
  mShortMessage.assign(1, status);
}

}  // namespace Platform::Midi
