#include "tests/Support/EndToEnd/PaintLog.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace Testing::EndToEnd {
namespace {

using Clock = std::chrono::steady_clock;

std::optional<PaintRecord> Parse(const std::string& line) {
  std::istringstream words(line);
  uint64_t nanoseconds = 0;
  PaintRecord record;
  if (!(words >> nanoseconds >> record.window >> record.area.x >> record.area.y >> record.area.width >>
        record.area.height))
    return std::nullopt;
  words.get();
  std::getline(words, record.title);
  record.time = Clock::time_point(std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(nanoseconds)));
  return record;
}

}  // namespace

PaintLog::PaintLog(std::string path) : mPath(std::move(path)) {
  // The file exists before the program starts, so that its changes can be watched.
  std::ofstream(mPath, std::ios::app);
  mNotify = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (mNotify >= 0) inotify_add_watch(mNotify, mPath.c_str(), IN_MODIFY);
}

PaintLog::~PaintLog() {
  if (mNotify >= 0) close(mNotify);
}

std::vector<PaintRecord> PaintLog::Records() const {
  std::vector<PaintRecord> records;
  std::ifstream file(mPath);
  std::string line;
  // A line still being written has no newline yet and is read on the next call.
  while (std::getline(file, line) && !file.eof())
    if (std::optional<PaintRecord> record = Parse(line)) records.push_back(*record);
  return records;
}

std::optional<PaintRecord> PaintLog::WaitFor(const std::function<bool(const PaintRecord&)>& accepts, size_t from,
                                             std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  while (true) {
    const std::vector<PaintRecord> records = Records();
    for (size_t index = from; index < records.size(); ++index)
      if (accepts(records[index])) return records[index];
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return std::nullopt;
    // Woken by the next append; the bound also covers a watch that could not be set.
    pollfd waiting{mNotify, POLLIN, 0};
    if (poll(&waiting, 1, static_cast<int>(std::min<int64_t>(left, mNotify >= 0 ? left : 20))) > 0) {
      char events[4096];
      while (read(mNotify, events, sizeof events) > 0) {
      }
    }
  }
}

std::optional<PaintRecord> PaintLog::WaitForFirstPaint(const std::string& title, std::chrono::milliseconds limit) {
  return WaitFor([&](const PaintRecord& record) { return record.title == title; }, 0, limit);
}

}  // namespace Testing::EndToEnd
