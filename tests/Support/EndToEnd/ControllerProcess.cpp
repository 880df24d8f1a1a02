#include "tests/Support/EndToEnd/ControllerProcess.h"

#include <gtest/gtest.h>

#include <sstream>

namespace Testing::EndToEnd {

std::unique_ptr<ControllerProcess> ControllerProcess::Start(const std::string& program, std::string& error) {
  std::unique_ptr<ChildProcess> process = ChildProcess::Start({.program = program, .arguments = {}, .environment = {}, .logPath = {}}, error);
  if (!process) return nullptr;
  const std::optional<std::string> first = process->ReadLine(kAnswerLimit);
  if (!first || *first != "ready") {
    error = "the simulated controller did not come up: " + first.value_or("(no answer)");
    return nullptr;
  }
  return std::unique_ptr<ControllerProcess>(new ControllerProcess(std::move(process)));
}

ControllerProcess::~ControllerProcess() {
  if (mProcess->WriteLine("quit")) mProcess->WaitForExit(kAnswerLimit);
}

std::string ControllerProcess::Command(const std::string& line, std::chrono::milliseconds limit) {
  if (!mProcess->WriteLine(line)) return {};
  return mProcess->ReadLine(limit).value_or(std::string());
}

bool ControllerProcess::CommandOk(const std::string& line) {
  const std::string answer = Command(line);
  EXPECT_EQ(answer, "ok") << "simulated controller, command: " << line;
  return answer == "ok";
}

bool ControllerProcess::SetPreset(const PresetValues& values) {
  std::string line = "preset";
  for (uint8_t value : values) line += " " + std::to_string(value);
  return CommandOk(line);
}

bool ControllerProcess::Answer(const std::string& how) { return CommandOk("answer " + how); }
bool ControllerProcess::Unplug() { return CommandOk("unplug"); }
bool ControllerProcess::Plug() { return CommandOk("plug"); }

std::vector<std::string> ControllerProcess::ListCommand(const std::string& line) {
  std::vector<std::string> lines;
  const std::string answer = Command(line);
  size_t count = 0;
  if (std::sscanf(answer.c_str(), "ok %zu", &count) != 1) {
    ADD_FAILURE() << "simulated controller, command: " << line << ": " << answer;
    return lines;
  }
  for (size_t index = 0; index < count; ++index) {
    const std::optional<std::string> next = mProcess->ReadLine(kAnswerLimit);
    if (!next) break;
    lines.push_back(*next);
  }
  return lines;
}

std::vector<Bytes> ControllerProcess::Received() {
  std::vector<Bytes> messages;
  for (const std::string& line : ListCommand("received")) messages.push_back(BytesOfHex(line));
  return messages;
}

std::vector<std::pair<int, int>> ControllerProcess::GlobalSettings() {
  std::vector<std::pair<int, int>> settings;
  for (const std::string& line : ListCommand("settings")) {
    std::pair<int, int> setting{-1, -1};
    std::sscanf(line.c_str(), "%d %d", &setting.first, &setting.second);
    settings.push_back(setting);
  }
  return settings;
}

bool ControllerProcess::WaitForReceived(size_t count, std::chrono::milliseconds limit) {
  const std::string line = "wait-received " + std::to_string(count) + " " + std::to_string(limit.count());
  return Command(line, limit + kAnswerLimit) == "ok";
}

PresetValues ControllerProcess::Stored() {
  PresetValues values{};
  std::istringstream words(Command("stored"));
  std::string ok;
  words >> ok;
  EXPECT_EQ(ok, "ok") << "simulated controller, command: stored";
  for (uint8_t& value : values) {
    int number = -1;
    words >> number;
    value = static_cast<uint8_t>(number);
  }
  return values;
}

Bytes BytesOfHex(const std::string& line) {
  Bytes bytes;
  std::istringstream words(line);
  std::string pair;
  while (words >> pair) bytes.push_back(static_cast<uint8_t>(std::stoul(pair, nullptr, 16)));
  return bytes;
}

}  // namespace Testing::EndToEnd
