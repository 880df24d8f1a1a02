#include "SVFramework/System/DebugSwitches.h"

#include <algorithm>

namespace SV {
namespace {

constexpr std::string_view kConsoleSwitch = "-DEBUG_CONSOLE";
constexpr std::string_view kTargetSwitch = "-DEBUG_CONSOLE:";
constexpr int32_t kHighestPort = 65535;

std::string ToUpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& byte : upper)
    if (byte >= 'a' && byte <= 'z') byte = static_cast<char>(byte - 'a' + 'A');
  return upper;
}

// The leading digits' value, saturated just above the highest port; 0 without digits.
int32_t ReadPort(std::string_view text) {
  int32_t value = 0;
  for (size_t index = 0; index < text.size() && text[index] >= '0' && text[index] <= '9'; ++index)
    value = std::min(value * 10 + (text[index] - '0'), kHighestPort + 1);
  return value;
}

DebugSwitches ParseTarget(std::string_view upper, size_t switchPosition) {
  DebugSwitches switches;
  const size_t start = switchPosition + kTargetSwitch.size();
  const size_t end = std::min(upper.find(' ', start), upper.size());
  const size_t colon = upper.find(':', start);
  const size_t portEnd = colon < end ? colon : end;
  if (portEnd - start < 2) return switches;
  const int32_t port = ReadPort(upper.substr(start, portEnd - start));
  if (port < 1 || port > kHighestPort) return switches;
  switches.action = DebugSwitches::Action::kUdpTarget;
  switches.port = port;
  if (portEnd + 1 < end) switches.host = std::string(upper.substr(portEnd + 1, end - portEnd - 1));
  return switches;
}

}  // namespace

DebugSwitches DebugSwitches::Parse(std::string_view commandLine) {
  const std::string upper = ToUpperAscii(commandLine);
  const size_t target = upper.find(kTargetSwitch);
  if (target != std::string::npos) return ParseTarget(upper, target);
  DebugSwitches switches;
  if (upper.find(kConsoleSwitch) != std::string::npos) switches.action = Action::kConsole;
  return switches;
}

SVRESULT DebugSwitches::ApplyTo(DebugLog& log) const {
  switch (action) {
    case Action::kConsole:
      log.OpenConsole();
      return S_OK;
    case Action::kUdpTarget:
      log.SetUdpTarget(host.empty() ? nullptr : host.c_str(), port);
      return S_OK;
    case Action::kNone:
      break;
  }
  return S_FALSE;
}

SVRESULT ApplyDebugSwitches(std::string_view commandLine) {
  return DebugSwitches::Parse(commandLine).ApplyTo(DebugLog::Instance());
}

}  // namespace SV
