#pragma once
#include <cstdint>
#include <string_view>

namespace IniFile {

// A caller's buffer for a string read: bufferSize is honoured exactly and whatever
// is in the buffer is always zero-terminated. Used by one call on one thread.
class CallerStringBuffer {
public:
  CallerStringBuffer(char* buffer, uint32_t bufferSize, uint32_t* neededSize)
      : mBuffer(buffer), mBufferSize(bufferSize), mNeededSize(neededSize) {}

  // Empties the buffer and the needed size; false when the buffer is null but its
  // size is not 0.
  bool Prepare();
  // Copies the text with its terminating zero and answers `success`, or answers
  // IniFileResultBufferTooSmall and leaves the buffer empty; sets the needed size.
  int32_t Deliver(std::string_view text, int32_t success);

private:
  char* mBuffer;
  uint32_t mBufferSize;
  uint32_t* mNeededSize;
};

}  // namespace IniFile
