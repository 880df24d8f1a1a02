#pragma once
#include <string_view>

namespace Platform::DebugOutput {

// The process's standard error, written without any buffer of our own. Any thread
// may call it; each call writes its text whole unless the stream fails.
class StandardError {
public:
  static void Write(std::string_view text);
};

}  // namespace Platform::DebugOutput
