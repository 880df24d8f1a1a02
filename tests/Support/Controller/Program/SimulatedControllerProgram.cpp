// The simulated controller as a program of its own, for tests that run the real editor:
// it joins the default JACK server (JACK_DEFAULT_SERVER) as a MIDI client named like
// the controller (the first argument, "Corvex" when none is given), answers the
// protocol as SimulatedController does, and is driven over standard input, one
// command a line, each answered with one line on standard output ("ok ...", or
// "error ..." with the reason). It prints "ready" once its ports exist, or "error ..."
// and ends with 1 when they cannot be made. It ends at "quit" or at the end of its
// input, so it never outlives the test that started it.
//
// Commands:
//   preset V0 ... V23         the 24 values it answers the get-preset request with
//   firmware A B C D          the firmware bytes of its Identity Reply
//   answer prompt|silent|during-request   how it answers both requests from now on
//   received                  "ok N" and then N lines: each message it received, in
//                             upper-case hex bytes separated by blanks
//   wait-received N MS        "ok" once it has received N messages in all, else
//                             "error timeout" after MS milliseconds
//   stored                    "ok" and the 24 values of its preset, as the editor
//                             last sent it (or as set)
//   settings                  "ok N" and then N lines: each global setting it received,
//                             its command byte and value in decimal
//   unplug | plug             its ports vanish, and appear again
//   quit
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tests/Support/Controller/SimulatedController.h"

namespace {

using Testing::Controller::Bytes;
using Testing::Controller::ReplyBehaviour;
using Testing::Controller::SimulatedController;

void Answer(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

std::string HexOf(const Bytes& message) {
  std::string text;
  char byte[4];
  for (uint8_t value : message) {
    std::snprintf(byte, sizeof byte, "%02X", value);
    if (!text.empty()) text += ' ';
    text += byte;
  }
  return text;
}

// Reads `count` numbers 0..255 from the rest of the line; false when there are not
// exactly that many.
template <size_t count>
bool ReadBytes(std::istringstream& words, std::array<uint8_t, count>& out) {
  for (size_t index = 0; index < count; ++index) {
    int value = -1;
    if (!(words >> value) || value < 0 || value > 255) return false;
    out[index] = static_cast<uint8_t>(value);
  }
  std::string extra;
  return !(words >> extra);
}

std::string ListReceived(const SimulatedController& controller) {
  const std::vector<Bytes> received = controller.Received();
  std::string text = "ok " + std::to_string(received.size());
  for (const Bytes& message : received) text += "\n" + HexOf(message);
  return text;
}

std::string ListStored(const SimulatedController& controller) {
  std::string text = "ok";
  for (uint8_t value : controller.GetPreset()) text += " " + std::to_string(value);
  return text;
}

std::string ListGlobalSettings(const SimulatedController& controller) {
  const std::vector<Testing::Controller::GlobalSettingRecord> settings = controller.GlobalSettings();
  std::string text = "ok " + std::to_string(settings.size());
  for (const auto& setting : settings)
    text += "\n" + std::to_string(setting.command) + " " + std::to_string(setting.value);
  return text;
}

std::string SetAnswering(SimulatedController& controller, const std::string& how) {
  if (how == "prompt") controller.SetBehaviour(ReplyBehaviour::Prompt());
  else if (how == "silent") controller.SetBehaviour(ReplyBehaviour::Silent());
  else if (how == "during-request") controller.SetBehaviour(ReplyBehaviour::DuringRequest());
  else return "error unknown way of answering: " + how;
  return "ok";
}

std::string WaitReceived(const SimulatedController& controller, std::istringstream& words) {
  size_t count = 0;
  long limit = 0;
  if (!(words >> count >> limit) || limit < 0) return "error usage: wait-received N MS";
  return controller.WaitForReceived(count, std::chrono::milliseconds(limit)) ? "ok" : "error timeout";
}

std::string Carry(SimulatedController& controller, const std::string& line, bool& quit) {
  std::istringstream words(line);
  std::string command;
  words >> command;
  if (command == "preset") {
    Testing::Controller::Preset preset{};
    if (!ReadBytes(words, preset)) return "error usage: preset V0 ... V23 (each 0 to 255)";
    controller.SetPreset(preset);
    return "ok";
  }
  if (command == "firmware") {
    Testing::Controller::Firmware firmware{};
    if (!ReadBytes(words, firmware)) return "error usage: firmware A B C D";
    controller.SetFirmware(firmware);
    return "ok";
  }
  if (command == "answer") {
    std::string how;
    words >> how;
    return SetAnswering(controller, how);
  }
  if (command == "received") return ListReceived(controller);
  if (command == "wait-received") return WaitReceived(controller, words);
  if (command == "stored") return ListStored(controller);
  if (command == "settings") return ListGlobalSettings(controller);
  if (command == "unplug") {
    controller.Disappear();
    return "ok";
  }
  if (command == "plug") {
    std::string error;
    return controller.ComeBack(error) ? "ok" : "error " + error;
  }
  if (command == "quit") {
    quit = true;
    return "ok";
  }
  return "error unknown command: " + command;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  std::unique_ptr<SimulatedController> controller =
      SimulatedController::OnJack(error, argc > 1 ? argv[1] : "Corvex");
  if (!controller) {
    Answer("error " + error);
    return 1;
  }
  Answer("ready");
  bool quit = false;
  std::string line;
  while (!quit && std::getline(std::cin, line)) Answer(Carry(*controller, line, quit));
  return 0;
}
