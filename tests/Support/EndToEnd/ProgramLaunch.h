#pragma once
#include <memory>
#include <string>
#include <vector>

#include "tests/Support/EndToEnd/ChildProcess.h"

namespace Testing::EndToEnd {

// How a program under test is started on the test's X server: a home folder of the
// test's own (HOME, the XDG settings, data and run-time folders below it, so that its
// settings, documents and single-instance lock are the test's), the logical dots per
// inch Qt reports (QT_FONT_DPI: 96 standard, 192 high), Qt on X11, the paint log the
// program writes its presented frames to (SV_PAINT_LOG), and its output in a log file.
struct ProgramLaunch {
  std::string program;
  std::vector<std::string> arguments;
  std::string display;
  std::string home;
  int dotsPerInch = 96;
  std::string paintLog;
  std::string logPath;
};

// Makes the home's folders and starts the program; null, with the reason, when it
// could not be started.
std::unique_ptr<ChildProcess> StartProgram(const ProgramLaunch& launch, std::string& error);

// The text of a log file (empty when there is none), for failure messages.
std::string ReadTextFile(const std::string& path);

}  // namespace Testing::EndToEnd
