#include "Platform/IniFileManager/CallerStringBuffer.h"

#include <cstring>
#include <limits>

#include "Platform/IniFileManager/IniFileManagerApi.h"

namespace IniFile {

bool CallerStringBuffer::Prepare() {
  if (mNeededSize) *mNeededSize = 0;
  if (mBuffer == nullptr) return mBufferSize == 0;
  if (mBufferSize > 0) mBuffer[0] = '\0';
  return true;
}

int32_t CallerStringBuffer::Deliver(std::string_view text, int32_t success) {
  if (text.size() >= std::numeric_limits<uint32_t>::max()) return IniFileResultInvalidArgument;
  const auto needed = static_cast<uint32_t>(text.size() + 1);
  if (mNeededSize) *mNeededSize = needed;
  if (mBufferSize < needed) return IniFileResultBufferTooSmall;
  std::memcpy(mBuffer, text.data(), text.size());
  mBuffer[text.size()] = '\0';
  return success;
}

}  // namespace IniFile
