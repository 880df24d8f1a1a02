#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/Support/EndToEnd/ScreenPixels.h"

namespace Testing::EndToEnd {

// One presented frame as the program recorded it (SV_PAINT_LOG, see
// SVFramework/Application/QtOSWindowPaintLog.h).
struct PaintRecord {
  std::chrono::steady_clock::time_point time;
  uint64_t window = 0;
  // What the frame put on the screen, in the window's pixels.
  ScreenRect area;
  std::string title;
};

// The paint log of a program under test: the file named to it in SV_PAINT_LOG, read
// by the watcher. Waits wake on the file's changes (inotify), with an upper bound.
// For one thread.
class PaintLog {
public:
  explicit PaintLog(std::string path);
  ~PaintLog();
  PaintLog(const PaintLog&) = delete;
  PaintLog& operator=(const PaintLog&) = delete;

  const std::string& Path() const { return mPath; }
  std::vector<PaintRecord> Records() const;

  // The first record (counting from `from`) that the predicate accepts, once there
  // is one; nothing when none came within the limit.
  std::optional<PaintRecord> WaitFor(const std::function<bool(const PaintRecord&)>& accepts, size_t from,
                                     std::chrono::milliseconds limit);
  // The first frame of a window with that title.
  std::optional<PaintRecord> WaitForFirstPaint(const std::string& title, std::chrono::milliseconds limit);

private:
  std::string mPath;
  int mNotify = -1;
};

}  // namespace Testing::EndToEnd
