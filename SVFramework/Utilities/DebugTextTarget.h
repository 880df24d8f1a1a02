#pragma once
#include <string_view>

namespace SV {

// Where a debug-log stream buffer passes its text on: one call per piece, the text in
// UTF-8 (possibly empty, for a flush with nothing buffered). Called on the thread that
// writes or flushes the stream.
class IDebugTextTarget {
public:
  virtual ~IDebugTextTarget() = default;
  virtual void ReceiveDebugText(std::string_view utf8Text) = 0;
};

}  // namespace SV
