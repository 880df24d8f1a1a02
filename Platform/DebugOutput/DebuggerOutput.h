#pragma once
#include <string_view>

namespace Platform::DebugOutput {

// The debugger's output: text written here reaches standard error while a debugger
// (any tracer of the process) is attached, and goes nowhere otherwise, so a user who
// runs the program never sees it. Any thread may call it.
class DebuggerOutput {
public:
  static void Write(std::string_view text);
  static bool IsDebuggerAttached();
  // Whether a process status text (as /proc/<pid>/status gives it) names a tracer:
  // its "TracerPid:" line holds a number other than 0.
  static bool StatusNamesTracer(std::string_view statusText);
};

}  // namespace Platform::DebugOutput
