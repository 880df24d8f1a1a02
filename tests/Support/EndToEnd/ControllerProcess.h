#pragma once
#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/Support/EndToEnd/ChildProcess.h"

namespace Testing::EndToEnd {

using Bytes = std::vector<uint8_t>;
using PresetValues = std::array<uint8_t, 24>;

// The simulated controller program (SimulatedControllerProgram), started on the
// process's default JACK server and driven over its command lines. Every operation
// waits for the program's answer, at most kAnswerLimit; a missing or failed answer
// fails the current test (with the command and the answer) and is returned as false.
// For the test's main thread.
class ControllerProcess {
public:
  static constexpr std::chrono::milliseconds kAnswerLimit{15000};

  // Null, with the reason, when the program did not start or its ports did not appear.
  static std::unique_ptr<ControllerProcess> Start(const std::string& program, std::string& error);
  ~ControllerProcess();

  bool SetPreset(const PresetValues& values);
  // "prompt", "silent" or "during-request".
  bool Answer(const std::string& how);
  bool Unplug();
  bool Plug();

  // Every message it has received so far, in order.
  std::vector<Bytes> Received();
  // Whether it has received `count` messages in all within the limit.
  bool WaitForReceived(size_t count, std::chrono::milliseconds limit);
  // Its preset as the editor last sent it (or as set).
  PresetValues Stored();
  // The global settings it received, in order: command byte and value.
  std::vector<std::pair<int, int>> GlobalSettings();

private:
  explicit ControllerProcess(std::unique_ptr<ChildProcess> process) : mProcess(std::move(process)) {}
  // The first line of the answer, or empty when none came.
  std::string Command(const std::string& line, std::chrono::milliseconds limit = kAnswerLimit);
  bool CommandOk(const std::string& line);
  // The lines after an answer "ok N".
  std::vector<std::string> ListCommand(const std::string& line);

  std::unique_ptr<ChildProcess> mProcess;
};

// The bytes of a line of upper-case hex pairs separated by blanks.
Bytes BytesOfHex(const std::string& line);

}  // namespace Testing::EndToEnd
