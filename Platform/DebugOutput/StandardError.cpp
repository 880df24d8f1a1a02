#include "Platform/DebugOutput/StandardError.h"

#include <unistd.h>

#include <cerrno>

namespace Platform::DebugOutput {

void StandardError::Write(std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = write(STDERR_FILENO, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    text.remove_prefix(static_cast<size_t>(written));
  }
}

}  // namespace Platform::DebugOutput
