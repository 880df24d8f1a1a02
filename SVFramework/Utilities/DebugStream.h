#pragma once
#include <ostream>

#include "SVFramework/Utilities/DebugBuf.h"
#include "SVFramework/Utilities/DebugTextTarget.h"
#include "SVFramework/Utilities/Storage/StringT.h"

// An output stream of the debug log: writes into a basic_debugbuf of its own, made and
// destroyed with the stream, that passes the text on to the target (see basic_debugbuf).
// The char16_t stream takes text and characters (u"..." and SV::String) and std::flush;
// it has no facets for numbers or std::endl, so format those into the text first.
// Thread rules: not locked, one thread at a time.
template <class CharT>
class basic_dostream : public std::basic_ostream<CharT> {
public:
  explicit basic_dostream(SV::IDebugTextTarget& target) : std::basic_ostream<CharT>(nullptr), mBuffer(target) {
    this->init(&mBuffer);
  }
  basic_dostream(const basic_dostream&) = delete;
  basic_dostream& operator=(const basic_dostream&) = delete;

  const basic_debugbuf<CharT>& Buffer() const { return mBuffer; }

private:
  basic_debugbuf<CharT> mBuffer;
};

namespace SV {

// Writes the text of a String to a UTF-16 stream (the wide debug stream).
inline std::basic_ostream<char16_t>& operator<<(std::basic_ostream<char16_t>& stream, const String& text) {
  return stream.write(text.GetString(), text.GetLength());
}

}  // namespace SV
