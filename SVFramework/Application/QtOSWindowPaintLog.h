#pragma once
#include <cstdint>
#include <string>

namespace SV {

// A record of the frames our OS windows put on the screen, for programs that watch a
// running program from outside (the end-to-end tests and the launch benchmarks): when
// the environment variable SV_PAINT_LOG names a file when the first window presents,
// each presented frame appends one line to it,
//   <CLOCK_MONOTONIC nanoseconds> <native window id> <x> <y> <width> <height> <title>
// (numbers decimal; x to height bound what the frame put on the screen, in the
// window's pixels), written with a single append, so that lines of several windows
// never mix. The clock is the one std::chrono::steady_clock reads on Linux, so a
// watcher compares the times with its own. Without the variable nothing is written
// and the cost is one test of a cached flag. UI thread only.
struct PaintLogArea {
  int x = 0, y = 0, width = 0, height = 0;
};
void AppendPaintLogLine(uint64_t nativeWindowId, const PaintLogArea& area, const std::string& title);

}  // namespace SV
