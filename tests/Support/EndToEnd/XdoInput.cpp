#include "tests/Support/EndToEnd/XdoInput.h"

#include <unistd.h>

#include <chrono>

#include "tests/Support/EndToEnd/ChildProcess.h"

namespace Testing::EndToEnd {
namespace {

constexpr const char* kXdotool = "/usr/bin/xdotool";
constexpr std::chrono::milliseconds kLimit{15000};

}  // namespace

bool XdoInput::Available() { return access(kXdotool, X_OK) == 0; }

bool XdoInput::Run(std::vector<std::string> arguments) {
  std::string error;
  std::unique_ptr<ChildProcess> process =
      ChildProcess::Start({.program = kXdotool, .arguments = std::move(arguments), .environment = {{"DISPLAY", mDisplay}}, .logPath = {}},
                          error);
  if (!process) return false;
  const std::optional<int> status = process->WaitForExit(kLimit);
  return status && *status == 0;
}

bool XdoInput::Click(int x, int y) {
  return Run({"mousemove", std::to_string(x), std::to_string(y), "click", "1"});
}

bool XdoInput::MoveMouse(int x, int y) { return Run({"mousemove", std::to_string(x), std::to_string(y)}); }

bool XdoInput::Key(const std::string& keys) { return Run({"key", "--clearmodifiers", keys}); }

bool XdoInput::Focus(unsigned long window) { return Run({"windowfocus", "--sync", std::to_string(window)}); }

bool XdoInput::Type(const std::string& text) { return Run({"type", "--delay", "20", text}); }

}  // namespace Testing::EndToEnd
