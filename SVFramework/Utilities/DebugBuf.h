#pragma once
#include <ios>
#include <sstream>
#include <string_view>

#include "SVFramework/Utilities/DebugTextTarget.h"

// The stream buffer behind a debug-log stream: it collects what is written and passes
// it on to its target, as UTF-8, at every flush and whenever kPieceLength characters
// are buffered, so text written in blocks leaves in pieces of at most kPieceLength
// characters. Characters written one by one (as numbers are) grow the buffer and stay
// there until the next flush or block. While more text follows, a piece does not end
// inside a UTF-8 sequence or a UTF-16 surrogate pair. Destroying the buffer passes on
// what it still holds.
// Instances: char (UTF-8) and char16_t (UTF-16). Thread rules: not locked, one thread
// at a time.
template <class CharT>
class basic_debugbuf : public std::basic_stringbuf<CharT> {
public:
  static constexpr std::streamsize kPieceLength = 1023;

  explicit basic_debugbuf(SV::IDebugTextTarget& target) : std::basic_stringbuf<CharT>(std::ios_base::out), mTarget(target) {}
  ~basic_debugbuf() override;
  basic_debugbuf(const basic_debugbuf&) = delete;
  basic_debugbuf& operator=(const basic_debugbuf&) = delete;

  // The number of characters written since the last pass-on.
  std::streamsize BufferedCount() const { return this->pptr() - this->pbase(); }

protected:
  // Passes the buffered text on (also when there is none) and empties the buffer; 0.
  int sync() override;
  // Appends count characters, passing full pieces on as it goes; returns count.
  std::streamsize xsputn(const CharT* text, std::streamsize count) override;

private:
  void SendText(std::basic_string_view<CharT> text);

  SV::IDebugTextTarget& mTarget;
};

extern template class basic_debugbuf<char>;
extern template class basic_debugbuf<char16_t>;
