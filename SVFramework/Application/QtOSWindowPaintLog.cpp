#include "SVFramework/Application/QtOSWindowPaintLog.h"

#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>

namespace SV {
namespace {

const char* PaintLogPath() {
  static const char* const path = [] {
    const char* value = std::getenv("SV_PAINT_LOG");
    return value != nullptr && *value != '\0' ? value : nullptr;
  }();
  return path;
}

uint64_t MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
}

}  // namespace

void AppendPaintLogLine(uint64_t nativeWindowId, const PaintLogArea& area, const std::string& title) {
  const char* const path = PaintLogPath();
  if (path == nullptr) return;
  std::string line = std::to_string(MonotonicNanoseconds()) + " " + std::to_string(nativeWindowId) + " ";
  for (const int number : {area.x, area.y, area.width, area.height}) line += std::to_string(number) + " ";
  for (char c : title) line += (c == '\n' || c == '\r') ? ' ' : c;
  line += '\n';
  const int file = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (file < 0) return;
  // A failed write only loses a line of a watcher's record.
  [[maybe_unused]] const ssize_t written = write(file, line.data(), line.size());
  close(file);
}

}  // namespace SV
