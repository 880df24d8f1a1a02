#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Platform::SingleInstance {

// The one message a second instance sends to the first: a 4-byte little-endian length
// N, then N bytes: the command line in UTF-8 followed by one zero byte. N is at most
// kMaxMessageBytes. The first instance answers an accepted message with kAcknowledge.
constexpr uint32_t kMaxMessageBytes = 64 * 1024;
constexpr char kAcknowledge = 0x06;

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing
// above U+10FFFF) and hold no zero byte.
bool IsCleanUtf8(std::string_view text);

// The bytes to send for a command line; nothing when the text is empty, not clean
// UTF-8 or too long for one message.
std::optional<std::string> EncodeHandOver(std::string_view commandLine);

// Reads one message from bytes that arrive in pieces, never keeping more than the
// announced length, which it checks before reading the body. Not thread-safe: one
// reader per connection, used on the thread that owns the connection.
class HandOverReader {
public:
  enum class State { kReading, kAccepted, kRefused };

  // Takes bytes from the front of `bytes` and returns how many it took: never more
  // than the message still needs, none once the message is accepted or refused.
  size_t Consume(std::string_view bytes);
  // How many more bytes the message needs (0 once accepted or refused).
  size_t BytesWanted() const;

  State GetState() const { return mState; }
  // The command line without its zero byte; valid once accepted.
  const std::string& GetText() const { return mText; }

private:
  void ReadHeaderByte(char byte);
  void FinishBody();

  State mState = State::kReading;
  uint8_t mHeader[4] = {};
  size_t mHeaderCount = 0;
  uint32_t mLength = 0;
  std::string mText;
};

}  // namespace Platform::SingleInstance
