#include "Platform/Midi/MidiInputParser.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

// Reads arbitrary bytes as MIDI input, in pieces whose sizes the input chooses, and
// checks what the parser promises of every message it gives.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using Platform::Midi::MidiInputMessage;
  Platform::Midi::MidiInputParser parser;
  Platform::Midi::MidiInputDrops drops;
  std::vector<MidiInputMessage> messages;
  size_t offset = 0;
  while (offset < size) {
    const size_t piece = std::min<size_t>(1 + data[offset] % 64, size - offset);
    parser.Feed(data + offset, piece, messages, drops);
    offset += piece;
  }
  for (const MidiInputMessage& message : messages) {
    if (message.bytes.empty()) std::abort();
    if (message.bytes.size() > Platform::Midi::MidiInputParser::kSystemExclusiveLimit) std::abort();
    if (message.kind == MidiInputMessage::Kind::SystemExclusive && message.bytes.front() != 0xF0) std::abort();
    if (message.kind == MidiInputMessage::Kind::Short && message.bytes.front() < 0x80) std::abort();
  }
  return 0;
}
