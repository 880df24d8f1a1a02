#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Platform::Midi {

// Bytes of input that were thrown away: how many messages lost bytes and how many
// bytes they lost.
struct MidiInputDrops {
  uint64_t messages = 0;
  uint64_t bytes = 0;
};

// One message taken from the input stream.
struct MidiInputMessage {
  enum class Kind {
    Short,           // a whole short message, status byte first
    SystemExclusive, // F0 up to and with F7; without F7 when a status byte cut it short
    Error,           // bytes that begin no message, or a short message a status byte cut short
  };
  Kind kind = Kind::Short;
  std::vector<uint8_t> bytes;
};

// Turns the bytes an input delivers, in whatever pieces they come, into whole
// messages, as a MIDI receiver reads its wire: running status for channel
// messages, real-time bytes taken out wherever they stand (also inside System
// Exclusive), and a System Exclusive message ended by F7 or by the next status
// byte. Not thread-safe: one parser per input, fed by one thread at a time.
class MidiInputParser {
public:
  // At most this many bytes of one System Exclusive message are kept (F7 included);
  // the bytes beyond it are dropped and counted, so a message that never ends cannot
  // grow without bound.
  static constexpr size_t kSystemExclusiveLimit = 64 * 1024;

  // Appends to messages every message that the bytes complete, in order, and adds to
  // drops what had to be thrown away.
  void Feed(const uint8_t* bytes, size_t count, std::vector<MidiInputMessage>& messages,
            MidiInputDrops& drops);

  // Forgets a message under way and the running status.
  void Reset();

private:
  void FeedStatus(uint8_t status, std::vector<MidiInputMessage>& messages, MidiInputDrops& drops);
  void FeedData(uint8_t data, std::vector<MidiInputMessage>& messages, MidiInputDrops& drops);
  void EndSystemExclusive(std::vector<MidiInputMessage>& messages, MidiInputDrops& drops);
  void EndUnfinishedShortMessage(std::vector<MidiInputMessage>& messages);
  void BeginShortMessage(uint8_t status, std::vector<MidiInputMessage>& messages);

  bool mInSystemExclusive = false;
  std::vector<uint8_t> mSystemExclusive;
  size_t mSystemExclusiveDropped = 0;
  std::vector<uint8_t> mShortMessage;
  size_t mShortMessageLength = 0;
  uint8_t mRunningStatus = 0;
};

}  // namespace Platform::Midi
